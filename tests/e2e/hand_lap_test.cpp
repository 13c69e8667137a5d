// Content: every block set's catalogue loads through the game's own reader,
// and a lap chained by hand from its pieces (station, lift, crest, drop,
// hills back down, curves round, the closing piece) meets end to end; the
// bent closing piece reaches the station's start. The lap in its level is
// kept as a screenshot.
#include "../support/scene_fixture.h"
#include "camera/game_camera.h"
#include "game_run.h"
#include "platform/headless/headless_platform.h"
#include "track/catalogue.h"
#include "track/coaster.h"
#include "track/track_geometry.h"
#include "world/world.h"

#include <filesystem>

namespace zr {
namespace {

const char* const kSets[] = {"timber", "inverter", "steel", "oakwood", "hyper"};
const char* const kLevels[] = {"meadow", "canyon", "alpine", "harbour", "nightfall"};

class HandLap : public test::GameRun, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        GameRun::SetUp();
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(fileOf(""));
        ASSERT_TRUE(platform_.openWindow(DisplayMode{}));
        engine_.initialise(1 << 22);
        engine_.open(platform_);
        ASSERT_TRUE(engine_.start());
        engine_.registerImageReader("png", &engine::readPng);
        engine_.registerImageReader("bmp", &engine::readBmp);
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    CataloguePiece& piece(const Catalogue& catalogue, const std::string& name) {
        CataloguePiece* found = catalogue.findPieceContaining(name);
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }

    std::filesystem::path previous_;
    HeadlessPlatform platform_{true};
    engine::Engine engine_;
    SceneContext scene_ = test::engineOnlyScene(engine_);
};

TEST_P(HandLap, ChainsRoundAndClosesOnTheStation) {
    const int set = GetParam();
    const std::string folder = std::string("./data/blocksets/") + kSets[set];
    GameCamera camera(engine_, 800, 600, true, 1500, 900);
    scene_.camera = &camera.view();
    World world(scene_, platform_, &camera, std::string("./data/levels/") + kLevels[set] + "/" + kLevels[set] + ".bsp");
    world.loadObjects();
    ASSERT_EQ(world.startCount, 1);
    Catalogue catalogue(scene_);
    catalogue.load(folder, set);
    ASSERT_GT(catalogue.pieces.count, 40);
    EXPECT_EQ(catalogue.count, catalogue.pieces.count) << "every entry loaded";
    // Families: the first member shown, the rest not; legs sets as sub-pieces.
    const CataloguePiece& level = piece(catalogue, "/straight-d1.dff");
    EXPECT_GE(level.subPieceList().size(), 3u) << "supports of several heights";
    EXPECT_EQ(piece(catalogue, "straight-f1.dff").shown, 1);
    EXPECT_EQ(piece(catalogue, "straight-e1.dff").shown, 0);

    Coaster coaster(scene_, &world);
    coaster.appendBlock(piece(catalogue, "station1"));
    const int climbs = 3;
    coaster.appendBlock(piece(catalogue, "liftstraight-f1.dff"));
    for (int i = 0; i < climbs; ++i) coaster.appendBlock(piece(catalogue, "lifthillUc-c1.dff"));
    coaster.appendBlock(piece(catalogue, "lifthilltop-c1.dff"));
    coaster.appendBlock(piece(catalogue, "drop-c1.dff"));
    for (int i = 0; i < climbs - 1; ++i) coaster.appendBlock(piece(catalogue, "hillDc-c1.dff"));
    coaster.appendBlock(piece(catalogue, "hillDc-a1.dff"));
    for (int i = 0; i < 4; ++i) coaster.appendBlock(piece(catalogue, "/leftcurve-d1.dff"));
    const TrackBlock* station = coaster.firstBlock();
    const glm::vec3 start = station->blockPosition() + framePosition(station->pathFrames.front());
    auto endOf = [](const TrackBlock& block) { return block.blockPosition() + framePosition(block.pathFrames.back()); };
    // Back along the station's line until the closing rule's gap is reached.
    for (int guard = 0; guard < 40 && glm::dot(start - endOf(*coaster.lastBlock), glm::vec3(0, 0, 1)) < 0.0f; ++guard) {
        coaster.appendBlock(piece(catalogue, "/straight-d1.dff"));
    }
    for (int i = 0; i < 4; ++i) coaster.appendBlock(piece(catalogue, "/leftcurve-d1.dff"));
    for (int guard = 0; guard < 40 && glm::length(start - endOf(*coaster.lastBlock)) > 18.0f; ++guard) {
        coaster.appendBlock(piece(catalogue, "/straight-d1.dff"));
    }
    const float gap = glm::length(start - endOf(*coaster.lastBlock));
    EXPECT_GT(gap, 4.0f);
    EXPECT_LT(gap, 18.0f);
    EXPECT_NEAR(endOf(*coaster.lastBlock).y, start.y, 0.25f) << "the heights close";
    const auto& last = coaster.lastBlock->pathFrames;
    EXPECT_NEAR(headingOf(framePosition(last.back()) - framePosition(last[last.size() - 2])), station->blockHeading, 0.5f)
        << "it leaves heading the station's way";
    coaster.appendBlock(piece(catalogue, "final1"));
    // Every block starts where the one before it ends.
    for (const TrackBlock* block = coaster.firstBlock(); block && block->newer;
         block = static_cast<const TrackBlock*>(block->newer)) {
        const auto* next = static_cast<const TrackBlock*>(block->newer);
        EXPECT_LT(glm::length(endOf(*block) - (next->blockPosition() + framePosition(next->pathFrames.front()))), 1e-3f)
            << block->name << " -> " << next->name;
    }
    bendClosingPiece(coaster);
    EXPECT_LT(glm::length(endOf(*coaster.lastBlock) - start), 0.01f) << "the closing piece reaches the station";

    // A look at the lap from a distance, over its middle.
    glm::vec3 centre(0.0f);
    coaster.blocks.forEach([&](const TrackBlock* block) { centre += endOf(*block); });
    centre /= static_cast<float>(coaster.blocks.count);
    camera.placeAt(centre + glm::vec3(-70.0f, 55.0f, -60.0f), 45.0f, 28.0f);
    engine_.setFogColour(engine::Colour{96, 150, 210, 255});
    engine_.setFogEnabled(true);
    camera.view().beginUpdate();
    camera.view().clear(engine::Colour{96, 150, 210, 255}, engine::kClearColour | engine::kClearDepth);
    engine::RenderStates states;
    states.depthTest = states.depthWrite = states.alphaTest = true;
    states.source = engine::BlendFactor::One;
    states.destination = engine::BlendFactor::Zero;
    engine_.renderer().setStates(states);
    world.render();
    camera.view().endUpdate();
    engine::Image frame;
    ASSERT_TRUE(camera.view().readFrameBuffer(&frame));
    std::filesystem::current_path(previous_);
    ASSERT_TRUE(engine::writePng(fileOf("lap.png"), frame));
    keepArtefact("lap.png", std::string("lap-") + kSets[set] + ".png");
}

INSTANTIATE_TEST_SUITE_P(Sets, HandLap, ::testing::Range(0, 5));

}  // namespace
}  // namespace zr
