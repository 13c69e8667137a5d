// SDL scancodes to PC keyboard scan codes (plus 128 for extended keys), so
// the game's key table stays in the PC numbering it was written in.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace zr {

// Returns 0 for keys the PC table has no number for.
int32_t pcScanCode(SDL_Scancode scancode);

}  // namespace zr
