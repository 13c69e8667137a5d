// Trees, rocks, flowers, buildings and fairground rides for the levels.
// Sizes are in metres and follow real ones loosely: a broadleaf tree about
// 8 m tall, a pine 10-13 m, a house storey 3 m, the big wheel 46 m.
#include "levels/scenery_props.h"

#include "levels/prop_shapes.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace assetgen::levels {
namespace {

constexpr float kTwoPi = 6.28318531f;
constexpr float kTrunkSink = 0.5f;  // trunks start below the ground so slopes leave no gap

glm::vec3 jitter(Random& random, float amount) {
    return {random.range(-amount, amount), random.range(-amount, amount), random.range(-amount, amount)};
}

engine::Colour tinted(const glm::vec3& tint, Random& random, float amount) {
    return prelitColour(glm::max(tint + jitter(random, amount), glm::vec3(0.0f)));
}

void addGlowBulb(MeshBuilder& glow, const glm::vec3& centre, float radius, const glm::vec3& colour, Random& random) {
    BlobShape bulb;
    bulb.centre = centre;
    bulb.radii = glm::vec3(radius);
    bulb.roughness = 0.0f;
    bulb.plain = true;
    addBlob(glow, glow.material("glow"), Placement{}, bulb, prelitColour(colour), random);
}

// The fairground's bulb colours: warm white, amber, red, green, blue.
glm::vec3 bulbColour(int index) {
    static constexpr std::array<glm::vec3, 5> kColours{glm::vec3(1.0f, 0.95f, 0.75f), glm::vec3(1.0f, 0.7f, 0.2f),
                                                       glm::vec3(1.0f, 0.3f, 0.25f), glm::vec3(0.45f, 1.0f, 0.4f),
                                                       glm::vec3(0.45f, 0.6f, 1.0f)};
    return kColours[static_cast<size_t>(index) % kColours.size()];
}

}  // namespace

void addBroadleafTree(PropBuilders& b, const Placement& at, const PropTint& tint, Random& random) {
    FrustumShape trunk;
    trunk.base = {0.0f, -kTrunkSink, 0.0f};
    trunk.bottomRadius = 0.34f;
    trunk.topRadius = 0.2f;
    trunk.height = 3.8f + kTrunkSink;
    trunk.sides = 5;
    addFrustum(b.lit, b.lit.material("bark"), at, trunk, tinted(tint.wood, random, 0.02f));
    const uint32_t leaves = b.lit.material("leaves");
    const engine::Colour crown = tinted(tint.foliage, random, 0.04f);
    BlobShape main;
    main.centre = {0.0f, 4.8f, 0.0f};
    main.radii = {2.7f, 2.4f, 2.7f};
    main.roughness = 0.2f;
    addBlob(b.lit, leaves, at, main, crown, random);
    BlobShape top;
    const float side = random.range(0.0f, kTwoPi);
    top.centre = {0.9f * std::sin(side), 6.3f, 0.9f * std::cos(side)};
    top.radii = {1.9f, 1.7f, 1.9f};
    top.roughness = 0.2f;
    top.plain = true;
    addBlob(b.lit, leaves, at, top, crown, random);
}

void addPineTree(PropBuilders& b, const Placement& at, const PropTint& tint, Random& random) {
    FrustumShape trunk;
    trunk.base = {0.0f, -kTrunkSink, 0.0f};
    trunk.bottomRadius = 0.26f;
    trunk.topRadius = 0.12f;
    trunk.height = 3.0f + kTrunkSink;
    trunk.sides = 4;
    addFrustum(b.lit, b.lit.material("bark"), at, trunk, tinted(tint.wood, random, 0.02f));
    const uint32_t needles = b.lit.material("needles");
    const engine::Colour colour = tinted(tint.foliage, random, 0.03f);
    const int tiers = at.scale > 1.0f ? 3 : 2;
    for (int k = 0; k < tiers; ++k) {
        FrustumShape cone;
        const float shrink = static_cast<float>(k) / static_cast<float>(tiers);
        cone.base = {0.0f, 1.6f + 2.6f * static_cast<float>(k), 0.0f};
        cone.bottomRadius = 2.5f * (1.0f - 0.55f * shrink);
        cone.topRadius = 0.0f;
        cone.height = 4.2f - 0.6f * static_cast<float>(k);
        cone.sides = 6;
        addFrustum(b.lit, needles, at, cone, colour);
    }
}

