// The shared game record: the state and its timers, the recorded input, the
// level choice, the loaded level, and the shell's objects (camera, pictures,
// fonts, title, transition, sound). Built in two steps (construction, then
// begin) by the GameApp; a level is set up on entering the building or
// riding state and torn down on leaving it (level_setup.cpp).
#pragma once

#include "app/config.h"
#include "camera/alpha_sorter.h"
#include "camera/camera_controller.h"
#include "camera/game_camera.h"
#include "engine/camera.h"
#include "ride/ride.h"
#include "sound/sound_bank.h"
#include "track/catalogue.h"
#include "track/coaster.h"
#include "ui/dialogue_box.h"
#include "ui/screen_font.h"
#include "ui/screen_image.h"
#include "ui/screen_transition.h"
#include "ui/ui_context.h"
#include "world/scene_context.h"
#include "world/world.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zr {

class GameApp;
class TitleScreen;

namespace engine {
class TextureDictionary;
}

enum GameState : int32_t {
    kStateLogo = 1,
    kStateLoading = 2,
    kStateTitle = 3,
    kStateBuilding = 4,
    kStateRiding = 5,
    kStateNone = 6,
    kStateCredits = 7,
};

enum ButtonState : int32_t { kButtonUp = 0, kButtonPressed = 1, kButtonReleased = 3 };

// Which mouse buttons hold the building view. In the riding state the ride
// sets kDragRight to mean "looking around from the seat is allowed".
enum DragMode : int32_t { kDragNone = 0, kDragRight = 1, kDragLeft = 2, kDragBoth = 3 };
constexpr DragMode kLookAround = kDragRight;

constexpr const char* kLogoPicture = "./data/images/Scenekit.png";
constexpr const char* kLoadingPicture = "./data/images/loading.png";
constexpr const char* kCreditsPicture = "./data/images/credits.png";
constexpr const char* kCursorPicture = "./data/images/cursor.png";
constexpr const char* kTooltipFont = "./data/images/fonts/tooltip";
constexpr const char* kSmallFont = "./data/images/fonts/smallfont";
constexpr const char* kBuildingMusic = "./data/music/background.wav";

// The input recorded between frames, for the frame to read.
struct InputState {
    float mouseX = 0.0f, mouseY = 0.0f;    // cursor at the last move, pixels, y down
    float mouseDX = 0.0f, mouseDY = 0.0f;  // motion of the last move; cleared after every frame
    float idleSeconds = 0.0f;              // since the mouse last moved
    int32_t leftButton = kButtonUp;        // ButtonState; 3 lasts one frame
    int32_t rightButton = kButtonUp;
    DragMode dragMode = kDragNone;  // kept across frames and states
    int32_t lastKeyUp = 255;        // key code of the last key released
};

// The levels and block sets of the settings and the player's choice.
struct LevelChoice {
    std::vector<std::string> levelNames;
    std::vector<std::string> blockSetNames;
    int8_t currentLevel = 0;
    int8_t currentBlockSet = 0;
    int8_t carCount = 0;   // cars behind the lead car, 0 .. kMaxFollowingCars
    int8_t carDesign = 1;  // a loaded coaster may choose another
    int8_t seat = 1;       // the seat view's seat, 1 .. (carCount + 1) * 4

    std::string levelPath() const;
    std::string blockSetFolder() const;
    int32_t seatCount() const { return (carCount + 1) * 4; }
};

// What one visit of the building or riding state loads, in the order it is
// built; destroyed in the reverse order (the ride first, the world last).
struct LoadedLevel {
    std::unique_ptr<World> world;
    std::unique_ptr<Catalogue> catalogue;  // with the block set's facts
    std::unique_ptr<Car> vehicle;          // the lead car and its following cars
    std::unique_ptr<Coaster> coaster;
    std::unique_ptr<Ride> ride;
};

// The settings the views are drawn with.
struct ViewSettings {
    std::array<int16_t, kMaxLodDistances> lodDistances{};
    int16_t lodCount = 0;
    uint8_t background[4] = {0, 0, 0, 255};  // BGr, BGg, BGb, BGa
    int32_t textureHigh = 0;
};

class Game final : public ui::TransitionHost, public ui::MenuHost, public RideHost {
public:
    explicit Game(GameApp& app);
    ~Game() override;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    int32_t begin();

    // Level set-up and tear-down (level_setup.cpp).
    void setUpLevel(const char* levelPath);
    void tearDownLevel();

