// Canvas setup, text helpers and PNG output.
#include "canvas.h"

#include "asset_log.h"

#include <vector>

namespace assetgen {
namespace {

// Unhinted grey antialiasing and unhinted metrics: glyph shapes and advances
// then come from the font file alone, so the PNGs match on every machine.
void setReproducibleFontOptions(cairo_t* cr)
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

// UTF-8 text split into whole characters, so spacing never splits a sequence.
std::vector<std::string> characters(std::string_view text)
{
    std::vector<std::string> result;
    for (const char c : text) {
        const bool continuation = (static_cast<unsigned char>(c) & 0xC0u) == 0x80u;
        if (continuation && !result.empty()) {
            result.back().push_back(c);
        } else {
            result.emplace_back(1, c);
        }
    }
    return result;
}

} // namespace

Canvas::Canvas(int width, int height, Opacity opacity, const FontLibrary& fonts)
    : width_(width),
      height_(height),
      fonts_(fonts),
      surface_(cairo_image_surface_create(
          opacity == Opacity::Opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, width, height)),
      context_(cairo_create(surface_.get()))
{
    setReproducibleFontOptions(cr());
    cairo_set_line_join(cr(), CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr(), CAIRO_LINE_CAP_ROUND);
}

void Canvas::setFont(FontStyle style, double pixelSize) const
{
    cairo_set_font_face(cr(), fonts_.face(style));
    cairo_set_font_size(cr(), pixelSize);
}

double Canvas::textWidth(std::string_view text) const
{
    const std::string owned(text);
    cairo_text_extents_t extents;
    cairo_text_extents(cr(), owned.c_str(), &extents);
    return extents.x_advance;
}

void Canvas::textPath(std::string_view text, double x, double baselineY) const
{
    const std::string owned(text);
    cairo_move_to(cr(), x, baselineY);
    cairo_text_path(cr(), owned.c_str());
}

void Canvas::spacedTextPath(std::string_view text, double x, double baselineY,
                            double spacing) const
{
    for (const auto& character : characters(text)) {
        textPath(character, x, baselineY);
        x += textWidth(character) + spacing;
    }
}

double Canvas::spacedTextWidth(std::string_view text, double spacing) const
{
    const auto split = characters(text);
    double width = 0.0;
    for (const auto& character : split) {
        width += textWidth(character) + spacing;
    }
    return split.empty() ? 0.0 : width - spacing;
}

bool Canvas::writePng(const std::filesystem::path& file, std::string& error) const
{
    if (cairo_status(cr()) != CAIRO_STATUS_SUCCESS) {
        error = joined({"drawing '", file.string(), "' failed: ", cairo_status_to_string(cairo_status(cr()))});
        return false;
    }
    cairo_surface_flush(surface_.get());
    const auto status = cairo_surface_write_to_png(surface_.get(), file.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        error = joined({"cannot write '", file.string(), "': ", cairo_status_to_string(status)});
        return false;
    }
    return true;
}

} // namespace assetgen
