// The game's one 3D camera: the engine camera with its frame buffer and
// depth buffer, clip planes from the settings, the view-window rule on
// resize, and the turn and move primitives the camera controller and the
// mouse look build on.
#pragma once

#include "engine/camera.h"

#include <glm/glm.hpp>

#include <memory>

namespace zr {

class GameCameraHost;

struct ClientRect {
    int32_t x = 0, y = 0, width = 0, height = 0;
};

class GameCamera {
public:
    // Clip values come from the settings ("FarClipPlane", "FogClipPlane").
    GameCamera(engine::Engine& engine, int32_t width, int32_t height, bool withDepth, uint32_t farClip,
               uint32_t fogDistance);
    ~GameCamera();
    GameCamera(const GameCamera&) = delete;
    GameCamera& operator=(const GameCamera&) = delete;

    engine::Camera& view() { return *engineCamera; }
    const engine::Camera& view() const { return *engineCamera; }
    bool valid() const { return engineCamera && engineCamera->valid(); }

    // Without a rectangle: the full-screen mode's size, else the current
    // frame-buffer size. The view window keeps the longer side at viewWindow
    // and the screen's proportions.
    void resize(const ClientRect* rectangle, float viewWindow, float aspect, bool fullScreen = false,
                int32_t modeWidth = 0, int32_t modeHeight = 0);
    static glm::vec2 viewWindowFor(int32_t width, int32_t height, float viewWindow, float aspect);

    // Moves by v along the camera's right, up and look axes.
    void moveRelative(const glm::vec3& v);
    // Turns about the camera's right axis, or the world's up axis, through
    // the pivot (the camera's own position when null).
    void turnAboutRight(const glm::vec3* pivot, float degrees);
    void turnAboutUp(const glm::vec3* pivot, float degrees);
    // Puts the camera at a point looking along a heading (degrees about +Y
    // from +Z towards +X), tilted down by pitch degrees.
    void placeAt(const glm::vec3& position, float heading, float pitchDown = 0.0f);

    std::unique_ptr<engine::Camera> engineCamera;
    void* target = nullptr;  // the followed object (the lead car)
    int32_t following = 0;
    int32_t needsPlacement = 0;
    glm::vec3 seatOffset{0.0f};
    float pitch = 0.0f, yaw = 0.0f, roll = 0.0f;
    int32_t mode = 0;
    std::unique_ptr<engine::Image> grab;  // the last thumbnail taken

private:
    void turnAbout(const glm::vec3* pivot, const glm::vec3& axis, float degrees);
};

}  // namespace zr