void addBush(PropBuilders& b, const Placement& at, const PropTint& tint, Random& random, bool plain) {
    BlobShape bush;
    bush.centre = {0.0f, 0.5f, 0.0f};
    bush.radii = {1.3f, 0.95f, 1.3f};
    bush.roughness = 0.25f;
    bush.plain = plain;
    addBlob(b.lit, b.lit.material("leaves"), at, bush, tinted(tint.foliage, random, 0.04f), random);
}

void addHedge(PropBuilders& b, const Placement& at, const PropTint& tint, Random& random) {
    BlobShape hedge;
    hedge.centre = {0.0f, 0.6f, 0.0f};
    hedge.radii = {1.2f, 1.3f, 5.6f};
    hedge.roughness = 0.12f;
    addBlob(b.lit, b.lit.material("leaves"), at, hedge, tinted(tint.foliage, random, 0.03f), random);
}

void addRock(PropBuilders& b, const Placement& at, const glm::vec3& tint, Random& random) {
    BlobShape rock;
    rock.radii = {random.range(1.0f, 1.5f), random.range(0.6f, 1.0f), random.range(0.9f, 1.4f)};
    rock.centre = {0.0f, 0.35f * rock.radii.y, 0.0f};
    // Small stones are sharp; boulders weathered round.
    const bool boulder = at.scale >= 2.0f;
    rock.roughness = boulder ? 0.28f : 0.3f;
    rock.faceted = !boulder;
    rock.plain = !boulder;
    addBlob(b.lit, b.lit.material("rock"), at, rock, tinted(tint, random, 0.03f), random);
}

void addFlowerPatch(PropBuilders& b, const Placement& at, Random& random, const HeightGrid& ground) {
    static constexpr std::array<glm::vec3, 5> kPetals{glm::vec3(0.95f, 0.25f, 0.3f), glm::vec3(1.0f, 0.85f, 0.2f),
                                                      glm::vec3(0.95f, 0.95f, 1.0f), glm::vec3(0.7f, 0.4f, 0.95f),
                                                      glm::vec3(1.0f, 0.55f, 0.15f)};
    const glm::vec3 colour = kPetals[static_cast<size_t>(random.below(static_cast<int>(kPetals.size())))];
    const uint32_t petals = b.glow.material("petals");
    const int count = 12 + random.below(8);
    for (int i = 0; i < count; ++i) {
        const float angle = random.range(0.0f, kTwoPi);
        const float distance = 3.5f * std::sqrt(random.uniform()) * at.scale;
        const float x = at.origin.x + distance * std::sin(angle);
        const float z = at.origin.z + distance * std::cos(angle);
        // A small upright diamond: seen as a dot of colour from any side.
        const float size = random.range(0.16f, 0.24f);
        const float turn = random.range(0.0f, kTwoPi);
        const glm::vec3 side(size * std::cos(turn), 0.0f, size * std::sin(turn));
        const glm::vec3 base(x, ground.heightAt(x, z) + 0.05f, z);
        const engine::Colour c = prelitColour(colour * random.range(0.8f, 1.0f));
        const uint32_t v0 = b.glow.addVertex({base, {}, {0.5f, 1.0f}, c});
        const uint32_t v1 = b.glow.addVertex({base + side + glm::vec3(0, size, 0), {}, {1.0f, 0.5f}, c});
        const uint32_t v2 = b.glow.addVertex({base + glm::vec3(0, 2.0f * size, 0), {}, {0.5f, 0.0f}, c});
        const uint32_t v3 = b.glow.addVertex({base - side + glm::vec3(0, size, 0), {}, {0.0f, 0.5f}, c});
        b.glow.addTriangle(petals, v0, v1, v2);
        b.glow.addTriangle(petals, v0, v2, v3);
    }
}

