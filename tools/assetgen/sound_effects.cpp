// Synthesis of the ride's effects. Every periodic part of a loop is chosen
// to fit the loop exactly (whole cycles, a click period that divides its
// length), and noise is filtered around the loop, so the loops have no seam.
#include "sound_effects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace assetgen {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

Signal whiteNoise(NoiseSource& rng, size_t samples)
{
    Signal noise(samples);
    for (double& x : noise) {
        x = rng.next();
    }
    return noise;
}

// A short burst of band-passed noise with a sharp attack and exponential decay.
Signal burst(NoiseSource& rng, double centreHz, double q, double decaySeconds)
{
    Signal noise = whiteNoise(rng, static_cast<size_t>(samplesFor(decaySeconds * 8.0)));
    bandPassLooped(noise, centreHz, q);
    const double step = std::exp(-1.0 / (decaySeconds * kSoundRate));
    double level = 1.0;
    for (size_t i = 0; i < noise.size(); ++i) {
        noise[i] *= level * std::min(1.0, static_cast<double>(i) / 8.0);
        level *= step;
    }
    return noise;
}

// A steady tone with whole cycles in the loop, its level swelling `wobbles`
// times per loop by `depth`.
void addLoopTone(Signal& signal, double hz, double gain, int wobbles, double depth)
{
    const auto length = static_cast<int>(signal.size());
    const double fitted = loopFrequency(hz, length);
    for (int i = 0; i < length; ++i) {
        const double swell = 1.0 + depth * std::sin(kTwoPi * wobbles * i / length);
        signal[static_cast<size_t>(i)] += gain * swell * std::sin(kTwoPi * fitted * i / kSoundRate);
    }
}

// Filtered noise bed for the whole loop.
Signal noiseBed(NoiseSource& rng, size_t samples, double lowPassHz, int passes)
{
    Signal bed = whiteNoise(rng, samples);
    for (int pass = 0; pass < passes; ++pass) {
        lowPassLooped(bed, lowPassHz);
    }
    normalise(bed, 1.0);
    return bed;
}

} // namespace

