// Menus: layout from the position image, picture lookup, hit test, input
// rules of push and toggle buttons, tooltips, sliding.
#include "../support/ui_fixture.h"
#include "ui/menu.h"
#include "ui/screen_font.h"

#include <fstream>

namespace zr::ui {
namespace {

int gPresses = 0;
int gReleases = 0;
void countPress(Button&) { ++gPresses; }
void countRelease(Button&) { ++gReleases; }
void otherPress(Button&) {}
void thirdPress(Button&) {}

class MenuTest : public test::UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        gPresses = gReleases = 0;
    }
    // A 20 x 20 button picture: opaque except a transparent left column.
    void writeButtonPicture(const std::string& name) {
        engine::Image picture = filled(20, 20, {200, 50, 50, 255});
        for (int32_t row = 0; row < 20; ++row) picture.pixel(0, row)[3] = 0;
        write(name, picture);
    }
    std::unique_ptr<Menu> makeMenu(int32_t width, int32_t height, const std::vector<Marker>& markers,
                                   std::vector<ButtonSpec> table, int32_t keys = 3) {
        write("panel.png", filled(width, height, {10, 20, 30, 255}));
        write("panel pos.png", layout(width, height, keys, markers));
        return std::make_unique<Menu>(context_, folder_.file("panel.png"), 100.0f, 50.0f, std::move(table));
    }
    // Pointer at a point of the menu (bottom-up, relative to the menu).
    void pointAt(const Menu& menu, float x, float y) {
        host_.mouseX = menu.x + x;
        host_.mouseY = 600.0f - (menu.y + y);
    }
};

TEST_F(MenuTest, MarkersGiveNumberedButtonsBottomUp) {
    for (const char* name : {"1 select.png", "2 select.png", "3 select.png"}) writeButtonPicture(name);
    const auto menu = makeMenu(64, 40, {{5, 30, 1}, {30, 10, 3}, {10, 37, 2}, {12, 38, 2}},
                               {{0, &countPress, "one"}, {0, &otherPress, "two"}, {1, &thirdPress, "three"}});
    // Rows 38 and 39 of a 40-high image are never scanned; row 37 is.
    // Listed in the order the markers are found: rows top down.
    ASSERT_EQ(menu->buttonList().size(), 3u);
    const Button& three = *menu->buttonList()[0];
    EXPECT_EQ(three.number, 3);
    EXPECT_EQ(three.tooltip, "three") << "button 3 uses table row 2";
    EXPECT_NE(dynamic_cast<const ToggleButton*>(&three), nullptr);
    EXPECT_FLOAT_EQ(three.x, 30.0f);
    EXPECT_FLOAT_EQ(three.y, 40.0f - 1.0f - 10.0f);
    EXPECT_EQ(menu->buttonList()[2]->number, 2);
    EXPECT_FLOAT_EQ(menu->buttonList()[2]->y, 2.0f);
    EXPECT_FLOAT_EQ(menu->width, 64.0f);
}

TEST_F(MenuTest, FaultyLayoutsSkipButtonsWithoutHanging) {
    writeButtonPicture("1 select.png");
    EXPECT_TRUE(makeMenu(64, 3, {{5, 1, 1}}, {{0, &countPress, nullptr}})->buttonList().empty())
        << "3 pixels high: no buttons";
    // Number 2 has no table row, number 3 no picture, a colour not in the key row.
    const auto menu = makeMenu(64, 40, {{5, 5, 1}, {6, 6, 2}, {7, 7, 3}, {8, 8, 9}}, {{0, &countPress, nullptr}, {}},
                               3);
    ASSERT_EQ(menu->buttonList().size(), 1u);
    EXPECT_EQ(menu->buttonList()[0]->number, 1);
    EXPECT_TRUE(Menu(context_, folder_.file("missing.png"), 0, 0, {}).buttonList().empty());
}

TEST_F(MenuTest, PictureLookupTakesTheFirstSelectEntry) {
    write("1 select.png", filled(2, 2, {1, 1, 1, 255}));
    write("10 select.png", filled(2, 2, {1, 1, 1, 255}));
    write("1 hover.png", filled(2, 2, {1, 1, 1, 255}));
    EXPECT_EQ(Menu::selectPictureFor(folder_.path() + "/", 1), folder_.file("1 select.png"));
    EXPECT_EQ(Menu::selectPictureFor(folder_.path() + "/", 10), folder_.file("10 select.png"));
    EXPECT_EQ(Menu::selectPictureFor(folder_.path() + "/", 2), "");
    EXPECT_EQ(PushButton::inactivePathFor("./a/3 select.png"), "./a/3 inactive.png");
    EXPECT_EQ(PushButton::inactivePathFor("./a/3 select.bmp"), "./a/3 inactive.png");
    EXPECT_EQ(PushButton::inactivePathFor("./a/3select.png"), "./a/no3select.png");
    EXPECT_EQ(Menu::positionImagePath("./data/images/leftmenu/panel.png"), "./data/images/leftmenu/panel pos.png");
}