void addCactus(PropBuilders& b, const Placement& at, Random& random) {
    const uint32_t skin = b.lit.material("cactus");
    const engine::Colour colour = tinted(glm::vec3(0.02f), random, 0.02f);
    FrustumShape stem;
    stem.base = {0.0f, -kTrunkSink, 0.0f};
    stem.bottomRadius = 0.42f;
    stem.topRadius = 0.3f;
    stem.height = random.range(3.5f, 5.5f);
    stem.sides = 6;
    addFrustum(b.lit, skin, at, stem, colour);
    const int arms = 1 + random.below(2);
    for (int k = 0; k < arms; ++k) {
        const float side = k == 0 ? 1.0f : -1.0f;
        const float y = random.range(1.6f, 2.6f);
        // An elbow: out from the stem, then up.
        addBeam(b.lit, skin, at.point({0.0f, y, 0.0f}), at.point({side * 1.0f, y + 0.3f, 0.0f}), 0.45f, colour);
        FrustumShape arm;
        arm.base = {side * 1.0f, y, 0.0f};
        arm.bottomRadius = 0.26f;
        arm.topRadius = 0.18f;
        arm.height = random.range(1.3f, 2.0f);
        arm.sides = 5;
        addFrustum(b.lit, skin, at, arm, colour);
    }
}

void addReeds(PropBuilders& b, const Placement& at, Random& random) {
    const uint32_t leaves = b.lit.material("leaves");
    for (int i = 0; i < 6; ++i) {
        FrustumShape blade;
        blade.base = {random.range(-1.2f, 1.2f), -0.3f, random.range(-1.2f, 1.2f)};
        blade.bottomRadius = 0.09f;
        blade.topRadius = 0.0f;
        blade.height = random.range(1.4f, 2.2f);
        blade.sides = 3;
        addFrustum(b.lit, leaves, at, blade, tinted(glm::vec3(0.08f, 0.06f, 0.0f), random, 0.03f));
    }
}

void addHouse(PropBuilders& b, const Placement& at, const HouseShape& shape, Random& random) {
    const float hw = 0.5f * shape.width;
    const float hd = 0.5f * shape.depth;
    const float top = shape.wallHeight * static_cast<float>(shape.floors);
    const uint32_t walls = b.lit.material(shape.wallTexture);
    const engine::Colour wallColour = tinted(shape.wallTint, random, 0.02f);
    addBox(b.lit, walls, at, {-hw, -shape.foundation, -hd}, {hw, top, hd}, wallColour, 4.0f);
    GableRoof roof;
    roof.low = {-hw, -hd};
    roof.high = {hw, hd};
    roof.eave = top;
    roof.ridge = top + shape.roofRise;
    addGableRoof(b.lit, b.lit.material(shape.roofTexture), walls, at, roof, tinted(shape.roofTint, random, 0.02f),
                 4.0f);
    addBox(b.lit, b.lit.material("planks"), at, {-0.6f, 0.0f, hd}, {0.6f, 2.1f, hd + 0.12f},
           prelitColour(glm::vec3(0.0f)), 4.0f);
    // Windows stand proud of the walls so they never fight them for depth.
    MeshBuilder& panes = shape.litWindows ? b.glow : b.lit;
    const uint32_t glass = panes.material("windows");
    const engine::Colour paneColour =
        shape.litWindows ? prelitColour(glm::vec3(1.0f, 0.85f, 0.55f)) : prelitColour(glm::vec3(0.0f));
    for (int floor = 0; floor < shape.floors; ++floor) {
        const float y0 = static_cast<float>(floor) * shape.wallHeight + 1.0f;
        const int across = std::max(1, static_cast<int>(shape.width / 3.0f));
        for (int i = 0; i < across; ++i) {
            const float x = -hw + shape.width * (static_cast<float>(i) + 0.5f) / static_cast<float>(across);
            if (floor == 0 && std::abs(x) < 1.3f) continue;              // the door
            if (shape.litWindows && random.uniform() < 0.25f) continue;  // some rooms are dark
            addBox(panes, glass, at, {x - 0.55f, y0, hd}, {x + 0.55f, y0 + 1.2f, hd + 0.1f}, paneColour, 2.0f);
            addBox(panes, glass, at, {x - 0.55f, y0, -hd - 0.1f}, {x + 0.55f, y0 + 1.2f, -hd}, paneColour, 2.0f);
        }
    }
}

