// Drawing pieces shared by the full-screen pictures: colours, gradients, sky
// and landscape elements, and titles with outline and drop shadow.
#pragma once

#include "canvas.h"

#include <cairo.h>

#include <initializer_list>
#include <memory>
#include <string_view>

namespace assetgen {

// A position on the canvas in pixels, y pointing down.
struct Point {
    double x;
    double y;
};

struct Rgb {
    double r;
    double g;
    double b;
};

// 0xRRGGBB as written in a colour picker.
constexpr Rgb hexColour(unsigned value)
{
    return {((value >> 16) & 0xFFu) / 255.0, ((value >> 8) & 0xFFu) / 255.0, (value & 0xFFu) / 255.0};
}

void setColour(cairo_t* cr, Rgb colour, double alpha = 1.0);

struct GradientStop {
    double offset;
    Rgb colour;
    double alpha = 1.0;
};

struct CairoPatternDeleter {
    void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
};
using CairoPatternPtr = std::unique_ptr<cairo_pattern_t, CairoPatternDeleter>;

CairoPatternPtr verticalGradient(double top, double bottom, std::initializer_list<GradientStop> stops);
CairoPatternPtr radialGlow(double cx, double cy, double radius, std::initializer_list<GradientStop> stops);

// Fills the band top..bottom across the whole canvas.
void fillVerticalGradient(const Canvas& canvas, double top, double bottom,
                          std::initializer_list<GradientStop> stops);

// Two summed sine waves: a horizon line of rolling hills, in pixels.
struct Ridge {
    double baseY;
    double amplitude1;
    double wavelength1;
    double phase1;
    double amplitude2;
    double wavelength2;
    double phase2;

    double yAt(double x) const;
};

// Fills from the ridge line down to the canvas bottom with a vertical gradient.
void fillBelowRidge(const Canvas& canvas, const Ridge& ridge, std::initializer_list<GradientStop> stops);

void drawSun(cairo_t* cr, double cx, double cy, double radius, Rgb core, Rgb glow);
// A puffy cloud about 120 * scale pixels wide, its flat base at y.
void drawCloud(cairo_t* cr, double x, double y, double scale, double alpha);
// A round-topped tree standing on the point (x, groundY). highlight is the
// opacity of a lighter patch on the crown's sunny side; 0 for a silhouette.
void drawTree(cairo_t* cr, double x, double groundY, double height, Rgb leaves, Rgb trunk,
              double highlight);

struct TitleStyle {
    FontStyle font;
    double size;
    Rgb fillTop;
    Rgb fillBottom;
    Rgb outline;
    double outlineWidth;
    double shadowOffset;
    double shadowAlpha;
    double spacing;
};

// Big headline text centred on cx: drop shadow, outline, then gradient fill.
void drawTitle(const Canvas& canvas, std::string_view text, double cx, double baselineY,
               const TitleStyle& style);

struct TextStyle {
    FontStyle font;
    double size;
    Rgb colour;
    double alpha = 1.0;
    double spacing = 0.0;
};

void drawCentredText(const Canvas& canvas, std::string_view text, double cx, double baselineY,
                     const TextStyle& style);

} // namespace assetgen
