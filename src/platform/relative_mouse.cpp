// Relative mouse motion with the first-move and warp rules.
#include "platform/relative_mouse.h"

namespace zr {

bool RelativeMouse::motionTo(float x, float y, float* dx, float* dy) {
    const bool hadLast = known_;
    if (hadLast) {
        *dx = x - lastX_;
        *dy = y - lastY_;
    }
    known_ = true;
    lastX_ = x;
    lastY_ = y;
    return hadLast;
}

}  // namespace zr
