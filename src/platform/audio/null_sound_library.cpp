// The silent sound library: accepts every call and plays nothing. Used where
// no output is wanted, and by the OpenAL library when no device opens.
#include "platform/audio/null_sound_library.h"

namespace zr::audio {

SampleHandle NullSoundLibrary::sampleLoad(const std::string& /*path*/, int32_t /*looped*/) {
    return nextHandle_++;
}

StreamHandle NullSoundLibrary::streamOpen(const std::string& /*path*/) {
    return nextHandle_++;
}

}  // namespace zr::audio

namespace zr {

std::unique_ptr<SoundLibrary> createNullSoundLibrary() {
    return std::make_unique<audio::NullSoundLibrary>();
}

}  // namespace zr
