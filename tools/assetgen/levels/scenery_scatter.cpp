// Scattering of natural props: one candidate per cell of a jittered grid,
// kept where the rule's cluster noise, ground height and slope allow it
// and the spot is clear of zones, landmarks and water.
#include "levels/prop_shapes.h"
#include "levels/scenery_context.h"

#include <cmath>

namespace assetgen::levels {
namespace {

float footprint(PropKind kind, float scale) {
    switch (kind) {
        case PropKind::Broadleaf: return 3.0f * scale;
        case PropKind::Pine: return 2.6f * scale;
        case PropKind::Boulder: return 2.0f * scale;
        case PropKind::Flowers: return 4.0f * scale;
        case PropKind::Rock:
        case PropKind::Bush:
        case PropKind::Cactus:
        case PropKind::Shrub:
        case PropKind::Reeds: return 1.5f * scale;
    }
    return 2.0f;
}

// Big props keep later ones from growing through them.
bool blocksOthers(PropKind kind) {
    return kind == PropKind::Broadleaf || kind == PropKind::Pine || kind == PropKind::Boulder ||
           kind == PropKind::Cactus;
}

void placeProp(SceneryContext& context, PropKind kind, const Placement& at, Random& random) {
    PropBuilders b = context.buildersAt(at.origin);
    const PropTint tint{context.style.foliageTint, context.style.woodTint};
    switch (kind) {
        case PropKind::Broadleaf: addBroadleafTree(b, at, tint, random); break;
        case PropKind::Pine: addPineTree(b, at, tint, random); break;
        case PropKind::Bush: addBush(b, at, tint, random); break;
        case PropKind::Shrub: addBush(b, at, tint, random, true); break;
        case PropKind::Rock:
        case PropKind::Boulder: addRock(b, at, context.style.rockTint, random); break;
        case PropKind::Flowers: addFlowerPatch(b, at, random, context.ground); break;
        case PropKind::Cactus: addCactus(b, at, random); break;
        case PropKind::Reeds: addReeds(b, at, random); break;
    }
}

// Within a lake's bank: close to it and at most rise above its water.
bool onBank(const SceneryContext& context, glm::vec2 p, float height, float rise) {
    for (const WaterBody& water : context.waters) {
        if (water.sea || glm::length(p - water.centre) > water.radius * 1.3f) continue;
        if (height > water.level && height < water.level + rise) return true;
    }
    return false;
}

void scatterRule(SceneryContext& context, const ScatterRule& rule, uint32_t index) {
    const HeightGrid& ground = context.ground;
    const uint32_t seed = context.style.ground.seed * 977u + index * 131u;
    Random random(seed);
    const float half = ground.halfSize();
    const int cells = static_cast<int>(std::ceil(2.0f * half / rule.spacing));
    for (int row = 0; row < cells; ++row) {
        for (int column = 0; column < cells; ++column) {
            const float x = -half + rule.spacing * static_cast<float>(column);
            const float z = -half + rule.spacing * static_cast<float>(row);
            const glm::vec2 p(x + random.uniform() * rule.spacing, z + random.uniform() * rule.spacing);
            const float scale = random.range(rule.minScale, rule.maxScale);
            const float yaw = random.range(0.0f, 360.0f);
            const float roll = random.uniform();
            const float w = rule.clusterWavelength;
            if (fractalNoise(p.x / w, p.y / w, seed + 1u, 3) < rule.clusterThreshold || roll > rule.chance) continue;
            const float h = ground.heightAt(p.x, p.y);
            if (rule.nearWater ? !onBank(context, p, h, rule.maxHeight) : h < rule.minHeight || h > rule.maxHeight) {
                continue;
            }
            if (ground.slopeAt(p.x, p.y) > rule.maxSlope) continue;
            const float radius = footprint(rule.kind, scale);
            if (!context.isClear(p, radius)) continue;
            const float baseRadius =
                rule.kind == PropKind::Boulder || rule.kind == PropKind::Rock ? radius * 0.6f : 0.5f;
            const Placement at{{p.x, ground.lowestAround(p.x, p.y, baseRadius), p.y}, yaw, scale};
            placeProp(context, rule.kind, at, random);
            if (blocksOthers(rule.kind)) context.keepouts.push_back(Keepout{p, glm::vec2(radius * 0.5f)});
        }
    }
}

}  // namespace

void scatterProps(SceneryContext& context) {
    uint32_t index = 0;
    for (const ScatterRule& rule : context.style.scatter) scatterRule(context, rule, index++);
}

}  // namespace assetgen::levels
