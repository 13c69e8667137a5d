// Fades, the hold after loading and before the credits, and the overlay.
#include "../support/recording_renderer.h"
#include "engine/engine.h"
#include "platform/headless/headless_platform.h"
#include "ui/screen_transition.h"

#include <gtest/gtest.h>

namespace zr::ui {
namespace {

class FakeHost final : public TransitionHost {
public:
    void resetStateSeconds() override { ++stateResets; }
    void restartFrameClock() override { ++clockRestarts; }
    void switchGameStates(int32_t from, int32_t to) override {
        switched = {from, to};
    }
    void setMusicVolume(int32_t volume) override { musicVolume = volume; }
    void fadeMusicOut() override { ++musicFadesOut; }
    void fadeMusicIn() override { ++musicFadesIn; }

    int stateResets = 0, clockRestarts = 0, musicFadesOut = 0, musicFadesIn = 0;
    int32_t musicVolume = 0;
    std::pair<int32_t, int32_t> switched{0, 0};
};

class TransitionTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine_.initialise(1 << 20);
        engine_.open(platform_);
        auto renderer = std::make_unique<test::RecordingRenderer>();
        renderer_ = renderer.get();
        engine_.startWith(std::move(renderer));
        camera_ = std::make_unique<engine::Camera>(engine_, 800, 600, false);
        transition_ = std::make_unique<ScreenTransition>(context_, host_);
    }

    int32_t framesUntilSwitch(int limit) {
        for (int i = 1; i <= limit; ++i) {
            if (transition_->update(*camera_)) return i;
        }
        return -1;
    }

    uint8_t overlayAlpha() const { return renderer_->textures.at(transition_->overlay().texture()).rgba[3]; }

    HeadlessPlatform platform_{false};
    engine::Engine engine_;
    test::RecordingRenderer* renderer_ = nullptr;
    float frameSeconds_ = 0.1f;
    UiContext context_{&engine_, 1.0f, 1.0f, &frameSeconds_, nullptr};
    FakeHost host_;
    std::unique_ptr<engine::Camera> camera_;
    std::unique_ptr<ScreenTransition> transition_;
};

TEST_F(TransitionTest, FadeOutCompletesInTheFrameAfter230Point5) {
    transition_->request(3, 4);
    EXPECT_EQ(transition_->phase(), kFadeOut);
    EXPECT_EQ(host_.stateResets, 1);
    EXPECT_EQ(host_.musicVolume, 255);
    // 1, 26.5, 52, ... 230.5, then 255 -> switch in the eleventh frame.
    EXPECT_EQ(framesUntilSwitch(20), 11);
    EXPECT_FLOAT_EQ(transition_->alpha(), 255.0f);
    EXPECT_EQ(overlayAlpha(), 255);
}

TEST_F(TransitionTest, LeavingLoadingHoldsBlackForOneAndAHalfSeconds) {
    transition_->request(2, 3);
    // Black in the 11th frame, which starts the hold; 15 frames of 0.1 s.
    EXPECT_EQ(framesUntilSwitch(40), 25);
    transition_->request(3, 7);
    EXPECT_EQ(framesUntilSwitch(40), 25) << "the hold clock starts again from 0";
}

TEST_F(TransitionTest, FadeInStartsAt254AndEndsIdleWithAClockRestart) {
    transition_->request(1, 2);
    ASSERT_EQ(framesUntilSwitch(20), 11);
    transition_->switchStates();
    EXPECT_EQ(host_.switched, (std::pair<int32_t, int32_t>{1, 2}));
    EXPECT_EQ(transition_->phase(), kFadeIn);
    frameSeconds_ = 0.5f;
    transition_->update(*camera_);
    EXPECT_FLOAT_EQ(transition_->alpha(), 254.0f);
    EXPECT_EQ(overlayAlpha(), 254);
    transition_->update(*camera_);
    EXPECT_EQ(transition_->phase(), kFadeIn);
    EXPECT_EQ(host_.clockRestarts, 0);
    transition_->update(*camera_);
    EXPECT_EQ(transition_->phase(), kIdle);
    EXPECT_EQ(host_.clockRestarts, 1);
    EXPECT_EQ(transition_->update(*camera_), 0);
}

TEST_F(TransitionTest, RestartingTheBuildingStateKeepsTheMusic) {
    transition_->request(4, 4);
    framesUntilSwitch(20);
    EXPECT_EQ(host_.musicFadesOut, 0);
    transition_->request(4, 3);
    framesUntilSwitch(20);
    EXPECT_GT(host_.musicFadesOut, 0);
}

TEST_F(TransitionTest, ARequestDuringAFadeStartsOverFromClear) {
    transition_->request(3, 4);
    for (int i = 0; i < 5; ++i) transition_->update(*camera_);
    transition_->request(3, 5);
    EXPECT_FLOAT_EQ(transition_->alpha(), 0.0f);
    EXPECT_EQ(transition_->to(), 5);
    EXPECT_EQ(framesUntilSwitch(20), 11);
}

TEST(OverlayAlpha, ByTextureFormat) {
    using engine::TextureFormat;
    EXPECT_EQ(overlayAlphaByte(TextureFormat::Rgba8888, 200.7f), 200);
    EXPECT_EQ(overlayAlphaByte(TextureFormat::Rgba4444, 119.0f), 14 * 17);
    EXPECT_EQ(overlayAlphaByte(TextureFormat::Rgba4444, 120.0f), 255) << "fully black from 120 on";
    EXPECT_EQ(overlayAlphaByte(TextureFormat::Rgba4444, 255.0f), 255);
    EXPECT_EQ(overlayAlphaByte(TextureFormat::Rgba5551, 1.0f), 255);
}

}  // namespace
}  // namespace zr::ui
