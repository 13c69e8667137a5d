// The game's key table: PC keyboard scan codes (plus 128 for extended keys)
// to the game's key codes. Printable keys give their unshifted UK-layout
// character; Escape is 128; 255 means the key has no code.
#pragma once

#include <cstdint>

namespace zr {

constexpr int32_t kKeyEscape = 128;
constexpr int32_t kKeyNone = 255;
constexpr int32_t kExtendedKey = 128;

int32_t gameKeyCode(int32_t scanCode);

}  // namespace zr
