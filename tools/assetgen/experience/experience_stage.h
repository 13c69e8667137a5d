// Stage that writes the five prebuilt coasters the riding state shows: for
// block set n, OUTDIR/blocksets/<set>/features/experience1.dff and .anm,
// and for level n, OUTDIR/levels/<level>/experience.bsp (the level's
// landscape shaped round the coaster) and experience-objects.dff (the
// coaster's spot as the "player" marker, the level's sky and sun). Runs
// after the levels and block sets: it reuses the level's sky and adds any
// texture its ground needs to the level's dictionary.
#pragma once

#include "asset_log.h"

namespace assetgen {

bool writeExperiences(const std::filesystem::path& outDir, AssetLog& log);

}  // namespace assetgen
