// The mouse pointer: a classic white arrow with a black outline and a soft
// shadow, its hot spot (the tip) on pixel (0, 0) of a transparent 32x32 image.
#include "picture_painters.h"
#include "scenery.h"

#include <string_view>

namespace assetgen {
namespace {

// One string per pixel row: 'X' outline, '.' fill, anything else clear.
constexpr std::string_view kArrow[] = {
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.........X",
    "X..........X",
    "X...........X",
    "X............X",
    "X......XXXXXXX",
    "X...X..X",
    "X..XX..X",
    "X.X  X..X",
    "XX   X..X",
    "X     X..X",
    "      X..X",
    "       X..X",
    "       X..X",
    "        XX",
};

void fillCells(cairo_t* cr, std::string_view marks, double dx, double dy)
{
    for (std::size_t row = 0; row < std::size(kArrow); ++row) {
        for (std::size_t col = 0; col < kArrow[row].size(); ++col) {
            if (marks.find(kArrow[row][col]) != std::string_view::npos) {
                cairo_rectangle(cr, col + dx, row + dy, 1.0, 1.0);
            }
        }
    }
    cairo_fill(cr);
}

} // namespace

void paintCursor(const Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    setColour(cr, hexColour(0x000000), 0.3);
    fillCells(cr, "X.", 2.0, 2.0);
    // The arrow replaces the shadow where they overlap instead of blending with it.
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    setColour(cr, hexColour(0x000000));
    fillCells(cr, "X", 0.0, 0.0);
    setColour(cr, hexColour(0xFFFFFF));
    fillCells(cr, ".", 0.0, 0.0);
}

} // namespace assetgen
