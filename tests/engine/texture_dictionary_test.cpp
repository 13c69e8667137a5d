// Texture dictionary files: round trip by name, and broken files.
#include "../support/recording_renderer.h"
#include "../support/temp_folder.h"
#include "engine/engine.h"
#include "engine/texture_dictionary.h"
#include "platform/headless/headless_platform.h"

#include <fstream>
#include <gtest/gtest.h>

namespace zr::engine {
namespace {

Image solid(int32_t width, int32_t height, uint8_t red) {
    Image image;
    image.resize(width, height);
    for (size_t i = 0; i < image.rgba.size(); i += 4) {
        image.rgba[i] = red;
        image.rgba[i + 3] = 200;
    }
    return image;
}

TEST(TextureDictionary, FileRoundTripKeepsNamesAndPixels) {
    test::TempFolder folder;
    const std::string path = folder.file("world.txd");
    ASSERT_TRUE(writeTextureDictionaryFile(path, {{"grass", solid(4, 2, 10)}, {"ANIMsign", solid(8, 8, 99)}}));
    std::vector<NamedImage> images;
    ASSERT_TRUE(readTextureDictionaryFile(path, &images));
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].first, "grass");
    EXPECT_EQ(images[0].second.width, 4);
    EXPECT_EQ(images[1].second.rgba, solid(8, 8, 99).rgba);

    HeadlessPlatform platform(false);
    Engine engine;
    engine.initialise(1 << 20);
    engine.open(platform);
    auto renderer = std::make_unique<test::RecordingRenderer>();
    test::RecordingRenderer* recording = renderer.get();
    engine.startWith(std::move(renderer));
    TextureDictionary dictionary(engine);
    ASSERT_TRUE(dictionary.read(path));
    const TextureId grass = dictionary.find("grass");
    ASSERT_NE(grass, 0u);
    EXPECT_EQ(recording->textures.at(grass).width, 4);
    EXPECT_EQ(dictionary.find("missing"), 0u);
}

TEST(TextureDictionary, BrokenFilesAreRejected) {
    test::TempFolder folder;
    std::vector<NamedImage> images;
    EXPECT_FALSE(readTextureDictionaryFile(folder.file("missing.txd"), &images));
    std::ofstream(folder.file("junk.txd")) << "glTF but not really";
    EXPECT_FALSE(readTextureDictionaryFile(folder.file("junk.txd"), &images));
    ASSERT_TRUE(writeTextureDictionaryFile(folder.file("good.txd"), {{"a", solid(2, 2, 1)}}));
    std::ifstream good(folder.file("good.txd"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(good)), {});
    std::ofstream(folder.file("cut.txd"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    EXPECT_FALSE(readTextureDictionaryFile(folder.file("cut.txd"), &images));
    EXPECT_TRUE(images.empty());
}

}  // namespace
}  // namespace zr::engine
