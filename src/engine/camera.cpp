// Camera rasters and update brackets on the renderer.
#include "engine/camera.h"

#include "engine/engine.h"

#include <algorithm>

namespace zr::engine {

Camera::Camera(Engine& engine, int32_t width, int32_t height, bool withDepth)
    : engine_(engine), withDepth_(withDepth) {
    resize(width, height);
}

Camera::~Camera() {
    Renderer& renderer = engine_.renderer();
    if (frameBuffer_.id) renderer.destroyRaster(frameBuffer_.id);
    if (depthBuffer_.id) renderer.destroyRaster(depthBuffer_.id);
}

Target Camera::target() const {
    return Target{frameBuffer_.id, depthBuffer_.id, frameBuffer_.x, frameBuffer_.y, frameBuffer_.width,
                  frameBuffer_.height};
}

bool Camera::resize(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    Renderer& renderer = engine_.renderer();
    auto grow = [&](Raster& raster, RasterKind kind) {
        if (raster.id && raster.fullWidth >= width && raster.fullHeight >= height) {
            raster.width = width;
            raster.height = height;
            return;
        }
        if (raster.id) renderer.destroyRaster(raster.id);
        raster = Raster{renderer.createRaster(kind, width, height), 0, 0, width, height, width, height};
    };
    grow(frameBuffer_, RasterKind::Colour);
    if (withDepth_) grow(depthBuffer_, RasterKind::Depth);
    return frameBuffer_.id != 0;
}

bool Camera::beginUpdate() {
    if (updating_) {
        return true;
    }
    updating_ = true;
    engine_.renderer().beginUpdate(target());
    return true;
}

void Camera::endUpdate() {
    if (updating_) {
        engine_.renderer().endUpdate();
        updating_ = false;
    }
}

void Camera::clear(Colour colour, uint32_t flags) {
    engine_.renderer().clear(target(), colour, (flags & kClearColour) != 0, (flags & kClearDepth) != 0);
}

glm::vec3 Camera::lookDirection() const { return glm::normalize(glm::vec3(frame_.world()[2])); }
glm::vec3 Camera::rightDirection() const { return glm::normalize(glm::vec3(frame_.world()[0])); }
glm::vec3 Camera::upDirection() const { return glm::normalize(glm::vec3(frame_.world()[1])); }

glm::mat4 Camera::viewProjection() const {
    // Camera space: x along the right vector (screen left), y up, z along
    // the look direction; the projection flips x so that right is right.
    const glm::mat4 view = glm::inverse(frame_.world());
    const float n = std::max(near_, 1e-4f);
    const float f = std::max(far_, n * 2.0f);
    glm::mat4 projection(0.0f);
    projection[0][0] = -1.0f / viewWindow_.x;
    projection[1][1] = 1.0f / viewWindow_.y;
    projection[2][2] = (f + n) / (f - n);
    projection[2][3] = 1.0f;
    projection[3][2] = -2.0f * f * n / (f - n);
    return projection * view;
}

bool Camera::readFrameBuffer(Image* image) const { return engine_.renderer().readPixels(target(), image); }

}  // namespace zr::engine
