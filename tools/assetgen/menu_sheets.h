// Every menu of the interface, grouped by the screen that shows it, plus the
// loose pictures the menus draw with (browser list parts, ride results).
#pragma once

#include "asset_log.h"
#include "font_library.h"
#include "menu_sheet.h"

#include <filesystem>
#include <span>

namespace assetgen {

// Title menu: five level cards with Ride and Build buttons, and Exit.
const MenuSheet& titleMenu();
// Editor: build panel, features panel, corner and sliding menus.
std::span<const MenuSheet> editorMenus();
// Dialogue box and input box.
std::span<const MenuSheet> boxMenus();
// Load and save browsers.
std::span<const MenuSheet> browserMenus();

// images/common: list highlight, folder icon, thumbnail mask.
bool writeBrowserParts(const std::filesystem::path& outDir, const FontLibrary& fonts, AssetLog& log);
// images/tooslow.png, collision.png, ok.png.
bool writeRideBanners(const std::filesystem::path& outDir, const FontLibrary& fonts, AssetLog& log);

} // namespace assetgen