void addWindmill(PropBuilders& b, const Placement& at) {
    FrustumShape tower;
    tower.base = {0.0f, -1.5f, 0.0f};
    tower.bottomRadius = 3.4f;
    tower.topRadius = 2.1f;
    tower.height = 13.5f;
    tower.sides = 8;
    addFrustum(b.lit, b.lit.material("planks"), at, tower, prelitColour(glm::vec3(0.05f)));
    FrustumShape cap;
    cap.base = {0.0f, 12.0f, 0.0f};
    cap.bottomRadius = 2.6f;
    cap.topRadius = 0.0f;
    cap.height = 3.0f;
    cap.sides = 8;
    cap.capBottom = true;
    addFrustum(b.lit, b.lit.material("roof"), at, cap, prelitColour(glm::vec3(0.0f)));
    const glm::vec3 hub = at.point({0.0f, 12.2f, 2.9f});
    const uint32_t wood = b.lit.material("planks");
    for (int k = 0; k < 4; ++k) {
        const float a = kTwoPi * (static_cast<float>(k) + 0.15f) / 4.0f;
        const glm::vec3 arm = at.direction({std::cos(a), std::sin(a), 0.0f});
        const glm::vec3 across = at.direction({-std::sin(a), std::cos(a), 0.0f});
        addBeam(b.lit, wood, hub, hub + arm * 10.0f, 0.35f, prelitColour(glm::vec3(0.0f)));
        addPanel(b.lit, wood, hub + arm * 2.5f, arm * 7.5f, across * 1.8f, prelitColour(glm::vec3(0.12f, 0.1f, 0.08f)),
                 8.0f, 2.0f);
    }
}

void addWaterTower(PropBuilders& b, const Placement& at, float legLength) {
    const uint32_t wood = b.lit.material("planks");
    const engine::Colour colour = prelitColour(glm::vec3(0.02f));
    for (int k = 0; k < 4; ++k) {
        const float sx = (k & 1) ? 1.0f : -1.0f;
        const float sz = (k & 2) ? 1.0f : -1.0f;
        addBeam(b.lit, wood, at.point({sx * 2.2f, -1.0f, sz * 2.2f}), at.point({sx * 1.6f, legLength, sz * 1.6f}),
                0.35f, colour);
    }
    FrustumShape tank;
    tank.base = {0.0f, legLength, 0.0f};
    tank.bottomRadius = 2.7f;
    tank.topRadius = 2.7f;
    tank.height = 3.6f;
    tank.sides = 10;
    tank.capBottom = true;
    addFrustum(b.lit, wood, at, tank, colour);
    FrustumShape roof;
    roof.base = {0.0f, legLength + 3.6f, 0.0f};
    roof.bottomRadius = 3.0f;
    roof.topRadius = 0.0f;
    roof.height = 1.6f;
    roof.sides = 10;
    addFrustum(b.lit, b.lit.material("roof"), at, roof, colour);
}

void addPier(PropBuilders& b, const Placement& at, float length, float width, float seabedDepth) {
    const uint32_t wood = b.lit.material("planks");
    const engine::Colour colour = prelitColour(glm::vec3(0.03f));
    addBox(b.lit, wood, at, {-0.5f * width, -0.45f, 0.0f}, {0.5f * width, 0.0f, length}, colour, 4.0f, true);
    const int posts = std::max(2, static_cast<int>(length / 5.0f) + 1);
    for (int i = 0; i < posts; ++i) {
        const float z = length * static_cast<float>(i) / static_cast<float>(posts - 1);
        for (const float side : {-1.0f, 1.0f}) {
            FrustumShape post;
            post.base = {side * (0.5f * width - 0.25f), -seabedDepth - 0.5f, std::clamp(z, 0.3f, length - 0.3f)};
            post.bottomRadius = 0.22f;
            post.topRadius = 0.2f;
            post.height = seabedDepth + 0.5f + 0.9f;  // up past the deck: bollards
            post.sides = 5;
            post.capTop = true;
            addFrustum(b.lit, wood, at, post, colour);
        }
    }
}

