// The generated menus read the way the game reads them: markers in the
// position image give exactly the buttons of each menu's table, each button
// finds its " select" picture first in the folder listing, the picture fits
// the background at its marker, and disabled looks hide the button face.
#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// A decoded PNG; null surface when the file is missing or unreadable.
struct Picture {
    Surface surface;
    int width = 0;
    int height = 0;

    explicit Picture(const fs::path& file) : surface(cairo_image_surface_create_from_png(file.c_str()))
    {
        if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
            surface.reset();
            return;
        }
        cairo_surface_flush(surface.get());
        width = cairo_image_surface_get_width(surface.get());
        height = cairo_image_surface_get_height(surface.get());
    }

    bool valid() const { return surface != nullptr; }
    std::uint32_t argb(int x, int y) const
    {
        const unsigned char* row =
            cairo_image_surface_get_data(surface.get()) + y * cairo_image_surface_get_stride(surface.get());
        return reinterpret_cast<const std::uint32_t*>(row)[x];
    }
    std::uint32_t rgb(int x, int y) const { return argb(x, y) & 0xFFFFFFu; }
    unsigned alpha(int x, int y) const { return argb(x, y) >> 24; }
};

constexpr std::uint32_t kWhite = 0xFFFFFFu;

// One generator run serves every test of the suite.
class GeneratedMenusTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        data_ = fs::temp_directory_path() / ("assetgen-menus-" + std::to_string(getpid()));
        fs::remove_all(data_);
        const std::string command =
            std::string("'") + ZEPHYRAIL_ASSETS_EXE + "' '" + data_.string() + "' >/dev/null 2>&1";
        generated_ = std::system(command.c_str()) == 0;
    }
    static void TearDownTestSuite()
    {
        std::error_code ignored;
        fs::remove_all(data_, ignored);
    }
    void SetUp() override { ASSERT_TRUE(generated_) << "zephyrail-assets failed"; }

    static fs::path data_;
    static bool generated_;
};

fs::path GeneratedMenusTest::data_;
bool GeneratedMenusTest::generated_ = false;

struct MenuCase {
    const char* background; // below the data folder
    int buttons;            // rows of the game's table for this menu
    bool inactive;          // the game can disable its buttons
};

constexpr MenuCase kMenus[] = {
    {"images/build/build.png", 11, false},
    {"images/panel/panel.png", 9, true},
    {"images/features/features.png", 2, true},
    {"images/leftmenu/corner/panel.png", 1, false},
    {"images/rightmenu/corner/panel.png", 1, false},
    {"images/leftmenu/panel.png", 4, true},
    {"images/rightmenu/panel.png", 4, true},
    {"images/dialoguebox/dialoguebox.png", 2, false},
    {"images/inputbox/inputbox.png", 2, false},
    {"images/load/panel.png", 7, true},
    {"images/Save/panel.png", 7, true},
};

// Where the marker of each button number was found, y counted from the top.
struct Marker {
    int column;
    int row;
};

// The game's reading of a position image: markers in rows 1 .. h-3, keys in row 0.
std::multimap<int, Marker> readMarkers(const Picture& layout)
{
    std::multimap<int, Marker> markers;
    for (int row = 1; row <= layout.height - 3; ++row) {
        for (int column = 0; column < layout.width; ++column) {
            if (layout.rgb(column, row) == kWhite) {
                continue;
            }
            int number = 0;
            for (int key = 0; key < layout.width && number == 0; ++key) {
                number = layout.rgb(key, 0) == layout.rgb(column, row) ? key + 1 : 0;
            }
            markers.insert({number, {column, row}});
        }
    }
    return markers;
}

fs::path positionImage(const fs::path& background)
{
    return background.parent_path() / (background.stem().string() + " pos" + background.extension().string());
}

