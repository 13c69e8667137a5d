// The coaster file browser, a 220 x 322 panel at (315, 162). The game draws
// into it, in units from the panel's bottom-left corner: list rows from
// y 242 down, left edge x 30, 128 wide, with the highlight bar and folder
// icons 5 below each row's text line; the name field's text at (36, 130);
// and the 128 x 128 coaster thumbnail with its corner at (25, -30), so the
// picture hangs out of the panel's bottom edge through an open slot.
#include "menu_icons.h"
#include "menu_sheets.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

namespace assetgen {
namespace {

constexpr int kWidth = 220;
constexpr int kHeight = 322;
constexpr double kRadius = 12.0;
constexpr PixelRect kListWell{24, 62, 144, 110};
constexpr PixelRect kScrollGroove{181, 96, 8, 42};
constexpr PixelRect kNameWell{24, 175, 174, 23};
constexpr PixelRect kThumbnailSlot{21, 220, 136, kHeight - 220};
constexpr PixelRect kThumbnail{25, 224, 128, 128};
constexpr int kThumbnailSize = 128;

constexpr ButtonArt tool(Tone tone, IconPainter icon, double size)
{
    return {tone, icon, {}, size, 14.0, 6.0, Arrangement::Row};
}

constexpr ButtonArt action(IconPainter icon, std::string_view label)
{
    return {Tone::Green, icon, label, 24.0, 13.0, 8.0, Arrangement::Stacked};
}

// Numbers follow the browsers' shared table: 1 create folder, 2 up one
// folder, 3 delete, 4 scroll up, 5 scroll down, 6 load or save, 7 close.
constexpr std::array<MenuButton, 7> browserButtons(const ButtonArt& act)
{
    return {{
        {1, {24, 34, 34, 24}, tool(Tone::Blue, iconNewFolder, 20.0)},
        {2, {62, 34, 34, 24}, tool(Tone::Blue, iconFolderUp, 20.0)},
        {3, {134, 34, 34, 24}, tool(Tone::Red, iconTrash, 18.0)},
        {4, {172, 62, 26, 30}, tool(Tone::Blue, iconScrollUp, 14.0)},
        {5, {172, 142, 26, 30}, tool(Tone::Blue, iconScrollDown, 14.0)},
        {6, {164, 228, 50, 70}, act},
        {7, {192, 6, 22, 22}, tool(Tone::Red, iconClose, 13.0)},
    }};
}

constexpr auto kLoadButtons = browserButtons(action(iconLoad, "LOAD"));
constexpr auto kSaveButtons = browserButtons(action(iconSave, "SAVE"));

// A faint coaster hill, seen when the selection has no thumbnail.
void paintThumbnailPlaceholder(cairo_t* cr)
{
    const double left = kThumbnail.x + 14.0;
    const double base = kThumbnail.y + 80.0;
    cairo_move_to(cr, left, base);
    cairo_curve_to(cr, left + 30.0, base, left + 34.0, base - 48.0, left + 52.0, base - 48.0);
    cairo_curve_to(cr, left + 70.0, base - 48.0, left + 74.0, base, left + 100.0, base);
    setColour(cr, palette::kMutedText, 0.35);
    cairo_set_line_width(cr, 4.0);
    cairo_stroke(cr);
}

void paintBrowserBackdrop(const Canvas& canvas, std::string_view title, bool editableName)
{
    cairo_t* cr = canvas.cr();
    paintPanel(canvas, {0, 0, kWidth, kHeight}, kRadius);
    paintHeading(canvas, title, 14.0, 23.0, 14.0, Align::Left);
    paintWell(canvas, kListWell, 6.0);
    paintWell(canvas, kScrollGroove, 4.0);
    paintWell(canvas, kNameWell, 5.0);
    if (editableName) {
        roundedRectPath(cr, kNameWell.x + 0.5, kNameWell.y + 0.5, kNameWell.w - 1.0, kNameWell.h - 1.0, 5.0);
        setColour(cr, palette::kGold, 0.8);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
    // The slot runs through the bottom rim: the thumbnail slides out of it.
    paintWell(canvas, kThumbnailSlot, 6.0);
    paintThumbnailPlaceholder(cr);
}

void paintLoadBackdrop(const Canvas& canvas)
{
    paintBrowserBackdrop(canvas, "LOAD COASTER", false);
}

void paintSaveBackdrop(const Canvas& canvas)
{
    paintBrowserBackdrop(canvas, "SAVE COASTER", true);
}

const std::array<MenuSheet, 2> kBrowserMenus = {{
    {"images/load/panel.png", kWidth, kHeight, Opacity::Transparent, paintLoadBackdrop, kLoadButtons, true},
    {"images/Save/panel.png", kWidth, kHeight, Opacity::Transparent, paintSaveBackdrop, kSaveButtons, true},
}};

// --- Loose parts of the list ---

// Sits under one list row, 128 wide like the row's click area. The game
// puts its bottom 5 units under the text line's bottom; 18 tall, it then
// reaches just over the capitals of the small font.
void paintHighlight(const Canvas& canvas)
{
    cairo_t* cr = canvas.cr();
    roundedRectPath(cr, 0.0, 0.0, canvas.width(), canvas.height(), 4.0);
    const auto glow = verticalGradient(0.0, canvas.height(),
                                       {{0.0, palette::kGold, 0.62}, {1.0, hexColour(0xF0A020), 0.45}});
    cairo_set_source(cr, glow.get());
    cairo_fill(cr);
    roundedRectPath(cr, 0.5, 0.5, canvas.width() - 1.0, canvas.height() - 1.0, 3.5);
    setColour(cr, hexColour(0xFFF0A0), 0.5);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

// Its bottom edge sits 5 units under the row's text line, like the
// highlight, so the folder is drawn in the upper part to stand beside the text.
void paintFolderIcon(const Canvas& canvas)
{
    paintIcon(canvas.cr(), iconFolder, canvas.width() / 2.0, 7.0, 17.0, hexColour(0xFFC93C), 1.0, true);
}

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};

void putLittleEndian(std::string& bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
    }
}

// White where the thumbnail shows, black where it is cut away: rounded
// corners. The game takes the mask's brightness as the thumbnail's alpha.
// The shape is symmetric, so the file's bottom-up row order cannot flip it.
bool writeThumbnailMask(const std::filesystem::path& file, std::string& error)
{
    const std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kThumbnailSize, kThumbnailSize));
    cairo_t* cr = cairo_create(surface.get());
    setColour(cr, hexColour(0x000000));
    cairo_paint(cr);
    roundedRectPath(cr, 0.0, 0.0, kThumbnailSize, kThumbnailSize, 10.0);
    setColour(cr, hexColour(0xFFFFFF));
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface.get());

    constexpr std::uint32_t kHeaderBytes = 54;
    constexpr std::uint32_t kRowBytes = kThumbnailSize * 3; // already a multiple of 4
    constexpr std::uint32_t kPixelBytes = kRowBytes * kThumbnailSize;
    std::string bytes = "BM";
    putLittleEndian(bytes, kHeaderBytes + kPixelBytes, 4);
    putLittleEndian(bytes, 0, 4);
    putLittleEndian(bytes, kHeaderBytes, 4);
    putLittleEndian(bytes, 40, 4); // BITMAPINFOHEADER
    putLittleEndian(bytes, kThumbnailSize, 4);
    putLittleEndian(bytes, kThumbnailSize, 4);
    putLittleEndian(bytes, 1, 2);  // planes
    putLittleEndian(bytes, 24, 2); // bits per pixel
    putLittleEndian(bytes, 0, 4);  // no compression
    putLittleEndian(bytes, kPixelBytes, 4);
    putLittleEndian(bytes, 2835, 4); // 72 dpi
    putLittleEndian(bytes, 2835, 4);
    putLittleEndian(bytes, 0, 4);
    putLittleEndian(bytes, 0, 4);
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int row = kThumbnailSize - 1; row >= 0; --row) {
        const auto* pixels = reinterpret_cast<const std::uint32_t*>(data + row * stride);
        for (int x = 0; x < kThumbnailSize; ++x) {
            putLittleEndian(bytes, pixels[x] & 0xFFFFFFu, 3); // blue, green, red
        }
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        error = joined({"cannot write '", file.string(), "'"});
        return false;
    }
    return true;
}

struct Part {
    const char* file;
    int width;
    int height;
    void (*paint)(const Canvas&);
};

constexpr Part kParts[] = {
    {"loadsave-hilite.png", kThumbnailSize, 18, paintHighlight},
    {"folder.png", 16, 17, paintFolderIcon},
};

} // namespace

std::span<const MenuSheet> browserMenus()
{
    return kBrowserMenus;
}

bool writeBrowserParts(const std::filesystem::path& outDir, const FontLibrary& fonts, AssetLog& log)
{
    const std::filesystem::path folder = outDir / "images" / "common";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        return log.fail({"cannot create folder '", folder.string(), "': ", ec.message()});
    }
    std::string error;
    for (const auto& part : kParts) {
        const Canvas canvas(part.width, part.height, Opacity::Transparent, fonts);
        part.paint(canvas);
        if (!canvas.writePng(folder / part.file, error)) {
            return log.fail({error});
        }
        ++log.filesWritten;
    }
    if (!writeThumbnailMask(folder / "thumbnailmask.bmp", error)) {
        return log.fail({error});
    }
    ++log.filesWritten;
    return true;
}

} // namespace assetgen
