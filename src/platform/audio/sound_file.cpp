// libsndfile reading for the sound library.
#include "platform/audio/sound_file.h"

#include <sndfile.h>

namespace zr::audio {

std::unique_ptr<SoundFile> SoundFile::open(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        return nullptr;
    }
    if (info.channels < 1 || info.channels > 2 || info.frames <= 0 || info.samplerate <= 0) {
        sf_close(file);
        return nullptr;
    }
    return std::unique_ptr<SoundFile>(new SoundFile(file, info.channels, info.samplerate, info.frames));
}

SoundFile::SoundFile(sf_private_tag* file, int32_t channels, int32_t rate, int64_t frames)
    : file_(file), channels_(channels), rate_(rate), frames_(frames) {}

SoundFile::~SoundFile() {
    sf_close(file_);
}

int64_t SoundFile::read(int16_t* out, int64_t frames) {
    return frames > 0 ? sf_readf_short(file_, out, frames) : 0;
}

int32_t SoundFile::rewind() {
    return sf_seek(file_, 0, SEEK_SET) == 0 ? 1 : 0;
}

}  // namespace zr::audio
