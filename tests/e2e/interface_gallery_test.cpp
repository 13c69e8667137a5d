// The editor's interface drawn by the game's own classes on the real GL
// renderer: the build panel, corner and sliding menus, the features panel
// and a dialogue box with its text, kept as an artefact to look at.
#include "game_run.h"
#include "platform/headless/headless_platform.h"
#include "ui/dialogue_box.h"
#include "ui/menu.h"
#include "ui/screen_font.h"

#include <filesystem>

namespace zr {
namespace {

void noCommand(ui::Button&) {}

class Gallery : public test::GameRun {};

struct Host final : ui::MenuHost {
    engine::Camera* camera = nullptr;
    int32_t left = 0, drag = 0, key = 0;
    engine::Camera& menuCamera() override { return *camera; }
    float pointerX() const override { return 700.0f; }
    float pointerY() const override { return 600.0f - 250.0f; }
    int32_t& leftButtonState() override { return left; }
    void endDrag() override { drag = 0; }
    int32_t& lastKeyUpState() override { return key; }
    float pointerIdleSeconds() const override { return 0.0f; }
    int32_t frameBufferHeight() const override { return 600; }
    ui::ScreenFont* tooltipScreenFont() override { return nullptr; }
    int32_t gameState() const override { return 4; }
    bool transitionIdle() const override { return true; }
    void buildModeHook() override {}
    bool isLeftSlidingMenu(const ui::Menu*) const override { return false; }
    bool isRightSlidingMenu(const ui::Menu*) const override { return false; }
};

TEST_F(Gallery, EditorInterfaceAndDialogueBox) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(fileOf(""));
    HeadlessPlatform platform(true);
    ASSERT_TRUE(platform.openWindow(DisplayMode{}));
    engine::Engine engine;
    engine.initialise(1 << 22);
    engine.open(platform);
    ASSERT_TRUE(engine.start());
    engine.registerImageReader("png", &engine::readPng);
    engine.registerImageReader("bmp", &engine::readBmp);
    engine::Camera camera(engine, 800, 600, true);
    Host host;
    host.camera = &camera;
    float seconds = 0.0f;
    ui::UiContext context{&engine, 1.0f, 1.0f, &seconds, &host};
    auto table = [](size_t rows) { return std::vector<ui::ButtonSpec>(rows, ui::ButtonSpec{0, &noCommand, nullptr}); };
    ui::Menu panel(context, "./data/images/panel/panel.png", 674, 160, table(9));
    ui::Menu features(context, "./data/images/features/features.png", 672, 77, table(4));
    ui::Menu leftCorner(context, "./data/images/leftmenu/corner/panel.png", 0, 548, table(1));
    ui::Menu rightCorner(context, "./data/images/rightmenu/corner/panel.png", 748, 548, table(1));
    ui::SlidingMenu leftMenu(context, "./data/images/leftmenu/panel.png", -132, 556, table(4), 137, -139);
    ui::SlidingMenu rightMenu(context, "./data/images/rightmenu/panel.png", 756, 556, table(4), -137, -139);
    ASSERT_EQ(panel.buttonList().size(), 9u);
    panel.setButtonEnabled(0, panel.buttonList()[4]->onPress);  // some commands are unavailable
    ui::ScreenFont font(context, "./data/images/fonts/smallfont");
    ASSERT_TRUE(font.valid());
    int32_t closeRequest = 0;
    ui::DialogueBox box(context, &noCommand, "EXIT THE GAME", "Unsaved data will be lost!", &closeRequest);
    rightMenu.toggle();
    seconds = 1.0f;  // fully open in one frame

    camera.beginUpdate();
    camera.clear(engine::Colour{96, 150, 210, 255}, engine::kClearColour | engine::kClearDepth);
    engine.renderer().setStates(engine::RenderStates{});
    panel.draw(1);
    features.draw(1);
    leftCorner.draw(1);
    rightCorner.draw(1);
    leftMenu.drawAnimated(1);
    rightMenu.drawAnimated(1);
    box.drawBox(font);
    camera.endUpdate();
    engine::Image frame;
    ASSERT_TRUE(camera.readFrameBuffer(&frame));
    std::filesystem::current_path(previous);
    ASSERT_TRUE(engine::writePng(fileOf("interface.png"), frame));
    keepArtefact("interface.png", "editor-interface.png");
    // The panels and the box really drew: most of the frame is not the
    // clear colour around them, and the box's centre is not sky.
    const uint8_t* centre = frame.pixel(400, 300);
    EXPECT_FALSE(centre[0] == 96 && centre[1] == 150 && centre[2] == 210);
    const uint8_t* panelPixel = frame.pixel(674 + 60, 600 - 160 - 70);
    EXPECT_FALSE(panelPixel[0] == 96 && panelPixel[1] == 150 && panelPixel[2] == 210);
}

}  // namespace
}  // namespace zr
