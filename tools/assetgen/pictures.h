// Stage that draws the game's fixed pictures (splash, loading, credits,
// menu background, mouse cursor) into outDir/images.
#pragma once

#include "asset_log.h"

namespace assetgen {

bool drawPictures(const std::filesystem::path& outDir, AssetLog& log);

} // namespace assetgen
