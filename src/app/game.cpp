// Building and tearing down the Game record, and the state switch that the
// transition performs behind the black screen.
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
namespace {

// Where the camera first looks at a level from: metres behind and above the
// start marker, and degrees down.
constexpr float kStartViewBack = 18.0f;
constexpr float kStartViewUp = 7.0f;
constexpr float kStartViewPitch = 12.0f;

}  // namespace

Game::Game(GameApp& owner) : app(owner) {
    ui.engine = &app.engine;
    ui.frameSeconds = &frameSeconds;
    ui.host = this;
    defaultTextures = app.engine.currentDictionary();
    const Profile profile(kSetupFile);
    const GameSettings settings = readGameSettings(profile);
    lodDistances = settings.lodDistances;
    lodCount = settings.lodCount;

    // The camera, cleared to black before anything is shown.
    camera = std::make_unique<GameCamera>(app.engine, app.width, app.height, true,
                                          static_cast<uint32_t>(profile.getInt("Game Data", "FarClipPlane", 0)),
                                          static_cast<uint32_t>(profile.getInt("Game Data", "FogClipPlane", 0)));
    if (!camera->valid()) {
        app.platform->errorBox("Error creating the camera");
        return;
    }
    engine::Camera& view = camera->view();
    view.clear(engine::Colour{0, 0, 0, 255}, engine::kClearColour | engine::kClearDepth);
    view.beginUpdate();
    view.endUpdate();
    rasterWidth = view.frameBuffer().width;
    rasterHeight = view.frameBuffer().height;
    alphaSorter = std::make_unique<AlphaSorter>(app.engine, &view);
    scene.engine = &app.engine;
    scene.camera = &view;
    scene.alphaSorter = alphaSorter.get();
    scene.lodDistances = lodDistances.data();
    scene.lodCount = &lodCount;
    scene.animatedTextures = &animatedTextures;
    CameraControllerContext control;
    control.camera = camera.get();
    control.world = [this] { return world ? world->engineWorld.get() : nullptr; };
    control.coaster = [this] { return coaster.get(); };
    control.train = [this] { return vehicle.get(); };
    control.state = &state;
    control.frameSeconds = &frameSeconds;
    control.blockSet = &currentBlockSet;
    control.carCount = &carCount;
    control.seat = &seat;
    control.random = [] { return std::rand(); };
    cameraController = std::make_unique<CameraController>(control);
    ui.scaleX = static_cast<float>(rasterWidth) * 0.00125f;
    ui.scaleY = static_cast<float>(rasterHeight) * 0.0016666667f;

    screenImage = std::make_unique<ui::ScreenImage>(ui, kLogoPicture, 0, 0);

    levelNames = settings.levelNames;
    levelCount = static_cast<int8_t>(levelNames.size());
    currentLevel = settings.currentLevel;
    blockSetNames = settings.blockSetNames;
    blockSetCount = static_cast<int8_t>(blockSetNames.size());
    currentBlockSet = settings.currentBlockSet;
    carCount = settings.carCount;
    carDesign = 1;
    seat = 1;
    for (int i = 0; i < 4; ++i) background[i] = settings.background[i];
    textureHigh = settings.textureHigh;

    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::srand(static_cast<unsigned>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count() % 1000));
}

Game::~Game() {
    tearDownLevel();
    title.reset();
    tooltipFont.reset();
    smallFont.reset();
    sound.reset();
    transition.reset();
    screenImage.reset();
    alphaSorter.reset();
    camera.reset();
}

int32_t Game::begin() {
    // Show the engine logo once, before anything else is built.
    if (camera && camera->valid()) {
        camera->view().beginUpdate();
        if (screenImage) screenImage->draw(camera->view(), 0.0f, 0.0f);
        camera->view().endUpdate();
        app.present(camera->view());
    }
    const Profile profile(kSetupFile);
    if (profile.getInt("Game Data", "FrontEnd", 0) == 0) {
        // The game cannot run without its title; build it anyway.
        app.platform->debugPrinter()("FrontEnd is 0 in setup.bin; the title screen is created regardless");
    }
    title = std::make_unique<TitleScreen>(*this);
    transition = std::make_unique<ui::ScreenTransition>(ui, *this);
    sound = std::make_unique<sound::SoundBank>(
        app.soundLibraryFactory ? app.soundLibraryFactory() : createNullSoundLibrary(), &frameSeconds);
    musicOn = 1;
    app.engine.setImageSearchPath("");
    tooltipFont = std::make_unique<ui::ScreenFont>(ui, kTooltipFont);
    smallFont = std::make_unique<ui::ScreenFont>(ui, kSmallFont);
    return 1;
}

