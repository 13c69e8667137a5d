// Building and destroying the Game record, the state switch that the
// transition performs behind the black screen, and the ride's display.
#include "app/game.h"

#include "app/game_app.h"
#include "app/title_screen.h"
#include "platform/profile.h"

#include <glm/glm.hpp>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zr {

std::string LevelChoice::levelPath() const {
    const size_t index = static_cast<size_t>(currentLevel);
    return index < levelNames.size() ? levelNames[index] : std::string();
}

std::string LevelChoice::blockSetFolder() const {
    const size_t index = static_cast<size_t>(currentBlockSet);
    return index < blockSetNames.size() ? blockSetNames[index] : std::string();
}

Game::Game(GameApp& owner) : app(owner), ui(&owner.engine, 1.0f, 1.0f, &frameSeconds, this) {
    // 1. The engine's dictionary of the moment is the default one.
    defaultTextures = app.engine.currentDictionary();
    const Profile profile(kSetupFile);
    const GameSettings settings = readGameSettings(profile);
    // 2. Detail distances.
    view.lodDistances = settings.lodDistances;
    view.lodCount = settings.lodCount;

    // 3, 4. The camera, cleared to black before anything is shown.
    camera = std::make_unique<GameCamera>(app.engine, app.width, app.height, true,
                                          static_cast<uint32_t>(profile.getInt("Game Data", "FarClipPlane", 0)),
                                          static_cast<uint32_t>(profile.getInt("Game Data", "FogClipPlane", 0)));
    if (!camera->valid()) {
        app.platform->errorBox("Error creating the camera");
        return;
    }
    engine::Camera& view3d = camera->view();
    view3d.clear(engine::Colour{0, 0, 0, 255}, engine::kClearColour | engine::kClearDepth);
    view3d.beginUpdate();
    view3d.endUpdate();
    // 5. The frame buffer's size and the 2D scale factors.
    rasterWidth = view3d.frameBuffer().width;
    rasterHeight = view3d.frameBuffer().height;
    ui.scaleX = static_cast<float>(rasterWidth) * 0.00125f;
    ui.scaleY = static_cast<float>(rasterHeight) * 0.0016666667f;
    alphaSorter = std::make_unique<AlphaSorter>(app.engine, &view3d);
    scene = std::make_unique<SceneContext>(&app.engine, ui, &view3d, alphaSorter.get(),
                                           DetailDistances{view.lodDistances.data(), &view.lodCount}, &animatedTextures,
                                           [this](glm::vec3* position) {
                                               // Full detail around the train of a test run.
                                               if (rideState() != kRideTest || !vehicle()) return false;
                                               *position = vehicle()->position();
                                               return true;
                                           });
    cameraController = std::make_unique<CameraController>(CameraControllerContext(
        *camera, [this] { return cameraSubjects(); }, state, frameSeconds, choice.carCount, choice.seat,
        [] { return std::rand(); }));
    // 6. The engine logo.
    screenImage = std::make_unique<ui::ScreenImage>(ui, kLogoPicture, 0, 0);
    // 7, 8. Levels, block sets, the train and the colours.
    choice.levelNames = settings.levelNames;
    choice.currentLevel = settings.currentLevel;
    choice.blockSetNames = settings.blockSetNames;
    choice.currentBlockSet = settings.currentBlockSet;
    choice.carCount = settings.carCount;
    choice.carDesign = 1;
    choice.seat = 1;
    for (int i = 0; i < 4; ++i) view.background[i] = settings.background[i];
    view.textureHigh = settings.textureHigh;
    // 9. Seed the random numbers with the milliseconds of the time of day.
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::srand(static_cast<unsigned>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count() % 1000));
}

Game::~Game() {
    if (level) tearDownLevel();
    title.reset();
    tooltipFont.reset();
    smallFont.reset();
    sound.reset();
    transition.reset();
    screenImage.reset();
    cameraController.reset();
    scene.reset();
    alphaSorter.reset();
    camera.reset();
}

int32_t Game::begin() {
    // 1. Show the engine logo once, before anything else is built.
    if (camera && camera->valid()) {
        camera->view().beginUpdate();
        if (screenImage) screenImage->draw(camera->view(), 0.0f, 0.0f);
        camera->view().endUpdate();
        app.present(camera->view());
    }
    // 3. The title.
    const Profile profile(kSetupFile);
    if (profile.getInt("Game Data", "FrontEnd", 0) == 0) {
        // The game cannot run without its title; build it anyway.
        app.platform->debugPrinter()("FrontEnd is 0 in setup.bin; the title screen is created regardless");
    }
    title = std::make_unique<TitleScreen>(*this);
    // 4. to 7. The transition, the sound bank with the music on, the image
    // search path and the fonts.
    transition = std::make_unique<ui::ScreenTransition>(ui, *this);
    sound = std::make_unique<sound::SoundBank>(
        app.soundLibraryFactory ? app.soundLibraryFactory() : createNullSoundLibrary(), &frameSeconds);
    musicOn = 1;
    app.engine.setImageSearchPath("");
    tooltipFont = std::make_unique<ui::ScreenFont>(ui, kTooltipFont);
    smallFont = std::make_unique<ui::ScreenFont>(ui, kSmallFont);
    return 1;
}

engine::World* Game::rideWorld() {
    World* loaded = world();
    return loaded ? loaded->engineWorld.get() : nullptr;
}

CameraSubjects Game::cameraSubjects() const {
    if (!level) return {};
    const Ride* running = level->ride.get();
    return CameraSubjects{level->world ? level->world->engineWorld.get() : nullptr, level->coaster.get(),
                          level->vehicle.get(), running ? &running->record() : nullptr,
                          level->catalogue ? &level->catalogue->facts : nullptr};
}

