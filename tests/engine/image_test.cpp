// Picture readers: round trips, malformed and truncated files, masks.
#include "engine/image.h"

#include <gtest/gtest.h>

namespace zr::engine {
namespace {

Image gradient(int32_t width, int32_t height) {
    Image image;
    image.resize(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* p = image.pixel(x, y);
            p[0] = static_cast<uint8_t>(x * 7);
            p[1] = static_cast<uint8_t>(y * 13);
            p[2] = static_cast<uint8_t>(x + y);
            p[3] = 255;
        }
    }
    return image;
}

TEST(ImageReaders, PngAndBmpRoundTripPixelsExactly) {
    const Image source = gradient(37, 11);  // odd width: BMP rows are padded
    std::vector<uint8_t> bytes;
    Image decoded;
    ASSERT_TRUE(encodePng(source, &bytes));
    ASSERT_TRUE(decodePng(bytes.data(), bytes.size(), &decoded));
    EXPECT_EQ(decoded.rgba, source.rgba);
    ASSERT_TRUE(encodeBmp(source, &bytes));
    ASSERT_TRUE(decodeBmp(bytes.data(), bytes.size(), &decoded));
    EXPECT_EQ(decoded.width, 37);
    EXPECT_EQ(decoded.rgba, source.rgba);
}

TEST(ImageReaders, TruncatedFilesAreRejectedCleanly) {
    const Image source = gradient(16, 16);
    std::vector<uint8_t> png;
    std::vector<uint8_t> bmp;
    ASSERT_TRUE(encodePng(source, &png));
    ASSERT_TRUE(encodeBmp(source, &bmp));
    for (size_t keep : {size_t{0}, size_t{8}, size_t{40}, png.size() / 2, png.size() - 1}) {
        Image image;
        EXPECT_FALSE(decodePng(png.data(), keep, &image)) << "PNG cut to " << keep;
        EXPECT_TRUE(image.empty());
    }
    for (size_t keep : {size_t{0}, size_t{2}, size_t{30}, size_t{54}, bmp.size() - 1}) {
        Image image;
        EXPECT_FALSE(decodeBmp(bmp.data(), keep, &image)) << "BMP cut to " << keep;
        EXPECT_TRUE(image.empty());
    }
}

TEST(ImageReaders, MalformedBmpHeadersAreRejected) {
    std::vector<uint8_t> bmp;
    ASSERT_TRUE(encodeBmp(gradient(4, 4), &bmp));
    struct Case {
        size_t offset;
        uint8_t value;
        const char* what;
    };
    const Case cases[] = {{0, 'X', "signature"}, {28, 16, "16-bit pixels"}, {30, 1, "RLE compression"},
                          {18, 0, "zero width"}, {10, 255, "pixel offset past the end"}};
    for (const Case& c : cases) {
        std::vector<uint8_t> broken = bmp;
        broken[c.offset] = c.value;
        Image image;
        EXPECT_FALSE(decodeBmp(broken.data(), broken.size(), &image)) << c.what;
    }
}

TEST(ImageReaders, BrightnessMaskBecomesAlpha) {
    Image picture = gradient(2, 1);
    Image mask;
    mask.resize(2, 1);
    mask.pixel(0, 0)[0] = mask.pixel(0, 0)[1] = mask.pixel(0, 0)[2] = 200;
    ASSERT_TRUE(applyBrightnessMask(mask, &picture));
    EXPECT_EQ(picture.pixel(0, 0)[3], 200);
    EXPECT_EQ(picture.pixel(1, 0)[3], 0);
    Image small;
    small.resize(1, 1);
    EXPECT_FALSE(applyBrightnessMask(small, &picture)) << "a mask smaller than the picture";
}

}  // namespace
}  // namespace zr::engine
