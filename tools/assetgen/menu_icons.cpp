// Pictogram outlines. Units: the 24 x 24 icon box, origin at its centre.
// Holes (a folder's plus sign, a disk's label) are cut with the even-odd
// rule so every icon stays a single colour.
#include "menu_icons.h"

#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <numbers>

namespace assetgen {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kBold = 4.2;  // main strokes
constexpr double kThin = 2.4;  // outlines

void strokeWith(cairo_t* cr, double width)
{
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void polygon(cairo_t* cr, std::initializer_list<double> xy)
{
    const double* v = xy.begin();
    cairo_move_to(cr, v[0], v[1]);
    for (std::size_t i = 2; i + 1 < xy.size(); i += 2) {
        cairo_line_to(cr, v[i], v[i + 1]);
    }
    cairo_close_path(cr);
}

// Filled triangle with softened corners.
void triangle(cairo_t* cr, std::initializer_list<double> xy)
{
    polygon(cr, xy);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
}

void mirrored(cairo_t* cr, void (*icon)(cairo_t*))
{
    cairo_save(cr);
    cairo_scale(cr, -1.0, 1.0);
    icon(cr);
    cairo_restore(cr);
}

void folderOutline(cairo_t* cr)
{
    polygon(cr, {-11, -9, -4, -9, -1.5, -6, 11, -6, 11, 9, -11, 9});
}

// Front view of a car banked to the left on its rail, under an arrow that
// rolls the same way (over the top, from right to left).
void bankedCarLeft(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 0.0, 5.0);
    cairo_rotate(cr, -0.42);
    cairo_rectangle(cr, -9.0, -4.0, 18.0, 7.0);
    cairo_fill(cr);
    cairo_arc(cr, -5.5, 5.0, 2.4, 0.0, 2.0 * kPi);
    cairo_arc(cr, 5.5, 5.0, 2.4, 0.0, 2.0 * kPi);
    cairo_fill(cr);
    cairo_move_to(cr, -11.0, 8.5);
    cairo_line_to(cr, 11.0, 8.5);
    strokeWith(cr, 1.8);
    cairo_restore(cr);

    constexpr double kFrom = -0.12 * kPi;
    constexpr double kTo = -0.78 * kPi;
    constexpr double kRadius = 10.5;
    constexpr double kCentreY = 1.5;
    cairo_arc_negative(cr, 0.0, kCentreY, kRadius, kFrom, kTo + 0.2);
    strokeWith(cr, 2.8);
    cairo_save(cr);
    cairo_translate(cr, kRadius * std::cos(kTo), kCentreY + kRadius * std::sin(kTo));
    cairo_rotate(cr, kTo - kPi);
    triangle(cr, {0, 5.0, -4.6, -2.6, 4.6, -2.6});
    cairo_restore(cr);
}

// One link of a chain seen flat: a stadium of the given length.
void chainLink(cairo_t* cr, double cx, double cy, double length, double width)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, -kPi / 4.0);
    const double r = width / 2.0;
    const double half = length / 2.0 - r;
    cairo_new_sub_path(cr);
    cairo_arc(cr, half, 0.0, r, -kPi / 2.0, kPi / 2.0);
    cairo_arc(cr, -half, 0.0, r, kPi / 2.0, 3.0 * kPi / 2.0);
    cairo_close_path(cr);
    cairo_restore(cr);
    strokeWith(cr, 2.6);
}

} // namespace

void iconCurveLeft(cairo_t* cr)
{
    cairo_move_to(cr, 6.0, 11.0);
    cairo_line_to(cr, 6.0, 1.5);
    cairo_arc_negative(cr, 0.0, 1.5, 6.0, 0.0, -kPi / 2.0);
    cairo_line_to(cr, -2.5, -4.5);
    strokeWith(cr, kBold);
    triangle(cr, {-10.5, -4.5, -2.5, -11.0, -2.5, 2.0});
}

void iconStraight(cairo_t* cr)
{
    cairo_move_to(cr, 0.0, 11.0);
    cairo_line_to(cr, 0.0, -2.0);
    strokeWith(cr, kBold);
    triangle(cr, {0.0, -11.5, -7.5, -2.5, 7.5, -2.5});
}

void iconCurveRight(cairo_t* cr)
{
    mirrored(cr, iconCurveLeft);
}

void iconSteeper(cairo_t* cr)
{
    polygon(cr, {-11, 10, 11, 10, 11, -3});
    cairo_set_line_width(cr, 1.6);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_move_to(cr, -5.0, 3.0);
    cairo_line_to(cr, -5.0, -5.0);
    strokeWith(cr, 3.4);
    triangle(cr, {-5.0, -11.5, -10.0, -5.0, 0.0, -5.0});
}

