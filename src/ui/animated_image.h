// A numbered series of pictures described by "<base>.ini" (section "ANI",
// keys "frames" and "delay" in milliseconds) with frames "<base>00.bmp",
// "<base>01.bmp", ... Shown as a 2D picture, or fed frame by frame into a
// 3D material's texture.
#pragma once

#include "ui/screen_image.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zr::ui {

// Receives the texture an animated material should show next.
using MaterialTextureSetter = std::function<void(engine::TextureId)>;

class AnimatedImage {
public:
    AnimatedImage(const UiContext& context, const std::string& basePath, MaterialTextureSetter material = nullptr);
    ~AnimatedImage();
    AnimatedImage(const AnimatedImage&) = delete;
    AnimatedImage& operator=(const AnimatedImage&) = delete;

    // Once per frame: draws the current frame (2D) or advances the material.
    void update(engine::Camera& camera);

    int32_t frameCount() const { return frameCount_; }
    int32_t currentFrame() const { return currentFrame_; }
    float delay() const { return delay_; }
    ScreenImage* frame(int32_t index) const;

    static std::string framePath(const std::string& basePath, int32_t index);

private:
    UiContext context_;
    std::vector<std::unique_ptr<ScreenImage>> frames_;  // frame 0 first
    MaterialTextureSetter material_;
    int8_t frameCount_ = 0;
    int8_t currentFrame_ = 0;
    float delay_ = 0.0f;
    float elapsed_ = 0.0f;
};

}  // namespace zr::ui
