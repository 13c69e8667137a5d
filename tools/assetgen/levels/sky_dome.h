// The sky: a flattened dome round the level, unlit, with one texture that
// holds the colour gradient, the sun's glow, clouds (and stars at night).
// The dome encloses all the ground; its skirt reaches below the horizon so
// no background shows between hills and sky.
#pragma once

#include "engine/image.h"
#include "engine/scene.h"
#include "levels/height_field.h"
#include "levels/level_style.h"

#include <memory>

namespace assetgen::levels {

namespace engine = ::zr::engine;

// Where the dome sits and how big it is (metres). centre is the sky
// marker's position; the dome is built round its model origin.
struct SkyDomeShape {
    glm::vec3 centre{0.0f, -30.0f, 0.0f};
    float radius = 600.0f;  // horizontal, at the horizon
    float height = 320.0f;  // from the centre up to the zenith
};

constexpr const char* kSkyTexture = "skydome";

// Tall enough that every ground point inside the horizon lies under it.
SkyDomeShape skyDomeFor(const HeightGrid& ground);
// The dome (part "sky"), and for starry styles a part "stars".
std::unique_ptr<engine::Clump> buildSkyModel(const LevelStyle& style, const SkyDomeShape& shape);
engine::Image paintSky(const LevelStyle& style, const SkyDomeShape& shape);

// The direction light from the sun travels, for a light's azimuth and elevation.
glm::vec3 sunDirection(const SunLight& sun);

}  // namespace assetgen::levels