void Game::setUpLevel(const char* levelPath) {
    frameSeconds = 0.0f;
    stateSeconds = 0.0f;
    idleSeconds = 0.0f;
    seat = 1;
    app.engine.setCurrentDictionary(defaultTextures);
    const std::string level = levelPath ? levelPath : "";
    // Riding shows the experience world beside the level's own.
    const std::string worldPath = state == kStateRiding ? World::folderOf(level) + "experience.bsp" : level;
    world = std::make_unique<World>(scene, *app.platform, camera.get(), worldPath);
    world->loadObjects();
    if (state == kStateBuilding) {
        setUpBuilding();
    } else {
        placeCameraAtStart();
        setUpRiding();
    }
    dragMode = 0;
    // The first three detail distances follow the block set.
    const Profile profile(kSetupFile);
    if (lodCount != 0) {
        const auto near = levelLodDistances(profile.getInt("Application Data", "LOD", 0), currentBlockSet);
        std::copy(near.begin(), near.end(), lodDistances.begin());
    }
}

std::string Game::blockSetFolder() const {
    const size_t index = static_cast<size_t>(currentBlockSet);
    return index < blockSetNames.size() ? blockSetNames[index] : std::string();
}

void Game::setUpBuilding() {
    catalogue = std::make_unique<Catalogue>(scene);
    catalogue->load(blockSetFolder());
    // The banked straights that leave a bank take the place of those that
    // keep it, so the bank commands find them first.
    catalogue->exchangeBankedStraights("BLBLstraight-d1.dff", "BLBNstraight-d1.dff");
    catalogue->exchangeBankedStraights("BRBRstraight-d1.dff", "BRBNstraight-d1.dff");
    for (CataloguePiece* piece = catalogue->pieces.oldest; piece;
         piece = static_cast<CataloguePiece*>(piece->newer)) {
        if (piece->name.find("straight-d1.dff") != std::string::npos) {
            piece->makeCurrentVariant();
            break;
        }
    }
    loadCars();
    coaster = std::make_unique<Coaster>(scene, world.get());
    if (CataloguePiece* station = catalogue->findPieceContaining("station")) coaster->appendBlock(*station);
    // Reset the camera: placement at the track's end, moves checked
    // against the world.
    camera->following = 0;
    camera->needsPlacement = 1;
    camera->pitch = camera->yaw = camera->roll = 0.0f;
    dragMode = 0;
    cameraController->setMode(kCameraTrackEnd);
    if (musicOn) playMusic("./data/music/background.wav");
}

void Game::setUpRiding() {
    const std::string folder = blockSetFolder();
    app.engine.setImageSearchPath("textures/");
    catalogue = std::make_unique<Catalogue>(scene);
    catalogue->textures = std::make_unique<engine::TextureDictionary>(app.engine);
    catalogue->textures->read(folder + "/world.txd");
    app.engine.setCurrentDictionary(catalogue->textures.get());
    app.engine.setImageSearchPath(folder + "/textures/");
    auto experience = std::make_unique<CataloguePiece>(scene, folder + "/features/experience1.dff", false,
                                                       catalogue->textures.get());
    if (experience->model) {
        CataloguePiece* piece = catalogue->addPiece(std::move(experience));
        catalogue->count = 1;
        catalogue->candidates = {piece, nullptr};
        catalogue->candidateCount = 1;
    }
    loadCars();
    coaster = std::make_unique<Coaster>(scene, world.get());
    if (CataloguePiece* piece = catalogue->findPieceContaining("experience")) coaster->appendBlock(*piece);
    // The experience ride: a 3 s countdown, then a lap.
    ride = std::make_unique<Ride>(*this, *coaster, *vehicle);
    ride->startRide(kRideExperience);
    ride->countdown = 3.0f;
    frameSeconds = 0.01f;
    ride->update();
    const bool demonstration = title && title->countdown() == 0.0f;
    if (demonstration && std::rand() % 2 == 0) {
        cameraController->setMode(kCameraTrackside);
        dragMode = 0;
    } else {
        seat = static_cast<int8_t>(std::rand() % ((carCount + 1) * 4) + 1);
        cameraController->setMode(kCameraSeat);
        dragMode = 1;  // look around allowed
    }
    cameraController->update();
}

void Game::loadCars() {
    const std::string folder = blockSetFolder();
    vehicle = std::make_unique<Car>(scene, Car::leadCarPath(folder, carDesign));
    vehicle->makeFollowingCars(Car::carPath(folder, carDesign), carCount, currentBlockSet);
}

void Game::updateRide() {
    if (!coaster) return;
    if (ride) ride->update();
    cameraController->update();
    const int32_t state = rideState();
    if (state >= kRideCountdown && state <= kRideExperienceDone && animatedTextures.image) {
        animatedTextures.image->update(camera->view());
    }
}

