// Primitive shapes for level scenery, built into a MeshBuilder: tiled flat
// panels, boxes, beams between two points, frusta and cones, gable roofs and
// lumpy blobs (tree crowns, bushes, rocks). Every face keeps its texture
// coordinates inside 0..1 (the renderer clamps textures rather than
// repeating them), so long faces are cut into tiles. Normals point outwards.
#pragma once

#include "levels/level_noise.h"
#include "levels/mesh_builder.h"

#include <glm/glm.hpp>

namespace assetgen::levels {

// The prelit colour of scenery: added to the lighting of lit parts, the
// whole colour of unlit ones.
engine::Colour prelitColour(const glm::vec3& colour);

// A flat quad from corner along edgeU then edgeV (normal = edgeU x edgeV),
// in tiles of at most tileU x tileV metres.
void addPanel(MeshBuilder& b, uint32_t material, const glm::vec3& corner, const glm::vec3& edgeU,
              const glm::vec3& edgeV, engine::Colour colour, float tileU, float tileV);

// An axis-aligned box in the placement's frame, bottom face optional.
void addBox(MeshBuilder& b, uint32_t material, const Placement& at, const glm::vec3& low, const glm::vec3& high,
            engine::Colour colour, float tile, bool bottom = false);

// A square beam of the given thickness from a to b (world space), no end caps.
void addBeam(MeshBuilder& b, uint32_t material, const glm::vec3& from, const glm::vec3& to, float thickness,
             engine::Colour colour);

struct FrustumShape {
    glm::vec3 base{0.0f};  // centre of the bottom, in the placement's frame
    float bottomRadius = 1.0f;
    float topRadius = 1.0f;  // 0 makes a cone
    float height = 1.0f;
    int sides = 8;
    bool capTop = false;
    bool capBottom = false;
    bool heightAlongU = false;  // texture u climbs the side instead of going round it
};

void addFrustum(MeshBuilder& b, uint32_t material, const Placement& at, const FrustumShape& shape,
                engine::Colour colour);

// A roof over the rectangle low..high (x, z) whose ridge runs along z, with
// gable triangles in the wall material.
struct GableRoof {
    glm::vec2 low{-1.0f};
    glm::vec2 high{1.0f};
    float eave = 3.0f;
    float ridge = 5.0f;
    float overhang = 0.4f;
};

void addGableRoof(MeshBuilder& b, uint32_t roofMaterial, uint32_t wallMaterial, const Placement& at,
                  const GableRoof& roof, engine::Colour colour, float tile);

// A lumpy ellipsoid: an octahedron (split once unless plain), its corners
// pushed in and out by up to roughness of the radius. Faceted blobs get flat
// faces (rocks), smooth ones soft normals (foliage).
struct BlobShape {
    glm::vec3 centre{0.0f};
    glm::vec3 radii{1.0f};
    float roughness = 0.15f;
    bool faceted = false;
    bool plain = false;  // 8 faces instead of 32: small rocks, bulbs, flowers
};

void addBlob(MeshBuilder& b, uint32_t material, const Placement& at, const BlobShape& shape, engine::Colour colour,
             Random& random);

}  // namespace assetgen::levels
