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
    virtual const char* setupFile() const { return "[Game Data]\nFrontEnd=1\nCars=1\n"; }
    void SetUp() override {
        std::filesystem::create_directories("data");
        std::ofstream("data/setup.bin") << setupFile();
        app_ = GameApp::Instance();
        app_->platform = &platform_;
        app_->soundLibraryFactory = [this] {
            auto library = std::make_unique<test::RecordingSoundLibrary>(soundLog_);
            library_ = library.get();
            return library;
        };
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

    // Runs frames until the transition has switched states and fades in.
    void framesUntilFadeIn(int limit = 200) {
        for (int i = 0; i < limit && game().transition->phase() != ui::kFadeIn; ++i) frames(1);
    }
    // From the title into a level state (the data folder holds no level:
    // the set-up builds an empty world, catalogue and coaster).
    void enter(int32_t state) {
        game().state = kStateTitle;
        game().title->start();
        game().transition->request(kStateTitle, state);
        ASSERT_GT(framesUntilState(state), 0);
    }

    std::vector<std::string> soundLog_;
    test::RecordingSoundLibrary* library_ = nullptr;
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
    EXPECT_EQ(game().input.leftButton, kButtonReleased) << "a press and release between frames leaves 3";
    frames(1);
    EXPECT_EQ(game().input.leftButton, kButtonUp);
    platform_.queueButton(MouseButton::Right, true);
    frames(1);
    EXPECT_EQ(game().input.rightButton, kButtonPressed) << "held stays 1";
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
        EXPECT_EQ(game().input.dragMode, step.dragMode);
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
    EXPECT_FLOAT_EQ(game().input.mouseX, 410);
    EXPECT_FLOAT_EQ(game().input.mouseDY, -5);
    EXPECT_FLOAT_EQ(game().input.idleSeconds, 0);
    frames(1);
    EXPECT_FLOAT_EQ(game().input.mouseDX, 0) << "motion is cleared after every frame";
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
    EXPECT_EQ(game().input.lastKeyUp, 'm');
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

// A level left for a level (4 -> 4 after a load or demolish, 4 -> 5, 5 -> 5)
// is torn down and set up again.
TEST_F(GameFrameTest, ALevelLeftForALevelIsSetUpAgain) {
    enter(kStateBuilding);
    ASSERT_NE(game().coaster(), nullptr);
    game().transition->request(kStateBuilding, kStateBuilding);
    framesUntilFadeIn();
    EXPECT_NE(game().coaster(), nullptr) << "4 -> 4";
    game().transition->request(kStateBuilding, kStateRiding);
    framesUntilFadeIn();
    EXPECT_EQ(game().state, kStateRiding);
    ASSERT_NE(game().ride(), nullptr) << "4 -> 5";
    EXPECT_EQ(game().rideState(), kRideCountdown);
    game().transition->request(kStateRiding, kStateRiding);
    framesUntilFadeIn();
    EXPECT_NE(game().ride(), nullptr) << "5 -> 5";
}

// The trackside view aims itself at the train every frame; a drag (the
// look-around the ride allows after its lap) must not turn it.
TEST_F(GameFrameTest, TheTracksideViewIgnoresDrags) {
    game().state = kStateRiding;
    game().camera->mode = kCameraTrackside;
    game().input.dragMode = kLookAround;
    const glm::mat4 before = game().camera->view().frame().local;
    platform_.queueMouseBy(40, 25);
    platform_.deliverInput(*app_);
    EXPECT_EQ(game().camera->view().frame().local, before);
}

// Looking around from the seat is allowed from the countdown on.
TEST_F(GameFrameTest, TheSeatViewMayLookAroundFromTheCountdownOn) {
    enter(kStateRiding);
    ASSERT_EQ(game().camera->mode, kCameraSeat);
    EXPECT_EQ(game().input.dragMode, kLookAround);
    platform_.queueMouseBy(-50, 0);
    platform_.deliverInput(*app_);
    EXPECT_FLOAT_EQ(game().camera->yaw, 10.0f) << "0.2 degrees a pixel";
}

class GameWithoutCarsTest : public GameFrameTest {
protected:
    const char* setupFile() const override { return "[Game Data]\nFrontEnd=1\nCars=0\n"; }
};

// A train without following cars does not stop the ride's sounds when it
// leaves the scene; the level's tear-down does, whatever the train.
TEST_F(GameWithoutCarsTest, LeavingTheRideStopsItsSounds) {
    enter(kStateRiding);
    ASSERT_EQ(game().rideState(), kRideCountdown);
    std::vector<int32_t> channels;
    for (sound::SoundSample* sample : {game().sound->wooden.get(), game().sound->lift.get()}) {
        sample->play();
        library_->playingChannels.insert(sample->channel());
        channels.push_back(sample->channel());
    }
    game().transition->request(kStateRiding, kStateTitle);
    ASSERT_GT(framesUntilState(kStateTitle), 0);
    for (const int32_t channel : channels) EXPECT_TRUE(logged("stopSound " + std::to_string(channel))) << channel;
}

class GameWithBadCarsTest : public GameFrameTest {
protected:
    const char* setupFile() const override { return "[Game Data]\nFrontEnd=1\nCars=255\n"; }
};

// "Cars=255" read into a byte was -1: the seat choice divided by zero.
TEST_F(GameWithBadCarsTest, RidesInASeatOfATrainItCanBuild) {
    enter(kStateRiding);
    EXPECT_EQ(game().choice.carCount, kMaxFollowingCars);
    EXPECT_GE(game().choice.seat, 1);
    EXPECT_LE(game().choice.seat, game().choice.seatCount());
}

// The game created in a folder of its own with a setup file and a window.
class GameSetup : public ::testing::Test {
protected:
    bool start(const char* setupFile, const DisplayMode& mode = DisplayMode{}) {
        std::filesystem::create_directories("data");
        std::ofstream("data/setup.bin") << setupFile;
        app = GameApp::Instance();
        app->platform = &platform;
        return platform.openWindow(mode) && app->create();
    }
    void TearDown() override {
        if (app) app->shutdown();
        GameApp::Destroy();
    }

    test::TempFolder folder_{true};
    HeadlessPlatform platform{false};
    GameApp* app = nullptr;
};

TEST_F(GameSetup, BrokenSetupFileGivesDefaults) {
    ASSERT_TRUE(start("\x01\x02garbage[[[\n=====\n[Game Data\nCars==x\n"));
    EXPECT_EQ(app->game->choice.carCount, 0);
    EXPECT_TRUE(app->game->choice.levelNames.empty());
    EXPECT_EQ(app->game->view.background[3], 255);
    app->beginGame();
    platform.setFrameStep(0.125f);
    for (int i = 0; i < 40; ++i) platform.runFrame(*app);
    EXPECT_EQ(app->game->state, kStateLoading) << "no pictures, yet the game runs on";
}

// Without a rectangle, resizing fits the view window to the frame buffer:
// a 16:9 window is not drawn squashed into 4:3.
TEST_F(GameSetup, ResizingWithoutARectangleFitsTheFrameBuffer) {
    ASSERT_TRUE(start("[Game Data]\nFrontEnd=1\n", DisplayMode{1280, 720, 32, 0}));
    app->resize(nullptr);
    const glm::vec2 window = app->game->camera->view().viewWindow();
    EXPECT_FLOAT_EQ(window.x, 0.7f);
    EXPECT_FLOAT_EQ(window.y, 0.7f * 720.0f / 1280.0f);
}

}  // namespace
}  // namespace zr
