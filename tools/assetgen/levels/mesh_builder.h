// Collects triangles into one engine::Geometry: vertices with normal, uv and
// prelit colour, one material (and one mesh) per texture name. Lit builders
// keep normals; unlit ones (sky, glowing lamps) drop them, which tells the
// renderer to show prelit x texture without lighting.
#pragma once

#include "engine/scene.h"

#include <glm/glm.hpp>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace assetgen::levels {

namespace engine = ::zr::engine;

struct Vertex {
    glm::vec3 position{0.0f};
    glm::vec3 normal{0.0f, 1.0f, 0.0f};
    glm::vec2 uv{0.0f};
    engine::Colour colour{0, 0, 0, 255};  // prelit; added to the lighting when lit
};

class MeshBuilder {
public:
    explicit MeshBuilder(bool lit = true) : lit_(lit) {}

    bool lit() const { return lit_; }
    // The material slot for a texture, made on first use.
    uint32_t material(const std::string& textureName);
    uint32_t addVertex(const Vertex& vertex);
    void addTriangle(uint32_t material, uint32_t a, uint32_t b, uint32_t c);
    // A flat triangle with its own three vertices and face normal.
    void addFlatTriangle(uint32_t material, const Vertex& a, const Vertex& b, const Vertex& c);
    size_t vertexCount() const { return vertices_.size(); }
    bool empty() const { return vertices_.empty(); }

    // The geometry, with bounds; materials without triangles are left out.
    std::unique_ptr<engine::Geometry> finish() const;
    // One geometry per material holding only the vertices it uses. (A model
    // file shares one vertex list among a mesh's materials, and reading it
    // back copies that list once per material.)
    std::vector<std::unique_ptr<engine::Geometry>> finishParts() const;

private:
    bool lit_;
    std::vector<Vertex> vertices_;
    std::vector<std::string> textures_;
    std::map<std::string, uint32_t> slots_;
    std::vector<std::vector<uint32_t>> indices_;  // per material
};

// Where a prop stands: its base point on the ground and its turn about +Y
// (degrees, from +Z towards +X like every heading in the game).
struct Placement {
    glm::vec3 origin{0.0f};
    float yawDegrees = 0.0f;
    float scale = 1.0f;

    glm::vec3 point(const glm::vec3& local) const;
    glm::vec3 direction(const glm::vec3& local) const;
};

}  // namespace assetgen::levels
