// The OpenAL Soft sound library. All sources are 2D: placed relative to the
// listener with no distance attenuation, so pan is the only placement.
#define AL_ALEXT_PROTOTYPES 1
#include "platform/audio/openal_sound_library.h"

#include <AL/alext.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace zr::audio {
namespace {

constexpr uint32_t kPlaysMask = (1u << (31 - OpenAlSoundLibrary::kIndexBits)) - 1u;
constexpr int32_t kPanRight = 255;
// Each stream buffer ends the file at most once, so this many end reports per
// update cover even a file shorter than one chunk.
constexpr int32_t kMaxEndReportsPerUpdate = OpenAlStream::kBufferCount + 1;

float unitGain(int32_t volume) {
    return static_cast<float>(volume) / static_cast<float>(kMaxVolume);
}

// Pan 0..255 around 128 to a direction on the front half circle.
void placeSource(ALuint source, int32_t pan) {
    const float side = pan == kStereoPan ? 0.0f : std::clamp((pan - kPanCentre) / 127.0f, -1.0f, 1.0f);
    const float angle = side * std::numbers::pi_v<float> / 2.0f;
    alSource3f(source, AL_POSITION, std::sin(angle), 0.0f, -std::cos(angle));
}

}  // namespace

OpenAlSoundLibrary::OpenAlSoundLibrary(OpenAlOptions options) : options_(std::move(options)) {}

OpenAlSoundLibrary::~OpenAlSoundLibrary() {
    close();
}

void OpenAlSoundLibrary::bind() const {
    if (alcGetCurrentContext() != context_) {
        alcMakeContextCurrent(context_);
    }
}

int32_t OpenAlSoundLibrary::init(int32_t mixRate, int32_t channels) {
    close();
    if (!openOutput(mixRate)) {
        return silent_.init(mixRate, channels);
    }
    bind();
    alDistanceModel(AL_NONE);
    makeChannels(std::clamp(channels, 1, kMaxChannels));
    return 1;
}

int32_t OpenAlSoundLibrary::openOutput(int32_t mixRate) {
    const bool loopback = options_.output == SoundOutput::kLoopback;
    if (loopback) {
        if (alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback") != ALC_TRUE) {
            return 0;
        }
        device_ = alcLoopbackOpenDeviceSOFT(nullptr);
    } else {
        device_ = alcOpenDevice(options_.deviceName.empty() ? nullptr : options_.deviceName.c_str());
    }
    if (device_ == nullptr) {
        return 0;
    }
    // The loopback mix is float stereo, with nothing in the output stage
    // (limiter, HRTF) that would make it differ from the plain sum.
    const ALCint loopbackAttributes[] = {ALC_FREQUENCY,
                                         mixRate,
                                         ALC_FORMAT_CHANNELS_SOFT,
                                         ALC_STEREO_SOFT,
                                         ALC_FORMAT_TYPE_SOFT,
                                         ALC_FLOAT_SOFT,
                                         ALC_HRTF_SOFT,
                                         ALC_FALSE,
                                         ALC_OUTPUT_LIMITER_SOFT,
                                         ALC_FALSE,
                                         0};
    const ALCint deviceAttributes[] = {ALC_FREQUENCY, mixRate, 0};
    const bool formatOk =
        !loopback || alcIsRenderFormatSupportedSOFT(device_, mixRate, ALC_STEREO_SOFT, ALC_FLOAT_SOFT) == ALC_TRUE;
    context_ = formatOk ? alcCreateContext(device_, loopback ? loopbackAttributes : deviceAttributes) : nullptr;
    if (context_ == nullptr) {
        alcCloseDevice(device_);
        device_ = nullptr;
        return 0;
    }
    return 1;
}

void OpenAlSoundLibrary::makeChannels(int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        ALuint source = 0;
        alGetError();
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) {
            break;  // fewer channels than asked for: the device's limit
        }
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSourcei(source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);  // stereo files straight to left and right
        alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
        placeSource(source, kPanCentre);
        channels_.push_back(Channel{.source = source});
    }
}

