// Text of the interface: a font read by path ("./data/images/fonts/tooltip"
// reads "tooltip" from "./data/images/fonts/"), measured in virtual units
// and drawn at a point of the 800 x 600 screen, left-aligned or centred.
#pragma once

#include "engine/font.h"
#include "ui/ui_context.h"

#include <array>
#include <memory>
#include <string>

namespace zr::ui {

enum TextAlignment : int32_t { kAlignLeft = 0, kAlignCentre = 2 };

class ScreenFont {
public:
    ScreenFont(const UiContext& context, const std::string& path);
    ~ScreenFont();
    ScreenFont(const ScreenFont&) = delete;
    ScreenFont& operator=(const ScreenFont&) = delete;

    bool valid() const { return font_ != nullptr; }
    // The text's width at the font's height, in screen pixels of the 800 x
    // 600 layout (unscaled).
    float textWidth(const std::string& text) const;
    // x, y and anchor in virtual units; centred text is centred on anchor.
    void drawText(const std::string& text, float x, float y, int32_t alignment, float anchor);

    std::array<engine::Colour, 4>& brush() { return brush_; }
    float height() const { return height_; }

private:
    UiContext context_;
    std::unique_ptr<engine::Font> font_;
    std::array<engine::Colour, 4> brush_;
    engine::Vector2 xStep_, yStep_, origin_;
    float pixelX_ = 0.0f;
    float pixelY_ = 0.0f;
    float height_ = 0.0f;
    float rasterWidth_ = 800.0f;
};

}  // namespace zr::ui
