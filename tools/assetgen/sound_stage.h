// Stage that synthesises the music and sound effects into outDir/music as
// 16-bit mono WAV files at kSoundRate.
#pragma once

#include "asset_log.h"
#include "sound_synth.h"

namespace assetgen {

// Writes signal (clamped to -1..1) as a 16-bit PCM mono WAV file.
bool writeWav(const std::filesystem::path& file, const Signal& signal, AssetLog& log);

bool writeSounds(const std::filesystem::path& outDir, AssetLog& log);

} // namespace assetgen
