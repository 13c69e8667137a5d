// Creating the platform implementations without exposing their libraries.
#pragma once

#include "platform/platform.h"

#include <memory>

namespace zr {

// The real game's platform on SDL2; chooseDisplayMode answers the preset
// mode (from the command line).
std::unique_ptr<Platform> createSdlPlatform(const DisplayMode& preset);

}  // namespace zr
