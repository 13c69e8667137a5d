// Building and tearing down the Game record, and the state switch that the
// transition performs behind the black screen.
#include "app/game.h"

#include "app/game_app.h"
#include "app/title_screen.h"
#include "platform/profile.h"

#include <chrono>
#include <cstdlib>

namespace zr {

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
    camera = std::make_unique<engine::Camera>(app.engine, app.width, app.height, true);
    if (!camera->valid()) {
        app.platform->errorBox("Error creating the camera");
        return;
    }
    camera->clear(engine::Colour{0, 0, 0, 255}, engine::kClearColour | engine::kClearDepth);
    camera->beginUpdate();
    camera->endUpdate();
    rasterWidth = camera->frameBuffer().width;
    rasterHeight = camera->frameBuffer().height;
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
    transition.reset();
    screenImage.reset();
    camera.reset();
}

int32_t Game::begin() {
    // Show the engine logo once, before anything else is built.
    if (camera && camera->valid()) {
        camera->beginUpdate();
        if (screenImage) screenImage->draw(*camera, 0.0f, 0.0f);
        camera->endUpdate();
        app.present(*camera);
    }
    const Profile profile(kSetupFile);
    if (profile.getInt("Game Data", "FrontEnd", 0) == 0) {
        // The game cannot run without its title; build it anyway.
        app.platform->debugPrinter()("FrontEnd is 0 in setup.bin; the title screen is created regardless");
    }
    title = std::make_unique<TitleScreen>(*this);
    transition = std::make_unique<ui::ScreenTransition>(ui, *this);
    musicOn = 1;
    app.engine.setImageSearchPath("");
    tooltipFont = std::make_unique<ui::ScreenFont>(ui, kTooltipFont);
    return 1;
}

void Game::setUpLevel(const char*) {}

void Game::tearDownLevel() {}

void Game::playMusic(const char*) {}

void Game::stopMusic() {}

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
