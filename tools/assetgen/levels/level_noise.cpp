// Fixed-seed random numbers and gradient noise for the level generator.
#include "levels/level_noise.h"

#include <algorithm>
#include <cmath>

namespace assetgen::levels {
namespace {

// Quintic fade: continuous slope and curvature across lattice cells.
float fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

int wrap(int value, int period) {
    if (period <= 0) return value;
    const int r = value % period;
    return r < 0 ? r + period : r;
}

// The dot product of the lattice point's gradient with the offset (dx, dy).
// Eight gradient directions keep the hash to a few bits.
float gradientDot(int32_t x, int32_t y, uint32_t seed, float dx, float dy) {
    constexpr float kDiagonal = 0.70710678f;
    static constexpr float kGx[8] = {1.0f, -1.0f, 0.0f, 0.0f, kDiagonal, -kDiagonal, kDiagonal, -kDiagonal};
    static constexpr float kGy[8] = {0.0f, 0.0f, 1.0f, -1.0f, kDiagonal, kDiagonal, -kDiagonal, -kDiagonal};
    const uint32_t h = hashPoint(x, y, seed) & 7u;
    return kGx[h] * dx + kGy[h] * dy;
}

}  // namespace

uint64_t Random::next() {
    state_ += 0x9E3779B97F4A7C15ull;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float Random::uniform() {
    return static_cast<float>(next() >> 40) / static_cast<float>(1u << 24);
}

float Random::range(float low, float high) {
    return low + (high - low) * uniform();
}

int Random::below(int count) {
    return count <= 0 ? 0 : static_cast<int>(next() % static_cast<uint64_t>(count));
}

uint32_t hashPoint(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = seed * 0x27D4EB2Du;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
    h = (h ^ (h >> 15)) * 0xC2B2AE35u;
    h ^= static_cast<uint32_t>(y) * 0x165667B1u;
    h = (h ^ (h >> 13)) * 0x85EBCA6Bu;
    return h ^ (h >> 16);
}

float gradientNoise(float x, float y, uint32_t seed, int period) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const float dx = x - fx;
    const float dy = y - fy;
    const int x0 = wrap(ix, period), x1 = wrap(ix + 1, period);
    const int y0 = wrap(iy, period), y1 = wrap(iy + 1, period);
    const float n00 = gradientDot(x0, y0, seed, dx, dy);
    const float n10 = gradientDot(x1, y0, seed, dx - 1.0f, dy);
    const float n01 = gradientDot(x0, y1, seed, dx, dy - 1.0f);
    const float n11 = gradientDot(x1, y1, seed, dx - 1.0f, dy - 1.0f);
    const float u = fade(dx);
    const float v = fade(dy);
    const float bottom = n00 + (n10 - n00) * u;
    const float top = n01 + (n11 - n01) * u;
    // 2D gradient noise peaks near +-0.7; scale it to about +-1.
    return std::clamp((bottom + (top - bottom) * v) * 1.4f, -1.0f, 1.0f);
}

float fractalNoise(float x, float y, uint32_t seed, int octaves, int period) {
    float sum = 0.0f;
    float weight = 1.0f;
    float total = 0.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * gradientNoise(x, y, seed + static_cast<uint32_t>(octave) * 101u, period);
        total += weight;
        weight *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
        period *= 2;
    }
    return total > 0.0f ? sum / total : 0.0f;
}

float ridgedNoise(float x, float y, uint32_t seed, int octaves, int period) {
    float sum = 0.0f;
    float weight = 1.0f;
    float total = 0.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        const float n = 1.0f - std::abs(gradientNoise(x, y, seed + static_cast<uint32_t>(octave) * 131u, period));
        sum += weight * n * n;
        total += weight;
        weight *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
        period *= 2;
    }
    return total > 0.0f ? sum / total : 0.0f;
}

float smoothStep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

}  // namespace assetgen::levels