int32_t OpenAlSoundLibrary::close() {
    if (!live()) {
        return silent_.close();
    }
    bind();
    streams_.clear();  // each stream takes its buffers off its source first
    for (auto& channel : channels_) {
        alSourceStop(channel.source);
        alSourcei(channel.source, AL_BUFFER, 0);
        alDeleteSources(1, &channel.source);
    }
    channels_.clear();
    for (auto& [handle, sample] : samples_) {
        alDeleteBuffers(1, &sample.buffer);
    }
    samples_.clear();
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context_);
    alcCloseDevice(device_);
    context_ = nullptr;
    device_ = nullptr;
    return 1;
}

const OpenAlSoundLibrary::Channel* OpenAlSoundLibrary::channelFor(int32_t handle) const {
    if (handle < 0) {
        return nullptr;
    }
    const auto index = static_cast<size_t>(handle & (kMaxChannels - 1));
    const auto plays = static_cast<uint32_t>(handle) >> kIndexBits;
    if (index >= channels_.size() || (channels_[index].plays & kPlaysMask) != plays) {
        return nullptr;
    }
    return &channels_[index];
}

OpenAlSoundLibrary::Channel* OpenAlSoundLibrary::channelFor(int32_t handle) {
    return const_cast<Channel*>(std::as_const(*this).channelFor(handle));
}

int32_t OpenAlSoundLibrary::handleOf(size_t index) const {
    return static_cast<int32_t>(((channels_[index].plays & kPlaysMask) << kIndexBits) | index);
}

// A channel neither streaming nor sounding; the search rotates so a channel
// just stopped is the last to be reused.
int32_t OpenAlSoundLibrary::claimFreeChannel() {
    for (size_t step = 0; step < channels_.size(); ++step) {
        const size_t index = (nextChannel_ + step) % channels_.size();
        const Channel& channel = channels_[index];
        ALint state = AL_STOPPED;
        alGetSourcei(channel.source, AL_SOURCE_STATE, &state);
        if (channel.stream == kNoStream && state != AL_PLAYING && state != AL_PAUSED) {
            nextChannel_ = index + 1;
            return static_cast<int32_t>(index);
        }
    }
    return -1;
}

// A fresh play: full volume, centred, native rate, a new handle.
void OpenAlSoundLibrary::resetChannel(Channel& channel, int32_t rate) {
    alSourceStop(channel.source);
    alSourcei(channel.source, AL_BUFFER, 0);
    alSourcef(channel.source, AL_PITCH, 1.0f);
    placeSource(channel.source, kPanCentre);
    channel.plays = (channel.plays + 1) & kPlaysMask;
    channel.rate = rate;
    channel.volume = kMaxVolume;
    channel.sample = kNoSample;
    channel.stream = kNoStream;
}

void OpenAlSoundLibrary::applyGain(const Channel& channel) const {
    const float master = channel.sample != kNoSample ? unitGain(sfxVolume_) : 1.0f;
    alSourcef(channel.source, AL_GAIN, unitGain(channel.volume) * master);
}

void OpenAlSoundLibrary::update() {
    if (!live()) {
        return;
    }
    bind();
    std::vector<StreamHandle> ids;
    for (const auto& [id, slot] : streams_) {
        ids.push_back(id);
    }
    for (const StreamHandle id : ids) {
        pumpStream(id);
    }
}

// The end callback may play, stop or close this stream (or anything else),
// so the slot is looked up afresh after it.
void OpenAlSoundLibrary::pumpStream(StreamHandle id) {
    for (int32_t report = 0; report < kMaxEndReportsPerUpdate; ++report) {
        StreamSlot* slot = streamFor(id);
        if (slot == nullptr || slot->channel < 0) {
            return;
        }
        slot->stream->pump();
        if (!slot->stream->takeEndReport()) {
            break;
        }
        if (slot->callback != nullptr) {
            slot->callback(id, slot->userData);
            if (!live()) {
                return;
            }
        }
    }
    StreamSlot* slot = streamFor(id);
    if (slot != nullptr && slot->channel >= 0 && slot->stream->playedOut()) {
        releaseStreamChannel(*slot);
    }
}

int32_t OpenAlSoundLibrary::setSfxMasterVolume(int32_t volume) {
    if (!live()) {
        return silent_.setSfxMasterVolume(volume);
    }
    bind();
    sfxVolume_ = std::clamp(volume, 0, kMaxVolume);
    for (const auto& channel : channels_) {
        if (channel.sample != kNoSample) {
            applyGain(channel);
        }
    }
    return 1;
}

