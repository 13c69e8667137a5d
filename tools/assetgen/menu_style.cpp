// Panels, wells and button faces of the shared interface look.
#include "menu_style.h"

#include <algorithm>
#include <numbers>

namespace assetgen {
namespace {

constexpr FaceColours kTones[] = {
    {hexColour(0x5C9BE8), hexColour(0x2C5EB0), hexColour(0x0E2A62)}, // Blue
    {hexColour(0x63CF62), hexColour(0x2A8C35), hexColour(0x104D18)}, // Green
    {hexColour(0xFFBE45), hexColour(0xDB7412), hexColour(0x6E3606)}, // Amber
    {hexColour(0xF26A5E), hexColour(0xB82C24), hexColour(0x5E110D)}, // Red
};
constexpr FaceColours kInactiveFace = {hexColour(0x9DA3AB), hexColour(0x6E747C), hexColour(0x3E434A)};
constexpr Rgb kInactiveInk = hexColour(0xD3D6DA);
constexpr double kHoverLift = 0.16; // share of white mixed into a hovered face
constexpr double kLabelGap = 5.0;
// DejaVu Sans Bold capitals stand this share of the font size above the baseline.
constexpr double kCapHeight = 0.73;

Rgb mixed(Rgb colour, Rgb other, double share)
{
    return {colour.r + (other.r - colour.r) * share, colour.g + (other.g - colour.g) * share,
            colour.b + (other.b - colour.b) * share};
}

void fillGradient(cairo_t* cr, double top, double bottom, Rgb from, Rgb to)
{
    const auto pattern = verticalGradient(top, bottom, {{0.0, from}, {1.0, to}});
    cairo_set_source(cr, pattern.get());
    cairo_fill(cr);
}

void paintFaceBody(cairo_t* cr, PixelRect face, const ButtonArt& art, ButtonState state)
{
    const FaceColours colours = faceColours(art.tone, state);
    const double x = face.x;
    const double y = face.y;
    roundedRectPath(cr, x, y, face.w, face.h, art.radius);
    setColour(cr, colours.edge);
    cairo_fill(cr);
    roundedRectPath(cr, x + 1.5, y + 1.5, face.w - 3.0, face.h - 3.0, art.radius - 1.5);
    fillGradient(cr, y, face.bottom(), colours.top, colours.bottom);
    // A soft gloss on the upper half reads as a raised, pressable key.
    roundedRectPath(cr, x + 2.5, y + 2.5, face.w - 5.0, face.h * 0.45, art.radius - 2.5);
    const auto gloss = verticalGradient(y, y + face.h * 0.5,
                                        {{0.0, hexColour(0xFFFFFF), 0.38}, {1.0, hexColour(0xFFFFFF), 0.04}});
    cairo_set_source(cr, gloss.get());
    cairo_fill(cr);
    if (state == ButtonState::Hover) {
        roundedRectPath(cr, x + 1.25, y + 1.25, face.w - 2.5, face.h - 2.5, art.radius - 1.25);
        setColour(cr, palette::kGold);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
}

void paintFaceContent(const Canvas& canvas, PixelRect face, const ButtonArt& art, ButtonState state)
{
    cairo_t* cr = canvas.cr();
    const bool inactive = state == ButtonState::Inactive;
    const Rgb ink = inactive ? kInactiveInk : palette::kInk;
    const double alpha = inactive ? 0.85 : 1.0;
    const double cx = face.x + face.w / 2.0;
    const double cy = face.y + face.h / 2.0;
    canvas.setFont(FontStyle::SansBold, art.labelSize);
    const double textWidth = art.label.empty() ? 0.0 : canvas.textWidth(art.label);
    const double iconSize = art.icon ? art.iconSize : 0.0;
    const double gap = art.icon && !art.label.empty() ? kLabelGap : 0.0;
    const double capHeight = art.labelSize * kCapHeight;

    double iconX = cx;
    double iconY = cy;
    double textX = cx - textWidth / 2.0;
    double baseline = cy + capHeight / 2.0;
    if (art.arrangement == Arrangement::Row) {
        const double start = cx - (iconSize + gap + textWidth) / 2.0;
        iconX = start + iconSize / 2.0;
        textX = start + iconSize + gap;
    } else {
        const double total = iconSize + gap + capHeight;
        iconY = cy - total / 2.0 + iconSize / 2.0;
        baseline = cy + total / 2.0;
    }
    if (art.icon) {
        paintIcon(cr, art.icon, iconX, iconY, iconSize, ink, alpha, !inactive);
    }
    if (!art.label.empty()) {
        if (!inactive) {
            cairo_new_path(cr);
            canvas.textPath(art.label, textX, baseline + 1.0);
            setColour(cr, hexColour(0x000000), 0.35);
            cairo_fill(cr);
        }
        canvas.textPath(art.label, textX, baseline);
        setColour(cr, ink, alpha);
        cairo_fill(cr);
    }
}

} // namespace

FaceColours faceColours(Tone tone, ButtonState state)
{
    if (state == ButtonState::Inactive) {
        return kInactiveFace;
    }
    const FaceColours base = kTones[static_cast<int>(tone)];
    if (state == ButtonState::Normal) {
        return base;
    }
    const Rgb white = hexColour(0xFFFFFF);
    return {mixed(base.top, white, kHoverLift), mixed(base.bottom, white, kHoverLift * 0.7), base.edge};
}

void roundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    const double r = std::clamp(radius, 0.0, std::min(w, h) / 2.0);
    constexpr double kQuarter = std::numbers::pi / 2.0;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kQuarter, 0.0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0.0, kQuarter);
    cairo_arc(cr, x + r, y + h - r, r, kQuarter, 2.0 * kQuarter);
    cairo_arc(cr, x + r, y + r, r, 2.0 * kQuarter, 3.0 * kQuarter);
    cairo_close_path(cr);
}

