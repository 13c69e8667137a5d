// Engine lifecycle and image-reader registry.
#include "engine/engine.h"

#include "engine/camera.h"
#include "platform/platform.h"

#include <algorithm>
#include <cctype>

namespace zr::engine {
namespace {

std::string extensionOf(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

}  // namespace

Engine::Engine() = default;
Engine::~Engine() { terminate(); }

bool Engine::initialise(size_t arenaBytes) {
    arenaBytes_ = arenaBytes;
    initialised_ = arenaBytes > 0;
    return initialised_;
}

bool Engine::open(Platform& platform) {
    if (!initialised_) {
        return false;
    }
    platform_ = &platform;
    return true;
}

bool Engine::start() {
    if (!platform_) {
        return false;
    }
    renderer_ = platform_->hasGraphics() ? createGlRenderer() : createNullRenderer();
    return renderer_ != nullptr;
}

bool Engine::startWith(std::unique_ptr<Renderer> renderer) {
    if (!initialised_ || !renderer) {
        return false;
    }
    renderer_ = std::move(renderer);
    return true;
}

void Engine::stop() { renderer_.reset(); }

void Engine::close() { platform_ = nullptr; }

void Engine::terminate() {
    stop();
    close();
    readers_.clear();
    initialised_ = false;
}

bool Engine::registerImageReader(const std::string& extension, ImageReader reader) {
    if (!initialised_ || extension.empty() || !reader) {
        return false;
    }
    readers_[extension] = std::move(reader);
    return true;
}

bool Engine::readImage(const std::string& path, Image* image) const {
    const auto reader = readers_.find(extensionOf(path));
    if (reader == readers_.end()) {
        *image = Image();
        return false;
    }
    return reader->second(path, image);
}

void Engine::present(const Camera& camera) {
    if (!renderer_ || !platform_ || !camera.valid()) {
        return;
    }
    int32_t width = 0;
    int32_t height = 0;
    platform_->windowSize(&width, &height);
    if (width > 0 && height > 0) {
        renderer_->showInWindow(camera.target(), width, height);
        platform_->swapWindow();
    }
}

}  // namespace zr::engine