void Game::drawRideStatistics() {
    if (!coaster || !smallFont || !smallFont->valid()) return;
    const int32_t ride = rideState();
    if (ride == kRideCountdown && this->ride) {
        const int seconds = static_cast<int>(std::ceil(std::max(this->ride->countdown, 0.0f)));
        smallFont->drawText(seconds > 0 ? "Get ready... " + std::to_string(seconds) : "Go!", 0.0f, 300.0f,
                            ui::kAlignCentre, 400.0f);
        return;
    }
    if (ride != kRideExperience && ride != kRideExperienceDone && ride != kRideTest) return;
    const RideStats& s = ride == kRideExperienceDone ? coaster->committed : coaster->live;
    const float speed = ride == kRideExperienceDone ? s.maxSpeed : std::max(coaster->speed, 0.0f);
    char lines[4][64];
    std::snprintf(lines[0], sizeof lines[0], "Speed %.0f km/h   Top %.0f km/h", speed * 3.6f, s.maxSpeed * 3.6f);
    std::snprintf(lines[1], sizeof lines[1], "Time %.1f s   Length %.0f m", s.time, s.length);
    std::snprintf(lines[2], sizeof lines[2], "Lateral %.2f g", s.lateralG);
    std::snprintf(lines[3], sizeof lines[3], "Vertical +%.2f g / %.2f g", s.positiveVerticalG, s.negativeVerticalG);
    for (int i = 0; i < 4; ++i) smallFont->drawText(lines[i], 12.0f, 70.0f - 15.0f * static_cast<float>(i), ui::kAlignLeft, 400.0f);
}

void Game::quitCommand(ui::Button&) {
    GameApp* app = GameApp::Instance();
    Game* game = app ? app->game.get() : nullptr;
    if (!game || game->leftButton != kButtonPressed) return;
    game->leftButton = kButtonUp;
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
        leftButton = kButtonPressed;
        ui::Button* any = dialogue->buttonList().empty() ? nullptr : dialogue->buttonList().front().get();
        if (any) command(*any);
    }
    dialogue.reset();
}

void Game::requestTitle() { transition->request(kStateRiding, kStateTitle); }

void Game::testRunEnded(int32_t) { cameraController->setMode(kCameraTrackEnd); }

void Game::placeCameraAtStart() {
    // Behind and above the station's spot, looking along its heading.
    glm::vec3 start = world ? world->origin : glm::vec3(0.0f);
    float heading = 0.0f;
    if (world && world->startCount > 0) {
        start = world->startPositions[static_cast<size_t>(world->startIndex)];
        heading = world->startHeadings[static_cast<size_t>(world->startIndex)];
    }
    const float radians = glm::radians(heading);
    const glm::vec3 forward(std::sin(radians), 0.0f, std::cos(radians));
    camera->placeAt(start - forward * kStartViewBack + glm::vec3(0.0f, kStartViewUp, 0.0f), heading,
                    kStartViewPitch);
}

void Game::tearDownLevel() {
    dialogue.reset();
    if (camera) camera->following = 0;
    if (vehicle) vehicle->removeFromWorld();
    ride.reset();
    coaster.reset();
    vehicle.reset();
    catalogue.reset();
    animatedTextures.targets.clear();
    animatedTextures.image.reset();
    world.reset();
    if (musicOn) stopMusic();
}

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
    return engine::Colour{background[0], background[1], background[2], background[3]};
}

void Game::replaceScreenImage(const char* path) {
    screenImage.reset();
    screenImage = std::make_unique<ui::ScreenImage>(ui, path, 0, 0);
}

void Game::switchGameStates(int32_t from, int32_t to) {
    if (from == kStateLogo && screenImage) {
        replaceScreenImage(kLoadingPicture);
    }
    if (from == kStateLoading) {
        screenImage.reset();
        title->start();
    }
    if (from == kStateTitle) {
        title->stop();
        state = to;
        if (to == kStateBuilding || to == kStateRiding) {
            const size_t level = static_cast<size_t>(currentLevel);
            setUpLevel(level < levelNames.size() ? levelNames[level].c_str() : "");
        } else if (to == kStateCredits) {
            replaceScreenImage(kCreditsPicture);
        }
    }
    if (from == kStateBuilding || from == kStateRiding) {
        tearDownLevel();
        if (to == kStateTitle) {
            title->start();
        } else if (to == kStateCredits) {
            replaceScreenImage(kCreditsPicture);
        }
    }
    state = to;
    transition->clearRequest();
    if (app.cursor) {
        app.cursor->setVisible(to == kStateTitle || to == kStateBuilding || to == kStateNone);
    }
    app.restartFrameClock = 1;
}

}  // namespace zr
