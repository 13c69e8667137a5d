// An SDL window with an OpenGL 3.3 core context, shared by the real
// platform and by the headless one (which opens it hidden, on SDL's
// offscreen driver, when a test wants real rendering).
#pragma once

#include <SDL.h>

#include <cstdint>

namespace zr {

class SdlWindow {
public:
    SdlWindow() = default;
    ~SdlWindow();
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    bool open(int32_t width, int32_t height, bool fullScreen, bool hidden);
    void close();
    bool isOpen() const { return window_ != nullptr; }
    void drawableSize(int32_t* width, int32_t* height) const;
    void swap();
    void setTitle(const char* title);
    SDL_Window* handle() const { return window_; }

private:
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    bool ownsVideo_ = false;
};

}  // namespace zr
