// Writing a menu's pictures: background, position image, and per button the
// hovered and disabled looks cut to the button's rectangle.
#include "menu_sheet.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <system_error>

namespace assetgen {
namespace {

// The game ignores the last two rows of a position image and reads the top
// row as keys, so markers live in rows 1 .. height - 3.
constexpr int kUnscannedRows = 2;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

// Distinct, far from white, easy to tell apart when a layout is inspected.
constexpr std::uint32_t kKeyColours[] = {
    0xE6194B, 0x3CB44B, 0x4363D8, 0xF58231, 0x911EB4, 0x008080, 0xF032E6,
    0x9A6324, 0x800000, 0x000075, 0x808000, 0x469990, 0xFFE119, 0xBFEF45,
};

std::string layoutError(const MenuSheet& sheet, int number, std::string_view problem)
{
    return joined({sheet.background, ": button ", std::to_string(number), " ", problem});
}

// Empty when the layout is one the game reads as intended.
std::string checkLayout(const MenuSheet& sheet)
{
    const int count = static_cast<int>(sheet.buttons.size());
    if (count > static_cast<int>(std::size(kKeyColours)) || count > sheet.width ||
        sheet.height < kUnscannedRows + 2) {
        return joined({sheet.background, ": too many buttons for its size"});
    }
    for (const auto& button : sheet.buttons) {
        const PixelRect picture = buttonPicture(button);
        if (button.number < 1 || button.number > count) {
            return layoutError(sheet, button.number, "is outside 1 .. the number of buttons");
        }
        if (picture.x < 0 || picture.y < 0 || picture.right() > sheet.width ||
            picture.bottom() > sheet.height - kUnscannedRows) {
            return layoutError(sheet, button.number, "does not fit the scanned rows of the background");
        }
        for (const auto& other : sheet.buttons) {
            if (&other == &button) {
                continue;
            }
            if (other.number == button.number) {
                return layoutError(sheet, button.number, "appears twice");
            }
            if (buttonPicture(other).overlaps(picture)) {
                return layoutError(sheet, button.number, "overlaps another button");
            }
        }
    }
    return {};
}

// "images/x/panel.png" gives "images/x/panel pos.png".
std::filesystem::path positionImagePath(const std::filesystem::path& background)
{
    std::filesystem::path result = background;
    result.replace_filename(background.stem().string() + " pos" + background.extension().string());
    return result;
}

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};

// Drawn pixel by pixel: antialiasing would invent extra marker colours.
bool writePositionImage(const std::filesystem::path& file, const MenuSheet& sheet, std::string& error)
{
    const std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, sheet.width, sheet.height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        error = joined({"cannot make the position image for ", sheet.background});
        return false;
    }
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const auto pixel = [&](int x, int y) -> std::uint32_t& {
        return reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride)[x];
    };
    for (int y = 0; y < sheet.height; ++y) {
        for (int x = 0; x < sheet.width; ++x) {
            pixel(x, y) = kWhite;
        }
    }
    for (const auto& button : sheet.buttons) {
        const std::uint32_t key = 0xFF000000u | kKeyColours[button.number - 1];
        const PixelRect picture = buttonPicture(button);
        pixel(button.number - 1, 0) = key;
        pixel(picture.x, picture.bottom() - 1) = key;
    }
    cairo_surface_mark_dirty(surface.get());
    if (cairo_surface_write_to_png(surface.get(), file.c_str()) != CAIRO_STATUS_SUCCESS) {
        error = joined({"cannot write '", file.string(), "'"});
        return false;
    }
    return true;
}

bool writeButtonPicture(const std::filesystem::path& file, const MenuSheet& sheet, const MenuButton& button,
                        ButtonState state, const FontLibrary& fonts, std::string& error)
{
    const PixelRect picture = buttonPicture(button);
    const Canvas canvas(picture.w, picture.h, Opacity::Transparent, fonts);
    cairo_t* cr = canvas.cr();
    cairo_translate(cr, -picture.x, -picture.y);
    if (state == ButtonState::Inactive) {
        // The backdrop is flattened first and cut out once: clipping each of
        // its layers would leave a dark seam along the cut's soft edge.
        cairo_push_group(cr);
        sheet.backdrop(canvas);
        cairo_pop_group_to_source(cr);
        roundedRectPath(cr, picture.x, picture.y, picture.w, picture.h, button.art.radius + kFaceMargin);
        cairo_fill(cr);
    }
    paintButtonFace(canvas, button.face, button.art, state);
    return canvas.writePng(file, error);
}

bool writeBackground(const std::filesystem::path& file, const MenuSheet& sheet, const FontLibrary& fonts,
                     std::string& error)
{
    const Canvas canvas(sheet.width, sheet.height, sheet.opacity, fonts);
    sheet.backdrop(canvas);
    for (const auto& button : sheet.buttons) {
        if (sheet.facesOnBackground) {
            paintButtonFace(canvas, button.face, button.art, ButtonState::Normal);
        }
    }
    return canvas.writePng(file, error);
}

} // namespace

bool writeMenuSheet(const std::filesystem::path& outDir, const MenuSheet& sheet, const FontLibrary& fonts,
                    AssetLog& log)
{
    const std::string problem = checkLayout(sheet);
    if (!problem.empty()) {
        return log.fail({problem});
    }
    const std::filesystem::path background = outDir / sheet.background;
    const std::filesystem::path folder = background.parent_path();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        return log.fail({"cannot create folder '", folder.string(), "': ", ec.message()});
    }
    std::string error;
    if (!writeBackground(background, sheet, fonts, error) ||
        !writePositionImage(positionImagePath(background), sheet, error)) {
        return log.fail({error});
    }
    log.filesWritten += 2;
    for (const auto& button : sheet.buttons) {
        const std::string number = std::to_string(button.number);
        if (!writeButtonPicture(folder / (number + " select.png"), sheet, button, ButtonState::Hover, fonts,
                                error)) {
            return log.fail({error});
        }
        ++log.filesWritten;
        if (sheet.withInactive) {
            if (!writeButtonPicture(folder / (number + " inactive.png"), sheet, button, ButtonState::Inactive,
                                    fonts, error)) {
                return log.fail({error});
            }
            ++log.filesWritten;
        }
    }
    return true;
}

} // namespace assetgen
