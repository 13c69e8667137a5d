// The SoundBank's rules against a recording library: start-up and shut-down
// order, the music calls, the fades and the effects' stop rule.
#include "sound/sound_bank.h"
#include "recording_sound_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace zr::sound {
namespace {

using Log = std::vector<std::string>;

// Calls whose name starts with `prefix`, in order.
Log callsNamed(const Log& log, const std::string& prefix) {
    Log picked;
    std::copy_if(log.begin(), log.end(), std::back_inserter(picked),
                 [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
    return picked;
}

class SoundBankTest : public testing::Test {
protected:
    SoundBankTest() {
        auto library = std::make_unique<test::RecordingSoundLibrary>(log);
        fake = library.get();
        bank = std::make_unique<SoundBank>(std::move(library), &frameSeconds);
    }

    Log log;
    float frameSeconds = 0.1f;
    test::RecordingSoundLibrary* fake = nullptr;  // owned by the bank
    std::unique_ptr<SoundBank> bank;
};

TEST_F(SoundBankTest, StartsTheLibraryLoadsTheEffectsInOrderAndSetsFullVolumes) {
    EXPECT_EQ(log, (Log{"init 44100 32", "sampleLoad ./data/music/lift.wav 1", "sampleLoad ./data/music/wooden.wav 1",
                        "sampleLoad ./data/music/steel.wav 1", "sampleLoad ./data/music/scream.wav 0",
                        "setSfxMasterVolume 255"}));
    EXPECT_EQ(bank->musicVolume, 255.0f);
    EXPECT_EQ(bank->stream(), kNoStream);
}

TEST_F(SoundBankTest, ShutsDownMusicThenEffectsLiftSteelWoodenScreamThenTheLibrary) {
    bank->playMusic("./data/music/title.wav");
    bank->lift->play();
    fake->playingChannels = {bank->lift->channel()};
    const int32_t liftChannel = bank->lift->channel();
    log.clear();
    bank.reset();
    Log shutdown;
    std::copy_if(log.begin(), log.end(), std::back_inserter(shutdown),
                 [](const std::string& call) { return call.rfind("isPlaying", 0) != 0; });
    // Samples were loaded as 1 lift, 2 wooden, 3 steel, 4 scream.
    EXPECT_EQ(shutdown, (Log{"streamStop 40", "streamClose 40", "stopSound " + std::to_string(liftChannel),
                             "sampleFree 1", "sampleFree 3", "sampleFree 2", "sampleFree 4", "close"}));
}

TEST_F(SoundBankTest, PlayMusicOpensPlaysAndCentresWithoutTouchingTheVolume) {
    bank->musicVolume = 17.0f;
    log.clear();
    EXPECT_EQ(bank->playMusic("./data/music/title.wav"), 1);
    EXPECT_EQ(log,
              (Log{"streamOpen ./data/music/title.wav", "streamSetEndCallback 40", "streamPlay 40", "setPan 5 -1"}));
    EXPECT_EQ(fake->endUserData, bank.get());
    EXPECT_EQ(bank->stream(), 40);
    EXPECT_EQ(bank->channel(), 5);
}

TEST_F(SoundBankTest, EndOfTheMusicPlaysTheSameStreamAgainAndOnlyMovesTheChannel) {
    bank->playMusic("./data/music/background.wav");
    bank->musicVolume = 100.0f;
    log.clear();
    EXPECT_EQ(fake->reachEnd(bank->stream()), 1);
    EXPECT_EQ(log, (Log{"streamPlay 40"}));
    EXPECT_EQ(bank->channel(), 6);
    EXPECT_EQ(bank->stream(), 40);
    EXPECT_EQ(bank->musicVolume, 100.0f);
    bank->fadeMusicOut();  // later fades follow the music to its new channel
    EXPECT_EQ(callsNamed(log, "setVolume"), (Log{"setVolume 6 74"}));
}

TEST_F(SoundBankTest, StopMusicClosesTheStreamOnceAndDoesNothingWithoutOne) {
    log.clear();
    EXPECT_EQ(bank->stopMusic(), 1);
    EXPECT_TRUE(log.empty());

    bank->playMusic("./data/music/title.wav");
    log.clear();
    EXPECT_EQ(bank->stopMusic(), 1);
    EXPECT_EQ(bank->stopMusic(), 1);
    EXPECT_EQ(log, (Log{"streamStop 40", "streamClose 40"}));
    EXPECT_EQ(bank->stream(), kNoStream);
}

TEST_F(SoundBankTest, MissingMusicFileLeavesNoStreamToStop) {
    fake->openedStream = kNoStream;
    EXPECT_EQ(bank->playMusic("./data/music/missing.wav"), 1);
    log.clear();
    EXPECT_EQ(bank->stopMusic(), 1);
    EXPECT_TRUE(log.empty());
}

TEST_F(SoundBankTest, PlayingNewMusicClosesMusicLeftOpen) {
    bank->playMusic("./data/music/title.wav");
    fake->openedStream = 41;
    log.clear();
    bank->playMusic("./data/music/background.wav");
    EXPECT_EQ(log, (Log{"streamStop 40", "streamClose 40", "streamOpen ./data/music/background.wav",
                        "streamSetEndCallback 41", "streamPlay 41", "setPan 6 -1"}));
}

struct FadeCase {
    const char* name;
    bool fadeIn;
    float start;
    float frameSeconds;
    std::vector<float> volumes;  // musicVolume after each frame
    Log volumesSet;
};

TEST_F(SoundBankTest, FadesMoveByOneFirstThenByFrameTimeAndClamp) {
    const FadeCase cases[] = {
        {"out from full",
         false,
         255.0f,
         0.1f,
         {254.0f, 228.5f, 203.0f},
         {"setVolume 5 254", "setVolume 5 228", "setVolume 5 203"}},
        {"out below zero", false, 20.0f, 0.1f, {0.0f, 0.0f}, {"setVolume 5 0", "setVolume 5 0"}},
        {"out by a long frame", false, 255.0f, 2.0f, {254.0f, 0.0f}, {"setVolume 5 254", "setVolume 5 0"}},
        {"in from silence",
         true,
         0.0f,
         0.5f,
         {1.0f, 128.5f, 255.0f},
         {"setVolume 5 1", "setVolume 5 128", "setVolume 5 255"}},
        {"in with a zero frame", true, 0.0f, 0.0f, {1.0f, 1.0f}, {"setVolume 5 1", "setVolume 5 1"}},
        {"in above full", true, 250.0f, 0.1f, {255.0f, 255.0f}, {"setVolume 5 255", "setVolume 5 255"}},
    };
    bank->playMusic("./data/music/title.wav");
    for (const FadeCase& fade : cases) {
        SCOPED_TRACE(fade.name);
        bank->musicVolume = fade.start;
        frameSeconds = fade.frameSeconds;
        log.clear();
        for (const float expected : fade.volumes) {
            fade.fadeIn ? bank->fadeMusicIn() : bank->fadeMusicOut();
            EXPECT_FLOAT_EQ(bank->musicVolume, expected);
        }
        EXPECT_EQ(log, fade.volumesSet);
    }
}

TEST_F(SoundBankTest, EffectStopAsksTheLibraryOnlyWhilePlaying) {
    struct Case {
        const char* name;
        bool played;
        bool playing;
        int32_t libraryResult;
        int32_t expected;
        bool libraryStops;
    };
    const Case cases[] = {
        {"never played", false, false, 0, 1, false},
        {"played out", true, false, 0, 1, false},
        {"playing, library stops it", true, true, 1, 1, true},
        {"playing, library fails", true, true, 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SoundSample sample(*fake, "./data/music/scream.wav", false);
        if (c.played) {
            sample.play();
        }
        if (c.playing) {
            fake->playingChannels = {sample.channel()};
        }
        fake->stopResult = c.libraryResult;
        log.clear();
        EXPECT_EQ(sample.isPlaying(), c.playing ? 1 : 0);
        EXPECT_EQ(sample.stop(), c.expected);
        EXPECT_EQ(callsNamed(log, "stopSound").size(), c.libraryStops ? 1u : 0u);
        fake->playingChannels.clear();
    }
}

TEST_F(SoundBankTest, EffectsPlayOnTheChannelTheLibraryGivesAndRepitchIt) {
    log.clear();
    EXPECT_EQ(bank->wooden->play(), 1);
    EXPECT_EQ(bank->wooden->channel(), 5);
    fake->frequencyResult = 0;
    EXPECT_EQ(bank->wooden->setFrequency(30000), 0);
    EXPECT_EQ(log, (Log{"playSound 2", "setFrequency 5 30000"}));
}

TEST_F(SoundBankTest, UpdatePumpsTheLibrary) {
    log.clear();
    bank->update();
    EXPECT_EQ(log, (Log{"update"}));
}

}  // namespace
}  // namespace zr::sound
