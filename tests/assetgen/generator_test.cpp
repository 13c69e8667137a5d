// End-to-end checks of zephyrail-assets: it is run as a real process into a
// scratch folder, and the files it leaves behind are inspected.
#include <cairo.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeBytes(const fs::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Exit status of the generator, or -1 when it did not exit normally.
int runGenerator(const fs::path& outDir)
{
    const std::string command =
        std::string("'") + ZEPHYRAIL_ASSETS_EXE + "' '" + outDir.string() + "' >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every regular file under root, keyed by its path relative to root.
std::map<std::string, std::string> snapshot(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), root).string()] = readBytes(entry.path());
        }
    }
    return files;
}

class GeneratorTest : public testing::Test {
protected:
    void SetUp() override
    {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::temp_directory_path() /
                ("assetgen-" + std::string(test->name()) + "-" + std::to_string(getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
    }

    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    fs::path root_;
};

TEST_F(GeneratorTest, FreshAndRepeatedRunsWriteIdenticalBytes)
{
    const fs::path first = root_ / "first";
    const fs::path second = root_ / "second";
    ASSERT_EQ(runGenerator(first), 0);
    const auto original = snapshot(first);
    ASSERT_EQ(runGenerator(first), 0);
    ASSERT_EQ(runGenerator(second), 0);

    EXPECT_TRUE(original.count("setup.bin"));
    EXPECT_EQ(snapshot(first), original);
    EXPECT_EQ(snapshot(second), original);
}

TEST_F(GeneratorTest, RegenerationKeepsPlayerSettingsAndSavedMaps)
{
    const fs::path data = root_ / "data";
    ASSERT_EQ(runGenerator(data), 0);
    const fs::path setup = data / "setup.bin";
    const std::string defaults = readBytes(setup);

    // The player picked another display mode; a stray edit elsewhere must not survive.
    auto withChange = [](std::string text, const std::string& from, const std::string& to) {
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    std::string player = withChange(defaults, "VideoModeWidth=800\n", "VideoModeWidth=1024\n");
    player = withChange(player, "LOD=50\n", "LOD=70\n");
    writeBytes(setup, withChange(player, "Cars=3\n", "Cars=9\n"));
    const std::string savedMap = "coaster pieces\n";
    writeBytes(data / "maps" / "loop.map", savedMap);

    ASSERT_EQ(runGenerator(data), 0);
    EXPECT_EQ(readBytes(setup), player);
    EXPECT_EQ(readBytes(data / "maps" / "loop.map"), savedMap);
}

TEST_F(GeneratorTest, FailsWhenTheDataFolderIsAFile)
{
    const fs::path notAFolder = root_ / "data";
    writeBytes(notAFolder, "x");
    EXPECT_NE(runGenerator(notAFolder), 0);
    EXPECT_EQ(readBytes(notAFolder), "x");
}

struct CairoSurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;

std::uint32_t pixelAt(cairo_surface_t* image, int x, int y)
{
    const unsigned char* row = cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
    return reinterpret_cast<const std::uint32_t*>(row)[x];
}

// Share of pixels whose brightest channel is under a quarter of full scale.
double darkShare(cairo_surface_t* image)
{
    const int width = cairo_image_surface_get_width(image);
    const int height = cairo_image_surface_get_height(image);
    int dark = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixelAt(image, x, y);
            const auto brightest = std::max({(p >> 16) & 0xFFu, (p >> 8) & 0xFFu, p & 0xFFu});
            dark += brightest < 64u ? 1 : 0;
        }
    }
    return static_cast<double>(dark) / (width * height);
}

std::uint32_t bigEndian32(const std::string& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
}

TEST_F(GeneratorTest, PicturesHaveTheirSizeFormatAndAreNotMostlyDark)
{
    constexpr unsigned char kRgb = 2;
    constexpr unsigned char kRgba = 6;
    struct Expected {
        const char* file;
        std::uint32_t width;
        std::uint32_t height;
        unsigned char colourType;
    };
    constexpr std::array<Expected, 5> kPictures = {{
        {"images/Scenekit.png", 800, 600, kRgb},
        {"images/loading.png", 800, 600, kRgb},
        {"images/credits.png", 800, 600, kRgb},
        {"images/build/build.png", 800, 600, kRgb},
        {"images/cursor.png", 32, 32, kRgba},
    }};
    const fs::path data = root_ / "data";
    ASSERT_EQ(runGenerator(data), 0);
    for (const auto& picture : kPictures) {
        SCOPED_TRACE(picture.file);
        const std::string bytes = readBytes(data / picture.file);
        ASSERT_GE(bytes.size(), 26u);
        EXPECT_EQ(bytes.substr(1, 3), "PNG");
        EXPECT_EQ(bigEndian32(bytes, 16), picture.width);
        EXPECT_EQ(bigEndian32(bytes, 20), picture.height);
        EXPECT_EQ(static_cast<unsigned char>(bytes[25]), picture.colourType);
        if (picture.width == 800) {
            const SurfacePtr image(cairo_image_surface_create_from_png((data / picture.file).c_str()));
            ASSERT_EQ(cairo_surface_status(image.get()), CAIRO_STATUS_SUCCESS);
            EXPECT_LT(darkShare(image.get()), 0.3);
        }
    }
}

TEST_F(GeneratorTest, CursorTipIsTheTopLeftPixelAndItsCornerIsClear)
{
    const fs::path data = root_ / "data";
    ASSERT_EQ(runGenerator(data), 0);
    const SurfacePtr cursor(cairo_image_surface_create_from_png((data / "images/cursor.png").c_str()));
    ASSERT_EQ(cairo_surface_status(cursor.get()), CAIRO_STATUS_SUCCESS);
    cairo_surface_flush(cursor.get());
    // Premultiplied ARGB: opaque black tip, opaque white inside, clear far corner.
    EXPECT_EQ(pixelAt(cursor.get(), 0, 0), 0xFF000000u);
    EXPECT_EQ(pixelAt(cursor.get(), 2, 6), 0xFFFFFFFFu);
    EXPECT_EQ(pixelAt(cursor.get(), 31, 31) >> 24, 0u);
    EXPECT_EQ(pixelAt(cursor.get(), 31, 0) >> 24, 0u);
}

} // namespace
