// Elapsed time between frames from the millisecond clock. The difference is
// taken as an unsigned 32-bit count, so the clock may wrap; it is never
// clamped, so a long stall gives one long frame.
#pragma once

#include <cstdint>

namespace zr {

class FrameClock {
public:
    void start(uint32_t now) { last_ = now; }
    float tick(uint32_t now) {
        const uint32_t elapsed = now - last_;
        last_ = now;
        return static_cast<float>(elapsed) * 0.001f;
    }

private:
    uint32_t last_ = 0;
};

}  // namespace zr
