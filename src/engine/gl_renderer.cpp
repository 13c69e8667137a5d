// OpenGL 3.3 core renderer. Rasters are textures (colour) or renderbuffers
// (depth) joined into framebuffer objects per camera target; 2D quads are
// batched by texture and states and drawn with one small shader.
#include "engine/renderer.h"

#include <epoxy/gl.h>

#include <cstdio>
#include <algorithm>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zr::engine {
namespace {

const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec2 aUv;
layout(location = 2) in vec4 aColour;
uniform vec2 uTargetSize;
out vec2 vUv;
out vec4 vColour;
void main() {
    vUv = aUv;
    vColour = aColour;
    gl_Position = vec4(aPosition / uTargetSize * 2.0 - 1.0, 0.0, 1.0);
}
)";

const char* kFragmentShader = R"(#version 330 core
in vec2 vUv;
in vec4 vColour;
uniform sampler2D uTexture;
uniform float uAlphaReference;
uniform int uAlphaTest;
out vec4 fragColour;
void main() {
    vec4 colour = texture(uTexture, vUv) * vColour;
    if (uAlphaTest != 0 && colour.a < uAlphaReference) {
        discard;
    }
    fragColour = colour;
}
)";

const char* kMeshVertexShader = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aUv;
layout(location = 3) in vec4 aColour;
uniform mat4 uModel;
uniform mat4 uViewProjection;
uniform vec3 uCamera;
uniform vec4 uMaterial;
uniform int uLit;
uniform int uPrelit;
uniform vec3 uAmbient;
uniform int uLightCount;
uniform vec3 uLightDirection[4];
uniform vec3 uLightColour[4];
out vec2 vUv;
out vec4 vColour;
out float vDistance;
void main() {
    vec4 world = uModel * vec4(aPosition, 1.0);
    gl_Position = uViewProjection * world;
    vUv = aUv;
    vDistance = length(world.xyz - uCamera);
    vec4 base = uPrelit != 0 ? aColour : vec4(uLit != 0 ? 0.0 : 1.0, uLit != 0 ? 0.0 : 1.0, uLit != 0 ? 0.0 : 1.0, 1.0);
    vec3 light = vec3(0.0);
    if (uLit != 0) {
        vec3 n = normalize(mat3(uModel) * aNormal);
        light = uAmbient;
        for (int i = 0; i < uLightCount; ++i) {
            light += uLightColour[i] * max(dot(n, -uLightDirection[i]), 0.0);
        }
    }
    vColour = vec4(clamp(base.rgb + light, 0.0, 1.0) * uMaterial.rgb, base.a * uMaterial.a);
}
)";

const char* kMeshFragmentShader = R"(#version 330 core
in vec2 vUv;
in vec4 vColour;
in float vDistance;
uniform sampler2D uTexture;
uniform int uAlphaTest;
uniform float uAlphaReference;
uniform int uFog;
uniform vec3 uFogColour;
uniform float uFogStart;
uniform float uFogEnd;
out vec4 fragColour;
void main() {
    vec4 colour = texture(uTexture, vUv) * vColour;
    if (uAlphaTest != 0 && colour.a < uAlphaReference) {
        discard;
    }
    if (uFog != 0) {
        float f = clamp((uFogEnd - vDistance) / max(uFogEnd - uFogStart, 0.001), 0.0, 1.0);
        colour.rgb = mix(uFogColour, colour.rgb, f);
    }
    fragColour = colour;
}
)";

struct MeshInfo {
    GLuint vao = 0;
    GLuint vertices = 0;
    GLuint indices = 0;
};

// Interleaved mesh vertex: position, normal, uv, colour.
struct MeshVertex {
    float position[3];
    float normal[3];
    float uv[2];
    uint8_t colour[4];
};

struct Vertex {
    float x, y, u, v;
    uint8_t r, g, b, a;
};

struct TextureInfo {
    GLuint name = 0;
    int32_t width = 0;
    int32_t height = 0;
    TextureFormat format = TextureFormat::Rgba8888;
};

