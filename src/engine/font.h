// The engine's 2D text: AngelCode BMFont text files with PNG pages, a font
// search path, measuring, and drawing strings through a transform stack
// with a colour brush.
//
// The 2D text space: one unit is the width of the frame buffer, on both
// axes, origin at the bottom-left. So a pixel is 1 / width units (the step
// vectors), and a font's metrics in units depend on the current width.
#pragma once

#include "engine/renderer.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zr::engine {

class Engine;

struct Vector2 {
    float x = 0.0f;
    float y = 0.0f;
};

// An affine transform of the text space: p' = (a x + c y + tx, b x + d y + ty).
struct Transform2d {
    float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    Vector2 apply(Vector2 p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
    void translate(float x, float y) {
        tx += a * x + c * y;
        ty += b * x + d * y;
    }
    void scale(float sx, float sy) {
        a *= sx;
        b *= sx;
        c *= sy;
        d *= sy;
    }
};

struct Glyph {
    int32_t x = 0, y = 0, width = 0, height = 0;  // in the page, pixels, y down
    int32_t xOffset = 0, yOffset = 0, xAdvance = 0;
    int32_t page = 0;
};

// A font's pixel metrics as drawn: lines of lineHeight pixels, glyphs
// placed from the top of the line.
class Font {
public:
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Reads "<searchPath><name>.fnt" and its pages; null if unreadable.
    static std::unique_ptr<Font> read(Engine& engine, const std::string& searchPath, const std::string& name);
    // Parses the text of a .fnt file (pages are loaded from folder).
    static std::unique_ptr<Font> parse(Engine& engine, const std::string& text, const std::string& folder);

    int32_t lineHeight() const { return lineHeight_; }
    const Glyph* glyph(unsigned char code) const;
    // Sum of the advances and kernings, pixels at the font's own size.
    int32_t textWidth(const std::string& text) const;
    const std::vector<TextureId>& pages() const { return pages_; }

private:
    explicit Font(Engine& engine) : engine_(engine) {}

    Engine& engine_;
    int32_t lineHeight_ = 0;
    std::map<unsigned char, Glyph> glyphs_;
    std::map<std::pair<unsigned char, unsigned char>, int32_t> kernings_;
    std::vector<TextureId> pages_;
    std::vector<std::array<int32_t, 2>> pageSizes_;
    friend class Text2d;
};

// The 2D text facility: text space for the current frame-buffer width,
// the transform stack, and string drawing.
class Text2d {
public:
    explicit Text2d(Engine& engine) : engine_(engine) { stack_.emplace_back(); }

    void setSearchPath(const std::string& path) { searchPath_ = path; }
    const std::string& searchPath() const { return searchPath_; }
    std::unique_ptr<Font> readFont(const std::string& name);

    void setDeviceWidth(int32_t width) { deviceWidth_ = width > 0 ? width : 1; }
    Vector2 xStep() const { return {1.0f / static_cast<float>(deviceWidth_), 0.0f}; }
    Vector2 yStep() const { return {0.0f, 1.0f / static_cast<float>(deviceWidth_)}; }
    Vector2 origin() const { return {0.0f, 0.0f}; }
    // A font's line height, and a string's width at a height, in units.
    float fontHeight(const Font& font) const;
    float textWidth(const Font& font, const std::string& text, float height) const;

    Transform2d& current() { return stack_.back(); }
    void push() { stack_.push_back(stack_.back()); }
    void pop() {
        if (stack_.size() > 1) stack_.pop_back();
    }
    void identity() { stack_.back() = Transform2d(); }

    // Draws the string with its line's bottom-left at the transformed
    // origin, height units high, tinted by the corner colours.
    void drawString(const Font& font, const std::string& text, float height, const std::array<Colour, 4>& brush);

private:
    Engine& engine_;
    std::string searchPath_;
    int32_t deviceWidth_ = 800;
    std::vector<Transform2d> stack_;
};

}  // namespace zr::engine
