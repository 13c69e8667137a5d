// The game's contract with the operating system: window, input delivery,
// clock, message boxes, debug output and paths. Implemented once on SDL2
// (sdl/) and once headless for tests (headless/). The game never sees SDL.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace zr {

// A mouse event as the game sees it. Positions and motion are in frame-buffer
// pixels; for button events x and y are the drawn cursor's position.
struct MouseEvent {
    float x = 0.0f;
    float y = 0.0f;
    float dx = 0.0f;
    float dy = 0.0f;
    int32_t shift = 0;
    int32_t control = 0;
};

// scanCode: PC keyboard scan code, plus 128 for extended keys.
// keyCode: the game's key code from the key table (255 = no key).
struct KeyEvent {
    int32_t scanCode = 0;
    int32_t keyCode = 255;
};

// buttons: 1 left, 2 right, 4 up, 8 down, 0x40 << n for button n.
struct PadEvent {
    int32_t pad = 0;
    uint32_t buttons = 0;
};

struct Rect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct DisplayMode {
    int32_t width = 800;
    int32_t height = 600;
    int32_t bits = 32;
    int32_t fullScreen = 0;
};

// The application side of the shell: what the main loop and the event
// pump call. The game's application object implements it.
class ShellClient {
public:
    virtual ~ShellClient() = default;
    virtual int32_t resize(const Rect* client) = 0;
    virtual int32_t commandToken(const char* token) = 0;
    virtual int32_t leftButtonDown(const MouseEvent* event) = 0;
    virtual int32_t leftButtonUp(const MouseEvent* event) = 0;
    virtual int32_t rightButtonDown(const MouseEvent* event) = 0;
    virtual int32_t rightButtonUp(const MouseEvent* event) = 0;
    virtual int32_t mouseMove(const MouseEvent* event) = 0;
    virtual int32_t keyDown(const KeyEvent* event) = 0;
    virtual int32_t keyUp(const KeyEvent* event) = 0;
    virtual int32_t padButtonsDown(const PadEvent* event) = 0;
    virtual int32_t padButtonsUp(const PadEvent* event) = 0;
    virtual int32_t frame(float seconds) = 0;
    // The drawn cursor: the platform moves it by relative mouse motion.
    virtual void cursorPosition(float* x, float* y) const = 0;
    virtual void moveCursorBy(float dx, float dy) = 0;
};

using DebugPrinter = void (*)(const char* text);

// The operating system's services. One object for the whole process.
class Platform {
public:
    virtual ~Platform() = default;

    virtual void setWindowTitle(const char* title) = 0;
    virtual void errorBox(const char* text) = 0;
    virtual void warningBox(const char* text) = 0;
    virtual DebugPrinter debugPrinter() = 0;
    virtual uint32_t milliseconds() = 0;
    // Data paths use '/' (and a few are built with '\'); on Linux every
    // separator becomes '/'.
    virtual std::string nativePath(const char* path) = 0;
    virtual char pathSeparator() = 0;
    virtual int32_t chooseDisplayMode(DisplayMode* mode) = 0;

    // Window and GL surface. openWindow creates the window with an OpenGL
    // 3.3 core context current on this thread (or none for a platform
    // without graphics); swapWindow shows the back buffer.
    virtual int32_t openWindow(const DisplayMode& mode) = 0;
    virtual void closeWindow() = 0;
    virtual int32_t hasGraphics() const = 0;
    virtual void windowSize(int32_t* width, int32_t* height) = 0;
    virtual void swapWindow() = 0;

    // The system cursor and the drawn cursor's link to it.
    virtual void showSystemCursor(bool show) = 0;
    virtual void warpCursor(float x, float y) = 0;

    // Runs the message loop until the quit flag is set or the window closes,
    // calling the client for every event and frame. Returns the exit code.
    virtual int32_t runMainLoop(ShellClient& client) = 0;
    virtual void setQuit() = 0;
    virtual int32_t quitRequested() const = 0;
};

}  // namespace zr
