// Title state frame, its commands and the countdown.
#include "app/title_screen.h"

#include "app/game.h"
#include "app/game_app.h"

#include <cstdlib>

namespace zr {
namespace {

// The commands reach the game through the application, as every command does.
Game* activeGame() {
    GameApp* app = GameApp::Instance();
    return app ? app->game.get() : nullptr;
}

// Acts once per click: only on a fresh press, which it consumes.
Game* takeClick() {
    Game* game = activeGame();
    if (!game || game->input.leftButton != kButtonPressed) return nullptr;
    game->input.leftButton = kButtonUp;
    return game;
}

void chooseLevel(Game& game, int8_t level, int32_t state) {
    game.choice.currentLevel = level;
    game.choice.currentBlockSet = level;
    game.transition->request(kStateTitle, state);
}

template <int8_t Level>
void rideLevel(ui::Button&) {
    if (Game* game = takeClick()) chooseLevel(*game, Level, kStateRiding);
}

template <int8_t Level>
void buildLevel(ui::Button&) {
    if (Game* game = takeClick()) chooseLevel(*game, Level, kStateBuilding);
}

void exitGame(ui::Button&) {
    if (Game* game = takeClick()) game->transition->request(kStateTitle, kStateCredits);
}

}  // namespace

std::vector<ui::ButtonSpec> TitleScreen::buttonTable() {
    return {
        {0, &rideLevel<0>, nullptr}, {0, &buildLevel<0>, nullptr}, {0, &rideLevel<1>, nullptr},
        {0, &buildLevel<1>, nullptr}, {0, &rideLevel<2>, nullptr}, {0, &buildLevel<2>, nullptr},
        {0, &rideLevel<3>, nullptr}, {0, &buildLevel<3>, nullptr}, {0, &rideLevel<4>, nullptr},
        {0, &buildLevel<4>, nullptr}, {0, &exitGame, nullptr},
    };
}

TitleScreen::TitleScreen(Game& game) : game_(game) {
    menu_ = std::make_unique<ui::Menu>(game_.ui, kTitleMenuPicture, 0.0f, 0.0f, buttonTable());
}

TitleScreen::~TitleScreen() = default;

void TitleScreen::start() {
    shown_ = menu_.get();
    countdown_ = kDemonstrationSeconds;
    if (game_.musicOn) game_.playMusic(kTitleMusic);
}

void TitleScreen::stop() {
    if (game_.musicOn) game_.stopMusic();
}

void TitleScreen::update() {
    engine::Camera& camera = game_.camera->view();
    camera.beginUpdate();
    camera.clear(game_.backgroundColour(), engine::kClearColour | engine::kClearDepth);
    if (shown_) shown_->draw(1);
    (void)std::rand();
    game_.app.frontEndTail();
    if (shown_) shown_->update();

    if (countdown_ != 0.0f && game_.transition->phase() == ui::kIdle) {
        countdown_ -= game_.frameSeconds;
    }
    if (countdown_ < 0.0f) {
        // A demonstration ride on a random level.
        countdown_ = 0.0f;
        chooseLevel(game_, static_cast<int8_t>(std::rand() % kTitleLevels), kStateRiding);
    }
}

}  // namespace zr
