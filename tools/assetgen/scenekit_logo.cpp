// Boot splash of the Scenekit engine: a shaded isometric cube emblem over a
// deep blue stage with a receding floor grid, and the engine's name.
#include "picture_painters.h"
#include "scenery.h"

#include <cmath>
#include <numbers>

namespace assetgen {
namespace {

constexpr Rgb kAccent = hexColour(0x5FD4FF);

void paintBackdrop(const Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    fillVerticalGradient(canvas, 0.0, canvas.height(),
                         {{0.0, hexColour(0x1E3358)}, {0.6, hexColour(0x15253F)}, {1.0, hexColour(0x0E1A2E)}});
    const auto glow = radialGlow(canvas.width() / 2.0, 230.0, 360.0,
                                 {{0.0, hexColour(0x3B78B0), 0.75}, {1.0, hexColour(0x3B78B0), 0.0}});
    cairo_set_source(cr, glow.get());
    cairo_paint(cr);
}

// A perspective floor grid: lines converge on a vanishing point above the
// centre, and fade out towards the horizon.
void paintFloorGrid(const Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    const double horizon = 470.0;
    const double cx = canvas.width() / 2.0;
    const double bottom = canvas.height();
    cairo_save(cr);
    cairo_rectangle(cr, 0.0, horizon, canvas.width(), bottom - horizon);
    cairo_clip(cr);
    cairo_set_line_width(cr, 1.0);
    for (int i = -14; i <= 14; ++i) {
        cairo_move_to(cr, cx + i * 6.0, horizon);
        cairo_line_to(cr, cx + i * 90.0, bottom);
    }
    for (int row = 1; row <= 8; ++row) {
        const double t = row / 8.0;
        const double y = horizon + (bottom - horizon) * t * t;
        cairo_move_to(cr, 0.0, y);
        cairo_line_to(cr, canvas.width(), y);
    }
    const auto fade = verticalGradient(horizon, bottom, {{0.0, kAccent, 0.0}, {1.0, kAccent, 0.28}});
    cairo_set_source(cr, fade.get());
    cairo_stroke(cr);
    cairo_restore(cr);
}

Point isoCorner(Point centre, double size, double angleDegrees)
{
    const double a = angleDegrees * std::numbers::pi / 180.0;
    return {centre.x + size * std::cos(a), centre.y - size * std::sin(a)};
}

void fillFace(cairo_t* cr, std::initializer_list<Point> corners, Rgb light, Rgb dark,
              Point gradientFrom, Point gradientTo)
{
    bool first = true;
    for (const Point p : corners) {
        first ? cairo_move_to(cr, p.x, p.y) : cairo_line_to(cr, p.x, p.y);
        first = false;
    }
    cairo_close_path(cr);
    CairoPatternPtr shade(cairo_pattern_create_linear(gradientFrom.x, gradientFrom.y, gradientTo.x, gradientTo.y));
    cairo_pattern_add_color_stop_rgb(shade.get(), 0.0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(shade.get(), 1.0, dark.r, dark.g, dark.b);
    cairo_set_source(cr, shade.get());
    cairo_fill_preserve(cr);
    setColour(cr, hexColour(0xDFF6FF), 0.9);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
}

// An isometric cube inside a hexagonal ring; size is the cube's corner radius.
void paintEmblem(cairo_t* cr, Point c, double size)
{
    setColour(cr, kAccent, 0.35);
    cairo_set_line_width(cr, 3.0);
    for (int i = 0; i < 6; ++i) {
        const Point p = isoCorner(c, size * 1.45, 30.0 + 60.0 * i);
        i == 0 ? cairo_move_to(cr, p.x, p.y) : cairo_line_to(cr, p.x, p.y);
    }
    cairo_close_path(cr);
    cairo_stroke(cr);

    const Point top = isoCorner(c, size, 90.0);
    const Point upperRight = isoCorner(c, size, 30.0);
    const Point lowerRight = isoCorner(c, size, -30.0);
    const Point bottom = isoCorner(c, size, -90.0);
    const Point lowerLeft = isoCorner(c, size, -150.0);
    const Point upperLeft = isoCorner(c, size, 150.0);
    fillFace(cr, {c, upperLeft, top, upperRight}, hexColour(0xB8F0FF), hexColour(0x6CCDF2), top, c);
    fillFace(cr, {c, upperLeft, lowerLeft, bottom}, hexColour(0x2E9FD8), hexColour(0x1D6FA6), upperLeft, bottom);
    fillFace(cr, {c, upperRight, lowerRight, bottom}, hexColour(0x1B5E93), hexColour(0x123F66), upperRight, bottom);
}

} // namespace

void paintScenekitLogo(const Canvas& canvas)
{
    paintBackdrop(canvas);
    paintFloorGrid(canvas);
    const double cx = canvas.width() / 2.0;
    paintEmblem(canvas.cr(), {cx, 215.0}, 78.0);

    drawCentredText(canvas, "Scenekit", cx, 405.0,
                    {FontStyle::Sans, 76.0, hexColour(0xF4FAFF), 1.0, 3.0});
    const TextStyle tagline{FontStyle::Sans, 19.0, hexColour(0xA9D8F2), 1.0, 4.0};
    drawCentredText(canvas, "real-time 3D engine", cx, 446.0, tagline);

    cairo_t* cr = canvas.cr();
    canvas.setFont(tagline.font, tagline.size);
    const double half = canvas.spacedTextWidth("real-time 3D engine", tagline.spacing) / 2.0;
    setColour(cr, kAccent, 0.7);
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, cx - half - 70.0, 439.5);
    cairo_line_to(cr, cx - half - 18.0, 439.5);
    cairo_move_to(cr, cx + half + 18.0, 439.5);
    cairo_line_to(cr, cx + half + 70.0, 439.5);
    cairo_stroke(cr);
}

} // namespace assetgen
