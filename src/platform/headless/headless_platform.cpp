// Headless platform: queued input, virtual clock, optional hidden GL surface.
#include "platform/headless/headless_platform.h"

#include "platform/file_system.h"
#include "platform/key_table.h"
#include "platform/messages.h"
#include "platform/sdl/sdl_window.h"

#include <algorithm>
#include <cstdlib>

namespace zr {

HeadlessPlatform::HeadlessPlatform(bool graphics) : graphics_(graphics) {}

HeadlessPlatform::~HeadlessPlatform() { closeWindow(); }

void HeadlessPlatform::errorBox(const char* text) {
    messages_.push_back(std::string(kErrorCaption) + ": " + text);
    printMessage(kErrorCaption, text);
}

void HeadlessPlatform::warningBox(const char* text) {
    messages_.push_back(std::string(kWarningCaption) + ": " + text);
    printMessage(kWarningCaption, text);
}

DebugPrinter HeadlessPlatform::debugPrinter() { return &printDebugLine; }

std::string HeadlessPlatform::nativePath(const char* path) { return fs::nativePath(path); }

int32_t HeadlessPlatform::chooseDisplayMode(DisplayMode* mode) {
    *mode = mode_;
    return 1;
}

int32_t HeadlessPlatform::openWindow(const DisplayMode& mode) {
    mode_ = mode;
    if (!graphics_) {
        return 1;
    }
    // Render off screen unless the caller chose a driver.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    window_ = std::make_unique<SdlWindow>();
    if (!window_->open(mode.width, mode.height, false, true)) {
        window_.reset();
        return 0;
    }
    return 1;
}

void HeadlessPlatform::closeWindow() { window_.reset(); }

int32_t HeadlessPlatform::hasGraphics() const { return window_ && window_->isOpen() ? 1 : 0; }

void HeadlessPlatform::windowSize(int32_t* width, int32_t* height) {
    if (hasGraphics()) {
        window_->drawableSize(width, height);
        return;
    }
    *width = mode_.width;
    *height = mode_.height;
}

void HeadlessPlatform::swapWindow() {
    if (hasGraphics()) {
        window_->swap();
    }
}

void HeadlessPlatform::warpCursor(float, float) { mouse_.forget(); }

int32_t HeadlessPlatform::runMainLoop(ShellClient& client) {
    while (!quit_ && framesRun_ < maxFrames_) {
        runFrame(client);
    }
    return 0;
}

void HeadlessPlatform::queueMouseAt(float x, float y) { queue_.emplace_back(MouseAt{x, y}); }

void HeadlessPlatform::queueMouseBy(float dx, float dy) { queue_.emplace_back(MouseBy{dx, dy}); }

void HeadlessPlatform::queueButton(MouseButton button, bool down, bool shift, bool control) {
    queue_.emplace_back(Button{button, down, shift, control});
}

void HeadlessPlatform::queueKey(int32_t scanCode, bool down) { queue_.emplace_back(Key{scanCode, down}); }

void HeadlessPlatform::queueDrop(std::vector<std::string> files) { queue_.emplace_back(Drop{std::move(files)}); }

void HeadlessPlatform::queuePad(int32_t pad, const PadFlags& flags) { queue_.emplace_back(Pad{pad, flags}); }

void HeadlessPlatform::deliverInput(ShellClient& client) {
    while (!queue_.empty() && !quit_) {
        const Event event = std::move(queue_.front());
        queue_.pop_front();
        deliver(event, client);
    }
}

void HeadlessPlatform::runFrame(ShellClient& client) {
    deliverInput(client);
    if (quit_) {
        return;
    }
    clockSeconds_ += frameStep_;
    ++framesRun_;
    client.frame(frameStep_);
}

void HeadlessPlatform::deliverMotion(float dx, float dy, ShellClient& client) {
    client.moveCursorBy(dx, dy);
    MouseEvent event;
    client.cursorPosition(&event.x, &event.y);
    event.dx = dx;
    event.dy = dy;
    client.mouseMove(&event);
}

void HeadlessPlatform::deliver(const Event& event, ShellClient& client) {
    if (const auto* at = std::get_if<MouseAt>(&event)) {
        float dx = 0.0f;
        float dy = 0.0f;
        if (mouse_.motionTo(at->x, at->y, &dx, &dy)) {
            deliverMotion(dx, dy, client);
        }
    } else if (const auto* by = std::get_if<MouseBy>(&event)) {
        deliverMotion(by->dx, by->dy, client);
    } else if (const auto* button = std::get_if<Button>(&event)) {
        MouseEvent mouse;
        client.cursorPosition(&mouse.x, &mouse.y);
        mouse.shift = button->shift ? 1 : 0;
        mouse.control = button->control ? 1 : 0;
        if (button->button == MouseButton::Left) {
            button->down ? client.leftButtonDown(&mouse) : client.leftButtonUp(&mouse);
        } else {
            button->down ? client.rightButtonDown(&mouse) : client.rightButtonUp(&mouse);
        }
    } else if (const auto* key = std::get_if<Key>(&event)) {
        KeyEvent keyEvent{key->scanCode, gameKeyCode(key->scanCode)};
        key->down ? client.keyDown(&keyEvent) : client.keyUp(&keyEvent);
    } else if (const auto* drop = std::get_if<Drop>(&event)) {
        for (auto it = drop->files.rbegin(); it != drop->files.rend(); ++it) {
            client.commandToken(it->substr(0, 260).c_str());
        }
    } else if (const auto* pad = std::get_if<Pad>(&event)) {
        PadMasks masks;
        if (pad->pad >= 0 && pad->pad < kMaxPads && pads_[pad->pad].poll(pad->flags, &masks)) {
            PadEvent padEvent{pad->pad, masks.pressed};
            client.padButtonsDown(&padEvent);
            padEvent.buttons = masks.released;
            client.padButtonsUp(&padEvent);
        }
    }
}

}  // namespace zr
