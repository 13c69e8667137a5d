// Pad masks: a flag that went 0 -> 1 is pressed, 1 -> 0 released. Up wins
// over down and left over right when both change in the same poll.
#include "platform/pad_tracker.h"

namespace zr {
namespace {

constexpr int32_t kAxisLow = 10000;
constexpr int32_t kAxisHigh = 55537;

uint32_t directionBits(bool up, bool down, bool left, bool right) {
    uint32_t bits = 0;
    if (up) {
        bits |= kPadUp;
    } else if (down) {
        bits |= kPadDown;
    }
    if (left) {
        bits |= kPadLeft;
    } else if (right) {
        bits |= kPadRight;
    }
    return bits;
}

}  // namespace

uint32_t padButtonBit(int button) {
    return 0x40u << (static_cast<uint32_t>(button) % 32u);
}

PadFlags PadFlags::fromAxes(int32_t x, int32_t y) {
    PadFlags flags;
    flags.left = x < kAxisLow;
    flags.right = x >= kAxisHigh;
    flags.up = y < kAxisLow;
    flags.down = y >= kAxisHigh;
    return flags;
}

bool PadTracker::poll(const PadFlags& now, PadMasks* masks) {
    if (now == previous_) {
        return false;
    }
    const PadFlags& was = previous_;
    masks->pressed = directionBits(now.up && !was.up, now.down && !was.down,
                                   now.left && !was.left, now.right && !was.right);
    masks->released = directionBits(!now.up && was.up, !now.down && was.down,
                                     !now.left && was.left, !now.right && was.right);
    for (int n = 0; n < kPadButtons; ++n) {
        if (now.buttons[n] && !was.buttons[n]) {
            masks->pressed |= padButtonBit(n);
        } else if (!now.buttons[n] && was.buttons[n]) {
            masks->released |= padButtonBit(n);
        }
    }
    previous_ = now;
    return true;
}

}  // namespace zr
