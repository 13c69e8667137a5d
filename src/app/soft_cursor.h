// The drawn mouse cursor. It moves by the mouse's relative motion (the
// platform delivers it), is drawn last into the frame buffer, and is linked
// to the system cursor so that putting it somewhere moves both.
#pragma once

#include "engine/camera.h"
#include "ui/screen_image.h"

#include <memory>

namespace zr {

class Platform;

class SoftCursor {
public:
    SoftCursor(const ui::UiContext& context, const std::string& imagePath);
    ~SoftCursor();

    void position(float* x, float* y) const {
        *x = x_;
        *y = y_;
    }
    void moveBy(float dx, float dy) {
        x_ += dx;
        y_ += dy;
    }
    // Also moves the system cursor to the same client point.
    void setPosition(float x, float y);
    void setVisible(bool visible) { visible_ = visible; }
    bool visible() const { return visible_; }
    void linkSystemCursor(Platform* platform) { system_ = platform; }
    // Clamps the position to the raster, then draws with the top-left
    // corner at the position (y grows downwards, as the mouse reports it).
    void draw(engine::Camera& camera, int32_t rasterWidth, int32_t rasterHeight);

private:
    ui::UiContext context_;
    std::unique_ptr<ui::ScreenImage> image_;
    Platform* system_ = nullptr;
    float x_ = 0.0f;
    float y_ = 0.0f;
    bool visible_ = false;
};

}  // namespace zr
