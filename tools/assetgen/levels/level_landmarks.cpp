// The landmarks that make each level recognisable: the meadow's farm and
// windmill, the canyon's ranch, the alpine chalets and jetty, the harbour's
// quay, piers and lighthouse, and the nightfall fairground and town. Each
// one claims its ground first and is left out where a zone or an earlier
// landmark already holds it.
#include "levels/prop_shapes.h"
#include "levels/scenery_context.h"

#include <algorithm>
#include <cmath>

namespace assetgen::levels {
namespace {

const glm::vec3 kLampLight{1.0f, 0.85f, 0.55f};
const glm::vec3 kLampPool{0.5f, 0.36f, 0.14f};
constexpr float kSteepestSite = 3.0f;  // metres of fall under a building's footprint

// How many points from `from` to `to` (inclusive) at `step` apart; loops count
// in integers so that float steps never decide how many props there are.
int pointsBetween(float from, float to, float step) {
    return std::max(0, static_cast<int>(std::floor((to - from) / step + 1e-3f)) + 1);
}

// The lowest ground along a straight run of length metres from p along +z.
float lowestAlong(const HeightGrid& ground, glm::vec2 p, float length, float below) {
    const int points = pointsBetween(0.0f, length, 2.0f);
    for (int k = 0; k < points; ++k) below = std::min(below, ground.heightAt(p.x, p.y + 2.0f * static_cast<float>(k)));
    return below;
}

// Lowest and highest ground under a square footprint.
std::pair<float, float> groundSpan(const HeightGrid& ground, glm::vec2 centre, float half) {
    float low = ground.heightAt(centre.x, centre.y);
    float high = low;
    for (int j = -2; j <= 2; ++j) {
        for (int i = -2; i <= 2; ++i) {
            const float h = ground.heightAt(centre.x + half * 0.5f * i, centre.y + half * 0.5f * j);
            low = std::min(low, h);
            high = std::max(high, h);
        }
    }
    return {low, high};
}

// A house standing on its own foundation, so slopes leave no gap under it.
bool placeHouse(SceneryContext& context, glm::vec2 centre, float yaw, HouseShape shape, Random& random) {
    const float half = 0.5f * std::max(shape.width, shape.depth) + 1.0f;
    const auto [low, high] = groundSpan(context.ground, centre, half);
    if (high - low > kSteepestSite || !context.isDry(centre, 0.5f)) return false;
    if (!context.claim(centre, glm::vec2(half))) return false;
    shape.foundation = high - low + 0.6f;
    const Placement at{{centre.x, high + 0.1f, centre.y}, yaw, 1.0f};
    PropBuilders b = context.buildersAt(at.origin);
    addHouse(b, at, shape, random);
    return true;
}

bool placeLamp(SceneryContext& context, glm::vec2 p, float yaw) {
    if (!context.claim(p, glm::vec2(0.8f))) return false;
    const Placement at{{p.x, context.ground.lowestAround(p.x, p.y, 0.3f), p.y}, yaw, 1.0f};
    PropBuilders b = context.buildersAt(at.origin);
    addLampPost(b, at, kLampLight);
    context.pools.push_back(LightPool{
        p + glm::vec2(0.75f * std::cos(glm::radians(yaw)), -0.75f * std::sin(glm::radians(yaw))), 13.0f, kLampPool});
    return true;
}

// A clump of trees (or rocks) round centre, each on clear ground.
void addGrove(SceneryContext& context, Random& random, glm::vec2 centre, float radius, int count, PropKind kind) {
    const PropTint tint{context.style.foliageTint, context.style.woodTint};
    for (int k = 0; k < count; ++k) {
        const float a = random.range(0.0f, 6.2831853f);
        const glm::vec2 p = centre + radius * std::sqrt(random.uniform()) * glm::vec2(std::sin(a), std::cos(a));
        const float scale = random.range(0.85f, 1.35f);
        if (!context.isClear(p, 2.5f * scale) || context.ground.slopeAt(p.x, p.y) > 0.6f) continue;
        const Placement at{{p.x, context.ground.lowestAround(p.x, p.y, 0.5f), p.y}, random.range(0.0f, 360.0f), scale};
        PropBuilders b = context.buildersAt(at.origin);
        switch (kind) {
            case PropKind::Pine: addPineTree(b, at, tint, random); break;
            case PropKind::Boulder:
                addRock(b, Placement{at.origin, at.yawDegrees, scale * 2.2f}, context.style.rockTint, random);
                break;
            case PropKind::Cactus: addCactus(b, at, random); break;
            default: addBroadleafTree(b, at, tint, random); break;
        }
        context.keepouts.push_back(Keepout{p, glm::vec2(1.5f * scale)});
    }
}

// Hedges along some of the field edges round the middle of the level.
void addHedges(SceneryContext& context, Random& random, float reach) {
    const GroundTint& tint = context.style.tint;
    const float size = tint.fieldSize;
    const int cells = static_cast<int>(std::ceil(reach / size));
    const PropTint leaves{context.style.foliageTint, context.style.woodTint};
    const uint32_t seed = context.style.ground.seed + 51u;
    for (int j = -cells; j <= cells; ++j) {
        for (int i = -cells; i <= cells; ++i) {
            for (int side = 0; side < 2; ++side) {
                if (hashPoint(i, 2 * j + side, seed) % 100u >= 45u) continue;
                const glm::vec2 along = side == 0 ? glm::vec2(0.0f, 1.0f) : glm::vec2(1.0f, 0.0f);
                const glm::vec2 direction = fieldToWorld(tint, along);
                const float yaw = glm::degrees(std::atan2(direction.x, direction.y));
                const int segments = pointsBetween(5.0f, size - 3.0f, 9.0f);
                for (int k = 0; k < segments; ++k) {
                    const float t = 5.0f + 9.0f * static_cast<float>(k);
                    const glm::vec2 p = fieldToWorld(tint, glm::vec2(i, j) * size + along * t);
                    if (glm::length(p) > reach || !context.isClear(p, 1.5f)) continue;
                    const Placement at{
                        {p.x, context.ground.lowestAround(p.x, p.y, 1.2f), p.y}, yaw, random.range(0.9f, 1.15f)};
                    PropBuilders b = context.buildersAt(at.origin);
                    addHedge(b, at, leaves, random);
                }
            }
        }
    }
}

void meadowLandmarks(SceneryContext& context, Random& random) {
    addGrove(context, random, {-112.0f, 45.0f}, 26.0f, 9, PropKind::Broadleaf);
    addGrove(context, random, {118.0f, 70.0f}, 30.0f, 11, PropKind::Broadleaf);
    addGrove(context, random, {40.0f, 160.0f}, 22.0f, 7, PropKind::Broadleaf);
    addGrove(context, random, {-150.0f, -150.0f}, 30.0f, 10, PropKind::Broadleaf);
    addHedges(context, random, 330.0f);
    const glm::vec2 mill(175.0f, 235.0f);
    if (context.claim(mill, glm::vec2(8.0f))) {
        const Placement at{{mill.x, context.ground.lowestAround(mill.x, mill.y, 3.4f), mill.y}, 200.0f, 1.0f};
        PropBuilders b = context.buildersAt(at.origin);
        addWindmill(b, at);
    }
    HouseShape barn;
    barn.width = 11.0f;
    barn.depth = 16.0f;
    barn.wallHeight = 5.0f;
    barn.roofRise = 4.0f;
    barn.wallTint = {0.22f, 0.0f, 0.0f};
    placeHouse(context, {-215.0f, 35.0f}, 18.0f, barn, random);
    HouseShape farmhouse;
    farmhouse.width = 9.0f;
    farmhouse.depth = 7.0f;
    farmhouse.floors = 2;
    farmhouse.wallHeight = 3.0f;
    farmhouse.wallTexture = "brick";
    placeHouse(context, {-175.0f, 75.0f}, -12.0f, farmhouse, random);
}

void canyonLandmarks(SceneryContext& context, Random& random) {
    addGrove(context, random, {-105.0f, 45.0f}, 18.0f, 5, PropKind::Boulder);
    addGrove(context, random, {95.0f, 95.0f}, 25.0f, 6, PropKind::Cactus);
    addGrove(context, random, {60.0f, 60.0f}, 14.0f, 3, PropKind::Boulder);
    const glm::vec2 tower(135.0f, 45.0f);
    if (context.claim(tower, glm::vec2(4.0f))) {
        const auto [low, high] = groundSpan(context.ground, tower, 3.0f);
        const Placement at{{tower.x, low, tower.y}, 10.0f, 1.0f};
        PropBuilders b = context.buildersAt(at.origin);
        addWaterTower(b, at, 7.0f + (high - low));
    }
    HouseShape shack;
    shack.width = 8.0f;
    shack.depth = 6.0f;
    shack.wallHeight = 3.0f;
    shack.roofRise = 1.2f;
    placeHouse(context, {155.0f, 70.0f}, -25.0f, shack, random);
    shack.width = 10.0f;
    placeHouse(context, {-160.0f, 55.0f}, 30.0f, shack, random);
}

void alpineLandmarks(SceneryContext& context, Random& random) {
    addGrove(context, random, {-110.0f, 50.0f}, 30.0f, 14, PropKind::Pine);
    addGrove(context, random, {105.0f, 40.0f}, 26.0f, 10, PropKind::Pine);
    addGrove(context, random, {-30.0f, 200.0f}, 30.0f, 12, PropKind::Pine);
    HouseShape chalet;
    chalet.width = 9.0f;
    chalet.depth = 11.0f;
    chalet.floors = 2;
    chalet.wallHeight = 2.8f;
    chalet.roofRise = 3.0f;
    const glm::vec2 spots[] = {{-70.0f, 150.0f}, {215.0f, 140.0f}, {190.0f, 305.0f}, {-120.0f, 95.0f}};
    const float yaws[] = {15.0f, -20.0f, 190.0f, 40.0f};
    for (int k = 0; k < 4; ++k) placeHouse(context, spots[k], yaws[k], chalet, random);
    // A jetty from the lake's southern shore.
    for (const WaterBody& water : context.waters) {
        if (water.sea) continue;
        const glm::vec2 root = water.centre - glm::vec2(0.0f, water.radius * 0.95f);
        if (!context.claim(root + glm::vec2(0.0f, 12.0f), glm::vec2(2.5f, 14.0f))) continue;
        const float deck = water.level + 0.7f;
        const float bed = lowestAlong(context.ground, root, 26.0f, deck);
        const Placement at{{root.x, deck, root.y}, 0.0f, 1.0f};
        PropBuilders b = context.buildersAt(at.origin);
        addPier(b, at, 26.0f, 3.0f, deck - bed);
    }
}

// Stone walls round the quay's seaward sides, from the sea floor to its top,
// so the quay ends square instead of in the ground grid's saw teeth.
void addQuayWalls(SceneryContext& context, glm::vec2 low, glm::vec2 high) {
    // A low parapet: its top stays well clear of the paving's depth.
    const float top = context.ground.heightAt(0.5f * (low.x + high.x), 0.5f * (low.y + high.y)) + 0.5f;
    const float bottom = context.style.ground.coast.seaFloor - 1.0f;
    const engine::Colour colour = prelitColour(glm::vec3(0.02f));
    const auto wall = [&](glm::vec2 a, glm::vec2 b) {
        const glm::vec3 middle(0.5f * (a.x + b.x), bottom, 0.5f * (a.y + b.y));
        MeshBuilder& builder = context.sectors.lit(context.sectors.indexAt(middle.x, middle.z));
        addBox(builder, builder.material("rock"), Placement{},
               {std::min(a.x, b.x) - 0.6f, bottom, std::min(a.y, b.y) - 0.6f},
               {std::max(a.x, b.x) + 0.6f, top, std::max(a.y, b.y) + 0.6f}, colour, 4.0f);
    };
    wall({low.x, high.y}, {high.x, high.y});
    wall({low.x, low.y}, {low.x, high.y});
    wall({high.x, low.y}, {high.x, high.y});
}

void harbourLandmarks(SceneryContext& context, Random& random) {
    addGrove(context, random, {110.0f, 40.0f}, 22.0f, 6, PropKind::Broadleaf);
    addGrove(context, random, {-110.0f, -150.0f}, 25.0f, 8, PropKind::Broadleaf);
    const float sea = context.style.ground.coast.seaLevel;
    HouseShape warehouse;
    warehouse.width = 18.0f;
    warehouse.depth = 26.0f;
    warehouse.wallHeight = 8.0f;
    warehouse.roofRise = 4.0f;
    warehouse.wallTexture = "brick";
    for (int k = 0; k < 3; ++k) {
        warehouse.wallTint = glm::vec3(0.04f * static_cast<float>(k), 0.02f, 0.0f);
        placeHouse(context, {-160.0f + 50.0f * static_cast<float>(k), 100.0f}, 0.0f, warehouse, random);
    }
    // Piers run out from the quay's edge into deep water, boats beside them.
    for (const float x : {-150.0f, -80.0f}) {
        const glm::vec2 root(x, 132.0f);
        if (!context.claim(root + glm::vec2(0.0f, 25.0f), glm::vec2(4.0f, 26.0f))) continue;
        const float deck = 0.5f;
        const float bed = lowestAlong(context.ground, root, 50.0f, deck);
        const Placement at{{root.x, deck, root.y}, 0.0f, 1.0f};
        PropBuilders b = context.buildersAt(at.origin);
        addPier(b, at, 50.0f, 5.0f, deck - bed);
        const Placement boat{{x + 8.0f, sea, 160.0f + random.range(0.0f, 10.0f)}, 180.0f, 1.0f};
        PropBuilders bb = context.buildersAt(boat.origin);
        addBoat(bb, boat, glm::vec3(0.0f, 0.05f, 0.15f));
    }
    const glm::vec2 moored[] = {{-20.0f, 185.0f}, {45.0f, 150.0f}, {80.0f, 225.0f}, {-200.0f, 175.0f}};
    for (const glm::vec2 p : moored) {
        if (context.isDry(p, 0.0f) || !context.claim(p, glm::vec2(5.0f))) continue;
        const Placement boat{{p.x, sea, p.y}, random.range(0.0f, 360.0f), 1.0f};
        PropBuilders b = context.buildersAt(boat.origin);
        addBoat(b, boat, glm::vec3(random.range(0.0f, 0.2f), 0.0f, random.range(0.0f, 0.1f)));
    }
    const glm::vec2 light(150.0f, 195.0f);
    if (context.claim(light, glm::vec2(7.0f))) {
        const Placement at{{light.x, context.ground.lowestAround(light.x, light.y, 4.5f), light.y}, 0.0f, 1.0f};
        PropBuilders b = context.buildersAt(at.origin);
        addLighthouse(b, at);
    }
    addQuayWalls(context, {-180.0f, 79.0f}, {-40.0f, 131.0f});
    context.keepouts.push_back(Keepout{{-110.0f, 105.0f}, {70.0f, 26.0f}});
    // Two villages of cottages on the slopes either side, facing the sea.
    HouseShape cottage;
    cottage.width = 7.0f;
    cottage.depth = 9.0f;
    cottage.floors = 2;
    cottage.wallHeight = 2.9f;
    cottage.wallTexture = "brick";
    const glm::vec2 villages[] = {{-250.0f, 10.0f}, {240.0f, 20.0f}};
    for (const glm::vec2 village : villages) {
        int built = 0;
        for (int attempt = 0; attempt < 60 && built < 9; ++attempt) {
            const glm::vec2 p = village + glm::vec2(random.range(-70.0f, 70.0f), random.range(-45.0f, 45.0f));
            cottage.wallTint = {random.range(0.0f, 0.15f), random.range(0.0f, 0.1f), random.range(0.0f, 0.1f)};
            if (placeHouse(context, p, random.range(-25.0f, 25.0f), cottage, random)) ++built;
        }
    }
    for (int k = 0; k < 5; ++k) placeLamp(context, {-175.0f + 32.0f * static_cast<float>(k), 127.0f}, 90.0f);
}

void nightfallLandmarks(SceneryContext& context, Random& random) {
    addGrove(context, random, {-115.0f, 30.0f}, 22.0f, 7, PropKind::Broadleaf);
    addGrove(context, random, {118.0f, 25.0f}, 20.0f, 6, PropKind::Broadleaf);
    const glm::vec2 wheel(55.0f, 168.0f);
    if (context.claim(wheel, glm::vec2(22.0f, 6.0f))) {
        const Placement at{{wheel.x, context.ground.lowestAround(wheel.x, wheel.y, 10.0f), wheel.y}, 0.0f, 1.0f};
        PropBuilders b = context.buildersAt(at.origin);
        addFerrisWheel(b, at);
        context.pools.push_back(LightPool{wheel, 26.0f, glm::vec3(0.35f, 0.2f, 0.25f)});
    }
    const glm::vec2 carousel(-45.0f, 125.0f);
    if (context.claim(carousel, glm::vec2(9.0f))) {
        const Placement at{{carousel.x, context.ground.heightAt(carousel.x, carousel.y), carousel.y}, 0.0f, 1.0f};
        PropBuilders b = context.buildersAt(at.origin);
        addCarousel(b, at);
        context.pools.push_back(LightPool{carousel, 16.0f, glm::vec3(0.45f, 0.3f, 0.12f)});
    }
    const glm::vec3 tents[] = {{-95.0f, 175.0f, 6.5f},
                               {105.0f, 105.0f, 5.5f},
                               {-100.0f, 95.0f, 5.0f},
                               {0.0f, 190.0f, 4.5f},
                               {-20.0f, 170.0f, 4.0f}};
    for (const glm::vec3& tent : tents) {
        const glm::vec2 p(tent.x, tent.y);
        if (!context.claim(p, glm::vec2(tent.z + 1.0f))) continue;
        const Placement at{{p.x, context.ground.lowestAround(p.x, p.y, tent.z), p.y}, random.range(0.0f, 360.0f), 1.0f};
        PropBuilders b = context.buildersAt(at.origin);
        addTent(b, at, tent.z, glm::vec3(random.range(0.0f, 0.15f), 0.0f, random.range(0.0f, 0.15f)));
    }
    // Lamps round the fairground with strings of bulbs between them.
    const glm::vec2 low(-125.0f, 73.0f), high(125.0f, 207.0f);
    std::vector<glm::vec3> heads;
    const auto ring = [&](glm::vec2 p) {
        if (placeLamp(context, p, 0.0f)) heads.emplace_back(p.x + 0.75f, context.ground.heightAt(p.x, p.y) + 4.3f, p.y);
    };
    // Round the edge: along the near side, up the right, back along the far
    // side and down the left, 25 m apart across and 27 m along.
    const int across = pointsBetween(low.x, high.x, 25.0f);
    const int along = pointsBetween(low.y, high.y, 27.0f);
    for (int k = 0; k < across; ++k) ring({low.x + 25.0f * static_cast<float>(k), low.y});
    for (int k = 1; k < along; ++k) ring({high.x, low.y + 27.0f * static_cast<float>(k)});
    for (int k = across - 2; k >= 0; --k) ring({low.x + 25.0f * static_cast<float>(k), high.y});
    for (int k = along - 2; k > 0; --k) ring({low.x, low.y + 27.0f * static_cast<float>(k)});
    for (size_t k = 0; k < heads.size(); ++k) {
        PropBuilders b = context.buildersAt(heads[k]);
        addBulbString(b, heads[k], heads[(k + 1) % heads.size()], 1.5f, 14);
    }
    context.keepouts.push_back(Keepout{(low + high) * 0.5f, (high - low) * 0.5f});
    for (int k = 0; k < pointsBetween(40.0f, low.y - 1.0f, 30.0f); ++k) {
        const float z = 40.0f + 30.0f * static_cast<float>(k);
        placeLamp(context, {-9.0f, z}, 180.0f);
        placeLamp(context, {9.0f, z}, 0.0f);
    }
    // Lamps round the building area light its edges; bulbs hang between
    // the ones along its far side.
    for (int k = 0; k < 6; ++k) {
        const float z = -125.0f + 30.0f * static_cast<float>(k);
        placeLamp(context, {-88.0f, z}, 0.0f);
        placeLamp(context, {88.0f, z}, 180.0f);
    }
    std::vector<glm::vec3> front;
    for (int k = 0; k < 7; ++k) {
        const float x = -75.0f + 25.0f * static_cast<float>(k);
        if (placeLamp(context, {x, 30.0f}, 90.0f)) {
            front.emplace_back(x, context.ground.heightAt(x, 30.0f) + 4.3f, 30.0f - 0.75f);
        }
    }
    for (size_t k = 0; k + 1 < front.size(); ++k) {
        PropBuilders b = context.buildersAt(front[k]);
        addBulbString(b, front[k], front[k + 1], 1.2f, 12);
    }
    // The town: rows of houses either side, facing their streets.
    HouseShape house;
    house.width = 8.0f;
    house.depth = 9.0f;
    house.floors = 2;
    house.wallHeight = 3.0f;
    house.wallTexture = "brick";
    house.litWindows = true;
    for (const float side : {-1.0f, 1.0f}) {
        for (int k = 0; k < 9; ++k) {
            for (int row = 0; row < 2; ++row) {
                const glm::vec2 p(side * (205.0f + 42.0f * static_cast<float>(row)),
                                  -140.0f + 44.0f * static_cast<float>(k));
                house.wallTint = {random.range(0.0f, 0.08f), random.range(0.0f, 0.05f), random.range(0.0f, 0.1f)};
                const float facing = (row == 0 ? -90.0f : 90.0f) * side;
                if (placeHouse(context, p + glm::vec2(random.range(-3.0f, 3.0f), 0.0f), facing, house, random)) {
                    context.pools.push_back(LightPool{p, 11.0f, glm::vec3(0.18f, 0.13f, 0.05f)});
                }
            }
            placeLamp(context, {side * 226.0f, -118.0f + 44.0f * static_cast<float>(k)}, side > 0 ? 180.0f : 0.0f);
        }
        context.keepouts.push_back(Keepout{{side * 226.0f, 40.0f}, {12.0f, 205.0f}});
    }
}

}  // namespace

void placeLandmarks(SceneryContext& context) {
    Random random(context.style.ground.seed * 31u + 7u);
    switch (context.style.theme) {
        case LevelTheme::Meadow: meadowLandmarks(context, random); break;
        case LevelTheme::Canyon: canyonLandmarks(context, random); break;
        case LevelTheme::Alpine: alpineLandmarks(context, random); break;
        case LevelTheme::Harbour: harbourLandmarks(context, random); break;
        case LevelTheme::Nightfall: nightfallLandmarks(context, random); break;
    }
}

}  // namespace assetgen::levels
