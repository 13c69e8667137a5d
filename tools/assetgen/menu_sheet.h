// A menu as the game reads it from pictures: the background, a position
// image ("panel pos.png" for "panel.png") whose top row holds one key colour
// per button number and whose marker pixels sit on the bottom-left corner of
// each button, and per button "N select.png" (its hovered look, transparent
// outside the button) and, where the game can disable it, "N inactive.png".
#pragma once

#include "asset_log.h"
#include "canvas.h"
#include "menu_style.h"

#include <filesystem>
#include <span>
#include <string_view>

namespace assetgen {

struct MenuButton {
    int number;      // 1-based: row number - 1 of the game's button table
    PixelRect face;  // where the button is painted on the background
    ButtonArt art;
};

// Paints everything of a menu but its buttons, in background pixels. It is
// also replayed under a disabled button's picture, so it must draw the
// same pixels whatever size of canvas it is given.
using BackdropPainter = void (*)(const Canvas&);

struct MenuSheet {
    std::string_view background;  // below the data folder, e.g. "images/panel/panel.png"
    int width;
    int height;
    Opacity opacity;
    BackdropPainter backdrop;
    std::span<const MenuButton> buttons;
    bool withInactive;
    // False where another menu paints these buttons' normal look (the
    // corner menus' close tabs live on the open sliding panels).
    bool facesOnBackground = true;
};

// A button's pictures are its face grown by this margin on every side. The
// disabled look repaints the backdrop in the margin, so it hides the normal
// face's soft edge completely.
constexpr int kFaceMargin = 2;

// The rectangle of a button's pictures on the background.
constexpr PixelRect buttonPicture(const MenuButton& button)
{
    return button.face.grown(kFaceMargin);
}

// Checks the layout against the rules the game reads it by, then writes
// every picture of the menu. Returns false with log.error set on failure.
bool writeMenuSheet(const std::filesystem::path& outDir, const MenuSheet& sheet, const FontLibrary& fonts,
                    AssetLog& log);

} // namespace assetgen
