// The music folder: the two music loops and the four ride effects.
#include "sound_stage.h"

#include "music_composer.h"
#include "sound_effects.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <system_error>
#include <vector>

namespace assetgen {
namespace {

struct SoundAsset {
    const char* file;  // relative to the data folder
    Signal (*make)();
};

constexpr SoundAsset kSounds[] = {
    {"music/title.wav", composeTitleMusic},
    {"music/background.wav", composeBuildingMusic},
    {"music/lift.wav", synthesiseLiftChain},
    {"music/wooden.wav", synthesiseWoodenRun},
    {"music/steel.wav", synthesiseSteelRun},
    {"music/scream.wav", synthesiseScream},
};

std::vector<int16_t> toPcm16(const Signal& signal)
{
    std::vector<int16_t> pcm(signal.size());
    std::transform(signal.begin(), signal.end(), pcm.begin(), [](double x) {
        return static_cast<int16_t>(std::lround(std::clamp(x, -1.0, 1.0) * 32767.0));
    });
    return pcm;
}

} // namespace

bool writeWav(const std::filesystem::path& file, const Signal& signal, AssetLog& log)
{
    SF_INFO info{};
    info.samplerate = kSoundRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* out = sf_open(file.c_str(), SFM_WRITE, &info);
    if (out == nullptr) {
        return log.fail({"cannot write '", file.string(), "': ", sf_strerror(nullptr)});
    }
    const auto pcm = toPcm16(signal);
    const auto written = sf_write_short(out, pcm.data(), static_cast<sf_count_t>(pcm.size()));
    const bool closed = sf_close(out) == 0;
    if (written != static_cast<sf_count_t>(pcm.size()) || !closed) {
        return log.fail({"cannot write '", file.string(), "'"});
    }
    return true;
}

bool writeSounds(const std::filesystem::path& outDir, AssetLog& log)
{
    std::error_code ec;
    std::filesystem::create_directories(outDir / "music", ec);
    if (ec) {
        return log.fail({"cannot create folder '", (outDir / "music").string(), "': ", ec.message()});
    }
    for (const auto& sound : kSounds) {
        if (!writeWav(outDir / sound.file, sound.make(), log)) {
            return false;
        }
        ++log.filesWritten;
    }
    return true;
}

} // namespace assetgen