// The game lists "N*.*" and takes the first name, in byte order, containing "select".
std::string selectPictureName(const fs::path& folder, int number)
{
    const std::string prefix = std::to_string(number);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0 && name.find('.', prefix.size()) != std::string::npos) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    const auto found = std::find_if(names.begin(), names.end(),
                                    [](const std::string& name) { return name.find("select") != std::string::npos; });
    return found == names.end() ? std::string() : *found;
}

bool hasVisiblePixel(const Picture& picture)
{
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (picture.alpha(x, y) > 0) {
                return true;
            }
        }
    }
    return false;
}

void checkMarkers(const fs::path& data, const MenuCase& menu)
{
    const fs::path background = data / menu.background;
    const Picture backdrop(background);
    const Picture layout(positionImage(background));
    ASSERT_TRUE(backdrop.valid());
    ASSERT_TRUE(layout.valid());
    EXPECT_EQ(layout.width, backdrop.width);
    EXPECT_EQ(layout.height, backdrop.height);
    ASSERT_GE(layout.height, 4);

    const auto markers = readMarkers(layout);
    std::set<int> numbers;
    for (const auto& [number, marker] : markers) {
        EXPECT_GE(number, 1) << "marker colour missing from the key row at " << marker.column << "," << marker.row;
        numbers.insert(number);
    }
    std::set<int> expected;
    for (int number = 1; number <= menu.buttons; ++number) {
        expected.insert(number);
    }
    EXPECT_EQ(numbers, expected);
    EXPECT_EQ(markers.size(), expected.size());
    for (int row = layout.height - 2; row < layout.height; ++row) {
        for (int column = 0; column < layout.width; ++column) {
            EXPECT_EQ(layout.rgb(column, row), kWhite) << "unscanned marker at " << column << "," << row;
        }
    }
}

void checkButtonPictures(const fs::path& data, const MenuCase& menu)
{
    const fs::path background = data / menu.background;
    const fs::path folder = background.parent_path();
    const Picture layout(positionImage(background));
    ASSERT_TRUE(layout.valid());
    for (const auto& [number, marker] : readMarkers(layout)) {
        SCOPED_TRACE("button " + std::to_string(number));
        const std::string selectName = std::to_string(number) + " select.png";
        ASSERT_EQ(selectPictureName(folder, number), selectName);
        const Picture select(folder / selectName);
        ASSERT_TRUE(select.valid());
        EXPECT_TRUE(hasVisiblePixel(select));
        // The picture's bottom-left pixel is the marker.
        EXPECT_LE(marker.column + select.width, layout.width);
        EXPECT_GE(marker.row - select.height + 1, 0);

        const Picture inactive(folder / (std::to_string(number) + " inactive.png"));
        EXPECT_EQ(inactive.valid(), menu.inactive);
        if (!inactive.valid()) {
            continue;
        }
        ASSERT_EQ(inactive.width, select.width);
        ASSERT_EQ(inactive.height, select.height);
        int uncovered = 0;
        for (int y = 0; y < select.height; ++y) {
            for (int x = 0; x < select.width; ++x) {
                uncovered += select.alpha(x, y) == 255 && inactive.alpha(x, y) != 255 ? 1 : 0;
            }
        }
        EXPECT_EQ(uncovered, 0) << "the disabled look lets the button show through";
    }
}

TEST_F(GeneratedMenusTest, MarkersGiveEachButtonOfItsTableOnce)
{
    for (const auto& menu : kMenus) {
        SCOPED_TRACE(menu.background);
        checkMarkers(data_, menu);
    }
}

TEST_F(GeneratedMenusTest, EachButtonHasAPictureThatFitsAtItsMarker)
{
    for (const auto& menu : kMenus) {
        SCOPED_TRACE(menu.background);
        checkButtonPictures(data_, menu);
    }
}

// A button picture's place on the 800 x 600 screen, y counted from the bottom.
struct ScreenRect {
    int left;
    int bottom;
    int right;
    int top;

