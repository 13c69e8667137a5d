// Height functions of the level landscapes and their sampled grid.
#include "levels/height_field.h"

#include "levels/level_noise.h"

#include <algorithm>
#include <cmath>

namespace assetgen::levels {
namespace {

constexpr float kPi = 3.14159265f;
constexpr float kBehindRimDrop = 40.0f;  // metres the ground falls behind the rim's crest

// Benches and risers: most of each step is level, the last part climbs.
float terrace(float height, float step) {
    if (step <= 0.0f) return height;
    const float k = std::floor(height / step);
    const float f = height / step - k;
    return step * (k + smoothStep(0.55f, 1.0f, f));
}

float rimContribution(const GroundShape& shape, glm::vec2 p) {
    if (shape.rimHeight <= 0.0f) return 0.0f;
    // The rim's inner edge wanders so the horizon is not a perfect circle.
    const float wander = 45.0f * gradientNoise(p.x / 170.0f, p.y / 170.0f, shape.seed + 7u);
    const float r = glm::length(p) + wander;
    // Up to a crest, then down again behind it, so nothing beyond the crest
    // shows above it or reaches out through the sky dome.
    const float behind = smoothStep(shape.rimOuter + 30.0f, shape.rimOuter + 110.0f, r);
    const float ramp = smoothStep(shape.rimInner, shape.rimOuter, r) * (1.0f - behind);
    if (ramp <= 0.0f) return -kBehindRimDrop * behind;
    const float lumps = 0.7f + 0.3f * fractalNoise(p.x / 140.0f, p.y / 140.0f, shape.seed + 11u, 3);
    float rim = shape.rimHeight * ramp * lumps;
    rim += shape.ridgeAmplitude * ramp * ridgedNoise(p.x / 190.0f, p.y / 190.0f, shape.seed + 13u, 4);
    return terrace(rim, shape.terraceStep) - kBehindRimDrop * behind;
}

float coastHeight(const Coast& coast, uint32_t seed, glm::vec2 p, float land) {
    if (!coast.present) return land;
    const glm::vec2 along(coast.seaward.y, -coast.seaward.x);
    const float wobble = coast.wobble * fractalNoise(glm::dot(p, along) / 160.0f, 0.5f, seed + 17u, 3);
    const float out = glm::dot(p, coast.seaward) - (coast.shoreline + wobble);  // > 0 offshore
    // A gentle beach down to just below the water line, then a shelf to the sea floor.
    float profile = coast.seaLevel + 2.5f - 3.3f * smoothStep(-coast.beachWidth, 0.0f, out);
    if (out > 0.0f) profile += (coast.seaFloor - coast.seaLevel + 0.8f) * smoothStep(0.0f, 60.0f, out);
    const float landward = smoothStep(-coast.beachWidth - 40.0f, -coast.beachWidth, out);
    return land + (std::min(land, profile) - land) * landward;
}

// Mesa outline: a wobbly circle; inside flat, then a cliff, then a talus
// apron down to the plain.
float mesaProfile(const Landform& form, glm::vec2 p, uint32_t seed) {
    const glm::vec2 d = p - form.centre;
    const float angle = std::atan2(d.y, d.x);
    const float wobble =
        0.16f * gradientNoise(std::cos(angle) * 1.7f + form.centre.x, std::sin(angle) * 1.7f, seed + 19u);
    const float t = glm::length(d) / (form.radius * (1.0f + wobble));
    if (t <= 1.0f) return 1.0f;
    if (t <= 1.1f) return 1.0f - 0.45f * smoothStep(1.0f, 1.1f, t);
    return 0.55f * (1.0f - smoothStep(1.1f, 1.65f, t));
}

float addLandform(const GroundShape& shape, const Landform& form, glm::vec2 p, float h) {
    const float distance = glm::length(p - form.centre);
    switch (form.kind) {
        case LandformKind::Hill: {
            const float t = distance / form.radius;
            return t < 1.0f ? h + form.height * (0.5f + 0.5f * std::cos(kPi * t)) : h;
        }
        case LandformKind::Peak: {
            const float t = distance / form.radius;
            if (t >= 1.0f) return h;
            const float crag = 0.75f + 0.45f * ridgedNoise(p.x / 80.0f, p.y / 80.0f, shape.seed + 23u, 3);
            return h + form.height * std::pow(1.0f - t, 1.5f) * crag;
        }
        case LandformKind::Mesa: {
            const float top = terrace(form.height * mesaProfile(form, p, shape.seed), shape.terraceStep);
            return std::max(h, shape.baseHeight + top);
        }
        case LandformKind::Basin:
        case LandformKind::Plateau: break;
    }
    return h;
}

float carveChannel(const Channel& channel, glm::vec2 p, float h) {
    float nearest = 1e9f;
    for (size_t i = 0; i + 1 < channel.path.size(); ++i) {
        const glm::vec2 a = channel.path[i];
        const glm::vec2 ab = channel.path[i + 1] - a;
        const float t = std::clamp(glm::dot(p - a, ab) / std::max(glm::dot(ab, ab), 1e-6f), 0.0f, 1.0f);
        nearest = std::min(nearest, glm::length(p - (a + ab * t)));
    }
    return h - channel.depth * (1.0f - smoothStep(channel.width * 0.35f, channel.width, nearest));
}

float shapeBasin(const Landform& form, glm::vec2 p, float h) {
    const float distance = glm::length(p - form.centre);
    // Level the surroundings first so the water cannot spill downhill: fully
    // out to 1.3 radii, which is as far as the lake's water may reach.
    const float level = 1.0f - smoothStep(form.radius * 1.3f, form.radius * 2.2f, distance);
    h += (form.height - h) * level;
    const float t = distance / form.radius;
    const float bowl = form.height - form.depth * (1.0f - t * t);
    return t < 1.0f ? std::min(h, bowl) : h;
}

float rectangleDistance(glm::vec2 centre, glm::vec2 halfSize, glm::vec2 p) {
    const glm::vec2 outside = glm::max(glm::abs(p - centre) - halfSize, glm::vec2(0.0f));
    return glm::length(outside);
}

}  // namespace

float landscapeHeight(const GroundShape& shape, glm::vec2 p) {
    const float w = shape.noiseWavelength;
    float h = shape.baseHeight + shape.noiseAmplitude * fractalNoise(p.x / w, p.y / w, shape.seed, shape.noiseOctaves);
    float rim = rimContribution(shape, p);
    if (shape.coast.present) {
        // High ground only behind the shore: the sea stays open.
        const float out = glm::dot(p, shape.coast.seaward) - shape.coast.shoreline;
        rim *= 1.0f - smoothStep(-260.0f, -60.0f, out);
    }
    h = coastHeight(shape.coast, shape.seed, p, h + rim);
    for (const Landform& form : shape.landforms) h = addLandform(shape, form, p, h);
    for (const Channel& channel : shape.channels) h = carveChannel(channel, p, h);
    for (const Landform& form : shape.landforms) {
        if (form.kind == LandformKind::Basin) h = shapeBasin(form, p, h);
    }
    for (const Landform& form : shape.landforms) {
        if (form.kind != LandformKind::Plateau) continue;
        const float d = rectangleDistance(form.centre, form.halfSize, p);
        h += (form.height - h) * (1.0f - smoothStep(0.0f, form.radius, d));
    }
    return h;
}

float zoneDistance(const FlatZone& zone, glm::vec2 p) {
    return rectangleDistance(zone.centre, zone.halfSize, p);
}

float zoneWeight(const FlatZone& zone, glm::vec2 p) {
    const float d = zoneDistance(zone, p);
    if (d <= kFlatMargin) return 1.0f;
    return 1.0f - smoothStep(kFlatMargin, kFlatMargin + std::max(zone.blend, 1.0f), d);
}

HeightGrid::HeightGrid(const GroundShape& shape, const std::vector<FlatZone>& zones)
    : cell_(shape.cellSize), half_(shape.halfSize) {
    samples_ = static_cast<int>(std::lround(2.0f * half_ / cell_)) + 1;
    heights_.resize(static_cast<size_t>(samples_) * samples_);
    for (int j = 0; j < samples_; ++j) {
        for (int i = 0; i < samples_; ++i) {
            const glm::vec2 p(-half_ + cell_ * i, -half_ + cell_ * j);
            float h = landscapeHeight(shape, p);
            for (const FlatZone& zone : zones) {
                if (!zone.flatten) continue;
                const float weight = zoneWeight(zone, p);
                // Exactly the zone's height inside, not a rounding away from it.
                h = weight >= 1.0f ? zone.height : h + (zone.height - h) * weight;
            }
            heights_[static_cast<size_t>(j) * samples_ + i] = h;
        }
    }
    coarsen(shape, zones);
}

void HeightGrid::coarsen(const GroundShape& shape, const std::vector<FlatZone>& zones) {
    const int cells = (samples_ - 1) / 2;
    coarse_.assign(static_cast<size_t>(cells) * cells, false);
    const float inner = half_ - 2.0f * half_ / static_cast<float>(std::max(shape.sectorsPerSide, 1));
    const float big = 2.0f * cell_;
    for (int cj = 0; cj < cells; ++cj) {
        for (int ci = 0; ci < cells; ++ci) {
            const glm::vec2 centre(-half_ + big * (ci + 0.5f), -half_ + big * (cj + 0.5f));
            if (std::abs(centre.x) < inner && std::abs(centre.y) < inner) continue;
            // Level zones stay fine: coarse cells must not tilt their edges.
            const bool nearZone = std::any_of(zones.begin(), zones.end(), [&](const FlatZone& zone) {
                return zone.flatten && zoneDistance(zone, centre) < kFlatMargin + 2.0f * big;
            });
            if (nearZone) continue;
            coarse_[static_cast<size_t>(cj) * cells + ci] = true;
            const int i = 2 * ci, j = 2 * cj;
            const auto h = [&](int di, int dj) -> float& {
                return heights_[static_cast<size_t>(j + dj) * samples_ + (i + di)];
            };
            // The big cell splits along the same diagonal as the small ones.
            h(1, 0) = 0.5f * (h(0, 0) + h(2, 0));
            h(0, 1) = 0.5f * (h(0, 0) + h(0, 2));
            h(2, 1) = 0.5f * (h(2, 0) + h(2, 2));
            h(1, 2) = 0.5f * (h(0, 2) + h(2, 2));
            h(1, 1) = 0.5f * (h(0, 0) + h(2, 2));
        }
    }
}

bool HeightGrid::coarseCell(int ci, int cj) const {
    const int cells = (samples_ - 1) / 2;
    if (ci < 0 || cj < 0 || ci >= cells || cj >= cells) return false;
    return coarse_[static_cast<size_t>(cj) * cells + ci];
}

glm::vec3 HeightGrid::point(int i, int j) const {
    return {-half_ + cell_ * i, at(i, j), -half_ + cell_ * j};
}

float HeightGrid::heightAt(float x, float z) const {
    const float gx = std::clamp((x + half_) / cell_, 0.0f, static_cast<float>(samples_ - 1) - 1e-4f);
    const float gz = std::clamp((z + half_) / cell_, 0.0f, static_cast<float>(samples_ - 1) - 1e-4f);
    const int i = static_cast<int>(gx);
    const int j = static_cast<int>(gz);
    const float fx = gx - static_cast<float>(i);
    const float fz = gz - static_cast<float>(j);
    const float h00 = at(i, j), h10 = at(i + 1, j), h01 = at(i, j + 1), h11 = at(i + 1, j + 1);
    // Each cell is split along its (i, j)-(i+1, j+1) diagonal.
    if (fx >= fz) return h00 + (h10 - h00) * fx + (h11 - h10) * fz;
    return h00 + (h11 - h01) * fx + (h01 - h00) * fz;
}

float HeightGrid::lowestAround(float x, float z, float radius) const {
    float lowest = heightAt(x, z);
    for (int k = 0; k < 8; ++k) {
        const float a = static_cast<float>(k) * kPi / 4.0f;
        lowest = std::min(lowest, heightAt(x + radius * std::cos(a), z + radius * std::sin(a)));
    }
    return lowest;
}

glm::vec3 HeightGrid::normalAt(int i, int j) const {
    const int i0 = std::max(i - 1, 0), i1 = std::min(i + 1, samples_ - 1);
    const int j0 = std::max(j - 1, 0), j1 = std::min(j + 1, samples_ - 1);
    const float dx = (at(i1, j) - at(i0, j)) / (cell_ * static_cast<float>(i1 - i0));
    const float dz = (at(i, j1) - at(i, j0)) / (cell_ * static_cast<float>(j1 - j0));
    return glm::normalize(glm::vec3(-dx, 1.0f, -dz));
}

float HeightGrid::slopeAt(float x, float z) const {
    const float dx = heightAt(x + 1.0f, z) - heightAt(x - 1.0f, z);
    const float dz = heightAt(x, z + 1.0f) - heightAt(x, z - 1.0f);
    return 0.5f * std::sqrt(dx * dx + dz * dz);
}

}  // namespace assetgen::levels
