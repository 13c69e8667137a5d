// Sky dome geometry and its painted texture. The texture is laid out as
// longitude (u, from +Z towards +X) by the dome's parametric elevation (v,
// zenith at the top row). Colours are worked out for the direction a player
// at the station sees each texel in, and pre-brightened against the game's
// distance fog (sky blue, from 270 m to full at 900 m) so the sky keeps its
// colour through it as far as the fog allows.
#include "levels/sky_dome.h"

#include "levels/level_noise.h"
#include "levels/level_textures.h"
#include "levels/mesh_builder.h"
#include "levels/prop_shapes.h"

#include <algorithm>
#include <cmath>

namespace assetgen::levels {
namespace {

constexpr float kPi = 3.14159265f;
constexpr int kSkySize = 256;
constexpr int kSegments = 32;
constexpr float kSkirtDegrees = -16.0f;  // the dome's lowest parametric elevation
constexpr float kRingDegrees[] = {-16.0f, -6.0f, -2.0f, 0.0f,  2.0f,  5.0f,  9.0f, 14.0f,
                                  20.0f,  28.0f, 38.0f, 50.0f, 63.0f, 77.0f, 90.0f};
const glm::vec3 kFogColour{96.0f / 255.0f, 150.0f / 255.0f, 210.0f / 255.0f};
constexpr float kFogStart = 270.0f;
constexpr float kFogEnd = 900.0f;
constexpr float kLeastFogKept = 0.6f;
const glm::vec3 kViewer{0.0f, 7.0f, -78.0f};  // the camera's first spot at the station
constexpr int kStarCount = 150;

glm::vec3 domePoint(const SkyDomeShape& shape, float azimuthDegrees, float elevationDegrees) {
    const float a = glm::radians(azimuthDegrees);
    const float e = glm::radians(elevationDegrees);
    return {shape.radius * std::cos(e) * std::sin(a), shape.height * std::sin(e),
            shape.radius * std::cos(e) * std::cos(a)};
}

float vForElevation(float degrees) {
    return (90.0f - degrees) / (90.0f - kSkirtDegrees);
}

glm::vec3 skyColour(const LevelStyle& style, const glm::vec3& view, const glm::vec3& toSun) {
    const SkyLook& sky = style.sky;
    const float elevation = glm::degrees(std::asin(std::clamp(view.y, -1.0f, 1.0f)));
    glm::vec3 colour;
    if (elevation >= 0.0f) {
        colour = glm::mix(sky.zenith, sky.horizon, std::pow(1.0f - elevation / 90.0f, 4.0f));
    } else {
        colour = glm::mix(sky.horizon, sky.below, smoothStep(0.0f, -6.0f, elevation));
    }
    const float gamma = glm::degrees(std::acos(std::clamp(glm::dot(view, toSun), -1.0f, 1.0f)));
    const float g = gamma / sky.glowDegrees;
    colour += sky.glow * (0.75f * std::exp(-g * g) + 0.25f * std::exp(-gamma / (3.0f * sky.glowDegrees)));
    if (gamma < sky.sunDegrees) colour = glm::vec3(1.0f, 1.0f, 0.92f);
    return colour;
}

// Cloud cover at a texel: stretched tiling noise, thinning towards the zenith
// and gone below the horizon.
float cloudAt(const LevelStyle& style, float u, float v, float elevation) {
    if (style.sky.cloudCover <= 0.0f || elevation < 1.0f) return 0.0f;
    const float n = 0.5f + 0.5f * fractalNoise(u * 12.0f, v * 6.0f, style.ground.seed + 61u, 5, 12);
    const float threshold = 1.0f - 0.55f * style.sky.cloudCover;
    const float fade = smoothStep(1.0f, 8.0f, elevation) * (1.0f - smoothStep(55.0f, 85.0f, elevation));
    return smoothStep(threshold - 0.08f, threshold + 0.12f, n) * fade;
}

// The texel that shows `wanted` once fog of the given strength is laid over
// it. Seen from nearer the dome's edge the fog is thinner, so the allowance
// is capped: the low sky must not turn white there.
glm::vec3 againstFog(const glm::vec3& wanted, float distance) {
    const float keep = std::clamp((kFogEnd - distance) / (kFogEnd - kFogStart), kLeastFogKept, 1.0f);
    return glm::clamp((wanted - (1.0f - keep) * kFogColour) / keep, glm::vec3(0.0f), glm::vec3(1.0f));
}

}  // namespace

glm::vec3 sunDirection(const SunLight& sun) {
    const float a = glm::radians(sun.azimuth);
    const float e = glm::radians(sun.elevation);
    return -glm::vec3(std::cos(e) * std::sin(a), std::sin(e), std::cos(e) * std::cos(a));
}

SkyDomeShape skyDomeFor(const HeightGrid& ground) {
    SkyDomeShape shape;
    constexpr float kClearance = 20.0f;
    for (int j = 0; j < ground.samples(); ++j) {
        for (int i = 0; i < ground.samples(); ++i) {
            const glm::vec3 p = ground.point(i, j);
            const float r = glm::length(glm::vec2(p.x, p.z)) / shape.radius;
            if (r >= 0.95f) continue;  // behind the rim: out of sight
            const float needed = (p.y - shape.centre.y + kClearance) / std::sqrt(1.0f - r * r);
            shape.height = std::max(shape.height, needed);
        }
    }
    return shape;
}

// Stars as small unlit squares just inside the dome, each turned to face the
// station (single texels of the dome texture would smear into streaks).
std::unique_ptr<engine::Geometry> buildStars(const LevelStyle& style, const SkyDomeShape& shape) {
    MeshBuilder b(false);
    const uint32_t material = b.material("glow");
    Random random(style.ground.seed * 13u + 5u);
    for (int k = 0; k < kStarCount; ++k) {
        const float azimuth = random.range(0.0f, 360.0f);
        const float elevation = glm::degrees(std::asin(random.range(std::sin(glm::radians(16.0f)), 0.99f)));
        const glm::vec3 p = domePoint(shape, azimuth, elevation) * 0.97f;
        const glm::vec3 toViewer = glm::normalize(kViewer - shape.centre - p);
        const glm::vec3 side = glm::normalize(glm::cross(glm::vec3(0, 1, 0), toViewer));
        const glm::vec3 up = glm::cross(toViewer, side);
        const float size = glm::length(p + shape.centre - kViewer) * random.range(0.0025f, 0.0045f);
        const float fade = smoothStep(16.0f, 40.0f, elevation);
        const engine::Colour colour = prelitColour(glm::vec3(random.range(0.6f, 1.0f) * (0.5f + 0.5f * fade)));
        const glm::vec2 corners[4] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        uint32_t ids[4];
        for (int c = 0; c < 4; ++c) {
            const glm::vec3 q = p + (side * corners[c].x + up * corners[c].y) * size;
            ids[c] = b.addVertex(Vertex{q, {0, 1, 0}, (corners[c] + 1.0f) * 0.5f, colour});
        }
        b.addTriangle(material, ids[0], ids[1], ids[2]);
        b.addTriangle(material, ids[0], ids[2], ids[3]);
    }
    return b.finish();
}

std::unique_ptr<engine::Clump> buildSkyModel(const LevelStyle& style, const SkyDomeShape& shape) {
    MeshBuilder b(false);
    const uint32_t material = b.material(kSkyTexture);
    const engine::Colour white{255, 255, 255, 255};
    constexpr int kRings = static_cast<int>(std::size(kRingDegrees));
    std::vector<uint32_t> ids;
    for (int r = 0; r < kRings; ++r) {
        for (int s = 0; s <= kSegments; ++s) {
            const float u = static_cast<float>(s) / kSegments;
            // At the zenith each segment gets its own vertex at its middle.
            const float uAtPole = r == kRings - 1 ? (static_cast<float>(s) + 0.5f) / kSegments : u;
            const glm::vec3 p = domePoint(shape, 360.0f * u, kRingDegrees[r]);
            ids.push_back(
                b.addVertex(Vertex{p, {0, 1, 0}, {std::min(uAtPole, 1.0f), vForElevation(kRingDegrees[r])}, white}));
        }
    }
    const auto id = [&](int r, int s) {
        return ids[static_cast<size_t>(r) * (kSegments + 1) + static_cast<size_t>(s)];
    };
    for (int r = 0; r + 1 < kRings; ++r) {
        for (int s = 0; s < kSegments; ++s) {
            b.addTriangle(material, id(r, s), id(r + 1, s), id(r + 1, s + 1));
            b.addTriangle(material, id(r, s), id(r + 1, s + 1), id(r, s + 1));
        }
    }
    auto clump = std::make_unique<engine::Clump>();
    engine::Frame* root = clump->addFrame(nullptr);
    engine::Frame* frame = clump->addFrame(root);
    frame->name = "sky";
    clump->addAtomic(frame, b.finish());
    if (style.sky.stars) {
        engine::Frame* stars = clump->addFrame(root);
        stars->name = "stars";
        clump->addAtomic(stars, buildStars(style, shape));
    }
    return clump;
}

engine::Image paintSky(const LevelStyle& style, const SkyDomeShape& shape) {
    engine::Image image;
    image.resize(kSkySize, kSkySize);
    const glm::vec3 toSun = style.lights.empty() ? glm::vec3(0, 1, 0) : -sunDirection(style.lights.front());
    for (int y = 0; y < kSkySize; ++y) {
        const float v = (static_cast<float>(y) + 0.5f) / kSkySize;
        const float parametric = 90.0f - v * (90.0f - kSkirtDegrees);
        for (int x = 0; x < kSkySize; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / kSkySize;
            const glm::vec3 p = domePoint(shape, 360.0f * u, parametric) + shape.centre;
            const glm::vec3 view = glm::normalize(p - kViewer);
            const float elevation = glm::degrees(std::asin(std::clamp(view.y, -1.0f, 1.0f)));
            glm::vec3 colour = skyColour(style, view, toSun);
            const float cloud = cloudAt(style, u, v, elevation);
            const float lit = 0.8f + 0.2f * smoothStep(40.0f, 0.0f, elevation);
            colour = glm::mix(colour, style.sky.cloud * lit, cloud);
            colour = againstFog(colour, glm::length(p - kViewer));
            uint8_t* px = image.pixel(x, y);
            px[0] = toByte(colour.r);
            px[1] = toByte(colour.g);
            px[2] = toByte(colour.b);
            px[3] = 255;
        }
    }
    return image;
}

}  // namespace assetgen::levels
