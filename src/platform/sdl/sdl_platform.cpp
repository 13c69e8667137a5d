// SDL2 event pump with the game's rules: relative mouse for the drawn
// cursor, capture on press, drops delivered last-first, key table codes,
// pads polled before each active frame, 20 ms frames while inactive.
#include "platform/sdl/sdl_platform.h"

#include "platform/file_system.h"
#include "platform/frame_clock.h"
#include "platform/key_table.h"
#include "platform/messages.h"
#include "platform/platforms.h"
#include "platform/sdl/scancode_map.h"

#include <algorithm>

namespace zr {
namespace {

constexpr uint32_t kInactiveFrameMs = 20;  // the timer that keeps rides going

bool isSystemKey(const SDL_KeyboardEvent& key) {
    // Alt combinations and F10 are system keys: the game never sees them.
    return (key.keysym.mod & KMOD_ALT) != 0 || key.keysym.scancode == SDL_SCANCODE_F10 ||
           key.keysym.scancode == SDL_SCANCODE_LALT || key.keysym.scancode == SDL_SCANCODE_RALT;
}

}  // namespace

SdlPlatform::SdlPlatform() {
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
}

SdlPlatform::~SdlPlatform() {
    closeWindow();
    for (Pad& pad : pads_) {
        if (pad.joystick) {
            SDL_JoystickClose(pad.joystick);
        }
    }
    SDL_Quit();
}

void SdlPlatform::setWindowTitle(const char* title) { window_.setTitle(title); }

void SdlPlatform::errorBox(const char* text) {
    printMessage(kErrorCaption, text);
    if (displayAvailable()) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kErrorCaption, text, nullptr);
    }
}

void SdlPlatform::warningBox(const char* text) {
    printMessage(kWarningCaption, text);
    if (displayAvailable()) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, kWarningCaption, text, nullptr);
    }
}

DebugPrinter SdlPlatform::debugPrinter() { return &printDebugLine; }

uint32_t SdlPlatform::milliseconds() { return SDL_GetTicks(); }

std::string SdlPlatform::nativePath(const char* path) { return fs::nativePath(path); }

int32_t SdlPlatform::chooseDisplayMode(DisplayMode* mode) {
    *mode = preset_;
    return 1;
}

int32_t SdlPlatform::openWindow(const DisplayMode& mode) {
    if (!window_.open(mode.width, mode.height, mode.fullScreen != 0, false)) {
        return 0;
    }
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    openPads();
    confineCursor(true);
    return 1;
}

void SdlPlatform::closeWindow() {
    confineCursor(false);
    window_.close();
}

void SdlPlatform::windowSize(int32_t* width, int32_t* height) { window_.drawableSize(width, height); }

void SdlPlatform::swapWindow() { window_.swap(); }

void SdlPlatform::showSystemCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void SdlPlatform::warpCursor(float x, float y) {
    if (window_.isOpen()) {
        SDL_WarpMouseInWindow(window_.handle(), static_cast<int>(x), static_cast<int>(y));
        mouse_.forget();
    }
}

void SdlPlatform::confineCursor(bool confine) {
    if (window_.isOpen()) {
        SDL_SetWindowGrab(window_.handle(), confine ? SDL_TRUE : SDL_FALSE);
    }
}

int32_t SdlPlatform::runMainLoop(ShellClient& client) {
    running_ = true;
    lastFrameTime_ = milliseconds();
    SDL_Event event;
    while (!quit_) {
        if (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT) {
                break;
            }
            handleEvent(event, client);
        } else if (active_) {
            pollPads(client);
            runFrame(client);
        } else {
            // The inactive window's 20 ms timer.
            const uint32_t due = lastFrameTime_ + kInactiveFrameMs;
            const int32_t wait = static_cast<int32_t>(due - milliseconds());
            if (SDL_WaitEventTimeout(&event, std::max(wait, 0))) {
                if (event.type == SDL_QUIT) {
                    break;
                }
                handleEvent(event, client);
            } else {
                runFrame(client);
            }
        }
    }
    running_ = false;
    return 0;
}

void SdlPlatform::runFrame(ShellClient& client) {
    FrameClock clock;
    clock.start(lastFrameTime_);
    const uint32_t now = milliseconds();
    const float seconds = clock.tick(now);
    lastFrameTime_ = now;
    client.frame(seconds);
}

void SdlPlatform::handleEvent(const SDL_Event& event, ShellClient& client) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        handleKey(event.key, client);
        break;
    case SDL_MOUSEMOTION:
        handleMotion(event.motion, client);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        handleButton(event.button, client);
        break;
    case SDL_WINDOWEVENT:
        handleWindow(event.window, client);
        break;
    case SDL_DROPFILE:
        drops_.emplace_back(event.drop.file ? event.drop.file : "");
        SDL_free(event.drop.file);
        break;
    case SDL_DROPCOMPLETE:
        deliverDrops(client);
        break;
    case SDL_JOYDEVICEADDED:
        openPad(event.jdevice.which);
        break;
    default:
        break;
    }
}

