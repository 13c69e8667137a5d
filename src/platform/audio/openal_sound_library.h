// The sound library on OpenAL Soft: a fixed set of sources serves as the
// channels, samples are decoded whole into buffers, music streams are fed
// chunk by chunk from update(). Without a device every call falls through to
// the silent library, so the game runs the same with or without sound.
#pragma once

#include "platform/audio/null_sound_library.h"
#include "platform/audio/openal_stream.h"
#include "platform/sound_library.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <map>
#include <memory>
#include <vector>

namespace zr::audio {

class OpenAlSoundLibrary final : public SoundLibrary {
public:
    // Channel handles carry the channel index in their low bits and a play
    // count above, so handles of earlier plays go stale.
    static constexpr int32_t kIndexBits = 8;
    static constexpr int32_t kMaxChannels = 1 << kIndexBits;

    explicit OpenAlSoundLibrary(OpenAlOptions options);
    ~OpenAlSoundLibrary() override;
    OpenAlSoundLibrary(const OpenAlSoundLibrary&) = delete;
    OpenAlSoundLibrary& operator=(const OpenAlSoundLibrary&) = delete;

    int32_t init(int32_t mixRate, int32_t channels) override;
    int32_t close() override;
    void update() override;
    int32_t setSfxMasterVolume(int32_t volume) override;
    SampleHandle sampleLoad(const std::string& path, int32_t looped) override;
    int32_t sampleFree(SampleHandle sample) override;
    int32_t playSound(SampleHandle sample) override;
    int32_t isPlaying(int32_t channel) const override;
    int32_t stopSound(int32_t channel) override;
    int32_t setFrequency(int32_t channel, int32_t hz) override;
    int32_t setVolume(int32_t channel, int32_t volume) override;
    int32_t setPan(int32_t channel, int32_t pan) override;
    StreamHandle streamOpen(const std::string& path) override;
    int32_t streamSetEndCallback(StreamHandle stream, StreamEndCallback callback, void* userData) override;
    int32_t streamPlay(StreamHandle stream) override;
    int32_t streamStop(StreamHandle stream) override;
    int32_t streamClose(StreamHandle stream) override;
    int32_t renderMix(float* out, int32_t frames) override;

private:
    struct Sample {
        ALuint buffer = 0;
        int32_t rate = 0;
        bool looped = false;
    };
    struct Channel {
        ALuint source = 0;
        uint32_t plays = 0;  // bumped by every play; the handle's upper bits
        int32_t rate = 1;    // native rate of what it plays, Hz
        int32_t volume = kMaxVolume;
        SampleHandle sample = kNoSample;
        StreamHandle stream = kNoStream;
    };
    struct StreamSlot {
        std::unique_ptr<OpenAlStream> stream;
        StreamEndCallback callback = nullptr;
        void* userData = nullptr;
        int32_t channel = -1;  // index into channels_ while attached
    };

    bool live() const { return context_ != nullptr; }
    void bind() const;
    int32_t openOutput(int32_t mixRate);
    void makeChannels(int32_t count);
    const Channel* channelFor(int32_t handle) const;
    Channel* channelFor(int32_t handle);
    int32_t handleOf(size_t index) const;
    int32_t claimFreeChannel();
    void resetChannel(Channel& channel, int32_t rate);
    void applyGain(const Channel& channel) const;
    int32_t startStream(StreamHandle id, StreamSlot& slot, int32_t index);
    void releaseStreamChannel(StreamSlot& slot);
    void pumpStream(StreamHandle id);
    StreamSlot* streamFor(StreamHandle id);

    OpenAlOptions options_;
    NullSoundLibrary silent_;
    ALCdevice* device_ = nullptr;
    ALCcontext* context_ = nullptr;
    std::vector<Channel> channels_;
    std::map<SampleHandle, Sample> samples_;
    std::map<StreamHandle, StreamSlot> streams_;
    int32_t nextHandle_ = 1;
    int32_t sfxVolume_ = kMaxVolume;
    size_t nextChannel_ = 0;  // where the search for a free channel starts
};

}  // namespace zr::audio
