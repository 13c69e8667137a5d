// The title state: the title menu over its background picture and the
// demonstration countdown that starts a ride on a random level after 75 s
// without a choice.
#pragma once

#include "ui/screen_image.h"

#include <memory>

namespace zr {

class Game;

constexpr const char* kTitleMenuPicture = "./data/images/build/build.png";
constexpr float kDemonstrationSeconds = 75.0f;

class TitleScreen {
public:
    explicit TitleScreen(Game& game);
    ~TitleScreen();

    void start();
    void stop();
    void update();

    float countdown() const { return countdown_; }
    void setCountdown(float seconds) { countdown_ = seconds; }

private:
    Game& game_;
    std::unique_ptr<ui::ScreenImage> background_;
    float countdown_ = 0.0f;
};

}  // namespace zr
