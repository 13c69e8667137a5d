// Title-menu background: a sunny park with a coaster on the hills and the
// game's title across the top. The menu stage lays its buttons over the
// lower middle, so that area is kept to a calm meadow.
#include "coaster_track.h"
#include "picture_painters.h"
#include "scenery.h"

namespace assetgen {
namespace {

const Ridge kFarHills{300.0, 16.0, 520.0, 0.6, 8.0, 190.0, 2.1};
const Ridge kNearHills{342.0, 7.0, 610.0, 2.4, 3.0, 170.0, 0.4};
const Ridge kMeadow{386.0, 10.0, 900.0, 4.0, 4.0, 260.0, 1.0};

void paintSky(const Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    fillVerticalGradient(canvas, 0.0, 360.0,
                         {{0.0, hexColour(0x2F7FD6)}, {0.55, hexColour(0x7DBDF0)}, {1.0, hexColour(0xD4EEFA)}});
    drawSun(cr, 748.0, 56.0, 26.0, hexColour(0xFFF6C8), hexColour(0xFFE27A));
    drawCloud(cr, 40.0, 150.0, 0.9, 0.92);
    drawCloud(cr, 300.0, 190.0, 0.55, 0.8);
    drawCloud(cr, 560.0, 175.0, 0.75, 0.88);
    drawCloud(cr, 690.0, 245.0, 0.5, 0.75);
}

void paintLandscape(const Canvas& canvas)
{
    fillBelowRidge(canvas, kFarHills, {{0.0, hexColour(0x9CC7A4)}, {0.3, hexColour(0x84B58D)}});
    cairo_t* cr = canvas.cr();
    constexpr double kFarTrees[] = {330.0, 352.0, 371.0, 470.0, 488.0};
    for (const double x : kFarTrees) {
        drawTree(cr, x, kFarHills.yAt(x) + 4.0, 24.0, hexColour(0x5E9A6A), hexColour(0x6B5A48), 0.4);
    }
    fillBelowRidge(canvas, kNearHills, {{0.0, hexColour(0x78C35C)}, {0.25, hexColour(0x5DAE4A)}});
}

void paintForeground(const Canvas& canvas)
{
    fillBelowRidge(canvas, kMeadow,
                   {{0.0, hexColour(0x86CF5E)}, {0.45, hexColour(0x6ABB4C)}, {1.0, hexColour(0x4C9C3C)}});
    cairo_t* cr = canvas.cr();
    struct Tree {
        double x, groundY, height;
    };
    // Big trees at the edges frame the scene and leave the middle open.
    constexpr Tree kTrees[] = {{28, 596, 150}, {92, 604, 110}, {712, 600, 120}, {776, 592, 160}};
    for (const auto& tree : kTrees) {
        drawTree(cr, tree.x, tree.groundY, tree.height, hexColour(0x2F8A3A), hexColour(0x6B4A2E), 0.6);
    }
}

void paintStation(cairo_t* cr, double x, double trackY)
{
    setColour(cr, hexColour(0xE8DCC2));
    cairo_rectangle(cr, x, trackY + 4.0, 64.0, 12.0);
    cairo_fill(cr);
    setColour(cr, hexColour(0x8A5A3C));
    cairo_rectangle(cr, x + 4.0, trackY - 34.0, 4.0, 38.0);
    cairo_rectangle(cr, x + 56.0, trackY - 34.0, 4.0, 38.0);
    cairo_fill(cr);
    setColour(cr, hexColour(0xD8433A));
    cairo_move_to(cr, x - 8.0, trackY - 32.0);
    cairo_line_to(cr, x + 32.0, trackY - 52.0);
    cairo_line_to(cr, x + 72.0, trackY - 32.0);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void paintCoaster(const Canvas& canvas)
{
    constexpr double kBase = 334.0;
    CoasterTrack track({-20.0, kBase});
    track.lineTo({40.0, kBase});
    track.curveTo({70.0, kBase}, {82.0, kBase - 8.0}, {95.0, kBase - 28.0});
    track.lineTo({172.0, 170.0});                                      // lift hill
    track.curveTo({188.0, 142.0}, {222.0, 138.0}, {238.0, 168.0});     // crest
    const double crest = track.length();
    track.curveTo({262.0, 215.0}, {270.0, 305.0}, {304.0, 326.0});     // first drop
    track.curveTo({330.0, kBase + 6.0}, {380.0, kBase}, {420.0, kBase});
    track.lineTo({548.0, kBase});
    track.loop(150.0, 176.0, 54.0);
    track.curveTo({650.0, kBase}, {672.0, 262.0}, {712.0, 262.0});     // camelback
    track.curveTo({752.0, 262.0}, {776.0, kBase}, {830.0, kBase});

    cairo_t* cr = canvas.cr();
    const auto groundAt = [](double x) { return kNearHills.yAt(x) + 6.0; };
    drawSupports(cr, track, groundAt, {hexColour(0x3C6FA8), 3.5, 20.0, 0.0});
    paintStation(cr, 0.0, kBase);
    drawRails(cr, track, {hexColour(0xE0322E), hexColour(0x8E2A2A), 4.0, 5.0, 7.0});
    drawTrain(cr, track, crest + 62.0,
              {5, 24.0, hexColour(0xFFC928), hexColour(0xB5531A), hexColour(0x5A3A2A)});
}

} // namespace

void paintTitleBackground(const Canvas& canvas)
{
    paintSky(canvas);
    paintLandscape(canvas);
    paintCoaster(canvas);
    paintForeground(canvas);
    drawTitle(canvas, "Zephyrail", canvas.width() / 2.0, 112.0,
              {FontStyle::SansBold, 100.0, hexColour(0xFFFFFF), hexColour(0xFFD84A), hexColour(0x1C3F86),
               5.0, 6.0, 0.3, 2.0});
}

} // namespace assetgen
