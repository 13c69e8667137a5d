// Shared landscape and lettering for the full-screen pictures.
#include "scenery.h"

#include <cmath>
#include <numbers>

namespace assetgen {
namespace {

void addStops(cairo_pattern_t* pattern, std::initializer_list<GradientStop> stops)
{
    for (const auto& stop : stops) {
        cairo_pattern_add_color_stop_rgba(pattern, stop.offset, stop.colour.r, stop.colour.g,
                                          stop.colour.b, stop.alpha);
    }
}

} // namespace

void setColour(cairo_t* cr, Rgb colour, double alpha)
{
    cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

CairoPatternPtr verticalGradient(double top, double bottom, std::initializer_list<GradientStop> stops)
{
    CairoPatternPtr pattern(cairo_pattern_create_linear(0.0, top, 0.0, bottom));
    addStops(pattern.get(), stops);
    return pattern;
}

CairoPatternPtr radialGlow(double cx, double cy, double radius, std::initializer_list<GradientStop> stops)
{
    CairoPatternPtr pattern(cairo_pattern_create_radial(cx, cy, 0.0, cx, cy, radius));
    addStops(pattern.get(), stops);
    return pattern;
}

void fillVerticalGradient(const Canvas& canvas, double top, double bottom,
                          std::initializer_list<GradientStop> stops)
{
    const auto pattern = verticalGradient(top, bottom, stops);
    cairo_rectangle(canvas.cr(), 0.0, top, canvas.width(), bottom - top);
    cairo_set_source(canvas.cr(), pattern.get());
    cairo_fill(canvas.cr());
}

double Ridge::yAt(double x) const
{
    constexpr double kTau = 2.0 * std::numbers::pi;
    return baseY + amplitude1 * std::sin(kTau * x / wavelength1 + phase1) +
           amplitude2 * std::sin(kTau * x / wavelength2 + phase2);
}

void fillBelowRidge(const Canvas& canvas, const Ridge& ridge, std::initializer_list<GradientStop> stops)
{
    constexpr double kStep = 4.0;
    cairo_t* cr = canvas.cr();
    const double top = ridge.baseY - std::abs(ridge.amplitude1) - std::abs(ridge.amplitude2);
    cairo_move_to(cr, 0.0, canvas.height());
    for (double x = 0.0; x <= canvas.width() + kStep; x += kStep) {
        cairo_line_to(cr, x, ridge.yAt(x));
    }
    cairo_line_to(cr, canvas.width() + kStep, canvas.height());
    cairo_close_path(cr);
    const auto pattern = verticalGradient(top, canvas.height(), stops);
    cairo_set_source(cr, pattern.get());
    cairo_fill(cr);
}

void drawSun(cairo_t* cr, double cx, double cy, double radius, Rgb core, Rgb glow)
{
    const auto halo = radialGlow(cx, cy, radius * 3.0,
                                 {{0.0, glow, 0.55}, {0.33, glow, 0.3}, {1.0, glow, 0.0}});
    cairo_set_source(cr, halo.get());
    cairo_arc(cr, cx, cy, radius * 3.0, 0.0, 2.0 * std::numbers::pi);
    cairo_fill(cr);
    setColour(cr, core);
    cairo_arc(cr, cx, cy, radius, 0.0, 2.0 * std::numbers::pi);
    cairo_fill(cr);
}

void drawCloud(cairo_t* cr, double x, double y, double scale, double alpha)
{
    struct Puff {
        double dx;
        double dy;
        double radius;
    };
    constexpr Puff kPuffs[] = {
        {18, -14, 18}, {42, -26, 26}, {70, -30, 24}, {94, -18, 20}, {108, -10, 12},
    };
    cairo_new_path(cr);
    for (const auto& puff : kPuffs) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + puff.dx * scale, y + puff.dy * scale, puff.radius * scale, 0.0,
                  2.0 * std::numbers::pi);
    }
    cairo_rectangle(cr, x + 14 * scale, y - 14 * scale, 94 * scale, 14 * scale);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    const auto shade = verticalGradient(y - 56 * scale, y,
                                        {{0.0, hexColour(0xFFFFFF), alpha},
                                         {1.0, hexColour(0xDDE7F2), alpha}});
    cairo_set_source(cr, shade.get());
    cairo_fill(cr);
}

void drawTree(cairo_t* cr, double x, double groundY, double height, Rgb leaves, Rgb trunk,
              double highlight)
{
    const double crown = height * 0.36;
    setColour(cr, trunk);
    cairo_rectangle(cr, x - height * 0.06, groundY - height * 0.45, height * 0.12, height * 0.45);
    cairo_fill(cr);
    setColour(cr, leaves);
    cairo_arc(cr, x, groundY - height + crown, crown, 0.0, 2.0 * std::numbers::pi);
    cairo_fill(cr);
    if (highlight <= 0.0) {
        return;
    }
    setColour(cr, {leaves.r + 0.12, leaves.g + 0.12, leaves.b + 0.06}, highlight);
    cairo_arc(cr, x - crown * 0.3, groundY - height + crown * 0.7, crown * 0.55, 0.0,
              2.0 * std::numbers::pi);
    cairo_fill(cr);
}

void drawTitle(const Canvas& canvas, std::string_view text, double cx, double baselineY,
               const TitleStyle& style)
{
    cairo_t* cr = canvas.cr();
    canvas.setFont(style.font, style.size);
    const double x = cx - canvas.spacedTextWidth(text, style.spacing) / 2.0;

    cairo_new_path(cr);
    canvas.spacedTextPath(text, x + style.shadowOffset, baselineY + style.shadowOffset, style.spacing);
    setColour(cr, hexColour(0x000000), style.shadowAlpha);
    cairo_set_line_width(cr, style.outlineWidth * 2.0);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);

    canvas.spacedTextPath(text, x, baselineY, style.spacing);
    setColour(cr, style.outline);
    cairo_set_line_width(cr, style.outlineWidth * 2.0);
    cairo_stroke_preserve(cr);
    const auto fill = verticalGradient(baselineY - style.size * 0.75, baselineY,
                                       {{0.0, style.fillTop}, {1.0, style.fillBottom}});
    cairo_set_source(cr, fill.get());
    cairo_fill(cr);
}

void drawCentredText(const Canvas& canvas, std::string_view text, double cx, double baselineY,
                     const TextStyle& style)
{
    canvas.setFont(style.font, style.size);
    const double x = cx - canvas.spacedTextWidth(text, style.spacing) / 2.0;
    cairo_new_path(canvas.cr());
    canvas.spacedTextPath(text, x, baselineY, style.spacing);
    setColour(canvas.cr(), style.colour, style.alpha);
    cairo_fill(canvas.cr());
}

} // namespace assetgen
