// Credits screen: the title over a twilight-purple backdrop with a starry
// sky, the team and the libraries the game is built on.
#include "coaster_track.h"
#include "picture_painters.h"
#include "scenery.h"

#include <cmath>
#include <numbers>

namespace assetgen {
namespace {

constexpr Rgb kGold = hexColour(0xFFC857);
constexpr Rgb kRoleColour = hexColour(0xFF9E6B);
constexpr Rgb kNameColour = hexColour(0xF3EEFF);

void paintBackdrop(const Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    fillVerticalGradient(canvas, 0.0, canvas.height(),
                         {{0.0, hexColour(0x1A1E4A)}, {0.55, hexColour(0x35265E)}, {1.0, hexColour(0x5A2F62)}});
    const auto glow = radialGlow(canvas.width() / 2.0, 330.0, 380.0,
                                 {{0.0, hexColour(0x6A4FA0), 0.45}, {1.0, hexColour(0x6A4FA0), 0.0}});
    cairo_set_source(cr, glow.get());
    cairo_paint(cr);
    // Stars from a fixed integer hash, so every run places them identically.
    for (unsigned i = 0; i < 90; ++i) {
        const unsigned h = (i * 2654435761u) ^ (i * 40503u + 0x9E37u);
        const double x = h % 800u;
        const double y = (h / 800u) % 260u;
        const double size = 0.6 + (h % 7u) * 0.18;
        setColour(cr, hexColour(0xFFFFFF), 0.35 + (h % 5u) * 0.12);
        cairo_arc(cr, x, y, size, 0.0, 2.0 * std::numbers::pi);
        cairo_fill(cr);
    }
}

// A faint coaster along the bottom edge ties the screen to the game.
void paintTrackBand(const Canvas& canvas)
{
    CoasterTrack track({-20.0, 560.0});
    track.curveTo({60.0, 560.0}, {90.0, 520.0}, {150.0, 520.0});
    track.curveTo({210.0, 520.0}, {230.0, 572.0}, {300.0, 572.0});
    track.lineTo({360.0, 572.0});
    track.curveTo({420.0, 572.0}, {440.0, 536.0}, {480.0, 536.0});
    track.curveTo({520.0, 536.0}, {540.0, 572.0}, {610.0, 572.0});
    track.loop(70.0, 90.0, 30.0);
    track.lineTo({820.0, 572.0});
    cairo_t* cr = canvas.cr();
    const Rgb band = hexColour(0x8C6BC4);
    drawSupports(cr, track, [&](double) { return static_cast<double>(canvas.height()); }, {band, 2.0, 20.0, 0.0});
    drawRails(cr, track, {band, band, 3.0, 4.0, 8.0});
}

struct CreditLine {
    const char* role;
    const char* name;
};

constexpr CreditLine kCredits[] = {
    {"DESIGN & PROGRAMMING", "The Zephyrail Team"},
    {"ENGINE", "Scenekit real-time 3D engine"},
    {"BUILT WITH", "SDL2, OpenGL, OpenAL, Cairo, FreeType"},
    {"LETTERING", "DejaVu fonts"},
};

} // namespace

void paintCreditsScreen(const Canvas& canvas)
{
    paintBackdrop(canvas);
    paintTrackBand(canvas);
    const double cx = canvas.width() / 2.0;
    drawTitle(canvas, "Zephyrail", cx, 128.0,
              {FontStyle::SansBold, 84.0, hexColour(0xFFF1B8), kGold, hexColour(0x3A1A4A), 4.0, 5.0, 0.4, 1.5});
    drawCentredText(canvas, "CREDITS", cx, 170.0, {FontStyle::Sans, 18.0, kRoleColour, 0.9, 8.0});

    double baseline = 222.0;
    for (const auto& line : kCredits) {
        drawCentredText(canvas, line.role, cx, baseline, {FontStyle::SansBold, 14.0, kRoleColour, 1.0, 3.0});
        drawCentredText(canvas, line.name, cx, baseline + 32.0, {FontStyle::Sans, 25.0, kNameColour});
        baseline += 66.0;
    }
    drawCentredText(canvas, "Thanks for riding!", cx, 514.0, {FontStyle::SerifBold, 30.0, kGold});
}

} // namespace assetgen