struct RasterInfo {
    GLuint name = 0;
    RasterKind kind = RasterKind::Colour;
    int32_t width = 0;
    int32_t height = 0;
};

GLenum blendFactor(BlendFactor factor) {
    switch (factor) {
    case BlendFactor::Zero: return GL_ZERO;
    case BlendFactor::One: return GL_ONE;
    case BlendFactor::SourceAlpha: return GL_SRC_ALPHA;
    case BlendFactor::InverseSourceAlpha: return GL_ONE_MINUS_SRC_ALPHA;
    }
    return GL_ONE;
}

// Packs RGBA8 into the 16-bit formats the way the display stores them.
std::vector<uint16_t> pack16(const uint8_t* rgba, size_t pixels, TextureFormat format) {
    std::vector<uint16_t> packed(pixels);
    for (size_t i = 0; i < pixels; ++i) {
        const uint8_t* p = rgba + i * 4;
        switch (format) {
        case TextureFormat::Rgba4444:
            packed[i] = static_cast<uint16_t>(((p[0] >> 4) << 12) | ((p[1] >> 4) << 8) | ((p[2] >> 4) << 4) | (p[3] >> 4));
            break;
        case TextureFormat::Rgba5551:
            packed[i] = static_cast<uint16_t>(((p[0] >> 3) << 11) | ((p[1] >> 3) << 6) | ((p[2] >> 3) << 1) | (p[3] >= 128 ? 1 : 0));
            break;
        default:
            packed[i] = static_cast<uint16_t>(((p[0] >> 3) << 11) | ((p[1] >> 2) << 5) | (p[2] >> 3));
            break;
        }
    }
    return packed;
}

std::vector<MeshVertex> interleave(const MeshData& data) {
    std::vector<MeshVertex> vertices(data.vertexCount);
    for (size_t i = 0; i < data.vertexCount; ++i) {
        MeshVertex& v = vertices[i];
        for (int c = 0; c < 3; ++c) {
            v.position[c] = data.positions[i * 3 + c];
            v.normal[c] = data.normals ? data.normals[i * 3 + c] : (c == 1 ? 1.0f : 0.0f);
        }
        v.uv[0] = data.uvs ? data.uvs[i * 2] : 0.0f;
        v.uv[1] = data.uvs ? data.uvs[i * 2 + 1] : 0.0f;
        for (int c = 0; c < 4; ++c) v.colour[c] = data.colours ? data.colours[i * 4 + c] : 255;
    }
    return vertices;
}

GLuint compileShader(GLenum type, const char* source) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024];
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "zephyrail: shader: %s\n", log);
    }
    return shader;
}

GLuint linkProgram(const char* vertexSource, const char* fragmentSource) {
    const GLuint program = glCreateProgram();
    const GLuint vs = compileShader(GL_VERTEX_SHADER, vertexSource);
    const GLuint fs = compileShader(GL_FRAGMENT_SHADER, fragmentSource);
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    return program;
}

class GlRenderer final : public Renderer {
public:
    GlRenderer() { setUp(); }
    ~GlRenderer() override;

    bool isNull() const override { return false; }
    TextureId createTexture(int32_t width, int32_t height, const uint8_t* rgba, TextureFormat format) override;
    void updateTexture(TextureId texture, const uint8_t* rgba) override;
    void makeRepeating(TextureId texture) override;
    void destroyTexture(TextureId texture) override;
    RasterId createRaster(RasterKind kind, int32_t width, int32_t height) override;
    void destroyRaster(RasterId raster) override;
    void beginUpdate(const Target& target) override;
    void endUpdate() override { flush(); }
    void clear(const Target& target, Colour colour, bool clearColour, bool clearDepth) override;
    void setStates(const RenderStates& states) override;
    void drawQuad(const Quad& quad) override;
    MeshId createMesh(const MeshData& data) override;
    void updateMesh(MeshId mesh, const MeshData& data) override;
    void destroyMesh(MeshId mesh) override;
    void setView(const View3d& view) override { view_ = view; viewDirty_ = true; }
    void drawMesh(const MeshDraw& draw) override;
    bool readPixels(const Target& target, Image* image) override;
    void showInWindow(const Target& target, int32_t windowWidth, int32_t windowHeight) override;

private:
    void setUp();
    void setUpMeshProgram();
    void useMeshProgram();
    void upload(const TextureInfo& info, const uint8_t* rgba);
    GLuint framebufferFor(const Target& target);
    void bindTarget(const Target& target);
    void applyStates();
    void flush();

