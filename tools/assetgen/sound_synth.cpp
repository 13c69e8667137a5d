// The synthesis toolkit: oscillators, envelopes and looped filters.
#include "sound_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetgen {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// A level this far below a note's peak (-60 dB) counts as silence: where
// note tails stop.
constexpr double kSilentLevel = 1e-3;
// Laps of a recursive filter around a loop before its output is kept.
constexpr int kSettlingLaps = 1;

size_t wrapped(long long index, size_t size)
{
    const auto n = static_cast<long long>(size);
    return static_cast<size_t>(((index % n) + n) % n);
}

// exp(-1 / (seconds * rate)): the per-sample factor of an exponential decay.
double decayFactor(double seconds)
{
    return seconds > 0.0 ? std::exp(-1.0 / (seconds * kSoundRate)) : 0.0;
}

// Samples for a decay from 1 to silence with the given time constant.
long long tailSamples(double seconds)
{
    return static_cast<long long>(std::ceil(seconds * kSoundRate * std::log(1.0 / kSilentLevel)));
}

} // namespace

int samplesFor(double seconds)
{
    return static_cast<int>(std::lround(seconds * kSoundRate));
}

double noteHz(int midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

double loopFrequency(double hz, int samples)
{
    const double cycles = std::max(1.0, std::round(hz * samples / kSoundRate));
    return cycles * kSoundRate / samples;
}

NoiseSource::NoiseSource(uint64_t seed) : state_(seed != 0 ? seed : 0x9E3779B97F4A7C15ull) {}

double NoiseSource::next()
{
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    const uint64_t bits = (state_ * 0x2545F4914F6CDD1Dull) >> 11;  // 53 random bits
    return static_cast<double>(bits) / static_cast<double>(1ull << 52) - 1.0;
}

double NoiseSource::between(double low, double high)
{
    return low + (next() + 1.0) * 0.5 * (high - low);
}

int NoiseSource::pick(int count)
{
    return std::min(count - 1, static_cast<int>((next() + 1.0) * 0.5 * count));
}

Wavetable::Wavetable(std::initializer_list<double> harmonics) : table_(kSize + 1, 0.0)
{
    for (int i = 0; i <= kSize; ++i) {
        int k = 1;
        for (const double amplitude : harmonics) {
            table_[static_cast<size_t>(i)] += amplitude * std::sin(kTwoPi * k * i / kSize);
            ++k;
        }
    }
}

double Wavetable::at(double phase) const
{
    const double position = (phase - static_cast<double>(static_cast<long long>(phase))) * kSize;
    const auto index = static_cast<size_t>(position);
    const double fraction = position - static_cast<double>(index);
    return table_[index] + fraction * (table_[index + 1] - table_[index]);
}

void addNote(Signal& signal, const Note& note, const Wavetable& timbre, const Envelope& envelope,
             const Vibrato& vibrato)
{
    const long long start = std::llround(note.start * kSoundRate);
    const long long held = std::max(1LL, std::llround(note.length * kSoundRate));
    const long long total = held + tailSamples(envelope.release);
    const double attackSamples = std::max(1.0, envelope.attack * kSoundRate);
    const double decayStep = decayFactor(envelope.decay);
    const double releaseStep = decayFactor(envelope.release);
    double excess = 1.0 - envelope.sustain;  // above the sustain level, decaying
    double level = 0.0;
    double phase = 0.0;
    size_t at = wrapped(start, signal.size());
    for (long long i = 0; i < total; ++i, at = at + 1 == signal.size() ? 0 : at + 1) {
        const bool fading = i >= held || envelope.sustain < kSilentLevel;
        if (fading && i > attackSamples && level < kSilentLevel) {
            break;  // decayed or released into silence
        }
        if (i >= held) {
            level *= releaseStep;
        } else if (i < attackSamples) {
            level = (i + 1) / attackSamples;
        } else {
            excess *= decayStep;
            level = envelope.sustain + excess;
        }
        const double t = static_cast<double>(i) / kSoundRate;
        double bend = 1.0;
        if (vibrato.depth > 0.0 && t > vibrato.delay) {
            const double onset = std::min(1.0, (t - vibrato.delay) / 0.2);
            bend += vibrato.depth * onset * std::sin(kTwoPi * vibrato.rateHz * (t - vibrato.delay));
        }
        signal[at] += note.gain * level * timbre.at(phase);
        phase += note.hz * bend / kSoundRate;
        phase -= phase >= 1.0 ? 1.0 : 0.0;
    }
}

void addRing(Signal& signal, double start, double hz, double gain, double decaySeconds)
{
    const long long first = std::llround(start * kSoundRate);
    const long long total = tailSamples(decaySeconds);
    const double step = decayFactor(decaySeconds);
    double amplitude = gain;
    for (long long i = 0; i < total; ++i) {
        signal[wrapped(first + i, signal.size())] += amplitude * std::sin(kTwoPi * hz * i / kSoundRate);
        amplitude *= step;
    }
}

void lowPassLooped(Signal& signal, double cutoffHz)
{
    const double a = 1.0 - std::exp(-kTwoPi * cutoffHz / kSoundRate);
    double state = 0.0;
    for (int lap = 0; lap < kSettlingLaps; ++lap) {
        for (const double x : signal) {
            state += a * (x - state);
        }
    }
    for (double& x : signal) {
        state += a * (x - state);
        x = state;
    }
}

void highPassLooped(Signal& signal, double cutoffHz)
{
    Signal low = signal;
    lowPassLooped(low, cutoffHz);
    for (size_t i = 0; i < signal.size(); ++i) {
        signal[i] -= low[i];
    }
}

void bandPassLooped(Signal& signal, double centreHz, double q)
{
    // Biquad band-pass with 0 dB at the centre.
    const double omega = kTwoPi * centreHz / kSoundRate;
    const double alpha = std::sin(omega) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    const double b0 = alpha / a0;
    const double a1 = -2.0 * std::cos(omega) / a0;
    const double a2 = (1.0 - alpha) / a0;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    auto step = [&](double x) {
        const double y = b0 * (x - x2) - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    };
    for (int lap = 0; lap < kSettlingLaps; ++lap) {
        for (const double x : signal) {
            step(x);
        }
    }
    for (double& x : signal) {
        x = step(x);
    }
}

void echoLooped(Signal& signal, double delaySeconds, double feedback, double wet)
{
    const auto delay = static_cast<long long>(samplesFor(delaySeconds));
    Signal line(signal.size(), 0.0);
    // Each lap adds the echoes from one more time round the loop.
    for (int lap = 0; lap < 4; ++lap) {
        for (size_t n = 0; n < signal.size(); ++n) {
            const size_t from = wrapped(static_cast<long long>(n) - delay, signal.size());
            line[n] = signal[from] + feedback * line[from];
        }
    }
    for (size_t n = 0; n < signal.size(); ++n) {
        signal[n] += wet * line[n];
    }
}

void mixInto(Signal& target, const Signal& source, double gain, int offset)
{
    for (size_t i = 0; i < source.size(); ++i) {
        target[wrapped(offset + static_cast<long long>(i), target.size())] += gain * source[i];
    }
}

void normalise(Signal& signal, double peak)
{
    double largest = 0.0;
    for (const double x : signal) {
        largest = std::max(largest, std::abs(x));
    }
    if (largest > 0.0) {
        for (double& x : signal) {
            x *= peak / largest;
        }
    }
}

void fadeEnds(Signal& signal, double inSeconds, double outSeconds)
{
    const auto fadeIn = static_cast<size_t>(std::min<long long>(samplesFor(inSeconds), signal.size()));
    const auto fadeOut = static_cast<size_t>(std::min<long long>(samplesFor(outSeconds), signal.size()));
    for (size_t i = 0; i < fadeIn; ++i) {
        signal[i] *= static_cast<double>(i) / fadeIn;
    }
    for (size_t i = 0; i < fadeOut; ++i) {
        signal[signal.size() - 1 - i] *= static_cast<double>(i) / fadeOut;
    }
}

} // namespace assetgen