SampleHandle OpenAlSoundLibrary::sampleLoad(const std::string& path, int32_t looped) {
    if (!live()) {
        return silent_.sampleLoad(path, looped);
    }
    bind();
    const auto file = SoundFile::open(path);
    if (!file) {
        return kNoSample;
    }
    std::vector<int16_t> frames(static_cast<size_t>(file->frames() * file->channels()));
    const int64_t got = file->read(frames.data(), file->frames());
    if (got <= 0) {
        return kNoSample;
    }
    Sample sample{.rate = file->rate(), .looped = looped != 0};
    alGetError();
    alGenBuffers(1, &sample.buffer);
    alBufferData(sample.buffer, file->channels() == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, frames.data(),
                 static_cast<ALsizei>(got * file->channels() * static_cast<int64_t>(sizeof(int16_t))), sample.rate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &sample.buffer);
        return kNoSample;
    }
    const SampleHandle handle = nextHandle_++;
    samples_[handle] = sample;
    return handle;
}

int32_t OpenAlSoundLibrary::sampleFree(SampleHandle sample) {
    if (!live()) {
        return silent_.sampleFree(sample);
    }
    bind();
    const auto found = samples_.find(sample);
    if (found == samples_.end()) {
        return 0;
    }
    for (auto& channel : channels_) {
        if (channel.sample == sample) {  // a buffer on a source cannot be deleted
            alSourceStop(channel.source);
            alSourcei(channel.source, AL_BUFFER, 0);
            channel.sample = kNoSample;
        }
    }
    alDeleteBuffers(1, &found->second.buffer);
    samples_.erase(found);
    return 1;
}

int32_t OpenAlSoundLibrary::playSound(SampleHandle sample) {
    if (!live()) {
        return silent_.playSound(sample);
    }
    bind();
    const auto found = samples_.find(sample);
    const int32_t index = found == samples_.end() ? -1 : claimFreeChannel();
    if (index < 0) {
        return kNoChannel;
    }
    Channel& channel = channels_[static_cast<size_t>(index)];
    resetChannel(channel, found->second.rate);
    channel.sample = sample;
    alSourcei(channel.source, AL_LOOPING, found->second.looped ? AL_TRUE : AL_FALSE);
    alSourcei(channel.source, AL_BUFFER, static_cast<ALint>(found->second.buffer));
    applyGain(channel);
    alSourcePlay(channel.source);
    return handleOf(static_cast<size_t>(index));
}

