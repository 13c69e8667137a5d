// The fade through black between game states: the screen darkens while the
// music fades out, the state is switched behind the black screen, then the
// new state fades in. Leaving the loading screen or entering the credits
// holds the black screen 1.5 s longer.
#pragma once

#include "ui/screen_image.h"

#include <cstdint>
#include <memory>

namespace zr::ui {

// What the transition asks of the game around it.
class TransitionHost {
public:
    virtual ~TransitionHost() = default;
    virtual void resetStateSeconds() = 0;
    virtual void restartFrameClock() = 0;
    // Performs the state change itself (it clears the request).
    virtual void switchGameStates(int32_t from, int32_t to) = 0;
    virtual void setMusicVolume(int32_t volume) = 0;
    virtual void fadeMusicOut() = 0;
    virtual void fadeMusicIn() = 0;
};

enum TransitionPhase : int32_t { kFadeOut = 0, kFadeIn = 1, kIdle = 2 };

// The overlay pixel's alpha byte for a texture format: 8-bit alpha keeps
// the value, 4-bit alpha saturates at 15 (fully black from 120 on), 1-bit
// alpha is always set.
uint8_t overlayAlphaByte(engine::TextureFormat format, float alpha);

class ScreenTransition {
public:
    ScreenTransition(const UiContext& context, TransitionHost& host);
    ~ScreenTransition();
    ScreenTransition(const ScreenTransition&) = delete;
    ScreenTransition& operator=(const ScreenTransition&) = delete;

    void request(int32_t from, int32_t to);
    // Once per frame while not idle; 1 in the frame the fade-out completes.
    int32_t update(engine::Camera& camera);
    void switchStates();
    void setOverlayAlpha(float value);
    void drawOverlay(engine::Camera& camera);

    int32_t phase() const { return phase_; }
    float alpha() const { return alpha_; }
    int32_t from() const { return from_; }
    int32_t to() const { return to_; }
    void clearRequest() { from_ = to_ = 0; }
    ScreenImage& overlay() { return *overlay_; }
    float holdSeconds() const { return holdClock_; }

private:
    int32_t fadeOutStep(engine::Camera& camera);
    void fadeInStep(engine::Camera& camera);

    UiContext context_;
    TransitionHost& host_;
    std::unique_ptr<ScreenImage> overlay_;
    uint8_t overlayPixel_[4] = {0, 0, 0, 31};
    int32_t from_ = 0;
    int32_t to_ = 0;
    int32_t phase_ = kIdle;
    float alpha_ = 0.0f;
    float holdClock_ = 0.0f;  // seconds of black held so far
};

}  // namespace zr::ui
