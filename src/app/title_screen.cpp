// Title state frame and countdown.
#include "app/title_screen.h"

#include "app/game.h"
#include "app/game_app.h"

#include <cstdlib>

namespace zr {

TitleScreen::TitleScreen(Game& game) : game_(game) {
    background_ = std::make_unique<ui::ScreenImage>(game_.ui, kTitleMenuPicture, 0, 0);
}

TitleScreen::~TitleScreen() = default;

void TitleScreen::start() { countdown_ = kDemonstrationSeconds; }

void TitleScreen::stop() {}

void TitleScreen::update() {
    engine::Camera& camera = *game_.camera;
    camera.beginUpdate();
    camera.clear(game_.backgroundColour(), engine::kClearColour | engine::kClearDepth);
    background_->draw(camera, 0.0f, 0.0f);
    (void)std::rand();
    game_.app.frontEndTail();

    if (countdown_ != 0.0f && game_.transition->phase() == ui::kIdle) {
        countdown_ -= game_.frameSeconds;
    }
    if (countdown_ < 0.0f) {
        // A demonstration ride on a random level.
        countdown_ = 0.0f;
        const int8_t level = static_cast<int8_t>(std::rand() % 5);
        game_.currentLevel = level;
        game_.currentBlockSet = level;
        game_.transition->request(kStateTitle, kStateRiding);
    }
}

}  // namespace zr
