// A sound effect on the sound library.
#include "sound/sound_sample.h"

namespace zr::sound {

SoundSample::SoundSample(SoundLibrary& library, const std::string& path, bool looped)
    : library_(library), sample_(library.sampleLoad(path, looped ? 1 : 0)) {}

SoundSample::~SoundSample() {
    stop();
    library_.sampleFree(sample_);
}

int32_t SoundSample::play() {
    channel_ = library_.playSound(sample_);
    return 1;
}

int32_t SoundSample::isPlaying() const {
    return channel_ != kNoChannel && library_.isPlaying(channel_) ? 1 : 0;
}

int32_t SoundSample::stop() {
    if (!isPlaying()) {
        return 1;
    }
    return library_.stopSound(channel_) ? 1 : 0;
}

int32_t SoundSample::setFrequency(int32_t hz) {
    return library_.setFrequency(channel_, hz) ? 1 : 0;
}

}  // namespace zr::sound