TEST_F(MenuTest, FullScreenLayoutClearsFirst) {
    makeMenu(800, 600, {}, {})->draw(1);
    EXPECT_EQ(renderer_->clears, 1);
    makeMenu(800, 599, {}, {})->draw(1);
    EXPECT_EQ(renderer_->clears, 1) << "800 x 599 does not clear";
}

TEST_F(MenuTest, HoverAndPressNeedAnOpaquePixel) {
    writeButtonPicture("1 select.png");
    const auto menu = makeMenu(64, 40, {{10, 30, 1}}, {{0, &countPress, nullptr}}, 1);
    Button& button = *menu->buttonList()[0];
    // Button at (10, 9) in the menu, 20 x 20; column 0 is transparent.
    pointAt(*menu, 10.5f, 15.0f);
    menu->draw(1);
    EXPECT_EQ(button.hover, 0) << "inside the rectangle but over a clear pixel";
    host_.leftButton = 1;
    menu->update();
    EXPECT_EQ(gPresses, 0);
    EXPECT_EQ(host_.leftButton, 1) << "not consumed";
    pointAt(*menu, 15.0f, 15.0f);
    menu->draw(1);
    EXPECT_EQ(button.hover, 1);
    menu->update();
    EXPECT_EQ(gPresses, 1);
    EXPECT_EQ(host_.leftButton, 0) << "consumed";
    EXPECT_EQ(button.state, 3);
    host_.idle = false;
    host_.leftButton = 1;
    menu->update();
    EXPECT_EQ(gPresses, 1) << "no input while a fade runs";
}

TEST_F(MenuTest, ReleaseRunsTheReleaseCommandAndEndsTheDrag) {
    writeButtonPicture("1 select.png");
    const auto menu = makeMenu(64, 40, {{10, 30, 1}}, {{0, &countPress, nullptr}}, 1);
    Button& button = *menu->buttonList()[0];
    button.onRelease = &countRelease;
    pointAt(*menu, 15.0f, 15.0f);
    menu->draw(1);
    host_.leftButton = 3;
    host_.dragMode = 2;
    menu->update();
    EXPECT_EQ(gReleases, 1);
    EXPECT_EQ(host_.dragMode, 0);
    EXPECT_EQ(button.state, 1);
}

TEST_F(MenuTest, BuildingStateCallsTheBuildHookBeforeThePress) {
    writeButtonPicture("1 select.png");
    const auto menu = makeMenu(64, 40, {{10, 30, 1}}, {{0, &countPress, nullptr}}, 1);
    host_.state = 4;
    pointAt(*menu, 15.0f, 15.0f);
    menu->draw(1);
    host_.leftButton = 2;
    menu->update();
    EXPECT_EQ(host_.hooks, 1);
    EXPECT_EQ(gPresses, 1) << "a value of 2 counts as a press";
}

TEST_F(MenuTest, DisabledButtonsDrawTheirInactivePictureAndLoseHover) {
    writeButtonPicture("1 select.png");
    write("1 inactive.png", filled(20, 20, {90, 90, 90, 255}));
    writeButtonPicture("2 select.png");
    const auto menu = makeMenu(64, 40, {{10, 30, 1}, {40, 30, 2}}, {{0, &countPress, "tip"}, {0, &otherPress, nullptr}},
                               2);
    auto& first = dynamic_cast<PushButton&>(*menu->buttonList()[0]);
    pointAt(*menu, 15.0f, 15.0f);
    menu->draw(1);
    ASSERT_EQ(first.hover, 1);
    EXPECT_EQ(menu->setButtonEnabled(0, &countPress), &first);
    EXPECT_EQ(first.hover, 0) << "its tooltip goes at once";
    pointAt(*menu, 45.0f, 15.0f);  // over the enabled button 2
    renderer_->quads.clear();
    menu->draw(0);  // only disabled buttons
    int inactiveQuads = 0;
    int secondButtonQuads = 0;
    for (const engine::Quad& quad : renderer_->quads) {
        inactiveQuads += quad.x == menu->x + 10.0f ? 1 : 0;
        secondButtonQuads += quad.x >= menu->x + 40.0f ? 1 : 0;
    }
    EXPECT_GT(inactiveQuads, 0) << "the inactive picture at the button";
    EXPECT_EQ(secondButtonQuads, 0) << "enabled buttons are not drawn with drawAll 0";
    host_.leftButton = 1;
    menu->update();
    EXPECT_EQ(gPresses, 0) << "a disabled button ignores clicks";
    EXPECT_EQ(menu->setButtonEnabled(1, &thirdPress), nullptr);
}

