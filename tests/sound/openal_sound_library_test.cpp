// The OpenAL sound library, checked on what it actually mixes: the loopback
// output renders on demand, so every sample of the mix can be inspected.
// Runs without a sound card (and with ALSOFT_DRIVERS=null).
#include "platform/sound_library.h"
#include "sound/sound_bank.h"
#include "support/temp_folder.h"
#include "test_wav.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zr {
namespace {

constexpr int32_t kRate = 44100;
constexpr int32_t kBlockFrames = 512;  // one "game frame" of mixing between updates

struct Mix {
    std::vector<float> left;
    std::vector<float> right;
};

// Renders `frames` frames in blocks, pumping after each block as the game
// does once per frame: through the bank when there is one.
Mix render(SoundLibrary& library, int32_t frames, sound::SoundBank* bank = nullptr) {
    Mix mix;
    std::vector<float> block(2 * static_cast<size_t>(kBlockFrames));
    for (int32_t done = 0; done < frames; done += kBlockFrames) {
        EXPECT_EQ(library.renderMix(block.data(), kBlockFrames), 1);
        for (size_t i = 0; i < block.size(); i += 2) {
            mix.left.push_back(block[i]);
            mix.right.push_back(block[i + 1]);
        }
        bank != nullptr ? bank->update() : library.update();
    }
    return mix;
}

double rms(const std::vector<float>& signal, size_t from, size_t count) {
    double sum = 0.0;
    for (size_t i = from; i < from + count; ++i) {
        sum += static_cast<double>(signal[i]) * signal[i];
    }
    return std::sqrt(sum / static_cast<double>(count));
}

// Rising zero crossings per second of a tone.
double toneHz(const std::vector<float>& signal, size_t from, size_t count) {
    int32_t crossings = 0;
    for (size_t i = from + 1; i < from + count; ++i) {
        crossings += signal[i - 1] < 0.0f && signal[i] >= 0.0f;
    }
    return crossings * static_cast<double>(kRate) / static_cast<double>(count);
}

std::unique_ptr<SoundLibrary> loopbackLibrary() {
    OpenAlOptions options;
    options.output = SoundOutput::kLoopback;
    return createOpenAlSoundLibrary(options);
}

class OpenAlLibraryTest : public testing::Test {
protected:
    // The effects' ./data/music files are not in this empty folder: silence.
    test::TempFolder folder{true};
};

TEST_F(OpenAlLibraryTest, MusicStartsAgainFromItsFirstFrameRightAfterItsLast) {
    struct Case {
        const char* name;
        int32_t frames;
    };
    // Shorter than one streamed chunk, and longer than the whole queue.
    const Case cases[] = {{"short", 11025}, {"long", 100000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto signal = test::distinctSignal(c.frames, kRate);
        const std::string path = folder.file(std::string(c.name) + ".wav");
        ASSERT_TRUE(test::writeMonoWav(path, signal, kRate));
        float frameSeconds = 0.0f;
        sound::SoundBank bank(loopbackLibrary(), &frameSeconds);
        bank.playMusic(path);
        ASSERT_NE(bank.stream(), kNoStream);

        const auto length = static_cast<size_t>(c.frames);
        const Mix mix = render(bank.library(), static_cast<int32_t>(3 * length) + 2 * kBlockFrames, &bank);
        // The mix is the file scaled by the centred pan, over and over from frame 0.
        const double gain = rms(mix.left, 0, length) / rms(signal, 0, length);
        EXPECT_GT(gain, 0.3);
        double worst = 0.0;
        for (size_t n = 0; n < 3 * length; ++n) {
            worst = std::max(worst, std::abs(mix.left[n] - gain * signal[n % length]));
            worst = std::max(worst, std::abs(static_cast<double>(mix.right[n] - mix.left[n])));
        }
        EXPECT_LT(worst, 0.01);
        EXPECT_EQ(bank.library().isPlaying(bank.channel()), 1);
    }
}

TEST_F(OpenAlLibraryTest, MusicIsReadFromItsFileAsItPlays) {
    // Four seconds of tone, of which only the first two are still there by the
    // time the stream gets to them (it keeps about 1.5 s queued): a stream
    // holding the whole file would play on.
    const std::string path = folder.file("music.wav");
    ASSERT_TRUE(test::writeMonoWav(path, test::loopedSine(4 * kRate, 4 * 441, 0.5f), kRate));
    float frameSeconds = 0.0f;
    sound::SoundBank bank(loopbackLibrary(), &frameSeconds);
    bank.playMusic(path);
    ASSERT_TRUE(test::silenceFramesFrom(path, 2 * kRate));

    const Mix mix = render(bank.library(), 7 * kRate / 2, &bank);
    EXPECT_GT(rms(mix.left, 0, kRate), 0.2);
    EXPECT_LT(rms(mix.left, 2 * kRate + kBlockFrames, kRate), 1e-4);
}

TEST_F(OpenAlLibraryTest, StoppedMusicFallsSilentAndFreesItsChannel) {
    const std::string path = folder.file("music.wav");
    ASSERT_TRUE(test::writeMonoWav(path, test::loopedSine(22050, 441, 0.5f), kRate));
    auto library = loopbackLibrary();
    library->init(kRate, 1);
    const StreamHandle stream = library->streamOpen(path);
    const int32_t channel = library->streamPlay(stream);
    ASSERT_NE(channel, kNoChannel);
    render(*library, 4096);
    EXPECT_EQ(library->streamStop(stream), 1);
    EXPECT_EQ(library->isPlaying(channel), 0);
    EXPECT_EQ(rms(render(*library, 4096).left, 0, 4096), 0.0);
    EXPECT_NE(library->streamPlay(stream), kNoChannel);  // the only channel is free again
    EXPECT_EQ(library->streamClose(stream), 1);
}

TEST_F(OpenAlLibraryTest, OneShotSamplesEndAndTheirOldChannelHandleGoesStale) {
    const std::string path = folder.file("click.wav");
    ASSERT_TRUE(test::writeMonoWav(path, test::loopedSine(2205, 50, 0.5f), kRate));
    auto library = loopbackLibrary();
    library->init(kRate, 1);
    const SampleHandle sample = library->sampleLoad(path, 0);
    ASSERT_NE(sample, kNoSample);

    const int32_t first = library->playSound(sample);
    ASSERT_NE(first, kNoChannel);
    EXPECT_EQ(library->isPlaying(first), 1);
    EXPECT_EQ(library->playSound(sample), kNoChannel);  // the one channel is busy
    render(*library, 2205 + kBlockFrames);
    EXPECT_EQ(library->isPlaying(first), 0);

    const int32_t second = library->playSound(sample);
    ASSERT_NE(second, kNoChannel);
    EXPECT_NE(second, first);
    EXPECT_EQ(library->isPlaying(first), 0);
    EXPECT_EQ(library->stopSound(first), 0);  // cannot stop the new sound
    EXPECT_EQ(library->isPlaying(second), 1);
    EXPECT_EQ(library->sampleFree(sample), 1);
    EXPECT_EQ(library->isPlaying(second), 0);
}

TEST_F(OpenAlLibraryTest, LoopedSamplesRepeatAtTheFrequencySet) {
    const std::string path = folder.file("hum.wav");
    // 441 Hz at a native rate of 22050 Hz, 44 whole cycles.
    ASSERT_TRUE(test::writeMonoWav(path, test::loopedSine(2200, 44, 0.5f), 22050));
    auto library = loopbackLibrary();
    library->init(kRate, 4);
    const int32_t channel = library->playSound(library->sampleLoad(path, 1));
    ASSERT_NE(channel, kNoChannel);

    const Mix native = render(*library, kRate / 2);
    EXPECT_NEAR(toneHz(native.left, 0, native.left.size()), 441.0, 10.0);
    EXPECT_EQ(library->setFrequency(channel, 44100), 1);
    const Mix doubled = render(*library, kRate / 2);
    EXPECT_NEAR(toneHz(doubled.left, 0, doubled.left.size()), 882.0, 10.0);
    EXPECT_EQ(library->isPlaying(channel), 1);
    EXPECT_GT(rms(doubled.left, doubled.left.size() - 4096, 4096), 0.1);
}

TEST_F(OpenAlLibraryTest, VolumePanAndEffectsMasterShapeTheMix) {
    const std::string path = folder.file("tone.wav");
    ASSERT_TRUE(test::writeMonoWav(path, test::loopedSine(4410, 100, 0.5f), kRate));
    auto library = loopbackLibrary();
    library->init(kRate, 4);
    const int32_t channel = library->playSound(library->sampleLoad(path, 1));
    auto level = [&] {
        render(*library, 2048);  // let the gain ramp settle
        const Mix mix = render(*library, 8192);
        return std::pair{rms(mix.left, 0, 8192), rms(mix.right, 0, 8192)};
    };
    const auto full = level();
    EXPECT_NEAR(full.first, full.second, 0.01 * full.first);

    library->setVolume(channel, 128);
    const auto half = level();
    EXPECT_NEAR(half.first / full.first, 128.0 / 255.0, 0.02);

    library->setVolume(channel, 255);
    library->setPan(channel, 0);
    const auto hardLeft = level();
    EXPECT_LT(hardLeft.second, 0.05 * hardLeft.first);

    library->setPan(channel, kStereoPan);
    library->setSfxMasterVolume(0);
    EXPECT_EQ(level().first, 0.0);
}

TEST_F(OpenAlLibraryTest, MissingFilesPlayNothingAndNothingFails) {
    float frameSeconds = 0.1f;
    sound::SoundBank bank(loopbackLibrary(), &frameSeconds);
    EXPECT_EQ(bank.lift->play(), 1);
    EXPECT_EQ(bank.lift->isPlaying(), 0);
    EXPECT_EQ(bank.lift->stop(), 1);
    EXPECT_EQ(bank.playMusic("./data/music/title.wav"), 1);
    EXPECT_EQ(bank.stream(), kNoStream);
    bank.fadeMusicOut();
    const Mix mix = render(bank.library(), 4096);
    EXPECT_EQ(rms(mix.left, 0, 4096), 0.0);
    EXPECT_EQ(bank.stopMusic(), 1);
}

TEST_F(OpenAlLibraryTest, WithoutADeviceEverythingSucceedsSilently) {
    const std::string path = folder.file("tone.wav");
    ASSERT_TRUE(test::writeMonoWav(path, test::loopedSine(4410, 100, 0.5f), kRate));
    OpenAlOptions options;
    options.deviceName = "zephyrail test: no such device";
    auto library = createOpenAlSoundLibrary(options);
    EXPECT_EQ(library->init(kRate, 32), 1);
    const SampleHandle sample = library->sampleLoad(path, 1);
    const StreamHandle stream = library->streamOpen(path);
    EXPECT_NE(sample, kNoSample);
    EXPECT_NE(stream, kNoStream);
    const int32_t channel = library->playSound(sample);
    EXPECT_NE(channel, kNoChannel);
    const int32_t results[] = {library->setSfxMasterVolume(255),
                               library->setFrequency(channel, 8000),
                               library->setVolume(channel, 10),
                               library->setPan(channel, kStereoPan),
                               library->stopSound(channel),
                               library->streamSetEndCallback(stream, nullptr, nullptr),
                               library->streamPlay(stream) >= 0,
                               library->streamStop(stream),
                               library->streamClose(stream),
                               library->sampleFree(sample),
                               library->close()};
    for (const int32_t result : results) {
        EXPECT_EQ(result, 1);
    }
    EXPECT_EQ(library->isPlaying(channel), 0);
    std::vector<float> block(64);
    EXPECT_EQ(library->renderMix(block.data(), 32), 0);
}

TEST_F(OpenAlLibraryTest, TheDefaultOutputRunsTheBankWhateverTheMachineHas) {
    const std::string path = folder.file("music.wav");
    ASSERT_TRUE(test::writeMonoWav(path, test::loopedSine(4410, 100, 0.5f), kRate));
    float frameSeconds = 0.016f;
    sound::SoundBank bank(createOpenAlSoundLibrary(), &frameSeconds);
    EXPECT_EQ(bank.playMusic(path), 1);
    for (int frame = 0; frame < 10; ++frame) {
        bank.fadeMusicOut();
        bank.update();
    }
    EXPECT_EQ(bank.stopMusic(), 1);
}

}  // namespace
}  // namespace zr
