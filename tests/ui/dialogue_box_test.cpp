// Dialogue and input boxes: centring, results, typing.
#include "../support/ui_fixture.h"
#include "ui/dialogue_box.h"

#include <filesystem>

namespace zr::ui {
namespace {

void confirmCommand(Button&) {}

class BoxTest : public test::UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_.path());
        for (const char* name : {"dialoguebox", "inputbox"}) {
            std::filesystem::create_directories(std::string("data/images/") + name);
            const std::string base = std::string("data/images/") + name + "/" + name;
            write(base + ".png", filled(300, 150, {40, 40, 80, 255}));
            write(base + " pos.png", layout(300, 150, 2, {{40, 120, 1}, {200, 120, 2}}));
            write(std::string("data/images/") + name + "/1 select.png", filled(50, 20, {0, 200, 0, 255}));
            write(std::string("data/images/") + name + "/2 select.png", filled(50, 20, {200, 0, 0, 255}));
        }
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    void click(Menu& box, int32_t number) {
        for (const auto& button : box.buttonList()) {
            float px = 0;
            float py = 0;
            if (button->number == number && button->opaquePoint(box.x, box.y, &px, &py)) {
                host_.mouseX = px;
                host_.mouseY = 600.0f - py;
            }
        }
        box.draw(1);
        host_.leftButton = 1;
        box.update();
    }

    std::filesystem::path previous_;
    int32_t closeRequest_ = 0;
};

TEST_F(BoxTest, DialogueIsCentredAndRecordsTheChoice) {
    DialogueBox box(context_, &confirmCommand, "EXIT THE GAME", "Unsaved data will be lost!", &closeRequest_);
    EXPECT_FLOAT_EQ(box.x, 250.0f);
    EXPECT_FLOAT_EQ(box.y, 225.0f);
    ASSERT_EQ(box.buttonList().size(), 2u);
    EXPECT_EQ(box.result, kBoxOpen);
    EXPECT_EQ(box.command, &confirmCommand);
    click(box, 2);
    EXPECT_EQ(box.result, kBoxCancelled);
    EXPECT_EQ(closeRequest_, 1);
    EXPECT_EQ(host_.leftButton, 0);
    click(box, 1);
    EXPECT_EQ(box.result, kBoxConfirmed);
}

TEST_F(BoxTest, InputBoxTypesAtMostTwelveLettersDigitsAndSpaces) {
    InputBox box(context_, &confirmCommand, &closeRequest_);
    EXPECT_FLOAT_EQ(box.x, 250.0f) << "centred whatever its start";
    auto type = [&](int32_t key) {
        host_.lastKeyUp = key;
        box.typeText();
        EXPECT_EQ(host_.lastKeyUp, 0) << "the key is consumed";
    };
    type(168);  // backspace on an empty box
    EXPECT_EQ(box.text, "");
    for (char c : std::string("My Coaster 2x")) type(c);
    EXPECT_EQ(box.text, "My Coaster 2") << "the 13th character is ignored";
    type(168);
    type('-');
    type('.');
    EXPECT_EQ(box.text, "My Coaster ");
    type(142);  // delete
    EXPECT_EQ(box.text, "My Coaster");
    host_.lastKeyUp = 0;
    box.typeText();
    EXPECT_EQ(box.text, "My Coaster");
}

}  // namespace
}  // namespace zr::ui
