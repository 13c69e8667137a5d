// Standard-error side of the message boxes and the debug printer.
#include "platform/messages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zr {

void printMessage(const char* caption, const char* text) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
}

void printDebugLine(const char* text) {
    if (std::getenv("ZEPHYRAIL_DEBUG")) {
        std::fprintf(stderr, "%s\n", text);
    }
}

bool displayAvailable() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        return false;
    }
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace zr
