// Triangles collected for one engine::Geometry: lit vertices (position,
// normal, uv) and one material per texture name, in the order first used.
// Material colours stay white (every colour of a block set lives in its
// textures, as in the levels) unless a texture is tinted: see-through
// glazing takes its alpha from the material colour. Vertices added while glowing is set get a
// white prelit colour, which the renderer adds to the light, so they show
// their texture at full brightness even in shade (a lit display board);
// the others get black, which adds nothing.
#pragma once

#include "engine/scene.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace assetgen::blocksets {

namespace engine = ::zr::engine;

class MeshBuffer {
public:
    // The material slot for a texture name, made on first use.
    uint32_t material(const std::string& texture);
    uint32_t vertex(const glm::vec3& position, const glm::vec3& normal, const glm::vec2& uv);
    void triangle(uint32_t material, uint32_t a, uint32_t b, uint32_t c);
    // a, b, c, d in order round the quad.
    void quad(uint32_t material, uint32_t a, uint32_t b, uint32_t c, uint32_t d);
    // Everything of other, its points moved by transform.
    void append(const MeshBuffer& other, const glm::mat4& transform);
    void setGlowing(bool glowing) { glowing_ = glowing; }
    // The material colour of every triangle drawn with this texture.
    void tint(const std::string& texture, engine::Colour colour) { tints_[texture] = colour; }

    size_t vertexCount() const { return positions_.size(); }
    size_t triangleCount() const;
    bool empty() const { return positions_.empty(); }

    // The geometry with bounds; materials without triangles are left out.
    std::unique_ptr<engine::Geometry> geometry() const;

private:
    std::vector<glm::vec3> positions_;
    std::vector<glm::vec3> normals_;
    std::vector<glm::vec2> uvs_;
    std::vector<bool> glows_;
    bool glowing_ = false;
    std::vector<std::string> textures_;
    std::map<std::string, uint32_t> slots_;
    std::map<std::string, engine::Colour> tints_;
    std::vector<std::vector<uint32_t>> indices_;  // per material
};

}  // namespace assetgen::blocksets
