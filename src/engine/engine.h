// The scene engine's front door: start-up and shutdown, the renderer, image
// readers by file extension, the current texture dictionary and the image
// search path. The game holds one Engine for the whole run.
#pragma once

#include "engine/font.h"
#include "engine/image.h"
#include "engine/renderer.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace zr {
class Platform;
}

namespace zr::engine {

class Camera;
class TextureDictionary;

using ImageReader = std::function<bool(const std::string& path, Image* image)>;

class Engine {
public:
    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Start-up in the framework's order: initialise, open on the platform's
    // window, start (creates the renderer: GL when the platform has a GL
    // surface, else the null renderer). Shutdown: stop, close, terminate.
    bool initialise(size_t arenaBytes);
    bool open(Platform& platform);
    bool start();
    // Starts on a given renderer (tests use recording fakes).
    bool startWith(std::unique_ptr<Renderer> renderer);
    void stop();
    void close();
    void terminate();
    bool started() const { return renderer_ != nullptr; }

    Renderer& renderer() { return *renderer_; }
    Platform* platform() const { return platform_; }

    // Readers are chosen by the lower-case extension after the last '.'.
    bool registerImageReader(const std::string& extension, ImageReader reader);
    bool readImage(const std::string& path, Image* image) const;

    void setCurrentDictionary(TextureDictionary* dictionary) { dictionary_ = dictionary; }
    TextureDictionary* currentDictionary() const { return dictionary_; }
    // The folder (ending in '/', or empty) searched for textures by name.
    void setImageSearchPath(const std::string& path) { searchPath_ = path; }
    const std::string& imageSearchPath() const { return searchPath_; }

    // Shows a camera's frame buffer in the window.
    void present(const Camera& camera);

    Text2d& text() { return text_; }

private:
    Platform* platform_ = nullptr;
    std::unique_ptr<Renderer> renderer_;
    std::map<std::string, ImageReader> readers_;
    TextureDictionary* dictionary_ = nullptr;
    std::string searchPath_;
    Text2d text_{*this};
    size_t arenaBytes_ = 0;
    bool initialised_ = false;
};

}  // namespace zr::engine
