// The renderer behind the scene engine: textures, rasters, camera targets,
// 2D textured rectangles and read-back. One OpenGL 3.3 core implementation
// and one null implementation that keeps sizes but draws nothing.
#pragma once

#include "engine/image.h"

#include <array>
#include <cstdint>
#include <memory>

namespace zr::engine {

using TextureId = uint32_t;  // 0 = none
using RasterId = uint32_t;   // 0 = none
using MeshId = uint32_t;     // 0 = none

enum class TextureFormat {
    Rgba8888,  // 32-bit with 8-bit alpha
    Rgba4444,  // 16-bit with 4-bit alpha
    Rgba5551,  // 16-bit with 1-bit alpha
    Rgb565,    // 16-bit without alpha
};

enum class RasterKind { Colour, Depth };

struct Colour {
    uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Colour&) const = default;
};

// Where a camera draws: sub-rectangles (x, y, width, height, from the
// bottom-left) of a full colour raster and a full depth raster.
struct Target {
    RasterId colour = 0;
    RasterId depth = 0;
    int32_t x = 0, y = 0, width = 0, height = 0;
};

enum class BlendFactor { Zero, One, SourceAlpha, InverseSourceAlpha };

// The switches the game's frames set; see the 2D and 3D frame code.
struct RenderStates {
    bool depthTest = false;
    bool depthWrite = false;
    bool fog = false;
    bool alphaTest = false;
    uint8_t alphaReference = 128;
    BlendFactor source = BlendFactor::SourceAlpha;
    BlendFactor destination = BlendFactor::InverseSourceAlpha;
    bool vertexAlpha = true;
    bool cullFaces = false;
};

// A 2D rectangle in target pixels from the bottom-left; corners in the
// order bottom-left, bottom-right, top-right, top-left.
struct Quad {
    float x = 0, y = 0, width = 0, height = 0;
    TextureId texture = 0;
    std::array<Colour, 4> colours{Colour{255, 255, 255, 255}, Colour{255, 255, 255, 255},
                                  Colour{255, 255, 255, 255}, Colour{255, 255, 255, 255}};
    std::array<std::array<float, 2>, 4> uvs{{{0, 1}, {1, 1}, {1, 0}, {0, 0}}};
};

// Vertex data of a mesh: positions (xyz), normals (xyz, or null), texture
// coordinates (uv, or null) and prelit colours (rgba, or null).
struct MeshData {
    const float* positions = nullptr;
    const float* normals = nullptr;
    const float* uvs = nullptr;
    const uint8_t* colours = nullptr;
    size_t vertexCount = 0;
    const uint32_t* indices = nullptr;
    size_t indexCount = 0;
};

constexpr int kMaxDirectionalLights = 4;

// The 3D view of a frame: matrices are column-major 4 x 4.
struct View3d {
    float viewProjection[16] = {};
    float cameraPosition[3] = {};
    bool fog = false;
    float fogColour[3] = {};
    float fogStart = 0.0f;
    float fogEnd = 1.0f;
    float ambient[3] = {};
    int32_t lightCount = 0;
    float lightDirections[kMaxDirectionalLights][3] = {};  // the direction light travels
    float lightColours[kMaxDirectionalLights][3] = {};
};

struct MeshDraw {
    MeshId mesh = 0;
    uint32_t firstIndex = 0;
    uint32_t indexCount = 0;
    TextureId texture = 0;
    Colour materialColour{255, 255, 255, 255};
    float model[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    bool lit = false;
    bool prelit = false;
};

class Renderer {
public:
    virtual ~Renderer() = default;
    virtual bool isNull() const = 0;

    // Textures: rgba holds width * height * 4 bytes, rows top first; the
    // texture stores them in the given format. Linear filtering, clamped.
    virtual TextureId createTexture(int32_t width, int32_t height, const uint8_t* rgba, TextureFormat format) = 0;
    virtual void updateTexture(TextureId texture, const uint8_t* rgba) = 0;
    // For textures of 3D models: repeat in both directions, with mipmaps.
    virtual void makeRepeating(TextureId texture) = 0;
    virtual void destroyTexture(TextureId texture) = 0;

    virtual RasterId createRaster(RasterKind kind, int32_t width, int32_t height) = 0;
    virtual void destroyRaster(RasterId raster) = 0;

    virtual void beginUpdate(const Target& target) = 0;
    virtual void endUpdate() = 0;
    // Clears the target's rectangle; colour and/or depth.
    virtual void clear(const Target& target, Colour colour, bool clearColour, bool clearDepth) = 0;
    virtual void setStates(const RenderStates& states) = 0;
    virtual void drawQuad(const Quad& quad) = 0;

    // 3D meshes and their drawing under the current states and view.
    virtual MeshId createMesh(const MeshData& data) = 0;
    virtual void updateMesh(MeshId mesh, const MeshData& data) = 0;
    virtual void destroyMesh(MeshId mesh) = 0;
    virtual void setView(const View3d& view) = 0;
    virtual void drawMesh(const MeshDraw& draw) = 0;

    // Reads the target's rectangle back, rows top first.
    virtual bool readPixels(const Target& target, Image* image) = 0;
    // Copies the target into the window's back buffer, stretched.
    virtual void showInWindow(const Target& target, int32_t windowWidth, int32_t windowHeight) = 0;
};

std::unique_ptr<Renderer> createGlRenderer();
std::unique_ptr<Renderer> createNullRenderer();

}  // namespace zr::engine
