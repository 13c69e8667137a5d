// Collecting triangles per texture and turning them into engine geometry.
#include "blocksets/mesh_buffer.h"

#include <algorithm>

namespace assetgen::blocksets {

uint32_t MeshBuffer::material(const std::string& texture) {
    const auto found = slots_.find(texture);
    if (found != slots_.end()) {
        return found->second;
    }
    const auto slot = static_cast<uint32_t>(textures_.size());
    textures_.push_back(texture);
    indices_.emplace_back();
    slots_.emplace(texture, slot);
    return slot;
}

uint32_t MeshBuffer::vertex(const glm::vec3& position, const glm::vec3& normal, const glm::vec2& uv) {
    positions_.push_back(position);
    normals_.push_back(normal);
    uvs_.push_back(uv);
    glows_.push_back(glowing_);
    return static_cast<uint32_t>(positions_.size() - 1);
}

void MeshBuffer::triangle(uint32_t material, uint32_t a, uint32_t b, uint32_t c) {
    indices_[material].insert(indices_[material].end(), {a, b, c});
}

void MeshBuffer::quad(uint32_t material, uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    triangle(material, a, b, c);
    triangle(material, a, c, d);
}

void MeshBuffer::append(const MeshBuffer& other, const glm::mat4& transform) {
    const auto base = static_cast<uint32_t>(positions_.size());
    const glm::mat3 turn(transform);
    const bool glowing = glowing_;
    for (size_t i = 0; i < other.positions_.size(); ++i) {
        glowing_ = other.glows_[i];
        vertex(glm::vec3(transform * glm::vec4(other.positions_[i], 1.0f)), glm::normalize(turn * other.normals_[i]),
               other.uvs_[i]);
    }
    glowing_ = glowing;
    tints_.insert(other.tints_.begin(), other.tints_.end());
    for (size_t m = 0; m < other.textures_.size(); ++m) {
        const uint32_t slot = material(other.textures_[m]);
        for (const uint32_t index : other.indices_[m]) {
            indices_[slot].push_back(base + index);
        }
    }
}

size_t MeshBuffer::triangleCount() const {
    size_t count = 0;
    for (const auto& list : indices_) {
        count += list.size() / 3;
    }
    return count;
}

std::unique_ptr<engine::Geometry> MeshBuffer::geometry() const {
    auto geometry = std::make_unique<engine::Geometry>();
    geometry->positions = positions_;
    geometry->normals = normals_;
    geometry->uvs = uvs_;
    if (std::find(glows_.begin(), glows_.end(), true) != glows_.end()) {
        for (const bool glow : glows_) {
            const uint8_t level = glow ? 255 : 0;
            geometry->prelit.push_back(engine::Colour{level, level, level, 255});
        }
    }
    for (size_t m = 0; m < textures_.size(); ++m) {
        if (indices_[m].empty()) {
            continue;
        }
        engine::Material material;
        material.textureName = textures_[m];
        if (const auto tinted = tints_.find(textures_[m]); tinted != tints_.end()) {
            material.colour = tinted->second;
        }
        engine::Mesh mesh;
        mesh.material = static_cast<uint32_t>(geometry->materials.size());
        mesh.indices = indices_[m];
        geometry->materials.push_back(material);
        geometry->meshes.push_back(std::move(mesh));
    }
    geometry->computeBounds();
    return geometry;
}

}  // namespace assetgen::blocksets
