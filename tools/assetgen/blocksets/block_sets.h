// Stage that writes the five block sets: OUTDIR/blocksets/<set>/ with its
// blocks.ini, world.txd, textures/, every piece's .dff and .anm (and a
// low-detail rail under low1/ beside the multi-height pieces), the features
// panel's pictures, the station display's frames, and the cars under
// OUTDIR/models/cars/<set>/.
#pragma once

#include "asset_log.h"

namespace assetgen {

bool writeBlockSets(const std::filesystem::path& outDir, AssetLog& log);

}  // namespace assetgen
