// One sound effect: a sample loaded once and played on whichever channel is
// free, remembering that channel so the caller can test, stop and re-pitch it.
#pragma once

#include "platform/sound_library.h"

#include <cstdint>
#include <string>

namespace zr::sound {

class SoundSample {
public:
    // Loads the sample; a missing file leaves a sample that never plays.
    SoundSample(SoundLibrary& library, const std::string& path, bool looped);
    // Stops it, then frees the sample.
    ~SoundSample();
    SoundSample(const SoundSample&) = delete;
    SoundSample& operator=(const SoundSample&) = delete;

    // Starts a new copy on a free channel (a looped sample already playing
    // gets a second copy: callers test isPlaying first). Returns 1.
    int32_t play();
    // 1 while the channel of the last play is playing.
    int32_t isPlaying() const;
    // 1 when it was not playing (the library is not asked), else the library's result.
    int32_t stop();
    // Playback rate in Hz on the last play's channel; the library's result.
    int32_t setFrequency(int32_t hz);

    SampleHandle sample() const { return sample_; }
    int32_t channel() const { return channel_; }

private:
    SoundLibrary& library_;
    SampleHandle sample_;
    int32_t channel_ = kNoChannel;  // none until the first play
};

}  // namespace zr::sound