void addLighthouse(PropBuilders& b, const Placement& at) {
    FrustumShape base;
    base.base = {0.0f, -2.0f, 0.0f};
    base.bottomRadius = 5.0f;
    base.topRadius = 4.6f;
    base.height = 3.5f;
    base.sides = 12;
    base.capTop = true;
    addFrustum(b.lit, b.lit.material("rock"), at, base, prelitColour(glm::vec3(0.02f)));
    FrustumShape tower;
    tower.base = {0.0f, 1.5f, 0.0f};
    tower.bottomRadius = 3.4f;
    tower.topRadius = 2.3f;
    tower.height = 20.0f;
    tower.sides = 12;
    tower.heightAlongU = true;  // the stripes ring the tower
    addFrustum(b.lit, b.lit.material("lighthouse"), at, tower, prelitColour(glm::vec3(0.05f)));
    FrustumShape gallery;
    gallery.base = {0.0f, 21.5f, 0.0f};
    gallery.bottomRadius = 3.3f;
    gallery.topRadius = 3.3f;
    gallery.height = 0.5f;
    gallery.sides = 12;
    gallery.capTop = true;
    gallery.capBottom = true;
    addFrustum(b.lit, b.lit.material("metal"), at, gallery, prelitColour(glm::vec3(0.0f)));
    FrustumShape lantern;
    lantern.base = {0.0f, 22.0f, 0.0f};
    lantern.bottomRadius = 1.7f;
    lantern.topRadius = 1.7f;
    lantern.height = 2.6f;
    lantern.sides = 10;
    addFrustum(b.glow, b.glow.material("glow"), at, lantern, prelitColour(glm::vec3(1.0f, 0.95f, 0.7f)));
    FrustumShape cap;
    cap.base = {0.0f, 24.6f, 0.0f};
    cap.bottomRadius = 2.2f;
    cap.topRadius = 0.0f;
    cap.height = 2.0f;
    cap.sides = 10;
    cap.capBottom = true;
    addFrustum(b.lit, b.lit.material("metal"), at, cap, prelitColour(glm::vec3(0.25f, 0.0f, 0.0f)));
}

void addBoat(PropBuilders& b, const Placement& at, const glm::vec3& hullTint) {
    const uint32_t wood = b.lit.material("planks");
    addBox(b.lit, wood, at, {-1.4f, -0.7f, -3.6f}, {1.4f, 0.6f, 3.0f}, prelitColour(hullTint), 4.0f);
    // The bow: a wedge closing the hull's front.
    const engine::Colour colour = prelitColour(hullTint);
    const glm::vec3 l0 = at.point({-1.4f, -0.7f, 3.0f}), r0 = at.point({1.4f, -0.7f, 3.0f});
    const glm::vec3 l1 = at.point({-1.4f, 0.6f, 3.0f}), r1 = at.point({1.4f, 0.6f, 3.0f});
    const glm::vec3 tip0 = at.point({0.0f, -0.7f, 5.0f}), tip1 = at.point({0.0f, 0.8f, 5.2f});
    const auto tri = [&](glm::vec3 p, glm::vec3 q, glm::vec3 r) {
        b.lit.addFlatTriangle(wood, {p, {}, {0, 1}, colour}, {q, {}, {1, 1}, colour}, {r, {}, {0.5f, 0}, colour});
    };
    tri(r0, tip0, tip1);
    tri(r0, tip1, r1);
    tri(tip0, l0, l1);
    tri(tip0, l1, tip1);
    tri(l1, r1, tip1);
    addBox(b.lit, b.lit.material("roof"), at, {-0.9f, 0.6f, -2.6f}, {0.9f, 2.1f, -0.4f}, prelitColour(glm::vec3(0.1f)),
           4.0f);
    addBeam(b.lit, wood, at.point({0.0f, 0.6f, 0.8f}), at.point({0.0f, 6.5f, 0.8f}), 0.16f,
            prelitColour(glm::vec3(0.0f)));
}