void iconShallower(cairo_t* cr)
{
    polygon(cr, {-11, -3, -11, 10, 11, 10});
    cairo_set_line_width(cr, 1.6);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_move_to(cr, 5.0, -11.0);
    cairo_line_to(cr, 5.0, -3.5);
    strokeWith(cr, 3.4);
    triangle(cr, {5.0, 3.0, 0.0, -3.5, 10.0, -3.5});
}

void iconBankLeft(cairo_t* cr)
{
    bankedCarLeft(cr);
}

void iconBankRight(cairo_t* cr)
{
    mirrored(cr, bankedCarLeft);
}

void iconChain(cairo_t* cr)
{
    chainLink(cr, -5.5, 5.5, 13.0, 7.5);
    chainLink(cr, 5.5, -5.5, 13.0, 7.5);
    // The middle link, seen edge on, joins the two.
    cairo_move_to(cr, -3.2, 3.2);
    cairo_line_to(cr, 3.2, -3.2);
    strokeWith(cr, 3.2);
}

void iconTrash(cairo_t* cr)
{
    cairo_move_to(cr, -9.5, -6.5);
    cairo_line_to(cr, 9.5, -6.5);
    strokeWith(cr, 2.8);
    cairo_rectangle(cr, -3.0, -10.5, 6.0, 4.0);
    strokeWith(cr, 2.0);
    polygon(cr, {-7.0, -3.5, 7.0, -3.5, 5.8, 11.0, -5.8, 11.0});
    strokeWith(cr, kThin);
    for (const double x : {-2.6, 2.6}) {
        cairo_move_to(cr, x, 0.0);
        cairo_line_to(cr, x, 7.5);
    }
    strokeWith(cr, 1.8);
}

void iconPlay(cairo_t* cr)
{
    triangle(cr, {-6.5, -9.5, 10.0, 0.0, -6.5, 9.5});
}

void iconHammer(cairo_t* cr)
{
    cairo_rotate(cr, kPi / 4.0);
    cairo_move_to(cr, 0.0, 12.0);
    cairo_line_to(cr, 0.0, -4.0);
    strokeWith(cr, 3.8);
    // Head: a flat face on one side, a tapered claw on the other.
    polygon(cr, {-9.5, -10.0, 7.5, -10.0, 7.5, -4.0, -9.5, -5.5});
    cairo_set_line_width(cr, 1.4);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
}

void iconExit(cairo_t* cr)
{
    cairo_move_to(cr, 2.0, -5.0);
    cairo_line_to(cr, 2.0, -10.5);
    cairo_line_to(cr, -10.0, -10.5);
    cairo_line_to(cr, -10.0, 10.5);
    cairo_line_to(cr, 2.0, 10.5);
    cairo_line_to(cr, 2.0, 5.0);
    strokeWith(cr, 2.6);
    cairo_move_to(cr, -4.0, 0.0);
    cairo_line_to(cr, 6.0, 0.0);
    strokeWith(cr, 3.4);
    triangle(cr, {12.0, 0.0, 5.5, -6.0, 5.5, 6.0});
}

void iconWreckingBall(cairo_t* cr)
{
    cairo_move_to(cr, -11.0, -10.5);
    cairo_line_to(cr, 8.0, -10.5);
    strokeWith(cr, 2.8);
    cairo_move_to(cr, 6.5, -10.5);
    cairo_line_to(cr, 3.0, -1.0);
    strokeWith(cr, 1.8);
    cairo_arc(cr, 2.0, 5.0, 6.5, 0.0, 2.0 * kPi);
    cairo_fill(cr);
    // Bricks knocked loose on the left.
    cairo_rectangle(cr, -11.5, 2.0, 6.0, 4.0);
    cairo_rectangle(cr, -10.0, 7.5, 6.0, 4.0);
    cairo_fill(cr);
}

void iconSave(cairo_t* cr)
{
    polygon(cr, {-10.0, -10.0, 6.0, -10.0, 10.0, -6.0, 10.0, 10.0, -10.0, 10.0});
    strokeWith(cr, kThin);
    // Metal shutter with its window, and the paper label below.
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_rectangle(cr, -5.5, -10.0, 10.0, 7.0);
    cairo_rectangle(cr, 1.0, -8.5, 2.2, 4.0);
    cairo_fill(cr);
    cairo_rectangle(cr, -6.0, 2.5, 12.0, 7.5);
    cairo_fill(cr);
}

