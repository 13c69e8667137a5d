// Stage that draws the game's fixed pictures (splash, loading, credits,
// mouse cursor) into outDir/images. The title menu's background belongs to
// the menus stage, which paints its buttons onto it.
#pragma once

#include "asset_log.h"

namespace assetgen {

bool drawPictures(const std::filesystem::path& outDir, AssetLog& log);

} // namespace assetgen