TEST_F(MenuTest, ToggleFlipsOncePerPress) {
    writeButtonPicture("1 select.png");
    const auto menu = makeMenu(64, 40, {{10, 30, 1}}, {{1, &countPress, nullptr}}, 1);
    auto& toggle = dynamic_cast<ToggleButton&>(*menu->buttonList()[0]);
    pointAt(*menu, 15.0f, 15.0f);
    menu->draw(1);
    host_.leftButton = 1;
    menu->update();
    EXPECT_EQ(toggle.toggled, 1);
    // The held button comes back as 1 before the next input pass saw a release.
    host_.leftButton = 1;
    menu->update();
    EXPECT_EQ(toggle.toggled, 1) << "holding does not flip again";
    host_.leftButton = 1;
    menu->update();
    EXPECT_EQ(toggle.toggled, 0) << "the next press flips back";
    EXPECT_EQ(gPresses, 2);
    host_.leftButton = 2;
    menu->update();
    EXPECT_EQ(gPresses, 2) << "a toggle ignores the value 2";
}

TEST_F(MenuTest, SlidingMenuOpensAtItsSpeedAndIgnoresTogglesWhileMoving) {
    write("panel.png", filled(50, 50, {10, 20, 30, 255}));
    write("panel pos.png", layout(50, 50, 0, {}));
    SlidingMenu menu(context_, folder_.file("panel.png"), -40.0f, 500.0f, {}, 137.0f, -139.0f);
    menu.toggle();
    EXPECT_FLOAT_EQ(menu.speed, 400.0f);
    frameSeconds_ = 0.1f;
    menu.drawAnimated(1);
    EXPECT_FLOAT_EQ(menu.offsetX, 40.0f);
    menu.toggle();  // moving: keeps moving
    EXPECT_FLOAT_EQ(menu.speed, 400.0f);
    menu.drawAnimated(1);
    menu.drawAnimated(1);
    menu.drawAnimated(1);
    EXPECT_FLOAT_EQ(menu.offsetX, 137.0f);
    EXPECT_FLOAT_EQ(menu.offsetY, 139.0f);
    EXPECT_FLOAT_EQ(menu.speed, 0.0f);
    EXPECT_FLOAT_EQ(menu.x, -40.0f) << "the slide is undone after drawing";
    menu.update();
    EXPECT_EQ(menu.open, 1);
    EXPECT_EQ(menu.changed, 1);
    menu.toggle();
    EXPECT_FLOAT_EQ(menu.speed, -400.0f);
}

class TooltipTest : public MenuTest {
protected:
    void SetUp() override {
        MenuTest::SetUp();
        // A font whose every glyph is 10 pixels wide.
        write("tip_0.png", filled(16, 16, {255, 255, 255, 255}));
        std::ofstream(folder_.file("tip.fnt"))
            << "common lineHeight=12 base=10 scaleW=16 scaleH=16 pages=1\npage id=0 file=\"tip_0.png\"\n"
            << "char id=65 x=0 y=0 width=8 height=8 xoffset=0 yoffset=2 xadvance=10 page=0\n";
        font_ = std::make_unique<ScreenFont>(context_, folder_.file("tip"));
        ASSERT_TRUE(font_->valid());
        host_.font = font_.get();
    }
    std::unique_ptr<ScreenFont> font_;
};

TEST_F(TooltipTest, ShowsAfterRestAndFlipsLeftAtTheEdge) {
    writeButtonPicture("1 select.png");
    const auto menu = makeMenu(64, 40, {{10, 30, 1}}, {{0, &countPress, "AAAA"}}, 1);
    EXPECT_FLOAT_EQ(font_->textWidth("AAAA"), 40.0f);
    pointAt(*menu, 15.0f, 15.0f);
    menu->draw(1);
    renderer_->quads.clear();
    host_.idleSeconds = 0.7f;
    menu->drawTooltips(1);
    EXPECT_TRUE(renderer_->quads.empty()) << "not before 0.75 s";
    host_.idleSeconds = 0.75f;
    menu->drawTooltips(1);
    ASSERT_EQ(renderer_->quads.size(), 4u);
    EXPECT_NEAR(renderer_->quads[0].x, host_.mouseX + 25.0f, 0.01f);
    // Near the right edge the text goes to the left of the pointer.
    menu->x = 750.0f;
    pointAt(*menu, 15.0f, 15.0f);
    menu->draw(1);
    renderer_->quads.clear();
    menu->drawTooltips(1);
    ASSERT_EQ(renderer_->quads.size(), 4u);
    EXPECT_NEAR(renderer_->quads[0].x, host_.mouseX - 40.0f + 15.0f, 0.01f);
}

TEST_F(TooltipTest, CentredTextIgnoresXAndLeftTextIgnoresTheAnchor) {
    font_->drawText("AA", 123.0f, 10.0f, kAlignCentre, 400.0f);
    ASSERT_EQ(renderer_->quads.size(), 2u);
    EXPECT_NEAR(renderer_->quads[0].x, 400.0f - 10.0f, 0.01f) << "20 wide, centred on 400";
    renderer_->quads.clear();
    font_->drawText("AA", 123.0f, 10.0f, kAlignLeft, 700.0f);
    EXPECT_NEAR(renderer_->quads[0].x, 123.0f, 0.01f);
    // The line (12 high) stands on y; the glyph sits 2 below its top, 8 high.
    EXPECT_NEAR(renderer_->quads[0].y, 10.0f + 12.0f - 2.0f - 8.0f, 0.01f);
}

}  // namespace
}  // namespace zr::ui
