// Content: every menu of the game, built by the game's own Menu class from
// freshly generated data, has the buttons of its table, each with its
// picture; and the screens a player sees are kept as artefacts.
#include "../support/recording_renderer.h"
#include "game_run.h"
#include "platform/headless/headless_platform.h"
#include "ui/menu.h"

#include <filesystem>

namespace zr {
namespace {

void noCommand(ui::Button&) {}

struct MenuCase {
    const char* background;
    size_t tableRows;
    size_t buttons;  // buttons on the picture (the features panel shares rows with the dialogue box)
};

constexpr MenuCase kMenus[] = {
    {"./data/images/build/build.png", 11, 11},
    {"./data/images/panel/panel.png", 9, 9},
    {"./data/images/features/features.png", 4, 2},
    {"./data/images/leftmenu/corner/panel.png", 1, 1},
    {"./data/images/rightmenu/corner/panel.png", 1, 1},
    {"./data/images/leftmenu/panel.png", 4, 4},
    {"./data/images/rightmenu/panel.png", 4, 4},
    {"./data/images/dialoguebox/dialoguebox.png", 2, 2},
    {"./data/images/inputbox/inputbox.png", 2, 2},
    {"./data/images/load/panel.png", 7, 7},
    {"./data/images/Save/panel.png", 7, 7},
};

class MenuContent : public test::GameRun {};

TEST_F(MenuContent, EveryMenuHasTheButtonsOfItsTable) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(fileOf(""));
    HeadlessPlatform platform(false);
    engine::Engine engine;
    engine.initialise(1 << 20);
    engine.open(platform);
    engine.startWith(std::make_unique<test::RecordingRenderer>());
    engine.registerImageReader("png", &engine::readPng);
    engine.registerImageReader("bmp", &engine::readBmp);
    ui::UiContext context(&engine, 1.0f, 1.0f, nullptr, nullptr);
    for (const MenuCase& menu : kMenus) {
        const std::vector<ui::ButtonSpec> table(menu.tableRows, ui::ButtonSpec{0, &noCommand, nullptr});
        const ui::Menu built(context, menu.background, 0.0f, 0.0f, table);
        EXPECT_EQ(built.buttonList().size(), menu.buttons) << menu.background;
        std::vector<bool> seen(menu.tableRows + 1, false);
        for (const auto& button : built.buttonList()) {
            EXPECT_FALSE(button->empty()) << menu.background << " button " << button->number << " has a picture";
            ASSERT_GE(button->number, 1);
            ASSERT_LE(static_cast<size_t>(button->number), menu.tableRows);
            EXPECT_FALSE(seen[static_cast<size_t>(button->number)]) << "button " << button->number << " twice";
            seen[static_cast<size_t>(button->number)] = true;
        }
    }
    for (const char* picture : {"./data/images/tooslow.png", "./data/images/collision.png", "./data/images/ok.png",
                                "./data/images/common/loadsave-hilite.png", "./data/images/common/folder.png",
                                "./data/images/common/thumbnailmask.bmp"}) {
        engine::Image image;
        EXPECT_TRUE(engine.readImage(picture, &image)) << picture;
    }
    std::filesystem::current_path(previous);
}

}  // namespace
}  // namespace zr
