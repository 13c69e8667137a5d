// Small synthesis toolkit for the generated music and sound effects: a
// seeded noise source, harmonic wavetables, note envelopes and filters.
//
// Everything works on a Signal (mono, kSoundRate Hz, nominally -1..1) and
// treats it as a loop: notes that run past the end continue at the start and
// the filters are run around the loop until their state has wrapped, so a
// looped file has no seam. Fixed seeds keep every run's bytes identical.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace assetgen {

inline constexpr int kSoundRate = 22050;  // Hz, for every generated sound

using Signal = std::vector<double>;

// Seconds to whole samples at kSoundRate.
int samplesFor(double seconds);
// Equal-tempered pitch of a MIDI note number (69 = A4 = 440 Hz).
double noteHz(int midiNote);
// The nearest frequency that fits a whole number of cycles into `samples`.
double loopFrequency(double hz, int samples);

// Deterministic noise (xorshift64*): the same seed gives the same sequence.
class NoiseSource {
public:
    explicit NoiseSource(uint64_t seed);
    // Uniform in [-1, 1).
    double next();
    // Uniform in [low, high).
    double between(double low, double high);
    // Uniform integer in [0, count).
    int pick(int count);

private:
    uint64_t state_;
};

// One cycle of a tone built from harmonic amplitudes (first = fundamental),
// read with linear interpolation; phase in cycles, >= 0.
class Wavetable {
public:
    explicit Wavetable(std::initializer_list<double> harmonics);
    double at(double phase) const;

private:
    static constexpr int kSize = 4096;
    std::vector<double> table_;
};

// Attack (linear), decay towards the sustain level, release after the note's
// length (both exponential, by time constants). Seconds throughout.
struct Envelope {
    double attack = 0.01;
    double decay = 0.2;
    double sustain = 0.7;
    double release = 0.2;
};

// One note of a pitched instrument.
struct Note {
    double start = 0.0;    // seconds from the start of the signal
    double length = 0.5;   // seconds until the release begins
    double hz = 440.0;
    double gain = 0.2;
};

// Vibrato: depth as a fraction of the pitch, after a delay in seconds.
struct Vibrato {
    double rateHz = 0.0;
    double depth = 0.0;
    double delay = 0.0;
};

// Adds a note into the loop (its tail wraps around the end).
void addNote(Signal& signal, const Note& note, const Wavetable& timbre, const Envelope& envelope,
             const Vibrato& vibrato = {});

// Adds a decaying sine (a struck resonance) at `start` seconds.
void addRing(Signal& signal, double start, double hz, double gain, double decaySeconds);

// Filters run around the loop: the first lap only settles the state.
void lowPassLooped(Signal& signal, double cutoffHz);
void highPassLooped(Signal& signal, double cutoffHz);
void bandPassLooped(Signal& signal, double centreHz, double q);
// A feedback echo `delaySeconds` later, mixed in at `wet`.
void echoLooped(Signal& signal, double delaySeconds, double feedback, double wet);

// Adds `source` times gain into `target` starting at sample `offset`, wrapping.
void mixInto(Signal& target, const Signal& source, double gain, int offset = 0);
// Scales so the largest magnitude is `peak`; a silent signal stays silent.
void normalise(Signal& signal, double peak);
// Fades the first and last `seconds` in and out (for sounds that do not loop).
void fadeEnds(Signal& signal, double inSeconds, double outSeconds);

} // namespace assetgen
