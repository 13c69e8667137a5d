// Tiling, the mask rules and drawing of interface pictures, and animated
// pictures, on a renderer that records what it is given.
#include "../support/recording_renderer.h"
#include "../support/temp_folder.h"
#include "engine/engine.h"
#include "platform/headless/headless_platform.h"
#include "ui/animated_image.h"
#include "ui/screen_image.h"

#include <fstream>
#include <gtest/gtest.h>

namespace zr::ui {
namespace {

std::vector<int32_t> lengths(int32_t total) {
    std::vector<int32_t> result;
    for (const TileSpan& span : tileSpans(total)) result.push_back(span.length);
    return result;
}

TEST(Tiling, PowersOfTwoOfAtMost256) {
    EXPECT_EQ(lengths(1), (std::vector<int32_t>{1}));
    EXPECT_EQ(lengths(257), (std::vector<int32_t>{256, 1}));
    EXPECT_EQ(lengths(300), (std::vector<int32_t>{256, 32, 8, 4}));
    EXPECT_EQ(lengths(200), (std::vector<int32_t>{128, 64, 8}));
    EXPECT_EQ(lengths(800), (std::vector<int32_t>{256, 256, 256, 32}));
    EXPECT_TRUE(lengths(0).empty());
}

class ScreenImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine_.initialise(1 << 20);
        engine_.open(platform_);
        auto renderer = std::make_unique<test::RecordingRenderer>();
        renderer_ = renderer.get();
        engine_.startWith(std::move(renderer));
        engine_.registerImageReader("bmp", &engine::readBmp);
        engine_.registerImageReader("png", &engine::readPng);
    }

    void writePicture(const std::string& name, int32_t width, int32_t height, uint8_t grey) {
        engine::Image image;
        image.resize(width, height);
        for (size_t i = 0; i < image.rgba.size(); i += 4) {
            image.rgba[i] = image.rgba[i + 1] = image.rgba[i + 2] = grey;
            image.rgba[i + 3] = 255;
        }
        const std::string path = folder_.file(name);
        ASSERT_TRUE(name.ends_with(".png") ? engine::writePng(path, image) : engine::writeBmp(path, image));
    }

    HeadlessPlatform platform_{false};
    engine::Engine engine_;
    test::RecordingRenderer* renderer_ = nullptr;
    float frameSeconds_ = 0.0f;
    UiContext context_{&engine_, 1.0f, 1.0f, &frameSeconds_, nullptr};
    test::TempFolder folder_;
};

TEST_F(ScreenImageTest, TilesAreLaidOutBottomUpAndScaled) {
    writePicture("p.png", 300, 200, 90);
    context_.scaleX = 2.0f;
    context_.scaleY = 0.5f;
    const ScreenImage image(context_, folder_.file("p.png"), 10, 20);
    ASSERT_EQ(image.tiles().size(), 12u);  // 4 columns x 3 rows
    const ImageTile& topLeft = image.tiles()[0];
    EXPECT_EQ(topLeft.x, 0);
    EXPECT_EQ(topLeft.y, static_cast<int32_t>((200 - 0 - 128) * 0.5f)) << "top row sits highest";
    EXPECT_EQ(topLeft.w, 512);
    EXPECT_EQ(topLeft.h, 64);
    const ImageTile& last = image.tiles()[11];  // column 3 (x 296), bottom row (8 high)
    EXPECT_EQ(last.x, 592);
    EXPECT_EQ(last.y, 0);
    EXPECT_FLOAT_EQ(image.x, 20.0f);
    EXPECT_FLOAT_EQ(image.y, 10.0f);
    EXPECT_FLOAT_EQ(image.w, 600.0f);
    EXPECT_FLOAT_EQ(image.h, 100.0f);
}

TEST_F(ScreenImageTest, OpaqueBlackIsStoredAsNearBlack) {
    writePicture("black.png", 1, 1, 0);
    const ScreenImage image(context_, folder_.file("black.png"), 0, 0);
    ASSERT_EQ(image.tiles().size(), 1u);
    const auto& texel = renderer_->textures.at(image.tiles()[0].texture).rgba;
    EXPECT_EQ(texel, (std::vector<uint8_t>{0, 1, 0, 255}));
}

