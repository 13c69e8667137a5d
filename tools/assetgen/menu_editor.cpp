// The editor's menus. The game places them (bottom-left corners, 800 x 600
// units): build panel (674, 160), features panel (672, 77), corner menus
// (0, 548) and (748, 548), sliding menus closed at (-132, 556) and (756, 556),
// sliding (137, -139) and (-137, -139) to open.
//
// A sliding menu's fourth button is the only one enabled while it is closed,
// and its corner menu's toggle only while it is open. So the closed menu
// shows an "open" tab in the screen corner (its fourth button), and the open
// menu brings a "close" tab to exactly the same screen spot, painted on the
// sliding panel; the corner menu itself is transparent and only supplies the
// close tab's hovered picture. Both tabs sit at screen x 9..43 (left) or
// 762..796 (right), y 562..596.
#include "menu_icons.h"
#include "menu_sheets.h"

#include <array>

namespace assetgen {
namespace {

constexpr int kTabSize = 34;
constexpr double kTabRadius = 8.0;
constexpr double kPanelRadius = 10.0;
constexpr double kHeadingSize = 13.0;

constexpr ButtonArt iconButton(Tone tone, IconPainter icon, double iconSize = 24.0)
{
    return {tone, icon, {}, iconSize, 14.0, 7.0, Arrangement::Row};
}

constexpr ButtonArt labelButton(Tone tone, IconPainter icon, std::string_view label)
{
    return {tone, icon, label, 20.0, 14.0, 7.0, Arrangement::Row};
}

constexpr ButtonArt kOpenTab{Tone::Blue, iconMenu, {}, 20.0, 14.0, kTabRadius, Arrangement::Row};
constexpr ButtonArt kCloseTab{Tone::Blue, iconClose, {}, 18.0, 14.0, kTabRadius, Arrangement::Row};

// --- Build panel: 126 x 154, its frame drawn 124 wide so it ends 2 units
// short of the screen edge, like the features panel below it.

constexpr int kBuildWidth = 126;
constexpr int kBuildHeight = 154;
constexpr PixelRect kBuildFrame{0, 0, 124, 150};
constexpr int kCell = 36;
constexpr int kColumns[] = {4, 44, 84};
constexpr int kRows[] = {28, 68, 108};

constexpr PixelRect cell(int column, int row)
{
    return {kColumns[column], kRows[row], kCell, kCell};
}

constexpr MenuButton kBuildButtons[] = {
    {1, cell(0, 0), iconButton(Tone::Blue, iconCurveLeft)},
    {2, cell(1, 0), iconButton(Tone::Blue, iconStraight)},
    {3, cell(2, 0), iconButton(Tone::Blue, iconCurveRight)},
    {4, cell(0, 1), iconButton(Tone::Blue, iconSteeper)},
    {5, cell(1, 1), iconButton(Tone::Blue, iconShallower)},
    {6, cell(0, 2), iconButton(Tone::Blue, iconBankLeft)},
    {7, cell(1, 2), iconButton(Tone::Blue, iconBankRight)},
    {8, cell(2, 1), iconButton(Tone::Amber, iconChain)},
    {9, cell(2, 2), iconButton(Tone::Red, iconTrash)},
};

void paintBuildBackdrop(const Canvas& canvas)
{
    paintPanel(canvas, kBuildFrame, kPanelRadius);
    paintHeading(canvas, "BUILD", kBuildFrame.w / 2.0, 20.0, kHeadingSize, Align::Centre);
}

// --- Features panel: 128 x 82. The game draws the current feature's icon
// with its bottom-left corner at (30, 18) units from the panel's corner,
// inside the well, and lists the features below the panel.

constexpr int kFeaturesWidth = 128;
constexpr int kFeaturesHeight = 82;
constexpr PixelRect kFeaturesFrame{2, 0, 124, 80};
constexpr PixelRect kFeatureWell{28, 4, 72, 62};

constexpr MenuButton kFeatureButtons[] = {
    {1, {5, 14, 20, 42}, iconButton(Tone::Blue, iconPrevious, 14.0)},
    {2, {103, 14, 20, 42}, iconButton(Tone::Blue, iconNext, 14.0)},
};

void paintFeaturesBackdrop(const Canvas& canvas)
{
    paintPanel(canvas, kFeaturesFrame, kPanelRadius);
    paintWell(canvas, kFeatureWell, 6.0);
    paintHeading(canvas, "SCENERY", kFeatureWell.x + kFeatureWell.w / 2.0, 76.0, 10.0, Align::Centre);
}

// --- Corner menus: 52 x 52, transparent; the close tab's hover lies where
// the open sliding panel paints that tab.

constexpr int kCornerSize = 52;
constexpr MenuButton kLeftCornerButtons[] = {{1, {9, 4, kTabSize, kTabSize}, kCloseTab}};
constexpr MenuButton kRightCornerButtons[] = {{1, {14, 4, kTabSize, kTabSize}, kCloseTab}};

void paintNothing(const Canvas& /*canvas*/) {}

// --- Sliding menus: 179 x 183 (left) and 181 x 183 (right): open, the left
// one spans screen x 5..184 and the right one 619..800, y 417..600.

constexpr int kSlidingHeight = 183;
constexpr int kLeftWidth = 179;
constexpr int kRightWidth = 181;
constexpr int kWideButton = 167;
// The closed left menu shows its panel from x 132 on: Quit must end before.
constexpr int kLeftShortButton = 124;
constexpr int kRightShortButton = 129;
constexpr int kCommandHeight = 34;
constexpr int kCommandRows[] = {46, 94, 143};
constexpr PixelRect kLeftCloseTab{4, 4, kTabSize, kTabSize};
constexpr PixelRect kRightCloseTab{143, 4, kTabSize, kTabSize};

constexpr MenuButton kLeftMenuButtons[] = {
    {1, {6, kCommandRows[2], kLeftShortButton, kCommandHeight}, labelButton(Tone::Red, iconExit, "Quit")},
    {2, {6, kCommandRows[1], kWideButton, kCommandHeight}, labelButton(Tone::Amber, iconWreckingBall, "Demolish")},
    {3, {6, kCommandRows[0], kWideButton, kCommandHeight}, labelButton(Tone::Green, iconPlay, "Ride")},
    {4, {141, kCommandRows[2], kTabSize, kTabSize}, kOpenTab},
};

constexpr MenuButton kRightMenuButtons[] = {
    {1, {46, kCommandRows[2], kRightShortButton, kCommandHeight}, labelButton(Tone::Red, iconExit, "Quit")},
    {2, {8, kCommandRows[0], kWideButton, kCommandHeight}, labelButton(Tone::Blue, iconSave, "Save")},
    {3, {8, kCommandRows[1], kWideButton, kCommandHeight}, labelButton(Tone::Blue, iconLoad, "Load")},
    {4, {6, kCommandRows[2], kTabSize, kTabSize}, kOpenTab},
};

void paintSlidingBackdrop(const Canvas& canvas, int width, PixelRect closeTab, double headingX, Align align,
                          std::string_view heading)
{
    paintPanel(canvas, {0, 0, width, kSlidingHeight}, kPanelRadius);
    paintButtonFace(canvas, closeTab, kCloseTab, ButtonState::Normal);
    paintHeading(canvas, heading, headingX, 27.0, 15.0, align);
}

void paintLeftMenuBackdrop(const Canvas& canvas)
{
    paintSlidingBackdrop(canvas, kLeftWidth, kLeftCloseTab, 48.0, Align::Left, "COASTER");
}

void paintRightMenuBackdrop(const Canvas& canvas)
{
    paintSlidingBackdrop(canvas, kRightWidth, kRightCloseTab, 10.0, Align::Left, "FILES");
}

const std::array<MenuSheet, 6> kEditorMenus = {{
    {"images/panel/panel.png", kBuildWidth, kBuildHeight, Opacity::Transparent, paintBuildBackdrop,
     kBuildButtons, true},
    {"images/features/features.png", kFeaturesWidth, kFeaturesHeight, Opacity::Transparent,
     paintFeaturesBackdrop, kFeatureButtons, true},
    {"images/leftmenu/corner/panel.png", kCornerSize, kCornerSize, Opacity::Transparent, paintNothing,
     kLeftCornerButtons, false, false},
    {"images/rightmenu/corner/panel.png", kCornerSize, kCornerSize, Opacity::Transparent, paintNothing,
     kRightCornerButtons, false, false},
    {"images/leftmenu/panel.png", kLeftWidth, kSlidingHeight, Opacity::Transparent, paintLeftMenuBackdrop,
     kLeftMenuButtons, true},
    {"images/rightmenu/panel.png", kRightWidth, kSlidingHeight, Opacity::Transparent, paintRightMenuBackdrop,
     kRightMenuButtons, true},
}};

} // namespace

std::span<const MenuSheet> editorMenus()
{
    return kEditorMenus;
}

} // namespace assetgen
