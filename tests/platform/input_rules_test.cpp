// Key table, relative mouse motion, pad masks and the frame clock.
#include "platform/frame_clock.h"
#include "platform/key_table.h"
#include "platform/pad_tracker.h"
#include "platform/relative_mouse.h"
#include "platform/sdl/scancode_map.h"

#include <gtest/gtest.h>

namespace zr {
namespace {

TEST(KeyTable, MapsScanCodesToGameKeyCodes) {
    struct Case {
        int32_t scanCode;
        int32_t keyCode;
    };
    const Case cases[] = {
        {2, '1'},   {11, '0'},  {13, '='},  {16, 'q'},  {30, 'a'},  {41, '`'},  {43, '#'},
        {44, 'z'},  {51, ','},  {52, '.'},  {53, '/'},  {57, ' '},  {86, '\\'}, {1, 128},
        {59, 129},  {68, 138},  {87, 139},  {88, 140},  {128 + 82, 141}, {128 + 83, 142},
        {128 + 71, 143}, {71, 143},  // keypad 7 shares Home's code
        {128 + 72, 147}, {82, 151}, {76, 167}, {14, 168}, {28, 171}, {128 + 28, 166},
        {69, 161},  {128 + 69, 161}, {128 + 56, 177}, {0, 255}, {100, 255}, {255, 255}, {-1, 255}, {300, 255},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gameKeyCode(c.scanCode), c.keyCode) << "scan code " << c.scanCode;
    }
    for (int32_t scan = 0; scan < 256; ++scan) {
        EXPECT_NE(gameKeyCode(scan), 153) << "no key has code 153";
    }
}

TEST(KeyTable, SdlScancodesReachTheSameCodes) {
    struct Case {
        SDL_Scancode sdl;
        int32_t keyCode;
    };
    const Case cases[] = {
        {SDL_SCANCODE_ESCAPE, 128}, {SDL_SCANCODE_M, 'm'},       {SDL_SCANCODE_S, 's'},
        {SDL_SCANCODE_COMMA, ','},  {SDL_SCANCODE_PERIOD, '.'},  {SDL_SCANCODE_1, '1'},
        {SDL_SCANCODE_KP_7, 143},   {SDL_SCANCODE_HOME, 143},    {SDL_SCANCODE_DELETE, 142},
        {SDL_SCANCODE_KP_ENTER, 166}, {SDL_SCANCODE_RCTRL, 175}, {SDL_SCANCODE_BACKSPACE, 168},
        {SDL_SCANCODE_F1, 129},     {SDL_SCANCODE_F12, 140},     {SDL_SCANCODE_APPLICATION, 255},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gameKeyCode(pcScanCode(c.sdl)), c.keyCode) << SDL_GetScancodeName(c.sdl);
    }
}

TEST(RelativeMouse, FirstMoveAndMoveAfterWarpCostNothing) {
    RelativeMouse mouse;
    float dx = 99.0f;
    float dy = 99.0f;
    EXPECT_FALSE(mouse.motionTo(100, 100, &dx, &dy));
    ASSERT_TRUE(mouse.motionTo(110, 95, &dx, &dy));
    EXPECT_FLOAT_EQ(dx, 10.0f);
    EXPECT_FLOAT_EQ(dy, -5.0f);
    mouse.forget();  // a warp
    EXPECT_FALSE(mouse.motionTo(400, 300, &dx, &dy));
    ASSERT_TRUE(mouse.motionTo(401, 300, &dx, &dy));
    EXPECT_FLOAT_EQ(dx, 1.0f);
}

TEST(PadTracker, ButtonBitsWrapAtThirtyTwo) {
    EXPECT_EQ(padButtonBit(0), 0x40u);
    EXPECT_EQ(padButtonBit(6), 0x1000u);
    EXPECT_EQ(padButtonBit(25), 0x80000000u);
    for (int n = 26; n < 32; ++n) EXPECT_EQ(padButtonBit(n), 0u) << n;
    EXPECT_EQ(padButtonBit(32), padButtonBit(0));
    EXPECT_EQ(padButtonBit(38), padButtonBit(6));
}

TEST(PadTracker, AxisToTheRightPressesThenReleasesBitTwo) {
    PadTracker tracker;
    PadMasks masks;
    EXPECT_FALSE(tracker.poll(PadFlags::fromAxes(32767, 32767), &masks)) << "centred: no change";
    ASSERT_TRUE(tracker.poll(PadFlags::fromAxes(65535, 32767), &masks));
    EXPECT_EQ(masks.pressed, kPadRight);
    EXPECT_EQ(masks.released, 0u);
    EXPECT_FALSE(tracker.poll(PadFlags::fromAxes(65535, 32767), &masks)) << "held: no repeat";
    ASSERT_TRUE(tracker.poll(PadFlags::fromAxes(32767, 32767), &masks));
    EXPECT_EQ(masks.pressed, 0u);
    EXPECT_EQ(masks.released, kPadRight);
}

TEST(PadTracker, ThresholdsAndPrecedence) {
    EXPECT_TRUE(PadFlags::fromAxes(9999, 32767).left);
    EXPECT_FALSE(PadFlags::fromAxes(10000, 32767).left);
    EXPECT_FALSE(PadFlags::fromAxes(55536, 32767).right);
    EXPECT_TRUE(PadFlags::fromAxes(55537, 32767).right);
    // Both directions of an axis in one poll: up wins over down, left over right.
    PadFlags both;
    both.up = both.down = both.left = both.right = true;
    PadTracker tracker;
    PadMasks masks;
    ASSERT_TRUE(tracker.poll(both, &masks));
    EXPECT_EQ(masks.pressed, kPadUp | kPadLeft);
}

TEST(PadTracker, ReleasingAHeldButtonDeliversItsBitOnce) {
    PadTracker tracker;
    PadMasks masks;
    PadFlags held;
    held.buttons[6] = true;
    ASSERT_TRUE(tracker.poll(held, &masks));
    EXPECT_EQ(masks.pressed, 0x1000u);
    EXPECT_FALSE(tracker.poll(held, &masks));
    ASSERT_TRUE(tracker.poll(PadFlags{}, &masks));
    EXPECT_EQ(masks.released, 0x1000u);
    EXPECT_FALSE(tracker.poll(PadFlags{}, &masks));
}

TEST(FrameClock, DifferenceIsUnsignedAndUnclamped) {
    FrameClock clock;
    clock.start(0xFFFFFFF0u);
    EXPECT_FLOAT_EQ(clock.tick(0x00000010u), 0.032f) << "wraps";
    EXPECT_FLOAT_EQ(clock.tick(0x00000010u + 60000u), 60.0f) << "a long stall is one long frame";
}

}  // namespace
}  // namespace zr
