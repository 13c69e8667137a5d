// BMFont text parsing and glyph drawing.
#include "engine/font.h"

#include "engine/engine.h"
#include "engine/image.h"

#include <fstream>
#include <sstream>

namespace zr::engine {
namespace {

// The value of key=value in a BMFont line; quotes removed.
std::string field(const std::string& line, const std::string& key) {
    const std::string needle = " " + key + "=";
    size_t at = line.find(needle);
    if (at == std::string::npos) return {};
    at += needle.size();
    if (at < line.size() && line[at] == '"') {
        const size_t end = line.find('"', at + 1);
        return line.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
    }
    const size_t end = line.find_first_of(" \t\r", at);
    return line.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

int32_t intField(const std::string& line, const std::string& key) {
    const std::string value = field(line, key);
    return value.empty() ? 0 : std::atoi(value.c_str());
}

bool startsWith(const std::string& line, const char* word) {
    const std::string prefix = std::string(word) + " ";
    return line.rfind(prefix, 0) == 0;
}

}  // namespace

Font::~Font() {
    if (!engine_.started()) return;
    for (TextureId page : pages_) engine_.renderer().destroyTexture(page);
}

std::unique_ptr<Font> Font::read(Engine& engine, const std::string& searchPath, const std::string& name) {
    std::ifstream file(searchPath + name + ".fnt");
    if (!file) return nullptr;
    std::stringstream text;
    text << file.rdbuf();
    return parse(engine, text.str(), searchPath);
}

std::unique_ptr<Font> Font::parse(Engine& engine, const std::string& text, const std::string& folder) {
    std::unique_ptr<Font> font(new Font(engine));
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (startsWith(line, "common")) {
            font->lineHeight_ = intField(line, "lineHeight");
        } else if (startsWith(line, "page")) {
            const size_t id = static_cast<size_t>(intField(line, "id"));
            if (id > 64) return nullptr;
            Image page;
            if (!engine.readImage(folder + field(line, "file"), &page)) return nullptr;
            if (font->pages_.size() <= id) {
                font->pages_.resize(id + 1, 0);
                font->pageSizes_.resize(id + 1);
            }
            font->pages_[id] =
                engine.renderer().createTexture(page.width, page.height, page.rgba.data(), TextureFormat::Rgba8888);
            font->pageSizes_[id] = {page.width, page.height};
        } else if (startsWith(line, "char")) {
            const int32_t id = intField(line, "id");
            if (id < 0 || id > 255) continue;
            Glyph glyph{intField(line, "x"),       intField(line, "y"),       intField(line, "width"),
                        intField(line, "height"),  intField(line, "xoffset"), intField(line, "yoffset"),
                        intField(line, "xadvance"), intField(line, "page")};
            font->glyphs_[static_cast<unsigned char>(id)] = glyph;
        } else if (startsWith(line, "kerning")) {
            const auto first = static_cast<unsigned char>(intField(line, "first"));
            const auto second = static_cast<unsigned char>(intField(line, "second"));
            font->kernings_[{first, second}] = intField(line, "amount");
        }
    }
    if (font->lineHeight_ <= 0 || font->pages_.empty()) return nullptr;
    for (const auto& [code, glyph] : font->glyphs_) {
        if (glyph.page < 0 || static_cast<size_t>(glyph.page) >= font->pages_.size()) return nullptr;
    }
    return font;
}

const Glyph* Font::glyph(unsigned char code) const {
    const auto found = glyphs_.find(code);
    if (found != glyphs_.end()) return &found->second;
    const auto fallback = glyphs_.find('?');
    return fallback == glyphs_.end() ? nullptr : &fallback->second;
}

int32_t Font::textWidth(const std::string& text) const {
    int32_t width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto code = static_cast<unsigned char>(text[i]);
        if (const Glyph* g = glyph(code)) width += g->xAdvance;
        if (i + 1 < text.size()) {
            const auto kerning = kernings_.find({code, static_cast<unsigned char>(text[i + 1])});
            if (kerning != kernings_.end()) width += kerning->second;
        }
    }
    return width;
}

std::unique_ptr<Font> Text2d::readFont(const std::string& name) { return Font::read(engine_, searchPath_, name); }

float Text2d::fontHeight(const Font& font) const {
    return static_cast<float>(font.lineHeight()) / static_cast<float>(deviceWidth_);
}

float Text2d::textWidth(const Font& font, const std::string& text, float height) const {
    const float unitsPerPixel = height / static_cast<float>(font.lineHeight());
    return static_cast<float>(font.textWidth(text)) * unitsPerPixel;
}

void Text2d::drawString(const Font& font, const std::string& text, float height, const std::array<Colour, 4>& brush) {
    Renderer& renderer = engine_.renderer();
    const float unitsPerPixel = height / static_cast<float>(font.lineHeight());
    const float device = static_cast<float>(deviceWidth_);
    const Transform2d& m = current();
    float penX = 0.0f;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto code = static_cast<unsigned char>(text[i]);
        const Glyph* g = font.glyph(code);
        if (!g) continue;
        if (g->width > 0 && g->height > 0) {
            // Glyph box in font pixels, y up from the line's bottom.
            const float left = penX + static_cast<float>(g->xOffset);
            const float top = static_cast<float>(font.lineHeight() - g->yOffset);
            const Vector2 bottomLeft = m.apply({left * unitsPerPixel, (top - g->height) * unitsPerPixel});
            const Vector2 topRight = m.apply({(left + g->width) * unitsPerPixel, top * unitsPerPixel});
            const auto& size = font.pageSizes_[static_cast<size_t>(g->page)];
            const float u0 = static_cast<float>(g->x) / static_cast<float>(size[0]);
            const float u1 = static_cast<float>(g->x + g->width) / static_cast<float>(size[0]);
            const float v0 = static_cast<float>(g->y) / static_cast<float>(size[1]);
            const float v1 = static_cast<float>(g->y + g->height) / static_cast<float>(size[1]);
            Quad quad;
            quad.texture = font.pages_[static_cast<size_t>(g->page)];
            quad.x = bottomLeft.x * device;
            quad.y = bottomLeft.y * device;
            quad.width = (topRight.x - bottomLeft.x) * device;
            quad.height = (topRight.y - bottomLeft.y) * device;
            quad.colours = brush;
            quad.uvs = {{{u0, v1}, {u1, v1}, {u1, v0}, {u0, v0}}};
            renderer.drawQuad(quad);
        }
        penX += static_cast<float>(g->xAdvance);
        if (i + 1 < text.size()) {
            const auto kerning = font.kernings_.find({code, static_cast<unsigned char>(text[i + 1])});
            if (kerning != font.kernings_.end()) penX += static_cast<float>(kerning->second);
        }
    }
}

}  // namespace zr::engine
