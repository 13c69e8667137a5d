// Placing text in the text space: positions in virtual units become text
// units through the pixel steps, then the glyphs are scaled by (sx, sy).
#include "ui/screen_font.h"

#include <cmath>


namespace zr::ui {

ScreenFont::ScreenFont(const UiContext& context, const std::string& path) : context_(context) {
    brush_.fill(engine::Colour{255, 255, 255, 255});
    if (!context_.engine) return;
    engine::Text2d& text = context_.engine->text();
    const size_t slash = path.find_last_of('/');
    text.setSearchPath(slash == std::string::npos ? std::string() : path.substr(0, slash + 1));
    font_ = text.readFont(slash == std::string::npos ? path : path.substr(slash + 1));
    rasterWidth_ = context_.scaleX * 800.0f;
    text.setDeviceWidth(static_cast<int32_t>(std::lround(rasterWidth_)));
    xStep_ = text.xStep();
    yStep_ = text.yStep();
    origin_ = text.origin();
    pixelX_ = std::hypot(xStep_.x, xStep_.y) * context_.scaleX;
    pixelY_ = std::hypot(yStep_.x, yStep_.y) * context_.scaleY;
    if (font_) height_ = text.fontHeight(*font_);
}

ScreenFont::~ScreenFont() = default;

float ScreenFont::textWidth(const std::string& text) const {
    if (!font_) return 0.0f;
    return context_.engine->text().textWidth(*font_, text, height_) * rasterWidth_;
}

void ScreenFont::drawText(const std::string& text, float x, float y, int32_t alignment, float anchor) {
    if (!font_ || text.empty()) return;
    engine::Text2d& space = context_.engine->text();
    space.setDeviceWidth(static_cast<int32_t>(std::lround(rasterWidth_)));
    space.push();
    space.identity();
    // No half-pixel shift: GL already samples texel centres at pixel
    // centres for quads on whole pixels, and a shift would blur the glyphs.
    const float widthUnits = space.textWidth(*font_, text, height_);
    const float px = alignment == kAlignCentre ? anchor * pixelX_ - widthUnits * context_.scaleX * 0.5f
                                               : x * pixelX_;
    space.current().translate(px, y * pixelY_);
    space.current().scale(context_.scaleX, context_.scaleY);
    space.drawString(*font_, text, height_, brush_);
    space.pop();
}

}  // namespace zr::ui
