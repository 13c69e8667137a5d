// Reading, tiling and drawing of interface pictures.
#include "ui/screen_image.h"

#include <algorithm>

namespace zr::ui {
namespace {

constexpr int32_t kMaxTile = 256;

engine::Image subImage(const engine::Image& picture, int32_t left, int32_t top, int32_t width, int32_t height) {
    engine::Image tile;
    tile.resize(width, height);
    for (int32_t row = 0; row < height; ++row) {
        std::copy_n(picture.pixel(left, top + row), static_cast<size_t>(width) * 4, tile.pixel(0, row));
    }
    return tile;
}

}  // namespace

std::vector<TileSpan> tileSpans(int32_t length) {
    std::vector<TileSpan> spans;
    int32_t start = 0;
    while (start < length) {
        int32_t span = kMaxTile;
        while (span > length - start) span >>= 1;
        spans.push_back({start, span});
        start += span;
    }
    return spans;
}

void avoidPureBlack(engine::Image* image) {
    for (size_t i = 0; i + 3 < image->rgba.size(); i += 4) {
        uint8_t* p = &image->rgba[i];
        if (p[0] == 0 && p[1] == 0 && p[2] == 0 && p[3] == 255) p[1] = 1;
    }
}

ScreenImage::ScreenImage(const UiContext& context, const std::string& path, int32_t x16, int32_t y16,
                         const engine::Image* mask, bool keepAlpha)
    : context_(context) {
    x = static_cast<float>(static_cast<int16_t>(x16));
    y = static_cast<float>(static_cast<int16_t>(y16));
    engine::Image picture;
    if (!context_.engine || !readPicture(path, mask, &picture)) {
        x *= context_.scaleX;
        y *= context_.scaleY;
        return;  // an unreadable picture is an empty image
    }
    w = static_cast<float>(picture.width);
    h = static_cast<float>(picture.height);
    buildTiles(picture, keepAlpha);
    x *= context_.scaleX;
    w *= context_.scaleX;
    y *= context_.scaleY;
    h *= context_.scaleY;
}

ScreenImage::ScreenImage(const UiContext& context, const uint8_t* rgba, float px, float py, int32_t width,
                         int32_t height)
    : context_(context) {
    x = px;
    y = py;
    w = static_cast<float>(width) * context_.scaleX;
    h = static_cast<float>(height) * context_.scaleY;
    if (context_.engine && width > 0 && height > 0) {
        texture_ = context_.engine->renderer().createTexture(width, height, rgba, format_);
        brush_.texture = texture_;
    }
}

ScreenImage::~ScreenImage() {
    if (!context_.engine || !context_.engine->started()) return;
    engine::Renderer& renderer = context_.engine->renderer();
    if (texture_) renderer.destroyTexture(texture_);
    for (const ImageTile& tile : tiles_) renderer.destroyTexture(tile.texture);
}

bool ScreenImage::readPicture(const std::string& path, const engine::Image* mask, engine::Image* picture) const {
    const engine::Engine& engine = *context_.engine;
    if (path.find(".png") != std::string::npos) {
        return engine.readImage(path, picture);  // PNG carries its own alpha
    }
    if (!engine.readImage(path, picture)) return false;
    if (mask) {
        if (mask->width * mask->height < picture->width * picture->height) return true;
        // Pixel by pixel in order: the mask's red byte becomes the alpha.
        for (size_t i = 0; i + 3 < picture->rgba.size(); i += 4) picture->rgba[i + 3] = mask->rgba[i];
        return true;
    }
    const size_t dot = path.find_last_of('.');
    engine::Image alpha;
    if (dot != std::string::npos && engine.readImage(path.substr(0, dot) + " alpha.bmp", &alpha)) {
        engine::applyBrightnessMask(alpha, picture);
    }
    return true;
}

void ScreenImage::buildTiles(engine::Image& picture, bool keepAlpha) {
    avoidPureBlack(&picture);
    engine::Renderer& renderer = context_.engine->renderer();
    const float sx = context_.scaleX;
    const float sy = context_.scaleY;
    for (const TileSpan& column : tileSpans(picture.width)) {
        for (const TileSpan& row : tileSpans(picture.height)) {
            const engine::Image pixels = subImage(picture, column.start, row.start, column.length, row.length);
            ImageTile tile;
            tile.texture = renderer.createTexture(column.length, row.length, pixels.rgba.data(), format_);
            tile.x = static_cast<int32_t>(static_cast<float>(column.start) * sx);
            tile.y = static_cast<int32_t>(static_cast<float>(picture.height - row.start - row.length) * sy);
            tile.w = static_cast<int32_t>(static_cast<float>(column.length) * sx);
            tile.h = static_cast<int32_t>(static_cast<float>(row.length) * sy);
            tile.pixelWidth = column.length;
            tile.pixelHeight = row.length;
            if (keepAlpha) {
                tile.alpha.resize(pixels.rgba.size() / 4);
                for (size_t i = 0; i < tile.alpha.size(); ++i) tile.alpha[i] = pixels.rgba[i * 4 + 3];
            }
            tiles_.push_back(tile);
        }
    }
}

void ScreenImage::updatePixels(const uint8_t* rgba) {
    if (texture_) context_.engine->renderer().updateTexture(texture_, rgba);
}

void ScreenImage::draw(engine::Camera& camera, float offsetX, float offsetY) {
    if (empty() || !camera.valid()) return;
    // GL samples texel centres at pixel centres when a rectangle covers
    // whole pixels, so no half-pixel shift is needed here.
    engine::Renderer& renderer = context_.engine->renderer();
    engine::Quad quad;
    quad.colours = brush_.colours;
    quad.uvs = brush_.uvs;
    if (texture_) {
        quad.texture = texture_;
        quad.x = x + offsetX;
        quad.y = y + offsetY;
        quad.width = w;
        quad.height = h;
        renderer.drawQuad(quad);
        return;
    }
    for (const ImageTile& tile : tiles_) {
        brush_.texture = tile.texture;
        quad.texture = tile.texture;
        quad.x = offsetX + x + static_cast<float>(tile.x);
        quad.y = offsetY + y + static_cast<float>(tile.y);
        quad.width = static_cast<float>(tile.w);
        quad.height = static_cast<float>(tile.h);
        renderer.drawQuad(quad);
    }
}

}  // namespace zr::ui
