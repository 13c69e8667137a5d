// Camera construction, resizing and its turn and move primitives.
#include "camera/game_camera.h"

#include <glm/gtc/matrix_transform.hpp>

namespace zr {

GameCamera::GameCamera(engine::Engine& engine, int32_t width, int32_t height, bool withDepth, uint32_t farClip,
                       uint32_t fogDistance) {
    engineCamera = std::make_unique<engine::Camera>(engine, width, height, withDepth);
    engineCamera->setNearClip(0.05f);
    // The settings are read as unsigned 32-bit numbers.
    engineCamera->setFarClip(static_cast<float>(farClip));
    engineCamera->setFogDistance(static_cast<float>(fogDistance));
    engineCamera->setViewWindow(0.7f, 0.525f);
    moveRelative(glm::vec3(0.0f));
}

GameCamera::~GameCamera() = default;

glm::vec2 GameCamera::viewWindowFor(int32_t width, int32_t height, float viewWindow, float aspect) {
    // A 4:3 screen, full or windowed, gets (viewWindow, viewWindow / aspect)
    // from the rule below as well; any other shape keeps its proportions
    // instead of being squashed into 4:3.
    if (width <= 0 || height <= 0) return {viewWindow, viewWindow / aspect};
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    if (width <= height) return {viewWindow * w / h, viewWindow};
    return {viewWindow, viewWindow * h / w};
}

void GameCamera::resize(const ClientRect* rectangle, float viewWindow, float aspect, bool fullScreen,
                        int32_t modeWidth, int32_t modeHeight) {
    if (!valid()) return;
    ClientRect rect;
    if (rectangle) {
        rect = *rectangle;
    } else if (fullScreen) {
        rect = ClientRect{0, 0, modeWidth, modeHeight};
    } else {
        rect = ClientRect{0, 0, engineCamera->frameBuffer().width, engineCamera->frameBuffer().height};
    }
    if (rect.width <= 0 || rect.height <= 0) return;
    const glm::vec2 window = viewWindowFor(rect.width, rect.height, viewWindow, aspect);
    engineCamera->resize(rect.width, rect.height);
    engineCamera->setViewWindow(window.x, window.y);
}

void GameCamera::moveRelative(const glm::vec3& v) {
    engine::Frame& frame = engineCamera->frame();
    const glm::mat3 axes(frame.world());
    frame.translate(axes * v, engine::Combine::Postcombine);
}

void GameCamera::turnAbout(const glm::vec3* pivot, const glm::vec3& axis, float degrees) {
    engine::Frame& frame = engineCamera->frame();
    const glm::vec3 centre = pivot ? *pivot : frame.position();
    frame.translate(-centre, engine::Combine::Postcombine);
    frame.rotate(axis, degrees, engine::Combine::Postcombine);
    frame.translate(centre, engine::Combine::Postcombine);
}

void GameCamera::turnAboutRight(const glm::vec3* pivot, float degrees) {
    turnAbout(pivot, glm::vec3(engineCamera->frame().local[0]), degrees);
}

void GameCamera::turnAboutUp(const glm::vec3* pivot, float degrees) {
    turnAbout(pivot, glm::vec3(0.0f, 1.0f, 0.0f), degrees);
}

void GameCamera::placeAt(const glm::vec3& position, float heading, float pitchDown) {
    engine::Frame& frame = engineCamera->frame();
    frame.rotate(glm::vec3(1.0f, 0.0f, 0.0f), pitchDown, engine::Combine::Replace);
    frame.rotate(glm::vec3(0.0f, 1.0f, 0.0f), heading, engine::Combine::Postcombine);
    frame.translate(position, engine::Combine::Postcombine);
}

}  // namespace zr
