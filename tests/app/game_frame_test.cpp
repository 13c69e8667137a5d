// The frame's state machine and input recording on the headless platform
// with the null renderer: timers, transitions, frame-clock restarts,
// button values and drag modes.
#include "../support/temp_folder.h"
#include "app/game_app.h"
#include "app/title_screen.h"
#include "platform/headless/headless_platform.h"
#include "platform/key_table.h"
#include "../sound/recording_sound_library.h"

#include <fstream>
#include <gtest/gtest.h>

namespace zr {
namespace {

class GameFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories("data");
        std::ofstream("data/setup.bin") << "[Game Data]\nFrontEnd=1\nCars=1\n";
        app_ = GameApp::Instance();
        app_->platform = &platform_;
        app_->soundLibraryFactory = [this] { return std::make_unique<test::RecordingSoundLibrary>(soundLog_); };
        platform_.setFrameStep(0.125f);  // exact in binary: no drift in the sums
        ASSERT_TRUE(platform_.openWindow(DisplayMode{}));
        ASSERT_TRUE(app_->create());
        app_->beginGame();
    }
    void TearDown() override {
        app_->shutdown();
        GameApp::Destroy();
    }

    Game& game() { return *app_->game; }
    void frames(int count) {
        for (int i = 0; i < count; ++i) platform_.runFrame(*app_);
    }
    // Runs frames until the state changes; returns the frames run.
    int framesUntilState(int32_t state, int limit = 2000) {
        for (int i = 1; i <= limit; ++i) {
            frames(1);
            if (game().state == state) return i;
        }
        return -1;
    }

    bool logged(const std::string& call) const {
        return std::find(soundLog_.begin(), soundLog_.end(), call) != soundLog_.end();
    }

    std::vector<std::string> soundLog_;
    test::TempFolder folder_{true};
    HeadlessPlatform platform_{false};
    GameApp* app_ = nullptr;
};

TEST_F(GameFrameTest, BootsThroughLogoAndLoadingToTheTitle) {
    EXPECT_EQ(game().state, kStateLogo);
    EXPECT_EQ(platform_.title(), "Zephyrail");
    frames(15);  // 1.875 s of logo
    EXPECT_EQ(game().transition->phase(), ui::kIdle);
    frames(1);
    EXPECT_EQ(game().transition->phase(), ui::kFadeOut) << "asks for 1 -> 2 at 2.0 s";
    // Alpha 1 in the requesting frame, +31.875 a frame, black 8 frames on.
    EXPECT_EQ(framesUntilState(kStateLoading), 8);
    EXPECT_EQ(game().frameSeconds, 0.125f) << "the switching frame itself ran with time";
    frames(1);
    EXPECT_EQ(game().frameSeconds, 0.0f) << "first frame after a switch has 0 s";
    EXPECT_FLOAT_EQ(game().transition->alpha(), 254.0f);
    // Fade-in 8 more frames, a clock restart, 2.5 s (20 frames) of loading,
    // fade-out 8 frames, then 1.5 s of hold counted from the black frame.
    EXPECT_EQ(framesUntilState(kStateTitle), 8 + 1 + 20 + 8 + 11);
    EXPECT_TRUE(app_->cursor->visible());
    EXPECT_FLOAT_EQ(game().title->countdown(), kDemonstrationSeconds);
}

TEST_F(GameFrameTest, LogoRequestIsRaisedOncePerProcess) {
    frames(16);
    ASSERT_EQ(game().transition->phase(), ui::kFadeOut);
    // The fade takes a second; the logo state keeps running its timer.
    for (int i = 0; i < 5; ++i) {
        frames(1);
        EXPECT_FLOAT_EQ(game().transition->alpha() > 0 ? 1.0f : 0.0f, 1.0f);
    }
    EXPECT_TRUE(game().logoRequested);
}

TEST_F(GameFrameTest, ReleasedButtonIsSeenByExactlyOneFrame) {
    platform_.queueButton(MouseButton::Left, true);
    platform_.queueButton(MouseButton::Left, false);
    platform_.deliverInput(*app_);
    EXPECT_EQ(game().leftButton, kButtonReleased) << "a press and release between frames leaves 3";
    frames(1);
    EXPECT_EQ(game().leftButton, kButtonUp);
    platform_.queueButton(MouseButton::Right, true);
    frames(1);
    EXPECT_EQ(game().rightButton, kButtonPressed) << "held stays 1";
}

TEST_F(GameFrameTest, DragModesInTheBuildingState) {
    game().state = kStateBuilding;
    struct Step {
        MouseButton button;
        bool down;
        int32_t dragMode;
    };
    const Step steps[] = {
        {MouseButton::Left, true, 2},   {MouseButton::Right, true, 3}, {MouseButton::Left, false, 1},
        {MouseButton::Right, false, 0}, {MouseButton::Right, true, 1}, {MouseButton::Left, true, 3},
        {MouseButton::Right, false, 2}, {MouseButton::Left, false, 0},
    };
    for (const Step& step : steps) {
        platform_.queueButton(step.button, step.down);
        platform_.deliverInput(*app_);
        EXPECT_EQ(game().dragMode, step.dragMode);
    }
}

