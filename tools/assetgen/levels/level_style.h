// What makes each level its own place: the ground's shape, which texture
// covers which ground, the colour washes laid over it, water, the scenery
// scattered about, the landmarks of its theme, its lights and its sky.
// The five styles are data; terrain, scenery and sky code read them.
#pragma once

#include "levels/height_field.h"
#include "levels/level_textures.h"

#include <glm/glm.hpp>

#include <string>
#include <vector>

namespace assetgen::levels {

enum class LevelTheme { Meadow, Canyon, Alpine, Harbour, Nightfall };

// Ground cover: the first rule whose height and slope ranges hold wins; the
// last rule should hold everywhere. A rule's jitter (metres) moves its
// height limits up and down with noise so its borders wander.
struct SurfaceRule {
    std::string texture;
    float minHeight = -1e9f;
    float maxHeight = 1e9f;
    float minSlope = 0.0f;  // rise over run
    float maxSlope = 1e9f;
    float jitter = 0.0f;
    bool cliffMapped = false;  // v follows height: rock layers run level round a cliff
    bool shore = false;        // only on lake banks, up to maxHeight above the water
    bool regional = false;     // only inside regionLow..regionHigh (x, z): a paved square
    glm::vec2 regionLow{0.0f};
    glm::vec2 regionHigh{0.0f};
};

// Prelit colour added to the lighting of the ground (0..1 per channel):
// low ground and high ground washes, large patches, steep faces, and a
// patchwork of fields (a grid turned by fieldAngle degrees, each field
// washed with one of the field tints).
struct GroundTint {
    glm::vec3 low{0.0f};
    glm::vec3 high{0.0f};
    float lowHeight = 0.0f;
    float highHeight = 60.0f;
    glm::vec3 patch{0.0f};
    float patchWavelength = 70.0f;
    glm::vec3 steep{0.0f};
    std::vector<glm::vec3> fields;
    float fieldSize = 90.0f;
    float fieldAngle = 20.0f;
};

// The field (column, row) of the patchwork that p lies in, and the world
// point of a position given in field-grid coordinates.
glm::ivec2 fieldCell(const GroundTint& tint, glm::vec2 p);
glm::vec2 fieldToWorld(const GroundTint& tint, glm::vec2 q);
glm::vec3 fieldTint(const GroundTint& tint, uint32_t seed, glm::vec2 p);

struct WaterLook {
    std::string texture = "water";
    glm::vec3 shallow{0.15f, 0.2f, 0.15f};  // prelit near the shore
    glm::vec3 deep{0.0f};                   // prelit in deep water
};

// A directional light: it comes from the given heading (degrees from +Z
// towards +X) and elevation and shines the other way.
struct SunLight {
    float azimuth = 0.0f;
    float elevation = 45.0f;
    glm::vec3 colour{1.0f};
};

struct SkyLook {
    glm::vec3 zenith{0.2f, 0.4f, 0.8f};
    glm::vec3 horizon{0.7f, 0.8f, 0.9f};
    glm::vec3 below{0.55f, 0.65f, 0.75f};  // the skirt under the horizon
    glm::vec3 glow{1.0f, 0.9f, 0.6f};      // round the sun
    float glowDegrees = 25.0f;
    glm::vec3 cloud{1.0f};
    float cloudCover = 0.4f;  // 0 clear .. 1 overcast
    bool stars = false;
    float sunDegrees = 2.5f;  // radius of the sun's disc
};

enum class PropKind { Broadleaf, Pine, Bush, Rock, Boulder, Flowers, Cactus, Shrub, Reeds };

// Scattering of one kind of prop on a jittered grid: each cell gets at most
// one, where a noise field says the kind grows (clusters) and the ground
// suits it.
struct ScatterRule {
    PropKind kind = PropKind::Broadleaf;
    float spacing = 20.0f;
    float minHeight = -1e9f;
    float maxHeight = 1e9f;
    float maxSlope = 0.5f;
    float clusterWavelength = 120.0f;
    float clusterThreshold = 0.0f;  // noise -1..1 must exceed this
    float chance = 1.0f;
    float minScale = 0.8f;
    float maxScale = 1.2f;
    bool nearWater = false;  // only on a lake's banks, up to maxHeight above its water
};

struct LevelStyle {
    std::string name;  // folder and world file name
    LevelTheme theme = LevelTheme::Meadow;
    GroundShape ground;
    glm::vec3 start{0.0f, 0.0f, -60.0f};  // the station marker, heading 0
    glm::vec2 startHalfSize{75.0f};       // the clear, level building area round it
    std::vector<SurfaceRule> surfaces;
    GroundTint tint;
    WaterLook water;
    std::vector<TextureRecipe> textures;  // everything the level's materials name
    std::vector<ScatterRule> scatter;
    glm::vec3 foliageTint{0.0f};  // prelit washes of scattered props
    glm::vec3 woodTint{0.0f};
    glm::vec3 rockTint{0.0f};
    std::vector<SunLight> lights;  // lights[0] is the sun drawn in the sky
    SkyLook sky;
};

// The five levels in the order the setup file lists them.
const std::vector<LevelStyle>& levelStyles();
const LevelStyle* findLevelStyle(const std::string& name);

// The level building area round the start marker.
FlatZone startZone(const LevelStyle& style);

}  // namespace assetgen::levels
