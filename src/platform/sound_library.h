// The sound library the game plays its music and effects through: a small
// channel-based mixer interface (samples played on channels, music streamed
// from files). Implemented on OpenAL Soft with libsndfile decoding
// (platform/audio/), and as a silent null library. No OpenAL type leaks out.
//
// Conventions: operations return 1 on success and 0 on failure; handles are
// positive, 0 means "none"; channel handles are >= 0, -1 means "no channel".
// A channel handle goes stale once its channel is reused by a later play, so
// an old handle never reports or controls somebody else's sound.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace zr {

using SampleHandle = int32_t;
using StreamHandle = int32_t;

inline constexpr SampleHandle kNoSample = 0;
inline constexpr StreamHandle kNoStream = 0;
inline constexpr int32_t kNoChannel = -1;

// setPan: 0 hard left, 128 centre, 255 hard right; kStereoPan plays the
// sound as it is (stereo files keep their channels, mono sits in the centre).
inline constexpr int32_t kStereoPan = -1;
inline constexpr int32_t kPanCentre = 128;
inline constexpr int32_t kMaxVolume = 255;

// Called from SoundLibrary::update() when a stream has read the last frame of
// its file (the end is still queued and about to be heard). Calling
// streamPlay on that stream from inside the callback continues it from the
// start of the file right after the end, without a gap, on the same channel
// and with the same volume, pan and frequency. Without that the stream plays
// out and its channel is freed. Return 1 to report success.
using StreamEndCallback = int32_t (*)(StreamHandle stream, void* userData);

class SoundLibrary {
public:
    virtual ~SoundLibrary() = default;

    // Opens the output with the given mixing rate (Hz) and number of channels.
    // Without a usable output device every later operation succeeds silently.
    virtual int32_t init(int32_t mixRate, int32_t channels) = 0;
    // Stops everything, frees all samples and streams, releases the device.
    virtual int32_t close() = 0;
    // Refills the playing streams and reports stream ends. The game calls it
    // once per frame; nothing is decoded between calls.
    virtual void update() = 0;

    // 0..255; scales every sample channel (not the streams).
    virtual int32_t setSfxMasterVolume(int32_t volume) = 0;

    // Decodes the whole file. Looped samples repeat until stopped.
    virtual SampleHandle sampleLoad(const std::string& path, int32_t looped) = 0;
    virtual int32_t sampleFree(SampleHandle sample) = 0;
    // Starts the sample on a free channel at full volume, centred, at its
    // native rate; returns the channel handle or kNoChannel.
    virtual int32_t playSound(SampleHandle sample) = 0;

    // 1 while the channel plays (for a stream: until it has played out).
    virtual int32_t isPlaying(int32_t channel) const = 0;
    virtual int32_t stopSound(int32_t channel) = 0;
    // Playback rate in Hz; the sound's native rate plays it unchanged.
    virtual int32_t setFrequency(int32_t channel, int32_t hz) = 0;
    // 0..255 (clamped).
    virtual int32_t setVolume(int32_t channel, int32_t volume) = 0;
    // 0..255 with 128 the centre, or kStereoPan.
    virtual int32_t setPan(int32_t channel, int32_t pan) = 0;

    // Opens a file for streaming; only a few chunks are ever held in memory.
    virtual StreamHandle streamOpen(const std::string& path) = 0;
    virtual int32_t streamSetEndCallback(StreamHandle stream, StreamEndCallback callback, void* userData) = 0;
    // Plays the stream from the start of its file on a free channel (full
    // volume, centred, native rate); returns the channel handle or kNoChannel.
    // Once the stream has reached its end, as inside the end callback, it
    // continues on the stream's channel instead (see StreamEndCallback).
    virtual int32_t streamPlay(StreamHandle stream) = 0;
    virtual int32_t streamStop(StreamHandle stream) = 0;
    virtual int32_t streamClose(StreamHandle stream) = 0;

    // Only for an output opened as SoundOutput::kLoopback: mixes the next
    // `frames` frames of interleaved stereo float into `out` and returns 1.
    // Any other output mixes on its own and returns 0 here.
    virtual int32_t renderMix(float* out, int32_t frames) = 0;
};

enum class SoundOutput : int32_t {
    kDevice = 0,    // the system's sound device, mixed in real time
    kLoopback = 1,  // no device: mixed on demand by renderMix (tests)
};

struct OpenAlOptions {
    SoundOutput output = SoundOutput::kDevice;
    // kDevice only: the device to open; empty picks the default one.
    std::string deviceName;
};

// The real library. Opening happens in init(); a device that cannot be
// opened leaves a library that plays nothing and never fails.
std::unique_ptr<SoundLibrary> createOpenAlSoundLibrary(const OpenAlOptions& options = {});
// A library that plays nothing: every operation succeeds, nothing is ever playing.
std::unique_ptr<SoundLibrary> createNullSoundLibrary();

}  // namespace zr
