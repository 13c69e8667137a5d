// Loading of the DejaVu faces used by every picture.
#include "font_library.h"

#include "asset_log.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string_view>

namespace assetgen {
namespace {

// fonts-dejavu-core installs these; the game's build dependencies include it.
constexpr std::string_view kFontFolder = "/usr/share/fonts/truetype/dejavu/";
constexpr std::array<std::string_view, 3> kFontFiles = {
    "DejaVuSans.ttf",
    "DejaVuSans-Bold.ttf",
    "DejaVuSerif-Bold.ttf",
};

// Cairo may keep a face in its caches after our last reference goes away and
// releases the FT_Face only then, so the FT_Library lives until the process ends.
FT_Library freeTypeLibrary()
{
    static FT_Library library = [] {
        FT_Library created = nullptr;
        return FT_Init_FreeType(&created) == 0 ? created : nullptr;
    }();
    return library;
}

const cairo_user_data_key_t kFreeTypeFaceKey{};

void releaseFreeTypeFace(void* face)
{
    FT_Done_Face(static_cast<FT_Face>(face));
}

CairoFontFacePtr loadFace(const std::string& file, std::string& error)
{
    FT_Library library = freeTypeLibrary();
    FT_Face ftFace = nullptr;
    if (library == nullptr || FT_New_Face(library, file.c_str(), 0, &ftFace) != 0) {
        error = joined({"cannot load font '", file, "' (install fonts-dejavu-core)"});
        return nullptr;
    }
    CairoFontFacePtr face(cairo_ft_font_face_create_for_ft_face(ftFace, FT_LOAD_NO_HINTING));
    const auto status = cairo_font_face_set_user_data(face.get(), &kFreeTypeFaceKey, ftFace,
                                                      releaseFreeTypeFace);
    if (status != CAIRO_STATUS_SUCCESS) {
        FT_Done_Face(ftFace);
        error = joined({"cannot wrap font '", file, "' for cairo"});
        return nullptr;
    }
    return face;
}

} // namespace

std::unique_ptr<FontLibrary> FontLibrary::load(std::string& error)
{
    std::unique_ptr<FontLibrary> library(new FontLibrary());
    for (std::size_t i = 0; i < kFontFiles.size(); ++i) {
        library->faces_[i] = loadFace(joined({kFontFolder, kFontFiles[i]}), error);
        if (!library->faces_[i]) {
            return nullptr;
        }
    }
    return library;
}

cairo_font_face_t* FontLibrary::face(FontStyle style) const
{
    return faces_[static_cast<std::size_t>(style)].get();
}

} // namespace assetgen
