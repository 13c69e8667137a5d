// The silent sound library: every operation succeeds, handles are handed out
// so callers see success, no channel ever plays.
#pragma once

#include "platform/sound_library.h"

namespace zr::audio {

class NullSoundLibrary final : public SoundLibrary {
public:
    int32_t init(int32_t /*mixRate*/, int32_t /*channels*/) override { return 1; }
    int32_t close() override { return 1; }
    void update() override {}
    int32_t setSfxMasterVolume(int32_t /*volume*/) override { return 1; }
    SampleHandle sampleLoad(const std::string& path, int32_t looped) override;
    int32_t sampleFree(SampleHandle /*sample*/) override { return 1; }
    int32_t playSound(SampleHandle /*sample*/) override { return kSilentChannel; }
    int32_t isPlaying(int32_t /*channel*/) const override { return 0; }
    int32_t stopSound(int32_t /*channel*/) override { return 1; }
    int32_t setFrequency(int32_t /*channel*/, int32_t /*hz*/) override { return 1; }
    int32_t setVolume(int32_t /*channel*/, int32_t /*volume*/) override { return 1; }
    int32_t setPan(int32_t /*channel*/, int32_t /*pan*/) override { return 1; }
    StreamHandle streamOpen(const std::string& path) override;
    int32_t streamSetEndCallback(StreamHandle /*stream*/, StreamEndCallback /*callback*/, void* /*userData*/) override {
        return 1;
    }
    int32_t streamPlay(StreamHandle /*stream*/) override { return kSilentChannel; }
    int32_t streamStop(StreamHandle /*stream*/) override { return 1; }
    int32_t streamClose(StreamHandle /*stream*/) override { return 1; }
    int32_t renderMix(float* /*out*/, int32_t /*frames*/) override { return 0; }

private:
    // Plays "succeed" on a channel that never reports playing.
    static constexpr int32_t kSilentChannel = 0;
    int32_t nextHandle_ = 1;
};

}  // namespace zr::audio
