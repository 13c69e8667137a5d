// Geometry accumulation for level sectors, sky domes and markers.
#include "levels/mesh_builder.h"

#include <algorithm>
#include <cmath>

namespace assetgen::levels {

uint32_t MeshBuilder::material(const std::string& textureName) {
    const auto found = slots_.find(textureName);
    if (found != slots_.end()) return found->second;
    const auto slot = static_cast<uint32_t>(textures_.size());
    textures_.push_back(textureName);
    indices_.emplace_back();
    slots_.emplace(textureName, slot);
    return slot;
}

uint32_t MeshBuilder::addVertex(const Vertex& vertex) {
    vertices_.push_back(vertex);
    return static_cast<uint32_t>(vertices_.size() - 1);
}

void MeshBuilder::addTriangle(uint32_t material, uint32_t a, uint32_t b, uint32_t c) {
    if (material >= indices_.size()) return;
    indices_[material].insert(indices_[material].end(), {a, b, c});
}

void MeshBuilder::addFlatTriangle(uint32_t material, const Vertex& a, const Vertex& b, const Vertex& c) {
    const glm::vec3 cross = glm::cross(b.position - a.position, c.position - a.position);
    const float length = glm::length(cross);
    if (length <= 1e-9f) return;  // degenerate: nothing to see or hit
    const glm::vec3 normal = cross / length;
    Vertex corners[3] = {a, b, c};
    uint32_t ids[3];
    for (int i = 0; i < 3; ++i) {
        corners[i].normal = normal;
        ids[i] = addVertex(corners[i]);
    }
    addTriangle(material, ids[0], ids[1], ids[2]);
}

std::unique_ptr<engine::Geometry> MeshBuilder::finish() const {
    auto geometry = std::make_unique<engine::Geometry>();
    geometry->positions.reserve(vertices_.size());
    for (const Vertex& v : vertices_) {
        geometry->positions.push_back(v.position);
        if (lit_) geometry->normals.push_back(v.normal);
        geometry->uvs.push_back(v.uv);
        geometry->prelit.push_back(v.colour);
    }
    for (size_t slot = 0; slot < textures_.size(); ++slot) {
        if (indices_[slot].empty()) continue;
        engine::Material material;
        material.textureName = textures_[slot];
        engine::Mesh mesh;
        mesh.material = static_cast<uint32_t>(geometry->materials.size());
        mesh.indices = indices_[slot];
        geometry->materials.push_back(material);
        geometry->meshes.push_back(std::move(mesh));
    }
    geometry->computeBounds();
    return geometry;
}

std::vector<std::unique_ptr<engine::Geometry>> MeshBuilder::finishParts() const {
    std::vector<std::unique_ptr<engine::Geometry>> parts;
    std::vector<int64_t> remap(vertices_.size(), -1);
    for (size_t slot = 0; slot < textures_.size(); ++slot) {
        if (indices_[slot].empty()) continue;
        MeshBuilder part(lit_);
        const uint32_t material = part.material(textures_[slot]);
        std::fill(remap.begin(), remap.end(), -1);
        const auto vertex = [&](uint32_t index) {
            if (remap[index] < 0) remap[index] = part.addVertex(vertices_[index]);
            return static_cast<uint32_t>(remap[index]);
        };
        const std::vector<uint32_t>& list = indices_[slot];
        for (size_t i = 0; i + 2 < list.size(); i += 3) {
            const uint32_t a = vertex(list[i]), b = vertex(list[i + 1]), c = vertex(list[i + 2]);
            part.addTriangle(material, a, b, c);
        }
        parts.push_back(part.finish());
    }
    return parts;
}

glm::vec3 Placement::point(const glm::vec3& local) const {
    return origin + direction(local) * scale;
}

glm::vec3 Placement::direction(const glm::vec3& local) const {
    const float radians = glm::radians(yawDegrees);
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    // Heading rotation about +Y: +Z turns towards +X.
    return {local.x * c + local.z * s, local.y, -local.x * s + local.z * c};
}

}  // namespace assetgen::levels
