// The shared game record: state and timers, recorded input, the camera,
// the shell's pictures, the level and block-set lists and the subsystem
// objects. Built in two steps (construction, then begin) by the GameApp.
#pragma once

#include "app/config.h"
#include "camera/alpha_sorter.h"
#include "camera/game_camera.h"
#include "world/scene_context.h"
#include "world/world.h"
#include "track/catalogue.h"
#include "track/coaster.h"
#include "camera/camera_controller.h"
#include "ride/ride.h"
#include "engine/camera.h"
#include "sound/sound_bank.h"
#include "ui/screen_image.h"
#include "ui/dialogue_box.h"
#include "ui/screen_font.h"
#include "ui/screen_transition.h"
#include "ui/ui_context.h"

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

constexpr const char* kLogoPicture = "./data/images/Scenekit.png";
constexpr const char* kLoadingPicture = "./data/images/loading.png";
constexpr const char* kCreditsPicture = "./data/images/credits.png";
constexpr const char* kCursorPicture = "./data/images/cursor.png";
constexpr const char* kTooltipFont = "./data/images/fonts/tooltip";
constexpr const char* kSmallFont = "./data/images/fonts/smallfont";

class Game final : public ui::TransitionHost, public ui::MenuHost, public RideHost {
public:
    explicit Game(GameApp& app);
    ~Game() override;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    int32_t begin();
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
    float pointerX() const override { return mouseX; }
    float pointerY() const override { return mouseY; }
    int32_t& leftButtonState() override { return leftButton; }
    int32_t& dragModeState() override { return dragMode; }
    int32_t& lastKeyUpState() override { return lastKeyUp; }
    float pointerIdleSeconds() const override { return idleSeconds; }
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
    int32_t rideBlockSet() const override { return currentBlockSet; }
    bool ridingState() const override { return state == kStateRiding; }
    sound::SoundBank* rideSounds() override { return sound.get(); }
    engine::World* rideWorld() override { return world ? world->engineWorld.get() : nullptr; }
    void setRideDragMode(int32_t mode) override { dragMode = mode; }
    void requestTitle() override;
    void testRunEnded(int32_t rideState) override;

    void loadCars();
    // The ride, the camera and the ride display of a 3D frame.
    void updateRide();
    // The live statistics in the corner while a ride runs.
    void drawRideStatistics();
    int32_t rideState() const { return coaster ? coaster->rideState : 0; }

    void replaceScreenImage(const char* path);
    void placeCameraAtStart();
    void setUpBuilding();
    void setUpRiding();
    std::string blockSetFolder() const;
    engine::Colour backgroundColour() const;
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
    std::unique_ptr<GameCamera> camera;
    std::unique_ptr<AlphaSorter> alphaSorter;
    std::unique_ptr<World> world;
    std::unique_ptr<Catalogue> catalogue;
    std::unique_ptr<Coaster> coaster;
    std::unique_ptr<Car> vehicle;
    std::unique_ptr<Ride> ride;
    std::unique_ptr<CameraController> cameraController;
    SceneContext scene;
    AnimatedTextures animatedTextures;
    float mouseX = 0.0f, mouseY = 0.0f;
    float mouseDX = 0.0f, mouseDY = 0.0f;
    float idleSeconds = 0.0f;
    int32_t leftButton = kButtonUp;
    int32_t rightButton = kButtonUp;
    int32_t dragMode = 0;
    int32_t lastKeyUp = 255;
    std::unique_ptr<ui::ScreenFont> tooltipFont;
    std::unique_ptr<ui::ScreenFont> smallFont;
    std::unique_ptr<ui::DialogueBox> dialogue;
    int32_t closeRequest = 0;
    std::unique_ptr<ui::ScreenTransition> transition;
    std::unique_ptr<ui::ScreenImage> screenImage;
    std::vector<std::string> levelNames;
    int8_t currentLevel = 0;
    int8_t levelCount = 0;
    std::vector<std::string> blockSetNames;
    int8_t currentBlockSet = 0;
    int8_t blockSetCount = 0;
    int8_t carCount = 0;
    int8_t carDesign = 1;
    int8_t seat = 1;
    int32_t textureHigh = 0;
    engine::TextureDictionary* defaultTextures = nullptr;  // not owned
    std::unique_ptr<TitleScreen> title;
    std::unique_ptr<sound::SoundBank> sound;
    int32_t musicOn = 0;
    std::array<int16_t, kMaxLodDistances> lodDistances{};
    int16_t lodCount = 0;
    uint8_t background[4] = {0, 0, 0, 255};
    // The 1 -> 2 and 2 -> 3 requests are raised once per process.
    bool logoRequested = false;
    bool loadingRequested = false;
    ui::UiContext ui;
};

}  // namespace zr
