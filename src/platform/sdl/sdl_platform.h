// The real platform on SDL2: one window, the event pump with the game's
// input rules, game controllers, the 20 ms timer while inactive.
#pragma once

#include "platform/pad_tracker.h"
#include "platform/platform.h"
#include "platform/relative_mouse.h"
#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include <array>
#include <string>
#include <vector>

namespace zr {

class SdlPlatform final : public Platform {
public:
    SdlPlatform();
    ~SdlPlatform() override;

    void setWindowTitle(const char* title) override;
    void errorBox(const char* text) override;
    void warningBox(const char* text) override;
    DebugPrinter debugPrinter() override;
    uint32_t milliseconds() override;
    std::string nativePath(const char* path) override;
    char pathSeparator() override { return '/'; }
    int32_t chooseDisplayMode(DisplayMode* mode) override;

    int32_t openWindow(const DisplayMode& mode) override;
    void closeWindow() override;
    int32_t hasGraphics() const override { return window_.isOpen() ? 1 : 0; }
    void windowSize(int32_t* width, int32_t* height) override;
    void swapWindow() override;

    void showSystemCursor(bool show) override;
    void warpCursor(float x, float y) override;

    int32_t runMainLoop(ShellClient& client) override;
    void setQuit() override { quit_ = 1; }
    int32_t quitRequested() const override { return quit_; }

    // The mode the player asked for on the command line; used instead of
    // the display-mode dialog.
    void presetDisplayMode(const DisplayMode& mode) { preset_ = mode; }

private:
    struct Pad {
        SDL_Joystick* joystick = nullptr;
        PadTracker tracker;
    };

    void handleEvent(const SDL_Event& event, ShellClient& client);
    void handleKey(const SDL_KeyboardEvent& key, ShellClient& client);
    void handleMotion(const SDL_MouseMotionEvent& motion, ShellClient& client);
    void handleButton(const SDL_MouseButtonEvent& button, ShellClient& client);
    void handleWindow(const SDL_WindowEvent& window, ShellClient& client);
    void deliverDrops(ShellClient& client);
    void openPads();
    void openPad(int deviceIndex);
    void pollPads(ShellClient& client);
    void confineCursor(bool confine);
    void runFrame(ShellClient& client);

    SdlWindow window_;
    DisplayMode preset_;
    RelativeMouse mouse_;
    std::array<Pad, kMaxPads> pads_{};
    std::vector<std::string> drops_;
    uint32_t lastFrameTime_ = 0;
    int32_t quit_ = 0;
    int32_t active_ = 1;
    bool running_ = false;
};

}  // namespace zr