    GLuint program_ = 0;
    GLuint vao_ = 0;
    GLuint vbo_ = 0;
    GLint targetSizeUniform_ = -1;
    GLint alphaReferenceUniform_ = -1;
    GLint alphaTestUniform_ = -1;
    GLuint whiteTexture_ = 0;
    uint32_t nextId_ = 0;
    std::unordered_map<TextureId, TextureInfo> textures_;
    std::unordered_map<RasterId, RasterInfo> rasters_;
    std::map<std::pair<RasterId, RasterId>, GLuint> framebuffers_;
    Target current_;
    RenderStates states_;
    std::vector<Vertex> batch_;
    GLuint meshProgram_ = 0;
    std::map<std::string, GLint> meshUniforms_;
    std::unordered_map<MeshId, MeshInfo> meshes_;
    View3d view_;
    bool viewDirty_ = true;
    GLint uniform(const char* name);
    TextureId batchTexture_ = 0;
};

GLint GlRenderer::uniform(const char* name) {
    const auto found = meshUniforms_.find(name);
    if (found != meshUniforms_.end()) return found->second;
    const GLint location = glGetUniformLocation(meshProgram_, name);
    meshUniforms_[name] = location;
    return location;
}

void GlRenderer::setUpMeshProgram() { meshProgram_ = linkProgram(kMeshVertexShader, kMeshFragmentShader); }

MeshId GlRenderer::createMesh(const MeshData& data) {
    MeshInfo info;
    glGenVertexArrays(1, &info.vao);
    glGenBuffers(1, &info.vertices);
    glGenBuffers(1, &info.indices);
    glBindVertexArray(info.vao);
    glBindBuffer(GL_ARRAY_BUFFER, info.vertices);
    const std::vector<MeshVertex> vertices = interleave(data);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(MeshVertex)), vertices.data(),
                 GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(MeshVertex), reinterpret_cast<void*>(0));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, sizeof(MeshVertex), reinterpret_cast<void*>(12));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(MeshVertex), reinterpret_cast<void*>(24));
    glEnableVertexAttribArray(3);
    glVertexAttribPointer(3, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(MeshVertex), reinterpret_cast<void*>(32));
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, info.indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.indexCount * sizeof(uint32_t)), data.indices,
                 GL_STATIC_DRAW);
    glBindVertexArray(0);
    const MeshId id = ++nextId_;
    meshes_[id] = info;
    return id;
}

void GlRenderer::updateMesh(MeshId mesh, const MeshData& data) {
    const auto found = meshes_.find(mesh);
    if (found == meshes_.end()) return;
    const std::vector<MeshVertex> vertices = interleave(data);
    glBindBuffer(GL_ARRAY_BUFFER, found->second.vertices);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(MeshVertex)), vertices.data(),
                 GL_STATIC_DRAW);
}

void GlRenderer::destroyMesh(MeshId mesh) {
    const auto found = meshes_.find(mesh);
    if (found == meshes_.end()) return;
    glDeleteBuffers(1, &found->second.vertices);
    glDeleteBuffers(1, &found->second.indices);
    glDeleteVertexArrays(1, &found->second.vao);
    meshes_.erase(found);
}

