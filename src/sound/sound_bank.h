// The game's sounds: the music stream and the four ride effects, with the
// music fades that screen transitions use. One SoundBank per game.
//
// How the game drives it:
// - Construct it during the game's set-up with the sound library (the bank
//   owns it, initialises it and closes it on destruction) and a pointer to
//   the game's frameSeconds (seconds of the current frame; must outlive the
//   bank). Paths are relative to the working directory; missing files mean
//   silence, never failure.
// - Call update() once per frame: it refills the music stream and restarts
//   the music when its file ends. Nothing else needs calling per frame.
// - Music: stopMusic() then playMusic(path) when the state changes (when the
//   game's musicOn flag is set), e.g. playMusic(kTitleMusic) on the title.
//   playMusic does not apply musicVolume: the new music starts at full volume.
// - Transitions: set musicVolume = 255 when a transition is requested, call
//   fadeMusicOut() once per frame of the fade-out and fadeMusicIn() once per
//   frame of the fade-in. A full fade takes about a second.
// - Effects: lift, wooden, steel (looped) and scream; test isPlaying() before
//   play() on a looped one, setFrequency() re-pitches the running noise.
#pragma once

#include "platform/sound_library.h"
#include "sound/sound_sample.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zr::sound {

inline constexpr const char* kTitleMusic = "./data/music/title.wav";
inline constexpr const char* kBuildingMusic = "./data/music/background.wav";
inline constexpr const char* kLiftSound = "./data/music/lift.wav";
inline constexpr const char* kWoodenSound = "./data/music/wooden.wav";
inline constexpr const char* kSteelSound = "./data/music/steel.wav";
inline constexpr const char* kScreamSound = "./data/music/scream.wav";

// What the bank asks of the library at start-up.
inline constexpr int32_t kMixRate = 44100;
inline constexpr int32_t kChannelCount = 32;

class SoundBank {
public:
    // Initialises the library, loads the four effects, full music volume.
    SoundBank(std::unique_ptr<SoundLibrary> library, const float* frameSeconds);
    // Closes the music, frees the effects, closes the library.
    ~SoundBank();
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;

    // Opens and starts path as the music (stopping any music still open);
    // it repeats from its start until stopMusic. Returns 1.
    int32_t playMusic(const std::string& path);
    // Stops and closes the music if there is any. Returns 1.
    int32_t stopMusic();
    // One frame of a music fade; the first frame of each moves by exactly 1.
    void fadeMusicOut();
    void fadeMusicIn();
    // Once per frame: keeps the music stream fed.
    void update();

    StreamHandle stream() const { return stream_; }
    int32_t channel() const { return channel_; }
    SoundLibrary& library() { return *library_; }

    // 0..255; the transition resets it to 255 when it starts.
    float musicVolume = 255.0f;
    std::unique_ptr<SoundSample> lift;
    std::unique_ptr<SoundSample> wooden;
    std::unique_ptr<SoundSample> steel;
    std::unique_ptr<SoundSample> scream;

private:
    static int32_t musicEnded(StreamHandle stream, void* userData);
    float frameSeconds() const { return frameSeconds_ != nullptr ? *frameSeconds_ : 0.0f; }
    void applyMusicVolume();

    std::unique_ptr<SoundLibrary> library_;
    const float* frameSeconds_;  // the game's, not owned
    StreamHandle stream_ = kNoStream;
    int32_t channel_ = kNoChannel;
};

}  // namespace zr::sound
