// Title menu: the sunny park picture with one card per level along the
// meadow, each with a painted view of the level, its name, and Ride and
// Build buttons; Exit below the cards. The game's table numbers the buttons
// 2n + 1 = ride level n, 2n + 2 = build level n (n = 0..4), 11 = exit.
#include "menu_icons.h"
#include "menu_sheets.h"
#include "picture_painters.h"

#include <array>
#include <cmath>
#include <numbers>

namespace assetgen {
namespace {

constexpr int kLevels = 5;
constexpr int kCardWidth = 144;
constexpr int kCardHeight = 196;
constexpr int kCardTop = 352;
constexpr int kCardLeft = 20;
constexpr int kCardPitch = 154;
constexpr int kInset = 8;
constexpr int kVignetteWidth = 128;
constexpr int kVignetteHeight = 72;
constexpr int kCommandWidth = 128;
constexpr int kCommandHeight = 34;
constexpr int kRideTop = 114;
constexpr int kBuildTop = 154;
constexpr double kFullTurn = 2.0 * std::numbers::pi;

constexpr int cardLeft(int level)
{
    return kCardLeft + level * kCardPitch;
}

constexpr ButtonArt kRideArt{Tone::Green, iconPlay, "RIDE", 18.0, 15.0, 7.0, Arrangement::Row};
constexpr ButtonArt kBuildArt{Tone::Amber, iconHammer, "BUILD", 19.0, 15.0, 7.0, Arrangement::Row};
constexpr ButtonArt kExitArt{Tone::Red, iconExit, "EXIT", 20.0, 15.0, 8.0, Arrangement::Row};

constexpr std::array<MenuButton, 2 * kLevels + 1> titleButtons()
{
    std::array<MenuButton, 2 * kLevels + 1> buttons{};
    for (int level = 0; level < kLevels; ++level) {
        const int x = cardLeft(level) + kInset;
        buttons[2 * level] = {2 * level + 1, {x, kCardTop + kRideTop, kCommandWidth, kCommandHeight}, kRideArt};
        buttons[2 * level + 1] = {2 * level + 2, {x, kCardTop + kBuildTop, kCommandWidth, kCommandHeight},
                                  kBuildArt};
    }
    buttons[2 * kLevels] = {2 * kLevels + 1, {330, 556, 140, 36}, kExitArt};
    return buttons;
}

constexpr auto kTitleButtons = titleButtons();

// --- Level views, drawn in a 128 x 72 box with its origin top-left ---

void fillPath(cairo_t* cr, Rgb colour, double alpha = 1.0)
{
    setColour(cr, colour, alpha);
    cairo_fill(cr);
}

void fillBand(cairo_t* cr, double top, double bottom, Rgb from, Rgb to)
{
    cairo_rectangle(cr, 0.0, top, kVignetteWidth, bottom - top);
    const auto shade = verticalGradient(top, bottom, {{0.0, from}, {1.0, to}});
    cairo_set_source(cr, shade.get());
    cairo_fill(cr);
}

void polygonPath(cairo_t* cr, std::initializer_list<Point> points)
{
    bool first = true;
    for (const auto& p : points) {
        if (first) {
            cairo_move_to(cr, p.x, p.y);
            first = false;
        } else {
            cairo_line_to(cr, p.x, p.y);
        }
    }
    cairo_close_path(cr);
}

// A rolling horizon from x 0 to the box's right edge, filled down to the bottom.
void hillPath(cairo_t* cr, double baseY, double amplitude, double wavelength, double phase)
{
    cairo_move_to(cr, 0.0, kVignetteHeight);
    for (double x = 0.0; x <= kVignetteWidth; x += 4.0) {
        cairo_line_to(cr, x, baseY + amplitude * std::sin(kFullTurn * x / wavelength + phase));
    }
    cairo_line_to(cr, kVignetteWidth, kVignetteHeight);
    cairo_close_path(cr);
}

void disc(cairo_t* cr, double x, double y, double radius, Rgb colour, double alpha = 1.0)
{
    cairo_arc(cr, x, y, radius, 0.0, kFullTurn);
    fillPath(cr, colour, alpha);
}

// A small red coaster hill on its posts: every park has one.
void miniCoaster(cairo_t* cr, double left, double base, double width, double height, Rgb rail)
{
    setColour(cr, hexColour(0xFFFFFF), 0.75);
    cairo_set_line_width(cr, 1.0);
    for (double x = left + 4.0; x < left + width; x += 6.0) {
        const double t = (x - left) / width;
        cairo_move_to(cr, x, base);
        cairo_line_to(cr, x, base - height * std::sin(std::numbers::pi * t));
    }
    cairo_stroke(cr);
    cairo_move_to(cr, left, base);
    for (double x = left; x <= left + width; x += 2.0) {
        cairo_line_to(cr, x, base - height * std::sin(std::numbers::pi * (x - left) / width));
    }
    setColour(cr, rail);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
}

void paintMeadowView(cairo_t* cr)
{
    fillBand(cr, 0.0, 50.0, hexColour(0x4FA6EC), hexColour(0xCDEBFA));
    disc(cr, 106.0, 14.0, 11.0, hexColour(0xFFE27A), 0.35);
    disc(cr, 106.0, 14.0, 6.5, hexColour(0xFFF6C8));
    drawCloud(cr, 14.0, 20.0, 0.3, 0.95);
    hillPath(cr, 40.0, 3.0, 90.0, 0.8);
    fillPath(cr, hexColour(0x8CC98A));
    miniCoaster(cr, 62.0, 44.0, 40.0, 20.0, hexColour(0xE0322E));
    hillPath(cr, 48.0, 2.5, 140.0, 2.0);
    const auto grass = verticalGradient(44.0, 72.0, {{0.0, hexColour(0x7CCB58)}, {1.0, hexColour(0x4C9C3C)}});
    cairo_set_source(cr, grass.get());
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, 40.0, 60.0);
    cairo_scale(cr, 24.0, 6.5);
    cairo_arc(cr, 0.0, 0.0, 1.0, 0.0, kFullTurn);
    cairo_restore(cr);
    fillPath(cr, hexColour(0x3C8FD8));
    cairo_move_to(cr, 26.0, 59.0);
    cairo_line_to(cr, 44.0, 59.0);
    cairo_move_to(cr, 36.0, 62.0);
    cairo_line_to(cr, 52.0, 62.0);
    setColour(cr, hexColour(0xBFE4FA), 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    drawTree(cr, 100.0, 64.0, 26.0, hexColour(0x2F8A3A), hexColour(0x6B4A2E), 0.6);
    drawTree(cr, 116.0, 66.0, 18.0, hexColour(0x3A9A44), hexColour(0x6B4A2E), 0.6);
    drawTree(cr, 10.0, 60.0, 16.0, hexColour(0x3A9A44), hexColour(0x6B4A2E), 0.6);
}

void paintCanyonView(cairo_t* cr)
{
    fillBand(cr, 0.0, 56.0, hexColour(0xF08A4B), hexColour(0xFCE3B0));
    disc(cr, 34.0, 24.0, 14.0, hexColour(0xFFE9B0), 0.35);
    disc(cr, 34.0, 24.0, 8.0, hexColour(0xFFF3D0));
    polygonPath(cr, {{0, 56}, {0, 34}, {8, 34}, {11, 30}, {30, 30}, {34, 40}, {52, 40}, {55, 56}});
    fillPath(cr, hexColour(0xC8643C));
    polygonPath(cr, {{44, 56}, {48, 36}, {58, 36}, {60, 44}, {66, 56}});
    fillPath(cr, hexColour(0xB85434));
    polygonPath(cr, {{66, 72}, {72, 24}, {76, 21}, {104, 21}, {108, 26}, {112, 44}, {128, 44}, {128, 72}});
    fillPath(cr, hexColour(0xA2402A));
    // Strata lines across the big mesa.
    cairo_move_to(cr, 71.0, 32.0);
    cairo_line_to(cr, 107.0, 32.0);
    cairo_move_to(cr, 69.0, 42.0);
    cairo_line_to(cr, 111.0, 42.0);
    setColour(cr, hexColour(0xD9784A), 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    fillBand(cr, 56.0, 72.0, hexColour(0xE0A060), hexColour(0xC27A44));
    polygonPath(cr, {{66, 72}, {70, 56}, {112, 56}, {128, 60}, {128, 72}});
    fillPath(cr, hexColour(0xA2402A));
    // A cactus in the foreground.
    setColour(cr, hexColour(0x3F7A34));
    cairo_set_line_width(cr, 4.0);
    cairo_move_to(cr, 28.0, 70.0);
    cairo_line_to(cr, 28.0, 50.0);
    cairo_move_to(cr, 28.0, 62.0);
    cairo_line_to(cr, 22.0, 62.0);
    cairo_line_to(cr, 22.0, 55.0);
    cairo_move_to(cr, 28.0, 59.0);
    cairo_line_to(cr, 34.0, 59.0);
    cairo_line_to(cr, 34.0, 52.0);
    cairo_stroke(cr);
}

void snowyPeak(cairo_t* cr, Point left, Point peak, Point right, Rgb rock)
{
    polygonPath(cr, {left, peak, right});
    fillPath(cr, rock);
    const double cap = 0.32;
    const Point a{peak.x + (left.x - peak.x) * cap, peak.y + (left.y - peak.y) * cap};
    const Point b{peak.x + (right.x - peak.x) * cap, peak.y + (right.y - peak.y) * cap};
    polygonPath(cr, {a, peak, b, {b.x - (b.x - a.x) * 0.3, b.y - 3.0}, {a.x + (b.x - a.x) * 0.45, a.y + 2.0},
                     {a.x + (b.x - a.x) * 0.2, a.y - 2.0}});
    fillPath(cr, hexColour(0xFFFFFF));
}

void pine(cairo_t* cr, double x, double groundY, double height)
{
    setColour(cr, hexColour(0x5A3E2A));
    cairo_rectangle(cr, x - 1.0, groundY - height * 0.2, 2.0, height * 0.2);
    cairo_fill(cr);
    for (int tier = 0; tier < 3; ++tier) {
        const double top = groundY - height + tier * height * 0.22;
        const double half = height * (0.18 + tier * 0.08);
        polygonPath(cr, {{x, top}, {x + half, top + height * 0.42}, {x - half, top + height * 0.42}});
        fillPath(cr, hexColour(0x24603F));
    }
}

void paintAlpineView(cairo_t* cr)
{
    fillBand(cr, 0.0, 58.0, hexColour(0x6FA8E4), hexColour(0xE6F3FC));
    snowyPeak(cr, {-6, 60}, {34, 10}, {74, 60}, hexColour(0x7C8FA8));
    snowyPeak(cr, {50, 60}, {92, 18}, {134, 60}, hexColour(0x6A7E99));
    snowyPeak(cr, {24, 60}, {58, 30}, {92, 60}, hexColour(0x8A9CB4));
    hillPath(cr, 56.0, 2.5, 110.0, 0.3);
    const auto snow = verticalGradient(52.0, 72.0, {{0.0, hexColour(0xFFFFFF)}, {1.0, hexColour(0xD6E4F0)}});
    cairo_set_source(cr, snow.get());
    cairo_fill(cr);
    constexpr double kPines[][3] = {{12, 66, 22}, {22, 68, 16}, {98, 64, 20}, {110, 67, 26}, {120, 66, 16}};
    for (const auto& p : kPines) {
        pine(cr, p[0], p[1], p[2]);
    }
}

void paintHarbourView(cairo_t* cr)
{
    fillBand(cr, 0.0, 40.0, hexColour(0x58AEEA), hexColour(0xD6EEFB));
    drawCloud(cr, 58.0, 16.0, 0.28, 0.9);
    hillPath(cr, 37.0, 1.5, 60.0, 1.0);
    fillPath(cr, hexColour(0x7DB38A));
    fillBand(cr, 40.0, 72.0, hexColour(0x3A8ED0), hexColour(0x1A568F));
    setColour(cr, hexColour(0xBFE4FA), 0.55);
    cairo_set_line_width(cr, 1.0);
    constexpr double kWaves[][3] = {{6, 48, 14}, {30, 56, 12}, {8, 64, 16}, {50, 66, 10}, {40, 46, 8}};
    for (const auto& w : kWaves) {
        cairo_move_to(cr, w[0], w[1]);
        cairo_line_to(cr, w[0] + w[2], w[1]);
    }
    cairo_stroke(cr);
    // Lighthouse on the far point.
    polygonPath(cr, {{96, 40}, {98, 14}, {104, 14}, {106, 40}});
    fillPath(cr, hexColour(0xFFFFFF));
    cairo_rectangle(cr, 96.5, 22.0, 9.0, 5.0);
    cairo_rectangle(cr, 95.8, 32.0, 10.4, 5.0);
    fillPath(cr, hexColour(0xD8433A));
    cairo_rectangle(cr, 97.0, 9.0, 8.0, 5.0);
    fillPath(cr, hexColour(0xFFE27A));
    polygonPath(cr, {{95, 9}, {101, 4}, {107, 9}});
    fillPath(cr, hexColour(0xD8433A));
    // Pier on posts.
    setColour(cr, hexColour(0x5A3A22));
    for (double x = 70.0; x <= 126.0; x += 9.0) {
        cairo_rectangle(cr, x, 50.0, 2.0, 14.0);
    }
    cairo_fill(cr);
    cairo_rectangle(cr, 66.0, 48.0, 64.0, 4.0);
    fillPath(cr, hexColour(0x9A6A3E));
    // Sailing boat.
    polygonPath(cr, {{14, 56}, {44, 56}, {40, 62}, {18, 62}});
    fillPath(cr, hexColour(0xD8433A));
    cairo_rectangle(cr, 28.0, 32.0, 1.6, 24.0);
    fillPath(cr, hexColour(0x5A3A22));
    polygonPath(cr, {{30.5, 33}, {30.5, 54}, {44, 54}});
    fillPath(cr, hexColour(0xFFFFFF));
    polygonPath(cr, {{27, 36}, {27, 54}, {17, 54}});
    fillPath(cr, hexColour(0xF2F2F2));
}

void paintNightfallView(cairo_t* cr)
{
    const auto sky = verticalGradient(
        0.0, 60.0, {{0.0, hexColour(0x0C1440)}, {0.6, hexColour(0x35286C)}, {1.0, hexColour(0x7A3F7E)}});
    cairo_rectangle(cr, 0.0, 0.0, kVignetteWidth, kVignetteHeight);
    cairo_set_source(cr, sky.get());
    cairo_fill(cr);
    constexpr double kStars[][2] = {{8, 8}, {20, 22}, {34, 6}, {50, 16}, {64, 5}, {76, 24}, {88, 10},
                                    {58, 30}, {14, 36}, {120, 30}, {42, 28}, {70, 14}};
    for (const auto& s : kStars) {
        disc(cr, s[0], s[1], 0.9, hexColour(0xFFFFFF), 0.9);
    }
    // Crescent moon: a disc with an offset disc taken out of it.
    cairo_push_group(cr);
    disc(cr, 106.0, 15.0, 9.0, hexColour(0xFFF3C4));
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    disc(cr, 111.0, 11.0, 8.0, hexColour(0x000000));
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
    hillPath(cr, 54.0, 3.0, 100.0, 2.2);
    fillPath(cr, hexColour(0x1A1030));
    // Ferris wheel outlined in lights.
    constexpr double kWheelX = 34.0;
    constexpr double kWheelY = 34.0;
    constexpr double kWheelR = 17.0;
    setColour(cr, hexColour(0xB9A2F0), 0.8);
    cairo_set_line_width(cr, 1.0);
    for (int spoke = 0; spoke < 8; ++spoke) {
        const double a = spoke * kFullTurn / 8.0;
        cairo_move_to(cr, kWheelX, kWheelY);
        cairo_line_to(cr, kWheelX + kWheelR * std::cos(a), kWheelY + kWheelR * std::sin(a));
    }
    cairo_move_to(cr, kWheelX - 9.0, 60.0);
    cairo_line_to(cr, kWheelX, kWheelY);
    cairo_line_to(cr, kWheelX + 9.0, 60.0);
    cairo_stroke(cr);
    cairo_arc(cr, kWheelX, kWheelY, kWheelR, 0.0, kFullTurn);
    setColour(cr, hexColour(0xFF8AD8));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (int bulb = 0; bulb < 16; ++bulb) {
        const double a = bulb * kFullTurn / 16.0;
        disc(cr, kWheelX + kWheelR * std::cos(a), kWheelY + kWheelR * std::sin(a), 1.3, hexColour(0xFFE27A));
    }
    // A lit coaster hill.
    for (double x = 64.0; x <= 124.0; x += 5.0) {
        const double y = 62.0 - 24.0 * std::sin(std::numbers::pi * (x - 64.0) / 60.0);
        disc(cr, x, y, 1.4, (static_cast<int>(x) / 5) % 2 == 0 ? hexColour(0xFFE27A) : hexColour(0x7FE0FF));
    }
    cairo_rectangle(cr, 0.0, 64.0, kVignetteWidth, 8.0);
    fillPath(cr, hexColour(0x120A22));
}

struct Level {
    std::string_view name;
    void (*paintView)(cairo_t*);
};

constexpr Level kLevelCards[kLevels] = {
    {"Meadow", paintMeadowView},   {"Canyon", paintCanyonView},       {"Alpine", paintAlpineView},
    {"Harbour", paintHarbourView}, {"Nightfall", paintNightfallView},
};

void paintCard(const Canvas& canvas, int level)
{
    cairo_t* cr = canvas.cr();
    const int left = cardLeft(level);
    // Shadow on the grass under the card.
    roundedRectPath(cr, left + 3.0, kCardTop + 4.0, kCardWidth, kCardHeight, 12.0);
    setColour(cr, hexColour(0x000000), 0.25);
    cairo_fill(cr);
    paintPanel(canvas, {left, kCardTop, kCardWidth, kCardHeight}, 12.0);

    const double vx = left + kInset;
    const double vy = kCardTop + kInset;
    cairo_save(cr);
    roundedRectPath(cr, vx, vy, kVignetteWidth, kVignetteHeight, 6.0);
    cairo_clip(cr);
    cairo_translate(cr, vx, vy);
    kLevelCards[level].paintView(cr);
    cairo_restore(cr);
    roundedRectPath(cr, vx - 0.5, vy - 0.5, kVignetteWidth + 1.0, kVignetteHeight + 1.0, 6.5);
    setColour(cr, palette::kPanelRim, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);

    paintHeading(canvas, kLevelCards[level].name, left + kCardWidth / 2.0, kCardTop + 104.0, 18.0, Align::Centre);
}

void paintTitleBackdrop(const Canvas& canvas)
{
    paintTitleBackground(canvas);
    for (int level = 0; level < kLevels; ++level) {
        paintCard(canvas, level);
    }
}

const MenuSheet kTitleMenu{"images/build/build.png", 800, 600, Opacity::Opaque, paintTitleBackdrop, kTitleButtons,
                           false};

} // namespace

const MenuSheet& titleMenu()
{
    return kTitleMenu;
}

} // namespace assetgen
