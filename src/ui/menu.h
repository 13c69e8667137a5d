// Menus: a background picture with buttons on it, laid out by a position
// image whose marker pixels give each button's corner and number, and a
// table (one ButtonSpec per button number) that gives each button's kind,
// command and tooltip. Buttons highlight over opaque pixels of their own
// picture, act on the left button state the game collected, and show a
// tooltip after the pointer has rested 0.75 s.
#pragma once

#include "ui/screen_image.h"

#include <memory>
#include <string>
#include <vector>

namespace zr::ui {

class Button;

// A button's command; its address is also the button's identity.
using ButtonCommand = void (*)(Button& button);

struct ButtonSpec {
    int32_t kind = 0;  // 0 push button, otherwise toggle button
    ButtonCommand onPress = nullptr;
    const char* tooltip = nullptr;
};

class Button : public ScreenImage {
public:
    Button(const UiContext& context, const std::string& picturePath, int32_t x, int32_t y, ButtonCommand onPress);
    ~Button() override;

    void draw(engine::Camera& camera, float offsetX, float offsetY) override;
    virtual void handleInput();
    void drawTooltip();
    // The pixel-accurate hit test of the pointer against the picture.
    bool pointerHits() const;
    // An opaque point of the picture nearest its centre, in frame-buffer
    // pixels from the bottom-left, with the button placed at (offsetX,
    // offsetY) from its own position. False for a fully clear picture.
    bool opaquePoint(float offsetX, float offsetY, float* px, float* py) const;

    std::string tooltip;
    int32_t hover = 0;
    int32_t state = 1;  // 1 normal, 3 pressed during the last input pass
    ButtonCommand onPress = nullptr;
    ButtonCommand onRelease = nullptr;
    std::string picturePath;  // for scripts and tests
    Menu* menu = nullptr;     // the menu holding the button (not owned)
    int32_t number = 0;       // the button number of its marker

protected:
    // A press (1 or 2) runs the command; a release (3) the release command.
    void pressOrRelease(bool withBuildHook);
    UiContext context_;

private:
    std::vector<engine::Image> tilePixels_;  // alpha for the hit test
};

class PushButton : public Button {
public:
    PushButton(const UiContext& context, const std::string& picturePath, int32_t x, int32_t y, ButtonCommand onPress);
    ~PushButton() override;

    void draw(engine::Camera& camera, float offsetX, float offsetY) override;
    void handleInput() override;

    static std::string inactivePathFor(const std::string& picturePath);

    std::unique_ptr<ScreenImage> inactiveImage;
    int32_t enabled = 1;
};

class ToggleButton : public PushButton {
public:
    using PushButton::PushButton;
    void handleInput() override;

    int32_t toggled = 0;
};

class Menu {
public:
    // x, y in virtual units; the table has one row per button number.
    Menu(const UiContext& context, const std::string& backgroundPath, float x, float y,
         std::vector<ButtonSpec> table);
    virtual ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    virtual void update();
    virtual void drawTooltips(int32_t flag);
    void draw(int32_t drawAll);

    Button* findButton(ButtonCommand onPress) const;
    Button* setButtonEnabled(int32_t enabled, ButtonCommand onPress);
    void resetButtons();
    const std::vector<std::unique_ptr<Button>>& buttonList() const { return buttons; }

    // The position image's name: " pos" before the extension.
    static std::string positionImagePath(const std::string& backgroundPath);
    // The first "N*.*" entry of the folder containing "select", or "".
    static std::string selectPictureFor(const std::string& folder, int32_t number);

    std::vector<std::unique_ptr<ScreenImage>> images;
    std::vector<std::unique_ptr<Button>> buttons;
    float x = 0.0f, y = 0.0f;            // screen pixels
    float width = 0.0f, height = 0.0f;   // the position image's pixel size

protected:
    void handleButtons();
    UiContext context_;

private:
    void buildButtons(const std::string& backgroundPath, const std::vector<ButtonSpec>& table);
};

class SlidingMenu : public Menu {
public:
    SlidingMenu(const UiContext& context, const std::string& backgroundPath, float x, float y,
                std::vector<ButtonSpec> table, float dx, float dy);

    void update() override;
    void drawTooltips(int32_t flag) override;
    void drawAnimated(int32_t drawAll);
    void toggle();

    float speed = 0.0f;          // screen pixels per second, signed
    float travelX = 0.0f, travelY = 0.0f;
    float offsetX = 0.0f, offsetY = 0.0f;
    int32_t open = 0;
    int32_t changed = 0;
};

}  // namespace zr::ui
