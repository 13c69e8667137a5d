// Stage that lays out the data folder's directories before anything is written.
#pragma once

#include "asset_log.h"

namespace assetgen {

// Creates outDir, its image folders and an empty maps/ folder. maps/ holds the
// player's saved coasters, so an existing one is left exactly as it is.
bool prepareDataFolders(const std::filesystem::path& outDir, AssetLog& log);

} // namespace assetgen
