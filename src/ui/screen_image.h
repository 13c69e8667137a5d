// Flat pictures of the interface. A picture read from a file is cut into
// power-of-two tiles of at most 256 x 256 (never padded or resampled) and
// drawn as textured rectangles; the origin is the bottom-left corner and y
// grows upwards. Pictures without alpha take it from a " alpha.bmp" mask.
#pragma once

#include "engine/camera.h"
#include "engine/renderer.h"
#include "ui/ui_context.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zr::ui {

// The fill of a rectangle: a texture, four corner colours and the texture
// coordinates of the corners (bottom-left, bottom-right, top-right, top-left).
struct Brush {
    engine::TextureId texture = 0;
    std::array<engine::Colour, 4> colours{engine::Colour{255, 255, 255, 255}, engine::Colour{255, 255, 255, 255},
                                          engine::Colour{255, 255, 255, 255}, engine::Colour{255, 255, 255, 255}};
    std::array<std::array<float, 2>, 4> uvs{{{0, 1}, {1, 1}, {1, 0}, {0, 0}}};
};

struct ImageTile {
    engine::TextureId texture = 0;
    int32_t x = 0, y = 0, w = 0, h = 0;  // screen pixels from the image's bottom-left
    int32_t pixelWidth = 0, pixelHeight = 0;  // the tile's picture pixels
    std::vector<uint8_t> alpha;  // rows top first; kept only on request
};

// One column width or row height of the tiling.
struct TileSpan {
    int32_t start = 0;
    int32_t length = 0;
};

// Largest powers of two not above what remains, at most 256, in order.
std::vector<TileSpan> tileSpans(int32_t length);

// No texel is stored as pure black: opaque black becomes (0, 1, 0).
void avoidPureBlack(engine::Image* image);

class ScreenImage {
public:
    // From a file; x and y in virtual units (truncated to 16 bits). A file
    // that cannot be read gives an empty image that draws nothing.
    // keepAlpha keeps each tile's alpha for pixel-accurate hit tests.
    ScreenImage(const UiContext& context, const std::string& path, int32_t x, int32_t y,
                const engine::Image* mask = nullptr, bool keepAlpha = false);
    // From 32-bit RGBA pixels; x and y are not scaled.
    ScreenImage(const UiContext& context, const uint8_t* rgba, float x, float y, int32_t width, int32_t height);
    virtual ~ScreenImage();
    ScreenImage(const ScreenImage&) = delete;
    ScreenImage& operator=(const ScreenImage&) = delete;

    virtual void draw(engine::Camera& camera, float offsetX, float offsetY);

    bool empty() const { return texture_ == 0 && tiles_.empty(); }
    const std::vector<ImageTile>& tiles() const { return tiles_; }
    engine::TextureId texture() const { return texture_; }
    engine::TextureFormat format() const { return format_; }
    Brush& brush() { return brush_; }
    // Rewrites the single texture (raw-pixel images).
    void updatePixels(const uint8_t* rgba);

    // The intrusive list links (not owned).
    ScreenImage* older = nullptr;
    ScreenImage* newer = nullptr;

    float x = 0.0f, y = 0.0f, w = 0.0f, h = 0.0f;  // screen pixels

private:
    bool readPicture(const std::string& path, const engine::Image* mask, engine::Image* picture) const;
    void buildTiles(engine::Image& picture, bool keepAlpha);

    UiContext context_;
    Brush brush_;
    engine::TextureId texture_ = 0;
    engine::TextureFormat format_ = engine::TextureFormat::Rgba8888;
    std::vector<ImageTile> tiles_;
};

}  // namespace zr::ui