void Game::updateRide() {
    if (!coaster()) return;
    if (ride()) ride()->update();
    cameraController->update();
    const int32_t now = rideState();
    if (now >= kRideCountdown && now <= kRideExperienceDone && animatedTextures.image) {
        animatedTextures.image->update(camera->view());
    }
}

void Game::drawRideStatistics() {
    const Ride* running = ride();
    if (!running || !smallFont || !smallFont->valid()) return;
    const RideRecord& record = running->record();
    if (record.state == kRideCountdown) {
        const int seconds = static_cast<int>(std::ceil(std::max(record.countdown, 0.0f)));
        smallFont->drawText(seconds > 0 ? "Get ready... " + std::to_string(seconds) : "Go!", 0.0f, 300.0f,
                            ui::kAlignCentre, 400.0f);
        return;
    }
    if (record.state != kRideExperience && record.state != kRideExperienceDone && record.state != kRideTest) return;
    const bool done = record.state == kRideExperienceDone;
    const RideStats& s = done ? record.committed : record.live;
    const float speed = done ? s.maxSpeed : std::max(record.speed, 0.0f);
    char lines[4][64];
    std::snprintf(lines[0], sizeof lines[0], "Speed %.0f km/h   Top %.0f km/h", speed * 3.6f, s.maxSpeed * 3.6f);
    std::snprintf(lines[1], sizeof lines[1], "Time %.1f s   Length %.0f m", s.time, s.length);
    std::snprintf(lines[2], sizeof lines[2], "Lateral %.2f g", s.lateralG);
    std::snprintf(lines[3], sizeof lines[3], "Vertical +%.2f g / %.2f g", s.positiveVerticalG, s.negativeVerticalG);
    for (int i = 0; i < 4; ++i) {
        smallFont->drawText(lines[i], 12.0f, 70.0f - 15.0f * static_cast<float>(i), ui::kAlignLeft, 400.0f);
    }
}

void Game::quitCommand(ui::Button&) {
    GameApp* app = GameApp::Instance();
    Game* game = app ? app->game.get() : nullptr;
    if (!game || game->input.leftButton != kButtonPressed) return;
    game->input.leftButton = kButtonUp;
    if (!game->dialogue) {
        game->openQuitDialogue();
        return;
    }
    // Confirmed: leave the editor for the title.
    game->transition->request(kStateBuilding, kStateTitle);
}

void Game::openQuitDialogue() {
    if (dialogue) return;
    closeRequest = 0;
    dialogue = std::make_unique<ui::DialogueBox>(ui, &Game::quitCommand, "EXIT THE GAME",
                                                 "Unsaved data will be lost!", &closeRequest);
}

void Game::updateDialogue() {
    if (!dialogue) return;
    if (smallFont) dialogue->drawBox(*smallFont);
    dialogue->update();
    if (!closeRequest) return;
    // The box's holder finishes: on OK the command runs again and acts.
    const int32_t result = dialogue->result;
    const ui::ButtonCommand command = dialogue->command;
    closeRequest = 0;
    if (result == ui::kBoxConfirmed && command) {
        input.leftButton = kButtonPressed;
        ui::Button* any = dialogue->buttonList().empty() ? nullptr : dialogue->buttonList().front().get();
        if (any) command(*any);
    }
    dialogue.reset();
}

void Game::requestTitle() { transition->request(kStateRiding, kStateTitle); }

void Game::testRunEnded(int32_t) { cameraController->setMode(kCameraTrackEnd); }

void Game::playMusic(const char* path) {
    if (sound) sound->playMusic(path);
}

void Game::stopMusic() {
    if (sound) sound->stopMusic();
}

void Game::setMusicVolume(int32_t volume) {
    if (sound) sound->musicVolume = static_cast<float>(volume);
}

void Game::fadeMusicOut() {
    if (sound) sound->fadeMusicOut();
}

void Game::fadeMusicIn() {
    if (sound) sound->fadeMusicIn();
}

bool Game::transitionIdle() const { return transition && transition->phase() == ui::kIdle; }

void Game::restartFrameClock() { app.restartFrameClock = 1; }

engine::Colour Game::backgroundColour() const {
    return engine::Colour{view.background[0], view.background[1], view.background[2], view.background[3]};
}

void Game::replaceScreenImage(const char* path) {
    screenImage.reset();
    screenImage = std::make_unique<ui::ScreenImage>(ui, path, 0, 0);
}

void Game::switchGameStates(int32_t from, int32_t to) {
    const bool enteringLevel = to == kStateBuilding || to == kStateRiding;
    if (from == kStateLogo && screenImage) replaceScreenImage(kLoadingPicture);
    if (from == kStateLoading) {
        screenImage.reset();
        title->start();
    }
    if (from == kStateTitle) title->stop();
    // Leaving a level tears it down first, also when the next state is a
    // level again (4 -> 4 after a load, 4 -> 5, 5 -> 5).
    if ((from == kStateBuilding || from == kStateRiding) && level) tearDownLevel();
    // The new state is stored before the set-up, which chooses by it.
    state = to;
    if (enteringLevel)
        setUpLevel(choice.levelPath().c_str());
    else if (to == kStateTitle && from != kStateLoading)
        title->start();
    else if (to == kStateCredits)
        replaceScreenImage(kCreditsPicture);
    transition->clearRequest();
    if (app.cursor) app.cursor->setVisible(to == kStateTitle || to == kStateBuilding || to == kStateNone);
    app.restartFrameClock = 1;
}

}  // namespace zr
