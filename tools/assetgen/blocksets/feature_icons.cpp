// Feature pictograms: the track as a thick line in side view, supports as
// thin ticks down to the ground line. Coordinates are pixels of the 72 x 62
// icon, y down.
#include "blocksets/feature_icons.h"

#include "canvas.h"
#include "menu_style.h"
#include "scenery.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace assetgen::blocksets {
namespace {

constexpr double kGround = 57.0;
constexpr double kTrackWidth = 4.0;

struct IconArt {
    std::string family;
    std::string label;
    void (*track)(cairo_t*);
    std::vector<Point> supports;  // track points that get a tick down to the ground
    bool chain = false;
};

void liftCrestPath(cairo_t* cr) {
    cairo_move_to(cr, 6, 52);
    cairo_line_to(cr, 27, 23);
    cairo_curve_to(cr, 33, 14, 41, 14, 47, 23);
    cairo_line_to(cr, 66, 52);
}

void dropPath(cairo_t* cr) {
    cairo_move_to(cr, 5, 16);
    cairo_line_to(cr, 18, 14);
    cairo_curve_to(cr, 28, 12, 31, 16, 34, 24);
    cairo_line_to(cr, 44, 46);
    cairo_curve_to(cr, 48, 53, 54, 53, 60, 53);
    cairo_line_to(cr, 68, 53);
}

void loopPath(cairo_t* cr) {
    cairo_move_to(cr, 4, 52);
    cairo_line_to(cr, 26, 52);
    cairo_curve_to(cr, 50, 52, 52, 10, 36, 10);
    cairo_curve_to(cr, 20, 10, 22, 52, 46, 52);
    cairo_line_to(cr, 68, 52);
}

// Two turns of a prolate trochoid: the track rolling round as it runs on.
void corkscrewPath(cairo_t* cr) {
    constexpr int kSteps = 120;
    for (int i = 0; i <= kSteps; ++i) {
        const double u = static_cast<double>(i) / kSteps;
        const double a = 4.0 * std::numbers::pi * u;
        const double x = 10.0 + 52.0 * u + 9.0 * std::sin(a);
        const double y = 37.0 + 13.0 * std::cos(a);
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
}

void camelbackPath(cairo_t* cr) {
    cairo_move_to(cr, 4, 50);
    cairo_line_to(cr, 10, 50);
    cairo_curve_to(cr, 24, 50, 24, 12, 36, 12);
    cairo_curve_to(cr, 48, 12, 48, 50, 62, 50);
    cairo_line_to(cr, 68, 50);
}

void doubleDipPath(cairo_t* cr) {
    cairo_move_to(cr, 4, 22);
    cairo_curve_to(cr, 14, 22, 14, 46, 21, 46);
    cairo_curve_to(cr, 28, 46, 28, 22, 36, 22);
    cairo_curve_to(cr, 44, 22, 44, 46, 51, 46);
    cairo_curve_to(cr, 58, 46, 58, 22, 68, 22);
}

void tunnelPath(cairo_t* cr) {
    cairo_move_to(cr, 4, 48);
    cairo_line_to(cr, 68, 48);
    cairo_move_to(cr, 18, 50);
    cairo_line_to(cr, 18, 28);
    cairo_curve_to(cr, 18, 14, 54, 14, 54, 28);
    cairo_line_to(cr, 54, 50);
}

const std::vector<IconArt>& iconArts() {
    static const std::vector<IconArt> kArts = {
        {"lifthilltop", "Lift crest", liftCrestPath, {{14, 41}, {37, 16}, {58, 40}}, true},
        {"drop", "First drop", dropPath, {{12, 15}, {26, 13}, {40, 37}}},
        {"loop", "Loop", loopPath, {{12, 52}, {60, 52}}},
        {"corkscrew", "Corkscrew", corkscrewPath, {{10, 50}, {62, 50}}},
        {"camelback", "Camelback", camelbackPath, {{20, 32}, {36, 12}, {52, 32}}},
        {"doubledip", "Double dip", doubleDipPath, {{4, 22}, {36, 22}, {68, 22}}},
        {"tunnel", "Tunnel", tunnelPath, {}},
    };
    return kArts;
}

const IconArt* artFor(const std::string& family) {
    for (const IconArt& art : iconArts()) {
        if (art.family == family) {
            return &art;
        }
    }
    return nullptr;
}

void strokeArt(cairo_t* cr, const IconArt& art, Rgb ink, bool lit) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 1.5);
    setColour(cr, ink, 0.7);
    for (const Point& p : art.supports) {
        cairo_move_to(cr, p.x, p.y + 3.0);
        cairo_line_to(cr, p.x, kGround);
    }
    cairo_stroke(cr);
    if (lit) {
        cairo_new_path(cr);
        art.track(cr);
        cairo_set_line_width(cr, kTrackWidth * 2.4);
        setColour(cr, ink, 0.25);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    art.track(cr);
    cairo_set_line_width(cr, kTrackWidth + 1.5);
    setColour(cr, hexColour(0x000000), 0.5);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, kTrackWidth);
    setColour(cr, ink);
    cairo_stroke(cr);
    if (art.chain) {
        cairo_move_to(cr, 10, 52);
        cairo_line_to(cr, 27, 28);
        const double dashes[] = {2.0, 2.5};
        cairo_set_dash(cr, dashes, 2, 0.0);
        cairo_set_line_width(cr, 2.0);
        setColour(cr, hexColour(0x1A1A1A));
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0.0);
    }
}

