// OpenGL 3.3 core renderer. Rasters are textures (colour) or renderbuffers
// (depth) joined into framebuffer objects per camera target; 2D quads are
// batched by texture and states and drawn with one small shader.
#include "engine/renderer.h"

#include <epoxy/gl.h>

#include <cstdio>
#include <algorithm>
#include <map>
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

class GlRenderer final : public Renderer {
public:
    GlRenderer() { setUp(); }
    ~GlRenderer() override;

    bool isNull() const override { return false; }
    TextureId createTexture(int32_t width, int32_t height, const uint8_t* rgba, TextureFormat format) override;
    void updateTexture(TextureId texture, const uint8_t* rgba) override;
    void destroyTexture(TextureId texture) override;
    RasterId createRaster(RasterKind kind, int32_t width, int32_t height) override;
    void destroyRaster(RasterId raster) override;
    void beginUpdate(const Target& target) override;
    void endUpdate() override { flush(); }
    void clear(const Target& target, Colour colour, bool clearColour, bool clearDepth) override;
    void setStates(const RenderStates& states) override;
    void drawQuad(const Quad& quad) override;
    bool readPixels(const Target& target, Image* image) override;
    void showInWindow(const Target& target, int32_t windowWidth, int32_t windowHeight) override;

private:
    void setUp();
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
    TextureId batchTexture_ = 0;
};

void GlRenderer::setUp() {
    program_ = glCreateProgram();
    const GLuint vs = compileShader(GL_VERTEX_SHADER, kVertexShader);
    const GLuint fs = compileShader(GL_FRAGMENT_SHADER, kFragmentShader);
    glAttachShader(program_, vs);
    glAttachShader(program_, fs);
    glLinkProgram(program_);
    glDeleteShader(vs);
    glDeleteShader(fs);
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
