// Turns game-controller input into the mouse operations: button 6 is the
// left button, 7 the right one, 4 and 5 are held flags, and the stick moves
// the cursor.
#pragma once

#include "platform/platform.h"

#include <cstdint>

namespace zr {

class AppFramework;

class PadRelay {
public:
    explicit PadRelay(AppFramework& app) : app_(app) {}

    int32_t buttonsDown(const PadEvent& event);
    int32_t buttonsUp(const PadEvent& event);
    int32_t stick(const float* xy);

    bool button4Held() const { return held4_ != 0; }
    bool button5Held() const { return held5_ != 0; }

private:
    void fillEvent();

    AppFramework& app_;
    MouseEvent event_;
    float velocityX_ = 0.0f;
    float velocityY_ = 0.0f;
    int32_t held4_ = 0;
    int32_t held5_ = 0;
};

}  // namespace zr
