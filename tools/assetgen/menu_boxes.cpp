// The two modal boxes, centred on the screen by the game. The game writes
// their texts itself in a small white font, centred, at these heights above
// the box's bottom edge: dialogue box title 88 and message 65; input box
// title 71 and the typed name 52. The boxes keep those lines clear.
#include "menu_icons.h"
#include "menu_sheets.h"

#include <array>
#include <numbers>

namespace assetgen {
namespace {

constexpr double kFullTurn = 2.0 * std::numbers::pi;
constexpr double kBoxRadius = 12.0;
constexpr int kBoxWidth = 300;
constexpr int kAnswerWidth = 108;
constexpr int kOkX = 34;
constexpr int kCancelX = 158;

constexpr ButtonArt answer(Tone tone, IconPainter icon, std::string_view label)
{
    return {tone, icon, label, 16.0, 14.0, 7.0, Arrangement::Row};
}

// A gold disc with a navy pictogram: the box's badge.
void paintBadge(const Canvas& canvas, double cx, double cy, double radius, IconPainter icon)
{
    cairo_t* cr = canvas.cr();
    cairo_arc(cr, cx, cy + 1.0, radius, 0.0, kFullTurn);
    setColour(cr, hexColour(0x000000), 0.35);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, radius, 0.0, kFullTurn);
    const auto shine = verticalGradient(cy - radius, cy + radius,
                                        {{0.0, hexColour(0xFFE98A)}, {1.0, hexColour(0xF0B628)}});
    cairo_set_source(cr, shine.get());
    cairo_fill(cr);
    paintIcon(cr, icon, cx, cy, radius * 1.3, palette::kPanelBottom, 1.0, false);
}

// --- Dialogue box: 300 x 136, so the title's and the message's lines end
// 48 and 71 pixels from its top (text stands on those lines); both sit in
// one message well.

constexpr int kDialogueHeight = 136;
constexpr int kDialogueButtonTop = 90;

constexpr MenuButton kDialogueButtons[] = {
    {1, {kOkX, kDialogueButtonTop, kAnswerWidth, 32}, answer(Tone::Green, iconCheck, "OK")},
    {2, {kCancelX, kDialogueButtonTop, kAnswerWidth, 32}, answer(Tone::Red, iconClose, "Cancel")},
};

void paintDialogueBackdrop(const Canvas& canvas)
{
    paintPanel(canvas, {0, 0, kBoxWidth, kDialogueHeight}, kBoxRadius);
    paintWell(canvas, {14, 28, kBoxWidth - 28, 52}, 7.0);
    paintBadge(canvas, kBoxWidth / 2.0, 15.0, 10.0, iconQuestion);
}

// --- Input box: 300 x 140; the title's line ends 69 pixels from its top
// and the typed name's at 88, inside a text field.

constexpr int kInputHeight = 140;
constexpr int kInputButtonTop = 102;
constexpr PixelRect kNameField{86, 71, 128, 21};

constexpr MenuButton kInputButtons[] = {
    {1, {kOkX, kInputButtonTop, kAnswerWidth, 30}, answer(Tone::Green, iconCheck, "OK")},
    {2, {kCancelX, kInputButtonTop, kAnswerWidth, 30}, answer(Tone::Red, iconClose, "Cancel")},
};

void paintInputBackdrop(const Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    paintPanel(canvas, {0, 0, kBoxWidth, kInputHeight}, kBoxRadius);
    paintIcon(cr, iconNewFolder, kBoxWidth / 2.0, 30.0, 34.0, palette::kGold, 1.0, true);
    paintWell(canvas, kNameField, 5.0);
    // A gold rim says the field takes typing.
    roundedRectPath(cr, kNameField.x + 0.5, kNameField.y + 0.5, kNameField.w - 1.0, kNameField.h - 1.0, 5.0);
    setColour(cr, palette::kGold, 0.8);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

const std::array<MenuSheet, 2> kBoxMenus = {{
    {"images/dialoguebox/dialoguebox.png", kBoxWidth, kDialogueHeight, Opacity::Transparent,
     paintDialogueBackdrop, kDialogueButtons, false},
    {"images/inputbox/inputbox.png", kBoxWidth, kInputHeight, Opacity::Transparent, paintInputBackdrop,
     kInputButtons, false},
}};

} // namespace

std::span<const MenuSheet> boxMenus()
{
    return kBoxMenus;
}

} // namespace assetgen