void iconLoad(cairo_t* cr)
{
    // Back of an open folder, then its front flap tipped forward.
    cairo_move_to(cr, -10.5, 8.0);
    cairo_line_to(cr, -10.5, -9.0);
    cairo_line_to(cr, -4.0, -9.0);
    cairo_line_to(cr, -1.5, -6.0);
    cairo_line_to(cr, 8.0, -6.0);
    cairo_line_to(cr, 8.0, -2.0);
    strokeWith(cr, kThin);
    polygon(cr, {-7.0, -1.0, 12.0, -1.0, 8.0, 10.0, -11.0, 10.0});
    cairo_set_line_width(cr, 1.2);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
}

void iconClose(cairo_t* cr)
{
    cairo_move_to(cr, -7.5, -7.5);
    cairo_line_to(cr, 7.5, 7.5);
    cairo_move_to(cr, 7.5, -7.5);
    cairo_line_to(cr, -7.5, 7.5);
    strokeWith(cr, kBold);
}

void iconMenu(cairo_t* cr)
{
    for (const double y : {-7.0, 0.0, 7.0}) {
        cairo_move_to(cr, -9.0, y);
        cairo_line_to(cr, 9.0, y);
    }
    strokeWith(cr, 3.6);
}

void iconPrevious(cairo_t* cr)
{
    triangle(cr, {-7.0, 0.0, 6.0, -9.5, 6.0, 9.5});
}

void iconNext(cairo_t* cr)
{
    mirrored(cr, iconPrevious);
}

void iconScrollUp(cairo_t* cr)
{
    triangle(cr, {0.0, -7.0, 9.5, 5.5, -9.5, 5.5});
}

void iconScrollDown(cairo_t* cr)
{
    triangle(cr, {0.0, 7.0, 9.5, -5.5, -9.5, -5.5});
}

void iconCheck(cairo_t* cr)
{
    cairo_move_to(cr, -9.0, 0.5);
    cairo_line_to(cr, -3.0, 7.0);
    cairo_line_to(cr, 9.0, -7.0);
    strokeWith(cr, kBold);
}

void iconFolder(cairo_t* cr)
{
    folderOutline(cr);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
}

void iconNewFolder(cairo_t* cr)
{
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    folderOutline(cr);
    polygon(cr, {-1.5, -2.5, 1.5, -2.5, 1.5, 0.5, 4.5, 0.5, 4.5, 3.5, 1.5, 3.5, 1.5, 6.5, -1.5, 6.5,
                 -1.5, 3.5, -4.5, 3.5, -4.5, 0.5, -1.5, 0.5});
    cairo_fill(cr);
}

void iconFolderUp(cairo_t* cr)
{
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    folderOutline(cr);
    polygon(cr, {0.0, -3.5, 5.5, 2.0, 1.8, 2.0, 1.8, 6.5, -1.8, 6.5, -1.8, 2.0, -5.5, 2.0});
    cairo_fill(cr);
}

void iconQuestion(cairo_t* cr)
{
    cairo_arc(cr, 0.0, -4.0, 5.5, kPi, 2.35 * kPi);
    cairo_line_to(cr, 0.0, 3.5);
    strokeWith(cr, 3.6);
    cairo_arc(cr, 0.0, 9.0, 2.3, 0.0, 2.0 * kPi);
    cairo_fill(cr);
}

void iconGauge(cairo_t* cr)
{
    cairo_arc(cr, 0.0, 4.0, 11.0, kPi, 2.0 * kPi);
    strokeWith(cr, 2.8);
    for (int tick = 0; tick <= 4; ++tick) {
        const double angle = kPi + tick * kPi / 4.0;
        cairo_move_to(cr, 8.0 * std::cos(angle), 4.0 + 8.0 * std::sin(angle));
        cairo_line_to(cr, 5.5 * std::cos(angle), 4.0 + 5.5 * std::sin(angle));
    }
    strokeWith(cr, 2.0);
    // The needle has barely left the stop.
    constexpr double kNeedle = 1.15 * kPi;
    cairo_move_to(cr, 0.0, 4.0);
    cairo_line_to(cr, 9.0 * std::cos(kNeedle), 4.0 + 9.0 * std::sin(kNeedle));
    strokeWith(cr, 2.8);
    cairo_arc(cr, 0.0, 4.0, 2.6, 0.0, 2.0 * kPi);
    cairo_fill(cr);
}

void iconCrash(cairo_t* cr)
{
    constexpr int kSpikes = 9;
    for (int i = 0; i < 2 * kSpikes; ++i) {
        const double angle = i * kPi / kSpikes - kPi / 2.0;
        const double radius = i % 2 == 0 ? (i % 4 == 0 ? 12.0 : 10.0) : 5.0;
        const double x = radius * std::cos(angle);
        const double y = radius * std::sin(angle);
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
    cairo_close_path(cr);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
}

} // namespace assetgen
