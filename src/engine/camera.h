// An engine camera: a frame buffer and a depth buffer, each a sub-raster of
// a full raster, and the begin/end bracket every drawing pass runs inside.
#pragma once

#include "engine/renderer.h"
#include "engine/scene.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <memory>

namespace zr::engine {

class Engine;

// A rectangle of a full raster. A full raster is its own parent.
struct Raster {
    RasterId id = 0;
    int32_t x = 0, y = 0, width = 0, height = 0;
    int32_t fullWidth = 0, fullHeight = 0;
};

enum ClearFlags : uint32_t { kClearColour = 1, kClearDepth = 2 };

class Camera {
public:
    Camera(Engine& engine, int32_t width, int32_t height, bool withDepth);
    ~Camera();
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    bool valid() const { return frameBuffer_.id != 0; }
    const Raster& frameBuffer() const { return frameBuffer_; }
    const Raster& depthBuffer() const { return depthBuffer_; }
    Target target() const;

    // Updates nest no deeper than one: begin while updating does nothing.
    bool beginUpdate();
    void endUpdate();
    bool updating() const { return updating_; }
    void clear(Colour colour, uint32_t flags);
    // Makes the sub-rasters cover width x height, growing the full rasters
    // when they are too small.
    bool resize(int32_t width, int32_t height);
    bool readFrameBuffer(Image* image) const;

    // --- the 3D view ---
    // The camera's frame: it looks along its z axis, its y axis is up and
    // its x axis (the right vector) points to the screen's left, the
    // right-handed convention of the game's files.
    Frame& frame() { return frame_; }
    const Frame& frame() const { return frame_; }
    glm::vec3 position() const { return frame_.worldPosition(); }
    glm::vec3 lookDirection() const;
    glm::vec3 rightDirection() const;
    glm::vec3 upDirection() const;
    // Half-extents of the view at distance 1.
    void setViewWindow(float width, float height) { viewWindow_ = {width, height}; }
    glm::vec2 viewWindow() const { return viewWindow_; }
    void setNearClip(float distance) { near_ = distance; }
    void setFarClip(float distance) { far_ = distance; }
    void setFogDistance(float distance) { fog_ = distance; }
    float nearClip() const { return near_; }
    float farClip() const { return far_; }
    float fogDistance() const { return fog_; }
    glm::mat4 viewProjection() const;
    void* world = nullptr;  // the engine world the camera is in (not owned)

private:
    Engine& engine_;
    Raster frameBuffer_;
    Raster depthBuffer_;
    bool withDepth_;
    bool updating_ = false;
    Frame frame_;
    glm::vec2 viewWindow_{0.7f, 0.525f};
    float near_ = 0.05f;
    float far_ = 1000.0f;
    float fog_ = 0.0f;
};

}  // namespace zr::engine
