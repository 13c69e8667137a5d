// A Cairo image surface with its drawing context and the shared fonts: the
// thing every picture painter draws on before it is saved as a PNG.
#pragma once

#include "font_library.h"

#include <cairo.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace assetgen {

enum class Opacity { Opaque, Transparent };

struct CairoSurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct CairoContextDeleter {
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};

class Canvas {
public:
    // Opaque canvases are RGB24; transparent ones ARGB32 and start fully clear.
    Canvas(int width, int height, Opacity opacity, const FontLibrary& fonts);

    cairo_t* cr() const { return context_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }

    void setFont(FontStyle style, double pixelSize) const;
    // Horizontal advance of text in the current font, in pixels.
    double textWidth(std::string_view text) const;
    // Appends the outline of text to the current path, starting at the baseline.
    void textPath(std::string_view text, double x, double baselineY) const;
    // As textPath, with extra pixels between characters; width via spacedTextWidth.
    void spacedTextPath(std::string_view text, double x, double baselineY, double spacing) const;
    double spacedTextWidth(std::string_view text, double spacing) const;

    bool writePng(const std::filesystem::path& file, std::string& error) const;

private:
    int width_;
    int height_;
    const FontLibrary& fonts_;
    std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter> surface_;
    std::unique_ptr<cairo_t, CairoContextDeleter> context_;
};

} // namespace assetgen
