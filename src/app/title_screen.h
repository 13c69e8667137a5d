// The title state: the title menu (ride or build one of the five levels, or
// exit) and the demonstration countdown that starts a ride on a random
// level after 75 s without a choice.
#pragma once

#include "ui/menu.h"

#include <memory>

namespace zr {

class Game;

constexpr const char* kTitleMenuPicture = "./data/images/build/build.png";
constexpr const char* kTitleMusic = "./data/music/title.wav";
constexpr float kDemonstrationSeconds = 75.0f;
constexpr int kTitleLevels = 5;

class TitleScreen {
public:
    explicit TitleScreen(Game& game);
    ~TitleScreen();

    void start();
    void stop();
    void update();

    ui::Menu* shownMenu() const { return shown_; }
    ui::Menu& titleMenu() const { return *menu_; }
    float countdown() const { return countdown_; }
    void setCountdown(float seconds) { countdown_ = seconds; }

    // The title menu's table: row 2n rides level n, 2n + 1 builds it, the
    // last exits.
    static std::vector<ui::ButtonSpec> buttonTable();

private:
    Game& game_;
    std::unique_ptr<ui::Menu> menu_;
    ui::Menu* shown_ = nullptr;
    float countdown_ = 0.0f;
};

}  // namespace zr