    // ui::TransitionHost
    void resetStateSeconds() override { stateSeconds = 0.0f; }
    void restartFrameClock() override;
    void switchGameStates(int32_t from, int32_t to) override;
    void setMusicVolume(int32_t volume) override;
    void fadeMusicOut() override;
    void fadeMusicIn() override;

    // ui::MenuHost
    engine::Camera& menuCamera() override { return camera->view(); }
    float pointerX() const override { return input.mouseX; }
    float pointerY() const override { return input.mouseY; }
    int32_t& leftButtonState() override { return input.leftButton; }
    void endDrag() override { input.dragMode = kDragNone; }
    int32_t& lastKeyUpState() override { return input.lastKeyUp; }
    float pointerIdleSeconds() const override { return input.idleSeconds; }
    int32_t frameBufferHeight() const override { return rasterHeight; }
    ui::ScreenFont* tooltipScreenFont() override { return tooltipFont.get(); }
    int32_t gameState() const override { return state; }
    bool transitionIdle() const override;
    void buildModeHook() override {}
    bool isLeftSlidingMenu(const ui::Menu*) const override { return false; }
    bool isRightSlidingMenu(const ui::Menu*) const override { return false; }

    // Music through the sound bank (silent without one).
    void playMusic(const char* path);
    void stopMusic();

    // RideHost
    float rideFrameSeconds() const override { return frameSeconds; }
    bool ridingState() const override { return state == kStateRiding; }
    sound::SoundBank* rideSounds() override { return sound.get(); }
    engine::World* rideWorld() override;
    void allowLookAround(bool allowed) override { input.dragMode = allowed ? kLookAround : kDragNone; }
    void requestTitle() override;
    void testRunEnded(int32_t rideState) override;

    // The loaded level's parts, or none between levels.
    World* world() const { return level ? level->world.get() : nullptr; }
    Coaster* coaster() const { return level ? level->coaster.get() : nullptr; }
    Car* vehicle() const { return level ? level->vehicle.get() : nullptr; }
    Ride* ride() const { return level ? level->ride.get() : nullptr; }
    Catalogue* catalogue() const { return level ? level->catalogue.get() : nullptr; }
    int32_t rideState() const { return ride() ? ride()->state() : kRideIdle; }
    CameraSubjects cameraSubjects() const;

    // The ride, the camera and the ride display of a 3D frame.
    void updateRide();
    // The live statistics in the corner while a ride runs.
    void drawRideStatistics();
    engine::Colour backgroundColour() const;
    void replaceScreenImage(const char* path);
    // The editor is busy while one of its boxes is showing.
    bool editorBusy() const { return dialogue != nullptr; }
    // The "EXIT THE GAME" confirmation of the building state.
    void openQuitDialogue();
    void updateDialogue();
    static void quitCommand(ui::Button& button);

    GameApp& app;
    int32_t state = kStateLogo;
    float frameSeconds = 0.0f;
    float stateSeconds = 0.0f;
    int32_t rasterWidth = 0;
    int32_t rasterHeight = 0;
    InputState input;
    LevelChoice choice;
    ViewSettings view;
    std::unique_ptr<LoadedLevel> level;  // between set-up and tear-down only

    // The shell's objects, built once.
    std::unique_ptr<GameCamera> camera;
    std::unique_ptr<AlphaSorter> alphaSorter;
    std::unique_ptr<CameraController> cameraController;
    ui::UiContext ui;
    AnimatedTextures animatedTextures;
    std::unique_ptr<SceneContext> scene;
    engine::TextureDictionary* defaultTextures = nullptr;  // not owned
    std::unique_ptr<ui::ScreenFont> tooltipFont;
    std::unique_ptr<ui::ScreenFont> smallFont;
    std::unique_ptr<ui::DialogueBox> dialogue;
    int32_t closeRequest = 0;
    std::unique_ptr<ui::ScreenTransition> transition;
    std::unique_ptr<ui::ScreenImage> screenImage;
    std::unique_ptr<TitleScreen> title;
    std::unique_ptr<sound::SoundBank> sound;
    int32_t musicOn = 0;
    // The 1 -> 2 and 2 -> 3 requests are raised once per process.
    bool logoRequested = false;
    bool loadingRequested = false;

private:
    // The numbered steps of the level set-up (level_setup.cpp).
    void loadCars();
    void setUpBuilding();
    void setUpRiding();
    void placeCameraAtStart();
    void chooseRideView();
};

}  // namespace zr
