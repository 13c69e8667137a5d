// Animated pictures: the INI description, frame loading and advancing.
#include "ui/animated_image.h"

#include "platform/profile.h"

namespace zr::ui {

std::string AnimatedImage::framePath(const std::string& basePath, int32_t index) {
    return basePath + (index < 10 ? "0" : "") + std::to_string(index) + ".bmp";
}

AnimatedImage::AnimatedImage(const UiContext& context, const std::string& basePath, MaterialTextureSetter material)
    : context_(context), material_(std::move(material)) {
    const Profile profile(basePath + ".ini");
    frameCount_ = static_cast<int8_t>(profile.getInt("ANI", "frames", 0));
    delay_ = static_cast<float>(profile.getInt("ANI", "delay", 0)) * 0.001f;
    for (int32_t i = 0; i < frameCount_; ++i) {
        frames_.push_back(std::make_unique<ScreenImage>(context_, framePath(basePath, i), 0, 0));
    }
}

AnimatedImage::~AnimatedImage() = default;

ScreenImage* AnimatedImage::frame(int32_t index) const {
    return index >= 0 && index < static_cast<int32_t>(frames_.size()) ? frames_[index].get() : nullptr;
}

void AnimatedImage::update(engine::Camera& camera) {
    ScreenImage* shown = frame(currentFrame_);
    if (!shown) {
        return;  // no frames: nothing to show or advance
    }
    if (!material_) {
        shown->draw(camera, 0.0f, 0.0f);
        return;
    }
    elapsed_ += context_.seconds();
    if (elapsed_ > delay_) {
        elapsed_ -= delay_;
        currentFrame_ = static_cast<int8_t>(currentFrame_ + 1 >= frameCount_ ? 0 : currentFrame_ + 1);
        if (!shown->tiles().empty()) material_(shown->tiles().front().texture);
    }
}

}  // namespace zr::ui