void addLampPost(PropBuilders& b, const Placement& at, const glm::vec3& light) {
    const uint32_t metal = b.lit.material("metal");
    const engine::Colour dark = prelitColour(glm::vec3(0.0f));
    FrustumShape pole;
    pole.base = {0.0f, -0.5f, 0.0f};
    pole.bottomRadius = 0.14f;
    pole.topRadius = 0.08f;
    pole.height = 5.0f;
    pole.sides = 5;
    addFrustum(b.lit, metal, at, pole, dark);
    addBeam(b.lit, metal, at.point({0.0f, 4.3f, 0.0f}), at.point({0.75f, 4.45f, 0.0f}), 0.09f, dark);
    FrustumShape shade;
    shade.base = {0.75f, 4.3f, 0.0f};
    shade.bottomRadius = 0.4f;
    shade.topRadius = 0.1f;
    shade.height = 0.3f;
    shade.sides = 6;
    addFrustum(b.lit, metal, at, shade, dark);
    Random random(static_cast<uint64_t>(std::abs(at.origin.x * 131.0f + at.origin.z * 7.0f)) + 3u);
    addGlowBulb(b.glow, at.point({0.75f, 4.12f, 0.0f}), 0.3f, light, random);
}

void addTent(PropBuilders& b, const Placement& at, float radius, const glm::vec3& tint) {
    const uint32_t cloth = b.lit.material("stripes");
    const engine::Colour colour = prelitColour(tint);
    FrustumShape wall;
    wall.base = {0.0f, -0.5f, 0.0f};
    wall.bottomRadius = radius;
    wall.topRadius = radius;
    wall.height = 3.0f;
    wall.sides = 10;
    addFrustum(b.lit, cloth, at, wall, colour);
    FrustumShape roof;
    roof.base = {0.0f, 2.5f, 0.0f};
    roof.bottomRadius = radius * 1.08f;
    roof.topRadius = 0.0f;
    roof.height = radius * 0.9f;
    roof.sides = 10;
    roof.capBottom = true;
    addFrustum(b.lit, cloth, at, roof, colour);
    addBeam(b.lit, b.lit.material("metal"), at.point({0.0f, 2.5f + radius * 0.85f, 0.0f}),
            at.point({0.0f, 4.0f + radius * 0.9f, 0.0f}), 0.12f, prelitColour(glm::vec3(0.0f)));
}

void addFerrisWheel(PropBuilders& b, const Placement& at) {
    constexpr float kRadius = 20.0f;
    constexpr float kHub = 23.5f;
    constexpr int kSpokes = 16;
    const uint32_t metal = b.lit.material("metal");
    const engine::Colour steel = prelitColour(glm::vec3(0.08f, 0.06f, 0.1f));
    for (const float z : {-2.4f, 2.4f}) {
        for (const float x : {-10.0f, 10.0f}) {
            addBeam(b.lit, metal, at.point({x, -1.0f, z * 1.6f}), at.point({0.0f, kHub, z}), 0.6f, steel);
        }
    }
    addBeam(b.lit, metal, at.point({0.0f, kHub, -2.8f}), at.point({0.0f, kHub, 2.8f}), 0.9f, steel);
    Random random(97u);
    const auto rim = [&](int k, float z) {
        const float a = kTwoPi * static_cast<float>(k) / static_cast<float>(kSpokes);
        return at.point({kRadius * std::sin(a), kHub + kRadius * std::cos(a), z});
    };
    for (int k = 0; k < kSpokes; ++k) {
        for (const float z : {-1.5f, 1.5f}) {
            addBeam(b.lit, metal, rim(k, z), rim(k + 1, z), 0.4f, steel);
            addBeam(b.lit, metal, at.point({0.0f, kHub, z}), rim(k, z), 0.22f, steel);
            addGlowBulb(b.glow, rim(k, z * 1.15f), 0.32f, bulbColour(k), random);
            addGlowBulb(b.glow, (rim(k, z * 1.15f) + rim(k + 1, z * 1.15f)) * 0.5f, 0.26f, bulbColour(k + 2), random);
        }
        // Gondolas hang below the rim between the two rings.
        const glm::vec3 p = rim(k, 0.0f);
        const Placement car{p - glm::vec3(0.0f, 2.3f, 0.0f), at.yawDegrees, 1.0f};
        addBox(b.lit, b.lit.material("stripes"), car, {-0.9f, 0.0f, -1.1f}, {0.9f, 1.7f, 1.1f},
               prelitColour(glm::vec3(0.1f, 0.0f, 0.05f)), 2.0f, true);
    }
}

