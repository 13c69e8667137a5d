// The five levels as data. Positions are metres from the level's centre;
// the station stands at (0, 0, -60) looking along +Z, so each level puts its
// best features ahead of it (+Z) and its high ground round the edge.
// Texture colours are the colours seen in full sun: lighting at noon adds
// up to about one, prelit washes a little more.
#include "levels/level_style.h"

#include "levels/level_noise.h"

#include <cmath>

namespace assetgen::levels {
namespace {

TextureRecipe texture(const char* name, TexturePattern pattern, glm::vec3 dark, glm::vec3 light, int size = 128) {
    return TextureRecipe{name, pattern, dark, light, size};
}

SurfaceRule cover(const char* name) {
    return SurfaceRule{name};
}

SurfaceRule steeperThan(const char* name, float slope, bool cliffMapped = false) {
    SurfaceRule rule{name};
    rule.minSlope = slope;
    rule.cliffMapped = cliffMapped;
    return rule;
}

SurfaceRule higherThan(const char* name, float height, float jitter, float maxSlope = 1e9f) {
    SurfaceRule rule{name};
    rule.minHeight = height;
    rule.maxSlope = maxSlope;
    rule.jitter = jitter;
    return rule;
}

SurfaceRule lakeShore(const char* name, float rise) {
    SurfaceRule rule{name};
    rule.shore = true;
    rule.maxHeight = rise;
    return rule;
}

SurfaceRule inRegion(const char* name, glm::vec2 low, glm::vec2 high, float maxHeight = 1e9f) {
    SurfaceRule rule{name};
    rule.regional = true;
    rule.regionLow = low;
    rule.regionHigh = high;
    rule.maxHeight = maxHeight;
    return rule;
}

Landform hill(glm::vec2 centre, float radius, float height) {
    return Landform{LandformKind::Hill, centre, radius, height, 0.0f, {}};
}

Landform peak(glm::vec2 centre, float radius, float height) {
    return Landform{LandformKind::Peak, centre, radius, height, 0.0f, {}};
}

Landform mesa(glm::vec2 centre, float radius, float height) {
    return Landform{LandformKind::Mesa, centre, radius, height, 0.0f, {}};
}

Landform basin(glm::vec2 centre, float radius, float height, float depth) {
    return Landform{LandformKind::Basin, centre, radius, height, depth, {}};
}

Landform plateau(glm::vec2 centre, glm::vec2 halfSize, float height, float blend) {
    return Landform{LandformKind::Plateau, centre, blend, height, 0.0f, halfSize};
}

ScatterRule scatter(PropKind kind, float spacing, float threshold, float chance, float minScale, float maxScale) {
    ScatterRule rule;
    rule.kind = kind;
    rule.spacing = spacing;
    rule.clusterThreshold = threshold;
    rule.chance = chance;
    rule.minScale = minScale;
    rule.maxScale = maxScale;
    return rule;
}

ScatterRule within(ScatterRule rule, float minHeight, float maxHeight, float maxSlope) {
    rule.minHeight = minHeight;
    rule.maxHeight = maxHeight;
    rule.maxSlope = maxSlope;
    return rule;
}

// Shared by the daytime levels: wood, leaves, glass and flowers.
void addDaytimeProps(LevelStyle& style) {
    style.textures.push_back(texture("bark", TexturePattern::Bark, {0.18f, 0.12f, 0.07f}, {0.42f, 0.3f, 0.18f}));
    style.textures.push_back(texture("windows", TexturePattern::Windows, {0.85f, 0.84f, 0.78f}, {0.16f, 0.22f, 0.3f}));
    style.textures.push_back(texture("petals", TexturePattern::Petals, {0.75f, 0.75f, 0.75f}, {1.0f, 1.0f, 1.0f}));
    style.textures.push_back(texture("glow", TexturePattern::Glow, {0.85f, 0.85f, 0.85f}, {1.0f, 1.0f, 1.0f}));
    style.textures.push_back(texture("metal", TexturePattern::Metal, {0.16f, 0.16f, 0.18f}, {0.45f, 0.45f, 0.48f}));
}

LevelStyle meadow() {
    LevelStyle s;
    s.name = "meadow";
    s.theme = LevelTheme::Meadow;
    GroundShape& g = s.ground;
    g.seed = 11;
    g.noiseAmplitude = 9.0f;
    g.noiseWavelength = 220.0f;
    g.rimHeight = 50.0f;
    g.rimInner = 300.0f;
    g.rimOuter = 470.0f;
    g.landforms = {hill({170, 235}, 140, 26),  hill({-250, 150}, 110, 18),       hill({-40, 370}, 150, 30),
                   hill({280, -180}, 120, 22), hill({-260, -250}, 150, 26),      hill({60, -330}, 120, 18),
                   hill({330, 80}, 100, 16),   basin({-85, 150}, 40, 1.0f, 4.5f)};
    s.surfaces = {steeperThan("rock", 0.8f), lakeShore("mud", 0.5f), cover("grass")};
    s.tint.low = {0.0f, 0.02f, 0.01f};
    s.tint.high = {0.1f, 0.08f, 0.0f};
    s.tint.highHeight = 40.0f;
    s.tint.patch = {0.13f, 0.11f, 0.01f};
    s.tint.patchWavelength = 70.0f;
    s.tint.steep = {0.05f, 0.03f, 0.0f};
    s.tint.fields = {
        glm::vec3(0.0f), {0.12f, 0.1f, 0.0f}, {0.0f, 0.05f, 0.0f}, {0.2f, 0.17f, 0.04f}, {0.06f, 0.03f, 0.0f}};
    s.tint.fieldSize = 110.0f;
    s.water.shallow = {0.06f, 0.12f, 0.06f};
    s.textures = {
        texture("grass", TexturePattern::Grass, {0.21f, 0.37f, 0.11f}, {0.47f, 0.63f, 0.25f}),
        texture("mud", TexturePattern::Sand, {0.36f, 0.3f, 0.18f}, {0.6f, 0.52f, 0.34f}),
        texture("rock", TexturePattern::Rock, {0.34f, 0.33f, 0.31f}, {0.66f, 0.64f, 0.6f}),
        texture("water", TexturePattern::Water, {0.08f, 0.24f, 0.34f}, {0.3f, 0.5f, 0.6f}),
        texture("leaves", TexturePattern::Leaves, {0.08f, 0.24f, 0.05f}, {0.34f, 0.56f, 0.14f}),
        texture("planks", TexturePattern::Planks, {0.3f, 0.2f, 0.12f}, {0.6f, 0.45f, 0.3f}),
        texture("roof", TexturePattern::Roof, {0.3f, 0.12f, 0.08f}, {0.62f, 0.3f, 0.18f}),
        texture("brick", TexturePattern::Brick, {0.62f, 0.6f, 0.54f}, {0.94f, 0.92f, 0.86f}),
    };
    addDaytimeProps(s);
    ScatterRule reeds = scatter(PropKind::Reeds, 4.0f, -1.0f, 0.7f, 0.8f, 1.2f);
    reeds.nearWater = true;
    reeds.maxHeight = 0.6f;
    s.scatter = {within(scatter(PropKind::Broadleaf, 14, 0.32f, 0.9f, 0.8f, 1.35f), -1, 60, 0.5f),
                 within(scatter(PropKind::Broadleaf, 55, -1.0f, 0.35f, 0.9f, 1.4f), -1, 60, 0.4f),
                 within(scatter(PropKind::Bush, 36, -0.1f, 0.45f, 0.7f, 1.3f), -1, 60, 0.6f),
                 within(scatter(PropKind::Flowers, 36, 0.0f, 0.5f, 0.8f, 1.3f), -1, 45, 0.35f),
                 within(scatter(PropKind::Rock, 60, -0.5f, 0.35f, 0.6f, 1.4f), -1, 90, 0.8f),
                 reeds};
    s.foliageTint = {0.02f, 0.03f, 0.0f};
    s.rockTint = {0.02f, 0.02f, 0.0f};
    s.lights = {{135.0f, 48.0f, {0.64f, 0.6f, 0.5f}}, {-45.0f, 30.0f, {0.06f, 0.08f, 0.12f}}};
    s.sky.zenith = {0.2f, 0.44f, 0.86f};
    s.sky.horizon = {0.62f, 0.77f, 0.93f};
    s.sky.glow = {0.5f, 0.45f, 0.3f};
    s.sky.cloudCover = 0.55f;
    return s;
}

LevelStyle canyon() {
    LevelStyle s;
    s.name = "canyon";
    s.theme = LevelTheme::Canyon;
    GroundShape& g = s.ground;
    g.seed = 23;
    g.noiseAmplitude = 3.0f;
    g.noiseWavelength = 120.0f;
    g.noiseOctaves = 3;
    g.rimHeight = 105.0f;
    g.rimInner = 330.0f;
    g.rimOuter = 470.0f;
    g.ridgeAmplitude = 20.0f;
    g.terraceStep = 14.0f;
    g.landforms = {mesa({230, 265}, 80, 70),  mesa({-250, 290}, 100, 84), mesa({60, 405}, 70, 96),
                   mesa({-125, 195}, 20, 52), mesa({320, 40}, 28, 60),    mesa({-330, -60}, 55, 56),
                   mesa({210, -260}, 65, 62), mesa({-160, -320}, 32, 70), mesa({-20, -300}, 22, 42)};
    g.channels = {Channel{
        {{-520, 300}, {-380, 225}, {-250, 160}, {-120, 120}, {0, 135}, {120, 112}, {250, 150}, {380, 118}, {520, 180}},
        22.0f,
        3.5f}};
    s.surfaces = {steeperThan("strata", 0.9f, true), SurfaceRule{"riverbed", -1e9f, -1.2f},
                  steeperThan("redrock", 0.4f), higherThan("redrock", 30.0f, 8.0f), cover("desert")};
    s.tint.low = {0.04f, 0.02f, 0.0f};
    s.tint.high = {0.12f, 0.05f, 0.0f};
    s.tint.highHeight = 100.0f;
    s.tint.patch = {0.17f, 0.1f, 0.04f};
    s.tint.patchWavelength = 50.0f;
    s.tint.steep = {0.06f, 0.0f, 0.0f};
    s.textures = {
        texture("desert", TexturePattern::Sand, {0.62f, 0.4f, 0.25f}, {0.86f, 0.64f, 0.44f}),
        texture("riverbed", TexturePattern::Sand, {0.5f, 0.45f, 0.38f}, {0.78f, 0.72f, 0.62f}),
        texture("redrock", TexturePattern::Rock, {0.44f, 0.19f, 0.11f}, {0.76f, 0.42f, 0.25f}),
        texture("strata", TexturePattern::Strata, {0.48f, 0.2f, 0.11f}, {0.9f, 0.62f, 0.4f}, 256),
        texture("rock", TexturePattern::Rock, {0.42f, 0.2f, 0.12f}, {0.74f, 0.45f, 0.3f}),
        texture("leaves", TexturePattern::Leaves, {0.28f, 0.28f, 0.14f}, {0.52f, 0.5f, 0.28f}),
        texture("cactus", TexturePattern::Needles, {0.14f, 0.3f, 0.12f}, {0.34f, 0.5f, 0.24f}),
        texture("planks", TexturePattern::Planks, {0.32f, 0.26f, 0.2f}, {0.62f, 0.54f, 0.44f}),
        texture("roof", TexturePattern::Roof, {0.34f, 0.19f, 0.11f}, {0.6f, 0.36f, 0.2f}),
    };
    addDaytimeProps(s);
    s.scatter = {within(scatter(PropKind::Rock, 28, -0.3f, 0.45f, 0.5f, 1.4f), -10, 200, 0.7f),
                 within(scatter(PropKind::Boulder, 60, -0.2f, 0.5f, 2.2f, 3.6f), -10, 200, 0.5f),
                 within(scatter(PropKind::Cactus, 40, -0.2f, 0.35f, 0.8f, 1.2f), -1, 12, 0.3f),
                 within(scatter(PropKind::Shrub, 20, -0.1f, 0.45f, 0.45f, 0.8f), -3, 60, 0.5f)};
    s.rockTint = {0.03f, 0.0f, 0.0f};
    s.lights = {{110.0f, 55.0f, {0.64f, 0.56f, 0.44f}}, {-70.0f, 25.0f, {0.1f, 0.07f, 0.09f}}};
    s.sky.zenith = {0.18f, 0.4f, 0.85f};
    s.sky.horizon = {0.8f, 0.74f, 0.66f};
    s.sky.below = {0.72f, 0.6f, 0.5f};
    s.sky.glow = {0.6f, 0.5f, 0.3f};
    s.sky.cloudCover = 0.15f;
    return s;
}

LevelStyle alpine() {
    LevelStyle s;
    s.name = "alpine";
    s.theme = LevelTheme::Alpine;
    GroundShape& g = s.ground;
    g.seed = 37;
    g.noiseAmplitude = 8.0f;
    g.noiseWavelength = 200.0f;
    g.noiseOctaves = 5;
    g.rimHeight = 90.0f;
    g.rimInner = 260.0f;
    g.rimOuter = 450.0f;
    g.ridgeAmplitude = 60.0f;
    g.landforms = {peak({-300, 330}, 210, 140), peak({130, 420}, 170, 150),       peak({400, 150}, 170, 130),
                   peak({-420, -60}, 170, 120), peak({300, -330}, 180, 130),      peak({-200, -400}, 160, 110),
                   hill({-150, 120}, 90, 14),   basin({110, 205}, 75, 0.0f, 7.0f)};
    s.surfaces = {higherThan("snow", 100.0f, 25.0f, 1.3f), lakeShore("rock", 0.4f), steeperThan("rock", 0.65f),
                  higherThan("rock", 95.0f, 15.0f), cover("grass")};
    s.tint.low = {0.02f, 0.04f, 0.0f};
    s.tint.high = {0.1f, 0.1f, 0.14f};
    s.tint.highHeight = 200.0f;
    s.tint.patch = {0.06f, 0.05f, 0.0f};
    s.tint.steep = {0.03f, 0.03f, 0.05f};
    s.tint.fields = {glm::vec3(0.0f), {0.07f, 0.07f, 0.0f}, {0.03f, 0.05f, 0.0f}};
    s.tint.fieldSize = 70.0f;
    s.tint.fieldAngle = -15.0f;
    s.water.shallow = {0.05f, 0.15f, 0.15f};
    s.textures = {
        texture("grass", TexturePattern::Grass, {0.24f, 0.38f, 0.14f}, {0.5f, 0.62f, 0.3f}),
        texture("rock", TexturePattern::Rock, {0.32f, 0.33f, 0.35f}, {0.64f, 0.65f, 0.67f}),
        texture("snow", TexturePattern::Snow, {0.76f, 0.8f, 0.9f}, {1.0f, 1.0f, 1.0f}),
        texture("water", TexturePattern::Water, {0.06f, 0.2f, 0.3f}, {0.24f, 0.46f, 0.56f}),
        texture("needles", TexturePattern::Needles, {0.04f, 0.15f, 0.07f}, {0.17f, 0.32f, 0.15f}),
        texture("leaves", TexturePattern::Leaves, {0.1f, 0.24f, 0.08f}, {0.3f, 0.46f, 0.16f}),
        texture("planks", TexturePattern::Planks, {0.24f, 0.15f, 0.09f}, {0.5f, 0.35f, 0.22f}),
        texture("roof", TexturePattern::Roof, {0.2f, 0.2f, 0.22f}, {0.44f, 0.44f, 0.47f}),
    };
    addDaytimeProps(s);
    ScatterRule reeds = scatter(PropKind::Reeds, 5.0f, -1.0f, 0.5f, 0.8f, 1.1f);
    reeds.nearWater = true;
    reeds.maxHeight = 0.9f;
    s.scatter = {within(scatter(PropKind::Pine, 15, 0.2f, 0.9f, 0.8f, 1.4f), -1, 110, 1.0f),
                 within(scatter(PropKind::Pine, 50, -1.0f, 0.3f, 0.8f, 1.3f), -1, 105, 0.6f),
                 within(scatter(PropKind::Rock, 32, -0.4f, 0.5f, 0.6f, 1.5f), 30, 160, 0.9f),
                 within(scatter(PropKind::Boulder, 70, -0.3f, 0.5f, 2.0f, 3.2f), 5, 120, 0.5f),
                 within(scatter(PropKind::Flowers, 40, 0.0f, 0.4f, 0.7f, 1.0f), -1, 25, 0.3f),
                 reeds};
    s.foliageTint = {0.0f, 0.02f, 0.01f};
    s.rockTint = {0.02f, 0.02f, 0.03f};
    s.lights = {{150.0f, 40.0f, {0.66f, 0.64f, 0.58f}}, {-30.0f, 30.0f, {0.06f, 0.08f, 0.12f}}};
    s.sky.zenith = {0.14f, 0.34f, 0.8f};
    s.sky.horizon = {0.62f, 0.75f, 0.92f};
    s.sky.cloudCover = 0.35f;
    return s;
}

LevelStyle harbour() {
    LevelStyle s;
    s.name = "harbour";
    s.theme = LevelTheme::Harbour;
    GroundShape& g = s.ground;
    g.seed = 53;
    g.baseHeight = 0.5f;
    g.noiseAmplitude = 7.0f;
    g.noiseWavelength = 200.0f;
    g.rimHeight = 55.0f;
    g.rimInner = 260.0f;
    g.rimOuter = 460.0f;
    g.coast = Coast{true, {0.0f, 1.0f}, 88.0f, 35.0f, -2.0f, -10.0f, 15.0f};
    g.landforms = {hill({150, 190}, 75, 22), hill({-360, -200}, 150, 25), hill({320, -150}, 130, 20),
                   plateau({-110, 105}, {70, 26}, 0.6f, 8.0f)};
    s.surfaces = {inRegion("paving", {-180, 79}, {-40, 131}), steeperThan("rock", 0.8f),
                  inRegion("sand", {-600, 30}, {600, 600}, 1.3f), cover("grass")};
    s.tint.low = {0.03f, 0.04f, 0.0f};
    s.tint.high = {0.08f, 0.08f, 0.02f};
    s.tint.patch = {0.05f, 0.05f, 0.0f};
    s.tint.steep = {0.04f, 0.03f, 0.0f};
    s.tint.fields = {glm::vec3(0.0f), {0.06f, 0.06f, 0.0f}, {0.1f, 0.08f, 0.02f}};
    s.tint.fieldSize = 80.0f;
    s.water.shallow = {0.12f, 0.22f, 0.16f};
    s.water.deep = {0.0f, 0.0f, 0.02f};
    s.textures = {
        texture("grass", TexturePattern::Grass, {0.22f, 0.4f, 0.12f}, {0.46f, 0.64f, 0.26f}),
        texture("sand", TexturePattern::Sand, {0.7f, 0.62f, 0.45f}, {0.93f, 0.87f, 0.68f}),
        texture("paving", TexturePattern::Paving, {0.38f, 0.37f, 0.36f}, {0.66f, 0.64f, 0.6f}),
        texture("rock", TexturePattern::Rock, {0.34f, 0.33f, 0.32f}, {0.64f, 0.62f, 0.6f}),
        texture("water", TexturePattern::Water, {0.04f, 0.2f, 0.36f}, {0.24f, 0.5f, 0.66f}),
        texture("leaves", TexturePattern::Leaves, {0.08f, 0.24f, 0.06f}, {0.32f, 0.52f, 0.16f}),
        texture("planks", TexturePattern::Planks, {0.3f, 0.22f, 0.15f}, {0.58f, 0.46f, 0.34f}),
        texture("roof", TexturePattern::Roof, {0.42f, 0.14f, 0.09f}, {0.76f, 0.32f, 0.2f}),
        texture("brick", TexturePattern::Brick, {0.42f, 0.2f, 0.13f}, {0.72f, 0.42f, 0.3f}),
        texture("lighthouse", TexturePattern::Stripes, {0.78f, 0.1f, 0.1f}, {0.96f, 0.95f, 0.92f}),
    };
    addDaytimeProps(s);
    s.scatter = {within(scatter(PropKind::Broadleaf, 32, 0.2f, 0.8f, 0.8f, 1.3f), 1, 60, 0.45f),
                 within(scatter(PropKind::Bush, 26, -0.1f, 0.5f, 0.7f, 1.2f), 0.5f, 60, 0.6f),
                 within(scatter(PropKind::Boulder, 26, -0.1f, 0.45f, 1.6f, 2.6f), -1, 4, 0.9f),
                 within(scatter(PropKind::Flowers, 40, -0.2f, 0.4f, 0.8f, 1.2f), 1, 40, 0.3f)};
    s.foliageTint = {0.02f, 0.03f, 0.0f};
    s.lights = {{120.0f, 45.0f, {0.66f, 0.63f, 0.54f}}, {-60.0f, 30.0f, {0.06f, 0.08f, 0.12f}}};
    s.sky.zenith = {0.16f, 0.44f, 0.9f};
    s.sky.horizon = {0.64f, 0.79f, 0.94f};
    s.sky.cloudCover = 0.5f;
    return s;
}

LevelStyle nightfall() {
    LevelStyle s;
    s.name = "nightfall";
    s.theme = LevelTheme::Nightfall;
    GroundShape& g = s.ground;
    g.seed = 71;
    g.noiseAmplitude = 8.0f;
    g.noiseWavelength = 230.0f;
    g.rimHeight = 55.0f;
    g.rimInner = 310.0f;
    g.rimOuter = 470.0f;
    g.landforms = {plateau({0, 140}, {128, 70}, 0.0f, 25.0f), plateau({-226, 40}, {52, 205}, 0.0f, 30.0f),
                   plateau({226, 40}, {52, 205}, 0.0f, 30.0f), hill({-360, 330}, 140, 30), hill({300, 360}, 130, 26)};
    s.surfaces = {inRegion("paving", {-128, 70}, {128, 210}),
                  inRegion("paving", {-96, -150}, {96, 40}),
                  inRegion("paving", {-238, -165}, {-214, 245}),
                  inRegion("paving", {214, -165}, {238, 245}),
                  steeperThan("rock", 0.8f),
                  cover("grass")};
    s.tint.low = {0.0f, 0.01f, 0.02f};
    s.tint.high = {0.02f, 0.0f, 0.04f};
    s.tint.patch = {0.0f, 0.02f, 0.02f};
    s.textures = {
        texture("grass", TexturePattern::Grass, {0.17f, 0.27f, 0.24f}, {0.34f, 0.46f, 0.4f}),
        texture("paving", TexturePattern::Paving, {0.34f, 0.32f, 0.37f}, {0.6f, 0.56f, 0.6f}),
        texture("rock", TexturePattern::Rock, {0.26f, 0.25f, 0.3f}, {0.5f, 0.48f, 0.55f}),
        texture("leaves", TexturePattern::Leaves, {0.05f, 0.12f, 0.08f}, {0.16f, 0.27f, 0.16f}),
        texture("bark", TexturePattern::Bark, {0.12f, 0.08f, 0.06f}, {0.3f, 0.22f, 0.16f}),
        texture("planks", TexturePattern::Planks, {0.26f, 0.18f, 0.12f}, {0.5f, 0.38f, 0.28f}),
        texture("roof", TexturePattern::Roof, {0.16f, 0.12f, 0.18f}, {0.36f, 0.3f, 0.4f}),
        texture("brick", TexturePattern::Brick, {0.32f, 0.22f, 0.22f}, {0.56f, 0.42f, 0.4f}),
        texture("windows", TexturePattern::Windows, {0.22f, 0.13f, 0.05f}, {1.0f, 0.82f, 0.5f}),
        texture("metal", TexturePattern::Metal, {0.12f, 0.12f, 0.15f}, {0.36f, 0.36f, 0.42f}),
        texture("stripes", TexturePattern::Stripes, {0.66f, 0.1f, 0.14f}, {0.92f, 0.86f, 0.7f}),
        texture("glow", TexturePattern::Glow, {0.85f, 0.85f, 0.85f}, {1.0f, 1.0f, 1.0f}),
    };
    s.scatter = {within(scatter(PropKind::Broadleaf, 30, 0.2f, 0.85f, 0.8f, 1.3f), -5, 60, 0.5f),
                 within(scatter(PropKind::Bush, 28, -0.1f, 0.5f, 0.7f, 1.2f), -5, 60, 0.6f)};
    s.lights = {{-25.0f, 6.0f, {0.42f, 0.22f, 0.12f}}, {150.0f, 50.0f, {0.16f, 0.18f, 0.32f}}};
    // Blue fog veils the low sky, so the dusk keeps red above green there.
    s.sky.zenith = {0.1f, 0.05f, 0.26f};
    s.sky.horizon = {0.95f, 0.36f, 0.42f};
    s.sky.below = {0.25f, 0.12f, 0.2f};
    s.sky.glow = {0.62f, 0.18f, 0.05f};
    s.sky.glowDegrees = 28.0f;
    s.sky.cloud = {0.45f, 0.25f, 0.38f};
    s.sky.cloudCover = 0.25f;
    s.sky.stars = true;
    s.sky.sunDegrees = 0.0f;
    return s;
}

}  // namespace

const std::vector<LevelStyle>& levelStyles() {
    static const std::vector<LevelStyle> styles{meadow(), canyon(), alpine(), harbour(), nightfall()};
    return styles;
}

const LevelStyle* findLevelStyle(const std::string& name) {
    for (const LevelStyle& style : levelStyles()) {
        if (style.name == name) return &style;
    }
    return nullptr;
}

glm::ivec2 fieldCell(const GroundTint& tint, glm::vec2 p) {
    const float a = glm::radians(tint.fieldAngle);
    const glm::vec2 q(p.x * std::cos(a) + p.y * std::sin(a), -p.x * std::sin(a) + p.y * std::cos(a));
    return {static_cast<int>(std::floor(q.x / tint.fieldSize)), static_cast<int>(std::floor(q.y / tint.fieldSize))};
}

glm::vec2 fieldToWorld(const GroundTint& tint, glm::vec2 q) {
    const float a = glm::radians(tint.fieldAngle);
    return {q.x * std::cos(a) - q.y * std::sin(a), q.x * std::sin(a) + q.y * std::cos(a)};
}

glm::vec3 fieldTint(const GroundTint& tint, uint32_t seed, glm::vec2 p) {
    if (tint.fields.empty()) return glm::vec3(0.0f);
    const glm::ivec2 cell = fieldCell(tint, p);
    return tint.fields[hashPoint(cell.x, cell.y, seed) % tint.fields.size()];
}

FlatZone startZone(const LevelStyle& style) {
    FlatZone zone;
    zone.centre = {style.start.x, style.start.z};
    zone.halfSize = style.startHalfSize;
    zone.height = style.start.y;
    return zone;
}

}  // namespace assetgen::levels
