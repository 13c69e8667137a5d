// Window and GL context creation on SDL2.
#include "platform/sdl/sdl_window.h"

#include <cstdio>

namespace zr {

SdlWindow::~SdlWindow() { close(); }

bool SdlWindow::open(int32_t width, int32_t height, bool fullScreen, bool hidden) {
    close();
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            std::fprintf(stderr, "zephyrail: no video: %s\n", SDL_GetError());
            return false;
        }
        ownsVideo_ = true;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    Uint32 flags = SDL_WINDOW_OPENGL;
    flags |= hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN;
    if (fullScreen) {
        flags |= SDL_WINDOW_FULLSCREEN;
    }
    window_ = SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, flags);
    if (!window_) {
        std::fprintf(stderr, "zephyrail: cannot create the window: %s\n", SDL_GetError());
        close();
        return false;
    }
    context_ = SDL_GL_CreateContext(window_);
    if (!context_) {
        std::fprintf(stderr, "zephyrail: no OpenGL 3.3 context: %s\n", SDL_GetError());
        close();
        return false;
    }
    SDL_GL_MakeCurrent(window_, context_);
    SDL_GL_SetSwapInterval(hidden ? 0 : 1);
    return true;
}

void SdlWindow::close() {
    if (context_) {
        SDL_GL_DeleteContext(context_);
        context_ = nullptr;
    }
    if (window_) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
    }
    if (ownsVideo_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        ownsVideo_ = false;
    }
}

void SdlWindow::drawableSize(int32_t* width, int32_t* height) const {
    *width = 0;
    *height = 0;
    if (window_) {
        int w = 0;
        int h = 0;
        SDL_GL_GetDrawableSize(window_, &w, &h);
        *width = w;
        *height = h;
    }
}

void SdlWindow::swap() {
    if (window_) {
        SDL_GL_SwapWindow(window_);
    }
}

void SdlWindow::setTitle(const char* title) {
    if (window_) {
        SDL_SetWindowTitle(window_, title);
    }
}

}  // namespace zr