void GlRenderer::useMeshProgram() {
    glUseProgram(meshProgram_);
    if (!viewDirty_) return;
    viewDirty_ = false;
    glUniformMatrix4fv(uniform("uViewProjection"), 1, GL_FALSE, view_.viewProjection);
    glUniform3fv(uniform("uCamera"), 1, view_.cameraPosition);
    glUniform1i(uniform("uFog"), view_.fog ? 1 : 0);
    glUniform3fv(uniform("uFogColour"), 1, view_.fogColour);
    glUniform1f(uniform("uFogStart"), view_.fogStart);
    glUniform1f(uniform("uFogEnd"), view_.fogEnd);
    glUniform3fv(uniform("uAmbient"), 1, view_.ambient);
    glUniform1i(uniform("uLightCount"), view_.lightCount);
    glUniform3fv(uniform("uLightDirection"), kMaxDirectionalLights, &view_.lightDirections[0][0]);
    glUniform3fv(uniform("uLightColour"), kMaxDirectionalLights, &view_.lightColours[0][0]);
    glUniform1i(uniform("uTexture"), 0);
}

void GlRenderer::drawMesh(const MeshDraw& draw) {
    const auto found = meshes_.find(draw.mesh);
    if (found == meshes_.end() || draw.indexCount == 0) return;
    flush();  // 2D quads queued before stay in order
    useMeshProgram();
    glUniformMatrix4fv(uniform("uModel"), 1, GL_FALSE, draw.model);
    const Colour& m = draw.materialColour;
    glUniform4f(uniform("uMaterial"), m.r / 255.0f, m.g / 255.0f, m.b / 255.0f, m.a / 255.0f);
    glUniform1i(uniform("uLit"), draw.lit ? 1 : 0);
    glUniform1i(uniform("uPrelit"), draw.prelit ? 1 : 0);
    glUniform1i(uniform("uAlphaTest"), states_.alphaTest ? 1 : 0);
    glUniform1f(uniform("uAlphaReference"), states_.alphaReference / 255.0f);
    const auto texture = textures_.find(draw.texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture != textures_.end() ? texture->second.name : whiteTexture_);
    glBindVertexArray(found->second.vao);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(draw.indexCount), GL_UNSIGNED_INT,
                   reinterpret_cast<void*>(static_cast<uintptr_t>(draw.firstIndex) * sizeof(uint32_t)));
    glBindVertexArray(0);
}

void GlRenderer::setUp() {
    setUpMeshProgram();
    program_ = linkProgram(kVertexShader, kFragmentShader);
    targetSizeUniform_ = glGetUniformLocation(program_, "uTargetSize");
    alphaReferenceUniform_ = glGetUniformLocation(program_, "uAlphaReference");
    alphaTestUniform_ = glGetUniformLocation(program_, "uAlphaTest");

    glGenVertexArrays(1, &vao_);
    glGenBuffers(1, &vbo_);
    glBindVertexArray(vao_);
    glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<void*>(0));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<void*>(8));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex), reinterpret_cast<void*>(16));

    const uint8_t white[4] = {255, 255, 255, 255};
    glGenTextures(1, &whiteTexture_);
    glBindTexture(GL_TEXTURE_2D, whiteTexture_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
}

GlRenderer::~GlRenderer() {
    for (auto& [id, info] : textures_) glDeleteTextures(1, &info.name);
    for (auto& [id, info] : rasters_) {
        if (info.kind == RasterKind::Colour) glDeleteTextures(1, &info.name);
        else glDeleteRenderbuffers(1, &info.name);
    }
    for (auto& [key, fbo] : framebuffers_) glDeleteFramebuffers(1, &fbo);
    glDeleteTextures(1, &whiteTexture_);
    glDeleteBuffers(1, &vbo_);
    glDeleteVertexArrays(1, &vao_);
    glDeleteProgram(program_);
    for (auto& [id, info] : meshes_) {
        glDeleteBuffers(1, &info.vertices);
        glDeleteBuffers(1, &info.indices);
        glDeleteVertexArrays(1, &info.vao);
    }
    glDeleteProgram(meshProgram_);
}

