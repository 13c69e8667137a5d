// The generated music and effects, checked as waveforms: each file is a
// 16-bit mono WAV of its intended length, audible, unclipped, and the loops
// carry on across their seam as smoothly as anywhere else in them.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRate = 22050;

struct Expected {
    const char* file;
    bool looped;
    double minSeconds;
    double maxSeconds;
};

constexpr Expected kSounds[] = {
    {"music/title.wav", true, 60.0, 120.0},  {"music/background.wav", true, 60.0, 120.0},
    {"music/lift.wav", true, 1.0, 2.0},      {"music/wooden.wav", true, 1.5, 2.5},
    {"music/steel.wav", true, 1.5, 2.5},     {"music/scream.wav", false, 1.0, 2.0},
};

struct Wave {
    SF_INFO info{};
    std::vector<double> samples;  // -1..1
};

bool readWave(const fs::path& file, Wave& wave)
{
    SNDFILE* in = sf_open(file.c_str(), SFM_READ, &wave.info);
    if (in == nullptr) {
        return false;
    }
    std::vector<short> pcm(static_cast<size_t>(wave.info.frames * wave.info.channels));
    const auto got = sf_readf_short(in, pcm.data(), wave.info.frames);
    sf_close(in);
    for (const short value : pcm) {
        wave.samples.push_back(value / 32768.0);
    }
    return got == wave.info.frames;
}

double rms(const std::vector<double>& x, size_t from, size_t count)
{
    double sum = 0.0;
    for (size_t i = from; i < from + count; ++i) {
        sum += x[i] * x[i];
    }
    return std::sqrt(sum / static_cast<double>(count));
}

// How far sample i strays from the straight line through the two before it,
// reading the signal as a loop: large only where the waveform breaks.
double kink(const std::vector<double>& x, size_t i)
{
    const size_t n = x.size();
    return std::abs(x[i] - (2.0 * x[(i + n - 1) % n] - x[(i + n - 2) % n]));
}

class SoundFilesTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        root_ = fs::temp_directory_path() / ("assetgen-sounds-" + std::to_string(getpid()));
        fs::remove_all(root_);
        const std::string command =
            std::string("'") + ZEPHYRAIL_ASSETS_EXE + "' '" + (root_ / "data").string() + "' >/dev/null 2>&1";
        status_ = std::system(command.c_str());
    }
    static void TearDownTestSuite()
    {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    static fs::path root_;
    static int status_;
};

fs::path SoundFilesTest::root_;
int SoundFilesTest::status_ = -1;

TEST_F(SoundFilesTest, EachIsAnAudibleUnclippedMonoWavOfItsLength)
{
    ASSERT_EQ(status_, 0);
    for (const Expected& sound : kSounds) {
        SCOPED_TRACE(sound.file);
        Wave wave;
        ASSERT_TRUE(readWave(root_ / "data" / sound.file, wave));
        EXPECT_EQ(wave.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        EXPECT_EQ(wave.info.channels, 1);
        EXPECT_EQ(wave.info.samplerate, kRate);
        const double seconds = static_cast<double>(wave.samples.size()) / kRate;
        EXPECT_GE(seconds, sound.minSeconds);
        EXPECT_LE(seconds, sound.maxSeconds);
        EXPECT_GT(rms(wave.samples, 0, wave.samples.size()), 0.05);
        double peak = 0.0;
        for (const double x : wave.samples) {
            peak = std::max(peak, std::abs(x));
        }
        EXPECT_LT(peak, 0.99);
    }
}

TEST_F(SoundFilesTest, LoopsRunOnAcrossTheirSeamWithoutAClickOrAFade)
{
    ASSERT_EQ(status_, 0);
    for (const Expected& sound : kSounds) {
        if (!sound.looped) {
            continue;
        }
        SCOPED_TRACE(sound.file);
        Wave wave;
        ASSERT_TRUE(readWave(root_ / "data" / sound.file, wave));
        const auto& x = wave.samples;
        std::vector<double> kinks;
        for (size_t i = 0; i < x.size(); ++i) {
            kinks.push_back(kink(x, i));
        }
        std::sort(kinks.begin(), kinks.end());
        const double typical = kinks[kinks.size() * 99 / 100];
        // The first two samples follow the last ones as any sample follows its predecessors.
        EXPECT_LE(kink(x, 0), typical);
        EXPECT_LE(kink(x, 1), typical);
        // Neither end fades: a quarter second at each end is as loud as the loop overall, roughly.
        const double overall = rms(x, 0, x.size());
        const auto quarter = static_cast<size_t>(kRate / 4);
        EXPECT_GT(rms(x, 0, quarter), 0.25 * overall);
        EXPECT_GT(rms(x, x.size() - quarter, quarter), 0.25 * overall);
    }
}

TEST_F(SoundFilesTest, TheScreamStartsAndEndsInSilence)
{
    ASSERT_EQ(status_, 0);
    Wave wave;
    ASSERT_TRUE(readWave(root_ / "data" / "music/scream.wav", wave));
    const auto& x = wave.samples;
    const auto edge = static_cast<size_t>(kRate / 200);  // 5 ms
    EXPECT_LT(std::abs(x.front()), 1e-3);
    EXPECT_LT(std::abs(x.back()), 1e-3);
    EXPECT_LT(rms(x, x.size() - edge, edge), 0.02 * rms(x, 0, x.size()));
}

} // namespace
