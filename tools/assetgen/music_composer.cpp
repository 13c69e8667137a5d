// Music composition: the arrangement of each loop (chords per bar, which
// parts play in which phrase) and the parts' renderers. Times are in beats
// until a note is placed; the melody is drawn from a seeded generator with
// simple rules (chord tones on strong beats, mostly stepwise motion,
// repeated rhythms), so every run writes the same tune.
#include "music_composer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace assetgen {
namespace {

constexpr int kBeatsPerBar = 4;
constexpr int kBarsPerPhrase = 8;
constexpr int kEighthsPerBar = 2 * kBeatsPerBar;
constexpr std::array<int, 7> kMajorScale = {0, 2, 4, 5, 7, 9, 11};

enum class Quality { Major, Minor, Major7, Minor7, Dominant7 };

struct Chord {
    int root;  // MIDI note; only its pitch class matters
    Quality quality;
};

std::vector<int> chordIntervals(Quality quality)
{
    switch (quality) {
        case Quality::Major: return {0, 4, 7};
        case Quality::Minor: return {0, 3, 7};
        case Quality::Major7: return {0, 4, 7, 11};
        case Quality::Minor7: return {0, 3, 7, 10};
        case Quality::Dominant7: return {0, 4, 7, 10};
    }
    return {0, 4, 7};
}

// Whether pitch is a chord tone; triadOnly leaves out the seventh.
bool inChord(const Chord& chord, int pitch, bool triadOnly)
{
    const int pitchClass = ((pitch - chord.root) % 12 + 12) % 12;
    const auto intervals = chordIntervals(chord.quality);
    const auto end = triadOnly ? intervals.begin() + 3 : intervals.end();
    return std::find(intervals.begin(), end, pitchClass) != end;
}

// `pitch` moved by octaves into [low, low + 12).
int intoOctave(int pitch, int low)
{
    return low + ((pitch - low) % 12 + 12) % 12;
}

// One melody note, in beats from the start of its phrase.
struct MelodyNote {
    double beat;
    double beats;
    int pitch;
};

// The tune's pitches live on scale degrees (7 per octave above the tonic).
struct Scale {
    int tonic;  // MIDI note of degree 0
    int pitch(int degree) const
    {
        const int octave = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
        return tonic + 12 * octave + kMajorScale[static_cast<size_t>(degree - 7 * octave)];
    }
};

// What a song is made of; the renderers below read it.
struct Song {
    double beatSeconds;
    Scale scale;
    std::vector<Chord> chords;  // one per bar
    int lowDegree;              // melody range on the scale
    int highDegree;
    uint64_t seed;
};

double barSeconds(const Song& song)
{
    return song.beatSeconds * kBeatsPerBar;
}

// Bar rhythms in eighths; a negative length is a rest.
const std::vector<std::vector<int>> kBarRhythms = {
    {2, 2, 2, 2}, {3, 1, 2, 2}, {2, 1, 1, 4}, {1, 1, 2, 2, 2}, {2, 2, 4}, {3, 3, 2}, {2, -1, 1, 2, 2}, {4, 2, 2},
};
const std::vector<std::vector<int>> kClosingRhythms = {{2, 6}, {4, 4}, {1, 1, 6}};

// The nearest degree to `degree` (within range) whose pitch is in the chord.
int nearestChordDegree(const Song& song, const Chord& chord, int degree, bool triadOnly, NoiseSource& rng)
{
    const int preferDown = rng.pick(2);
    for (int distance = 0; distance <= 3; ++distance) {
        for (int side = 0; side < 2; ++side) {
            const int candidate = degree + ((side == preferDown) ? -distance : distance);
            if (candidate >= song.lowDegree && candidate <= song.highDegree &&
                inChord(chord, song.scale.pitch(candidate), triadOnly)) {
                return candidate;
            }
        }
    }
    return std::clamp(degree, song.lowDegree, song.highDegree);
}

// Concatenated bar rhythms for a two-bar motif.
std::vector<int> motifRhythm(NoiseSource& rng, bool closing)
{
    std::vector<int> rhythm = kBarRhythms[static_cast<size_t>(rng.pick(static_cast<int>(kBarRhythms.size())))];
    const auto& second = closing ? kClosingRhythms[static_cast<size_t>(rng.pick(static_cast<int>(kClosingRhythms.size())))]
                                 : kBarRhythms[static_cast<size_t>(rng.pick(static_cast<int>(kBarRhythms.size())))];
    rhythm.insert(rhythm.end(), second.begin(), second.end());
    return rhythm;
}

// Scale steps between successive notes: mostly small, sometimes a leap.
std::vector<int> motifSteps(NoiseSource& rng, size_t count)
{
    constexpr std::array<int, 10> kSteps = {-2, -1, -1, -1, 1, 1, 1, 2, 3, -3};
    std::vector<int> steps;
    for (size_t i = 0; i < count; ++i) {
        steps.push_back(kSteps[static_cast<size_t>(rng.pick(static_cast<int>(kSteps.size())))]);
    }
    return steps;
}

// Eight bars of tune over song.chords[firstBar...]: motifs a, b, a, closing c.
std::vector<MelodyNote> composePhrase(const Song& song, int firstBar, NoiseSource& rng)
{
    const std::array<std::vector<int>, 3> rhythms = {motifRhythm(rng, false), motifRhythm(rng, false),
                                                     motifRhythm(rng, true)};
    const std::array<std::vector<int>, 3> steps = {motifSteps(rng, rhythms[0].size()), motifSteps(rng, rhythms[1].size()),
                                                   motifSteps(rng, rhythms[2].size())};
    constexpr std::array<int, 4> kMotifOfPair = {0, 1, 0, 2};
    std::vector<MelodyNote> notes;
    int degree = (song.lowDegree + song.highDegree) / 2;
    for (int pair = 0; pair < 4; ++pair) {
        const auto motif = static_cast<size_t>(kMotifOfPair[static_cast<size_t>(pair)]);
        int eighth = 0;
        for (size_t i = 0; i < rhythms[motif].size(); ++i) {
            const int length = rhythms[motif][i];
            const int bar = firstBar + 2 * pair + eighth / kEighthsPerBar;
            const Chord& chord = song.chords[static_cast<size_t>(bar)];
            int next = degree + steps[motif][i];
            if (next < song.lowDegree || next > song.highDegree) {
                next = degree - steps[motif][i];  // turn back at the edge of the range
            }
            const bool last = i + 1 == rhythms[motif].size();
            const bool strong = eighth % 4 == 0 || last;
            // The phrase closes on a plain triad tone of the dominant: an open
            // half cadence that leads back into the next phrase's tonic.
            const bool closing = last && pair == 3;
            degree = strong ? nearestChordDegree(song, chord, next, closing, rng)
                            : std::clamp(next, song.lowDegree, song.highDegree);
            if (length > 0) {
                notes.push_back({(16.0 * pair + eighth) / 2.0, length / 2.0, song.scale.pitch(degree)});
            }
            eighth += std::abs(length);
        }
    }
    return notes;
}

// --- instruments -----------------------------------------------------------

struct Instrument {
    Wavetable timbre;
    Envelope envelope;
    Vibrato vibrato;
};

void playNote(Signal& signal, const Instrument& instrument, double start, double length, double hz, double gain)
{
    addNote(signal, {start, length, hz, gain}, instrument.timbre, instrument.envelope, instrument.vibrato);
}

// The chord held for the bar, each tone doubled slightly detuned for warmth.
void renderPad(Signal& signal, const Song& song, const Instrument& pad, double gain)
{
    for (size_t bar = 0; bar < song.chords.size(); ++bar) {
        const Chord& chord = song.chords[bar];
        for (const int interval : chordIntervals(chord.quality)) {
            const double hz = noteHz(intoOctave(chord.root + interval, 55));
            for (const double detune : {0.9985, 1.0015}) {
                playNote(signal, pad, bar * barSeconds(song), barSeconds(song) * 0.96, hz * detune, gain);
            }
        }
    }
}

// A bass pattern per bar: {eighth, length in eighths, interval above the root}.
struct BassStep {
    int eighth;
    int length;
    int interval;
};

void renderBass(Signal& signal, const Song& song, const Instrument& bass, const std::vector<BassStep>& pattern,
                double gain)
{
    const double eighth = song.beatSeconds / 2.0;
    for (size_t bar = 0; bar < song.chords.size(); ++bar) {
        const int root = intoOctave(song.chords[bar].root, 36);
        for (const BassStep& step : pattern) {
            playNote(signal, bass, bar * barSeconds(song) + step.eighth * eighth, step.length * eighth * 0.9,
                     noteHz(root + step.interval), gain);
        }
    }
}

// Chord tones rising and falling in eighths, in the bars the mask selects.
void renderArpeggio(Signal& signal, const Song& song, const Instrument& keys, const std::vector<bool>& phrases,
                    double gain)
{
    constexpr std::array<int, kEighthsPerBar> kOrder = {0, 1, 2, 3, 2, 1, 2, 1};
    const double eighth = song.beatSeconds / 2.0;
    for (size_t bar = 0; bar < song.chords.size(); ++bar) {
        if (!phrases[bar / kBarsPerPhrase]) {
            continue;
        }
        const Chord& chord = song.chords[bar];
        const auto intervals = chordIntervals(chord.quality);
        for (int i = 0; i < kEighthsPerBar; ++i) {
            const auto tone = static_cast<size_t>(kOrder[static_cast<size_t>(i)]);
            const int pitch = tone < intervals.size() ? intoOctave(chord.root + intervals[tone], 62)
                                                      : intoOctave(chord.root, 62) + 12;
            const double accent = i % 2 == 0 ? 1.0 : 0.7;
            playNote(signal, keys, bar * barSeconds(song) + i * eighth, eighth * 0.8, noteHz(pitch), gain * accent);
        }
    }
}

// The tune: one phrase per entry of `phraseTunes` (an index into the tunes
// composed for the song), optionally doubled an octave up.
void renderMelody(Signal& signal, const Song& song, const Instrument& lead, const std::vector<int>& phraseTunes,
                  const std::vector<bool>& octaveDoubling, double gain)
{
    NoiseSource rng(song.seed);
    std::vector<std::vector<MelodyNote>> tunes;
    for (size_t phrase = 0; phrase < phraseTunes.size(); ++phrase) {
        const auto tune = static_cast<size_t>(phraseTunes[phrase]);
        if (tune >= tunes.size()) {
            tunes.push_back(composePhrase(song, static_cast<int>(phrase) * kBarsPerPhrase, rng));
        }
        const double phraseStart = static_cast<double>(phrase) * kBarsPerPhrase * barSeconds(song);
        for (const MelodyNote& note : tunes[tune]) {
            const double start = phraseStart + note.beat * song.beatSeconds;
            const double length = note.beats * song.beatSeconds * 0.92;
            playNote(signal, lead, start, length, noteHz(note.pitch), gain);
            if (octaveDoubling[phrase]) {
                playNote(signal, lead, start, length, noteHz(note.pitch + 12), gain * 0.3);
            }
        }
    }
}

// --- drums -------------------------------------------------------------------

// A decaying noise burst, band-limited by the caller's filter.
Signal noiseBurst(NoiseSource& rng, double seconds, double decaySeconds, void (*shape)(Signal&))
{
    Signal burst(static_cast<size_t>(samplesFor(seconds)));
    for (double& x : burst) {
        x = rng.next();
    }
    shape(burst);
    double level = 1.0;
    const double step = std::exp(-1.0 / (decaySeconds * kSoundRate));
    for (double& x : burst) {
        x *= level;
        level *= step;
    }
    return burst;
}

Signal kickDrum()
{
    Signal kick(static_cast<size_t>(samplesFor(0.45)));
    double phase = 0.0;
    for (size_t i = 0; i < kick.size(); ++i) {
        const double t = static_cast<double>(i) / kSoundRate;
        const double hz = 46.0 + 74.0 * std::exp(-t / 0.04);
        const double attack = std::min(1.0, t / 0.002);
        kick[i] = attack * std::exp(-t / 0.14) * std::sin(2.0 * std::numbers::pi * phase);
        phase += hz / kSoundRate;
    }
    return kick;
}

Signal snareDrum(NoiseSource& rng)
{
    Signal snare = noiseBurst(rng, 0.3, 0.06, [](Signal& s) { bandPassLooped(s, 1900.0, 0.7); });
    addRing(snare, 0.0, 190.0, 0.35, 0.045);
    return snare;
}

Signal hiHat(NoiseSource& rng, double decaySeconds)
{
    return noiseBurst(rng, 0.15, decaySeconds, [](Signal& s) { highPassLooped(s, 6500.0); });
}

struct DrumPattern {
    std::vector<int> kicks;   // eighths of the bar
    std::vector<int> snares;
    double kickGain;
    double snareGain;
    double hatGain;
    double hatDecay;
};

void renderDrums(Signal& signal, const Song& song, const DrumPattern& pattern)
{
    NoiseSource rng(song.seed ^ 0xD2D2D2D2ull);
    const Signal kick = kickDrum();
    const Signal snare = snareDrum(rng);
    const std::array<Signal, 4> hats = {hiHat(rng, pattern.hatDecay), hiHat(rng, pattern.hatDecay),
                                        hiHat(rng, pattern.hatDecay), hiHat(rng, pattern.hatDecay)};
    const double eighth = song.beatSeconds / 2.0;
    for (size_t bar = 0; bar < song.chords.size(); ++bar) {
        const double barStart = bar * barSeconds(song);
        for (const int at : pattern.kicks) {
            mixInto(signal, kick, pattern.kickGain, samplesFor(barStart + at * eighth));
        }
        for (const int at : pattern.snares) {
            mixInto(signal, snare, pattern.snareGain, samplesFor(barStart + at * eighth));
        }
        for (int at = 0; at < kEighthsPerBar; ++at) {
            const double accent = at % 2 == 1 ? 1.0 : 0.55;  // lean on the off-beats
            const Signal& hat = hats[static_cast<size_t>(rng.pick(static_cast<int>(hats.size())))];
            mixInto(signal, hat, pattern.hatGain * accent, samplesFor(barStart + at * eighth));
        }
    }
}

Signal emptyLoop(const Song& song)
{
    return Signal(static_cast<size_t>(samplesFor(song.chords.size() * barSeconds(song))), 0.0);
}

// Phrases given as bars; the song is their concatenation.
std::vector<Chord> joinPhrases(std::initializer_list<const std::vector<Chord>*> phrases)
{
    std::vector<Chord> chords;
    for (const auto* phrase : phrases) {
        chords.insert(chords.end(), phrase->begin(), phrase->end());
    }
    return chords;
}

// Mixes the lead with its echo, adds it to the rest and levels the loop.
Signal finish(Signal band, Signal lead, double echoSeconds)
{
    echoLooped(lead, echoSeconds, 0.3, 0.3);
    mixInto(band, lead, 1.0);
    normalise(band, 0.85);
    return band;
}

} // namespace

