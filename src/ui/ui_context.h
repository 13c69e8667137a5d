// What the 2D interface needs from the game: the engine to draw with, the
// factors from the 800 x 600 virtual screen to frame-buffer pixels, and the
// current frame's elapsed time. Built whole: every field is a constructor
// argument, so a context cannot be handed on half filled.
#pragma once

#include "engine/engine.h"
#include "ui/menu_host.h"

namespace zr::ui {

struct UiContext {
    // host: the game around menus and buttons (none for plain pictures).
    UiContext(engine::Engine* engine, float scaleX, float scaleY, const float* frameSeconds, MenuHost* host)
        : engine(engine), scaleX(scaleX), scaleY(scaleY), frameSeconds(frameSeconds), host(host) {}

    engine::Engine* engine;
    float scaleX;  // rasterWidth / 800
    float scaleY;  // rasterHeight / 600
    const float* frameSeconds;
    MenuHost* host;

    float seconds() const { return frameSeconds ? *frameSeconds : 0.0f; }
};

}  // namespace zr::ui
