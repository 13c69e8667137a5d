// Engine lifecycle and image-reader registry.
#include "engine/engine.h"

#include "engine/camera.h"
#include "engine/scene.h"
#include "engine/texture_dictionary.h"
#include "engine/world.h"

#include <glm/gtc/type_ptr.hpp>
#include "platform/platform.h"

#include <algorithm>
#include <cctype>

namespace zr::engine {
namespace {

std::string extensionOf(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

}  // namespace

Engine::Engine() = default;
Engine::~Engine() { terminate(); }

bool Engine::initialise(size_t arenaBytes) {
    arenaBytes_ = arenaBytes;
    initialised_ = arenaBytes > 0;
    return initialised_;
}

bool Engine::open(Platform& platform) {
    if (!initialised_) {
        return false;
    }
    platform_ = &platform;
    return true;
}

bool Engine::start() {
    if (!platform_) {
        return false;
    }
    renderer_ = platform_->hasGraphics() ? createGlRenderer() : createNullRenderer();
    return renderer_ != nullptr;
}

bool Engine::startWith(std::unique_ptr<Renderer> renderer) {
    if (!initialised_ || !renderer) {
        return false;
    }
    renderer_ = std::move(renderer);
    return true;
}

void Engine::stop() {
    if (renderer_) {
        for (const auto& [path, texture] : fileTextures_) renderer_->destroyTexture(texture.texture);
    }
    fileTextures_.clear();
    renderer_.reset();
}

void Engine::close() { platform_ = nullptr; }

void Engine::terminate() {
    stop();
    close();
    readers_.clear();
    initialised_ = false;
}

bool Engine::registerImageReader(const std::string& extension, ImageReader reader) {
    if (!initialised_ || extension.empty() || !reader) {
        return false;
    }
    readers_[extension] = std::move(reader);
    return true;
}

bool Engine::readImage(const std::string& path, Image* image) const {
    const auto reader = readers_.find(extensionOf(path));
    if (reader == readers_.end()) {
        *image = Image();
        return false;
    }
    return reader->second(path, image);
}

void Engine::present(const Camera& camera) {
    if (!renderer_ || !platform_ || !camera.valid()) {
        return;
    }
    int32_t width = 0;
    int32_t height = 0;
    platform_->windowSize(&width, &height);
    if (width > 0 && height > 0) {
        renderer_->showInWindow(camera.target(), width, height);
        platform_->swapWindow();
    }
}

}  // namespace zr::engine

namespace zr::engine {

void Engine::resolveTextures(Geometry& geometry) {
    for (Material& material : geometry.materials) {
        if (material.textureName.empty() || material.texture != 0) continue;
        if (dictionary_) {
            material.texture = dictionary_->find(material.textureName);
            if (material.texture) {
                material.textureHasAlpha = dictionary_->hasAlpha(material.textureName);
                continue;
            }
        }
        for (const char* extension : {".png", ".bmp"}) {
            const std::string path = searchPath_ + material.textureName + extension;
            auto cached = fileTextures_.find(path);
            if (cached == fileTextures_.end()) {
                Image image;
                if (!renderer_ || !readImage(path, &image)) continue;
                FileTexture texture;
                texture.texture =
                    renderer_->createTexture(image.width, image.height, image.rgba.data(), TextureFormat::Rgba8888);
                renderer_->makeRepeating(texture.texture);
                for (size_t i = 3; i < image.rgba.size(); i += 4) texture.hasAlpha |= image.rgba[i] != 255;
                cached = fileTextures_.emplace(path, texture).first;
            }
            material.texture = cached->second.texture;
            material.textureHasAlpha = cached->second.hasAlpha;
            break;
        }
    }
}

void Engine::resolveTextures(Clump& clump) {
    for (const auto& atomic : clump.atomics()) resolveTextures(*atomic->geometry);
}

void Engine::releaseGeometry(Geometry& geometry) {
    if (geometry.gpuMesh && renderer_) renderer_->destroyMesh(geometry.gpuMesh);
    geometry.gpuMesh = 0;
    geometry.gpuDirty = true;
}

void Engine::uploadGeometry(Geometry& geometry) {
    if (!geometry.gpuDirty && geometry.gpuMesh) return;
    std::vector<uint32_t> indices;
    for (const Mesh& mesh : geometry.meshes) indices.insert(indices.end(), mesh.indices.begin(), mesh.indices.end());
    MeshData data;
    data.positions = glm::value_ptr(geometry.positions.front());
    data.normals = geometry.normals.empty() ? nullptr : glm::value_ptr(geometry.normals.front());
    data.uvs = geometry.uvs.empty() ? nullptr : glm::value_ptr(geometry.uvs.front());
    data.colours = geometry.prelit.empty() ? nullptr : &geometry.prelit.front().r;
    data.vertexCount = geometry.positions.size();
    data.indices = indices.data();
    data.indexCount = indices.size();
    if (geometry.gpuMesh) renderer_->updateMesh(geometry.gpuMesh, data);
    else geometry.gpuMesh = renderer_->createMesh(data);
    geometry.gpuDirty = false;
}

void Engine::beginScene(Camera& camera, World& world) {
    inScene_ = true;
    queue_.clear();
    drawsLastScene_ = 0;
    View3d view;
    const glm::mat4 viewProjection = camera.viewProjection();
    std::copy_n(glm::value_ptr(viewProjection), 16, view.viewProjection);
    const glm::vec3 eye = camera.position();
    view.cameraPosition[0] = eye.x;
    view.cameraPosition[1] = eye.y;
    view.cameraPosition[2] = eye.z;
    view.fog = fogEnabled_ && camera.fogDistance() > 0.0f;
    view.fogColour[0] = fogColour_.r / 255.0f;
    view.fogColour[1] = fogColour_.g / 255.0f;
    view.fogColour[2] = fogColour_.b / 255.0f;
    // Fog thickens from a third of the fog distance to full at it.
    view.fogEnd = camera.fogDistance();
    view.fogStart = camera.fogDistance() * 0.3f;
    for (const auto& light : world.lights()) {
        if (light->kind == LightKind::Ambient) {
            for (int c = 0; c < 3; ++c) view.ambient[c] += light->colour[c];
        } else if (light->kind == LightKind::Directional && view.lightCount < kMaxDirectionalLights) {
            // A directional light shines along its frame's -z (as in glTF).
            const glm::vec3 direction =
                light->frame ? -glm::normalize(glm::vec3(light->frame->world()[2])) : glm::vec3(0, -1, 0);
            for (int c = 0; c < 3; ++c) {
                view.lightDirections[view.lightCount][c] = direction[c];
                view.lightColours[view.lightCount][c] = light->colour[c];
            }
            ++view.lightCount;
        }
    }
    renderer_->setView(view);
}

void Engine::submit(const MeshDraw& draw) {
    ++drawsLastScene_;
    if (inScene_) queue_.push_back(draw);
    else renderer_->drawMesh(draw);
}

void Engine::endScene() {
    // Batched by texture: fewer binds for long tracks of the same pieces.
    std::stable_sort(queue_.begin(), queue_.end(),
                     [](const MeshDraw& a, const MeshDraw& b) { return a.texture < b.texture; });
    for (const MeshDraw& draw : queue_) renderer_->drawMesh(draw);
    queue_.clear();
    inScene_ = false;
}

void Engine::drawGeometry(Geometry& geometry, const glm::mat4& transform, bool immediate) {
    if (!renderer_ || geometry.positions.empty()) return;
    uploadGeometry(geometry);
    uint32_t first = 0;
    for (const Mesh& mesh : geometry.meshes) {
        MeshDraw draw;
        draw.mesh = geometry.gpuMesh;
        draw.firstIndex = first;
        draw.indexCount = static_cast<uint32_t>(mesh.indices.size());
        first += draw.indexCount;
        if (mesh.material < geometry.materials.size()) {
            const Material& material = geometry.materials[mesh.material];
            draw.texture = material.texture;
            draw.materialColour = material.colour;
        }
        std::copy_n(glm::value_ptr(transform), 16, draw.model);
        draw.lit = !geometry.normals.empty();
        draw.prelit = !geometry.prelit.empty();
        if (immediate) {
            ++drawsLastScene_;
            renderer_->drawMesh(draw);
        } else {
            submit(draw);
        }
    }
}

void Engine::drawAtomic(Atomic& atomic, Geometry* geometry) {
    Geometry* shown = geometry ? geometry : atomic.geometry.get();
    if (shown) drawGeometry(*shown, atomic.frame ? atomic.frame->world() : glm::mat4(1.0f));
}

void Engine::drawAtomicNow(Atomic& atomic, Geometry* geometry) {
    Geometry* shown = geometry ? geometry : atomic.geometry.get();
    if (shown) drawGeometry(*shown, atomic.frame ? atomic.frame->world() : glm::mat4(1.0f), true);
}

}  // namespace zr::engine
