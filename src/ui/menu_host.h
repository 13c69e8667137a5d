// What menus and buttons need from the game: the pointer and button state
// collected between frames (which buttons consume), timers, the tooltip
// font, the transition's phase and the editor's hooks.
#pragma once

#include <cstdint>

namespace zr::engine {
class Camera;
}

namespace zr::ui {

class Menu;
class ScreenFont;

class MenuHost {
public:
    virtual ~MenuHost() = default;
    virtual engine::Camera& menuCamera() = 0;
    // Pointer position in frame-buffer pixels, y down.
    virtual float pointerX() const = 0;
    virtual float pointerY() const = 0;
    // The left button's ButtonState (0 up, 1 pressed, 3 released); buttons
    // consume it by writing 0.
    virtual int32_t& leftButtonState() = 0;
    // A button released over a menu ends any drag of the view.
    virtual void endDrag() = 0;
    // Key code of the last key released; typing consumes it by writing 0.
    virtual int32_t& lastKeyUpState() = 0;
    virtual float pointerIdleSeconds() const = 0;
    virtual int32_t frameBufferHeight() const = 0;
    virtual ScreenFont* tooltipScreenFont() = 0;
    virtual int32_t gameState() const = 0;
    virtual bool transitionIdle() const = 0;
    // Called before a button's command on a press in the building state.
    virtual void buildModeHook() = 0;
    // The editor's sliding menus take input by their own rules.
    virtual bool isLeftSlidingMenu(const Menu* menu) const = 0;
    virtual bool isRightSlidingMenu(const Menu* menu) const = 0;
};

}  // namespace zr::ui
