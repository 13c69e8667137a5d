// Drawn cursor.
#include "app/soft_cursor.h"

#include "platform/platform.h"

#include <algorithm>

namespace zr {

SoftCursor::SoftCursor(const ui::UiContext& context, const std::string& imagePath) : context_(context) {
    image_ = std::make_unique<ui::ScreenImage>(context_, imagePath, 0, 0);
}

SoftCursor::~SoftCursor() = default;

void SoftCursor::setPosition(float x, float y) {
    x_ = x;
    y_ = y;
    if (system_) system_->warpCursor(x, y);
}

void SoftCursor::draw(engine::Camera& camera, int32_t rasterWidth, int32_t rasterHeight) {
    x_ = std::clamp(x_, 0.0f, static_cast<float>(rasterWidth));
    y_ = std::clamp(y_, 0.0f, static_cast<float>(rasterHeight));
    if (!image_ || image_->empty() || !visible_ || !camera.valid()) return;
    // The picture was scaled from the 800 x 600 layout when it was read;
    // its top-left corner goes at the cursor.
    image_->x = x_;
    image_->y = static_cast<float>(rasterHeight) - y_ - image_->h;
    image_->draw(camera, 0.0f, 0.0f);
}

}  // namespace zr
