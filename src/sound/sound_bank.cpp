// The game's music and effects on the sound library.
#include "sound/sound_bank.h"

namespace zr::sound {
namespace {

constexpr float kFullVolume = 255.0f;
constexpr int32_t kSfxMasterVolume = 255;

}  // namespace

SoundBank::SoundBank(std::unique_ptr<SoundLibrary> library, const float* frameSeconds)
    : library_(library ? std::move(library) : createNullSoundLibrary()), frameSeconds_(frameSeconds) {
    library_->init(kMixRate, kChannelCount);
    lift = std::make_unique<SoundSample>(*library_, kLiftSound, true);
    wooden = std::make_unique<SoundSample>(*library_, kWoodenSound, true);
    steel = std::make_unique<SoundSample>(*library_, kSteelSound, true);
    scream = std::make_unique<SoundSample>(*library_, kScreamSound, false);
    musicVolume = kFullVolume;
    library_->setSfxMasterVolume(kSfxMasterVolume);
}

SoundBank::~SoundBank() {
    stopMusic();
    lift.reset();
    steel.reset();
    wooden.reset();
    scream.reset();
    frameSeconds_ = nullptr;
    library_->close();
}

int32_t SoundBank::playMusic(const std::string& path) {
    stopMusic();  // a stream left open would play on, out of reach
    stream_ = library_->streamOpen(path);
    library_->streamSetEndCallback(stream_, &SoundBank::musicEnded, this);
    channel_ = library_->streamPlay(stream_);
    library_->setPan(channel_, kStereoPan);
    return 1;
}

// The library's end-of-file report: the same stream plays again, and its
// channel is all that changes here.
int32_t SoundBank::musicEnded(StreamHandle stream, void* userData) {
    auto* bank = static_cast<SoundBank*>(userData);
    bank->channel_ = bank->library_->streamPlay(stream);
    return 1;
}

int32_t SoundBank::stopMusic() {
    if (stream_ != kNoStream) {
        library_->streamStop(stream_);
        library_->streamClose(stream_);
        stream_ = kNoStream;
    }
    return 1;
}

void SoundBank::fadeMusicOut() {
    musicVolume -= musicVolume == kFullVolume ? 1.0f : frameSeconds() * kFullVolume;
    if (musicVolume < 0.0f) {
        musicVolume = 0.0f;
    }
    applyMusicVolume();
}

void SoundBank::fadeMusicIn() {
    musicVolume += musicVolume == 0.0f ? 1.0f : frameSeconds() * kFullVolume;
    if (musicVolume > kFullVolume) {
        musicVolume = kFullVolume;
    }
    applyMusicVolume();
}

void SoundBank::applyMusicVolume() {
    library_->setVolume(channel_, static_cast<int32_t>(musicVolume));
}

void SoundBank::update() {
    library_->update();
}

}  // namespace zr::sound