TEST_F(GameFrameTest, EscapeWhileRidingReturnsToTheTitle) {
    game().state = kStateRiding;
    platform_.queueKey(1, true);
    platform_.deliverInput(*app_);
    EXPECT_EQ(game().transition->phase(), ui::kFadeOut);
    EXPECT_EQ(game().transition->to(), kStateTitle);
    EXPECT_EQ(framesUntilState(kStateTitle), 9) << "alpha 1, then 8 frames to black";
}

TEST_F(GameFrameTest, MouseMovesRecordMotionAndRidingPutsTheCursorBack) {
    app_->cursor->setPosition(400, 300);
    platform_.queueMouseBy(10, -5);
    platform_.deliverInput(*app_);
    EXPECT_FLOAT_EQ(game().mouseX, 410);
    EXPECT_FLOAT_EQ(game().mouseDY, -5);
    EXPECT_FLOAT_EQ(game().idleSeconds, 0);
    frames(1);
    EXPECT_FLOAT_EQ(game().mouseDX, 0) << "motion is cleared after every frame";
    game().state = kStateRiding;
    platform_.queueMouseBy(30, 30);
    platform_.deliverInput(*app_);
    float x = 0;
    float y = 0;
    app_->cursor->position(&x, &y);
    EXPECT_FLOAT_EQ(x, 410);
    EXPECT_FLOAT_EQ(y, 295);
}

TEST_F(GameFrameTest, MusicKeyOnlyWhenIdleOnTheTitle) {
    game().state = kStateTitle;
    const int32_t scanM = 50;
    platform_.queueKey(scanM, false);
    platform_.deliverInput(*app_);
    EXPECT_EQ(game().lastKeyUp, 'm');
    EXPECT_EQ(game().musicOn, 0);
    game().transition->request(3, 4);
    platform_.queueKey(scanM, false);
    platform_.deliverInput(*app_);
    EXPECT_EQ(game().musicOn, 0) << "no toggling during a fade";
}

TEST_F(GameFrameTest, TitleMusicStartsWithTheTitleAndTheMKeyTogglesIt) {
    ASSERT_GT(framesUntilState(kStateTitle), 0);
    EXPECT_TRUE(logged("streamOpen ./data/music/title.wav"));
    frames(20);  // the fade-in is over
    soundLog_.clear();
    platform_.queueKey(50, false);  // M up
    frames(1);
    EXPECT_EQ(game().musicOn, 0);
    EXPECT_FALSE(soundLog_.empty()) << "the music stopped";
    soundLog_.clear();
    platform_.queueKey(50, false);
    frames(1);
    EXPECT_EQ(game().musicOn, 1);
    EXPECT_TRUE(logged("streamOpen ./data/music/title.wav"));
}

TEST_F(GameFrameTest, DemonstrationCountdownWaitsForTheFadeAndStaysAtZero) {
    game().state = kStateTitle;
    game().title->start();
    game().title->setCountdown(0.25f);
    game().transition->request(3, 3);
    frames(3);
    EXPECT_FLOAT_EQ(game().title->countdown(), 0.25f) << "no countdown while fading";
}

TEST_F(GameFrameTest, CreditsEndTheProgramThreeSecondsAfterTheFadeIn) {
    game().state = kStateTitle;
    game().transition->request(3, 7);
    ASSERT_GT(framesUntilState(kStateCredits), 0);
    int frame = 0;
    while (!platform_.quitRequested() && frame < 200) {
        frames(1);
        ++frame;
    }
    ASSERT_TRUE(platform_.quitRequested());
    // Fade-in: 254, then 8 frames down to 0; one clock restart; 24 frames of 0.125 s.
    EXPECT_EQ(frame, 9 + 1 + 24);
}

TEST(GameSetup, BrokenSetupFileGivesDefaults) {
    test::TempFolder folder(true);
    std::filesystem::create_directories("data");
    std::ofstream("data/setup.bin") << "\x01\x02garbage[[[\n=====\n[Game Data\nCars==x\n";
    HeadlessPlatform platform(false);
    GameApp* app = GameApp::Instance();
    app->platform = &platform;
    ASSERT_TRUE(platform.openWindow(DisplayMode{}));
    ASSERT_TRUE(app->create());
    EXPECT_EQ(app->game->carCount, 0);
    EXPECT_EQ(app->game->levelCount, 0);
    EXPECT_EQ(app->game->background[3], 255);
    app->beginGame();
    platform.setFrameStep(0.125f);
    for (int i = 0; i < 40; ++i) platform.runFrame(*app);
    EXPECT_EQ(app->game->state, kStateLoading) << "no pictures, yet the game runs on";
    app->shutdown();
    GameApp::Destroy();
}

}  // namespace
}  // namespace zr
