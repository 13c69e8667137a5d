// Pad buttons to mouse operations.
#include "app/pad_relay.h"

#include "app/app_framework.h"
#include "platform/pad_tracker.h"

#include <cmath>

namespace zr {
namespace {

const uint32_t kHold4 = padButtonBit(4);
const uint32_t kHold5 = padButtonBit(5);
const uint32_t kLeftClick = padButtonBit(6);
const uint32_t kRightClick = padButtonBit(7);
constexpr float kStickSpeed = 16.0f;  // pixels per event at full deflection

}  // namespace

void PadRelay::fillEvent() {
    event_ = MouseEvent();
    app_.cursorPosition(&event_.x, &event_.y);
}

int32_t PadRelay::buttonsDown(const PadEvent& event) {
    if (event.buttons & kHold4) held4_ = 1;
    if (event.buttons & kHold5) held5_ = 1;
    fillEvent();
    if (event.buttons & kLeftClick) app_.leftButtonDown(&event_);
    if (event.buttons & kRightClick) app_.rightButtonDown(&event_);
    return 1;
}

int32_t PadRelay::buttonsUp(const PadEvent& event) {
    if (event.buttons & kHold4) held4_ = 0;
    if (event.buttons & kHold5) held5_ = 0;
    fillEvent();
    if (event.buttons & kLeftClick) app_.leftButtonUp(&event_);
    if (event.buttons & kRightClick) app_.rightButtonUp(&event_);
    return 1;
}

int32_t PadRelay::stick(const float* xy) {
    velocityX_ = -kStickSpeed * std::fabs(xy[0]) * xy[0];
    velocityY_ = -kStickSpeed * std::fabs(xy[1]) * xy[1];
    app_.moveCursorBy(velocityX_, velocityY_);
    fillEvent();
    event_.dx = velocityX_;
    event_.dy = velocityY_;
    return app_.mouseMove(&event_);
}

}  // namespace zr
