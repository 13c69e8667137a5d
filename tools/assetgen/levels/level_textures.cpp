// Texture painters: each returns a blend factor (and sometimes a shade) per
// pixel; noise lattices wrap at the image edge so every texture tiles.
#include "levels/level_textures.h"

#include "levels/level_noise.h"

#include <algorithm>
#include <cmath>

namespace assetgen::levels {
namespace {

// A pixel's position in texture units (0..1) and the painter's inputs.
struct Sample {
    float u;
    float v;
    uint32_t seed;
};

// Tiling fractal noise in 0..1 with `cells` lattice cells across the image.
float tiled(const Sample& s, int cells, int octaves, uint32_t salt) {
    const float f = static_cast<float>(cells);
    return 0.5f + 0.5f * fractalNoise(s.u * f, s.v * f, s.seed + salt, octaves, cells);
}

float grain(const Sample& s, int size, uint32_t salt) {
    const auto x = static_cast<int32_t>(s.u * static_cast<float>(size));
    const auto y = static_cast<int32_t>(s.v * static_cast<float>(size));
    return static_cast<float>(hashPoint(x, y, s.seed + salt) & 0xFFFFu) / 65535.0f;
}

float grass(const Sample& s, int size) {
    const float patches = tiled(s, 4, 3, 1u);
    const float blades = tiled(s, 32, 2, 2u);
    return std::clamp(0.25f + 0.45f * patches + 0.3f * blades + 0.12f * (grain(s, size, 3u) - 0.5f), 0.0f, 1.0f);
}

float rock(const Sample& s, int size) {
    const float body = tiled(s, 4, 5, 4u);
    const float cracks = ridgedNoise(s.u * 6.0f, s.v * 6.0f, s.seed + 5u, 3, 6);
    return std::clamp(
        0.2f + 0.7f * body - 0.35f * smoothStep(0.8f, 0.98f, cracks) + 0.08f * (grain(s, size, 6u) - 0.5f), 0.0f, 1.0f);
}

// Cliff rock is mapped one tile (16 m) across by kCliffSpan (128 m) up, so
// its noise runs eight times finer in v to look the same both ways.
float strata(const Sample& s, int size) {
    const Sample square{s.u, s.v * 8.0f, s.seed};
    const float warp = 0.012f * fractalNoise(s.u * 2.0f, s.v * 16.0f, s.seed + 7u, 2, 2);
    const float bands = 0.5f + 0.5f * std::sin((s.v + warp) * 2.0f * 3.14159265f * 6.0f);
    const float fine = 0.5f + 0.5f * std::sin((s.v + warp * 2.0f) * 2.0f * 3.14159265f * 23.0f);
    return std::clamp(0.1f + 0.4f * bands + 0.15f * fine + 0.35f * tiled(square, 2, 4, 8u) +
                          0.06f * (grain(s, size, 9u) - 0.5f) - 0.05f,
                      0.0f, 1.0f);
}

float sand(const Sample& s, int size) {
    const float warp = 0.08f * fractalNoise(s.u * 3.0f, s.v * 3.0f, s.seed + 10u, 2, 3);
    const float ripples = 0.5f + 0.5f * std::sin((s.v + warp) * 2.0f * 3.14159265f * 9.0f);
    return std::clamp(0.3f + 0.35f * tiled(s, 4, 3, 11u) + 0.15f * ripples + 0.25f * (grain(s, size, 12u) - 0.5f), 0.0f,
                      1.0f);
}

float snow(const Sample& s, int size) {
    const float drift = tiled(s, 4, 4, 13u);
    const float sparkle = grain(s, size, 14u) > 0.985f ? 0.3f : 0.0f;
    return std::clamp(0.45f + 0.45f * drift + sparkle, 0.0f, 1.0f);
}

float water(const Sample& s, int) {
    const float swell = tiled(Sample{s.u, s.v * 2.0f, s.seed}, 4, 3, 15u);
    const float ripples = ridgedNoise(s.u * 8.0f, s.v * 16.0f, s.seed + 16u, 2, 8);
    return std::clamp(0.2f + 0.5f * swell + 0.4f * smoothStep(0.7f, 1.0f, ripples), 0.0f, 1.0f);
}

float bark(const Sample& s, int size) {
    const float furrows = tiled(Sample{s.u * 4.0f, s.v, s.seed}, 4, 3, 17u);
    return std::clamp(0.15f + 0.8f * furrows + 0.1f * (grain(s, size, 18u) - 0.5f), 0.0f, 1.0f);
}

float leaves(const Sample& s, int size) {
    const float clumps = tiled(s, 8, 3, 19u);
    const float leaf = tiled(s, 32, 2, 20u);
    return std::clamp(
        0.1f + 0.5f * clumps + 0.45f * smoothStep(0.4f, 0.75f, leaf) + 0.1f * (grain(s, size, 21u) - 0.5f), 0.0f, 1.0f);
}

float needles(const Sample& s, int size) {
    const float streaks = tiled(Sample{s.u * 4.0f, s.v, s.seed}, 8, 2, 22u);
    return std::clamp(0.15f + 0.45f * tiled(s, 4, 3, 23u) + 0.4f * streaks + 0.1f * (grain(s, size, 24u) - 0.5f), 0.0f,
                      1.0f);
}

// Rows of boards with seams, each board its own shade and grain.
float planks(const Sample& s, int size) {
    constexpr float kRows = 8.0f;
    const float row = std::floor(s.v * kRows);
    const float within = s.v * kRows - row;
    const float shade = static_cast<float>(hashPoint(static_cast<int32_t>(row), 0, s.seed + 25u) & 255u) / 255.0f;
    const float grainLines = tiled(Sample{s.u, s.v * 8.0f, s.seed}, 8, 2, 26u);
    const float seam = within < 0.08f ? 0.45f : 0.0f;
    return std::clamp(0.3f + 0.3f * shade + 0.35f * grainLines - seam + 0.06f * (grain(s, size, 27u) - 0.5f), 0.0f,
                      1.0f);
}

// Staggered rectangles with dark gaps: roof tiles (tall, shaded top to
// bottom), bricks (wide, flat) or paving stones (square).
float blocks(const Sample& s, int size, float columns, float rows, float gap, bool shaded, uint32_t salt) {
    const float row = std::floor(s.v * rows);
    const float offset = std::fmod(row, 2.0f) * 0.5f;
    const float column = std::floor(s.u * columns + offset);
    const float fu = s.u * columns + offset - column;
    const float fv = s.v * rows - row;
    const auto id = hashPoint(static_cast<int32_t>(column), static_cast<int32_t>(row), s.seed + salt);
    const float shade = static_cast<float>(id & 255u) / 255.0f;
    const float edge = std::min({fu, 1.0f - fu, fv, 1.0f - fv});
    const float mortar = edge < gap ? 0.55f : 0.0f;
    const float gradient = shaded ? 0.3f * fv : 0.0f;
    return std::clamp(0.35f + 0.3f * shade + gradient - mortar + 0.08f * (grain(s, size, salt + 1u) - 0.5f), 0.0f,
                      1.0f);
}

float metal(const Sample& s, int size) {
    const float brushed = tiled(Sample{s.u, s.v * 8.0f, s.seed}, 4, 1, 28u);
    return std::clamp(0.4f + 0.3f * brushed + 0.2f * tiled(s, 4, 2, 29u) + 0.05f * (grain(s, size, 30u) - 0.5f), 0.0f,
                      1.0f);
}

float stripes(const Sample& s, int size) {
    const float band = std::fmod(std::floor(s.u * 8.0f), 2.0f);
    return std::clamp(band * 0.85f + 0.1f * tiled(s, 16, 2, 31u) + 0.05f * grain(s, size, 32u), 0.0f, 1.0f);
}

// Four panes per tile: warm light, darker frame bars and sill.
float windows(const Sample& s, int) {
    const float fu = std::fmod(s.u * 2.0f, 1.0f);
    const float fv = std::fmod(s.v * 2.0f, 1.0f);
    const bool frame = fu < 0.1f || fu > 0.9f || fv < 0.1f || fv > 0.9f;
    if (frame) return 0.0f;
    return 0.75f + 0.25f * (1.0f - fv);
}

float glow(const Sample& s, int) {
    const float du = s.u - 0.5f, dv = s.v - 0.5f;
    return 1.0f - 0.3f * std::min(1.0f, 4.0f * (du * du + dv * dv));
}

float petals(const Sample& s, int) {
    const float du = s.u - 0.5f, dv = s.v - 0.5f;
    const float r = std::sqrt(du * du + dv * dv);
    return r < 0.12f ? 1.0f : 0.55f + 0.35f * smoothStep(0.5f, 0.15f, r);
}

float blendAt(const TextureRecipe& recipe, const Sample& s) {
    const int n = recipe.size;
    switch (recipe.pattern) {
        case TexturePattern::Grass: return grass(s, n);
        case TexturePattern::Rock: return rock(s, n);
        case TexturePattern::Strata: return strata(s, n);
        case TexturePattern::Sand: return sand(s, n);
        case TexturePattern::Snow: return snow(s, n);
        case TexturePattern::Water: return water(s, n);
        case TexturePattern::Bark: return bark(s, n);
        case TexturePattern::Leaves: return leaves(s, n);
        case TexturePattern::Needles: return needles(s, n);
        case TexturePattern::Planks: return planks(s, n);
        case TexturePattern::Roof: return blocks(s, n, 6.0f, 8.0f, 0.06f, true, 33u);
        case TexturePattern::Brick: return blocks(s, n, 4.0f, 12.0f, 0.07f, false, 35u);
        case TexturePattern::Paving: return blocks(s, n, 8.0f, 8.0f, 0.05f, false, 37u);
        case TexturePattern::Metal: return metal(s, n);
        case TexturePattern::Stripes: return stripes(s, n);
        case TexturePattern::Windows: return windows(s, n);
        case TexturePattern::Glow: return glow(s, n);
        case TexturePattern::Petals: return petals(s, n);
    }
    return 0.5f;
}

}  // namespace

uint8_t toByte(float channel) {
    return static_cast<uint8_t>(std::lround(std::clamp(channel, 0.0f, 1.0f) * 255.0f));
}

engine::Image paintTexture(const TextureRecipe& recipe, uint32_t seed) {
    engine::Image image;
    image.resize(recipe.size, recipe.size);
    const float scale = 1.0f / static_cast<float>(recipe.size);
    for (int y = 0; y < recipe.size; ++y) {
        for (int x = 0; x < recipe.size; ++x) {
            const Sample s{(static_cast<float>(x) + 0.5f) * scale, (static_cast<float>(y) + 0.5f) * scale, seed};
            const glm::vec3 colour = glm::mix(recipe.dark, recipe.light, blendAt(recipe, s));
            uint8_t* p = image.pixel(x, y);
            p[0] = toByte(colour.r);
            p[1] = toByte(colour.g);
            p[2] = toByte(colour.b);
            p[3] = 255;
        }
    }
    return image;
}

}  // namespace assetgen::levels
