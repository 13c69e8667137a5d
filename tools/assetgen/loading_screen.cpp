// Loading screen: a timber coaster in silhouette against a sunset, its loop
// framed by the setting sun, under the game's title.
#include "coaster_track.h"
#include "picture_painters.h"
#include "scenery.h"

namespace assetgen {
namespace {

constexpr Rgb kSilhouette = hexColour(0x2A1230);
constexpr double kGroundY = 528.0;

void paintSky(const Canvas& canvas)
{
    fillVerticalGradient(canvas, 0.0, kGroundY,
                         {{0.0, hexColour(0x2B1E5C)},
                          {0.35, hexColour(0x7A2E76)},
                          {0.62, hexColour(0xE0565B)},
                          {0.85, hexColour(0xF7A04B)},
                          {1.0, hexColour(0xFFD27A)}});
    drawSun(canvas.cr(), 552.0, 400.0, 92.0, hexColour(0xFFE6A0), hexColour(0xFFB25A));
    // Thin cloud streaks catch the light low in the sky.
    cairo_t* cr = canvas.cr();
    struct Streak {
        double x, y, length;
    };
    constexpr Streak kStreaks[] = {
        {60, 300, 210}, {140, 318, 150}, {470, 286, 260}, {520, 304, 170}, {300, 250, 120},
    };
    setColour(cr, hexColour(0xFFC7A0), 0.35);
    cairo_set_line_width(cr, 5.0);
    for (const auto& s : kStreaks) {
        cairo_move_to(cr, s.x, s.y);
        cairo_line_to(cr, s.x + s.length, s.y);
    }
    cairo_stroke(cr);
}

CoasterTrack loadingTrack()
{
    CoasterTrack track({-20.0, 500.0});
    track.lineTo({60.0, 500.0});
    track.curveTo({90.0, 500.0}, {100.0, 490.0}, {115.0, 470.0});   // into the lift
    track.lineTo({215.0, 300.0});                                   // lift hill
    track.curveTo({232.0, 272.0}, {262.0, 268.0}, {280.0, 300.0});  // crest
    track.curveTo({310.0, 360.0}, {325.0, 470.0}, {360.0, 496.0});  // first drop
    track.curveTo({380.0, 508.0}, {410.0, 506.0}, {450.0, 500.0});
    track.lineTo({520.0, 500.0});
    track.loop(150.0, 215.0, 60.0);
    track.curveTo({640.0, 500.0}, {670.0, 430.0}, {715.0, 430.0});  // camelback
    track.curveTo({760.0, 430.0}, {780.0, 500.0}, {830.0, 500.0});
    return track;
}

double groundAt(double /*x*/)
{
    return kGroundY;
}

void paintCoaster(const Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    const CoasterTrack track = loadingTrack();
    drawSupports(cr, track, groundAt, {kSilhouette, 3.0, 22.0, 30.0});
    drawRails(cr, track, {kSilhouette, kSilhouette, 4.0, 5.0, 9.0});
    drawTrain(cr, track, 470.0, {4, 24.0, kSilhouette, kSilhouette, kSilhouette});
}

void paintGround(const Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    const auto ground = verticalGradient(kGroundY, canvas.height(),
                                         {{0.0, kSilhouette}, {1.0, hexColour(0x1C0B22)}});
    cairo_rectangle(cr, 0.0, kGroundY, canvas.width(), canvas.height() - kGroundY);
    cairo_set_source(cr, ground.get());
    cairo_fill(cr);
    constexpr double kTrees[][2] = {{20, 34}, {44, 26}, {330, 30}, {352, 40}, {760, 36}, {785, 28}};
    for (const auto& tree : kTrees) {
        drawTree(cr, tree[0], kGroundY + 1.0, tree[1], kSilhouette, kSilhouette, 0.0);
    }
}

} // namespace

void paintLoadingScreen(const Canvas& canvas)
{
    paintSky(canvas);
    paintCoaster(canvas);
    paintGround(canvas);
    const double cx = canvas.width() / 2.0;
    drawTitle(canvas, "Zephyrail", cx, 175.0,
              {FontStyle::SansBold, 104.0, hexColour(0xFFF4C2), hexColour(0xFFA62B), hexColour(0x5A1840),
               5.0, 6.0, 0.35, 2.0});
    drawCentredText(canvas, "the coaster builder", cx, 215.0,
                    {FontStyle::Sans, 22.0, hexColour(0xFFE3C4), 0.95, 3.0});
    drawCentredText(canvas, "Loading...", cx, 572.0,
                    {FontStyle::SansBold, 24.0, hexColour(0xFFD9A8), 1.0, 2.0});
}

} // namespace assetgen
