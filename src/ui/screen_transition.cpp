// Fade-out, hold, state switch and fade-in.
#include "ui/screen_transition.h"

#include <algorithm>

namespace zr::ui {
namespace {

constexpr float kFadeRate = 255.0f;    // alpha per second: a fade lasts about 1 s
constexpr float kHoldSeconds = 1.5f;   // extra black after loading / before credits
constexpr int32_t kLoadingState = 2;
constexpr int32_t kCreditsState = 7;
constexpr int32_t kBuildingState = 4;

}  // namespace

uint8_t overlayAlphaByte(engine::TextureFormat format, float alpha) {
    switch (format) {
    case engine::TextureFormat::Rgba8888:
        return static_cast<uint8_t>(alpha);
    case engine::TextureFormat::Rgba4444: {
        const int32_t nibble = std::min(static_cast<int32_t>(alpha * 0.125f), 15);
        return static_cast<uint8_t>(nibble << 4 | nibble);
    }
    case engine::TextureFormat::Rgba5551:
        return 255;
    case engine::TextureFormat::Rgb565:
        return 255;
    }
    return 255;
}

ScreenTransition::ScreenTransition(const UiContext& context, TransitionHost& host)
    : context_(context), host_(host) {
    overlay_ = std::make_unique<ScreenImage>(context_, overlayPixel_, 0.0f, 0.0f, 1, 1);
    overlay_->w = 800.0f * context_.scaleX;
    overlay_->h = 600.0f * context_.scaleY;
}

ScreenTransition::~ScreenTransition() = default;

void ScreenTransition::request(int32_t from, int32_t to) {
    host_.setMusicVolume(255);
    alpha_ = 0.0f;
    phase_ = kFadeOut;
    host_.resetStateSeconds();
    from_ = from;
    to_ = to;
}

int32_t ScreenTransition::update(engine::Camera& camera) {
    switch (phase_) {
    case kFadeOut:
        if (!(from_ == kBuildingState && to_ == kBuildingState)) host_.fadeMusicOut();
        return fadeOutStep(camera);
    case kFadeIn:
        host_.fadeMusicIn();
        fadeInStep(camera);
        return 0;
    default:
        return 0;
    }
}

int32_t ScreenTransition::fadeOutStep(engine::Camera& camera) {
    alpha_ = alpha_ == 0.0f ? 1.0f : alpha_ + context_.seconds() * kFadeRate;
    if (alpha_ >= 255.0f) alpha_ = 255.0f;
    setOverlayAlpha(alpha_);
    drawOverlay(camera);
    if (alpha_ != 255.0f) return 0;
    if (from_ == kLoadingState || to_ == kCreditsState) {
        holdClock_ += context_.seconds();
        if (holdClock_ >= kHoldSeconds) {
            holdClock_ = 0.0f;
            return 1;
        }
        return 0;
    }
    return 1;
}

void ScreenTransition::fadeInStep(engine::Camera& camera) {
    alpha_ = alpha_ == 255.0f ? 254.0f : alpha_ - context_.seconds() * kFadeRate;
    if (alpha_ < 0.0f) alpha_ = 0.0f;
    setOverlayAlpha(alpha_);
    drawOverlay(camera);
    if (alpha_ == 0.0f) {
        phase_ = kIdle;
        host_.restartFrameClock();
    }
}

void ScreenTransition::switchStates() {
    host_.setMusicVolume(255);
    alpha_ = 255.0f;
    phase_ = kFadeIn;
    host_.switchGameStates(from_, to_);
}

void ScreenTransition::setOverlayAlpha(float value) {
    overlayPixel_[3] = overlayAlphaByte(overlay_->format(), value);
    overlay_->updatePixels(overlayPixel_);
}

void ScreenTransition::drawOverlay(engine::Camera& camera) {
    if (!context_.engine || !context_.engine->started()) return;
    engine::RenderStates states;  // no depth, no fog, source-alpha blending
    context_.engine->renderer().setStates(states);
    overlay_->draw(camera, 0.0f, 0.0f);
}

}  // namespace zr::ui