void SdlPlatform::handleKey(const SDL_KeyboardEvent& key, ShellClient& client) {
    if (isSystemKey(key)) {
        return;
    }
    KeyEvent event;
    event.scanCode = pcScanCode(key.keysym.scancode);
    event.keyCode = gameKeyCode(event.scanCode);
    if (key.type == SDL_KEYDOWN) {
        client.keyDown(&event);
    } else {
        client.keyUp(&event);
    }
}

void SdlPlatform::handleMotion(const SDL_MouseMotionEvent& motion, ShellClient& client) {
    float dx = 0.0f;
    float dy = 0.0f;
    if (!mouse_.motionTo(static_cast<float>(motion.x), static_cast<float>(motion.y), &dx, &dy)) {
        return;
    }
    client.moveCursorBy(dx, dy);
    MouseEvent event;
    client.cursorPosition(&event.x, &event.y);
    event.dx = dx;
    event.dy = dy;
    client.mouseMove(&event);
}

void SdlPlatform::handleButton(const SDL_MouseButtonEvent& button, ShellClient& client) {
    const bool down = button.type == SDL_MOUSEBUTTONDOWN;
    SDL_CaptureMouse(down ? SDL_TRUE : SDL_FALSE);
    MouseEvent event;
    client.cursorPosition(&event.x, &event.y);
    const SDL_Keymod mods = SDL_GetModState();
    event.shift = (mods & KMOD_SHIFT) ? 1 : 0;
    event.control = (mods & KMOD_CTRL) ? 1 : 0;
    if (button.button == SDL_BUTTON_LEFT) {
        down ? client.leftButtonDown(&event) : client.leftButtonUp(&event);
    } else if (button.button == SDL_BUTTON_RIGHT) {
        down ? client.rightButtonDown(&event) : client.rightButtonUp(&event);
    }
}

void SdlPlatform::handleWindow(const SDL_WindowEvent& window, ShellClient& client) {
    switch (window.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
        confineCursor(active_ != 0);
        if (running_) {
            Rect rect;
            window_.drawableSize(&rect.width, &rect.height);
            client.resize(&rect);
        }
        break;
    }
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        confineCursor(true);
        active_ = 1;
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        confineCursor(false);
        active_ = 0;
        break;
    default:
        break;
    }
}

void SdlPlatform::deliverDrops(ShellClient& client) {
    // Last file first, as the shell has always handed them over.
    for (auto it = drops_.rbegin(); it != drops_.rend(); ++it) {
        const std::string name = it->substr(0, 260);
        client.commandToken(name.c_str());
    }
    drops_.clear();
}

void SdlPlatform::openPads() {
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        openPad(i);
    }
}

void SdlPlatform::openPad(int deviceIndex) {
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    for (const Pad& pad : pads_) {
        if (pad.joystick && SDL_JoystickInstanceID(pad.joystick) == id) {
            return;
        }
    }
    for (Pad& pad : pads_) {
        if (!pad.joystick) {
            pad.joystick = SDL_JoystickOpen(deviceIndex);
            return;
        }
    }
}

void SdlPlatform::pollPads(ShellClient& client) {
    SDL_JoystickUpdate();
    for (int index = 0; index < kMaxPads; ++index) {
        Pad& pad = pads_[index];
        if (!pad.joystick || !SDL_JoystickGetAttached(pad.joystick)) {
            continue;  // lost pads deliver nothing until they come back
        }
        // SDL axes run -32768..32767; the table's thresholds are for 0..65535.
        const int32_t x = SDL_JoystickGetAxis(pad.joystick, 0) + 32768;
        const int32_t y = SDL_JoystickGetAxis(pad.joystick, 1) + 32768;
        PadFlags flags = PadFlags::fromAxes(x, y);
        const int buttons = std::min(SDL_JoystickNumButtons(pad.joystick), kPadButtons);
        for (int n = 0; n < buttons; ++n) {
            flags.buttons[n] = SDL_JoystickGetButton(pad.joystick, n) != 0;
        }
        PadMasks masks;
        if (pad.tracker.poll(flags, &masks)) {
            PadEvent event{index, masks.pressed};
            client.padButtonsDown(&event);
            event.buttons = masks.released;
            client.padButtonsUp(&event);
        }
    }
}

}  // namespace zr

namespace zr {

std::unique_ptr<Platform> createSdlPlatform(const DisplayMode& preset) {
    auto platform = std::make_unique<SdlPlatform>();
    platform->presetDisplayMode(preset);
    return platform;
}

}  // namespace zr
