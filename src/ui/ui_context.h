// What the 2D interface needs from the game: the engine to draw with, the
// factors from the 800 x 600 virtual screen to frame-buffer pixels, and the
// current frame's elapsed time.
#pragma once

#include "engine/engine.h"
#include "ui/menu_host.h"

namespace zr::ui {

struct UiContext {
    engine::Engine* engine = nullptr;
    float scaleX = 1.0f;        // rasterWidth / 800
    float scaleY = 1.0f;        // rasterHeight / 600
    const float* frameSeconds = nullptr;
    MenuHost* host = nullptr;  // menus and buttons only

    float seconds() const { return frameSeconds ? *frameSeconds : 0.0f; }
};

}  // namespace zr::ui
