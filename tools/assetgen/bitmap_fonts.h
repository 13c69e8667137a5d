// The interface's two bitmap fonts, rendered from DejaVu with FreeType into
// BMFont text files with one PNG page each: images/fonts/tooltip.fnt and
// images/fonts/smallfont.fnt.
#pragma once

#include "asset_log.h"

#include <filesystem>

namespace assetgen {

bool writeBitmapFonts(const std::filesystem::path& outDir, AssetLog& log);

} // namespace assetgen
