// Shared state while a level's sectors are built: the ground, the zones the
// caller keeps clear, the per-sector mesh builders, the ground kept for
// landmarks, the water, and the pools of lamp light washed onto the ground.
#pragma once

#include "levels/height_field.h"
#include "levels/level_style.h"
#include "levels/mesh_builder.h"
#include "levels/scenery_props.h"

#include <memory>
#include <vector>

namespace assetgen::levels {

// Lit and unlit builders for each square sector of the ground grid; a
// prop goes to the sector holding its base point.
class SectorGrid {
public:
    SectorGrid(float halfSize, int perSide);
    int perSide() const { return perSide_; }
    int indexAt(float x, float z) const;
    MeshBuilder& lit(int index) { return lit_[static_cast<size_t>(index)]; }
    MeshBuilder& glow(int index) { return glow_[static_cast<size_t>(index)]; }
    PropBuilders buildersAt(const glm::vec3& p);
    // One geometry per sector and texture: lit ones in grid order, then unlit.
    std::vector<std::unique_ptr<engine::Geometry>> finish() const;

private:
    float half_;
    int perSide_;
    std::vector<MeshBuilder> lit_;
    std::vector<MeshBuilder> glow_;
};

struct Keepout {
    glm::vec2 centre{0.0f};
    glm::vec2 halfSize{0.0f};
};

struct LightPool {
    glm::vec2 centre{0.0f};
    float radius = 12.0f;
    glm::vec3 colour{0.5f, 0.4f, 0.2f};  // prelit added at the centre
};

struct WaterBody {
    glm::vec2 centre{0.0f};
    float radius = 0.0f;  // ignored for the sea
    float level = 0.0f;
    bool sea = false;
};

struct SceneryContext {
    const LevelStyle& style;
    const HeightGrid& ground;
    const std::vector<FlatZone>& zones;
    SectorGrid& sectors;
    std::vector<Keepout> keepouts;
    std::vector<LightPool> pools;
    std::vector<WaterBody> waters;

    // Whether a prop of this radius may stand at p: inside the ground, clear
    // of every zone and keepout, and not in water.
    bool isClear(glm::vec2 p, float radius) const;
    bool isDry(glm::vec2 p, float margin) const;
    // isClear for a rectangle; on success it is kept out for later props.
    bool claim(glm::vec2 centre, glm::vec2 halfSize);
    PropBuilders buildersAt(const glm::vec3& p) { return sectors.buildersAt(p); }
};

// The water bodies a style's ground holds: its basins and its sea.
std::vector<WaterBody> waterBodies(const LevelStyle& style);

// The themed buildings and rides of a level (see level_landmarks.cpp).
void placeLandmarks(SceneryContext& context);
// Trees, rocks and flowers by the style's scatter rules.
void scatterProps(SceneryContext& context);

}  // namespace assetgen::levels
