// Procedural textures of the levels: tiling noise patterns (grass, rock,
// sand, snow, water...) and simple man-made surfaces (planks, tiles, bricks,
// stripes), each blended between a dark and a light colour. Deterministic
// for a given seed; opaque RGBA.
#pragma once

#include "engine/image.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <string>

namespace assetgen::levels {

namespace engine = ::zr::engine;

enum class TexturePattern {
    Grass,
    Rock,
    Strata,  // horizontal rock layers, for cliffs mapped with v = height
    Sand,
    Snow,
    Water,
    Bark,
    Leaves,
    Needles,
    Planks,
    Roof,
    Brick,
    Paving,
    Metal,
    Stripes,  // awning and tent cloth: dark and light bands
    Windows,  // lit window panes in a frame
    Glow,     // near-white, for unlit lamps and bulbs tinted by prelit colour
    Petals,   // flower heads: white centre, light petals
};

struct TextureRecipe {
    std::string name;
    TexturePattern pattern = TexturePattern::Grass;
    glm::vec3 dark{0.2f};   // 0..1
    glm::vec3 light{0.8f};  // 0..1
    int size = 128;         // a power of two
};

engine::Image paintTexture(const TextureRecipe& recipe, uint32_t seed);

// Colour channel 0..1 to a byte, rounded and clamped.
uint8_t toByte(float channel);

}  // namespace assetgen::levels
