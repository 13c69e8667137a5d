// The see-through sorter: registration rules, distance order and hidden parts.
#include "../support/recording_renderer.h"
#include "camera/alpha_sorter.h"
#include "engine/camera.h"
#include "platform/headless/headless_platform.h"

#include <gtest/gtest.h>

namespace zr {
namespace {

class AlphaSorterTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine_.initialise(1 << 20);
        engine_.open(platform_);
        auto renderer = std::make_unique<test::RecordingRenderer>();
        renderer_ = renderer.get();
        engine_.startWith(std::move(renderer));
        camera_ = std::make_unique<engine::Camera>(engine_, 64, 64, true);
    }
    // A part at z with one material; the colour's alpha and prelit alpha.
    engine::Atomic* addPart(engine::Clump& clump, float z, uint8_t materialAlpha, uint8_t prelitAlpha,
                            bool textureAlpha = false) {
        auto geometry = std::make_unique<engine::Geometry>();
        geometry->positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
        geometry->prelit = {{255, 255, 255, prelitAlpha}, {255, 255, 255, 255}, {255, 255, 255, 255}};
        engine::Material material;
        material.colour.a = materialAlpha;
        material.texture = textureAlpha ? 7 : 0;
        material.textureHasAlpha = textureAlpha;
        geometry->materials.push_back(material);
        geometry->meshes.push_back(engine::Mesh{0, {0, 1, 2}});
        geometry->computeBounds();
        engine::Frame* frame = clump.addFrame(clump.root() ? clump.root() : clump.addFrame(nullptr));
        frame->translate({0, 0, z}, engine::Combine::Replace);
        return clump.addAtomic(frame, std::move(geometry));
    }
    // The z of each drawn part, from its model matrix.
    std::vector<float> drawnDepths() const {
        std::vector<float> depths;
        for (const engine::MeshDraw& draw : renderer_->meshDraws) depths.push_back(draw.model[14]);
        return depths;
    }

    HeadlessPlatform platform_{false};
    engine::Engine engine_;
    test::RecordingRenderer* renderer_ = nullptr;
    std::unique_ptr<engine::Camera> camera_;
};

TEST_F(AlphaSorterTest, RegistersSeeThroughPartsOnly) {
    AlphaSorter sorter(engine_, camera_.get());
    engine::Clump opaque;
    addPart(opaque, 1, 255, 255);
    sorter.registerModel(opaque);
    EXPECT_EQ(sorter.registrySize(), 0u) << "fully opaque colours and materials";
    engine::Clump glass;
    const engine::Atomic* prelit = addPart(glass, 1, 255, 254);
    const engine::Atomic* tinted = addPart(glass, 2, 128, 255);
    const engine::Atomic* textured = addPart(glass, 3, 255, 255, true);  // e.g. a 1-bit alpha texture
    sorter.registerModel(glass);
    EXPECT_TRUE(sorter.registered(prelit));
    EXPECT_TRUE(sorter.registered(tinted));
    EXPECT_TRUE(sorter.registered(textured));
}

TEST_F(AlphaSorterTest, DeferredPartsDrawFarthestFirstAndEqualDistancesNewestFirst) {
    AlphaSorter sorter(engine_, camera_.get());
    engine::Clump clump;
    addPart(clump, 5, 100, 255);
    addPart(clump, 20, 100, 255);
    addPart(clump, -10, 100, 255);
    addPart(clump, 10, 100, 255);  // as far as the one before it
    sorter.registerModel(clump);
    sorter.mark(clump, true);
    for (const auto& atomic : clump.atomics()) atomic->renderCallback(*atomic);
    EXPECT_TRUE(renderer_->meshDraws.empty()) << "registered parts wait for the flush";
    EXPECT_EQ(sorter.pendingSize(), 4u);
    sorter.flush();
    ASSERT_EQ(drawnDepths(), (std::vector<float>{20, 10, -10, 5}));
    EXPECT_EQ(sorter.pendingSize(), 0u);
}

TEST_F(AlphaSorterTest, HiddenPartsAreNeverDrawnByTheSorter) {
    AlphaSorter sorter(engine_, camera_.get());
    engine::Clump clump;
    engine::Atomic* hidden = addPart(clump, 1, 255, 255);
    hidden->frame->integers["T"] = 1;
    addPart(clump, 2, 255, 255);
    sorter.mark(clump, false);
    for (const auto& atomic : clump.atomics()) atomic->renderCallback(*atomic);
    EXPECT_EQ(drawnDepths(), (std::vector<float>{2})) << "drawn at once, the hidden part not at all";
}

}  // namespace
}  // namespace zr