void paintPanel(const Canvas& canvas, PixelRect area, double radius)
{
    cairo_t* cr = canvas.cr();
    const double x = area.x;
    const double y = area.y;
    roundedRectPath(cr, x, y, area.w, area.h, radius);
    setColour(cr, palette::kPanelEdge);
    cairo_fill(cr);
    roundedRectPath(cr, x + 2.0, y + 2.0, area.w - 4.0, area.h - 4.0, radius - 2.0);
    fillGradient(cr, y, area.bottom(), palette::kPanelTop, palette::kPanelBottom);
    roundedRectPath(cr, x + 2.5, y + 2.5, area.w - 5.0, area.h - 5.0, radius - 2.5);
    setColour(cr, palette::kPanelRim, 0.55);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void paintWell(const Canvas& canvas, PixelRect area, double radius)
{
    cairo_t* cr = canvas.cr();
    const double x = area.x;
    const double y = area.y;
    // The light lower lip sits under the well, so the well reads as sunk in.
    roundedRectPath(cr, x, y + 1.0, area.w, area.h, radius);
    setColour(cr, palette::kWellEdge, 0.7);
    cairo_fill(cr);
    roundedRectPath(cr, x, y, area.w, area.h, radius);
    const auto shade = verticalGradient(y, area.bottom(),
                                        {{0.0, hexColour(0x081634)}, {0.25, palette::kWell}, {1.0, palette::kWell}});
    cairo_set_source(cr, shade.get());
    cairo_fill(cr);
}

void paintHeading(const Canvas& canvas, std::string_view text, double x, double baselineY, double size,
                  Align align)
{
    cairo_t* cr = canvas.cr();
    canvas.setFont(FontStyle::SansBold, size);
    const double left = align == Align::Centre ? x - canvas.spacedTextWidth(text, 1.0) / 2.0 : x;
    cairo_new_path(cr);
    canvas.spacedTextPath(text, left, baselineY + 1.0, 1.0);
    setColour(cr, hexColour(0x000000), 0.45);
    cairo_fill(cr);
    canvas.spacedTextPath(text, left, baselineY, 1.0);
    setColour(cr, palette::kGold);
    cairo_fill(cr);
}

void paintIcon(cairo_t* cr, IconPainter icon, double cx, double cy, double size, Rgb ink, double alpha,
               bool shadow)
{
    constexpr double kIconBox = 24.0;
    const auto draw = [&](double dy, Rgb colour, double opacity) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy + dy);
        cairo_scale(cr, size / kIconBox, size / kIconBox);
        cairo_new_path(cr);
        // Drawn opaque in a group first, so overlapping strokes of a faded
        // icon do not show darker where they cross.
        cairo_push_group(cr);
        setColour(cr, colour);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        icon(cr);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, opacity);
        cairo_restore(cr);
    };
    if (shadow) {
        draw(1.0, hexColour(0x000000), 0.35 * alpha);
    }
    draw(0.0, ink, alpha);
}

void paintButtonFace(const Canvas& canvas, PixelRect face, const ButtonArt& art, ButtonState state)
{
    cairo_save(canvas.cr());
    paintFaceBody(canvas.cr(), face, art, state);
    paintFaceContent(canvas, face, art, state);
    cairo_restore(canvas.cr());
}

} // namespace assetgen
