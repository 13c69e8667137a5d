// Frame arithmetic and clump ownership.
#include "engine/scene.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

#include <algorithm>
#include <cmath>

namespace zr::engine {

glm::mat4 Frame::world() const {
    glm::mat4 matrix = local;
    for (const Frame* up = parent; up; up = up->parent) matrix = up->local * matrix;
    return matrix;
}

void Frame::translate(const glm::vec3& v, Combine combine) {
    const glm::mat4 t = glm::translate(glm::mat4(1.0f), v);
    switch (combine) {
    case Combine::Replace: local = t; break;
    case Combine::Precombine: local = local * t; break;
    case Combine::Postcombine: local = t * local; break;
    }
}

void Frame::rotate(const glm::vec3& axis, float degrees, Combine combine) {
    const float length = glm::length(axis);
    const glm::mat4 r = length > 0.0f ? glm::rotate(glm::mat4(1.0f), glm::radians(degrees), axis / length)
                                      : glm::mat4(1.0f);
    switch (combine) {
    case Combine::Replace: local = r; break;
    case Combine::Precombine: local = local * r; break;
    case Combine::Postcombine: local = r * local; break;
    }
}

void Frame::rotationAxisAngle(glm::vec3* axis, float* degrees) const {
    const glm::quat q = glm::quat_cast(glm::mat3(local));
    const float w = std::clamp(q.w, -1.0f, 1.0f);
    const float angle = 2.0f * std::acos(w);
    const float s = std::sqrt(std::max(0.0f, 1.0f - w * w));
    *axis = s < 1e-6f ? glm::vec3(0.0f, 1.0f, 0.0f) : glm::vec3(q.x, q.y, q.z) / s;
    *degrees = glm::degrees(angle);
}

int32_t Frame::integer(const std::string& key, int32_t fallback) const {
    const auto found = integers.find(key);
    return found == integers.end() ? fallback : found->second;
}

void Frame::addChild(Frame* child) {
    child->parent = this;
    children.push_back(child);
}

void Geometry::computeBounds() {
    if (positions.empty()) {
        sphereCentre = glm::vec3(0.0f);
        sphereRadius = 0.0f;
        return;
    }
    glm::vec3 low = positions.front();
    glm::vec3 high = low;
    for (const glm::vec3& p : positions) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
    sphereCentre = (low + high) * 0.5f;
    float radius = 0.0f;
    for (const glm::vec3& p : positions) radius = std::max(radius, glm::length(p - sphereCentre));
    sphereRadius = radius;
}

size_t Geometry::triangleCount() const {
    size_t count = 0;
    for (const Mesh& mesh : meshes) count += mesh.indices.size() / 3;
    return count;
}

const std::string& Atomic::name() const {
    static const std::string kNone;
    return frame ? frame->name : kNone;
}

glm::vec3 Atomic::worldSphereCentre() const {
    const glm::vec3 centre = geometry ? geometry->sphereCentre : glm::vec3(0.0f);
    return frame ? glm::vec3(frame->world() * glm::vec4(centre, 1.0f)) : centre;
}

float Atomic::worldSphereRadius() const { return geometry ? geometry->sphereRadius : 0.0f; }

Clump::Clump() = default;
Clump::~Clump() = default;

Frame* Clump::addFrame(Frame* parent) {
    frames_.push_back(std::make_unique<Frame>());
    Frame* frame = frames_.back().get();
    if (parent) parent->addChild(frame);
    return frame;
}

Atomic* Clump::addAtomic(Frame* frame, std::unique_ptr<Geometry> geometry) {
    auto atomic = std::make_unique<Atomic>();
    atomic->frame = frame;
    atomic->geometry = std::move(geometry);
    atomic->clump = this;
    atomics_.push_back(std::move(atomic));
    return atomics_.back().get();
}

Light* Clump::addLight(const Light& light) {
    lights_.push_back(std::make_unique<Light>(light));
    return lights_.back().get();
}

std::unique_ptr<Clump> Clump::clone() const {
    auto copy = std::make_unique<Clump>();
    std::map<const Frame*, Frame*> frameMap;
    for (const auto& frame : frames_) {
        Frame* made = copy->addFrame(nullptr);
        made->name = frame->name;
        made->integers = frame->integers;
        made->local = frame->local;
        frameMap[frame.get()] = made;
    }
    for (const auto& frame : frames_) {
        if (frame->parent) frameMap.at(frame->parent)->addChild(frameMap.at(frame.get()));
    }
    for (const auto& atomic : atomics_) {
        auto geometry = std::make_unique<Geometry>(*atomic->geometry);
        geometry->gpuMesh = 0;
        geometry->gpuDirty = true;
        Atomic* made = copy->addAtomic(frameMap.at(atomic->frame), std::move(geometry));
        made->renderCallback = atomic->renderCallback;
    }
    for (const auto& light : lights_) {
        Light* made = copy->addLight(*light);
        if (light->frame && frameMap.count(light->frame)) made->frame = frameMap.at(light->frame);
    }
    return copy;
}

Atomic* Clump::findPart(const std::string& name) const {
    for (const auto& atomic : atomics_) {
        const std::string& partName = atomic->name();
        if (name.empty() ? !partName.empty() : partName == name) return atomic.get();
    }
    return nullptr;
}

Atomic* Clump::findPartContaining(const std::string& text) const {
    for (const auto& atomic : atomics_) {
        if (atomic->name().find(text) != std::string::npos) return atomic.get();
    }
    return nullptr;
}

bool Clump::removePart(Atomic* atomic) {
    const auto it = std::find_if(atomics_.begin(), atomics_.end(), [&](const auto& a) { return a.get() == atomic; });
    if (it == atomics_.end()) return false;
    Frame* frame = atomic->frame;
    atomics_.erase(it);
    const bool shared = std::any_of(atomics_.begin(), atomics_.end(), [&](const auto& a) { return a->frame == frame; });
    if (frame && !shared && frame->children.empty() && frame != root()) {
        if (frame->parent) {
            auto& siblings = frame->parent->children;
            siblings.erase(std::remove(siblings.begin(), siblings.end(), frame), siblings.end());
        }
        frames_.erase(std::remove_if(frames_.begin(), frames_.end(), [&](const auto& f) { return f.get() == frame; }),
                      frames_.end());
    }
    return true;
}

std::unique_ptr<Light> Clump::takeLight(size_t index) {
    if (index >= lights_.size()) return nullptr;
    std::unique_ptr<Light> light = std::move(lights_[index]);
    lights_.erase(lights_.begin() + static_cast<std::ptrdiff_t>(index));
    return light;
}

}  // namespace zr::engine
