// Game-controller state between polls: direction and button flags, and
// the pressed/released masks that a poll delivers to the game.
#pragma once

#include <array>
#include <cstdint>

namespace zr {

constexpr uint32_t kPadLeft = 1;
constexpr uint32_t kPadRight = 2;
constexpr uint32_t kPadUp = 4;
constexpr uint32_t kPadDown = 8;
constexpr int kPadButtons = 128;
constexpr int kMaxPads = 8;

// Bit of button n: 0x40 shifted by n, the shift taken modulo 32, so buttons
// 26..31 set no bit and button n + 32 shares the bit of button n.
uint32_t padButtonBit(int button);

// One poll's flags, in the axis convention of the old joystick API
// (0..65535, centre 32767).
struct PadFlags {
    bool up = false;
    bool down = false;
    bool left = false;
    bool right = false;
    std::array<bool, kPadButtons> buttons{};

    static PadFlags fromAxes(int32_t x, int32_t y);
    bool operator==(const PadFlags&) const = default;
};

struct PadMasks {
    uint32_t pressed = 0;
    uint32_t released = 0;
};

class PadTracker {
public:
    // Compares with the previous poll. Returns false when nothing changed:
    // then nothing is delivered, so a held button does not repeat.
    bool poll(const PadFlags& now, PadMasks* masks);

private:
    PadFlags previous_;
};

}  // namespace zr
