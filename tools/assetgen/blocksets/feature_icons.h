// The features panel's pictures of one feature family: a side view of the
// ride element in the panel's icon well (72 x 62, drawn muted when idle and
// gold when pointed at) and its name for the list below the panel (plain,
// and gold on a lit bar when pointed at). Written beside the pieces as
// <stem>iconon.png, <stem>texton.png, <stem>iconoff.png, <stem>textoff.png.
#pragma once

#include "asset_log.h"
#include "font_library.h"

#include <filesystem>
#include <string>

namespace assetgen::blocksets {

inline constexpr int kIconWidth = 72;
inline constexpr int kIconHeight = 62;
inline constexpr int kLabelWidth = 104;
inline constexpr int kLabelHeight = 18;

// stemPath is the folder and the value cut before its last '-', e.g.
// .../features/drop; false with log.error set when a picture cannot be written.
bool writeFeatureIcons(const std::filesystem::path& stemPath, const std::string& family, const FontLibrary& fonts,
                       AssetLog& log);

}  // namespace assetgen::blocksets
