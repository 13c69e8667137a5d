// A renderer for tests: keeps every texture's pixels and records the quads
// drawn, so tests can check what the interface would have put on screen.
#pragma once

#include "engine/renderer.h"

#include <map>
#include <vector>

namespace zr::test {

class RecordingRenderer final : public engine::Renderer {
public:
    struct Texture {
        int32_t width = 0;
        int32_t height = 0;
        std::vector<uint8_t> rgba;
        engine::TextureFormat format = engine::TextureFormat::Rgba8888;
    };

    bool isNull() const override { return true; }
    engine::TextureId createTexture(int32_t width, int32_t height, const uint8_t* rgba,
                                    engine::TextureFormat format) override {
        Texture texture{width, height, std::vector<uint8_t>(rgba, rgba + static_cast<size_t>(width) * height * 4),
                        format};
        textures[++next_] = texture;
        return next_;
    }
    void updateTexture(engine::TextureId id, const uint8_t* rgba) override {
        Texture& texture = textures.at(id);
        texture.rgba.assign(rgba, rgba + texture.rgba.size());
    }
    void destroyTexture(engine::TextureId id) override { textures.erase(id); }
    void makeRepeating(engine::TextureId) override {}
    engine::RasterId createRaster(engine::RasterKind, int32_t, int32_t) override { return ++next_; }
    void destroyRaster(engine::RasterId) override {}
    void beginUpdate(const engine::Target&) override {}
    void endUpdate() override {}
    void clear(const engine::Target&, engine::Colour, bool colour, bool) override { clears += colour ? 1 : 0; }
    void setStates(const engine::RenderStates&) override {}
    void drawQuad(const engine::Quad& quad) override { quads.push_back(quad); }
    engine::MeshId createMesh(const engine::MeshData&) override { return ++next_; }
    void updateMesh(engine::MeshId, const engine::MeshData&) override {}
    void destroyMesh(engine::MeshId) override {}
    void setView(const engine::View3d&) override {}
    void drawMesh(const engine::MeshDraw& draw) override { meshDraws.push_back(draw); }
    bool readPixels(const engine::Target& target, engine::Image* image) override {
        image->resize(target.width, target.height);
        return true;
    }
    void showInWindow(const engine::Target&, int32_t, int32_t) override {}

    std::map<engine::TextureId, Texture> textures;
    std::vector<engine::Quad> quads;
    std::vector<engine::MeshDraw> meshDraws;
    int clears = 0;  // colour clears

private:
    uint32_t next_ = 0;
};

}  // namespace zr::test