Signal composeTitleMusic()
{
    using Q = Quality;
    const std::vector<Chord> verse = {{48, Q::Major}, {55, Q::Major}, {57, Q::Minor}, {53, Q::Major},
                                      {48, Q::Major}, {55, Q::Major}, {53, Q::Major}, {55, Q::Dominant7}};
    const std::vector<Chord> bridge = {{57, Q::Minor}, {53, Q::Major}, {48, Q::Major}, {55, Q::Major},
                                       {57, Q::Minor}, {53, Q::Major}, {50, Q::Minor}, {55, Q::Dominant7}};
    // 100 beats a minute: 0.6 s beats, exactly 13230 samples.
    const Song song{0.6, Scale{60}, joinPhrases({&verse, &verse, &bridge, &verse}), 2, 11, 0x7177'1E00ull};

    const Instrument pad{Wavetable{1.0, 0.45, 0.25, 0.12, 0.06}, {0.25, 0.8, 0.8, 0.25}, {}};
    const Instrument bass{Wavetable{1.0, 0.55, 0.3, 0.12, 0.05}, {0.006, 0.25, 0.55, 0.06}, {}};
    const Instrument pluck{Wavetable{1.0, 0.35, 0.18, 0.08}, {0.003, 0.18, 0.0, 0.08}, {}};
    const Instrument lead{Wavetable{1.0, 0.5, 0.22, 0.12, 0.05, 0.03}, {0.02, 0.2, 0.7, 0.12}, {5.2, 0.004, 0.18}};

    Signal band = emptyLoop(song);
    renderPad(band, song, pad, 0.035);
    renderBass(band, song, bass, {{0, 3, 0}, {3, 1, 0}, {4, 2, 7}, {6, 2, 12}}, 0.2);
    renderArpeggio(band, song, pluck, {false, true, true, true}, 0.05);
    renderDrums(band, song, {{0, 4, 7}, {2, 6}, 0.42, 0.12, 0.035, 0.03});
    Signal melody = emptyLoop(song);
    renderMelody(melody, song, lead, {0, 0, 1, 0}, {false, false, false, true}, 0.16);
    return finish(std::move(band), std::move(melody), song.beatSeconds * 0.75);
}

Signal composeBuildingMusic()
{
    using Q = Quality;
    const std::vector<Chord> verse = {{53, Q::Major7}, {50, Q::Minor7}, {46, Q::Major7}, {48, Q::Dominant7},
                                      {53, Q::Major7}, {50, Q::Minor7}, {55, Q::Minor7}, {48, Q::Dominant7}};
    const std::vector<Chord> bridge = {{46, Q::Major7}, {48, Q::Dominant7}, {57, Q::Minor7}, {50, Q::Minor7},
                                       {55, Q::Minor7}, {48, Q::Dominant7}, {53, Q::Major7}, {48, Q::Dominant7}};
    // 84 beats a minute: 0.714 s beats, exactly 15750 samples.
    const Song song{60.0 / 84.0, Scale{65}, joinPhrases({&verse, &bridge, &verse}), 0, 9, 0xB011'D000ull};

    const Instrument pad{Wavetable{1.0, 0.3, 0.12, 0.05}, {0.6, 1.2, 0.75, 0.3}, {}};
    const Instrument bass{Wavetable{1.0, 0.4, 0.15, 0.05}, {0.01, 0.4, 0.5, 0.1}, {}};
    const Instrument keys{Wavetable{1.0, 0.25, 0.08, 0.04}, {0.004, 0.35, 0.0, 0.15}, {}};
    const Instrument lead{Wavetable{1.0, 0.2, 0.1, 0.03}, {0.03, 0.5, 0.55, 0.3}, {4.6, 0.003, 0.25}};

    Signal band = emptyLoop(song);
    renderPad(band, song, pad, 0.04);
    renderBass(band, song, bass, {{0, 5, 0}, {6, 2, 7}}, 0.2);
    renderArpeggio(band, song, keys, {true, true, true}, 0.045);
    renderDrums(band, song, {{0}, {4}, 0.28, 0.035, 0.02, 0.04});
    Signal melody = emptyLoop(song);
    renderMelody(melody, song, lead, {0, 1, 0}, {false, true, false}, 0.15);
    return finish(std::move(band), std::move(melody), song.beatSeconds * 1.5);
}

} // namespace assetgen
