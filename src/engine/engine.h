// The scene engine's front door: start-up and shutdown, the renderer, image
// readers by file extension, the current texture dictionary and the image
// search path. The game holds one Engine for the whole run.
#pragma once

#include "engine/font.h"
#include "engine/image.h"
#include "engine/renderer.h"

#include <functional>
#include <vector>

#include <glm/glm.hpp>
#include <map>
#include <memory>
#include <string>

namespace zr {
class Platform;
}

namespace zr::engine {

class Camera;
class TextureDictionary;
class World;
class Geometry;
class Atomic;
class Clump;

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

    // --- 3D ---
    // Looks up every material's texture by name: the current dictionary
    // first, then "<search path><name>.png" / ".bmp" (cached).
    void resolveTextures(Geometry& geometry);
    void resolveTextures(Clump& clump);
    void releaseGeometry(Geometry& geometry);
    void setFogColour(Colour colour) { fogColour_ = colour; }
    void setFogEnabled(bool enabled) { fogEnabled_ = enabled; }
    // Drawing of a world's frame: between beginScene and endScene opaque
    // draws are queued and drawn sorted by texture; immediate draws (the
    // see-through parts, farthest first) bypass the queue.
    void beginScene(Camera& camera, World& world);
    void endScene();
    void drawAtomic(Atomic& atomic, Geometry* geometry = nullptr);
    void drawAtomicNow(Atomic& atomic, Geometry* geometry = nullptr);
    void drawGeometry(Geometry& geometry, const glm::mat4& transform, bool immediate = false);
    size_t drawsLastScene() const { return drawsLastScene_; }

private:
    Platform* platform_ = nullptr;
    std::unique_ptr<Renderer> renderer_;
    std::map<std::string, ImageReader> readers_;
    TextureDictionary* dictionary_ = nullptr;
    std::string searchPath_;
    struct FileTexture {
        TextureId texture = 0;
        bool hasAlpha = false;
    };
    void uploadGeometry(Geometry& geometry);
    void submit(const MeshDraw& draw);

    Text2d text_{*this};
    std::map<std::string, FileTexture> fileTextures_;
    Colour fogColour_{0, 0, 0, 255};
    bool fogEnabled_ = false;
    bool inScene_ = false;
    std::vector<MeshDraw> queue_;
    size_t drawsLastScene_ = 0;
    size_t arenaBytes_ = 0;
    bool initialised_ = false;
};

}  // namespace zr::engine
