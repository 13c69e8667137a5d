// One music stream of the OpenAL sound library: a file decoded chunk by chunk
// into a small ring of OpenAL buffers queued on a source. Nothing happens
// between pump() calls, so the queue holds a few seconds of sound to ride out
// slow frames; the whole file is never in memory.
//
// When the last frame of the file has been queued the stream is "at its end"
// and raises an end report. continueFromStart() then rewinds the file while
// the queued tail still plays, so the start follows the end without a gap.
#pragma once

#include "platform/audio/sound_file.h"

#include <AL/al.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zr::audio {

class OpenAlStream {
public:
    // Buffers in the ring, and the decoded bytes per buffer.
    static constexpr int32_t kBufferCount = 4;
    static constexpr int32_t kChunkBytes = 32 * 1024;

    // nullptr when the file cannot be read or no buffers can be made.
    // Needs the library's context to be current, as do all other calls.
    static std::unique_ptr<OpenAlStream> open(const std::string& path);
    ~OpenAlStream();
    OpenAlStream(const OpenAlStream&) = delete;
    OpenAlStream& operator=(const OpenAlStream&) = delete;

    int32_t rate() const { return file_->rate(); }
    bool attached() const { return source_ != 0; }

    // Plays the file from its start on `source` (the stream uses it until detach).
    void attach(ALuint source);
    // Stops the source and takes every buffer back off it.
    void detach();
    // Recycles played buffers, queues new chunks, restarts a starved source.
    void pump();
    // After the end: reads on from the first frame behind the queued tail.
    void continueFromStart();

    bool atEnd() const { return atEnd_; }
    // Whether the end was reached since the last call (clears the report).
    bool takeEndReport();
    // At the end and everything queued has been heard.
    bool playedOut() const;

private:
    OpenAlStream(std::unique_ptr<SoundFile> file, const std::array<ALuint, kBufferCount>& buffers);

    bool queueNextChunk();
    void unqueueProcessed();
    ALint sourceInt(ALenum parameter) const;

    std::unique_ptr<SoundFile> file_;
    std::array<ALuint, kBufferCount> buffers_;
    std::vector<ALuint> idle_;    // buffers not on the source's queue
    std::vector<int16_t> chunk_;  // decoding scratch, one chunk of frames
    ALuint source_ = 0;
    int64_t position_ = 0;  // frames read since the file's start
    bool atEnd_ = false;
    bool endReport_ = false;
};

}  // namespace zr::audio
