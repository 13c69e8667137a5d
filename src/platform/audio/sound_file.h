// A sound file opened for reading through libsndfile, decoded to 16-bit
// interleaved frames. Used whole for samples and chunk by chunk for streams.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct sf_private_tag;

namespace zr::audio {

class SoundFile {
public:
    // nullptr when the file is missing, unreadable, empty or has more than two channels.
    static std::unique_ptr<SoundFile> open(const std::string& path);
    ~SoundFile();
    SoundFile(const SoundFile&) = delete;
    SoundFile& operator=(const SoundFile&) = delete;

    int32_t channels() const { return channels_; }
    int32_t rate() const { return rate_; }
    int64_t frames() const { return frames_; }

    // Reads up to `frames` frames into out (frames x channels values); returns
    // the frames read, fewer only at the end of the file.
    int64_t read(int16_t* out, int64_t frames);
    // Back to the first frame; 1 on success.
    int32_t rewind();

private:
    SoundFile(sf_private_tag* file, int32_t channels, int32_t rate, int64_t frames);

    sf_private_tag* file_;
    int32_t channels_;
    int32_t rate_;
    int64_t frames_;
};

}  // namespace zr::audio
