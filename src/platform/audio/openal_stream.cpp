// Chunked streaming of a sound file onto an OpenAL source queue.
#include "platform/audio/openal_stream.h"

namespace zr::audio {
namespace {

ALenum formatFor(int32_t channels) {
    return channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
}

}  // namespace

std::unique_ptr<OpenAlStream> OpenAlStream::open(const std::string& path) {
    auto file = SoundFile::open(path);
    if (!file) {
        return nullptr;
    }
    std::array<ALuint, kBufferCount> buffers{};
    alGetError();
    alGenBuffers(kBufferCount, buffers.data());
    if (alGetError() != AL_NO_ERROR) {
        return nullptr;
    }
    return std::unique_ptr<OpenAlStream>(new OpenAlStream(std::move(file), buffers));
}

OpenAlStream::OpenAlStream(std::unique_ptr<SoundFile> file, const std::array<ALuint, kBufferCount>& buffers)
    : file_(std::move(file)), buffers_(buffers), idle_(buffers.begin(), buffers.end()) {
    const int32_t framesPerChunk = kChunkBytes / (2 * file_->channels());
    chunk_.resize(static_cast<size_t>(framesPerChunk) * static_cast<size_t>(file_->channels()));
}

OpenAlStream::~OpenAlStream() {
    detach();
    alDeleteBuffers(kBufferCount, buffers_.data());
}

void OpenAlStream::attach(ALuint source) {
    detach();
    source_ = source;
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
    alSourcei(source_, AL_LOOPING, AL_FALSE);
    continueFromStart();
    while (!atEnd_ && !idle_.empty() && queueNextChunk()) {
    }
    alSourcePlay(source_);
}

void OpenAlStream::detach() {
    if (source_ == 0) {
        return;
    }
    alSourceStop(source_);
    // Unqueues everything: a stopped source may drop its whole queue at once.
    alSourcei(source_, AL_BUFFER, 0);
    idle_.assign(buffers_.begin(), buffers_.end());
    source_ = 0;
}

void OpenAlStream::pump() {
    if (source_ == 0) {
        return;
    }
    unqueueProcessed();
    while (!atEnd_ && !idle_.empty() && queueNextChunk()) {
    }
    const ALint state = sourceInt(AL_SOURCE_STATE);
    if (sourceInt(AL_BUFFERS_QUEUED) > 0 && state != AL_PLAYING && state != AL_PAUSED) {
        alSourcePlay(source_);  // starved by a long frame: carry on with what is queued now
    }
}

void OpenAlStream::continueFromStart() {
    file_->rewind();
    position_ = 0;
    atEnd_ = false;
    endReport_ = false;
}

bool OpenAlStream::takeEndReport() {
    const bool report = endReport_;
    endReport_ = false;
    return report;
}

bool OpenAlStream::playedOut() const {
    return source_ != 0 && atEnd_ && sourceInt(AL_SOURCE_STATE) == AL_STOPPED;
}

bool OpenAlStream::queueNextChunk() {
    const int64_t wanted = static_cast<int64_t>(chunk_.size()) / file_->channels();
    const int64_t got = file_->read(chunk_.data(), wanted);
    position_ += got;
    if (got < wanted || position_ >= file_->frames()) {
        atEnd_ = true;
        endReport_ = true;
    }
    if (got <= 0) {
        return false;
    }
    const ALuint buffer = idle_.back();
    alBufferData(buffer, formatFor(file_->channels()), chunk_.data(),
                 static_cast<ALsizei>(got * file_->channels() * static_cast<int64_t>(sizeof(int16_t))), file_->rate());
    alSourceQueueBuffers(source_, 1, &buffer);
    idle_.pop_back();
    return true;
}

void OpenAlStream::unqueueProcessed() {
    ALint processed = sourceInt(AL_BUFFERS_PROCESSED);
    while (processed-- > 0) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(source_, 1, &buffer);
        idle_.push_back(buffer);
    }
}

ALint OpenAlStream::sourceInt(ALenum parameter) const {
    ALint value = 0;
    alGetSourcei(source_, parameter, &value);
    return value;
}

}  // namespace zr::audio
