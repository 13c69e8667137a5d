// The frame: input has been recorded by the operations below between
// frames; the state machine draws and advances the current state; the
// common tail presents the frame and retires the consumed input.
#include "app/game_app.h"

#include "app/title_screen.h"
#include "platform/key_table.h"

#include <algorithm>
#include <cstdlib>

namespace zr {
namespace {

constexpr int32_t kKeyM = 'm';
constexpr float kLogoSeconds = 2.0f;
constexpr float kViewWindow = 0.7f;
constexpr float kLookRate = 0.2f;  // degrees per pixel of mouse motion
constexpr float kWidestYaw = 90.0f;
constexpr float kLowestPitch = -80.0f;
constexpr float kHighestPitch = 50.0f;
constexpr float kAspect = 1.3333334f;
constexpr float kLoadingSeconds = 2.5f;
constexpr float kCreditsSeconds = 3.0f;

std::unique_ptr<GameApp>& instanceSlot() {
    static std::unique_ptr<GameApp> instance;
    return instance;
}

}  // namespace

GameApp::GameApp() : AppFramework(640, 480) { padRelay = std::make_unique<PadRelay>(*this); }

GameApp::~GameApp() { padRelay.reset(); }

GameApp* GameApp::Instance() {
    std::unique_ptr<GameApp>& slot = instanceSlot();
    if (!slot) slot.reset(new GameApp());
    return slot.get();
}

void GameApp::Destroy() { instanceSlot().reset(); }

// --- start-up and shutdown ---

int32_t GameApp::create() {
    if (!AppFramework::create()) return 0;
    textures = std::make_unique<engine::TextureDictionary>(engine);
    engine.setCurrentDictionary(textures.get());
    game = std::make_unique<Game>(*this);
    platform->setWindowTitle("Zephyrail");
    return 1;
}

int32_t GameApp::beginGame() {
    restartFrameClock = 0;
    return game ? game->begin() : 0;
}

int32_t GameApp::shutdown() {
    game.reset();
    engine.setCurrentDictionary(nullptr);
    textures.reset();
    return AppFramework::shutdown();
}

int32_t GameApp::resize(const Rect* client) {
    if (!game || !game->camera) return 1;
    if (client && client->width > 0 && client->height > 0) {
        const ClientRect rect{0, 0, client->width, client->height};
        game->camera->resize(&rect, kViewWindow, kAspect);
    } else {
        // No rectangle: the full-screen mode's size, else the frame buffer's.
        game->camera->resize(nullptr, kViewWindow, kAspect, displayMode.fullScreen != 0, displayMode.width,
                             displayMode.height);
    }
    return 1;
}

int32_t GameApp::commandToken(const char* token) {
    // Tokens are only turned into native paths; they have no further effect.
    const std::string native = platform->nativePath(token);
    (void)native;
    return 1;
}

// --- input recording ---

int32_t GameApp::leftButtonDown(const MouseEvent*) {
    if (!game) return 1;
    InputState& input = game->input;
    input.leftButton = kButtonPressed;
    if (game->state == kStateBuilding && !game->editorBusy()) {
        input.dragMode = input.dragMode == kDragRight ? kDragBoth : kDragLeft;
    }
    return 1;
}

int32_t GameApp::leftButtonUp(const MouseEvent*) {
    if (!game) return 1;
    InputState& input = game->input;
    input.leftButton = kButtonReleased;
    if (game->state == kStateBuilding) {
        if (input.dragMode == kDragLeft)
            input.dragMode = kDragNone;
        else if (input.dragMode == kDragBoth)
            input.dragMode = kDragRight;
    }
    return 1;
}

int32_t GameApp::rightButtonDown(const MouseEvent*) {
    if (!game) return 1;
    InputState& input = game->input;
    input.rightButton = kButtonPressed;
    if (game->state == kStateBuilding && !game->editorBusy()) {
        input.dragMode = input.dragMode == kDragLeft ? kDragBoth : kDragRight;
    }
    return 1;
}

int32_t GameApp::rightButtonUp(const MouseEvent*) {
    if (!game) return 1;
    InputState& input = game->input;
    input.rightButton = kButtonReleased;
    if (game->state == kStateBuilding) {
        if (input.dragMode == kDragRight)
            input.dragMode = kDragNone;
        else if (input.dragMode == kDragBoth)
            input.dragMode = kDragLeft;
    }
    return 1;
}

int32_t GameApp::mouseMove(const MouseEvent* event) {
    if (!game) return 1;
    InputState& input = game->input;
    input.mouseX = event->x;
    input.mouseY = event->y;
    input.mouseDX = event->dx;
    input.mouseDY = event->dy;
    input.idleSeconds = 0.0f;
    if (game->state != kStateRiding && game->state != kStateBuilding) return 1;
    GameCamera& camera = *game->camera;
    if (game->state == kStateRiding) {
        if (input.dragMode == kLookAround && camera.mode == kCameraSeat) seatTurn(*event);
        // While riding the cursor never wanders: put it back. The seat
        // view turns once per event (the building drag below is not run
        // again for it).
        putCursorBack(*event);
        if (camera.mode == kCameraSeat) return 1;
    }
    buildingDrag(*event);
    return 1;
}

int32_t GameApp::keyDown(const KeyEvent* event) {
    if (!game) return 2;
    if (event->keyCode == kKeyEscape && game->state == kStateRiding && !game->editorBusy()) {
        game->transition->request(kStateRiding, kStateTitle);
        return 1;
    }
    if (event->keyCode == kKeyEscape && game->state == kStateBuilding && !game->editorBusy()) {
        game->openQuitDialogue();  // exactly as the Quit button does
        return 1;
    }
    const bool rideRunning = game->rideState() >= kRideCountdown && game->rideState() <= kRideExperienceDone;
    if (event->keyCode == 's' && (game->state == kStateBuilding || game->state == kStateRiding) && rideRunning &&
        game->sound && game->sound->scream && !game->sound->scream->isPlaying()) {
        game->sound->scream->play();
        return 1;
    }
    return 2;
}

int32_t GameApp::keyUp(const KeyEvent* event) {
    if (!game) return 1;
    game->input.lastKeyUp = event->keyCode;
    const bool musicState = game->state == kStateTitle || game->state == kStateBuilding;
    if (game->state == kStateRiding) ridingKeyUp(event->keyCode);
    if (game->state == kStateBuilding && !game->editorBusy()) buildingKeyUp(event->keyCode);
    if (event->keyCode == kKeyM && musicState && game->transition->phase() == ui::kIdle) {
        if (game->musicOn) {
            game->musicOn = 0;
            game->stopMusic();
        } else {
            game->musicOn = 1;
            game->playMusic(game->state == kStateTitle ? kTitleMusic : kBuildingMusic);
        }
    }
    return 1;
}

void GameApp::seatTurn(const MouseEvent& event) {
    GameCamera& camera = *game->camera;
    // The seat view applies the clamped angles each frame.
    camera.pitch = std::clamp(camera.pitch + event.dy * kLookRate, kLowestPitch, kHighestPitch);
    camera.yaw = std::clamp(camera.yaw - event.dx * kLookRate, -kWidestYaw, kWidestYaw);
}

void GameApp::putCursorBack(const MouseEvent& event) {
    if (cursor) cursor->setPosition(event.x - event.dx, event.y - event.dy);
    game->input.mouseX = event.x;
    game->input.mouseY = event.y;
}

void GameApp::buildingDrag(const MouseEvent& event) {
    Game& g = *game;
    GameCamera& camera = *g.camera;
    auto sign = [](float v) { return v > 0.0f ? 1.0f : v < 0.0f ? -1.0f : 0.0f; };
    if (camera.mode == kCameraSeat) {
        if (g.input.dragMode == kLookAround) {
            seatTurn(event);
            putCursorBack(event);
        }
        return;
    }
    // The trackside view aims itself at the train every frame: a drag
    // would only make it wobble.
    if (camera.mode == kCameraTrackside) return;
    switch (g.input.dragMode) {
        case kDragRight:  // look around
            if (camera.mode == kCameraFollow) return;
            camera.pitch += event.dy * kLookRate;
            camera.yaw -= event.dx * kLookRate;
            camera.turnAboutRight(nullptr, event.dy * kLookRate);
            camera.turnAboutUp(nullptr, -event.dx * kLookRate);
            break;
        case kDragLeft:  // move over the ground
            g.cameraController->moveBy(glm::vec3(-sign(event.dx), 0.0f, sign(event.dy)));
            break;
        case kDragBoth:  // up and down
            g.cameraController->moveBy(glm::vec3(0.0f, 2.0f * sign(event.dy), 0.0f));
            break;
        default: return;
    }
    putCursorBack(event);
}

void GameApp::stepSeat(int32_t delta) {
    LevelChoice& choice = game->choice;
    choice.seat = static_cast<int8_t>(std::clamp(choice.seat + delta, 1, choice.seatCount()));
    game->cameraController->chooseSeat();
}

void GameApp::buildingKeyUp(int32_t keyCode) {
    Game& g = *game;
    const int32_t ride = g.rideState();
    const bool inProgress = ride != kRideIdle && ride < kRidePassed;
    switch (keyCode) {
    case '1':
        if (ride == kRideIdle) {
            g.cameraController->setMode(kCameraTrackEnd);
        } else if (inProgress && g.coaster() && g.coaster()->trackState >= kTrackComplete) {
            g.cameraController->setMode(kCameraTrackside);
        } else if (inProgress && g.vehicle()) {
            g.cameraController->placeAtObject(*g.vehicle(), glm::vec3(20.0f, 20.0f, 20.0f));
            g.cameraController->follow(g.vehicle());
            g.cameraController->setMode(kCameraFollow);
        }
        break;
    case '2':
        if (ride == kRideIdle) g.cameraController->setMode(kCameraFree);
        else if (inProgress) g.cameraController->setMode(kCameraSeat);
        break;
    case ',':
        stepSeat(-1);
        break;
    case '.':
        stepSeat(1);
        break;
    default:
        break;
    }
}

void GameApp::ridingKeyUp(int32_t keyCode) {
    Game& g = *game;
    switch (keyCode) {
    case '1':
        g.cameraController->setMode(kCameraTrackside);
        break;
    case '2':
        g.cameraController->setMode(kCameraSeat);
        break;
    case ',':
        stepSeat(-1);
        break;
    case '.':
        stepSeat(1);
        break;
    default:
        break;
    }
}

int32_t GameApp::padButtonsDown(const PadEvent* event) { return padRelay->buttonsDown(*event); }

int32_t GameApp::padButtonsUp(const PadEvent* event) { return padRelay->buttonsUp(*event); }

int32_t GameApp::padStick(const float* xy) { return padRelay->stick(xy); }

// --- the frame ---

int32_t GameApp::frame(float seconds) {
    if (!game || !game->camera || !game->camera->valid() || !game->transition) return 1;
    Game& g = *game;
    if (restartFrameClock) {
        restartFrameClock = 0;
        g.frameSeconds = 0.0f;
        g.stateSeconds = 0.0f;
    } else {
        g.frameSeconds = seconds;
        g.stateSeconds += seconds;
    }
    const int32_t before = g.state;
    switch (g.state) {
    case kStateLogo:
        drawScreenImageFrame();
        break;
    case kStateLoading:
        drawScreenImageFrame();
        break;
    case kStateTitle:
        g.title->update();
        if (g.state != kStateTitle) restartFrameClock = 1;
        break;
    case kStateBuilding:
    case kStateRiding:
        buildingOrRidingFrame();
        if (g.state != before) restartFrameClock = 1;
        break;
    case kStateCredits:
        if (g.stateSeconds < kCreditsSeconds) {
            drawScreenImageFrame();
        } else {
            platform->setQuit();  // the program ends after this frame
        }
        break;
    default:
        break;
    }
    commonTail();
    return 1;
}

void GameApp::drawScreenImageFrame() {
    Game& g = *game;
    g.camera->view().beginUpdate();
    const float limit = g.state == kStateLogo ? kLogoSeconds : kLoadingSeconds;
    if (g.state == kStateCredits || g.stateSeconds < limit) {
        if (g.screenImage) g.screenImage->draw(g.camera->view(), 0.0f, 0.0f);
    } else if (g.state == kStateLogo && !g.logoRequested) {
        g.logoRequested = true;
        g.transition->request(kStateLogo, kStateLoading);
    } else if (g.state == kStateLoading && !g.loadingRequested) {
        g.loadingRequested = true;
        g.transition->request(kStateLoading, kStateTitle);
    }
    frontEndTail();
}

void GameApp::buildingOrRidingFrame() {
    Game& g = *game;
    g.camera->view().clear(g.backgroundColour(), engine::kClearColour | engine::kClearDepth);
    g.camera->view().beginUpdate();
    engine::RenderStates scene;
    scene.depthTest = true;
    scene.depthWrite = true;
    scene.fog = true;
    scene.alphaTest = true;
    scene.alphaReference = 128;
    scene.source = engine::BlendFactor::One;
    scene.destination = engine::BlendFactor::Zero;
    engine.renderer().setStates(scene);
    engine.setFogColour(g.backgroundColour());
    engine.setFogEnabled(true);
    if (g.world()) g.world()->render();
    (void)std::rand();
    engine.renderer().setStates(engine::RenderStates{});  // the 2D interface
    g.drawRideStatistics();
    g.updateDialogue();
    frontEndTail();
    // The ride moves the train and the camera follows it for the next frame.
    g.updateRide();
}

void GameApp::frontEndTail() {
    Game& g = *game;
    engine::Camera& camera = g.camera->view();
    if (cursor) cursor->draw(camera, g.rasterWidth, g.rasterHeight);
    camera.endUpdate();
    camera.beginUpdate();
    ui::ScreenTransition& transition = *g.transition;
    if (transition.phase() == ui::kIdle || !transition.update(camera)) {
        camera.endUpdate();
        return;
    }
    camera.endUpdate();
    if (transition.phase() == ui::kFadeOut) {
        // Show the black screen, switch behind it, start the new state black.
        present(camera);
        transition.switchStates();
        camera.clear(engine::Colour{0, 0, 0, 255}, engine::kClearColour | engine::kClearDepth);
        camera.beginUpdate();
        camera.endUpdate();
    }
}

void GameApp::commonTail() {
    Game& g = *game;
    present(g.camera->view());
    InputState& input = g.input;
    input.mouseDX = 0.0f;
    input.mouseDY = 0.0f;
    input.idleSeconds += g.frameSeconds;
    if (g.sound) g.sound->update();  // keeps the music stream fed
    if (input.leftButton == kButtonReleased) input.leftButton = kButtonUp;
    if (input.rightButton == kButtonReleased) input.rightButton = kButtonUp;
}

}  // namespace zr
