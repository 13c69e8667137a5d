// A platform without a window for tests and scripted runs: input is queued
// by the caller and delivered before the next frame, frames advance a fixed
// step of virtual time, message boxes are recorded. With graphics on it
// opens a hidden GL surface (SDL's offscreen driver) so frames really render.
#pragma once

#include "platform/pad_tracker.h"
#include "platform/platform.h"
#include "platform/relative_mouse.h"

#include <deque>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace zr {

class SdlWindow;

enum class MouseButton { Left, Right };

class HeadlessPlatform final : public Platform {
public:
    explicit HeadlessPlatform(bool graphics);
    ~HeadlessPlatform() override;

    void setWindowTitle(const char* title) override { title_ = title ? title : ""; }
    void errorBox(const char* text) override;
    void warningBox(const char* text) override;
    DebugPrinter debugPrinter() override;
    uint32_t milliseconds() override { return static_cast<uint32_t>(clockSeconds_ * 1000.0); }
    std::string nativePath(const char* path) override;
    char pathSeparator() override { return '/'; }
    int32_t chooseDisplayMode(DisplayMode* mode) override;

    int32_t openWindow(const DisplayMode& mode) override;
    void closeWindow() override;
    int32_t hasGraphics() const override;
    void windowSize(int32_t* width, int32_t* height) override;
    void swapWindow() override;

    void showSystemCursor(bool show) override { systemCursorShown_ = show; }
    void warpCursor(float x, float y) override;

    // Delivers queued input and runs frames until the quit flag is set or
    // maxFrames have run (a safety net for tests). Returns 0.
    int32_t runMainLoop(ShellClient& client) override;
    void setQuit() override { quit_ = 1; }
    int32_t quitRequested() const override { return quit_; }

    // --- test controls ---
    void setFrameStep(float seconds) { frameStep_ = seconds; }
    float frameStep() const { return frameStep_; }
    void setMaxFrames(int64_t frames) { maxFrames_ = frames; }
    void setDisplayMode(const DisplayMode& mode) { mode_ = mode; }
    void queueMouseAt(float x, float y);      // a window position: relative rule applies
    void queueMouseBy(float dx, float dy);    // motion as the mouse reports it
    void queueButton(MouseButton button, bool down, bool shift = false, bool control = false);
    void queueKey(int32_t scanCode, bool down);
    void queueDrop(std::vector<std::string> files);
    void queuePad(int32_t pad, const PadFlags& flags);
    // Delivers what is queued, then one frame of frameStep seconds.
    void runFrame(ShellClient& client);
    void deliverInput(ShellClient& client);

    const std::vector<std::string>& messages() const { return messages_; }
    const std::string& title() const { return title_; }
    bool systemCursorShown() const { return systemCursorShown_; }
    int64_t framesRun() const { return framesRun_; }

private:
    struct MouseAt { float x, y; };
    struct MouseBy { float dx, dy; };
    struct Button { MouseButton button; bool down, shift, control; };
    struct Key { int32_t scanCode; bool down; };
    struct Drop { std::vector<std::string> files; };
    struct Pad { int32_t pad; PadFlags flags; };
    using Event = std::variant<MouseAt, MouseBy, Button, Key, Drop, Pad>;

    void deliver(const Event& event, ShellClient& client);
    void deliverMotion(float dx, float dy, ShellClient& client);

    bool graphics_;
    std::unique_ptr<SdlWindow> window_;
    DisplayMode mode_;
    std::deque<Event> queue_;
    RelativeMouse mouse_;
    PadTracker pads_[kMaxPads];
    std::vector<std::string> messages_;
    std::string title_;
    double clockSeconds_ = 0.0;
    float frameStep_ = 0.02f;
    int64_t maxFrames_ = 1000000;
    int64_t framesRun_ = 0;
    int32_t quit_ = 0;
    bool systemCursorShown_ = true;
};

}  // namespace zr
