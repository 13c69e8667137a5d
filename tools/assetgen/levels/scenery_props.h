// The scenery the levels are dressed with: trees, bushes, rocks and flowers
// scattered over the ground, and the buildings and fairground rides that
// give each level its landmarks. A prop is built at a Placement whose origin
// is on the ground; lit parts go to one builder, glowing (unlit) parts such
// as lamps, lit windows and flowers to another.
#pragma once

#include "levels/height_field.h"
#include "levels/level_noise.h"
#include "levels/mesh_builder.h"

#include <glm/glm.hpp>

namespace assetgen::levels {

struct PropBuilders {
    MeshBuilder& lit;
    MeshBuilder& glow;
};

// Prelit washes (0..1, added to the lighting) that vary one prop from the next.
struct PropTint {
    glm::vec3 foliage{0.0f};
    glm::vec3 wood{0.0f};
};

void addBroadleafTree(PropBuilders& b, const Placement& at, const PropTint& tint, Random& random);
void addPineTree(PropBuilders& b, const Placement& at, const PropTint& tint, Random& random);
// plain: a low-detail shrub for dry country.
void addBush(PropBuilders& b, const Placement& at, const PropTint& tint, Random& random, bool plain = false);
// A length of hedge about 11 m long along the placement's z.
void addHedge(PropBuilders& b, const Placement& at, const PropTint& tint, Random& random);
void addRock(PropBuilders& b, const Placement& at, const glm::vec3& tint, Random& random);
// A patch of small flowers in a few colours round the placement, each on
// the ground beneath it.
void addFlowerPatch(PropBuilders& b, const Placement& at, Random& random, const HeightGrid& ground);
void addCactus(PropBuilders& b, const Placement& at, Random& random);
void addReeds(PropBuilders& b, const Placement& at, Random& random);

// Buildings. width along x, depth along z of the placement's frame; the
// origin is the middle of the ground floor. foundation: how far the walls
// go down below the origin to meet sloping ground.
struct HouseShape {
    float width = 8.0f;
    float depth = 6.0f;
    float wallHeight = 3.2f;
    float roofRise = 2.2f;
    float foundation = 1.5f;
    int floors = 1;
    const char* wallTexture = "planks";
    const char* roofTexture = "roof";
    glm::vec3 wallTint{0.0f};
    glm::vec3 roofTint{0.0f};
    bool litWindows = false;  // glowing windows (night) rather than dark glass
};

void addHouse(PropBuilders& b, const Placement& at, const HouseShape& shape, Random& random);
void addWindmill(PropBuilders& b, const Placement& at);
void addWaterTower(PropBuilders& b, const Placement& at, float legLength);
// A deck on posts reaching down to seabedDepth below the deck.
void addPier(PropBuilders& b, const Placement& at, float length, float width, float seabedDepth);
void addLighthouse(PropBuilders& b, const Placement& at);
void addBoat(PropBuilders& b, const Placement& at, const glm::vec3& hullTint);
void addLampPost(PropBuilders& b, const Placement& at, const glm::vec3& light);
void addTent(PropBuilders& b, const Placement& at, float radius, const glm::vec3& tint);
void addFerrisWheel(PropBuilders& b, const Placement& at);
void addCarousel(PropBuilders& b, const Placement& at);
// A string of coloured bulbs sagging between two points (world space).
void addBulbString(PropBuilders& b, const glm::vec3& from, const glm::vec3& to, float sag, int bulbs);

}  // namespace assetgen::levels