bool writeIcon(const std::filesystem::path& file, const IconArt& art, bool lit, const FontLibrary& fonts,
               AssetLog& log) {
    Canvas canvas(kIconWidth, kIconHeight, Opacity::Transparent, fonts);
    cairo_t* cr = canvas.cr();
    if (lit) {
        roundedRectPath(cr, 1.0, 1.0, kIconWidth - 2.0, kIconHeight - 2.0, 6.0);
        setColour(cr, palette::kPanelRim, 0.22);
        cairo_fill_preserve(cr);
        setColour(cr, palette::kGold, 0.8);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, 3.0, kGround + 0.5);
    cairo_line_to(cr, kIconWidth - 3.0, kGround + 0.5);
    cairo_set_line_width(cr, 1.0);
    setColour(cr, lit ? palette::kGold : palette::kMutedText, 0.5);
    cairo_stroke(cr);
    strokeArt(cr, art, lit ? palette::kGold : palette::kMutedText, lit);
    std::string error;
    if (!canvas.writePng(file, error)) {
        return log.fail({error});
    }
    ++log.filesWritten;
    return true;
}

bool writeLabel(const std::filesystem::path& file, const std::string& text, bool lit, const FontLibrary& fonts,
                AssetLog& log) {
    Canvas canvas(kLabelWidth, kLabelHeight, Opacity::Transparent, fonts);
    cairo_t* cr = canvas.cr();
    roundedRectPath(cr, 0.5, 0.5, kLabelWidth - 1.0, kLabelHeight - 1.0, 5.0);
    setColour(cr, lit ? palette::kPanelTop : palette::kPanelBottom, lit ? 0.95 : 0.8);
    cairo_fill_preserve(cr);
    setColour(cr, lit ? palette::kGold : palette::kPanelEdge, lit ? 0.9 : 0.8);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    canvas.setFont(FontStyle::SansBold, 11.5);
    cairo_new_path(cr);
    canvas.textPath(text, 8.0, 13.5);
    setColour(cr, hexColour(0x000000), 0.5);
    cairo_fill(cr);
    canvas.textPath(text, 7.0, 12.5);
    setColour(cr, lit ? palette::kGold : palette::kInk);
    cairo_fill(cr);
    std::string error;
    if (!canvas.writePng(file, error)) {
        return log.fail({error});
    }
    ++log.filesWritten;
    return true;
}

}  // namespace

bool writeFeatureIcons(const std::filesystem::path& stemPath, const std::string& family, const FontLibrary& fonts,
                       AssetLog& log) {
    const IconArt* art = artFor(family);
    if (!art) {
        return log.fail({"no icon for the feature '", family, "'"});
    }
    const std::string stem = stemPath.string();
    return writeIcon(stem + "iconon.png", *art, true, fonts, log) &&
           writeLabel(stem + "texton.png", art->label, true, fonts, log) &&
           writeIcon(stem + "iconoff.png", *art, false, fonts, log) &&
           writeLabel(stem + "textoff.png", art->label, false, fonts, log);
}

}  // namespace assetgen::blocksets