void GlRenderer::upload(const TextureInfo& info, const uint8_t* rgba) {
    glBindTexture(GL_TEXTURE_2D, info.name);
    const size_t pixels = static_cast<size_t>(info.width) * info.height;
    switch (info.format) {
    case TextureFormat::Rgba8888:
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, info.width, info.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        break;
    case TextureFormat::Rgba4444:
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA4, info.width, info.height, 0, GL_RGBA, GL_UNSIGNED_SHORT_4_4_4_4,
                     pack16(rgba, pixels, info.format).data());
        break;
    case TextureFormat::Rgba5551:
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB5_A1, info.width, info.height, 0, GL_RGBA, GL_UNSIGNED_SHORT_5_5_5_1,
                     pack16(rgba, pixels, info.format).data());
        break;
    case TextureFormat::Rgb565:
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB565, info.width, info.height, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5,
                     pack16(rgba, pixels, info.format).data());
        break;
    }
}

TextureId GlRenderer::createTexture(int32_t width, int32_t height, const uint8_t* rgba, TextureFormat format) {
    TextureInfo info{0, width, height, format};
    glGenTextures(1, &info.name);
    upload(info, rgba);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    const TextureId id = ++nextId_;
    textures_[id] = info;
    return id;
}

void GlRenderer::updateTexture(TextureId texture, const uint8_t* rgba) {
    const auto it = textures_.find(texture);
    if (it != textures_.end()) {
        if (batchTexture_ == texture) flush();
        upload(it->second, rgba);
    }
}

void GlRenderer::makeRepeating(TextureId texture) {
    const auto it = textures_.find(texture);
    if (it == textures_.end()) return;
    glBindTexture(GL_TEXTURE_2D, it->second.name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glGenerateMipmap(GL_TEXTURE_2D);
}

void GlRenderer::destroyTexture(TextureId texture) {
    const auto it = textures_.find(texture);
    if (it != textures_.end()) {
        if (batchTexture_ == texture) flush();
        glDeleteTextures(1, &it->second.name);
        textures_.erase(it);
    }
}

RasterId GlRenderer::createRaster(RasterKind kind, int32_t width, int32_t height) {
    RasterInfo info{0, kind, width, height};
    if (kind == RasterKind::Colour) {
        glGenTextures(1, &info.name);
        glBindTexture(GL_TEXTURE_2D, info.name);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    } else {
        glGenRenderbuffers(1, &info.name);
        glBindRenderbuffer(GL_RENDERBUFFER, info.name);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    }
    const RasterId id = ++nextId_;
    rasters_[id] = info;
    return id;
}

void GlRenderer::destroyRaster(RasterId raster) {
    const auto it = rasters_.find(raster);
    if (it == rasters_.end()) return;
    flush();
    for (auto fb = framebuffers_.begin(); fb != framebuffers_.end();) {
        if (fb->first.first == raster || fb->first.second == raster) {
            glDeleteFramebuffers(1, &fb->second);
            fb = framebuffers_.erase(fb);
        } else {
            ++fb;
        }
    }
    if (it->second.kind == RasterKind::Colour) glDeleteTextures(1, &it->second.name);
    else glDeleteRenderbuffers(1, &it->second.name);
    rasters_.erase(it);
}

GLuint GlRenderer::framebufferFor(const Target& target) {
    const auto key = std::make_pair(target.colour, target.depth);
    const auto found = framebuffers_.find(key);
    if (found != framebuffers_.end()) return found->second;
    GLuint fbo = 0;
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    const auto colour = rasters_.find(target.colour);
    if (colour != rasters_.end()) {
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour->second.name, 0);
    }
    const auto depth = rasters_.find(target.depth);
    if (depth != rasters_.end()) {
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth->second.name);
    }
    framebuffers_[key] = fbo;
    return fbo;
}

