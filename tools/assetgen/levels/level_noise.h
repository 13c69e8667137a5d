// Deterministic randomness for the levels: a small fixed-seed generator and
// gradient noise, optionally tiling, summed into fractal noise. Everything
// here is pure integer hashing and float arithmetic, so every run of the
// generator makes the same landscapes byte for byte.
#pragma once

#include <cstdint>

namespace assetgen::levels {

// splitmix64: tiny, fast, and good enough for scattering scenery.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next();
    float uniform();                     // [0, 1)
    float range(float low, float high);  // [low, high)
    int below(int count);                // [0, count)

private:
    uint64_t state_;
};

// A well-mixed 32-bit hash of a lattice point and a seed.
uint32_t hashPoint(int32_t x, int32_t y, uint32_t seed);

// Gradient noise in about [-1, 1] with unit lattice spacing. period > 0 wraps
// the lattice every period cells, so a texture of that many cells tiles.
float gradientNoise(float x, float y, uint32_t seed, int period = 0);

// Octaves of gradient noise, each twice the frequency and half the weight,
// normalised to about [-1, 1]. With period > 0 every octave tiles.
float fractalNoise(float x, float y, uint32_t seed, int octaves, int period = 0);

// Ridged noise in [0, 1]: sharp crests where the noise crosses zero, for
// mountain ridges and rock veins.
float ridgedNoise(float x, float y, uint32_t seed, int octaves, int period = 0);

// Smooth 0..1 ramp between edge0 and edge1.
float smoothStep(float edge0, float edge1, float x);

}  // namespace assetgen::levels
