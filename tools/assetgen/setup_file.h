// Stage that writes setup.bin, the game's INI settings file.
#pragma once

#include "asset_log.h"

#include <optional>
#include <string>

namespace assetgen {

// The whole setup.bin text. keptDisplaySection, when given, replaces the
// default [Application Data] section and must end with a newline.
std::string setupFileText(const std::optional<std::string>& keptDisplaySection);

// Writes outDir/setup.bin. An existing file's [Application Data] section holds
// the player's display-mode choice (the game writes it), so it survives
// regeneration verbatim; every other section is rewritten.
bool writeSetupFile(const std::filesystem::path& outDir, AssetLog& log);

} // namespace assetgen