void GlRenderer::bindTarget(const Target& target) {
    glBindFramebuffer(GL_FRAMEBUFFER, framebufferFor(target));
    glViewport(target.x, target.y, target.width, target.height);
}

void GlRenderer::beginUpdate(const Target& target) {
    flush();
    current_ = target;
    bindTarget(target);
    applyStates();
}

void GlRenderer::clear(const Target& target, Colour colour, bool clearColour, bool clearDepth) {
    flush();
    bindTarget(target);
    glEnable(GL_SCISSOR_TEST);
    glScissor(target.x, target.y, target.width, target.height);
    glClearColor(colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, colour.a / 255.0f);
    glDepthMask(GL_TRUE);
    glClear((clearColour ? GL_COLOR_BUFFER_BIT : 0) | (clearDepth ? GL_DEPTH_BUFFER_BIT : 0));
    glDisable(GL_SCISSOR_TEST);
    if (current_.colour != 0) bindTarget(current_);
    applyStates();
}

void GlRenderer::setStates(const RenderStates& states) {
    flush();
    states_ = states;
    applyStates();
}

void GlRenderer::applyStates() {
    states_.depthTest ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
    glDepthMask(states_.depthWrite ? GL_TRUE : GL_FALSE);
    states_.cullFaces ? glEnable(GL_CULL_FACE) : glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(blendFactor(states_.source), blendFactor(states_.destination));
}

void GlRenderer::drawQuad(const Quad& quad) {
    if (quad.texture != batchTexture_) {
        flush();
        batchTexture_ = quad.texture;
    }
    const float xs[4] = {quad.x, quad.x + quad.width, quad.x + quad.width, quad.x};
    const float ys[4] = {quad.y, quad.y, quad.y + quad.height, quad.y + quad.height};
    Vertex corners[4];
    for (int i = 0; i < 4; ++i) {
        const Colour& c = quad.colours[i];
        corners[i] = Vertex{xs[i], ys[i], quad.uvs[i][0], quad.uvs[i][1], c.r, c.g, c.b, c.a};
    }
    const int order[6] = {0, 1, 2, 0, 2, 3};
    for (int index : order) batch_.push_back(corners[index]);
}

void GlRenderer::flush() {
    if (batch_.empty()) return;
    glUseProgram(program_);
    glUniform2f(targetSizeUniform_, static_cast<float>(current_.width), static_cast<float>(current_.height));
    glUniform1f(alphaReferenceUniform_, states_.alphaReference / 255.0f);
    glUniform1i(alphaTestUniform_, states_.alphaTest ? 1 : 0);
    const auto texture = textures_.find(batchTexture_);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture != textures_.end() ? texture->second.name : whiteTexture_);
    glBindVertexArray(vao_);
    glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(batch_.size() * sizeof(Vertex)), batch_.data(),
                 GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(batch_.size()));
    batch_.clear();
}

bool GlRenderer::readPixels(const Target& target, Image* image) {
    flush();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebufferFor(target));
    Image bottomUp;
    bottomUp.resize(target.width, target.height);
    glReadPixels(target.x, target.y, target.width, target.height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.rgba.data());
    image->resize(target.width, target.height);
    const size_t stride = static_cast<size_t>(target.width) * 4;
    for (int32_t y = 0; y < target.height; ++y) {
        std::copy_n(&bottomUp.rgba[(target.height - 1 - y) * stride], stride, &image->rgba[y * stride]);
    }
    if (current_.colour != 0) bindTarget(current_);
    return glGetError() == GL_NO_ERROR;
}

void GlRenderer::showInWindow(const Target& target, int32_t windowWidth, int32_t windowHeight) {
    flush();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebufferFor(target));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(target.x, target.y, target.x + target.width, target.y + target.height, 0, 0, windowWidth,
                      windowHeight, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (current_.colour != 0) bindTarget(current_);
}

}  // namespace

std::unique_ptr<Renderer> createGlRenderer() { return std::make_unique<GlRenderer>(); }

}  // namespace zr::engine
