// Turns absolute window positions into relative motion for the drawn
// cursor. The first position after start-up or after a warp is only
// remembered, so it moves nothing; every later one yields its difference.
#pragma once

namespace zr {

class RelativeMouse {
public:
    // Returns true and sets the motion when a last position was known.
    bool motionTo(float x, float y, float* dx, float* dy);
    // A warp forgets the last position: the move it causes costs nothing.
    void forget() { known_ = false; }
    bool known() const { return known_; }

private:
    bool known_ = false;
    float lastX_ = 0.0f;
    float lastY_ = 0.0f;
};

}  // namespace zr
