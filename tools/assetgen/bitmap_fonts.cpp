// Glyphs 32..126 rendered with FreeType (grey antialiasing, no hinting
// variance between machines since the font files are the same), packed in
// rows into a 256-wide page; white glyphs whose alpha is the coverage.
#include "bitmap_fonts.h"

#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace assetgen {
namespace {

constexpr int kPageWidth = 256;
constexpr int kPadding = 1;  // pixels between glyphs, so linear filtering never bleeds
constexpr const char* kFontFolder = "/usr/share/fonts/truetype/dejavu/";

struct FontSpec {
    const char* name;   // file stem in images/fonts/
    const char* face;   // DejaVu file
    int pixelSize;
};

constexpr FontSpec kFonts[] = {
    {"tooltip", "DejaVuSans.ttf", 13},
    {"smallfont", "DejaVuSans-Bold.ttf", 12},
};

struct PlacedGlyph {
    int code = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int xOffset = 0, yOffset = 0, xAdvance = 0;
    std::vector<unsigned char> coverage;
};

struct FreeTypeLibrary {
    FT_Library library = nullptr;
    ~FreeTypeLibrary() {
        if (library) FT_Done_FreeType(library);
    }
};

bool renderGlyphs(FT_Face face, int ascender, std::vector<PlacedGlyph>& glyphs) {
    for (int code = 32; code <= 126; ++code) {
        if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
            return false;
        }
        const FT_GlyphSlot slot = face->glyph;
        PlacedGlyph glyph;
        glyph.code = code;
        glyph.width = static_cast<int>(slot->bitmap.width);
        glyph.height = static_cast<int>(slot->bitmap.rows);
        glyph.xOffset = slot->bitmap_left;
        glyph.yOffset = ascender - slot->bitmap_top;
        glyph.xAdvance = static_cast<int>((slot->advance.x + 32) >> 6);
        for (int row = 0; row < glyph.height; ++row) {
            const unsigned char* line = slot->bitmap.buffer + row * slot->bitmap.pitch;
            glyph.coverage.insert(glyph.coverage.end(), line, line + glyph.width);
        }
        glyphs.push_back(std::move(glyph));
    }
    return true;
}

// Shelf packing; returns the page height (a power of two).
int packGlyphs(std::vector<PlacedGlyph>& glyphs, int lineHeight) {
    int x = kPadding;
    int y = kPadding;
    for (PlacedGlyph& glyph : glyphs) {
        if (x + glyph.width + kPadding > kPageWidth) {
            x = kPadding;
            y += lineHeight + kPadding;
        }
        glyph.x = x;
        glyph.y = y;
        x += glyph.width + kPadding;
    }
    int height = 16;
    while (height < y + lineHeight + kPadding) height *= 2;
    return height;
}

bool writePage(const std::filesystem::path& file, const std::vector<PlacedGlyph>& glyphs, int height) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kPageWidth, height);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int i = 0; i < stride * height; ++i) data[i] = 0;
    for (const PlacedGlyph& glyph : glyphs) {
        for (int row = 0; row < glyph.height; ++row) {
            for (int column = 0; column < glyph.width; ++column) {
                // Premultiplied white: every channel equals the coverage.
                const unsigned char a = glyph.coverage[static_cast<size_t>(row * glyph.width + column)];
                unsigned char* pixel = data + (glyph.y + row) * stride + (glyph.x + column) * 4;
                pixel[0] = pixel[1] = pixel[2] = pixel[3] = a;
            }
        }
    }
    cairo_surface_mark_dirty(surface);
    const bool ok = cairo_surface_write_to_png(surface, file.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

bool writeDescription(const std::filesystem::path& file, const FontSpec& spec, const std::vector<PlacedGlyph>& glyphs,
                      int lineHeight, int base, int pageHeight) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << "info face=\"" << spec.face << "\" size=" << spec.pixelSize << " bold=0 italic=0 charset=\"\" unicode=0"
        << " stretchH=100 smooth=1 aa=1 padding=0,0,0,0 spacing=" << kPadding << "," << kPadding << "\n";
    out << "common lineHeight=" << lineHeight << " base=" << base << " scaleW=" << kPageWidth
        << " scaleH=" << pageHeight << " pages=1 packed=0\n";
    out << "page id=0 file=\"" << spec.name << "_0.png\"\n";
    out << "chars count=" << glyphs.size() << "\n";
    for (const PlacedGlyph& g : glyphs) {
        out << "char id=" << g.code << " x=" << g.x << " y=" << g.y << " width=" << g.width << " height=" << g.height
            << " xoffset=" << g.xOffset << " yoffset=" << g.yOffset << " xadvance=" << g.xAdvance
            << " page=0 chnl=15\n";
    }
    out << "kernings count=0\n";
    return static_cast<bool>(out);
}

bool writeFont(FT_Library library, const std::filesystem::path& folder, const FontSpec& spec, AssetLog& log) {
    FT_Face face = nullptr;
    const std::string path = std::string(kFontFolder) + spec.face;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) return log.fail({"cannot read the font ", path});
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(spec.pixelSize));
    const int ascender = static_cast<int>(face->size->metrics.ascender >> 6);
    const int descender = static_cast<int>(-(face->size->metrics.descender >> 6));
    const int lineHeight = ascender + descender;
    std::vector<PlacedGlyph> glyphs;
    const bool rendered = renderGlyphs(face, ascender, glyphs);
    FT_Done_Face(face);
    if (!rendered) return log.fail({"cannot render the glyphs of ", spec.face});
    const int pageHeight = packGlyphs(glyphs, lineHeight);
    if (!writePage(folder / (std::string(spec.name) + "_0.png"), glyphs, pageHeight) ||
        !writeDescription(folder / (std::string(spec.name) + ".fnt"), spec, glyphs, lineHeight, ascender, pageHeight)) {
        return log.fail({"cannot write the font ", spec.name});
    }
    log.filesWritten += 2;
    return true;
}

} // namespace

bool writeBitmapFonts(const std::filesystem::path& outDir, AssetLog& log) {
    const std::filesystem::path folder = outDir / "images" / "fonts";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return log.fail({"cannot create ", folder.string()});
    FreeTypeLibrary freeType;
    if (FT_Init_FreeType(&freeType.library) != 0) return log.fail({"FreeType does not start"});
    for (const FontSpec& spec : kFonts) {
        if (!writeFont(freeType.library, folder, spec, log)) return false;
    }
    return true;
}

} // namespace assetgen