int32_t OpenAlSoundLibrary::isPlaying(int32_t channel) const {
    if (!live()) {
        return silent_.isPlaying(channel);
    }
    bind();
    const Channel* found = channelFor(channel);
    if (found == nullptr) {
        return 0;
    }
    if (found->stream != kNoStream) {
        const auto slot = streams_.find(found->stream);
        return slot != streams_.end() && !slot->second.stream->playedOut() ? 1 : 0;
    }
    ALint state = AL_STOPPED;
    alGetSourcei(found->source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING ? 1 : 0;
}

int32_t OpenAlSoundLibrary::stopSound(int32_t channel) {
    if (!live()) {
        return silent_.stopSound(channel);
    }
    bind();
    Channel* found = channelFor(channel);
    if (found == nullptr) {
        return 0;
    }
    if (found->stream != kNoStream) {
        return streamStop(found->stream);
    }
    alSourceStop(found->source);
    return 1;
}

int32_t OpenAlSoundLibrary::setFrequency(int32_t channel, int32_t hz) {
    if (!live()) {
        return silent_.setFrequency(channel, hz);
    }
    bind();
    Channel* found = channelFor(channel);
    if (found == nullptr || hz < 0) {
        return 0;
    }
    alSourcef(found->source, AL_PITCH, static_cast<float>(hz) / static_cast<float>(found->rate));
    return 1;
}

int32_t OpenAlSoundLibrary::setVolume(int32_t channel, int32_t volume) {
    if (!live()) {
        return silent_.setVolume(channel, volume);
    }
    bind();
    Channel* found = channelFor(channel);
    if (found == nullptr) {
        return 0;
    }
    found->volume = std::clamp(volume, 0, kMaxVolume);
    applyGain(*found);
    return 1;
}

int32_t OpenAlSoundLibrary::setPan(int32_t channel, int32_t pan) {
    if (!live()) {
        return silent_.setPan(channel, pan);
    }
    bind();
    Channel* found = channelFor(channel);
    if (found == nullptr || pan < kStereoPan || pan > kPanRight) {
        return 0;
    }
    placeSource(found->source, pan);
    return 1;
}

StreamHandle OpenAlSoundLibrary::streamOpen(const std::string& path) {
    if (!live()) {
        return silent_.streamOpen(path);
    }
    bind();
    auto stream = OpenAlStream::open(path);
    if (!stream) {
        return kNoStream;
    }
    const StreamHandle handle = nextHandle_++;
    streams_[handle].stream = std::move(stream);
    return handle;
}

OpenAlSoundLibrary::StreamSlot* OpenAlSoundLibrary::streamFor(StreamHandle id) {
    const auto found = streams_.find(id);
    return found == streams_.end() ? nullptr : &found->second;
}

int32_t OpenAlSoundLibrary::streamSetEndCallback(StreamHandle stream, StreamEndCallback callback, void* userData) {
    if (!live()) {
        return silent_.streamSetEndCallback(stream, callback, userData);
    }
    StreamSlot* slot = streamFor(stream);
    if (slot == nullptr) {
        return 0;
    }
    slot->callback = callback;
    slot->userData = userData;
    return 1;
}

int32_t OpenAlSoundLibrary::streamPlay(StreamHandle stream) {
    if (!live()) {
        return silent_.streamPlay(stream);
    }
    bind();
    StreamSlot* slot = streamFor(stream);
    if (slot == nullptr) {
        return kNoChannel;
    }
    if (slot->channel >= 0) {
        const auto index = static_cast<size_t>(slot->channel);
        if (slot->stream->atEnd() && !slot->stream->playedOut()) {
            slot->stream->continueFromStart();  // the start goes on right behind the queued end
            return handleOf(index);
        }
        return startStream(stream, *slot, slot->channel);
    }
    const int32_t index = claimFreeChannel();
    return index < 0 ? kNoChannel : startStream(stream, *slot, index);
}

int32_t OpenAlSoundLibrary::startStream(StreamHandle id, StreamSlot& slot, int32_t index) {
    Channel& channel = channels_[static_cast<size_t>(index)];
    slot.stream->detach();
    resetChannel(channel, slot.stream->rate());
    channel.stream = id;
    slot.channel = index;
    applyGain(channel);
    slot.stream->attach(channel.source);
    return handleOf(static_cast<size_t>(index));
}

void OpenAlSoundLibrary::releaseStreamChannel(StreamSlot& slot) {
    slot.stream->detach();
    channels_[static_cast<size_t>(slot.channel)].stream = kNoStream;
    slot.channel = -1;
}

int32_t OpenAlSoundLibrary::streamStop(StreamHandle stream) {
    if (!live()) {
        return silent_.streamStop(stream);
    }
    bind();
    StreamSlot* slot = streamFor(stream);
    if (slot == nullptr) {
        return 0;
    }
    if (slot->channel >= 0) {
        releaseStreamChannel(*slot);
    }
    return 1;
}

int32_t OpenAlSoundLibrary::streamClose(StreamHandle stream) {
    if (!live()) {
        return silent_.streamClose(stream);
    }
    if (!streamStop(stream)) {
        return 0;
    }
    streams_.erase(stream);
    return 1;
}

int32_t OpenAlSoundLibrary::renderMix(float* out, int32_t frames) {
    if (!live() || options_.output != SoundOutput::kLoopback || frames < 0) {
        return 0;
    }
    bind();
    alcRenderSamplesSOFT(device_, out, frames);
    return 1;
}

}  // namespace zr::audio

namespace zr {

std::unique_ptr<SoundLibrary> createOpenAlSoundLibrary(const OpenAlOptions& options) {
    return std::make_unique<audio::OpenAlSoundLibrary>(options);
}

}  // namespace zr