TEST_F(ScreenImageTest, BmpTakesAlphaFromItsMaskButPngIgnoresIt) {
    writePicture("b.bmp", 2, 2, 50);
    writePicture("b alpha.bmp", 2, 2, 128);
    writePicture("c.png", 2, 2, 50);
    writePicture("c alpha.bmp", 2, 2, 128);
    writePicture("d.bmp", 2, 2, 50);  // no mask: opaque
    const ScreenImage masked(context_, folder_.file("b.bmp"), 0, 0);
    const ScreenImage png(context_, folder_.file("c.png"), 0, 0);
    const ScreenImage opaque(context_, folder_.file("d.bmp"), 0, 0);
    EXPECT_EQ(renderer_->textures.at(masked.tiles()[0].texture).rgba[3], 128);
    EXPECT_EQ(renderer_->textures.at(png.tiles()[0].texture).rgba[3], 255);
    EXPECT_EQ(renderer_->textures.at(opaque.tiles()[0].texture).rgba[3], 255);
}

TEST_F(ScreenImageTest, MissingOrBrokenPictureGivesAnEmptyImage) {
    std::ofstream(folder_.file("broken.png")) << "\x89PNG\r\n\x1a\n truncated";
    for (const char* name : {"missing.png", "broken.png", "missing.bmp"}) {
        ScreenImage image(context_, folder_.file(name), 0, 0);
        EXPECT_TRUE(image.empty()) << name;
        engine::Camera camera(engine_, 64, 64, false);
        image.draw(camera, 0, 0);
    }
    EXPECT_TRUE(renderer_->quads.empty());
}

TEST_F(ScreenImageTest, RawPixelImageIsOneScaledTexture) {
    const uint8_t pixel[4] = {0, 0, 0, 31};
    context_.scaleX = 1.25f;
    ScreenImage image(context_, pixel, 3.0f, 4.0f, 1, 1);
    EXPECT_NE(image.texture(), 0u);
    EXPECT_FLOAT_EQ(image.x, 3.0f) << "position not scaled";
    EXPECT_FLOAT_EQ(image.w, 1.25f);
    engine::Camera camera(engine_, 64, 64, false);
    image.draw(camera, 1.0f, 2.0f);
    ASSERT_EQ(renderer_->quads.size(), 1u);
    EXPECT_FLOAT_EQ(renderer_->quads[0].x, 4.0f);
    EXPECT_FLOAT_EQ(renderer_->quads[0].y, 6.0f);
}

TEST_F(ScreenImageTest, AnimationReadsItsFramesAndAdvancesAMaterial) {
    std::ofstream(folder_.file("wave.ini")) << "[ANI]\nframes=3\ndelay=100\n";
    for (int i = 0; i < 3; ++i) writePicture("wave0" + std::to_string(i) + ".bmp", 2, 2, static_cast<uint8_t>(10 * i));
    std::vector<engine::TextureId> shown;
    AnimatedImage animation(context_, folder_.file("wave"), [&](engine::TextureId id) { shown.push_back(id); });
    ASSERT_EQ(animation.frameCount(), 3);
    EXPECT_FLOAT_EQ(animation.delay(), 0.1f);
    engine::Camera camera(engine_, 64, 64, false);
    frameSeconds_ = 0.06f;
    animation.update(camera);  // 0.06: nothing yet
    EXPECT_TRUE(shown.empty());
    for (int i = 0; i < 6; ++i) animation.update(camera);  // 0.42 s in all
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0], animation.frame(0)->tiles()[0].texture);
    EXPECT_EQ(shown[3], animation.frame(0)->tiles()[0].texture) << "wraps after three frames";
    EXPECT_EQ(AnimatedImage::framePath("./x/wave", 10), "./x/wave10.bmp");
}

TEST_F(ScreenImageTest, AnimationWithoutFramesDoesNothing) {
    AnimatedImage missing(context_, folder_.file("nothing"), [](engine::TextureId) { FAIL(); });
    engine::Camera camera(engine_, 64, 64, false);
    frameSeconds_ = 1.0f;
    missing.update(camera);
    EXPECT_EQ(missing.frameCount(), 0);
}

}  // namespace
}  // namespace zr::ui