Signal synthesiseLiftChain()
{
    constexpr int kClicks = 18;
    constexpr int kClickPeriod = 1838;  // samples: 12 clicks a second
    Signal chain(static_cast<size_t>(kClicks) * kClickPeriod, 0.0);
    NoiseSource rng(0x11F7'C4A1ull);
    const double period = static_cast<double>(kClickPeriod) / kSoundRate;
    for (int click = 0; click < kClicks; ++click) {
        const double at = (click + 0.25) * period;  // the loop's seam falls between clicks
        const double strength = rng.between(0.9, 1.1);
        // The dog dropping into the ratchet: a hard tick, a ring of metal, a thunk.
        mixInto(chain, burst(rng, 3200.0, 0.9, 0.003), 0.8 * strength, samplesFor(at));
        addRing(chain, at, 2350.0, 0.22 * strength, 0.012);
        addRing(chain, at, 3720.0, 0.16 * strength, 0.008);
        addRing(chain, at, 160.0, 0.35 * strength, 0.02);
        // The chain links rattling half-way between ticks.
        mixInto(chain, burst(rng, 1800.0, 1.2, 0.004), 0.3 * strength, samplesFor(at + period / 2.0));
    }
    Signal rattle = noiseBed(rng, chain.size(), 2500.0, 1);
    highPassLooped(rattle, 900.0);
    for (size_t i = 0; i < chain.size(); ++i) {
        const double pulse = 0.5 + 0.5 * std::cos(kTwoPi * kClicks * 2.0 * i / chain.size());
        chain[i] += 0.06 * pulse * rattle[i];
    }
    addLoopTone(chain, 100.0, 0.05, 2, 0.1);
    addLoopTone(chain, 200.0, 0.025, 2, 0.1);
    normalise(chain, 0.8);
    return chain;
}

Signal synthesiseWoodenRun()
{
    const auto length = static_cast<size_t>(samplesFor(2.0));
    NoiseSource rng(0x300D'E11Eull);
    Signal run = noiseBed(rng, length, 140.0, 2);
    for (double& x : run) {
        x *= 0.5;
    }
    Signal body = noiseBed(rng, length, 420.0, 1);
    mixInto(run, body, 0.18);
    addLoopTone(run, 48.0, 0.2, 3, 0.3);
    addLoopTone(run, 73.0, 0.12, 4, 0.4);
    // Wheels crossing the timber joints: clack-clack every half second.
    for (int joint = 0; joint < 4; ++joint) {
        for (const double offset : {0.05, 0.125}) {
            const double at = joint * 0.5 + offset + rng.between(-0.004, 0.004);
            const double strength = rng.between(0.85, 1.15);
            mixInto(run, burst(rng, 1100.0, 1.0, 0.018), 0.5 * strength, samplesFor(at));
            addRing(run, at, 210.0, 0.3 * strength, 0.05);
            addRing(run, at, 390.0, 0.2 * strength, 0.035);
            addRing(run, at, 680.0, 0.12 * strength, 0.025);
        }
    }
    // Loose boards and bolts: small ticks scattered over the loop.
    for (int tick = 0; tick < 24; ++tick) {
        const double at = rng.between(0.0, 2.0);
        mixInto(run, burst(rng, rng.between(1800.0, 3200.0), 1.5, 0.006), rng.between(0.05, 0.14), samplesFor(at));
    }
    normalise(run, 0.8);
    return run;
}

Signal synthesiseSteelRun()
{
    const auto length = static_cast<size_t>(samplesFor(2.0));
    NoiseSource rng(0x57EE'1000ull);
    Signal run = noiseBed(rng, length, 180.0, 2);
    for (double& x : run) {
        x *= 0.45;
    }
    Signal rush = noiseBed(rng, length, 1400.0, 1);
    bandPassLooped(rush, 600.0, 0.5);
    mixInto(run, rush, 0.25);
    addLoopTone(run, 110.0, 0.18, 1, 0.2);
    addLoopTone(run, 220.0, 0.09, 2, 0.25);
    addLoopTone(run, 330.0, 0.04, 3, 0.3);
    addLoopTone(run, 1320.0, 0.012, 1, 0.5);
    // Rail joints are welded: only a soft tick once a second.
    for (int joint = 0; joint < 2; ++joint) {
        const double at = joint * 1.0 + 0.3;
        mixInto(run, burst(rng, 900.0, 1.0, 0.012), 0.12, samplesFor(at));
        addRing(run, at, 520.0, 0.05, 0.03);
    }
    normalise(run, 0.75);
    return run;
}

namespace {

// Formants of an open "ah" as it is screamed, with their bandwidths (Hz).
struct Formant {
    double hz;
    double width;
    double gain;
};
constexpr std::array<Formant, 3> kScreamFormants = {{{900.0, 130.0, 1.0}, {1400.0, 170.0, 0.7}, {2900.0, 260.0, 0.35}}};

double formantGain(double hz, double shift)
{
    double gain = 0.02;  // a little of everything between the formants
    for (const Formant& formant : kScreamFormants) {
        const double offset = (hz - formant.hz * shift) / formant.width;
        gain += formant.gain / (1.0 + offset * offset);
    }
    return gain;
}

// One screaming voice added to the crowd.
void addScreamer(Signal& crowd, NoiseSource& rng)
{
    const double onset = rng.between(0.0, 0.14);
    const double base = rng.between(480.0, 800.0);
    const double rise = rng.between(1.25, 1.45);
    const double riseTime = rng.between(0.12, 0.25);
    const double fall = rng.between(0.84, 0.92);
    const double vibratoHz = rng.between(5.0, 7.0);
    const double vibratoDepth = rng.between(0.015, 0.03);
    const double shift = rng.between(0.92, 1.08);  // each throat a little different
    const double gain = rng.between(0.6, 1.0);
    const double end = static_cast<double>(crowd.size()) / kSoundRate;
    double phase = 0.0;
    double jitter = 0.0;
    std::array<double, 16> harmonicGains{};
    for (size_t i = static_cast<size_t>(samplesFor(onset)); i < crowd.size(); ++i) {
        const double t = static_cast<double>(i) / kSoundRate - onset;
        const double shape = std::min(1.0, t / riseTime);
        const double glide = 1.0 + (rise - 1.0) * shape * shape * (3.0 - 2.0 * shape);
        const double tail = t / (end - onset);
        jitter += 0.02 * (rng.next() * 0.05 - jitter);  // slow random pitch wander
        const double hz = base * glide * (1.0 - (1.0 - fall) * tail * tail) *
                          (1.0 + vibratoDepth * std::sin(kTwoPi * vibratoHz * t) + jitter);
        if (i % 32 == 0) {
            for (size_t k = 0; k < harmonicGains.size(); ++k) {
                const double harmonic = hz * static_cast<double>(k + 1);
                harmonicGains[k] = harmonic < 9000.0 ? formantGain(harmonic, shift) / std::sqrt(k + 1.0) : 0.0;
            }
        }
        double voice = 0.0;
        for (size_t k = 0; k < harmonicGains.size(); ++k) {
            voice += harmonicGains[k] * std::sin(kTwoPi * phase * static_cast<double>(k + 1));
        }
        const double level = std::min(1.0, t / 0.06) * std::max(0.0, std::min(1.0, (end - 0.05 - t - onset) / 0.45));
        crowd[i] += gain * level * voice;
        phase += hz / kSoundRate;
        phase -= std::floor(phase);
    }
}

} // namespace

Signal synthesiseScream()
{
    Signal crowd(static_cast<size_t>(samplesFor(1.5)), 0.0);
    NoiseSource rng(0x5C2E'A300ull);
    for (int voice = 0; voice < 6; ++voice) {
        addScreamer(crowd, rng);
    }
    // Breath in the voices.
    Signal breath = whiteNoise(rng, crowd.size());
    bandPassLooped(breath, 2600.0, 0.8);
    for (size_t i = 0; i < crowd.size(); ++i) {
        const double t = static_cast<double>(i) / kSoundRate;
        crowd[i] += 0.35 * breath[i] * std::min(1.0, t / 0.08) * std::max(0.0, 1.0 - t / 1.45);
    }
    fadeEnds(crowd, 0.004, 0.06);
    normalise(crowd, 0.85);
    return crowd;
}

} // namespace assetgen
