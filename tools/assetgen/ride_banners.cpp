// Ride-result banners shown over the editor after a test run: a ribbon in
// the result's colour with a badge and a bold word. The game centres each
// one horizontally with its top edge 16 units below the top of the screen.
#include "menu_icons.h"
#include "menu_sheets.h"

#include <numbers>
#include <string>

namespace assetgen {
namespace {

constexpr int kBannerWidth = 360;
constexpr int kBannerHeight = 84;
constexpr PixelRect kRibbon{6, 4, 348, 72};
constexpr double kRibbonRadius = 18.0;
constexpr double kBadgeX = 44.0;
constexpr double kBadgeY = 40.0;
constexpr double kBadgeRadius = 27.0;
constexpr double kTextSize = 36.0;

struct Banner {
    const char* file;
    std::string_view text;
    Tone tone;
    IconPainter badge;
};

constexpr Banner kBanners[] = {
    {"images/tooslow.png", "TOO SLOW!", Tone::Amber, iconGauge},
    {"images/collision.png", "COLLISION!", Tone::Red, iconCrash},
    {"images/ok.png", "RIDE OK!", Tone::Green, iconCheck},
};

void paintRibbon(cairo_t* cr, const FaceColours& colours)
{
    roundedRectPath(cr, kRibbon.x, kRibbon.y + 4.0, kRibbon.w, kRibbon.h, kRibbonRadius);
    setColour(cr, hexColour(0x000000), 0.3);
    cairo_fill(cr);
    roundedRectPath(cr, kRibbon.x, kRibbon.y, kRibbon.w, kRibbon.h, kRibbonRadius);
    setColour(cr, colours.edge);
    cairo_fill(cr);
    roundedRectPath(cr, kRibbon.x + 3.0, kRibbon.y + 3.0, kRibbon.w - 6.0, kRibbon.h - 6.0, kRibbonRadius - 3.0);
    const auto body = verticalGradient(kRibbon.y, kRibbon.bottom(), {{0.0, colours.top}, {1.0, colours.bottom}});
    cairo_set_source(cr, body.get());
    cairo_fill(cr);
    roundedRectPath(cr, kRibbon.x + 5.0, kRibbon.y + 5.0, kRibbon.w - 10.0, kRibbon.h * 0.42, kRibbonRadius - 5.0);
    const auto gloss = verticalGradient(kRibbon.y, kRibbon.y + kRibbon.h * 0.5,
                                        {{0.0, hexColour(0xFFFFFF), 0.45}, {1.0, hexColour(0xFFFFFF), 0.05}});
    cairo_set_source(cr, gloss.get());
    cairo_fill(cr);
}

void paintBadge(cairo_t* cr, const FaceColours& colours, IconPainter badge)
{
    cairo_arc(cr, kBadgeX, kBadgeY, kBadgeRadius, 0.0, 2.0 * std::numbers::pi);
    setColour(cr, colours.edge);
    cairo_fill(cr);
    cairo_arc(cr, kBadgeX, kBadgeY, kBadgeRadius - 3.0, 0.0, 2.0 * std::numbers::pi);
    setColour(cr, hexColour(0xFFFFFF));
    cairo_fill(cr);
    paintIcon(cr, badge, kBadgeX, kBadgeY, 34.0, colours.bottom, 1.0, false);
}

void paintWord(const Canvas& canvas, const Banner& banner, const FaceColours& colours)
{
    cairo_t* cr = canvas.cr();
    canvas.setFont(FontStyle::SansBold, kTextSize);
    const double left = kBadgeX + kBadgeRadius + 6.0;
    const double right = kRibbon.right() - 12.0;
    const double x = (left + right - canvas.spacedTextWidth(banner.text, 1.0)) / 2.0;
    const double baseline = kRibbon.y + kRibbon.h / 2.0 + kTextSize * 0.36;
    cairo_new_path(cr);
    canvas.spacedTextPath(banner.text, x, baseline, 1.0);
    setColour(cr, colours.edge);
    cairo_set_line_width(cr, 5.0);
    cairo_stroke_preserve(cr);
    setColour(cr, hexColour(0xFFFFFF));
    cairo_fill(cr);
}

void paintBanner(const Canvas& canvas, const Banner& banner)
{
    const FaceColours colours = faceColours(banner.tone, ButtonState::Normal);
    paintRibbon(canvas.cr(), colours);
    paintBadge(canvas.cr(), colours, banner.badge);
    paintWord(canvas, banner, colours);
}

} // namespace

bool writeRideBanners(const std::filesystem::path& outDir, const FontLibrary& fonts, AssetLog& log)
{
    std::string error;
    for (const auto& banner : kBanners) {
        const Canvas canvas(kBannerWidth, kBannerHeight, Opacity::Transparent, fonts);
        paintBanner(canvas, banner);
        if (!canvas.writePng(outDir / banner.file, error)) {
            return log.fail({error});
        }
        ++log.filesWritten;
    }
    return true;
}

} // namespace assetgen
