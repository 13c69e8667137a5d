// A renderer that keeps ids and sizes and draws nothing: logic tests run
// the whole game with it and no GL context.
#include "engine/renderer.h"

#include <unordered_map>

namespace zr::engine {
namespace {

class NullRenderer final : public Renderer {
public:
    bool isNull() const override { return true; }
    TextureId createTexture(int32_t, int32_t, const uint8_t*, TextureFormat) override { return ++next_; }
    void updateTexture(TextureId, const uint8_t*) override {}
    void makeRepeating(TextureId) override {}
    void destroyTexture(TextureId) override {}
    RasterId createRaster(RasterKind, int32_t, int32_t) override { return ++next_; }
    void destroyRaster(RasterId) override {}
    void beginUpdate(const Target&) override {}
    void endUpdate() override {}
    void clear(const Target&, Colour, bool, bool) override {}
    void setStates(const RenderStates&) override {}
    void drawQuad(const Quad&) override {}
    MeshId createMesh(const MeshData&) override { return ++next_; }
    void updateMesh(MeshId, const MeshData&) override {}
    void destroyMesh(MeshId) override {}
    void setView(const View3d&) override {}
    void drawMesh(const MeshDraw&) override {}
    bool readPixels(const Target& target, Image* image) override {
        image->resize(target.width, target.height);
        return true;
    }
    void showInWindow(const Target&, int32_t, int32_t) override {}

private:
    uint32_t next_ = 0;
};

}  // namespace

std::unique_ptr<Renderer> createNullRenderer() { return std::make_unique<NullRenderer>(); }

}  // namespace zr::engine
