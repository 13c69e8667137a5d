// Stage that draws every menu of the interface (title menu, editor panels,
// boxes, file browser) with their position and button pictures, and the
// ride-result banners, into outDir/images.
#pragma once

#include "asset_log.h"

namespace assetgen {

bool drawMenus(const std::filesystem::path& outDir, AssetLog& log);

} // namespace assetgen
