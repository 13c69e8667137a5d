// DejaVu faces loaded straight from their files through FreeType, so text in
// the generated pictures does not depend on the machine's fontconfig setup.
#pragma once

#include <cairo.h>

#include <array>
#include <memory>
#include <string>

namespace assetgen {

enum class FontStyle { Sans, SansBold, SerifBold };

struct CairoFontFaceDeleter {
    void operator()(cairo_font_face_t* face) const { cairo_font_face_destroy(face); }
};
using CairoFontFacePtr = std::unique_ptr<cairo_font_face_t, CairoFontFaceDeleter>;

class FontLibrary {
public:
    // nullptr with error set when a font file is missing or unreadable.
    static std::unique_ptr<FontLibrary> load(std::string& error);

    cairo_font_face_t* face(FontStyle style) const;

private:
    FontLibrary() = default;

    std::array<CairoFontFacePtr, 3> faces_;
};

} // namespace assetgen