void addCarousel(PropBuilders& b, const Placement& at) {
    constexpr float kRadius = 7.5f;
    FrustumShape deck;
    deck.base = {0.0f, -0.5f, 0.0f};
    deck.bottomRadius = kRadius;
    deck.topRadius = kRadius;
    deck.height = 1.2f;
    deck.sides = 16;
    deck.capTop = true;
    addFrustum(b.lit, b.lit.material("planks"), at, deck, prelitColour(glm::vec3(0.05f)));
    const uint32_t cloth = b.lit.material("stripes");
    FrustumShape column;
    column.base = {0.0f, 0.7f, 0.0f};
    column.bottomRadius = 1.3f;
    column.topRadius = 1.3f;
    column.height = 4.6f;
    column.sides = 10;
    addFrustum(b.lit, cloth, at, column, prelitColour(glm::vec3(0.1f)));
    FrustumShape skirt;
    skirt.base = {0.0f, 4.6f, 0.0f};
    skirt.bottomRadius = kRadius + 0.4f;
    skirt.topRadius = kRadius + 0.4f;
    skirt.height = 0.9f;
    skirt.sides = 16;
    addFrustum(b.lit, cloth, at, skirt, prelitColour(glm::vec3(0.1f)));
    FrustumShape canopy;
    canopy.base = {0.0f, 5.5f, 0.0f};
    canopy.bottomRadius = kRadius + 0.4f;
    canopy.topRadius = 0.0f;
    canopy.height = 3.2f;
    canopy.sides = 16;
    canopy.capBottom = true;
    addFrustum(b.lit, cloth, at, canopy, prelitColour(glm::vec3(0.1f)));
    Random random(41u);
    const uint32_t metal = b.lit.material("metal");
    for (int k = 0; k < 12; ++k) {
        const float a = kTwoPi * static_cast<float>(k) / 12.0f;
        const glm::vec3 r(std::sin(a), 0.0f, std::cos(a));
        addBeam(b.lit, metal, at.point(r * 5.6f + glm::vec3(0, 0.7f, 0)), at.point(r * 5.6f + glm::vec3(0, 4.6f, 0)),
                0.12f, prelitColour(glm::vec3(0.2f, 0.18f, 0.05f)));
        const Placement horse{at.point(r * 5.6f + glm::vec3(0, 1.5f + 0.4f * static_cast<float>(k % 2), 0)),
                              at.yawDegrees + glm::degrees(a) + 90.0f, 1.0f};
        addBox(b.lit, b.lit.material("planks"), horse, {-0.25f, 0.0f, -0.7f}, {0.25f, 0.7f, 0.7f},
               prelitColour(glm::vec3(0.3f, 0.25f, 0.2f) * static_cast<float>(k % 3) * 0.5f), 2.0f, true);
    }
    for (int k = 0; k < 32; ++k) {
        const float a = kTwoPi * static_cast<float>(k) / 32.0f;
        addGlowBulb(b.glow, at.point({(kRadius + 0.55f) * std::sin(a), 4.7f, (kRadius + 0.55f) * std::cos(a)}), 0.2f,
                    bulbColour(k), random);
    }
}

void addBulbString(PropBuilders& b, const glm::vec3& from, const glm::vec3& to, float sag, int bulbs) {
    Random random(static_cast<uint64_t>(std::abs(from.x * 17.0f + to.z * 29.0f)) + 5u);
    for (int i = 1; i < bulbs; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(bulbs);
        const glm::vec3 p = glm::mix(from, to, t) - glm::vec3(0.0f, sag * 4.0f * t * (1.0f - t), 0.0f);
        addGlowBulb(b.glow, p, 0.16f, bulbColour(i), random);
    }
}

}  // namespace assetgen::levels