    bool onScreen() const { return left >= 0 && bottom >= 0 && right <= 800 && top <= 600; }
    bool offScreen() const { return right <= 0 || left >= 800 || top <= 0 || bottom >= 600; }
    bool operator==(const ScreenRect&) const = default;
};

ScreenRect buttonOnScreen(const fs::path& background, int number, int menuX, int menuY)
{
    const Picture layout(positionImage(background));
    const auto markers = readMarkers(layout);
    const auto found = markers.find(number);
    if (!layout.valid() || found == markers.end()) {
        ADD_FAILURE() << background << " has no button " << number;
        return {};
    }
    const Picture select(background.parent_path() / (std::to_string(number) + " select.png"));
    const int left = menuX + found->second.column;
    const int bottom = menuY + layout.height - 1 - found->second.row;
    return {left, bottom, left + select.width, bottom + select.height};
}

struct SlidingCase {
    const char* menu;
    const char* corner;
    int closedX;
    int closedY;
    int slideX;
    int slideY;
    int cornerX;
    int cornerY;
};

constexpr SlidingCase kSlidingMenus[] = {
    {"images/leftmenu/panel.png", "images/leftmenu/corner/panel.png", -132, 556, 137, -139, 0, 548},
    {"images/rightmenu/panel.png", "images/rightmenu/corner/panel.png", 756, 556, -137, -139, 748, 548},
};

void checkSlidingMenu(const fs::path& data, const SlidingCase& sliding)
{
    const fs::path menu = data / sliding.menu;
    for (int number = 1; number <= 4; ++number) {
        SCOPED_TRACE("button " + std::to_string(number));
        const ScreenRect closed = buttonOnScreen(menu, number, sliding.closedX, sliding.closedY);
        if (number == 4) {
            EXPECT_TRUE(closed.onScreen()) << "the closed menu hides its opener";
        } else {
            EXPECT_TRUE(closed.offScreen()) << "the closed menu shows a disabled command";
        }
        const ScreenRect open =
            buttonOnScreen(menu, number, sliding.closedX + sliding.slideX, sliding.closedY + sliding.slideY);
        EXPECT_TRUE(open.onScreen());
    }
    EXPECT_EQ(buttonOnScreen(data / sliding.corner, 1, sliding.cornerX, sliding.cornerY),
              buttonOnScreen(menu, 4, sliding.closedX, sliding.closedY));
}

// Closed, only the opener (button 4) shows in the corner; open, every button
// is on screen and the corner's close toggle sits where the opener sat.
TEST_F(GeneratedMenusTest, SlidingMenusOpenAndCloseFromOneCornerSpot)
{
    for (const auto& sliding : kSlidingMenus) {
        SCOPED_TRACE(sliding.menu);
        checkSlidingMenu(data_, sliding);
    }
}

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::uint32_t littleEndian(const std::string& bytes, std::size_t offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    }
    return value;
}

// 24-bit, 128 x 128 like a thumbnail; white inside, black in the cut corners.
TEST_F(GeneratedMenusTest, ThumbnailMaskIsATwentyFourBitBitmapOfThumbnailSize)
{
    const std::string bmp = readBytes(data_ / "images/common/thumbnailmask.bmp");
    ASSERT_EQ(bmp.size(), 54u + 128u * 128u * 3u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(littleEndian(bmp, 10, 4), 54u);
    EXPECT_EQ(littleEndian(bmp, 18, 4), 128u);
    EXPECT_EQ(littleEndian(bmp, 22, 4), 128u);
    EXPECT_EQ(littleEndian(bmp, 28, 2), 24u);
    const auto pixel = [&](int x, int y) { return littleEndian(bmp, 54u + (y * 128u + x) * 3u, 3); };
    EXPECT_EQ(pixel(0, 0), 0u);
    EXPECT_EQ(pixel(127, 127), 0u);
    EXPECT_EQ(pixel(64, 64), 0xFFFFFFu);
    EXPECT_EQ(pixel(64, 0), 0xFFFFFFu);
}

} // namespace
