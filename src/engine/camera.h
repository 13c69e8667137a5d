// An engine camera: a frame buffer and a depth buffer, each a sub-raster of
// a full raster, and the begin/end bracket every drawing pass runs inside.
#pragma once

#include "engine/renderer.h"

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

private:
    Engine& engine_;
    Raster frameBuffer_;
    Raster depthBuffer_;
    bool withDepth_;
    bool updating_ = false;
};

}  // namespace zr::engine
