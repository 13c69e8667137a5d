// The look every menu of the interface shares: opaque navy panels with a
// light inner rim, recessed wells for text and pictures, and button faces in
// four colour tones, each drawn normal, hovered (lighter, gold rim) or
// inactive (grey). All sizes are pixels of the 800 x 600 layout.
#pragma once

#include "canvas.h"
#include "scenery.h"

#include <cairo.h>

#include <string_view>

namespace assetgen {

// Whole pixels on a picture, y pointing down.
struct PixelRect {
    int x;
    int y;
    int w;
    int h;

    constexpr int right() const { return x + w; }
    constexpr int bottom() const { return y + h; }
    constexpr PixelRect grown(int by) const { return {x - by, y - by, w + 2 * by, h + 2 * by}; }
    constexpr bool overlaps(const PixelRect& other) const
    {
        return x < other.right() && other.x < right() && y < other.bottom() && other.y < bottom();
    }
};

enum class ButtonState { Normal, Hover, Inactive };
enum class Tone { Blue, Green, Amber, Red };
// Icon beside the label, or above it.
enum class Arrangement { Row, Stacked };

// Draws a one-colour icon in the current source, centred on the origin of a
// 24 x 24 unit box; the caller scales the box to the wanted size.
using IconPainter = void (*)(cairo_t*);

struct ButtonArt {
    Tone tone;
    IconPainter icon = nullptr;
    std::string_view label = {};
    double iconSize = 22.0;
    double labelSize = 14.0;
    double radius = 7.0;
    Arrangement arrangement = Arrangement::Row;
};

struct FaceColours {
    Rgb top;
    Rgb bottom;
    Rgb edge;
};

// Gradient and edge colours of a button face of tone in state.
FaceColours faceColours(Tone tone, ButtonState state);

namespace palette {
constexpr Rgb kPanelTop = hexColour(0x2C5DA3);
constexpr Rgb kPanelBottom = hexColour(0x1A3B73);
constexpr Rgb kPanelEdge = hexColour(0x0B1F4A);
constexpr Rgb kPanelRim = hexColour(0x7AA6E6);
constexpr Rgb kWell = hexColour(0x0E2552);
constexpr Rgb kWellEdge = hexColour(0x5C8AD0);
constexpr Rgb kGold = hexColour(0xFFD84A);
constexpr Rgb kInk = hexColour(0xFFFFFF);
constexpr Rgb kMutedText = hexColour(0xA9C3EA);
} // namespace palette

void roundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius);

// A framed panel filling area: soft edge shadow, gradient body, rims.
void paintPanel(const Canvas& canvas, PixelRect area, double radius);
// A recessed dark area (text field, list, picture slot) inside a panel.
void paintWell(const Canvas& canvas, PixelRect area, double radius);

enum class Align { Left, Centre };
void paintHeading(const Canvas& canvas, std::string_view text, double x, double baselineY, double size,
                  Align align);

// Paints icon scaled to size pixels and centred on (cx, cy) in ink, with a
// one-pixel drop shadow below it when shadow is set.
void paintIcon(cairo_t* cr, IconPainter icon, double cx, double cy, double size, Rgb ink, double alpha,
               bool shadow);

// The button's face fills exactly face (antialiased edge included).
void paintButtonFace(const Canvas& canvas, PixelRect face, const ButtonArt& art, ButtonState state);

} // namespace assetgen
