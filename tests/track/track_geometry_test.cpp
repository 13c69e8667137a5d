// Chaining blocks: heading snap, placement after an off-grid curve, the
// ride path, and the closing bend meeting the station.
#include "track/track_geometry.h"
#include "track_fixture.h"

namespace zr {
namespace {

class TrackGeometryTest : public test::TrackFixture {};

TEST(TrackGeometry, SnapsHeadingWithinTolerance) {
    struct Case {
        float in, out;
    };
    const Case cases[] = {{190.0f, -170.0f}, {185.0f, -180.0f}, {10.0f, 10.0f}, {20.0f, 22.5f},
                          {-20.0f, -22.5f}, {0.0f, 0.0f},       {-7.5f, 0.0f},  {52.0f, 45.0f}};
    for (const Case& c : cases) EXPECT_FLOAT_EQ(snapHeading(c.in, kHeadingTolerance), c.out) << c.in;
}

// Signed, from +Z towards +X, whatever the size of the angle: a direction
// a few degrees negative is not read as positive.
TEST(TrackGeometry, HeadingOfDirections) {
    const float cases[] = {90.0f, -90.0f, -135.0f, 3.0f, -3.0f, -7.0f, 7.4f, -0.5f, 179.0f, -179.0f};
    for (const float degrees : cases) {
        const float radians = glm::radians(degrees);
        EXPECT_NEAR(headingOf({std::sin(radians), 0.0f, std::cos(radians)}), degrees, 1e-3f) << degrees;
    }
    EXPECT_NEAR(headingOf({0, 5, 1}), 0.0f, 1e-3f) << "the climb does not count";
}

TEST_F(TrackGeometryTest, AStraightAfterAnOffGridCurveSnapsToTheGrid) {
    writePiece({"station1"});
    writePiece({"left/leftcurve-d1", 7, 25.5f});  // ends 3 degrees past 22.5
    writePiece({"straight/straight-d1"});
    writeCatalogue({"station1", "left/leftcurve-d1", "straight/straight-d1"});
    Catalogue catalogue(context_);
    catalogue.load(set_, 0);
    Coaster coaster(context_, nullptr);
    coaster.appendBlock(*catalogue.findPieceContaining("station1"));
    coaster.appendBlock(*catalogue.findPieceContaining("leftcurve"));
    TrackBlock* straight = coaster.appendBlock(*catalogue.findPieceContaining("straight-d1"));
    EXPECT_FLOAT_EQ(straight->blockHeading - coaster.firstBlock()->blockHeading, 22.5f);
    // It starts where the curve ends.
    const TrackBlock* curve = static_cast<const TrackBlock*>(straight->older);
    const glm::vec3 curveEnd = curve->blockPosition() + framePosition(curve->pathFrames.back());
    const glm::vec3 straightStart = straight->blockPosition() + framePosition(straight->pathFrames.front());
    EXPECT_NEAR(glm::length(curveEnd - straightStart), 0.0f, 1e-4f);
    EXPECT_EQ(coaster.blocks.count, 3);
}

TEST_F(TrackGeometryTest, RidePathLeavesOutEachBlocksLastFrame) {
    writePiece({"station1"});
    writePiece({"straight/a-d1"});
    writePiece({"straight/b-d1"});
    writeCatalogue({"station1", "straight/a-d1", "straight/b-d1"});
    Catalogue catalogue(context_);
    catalogue.load(set_, 0);
    // Pieces of 5, 3 and 4 path frames.
    for (auto [text, frames] : {std::pair{"station1", 5}, {"a-d1", 3}, {"b-d1", 4}}) {
        catalogue.findPieceContaining(text)->pathFrames.resize(static_cast<size_t>(frames));
    }
    Coaster coaster(context_, nullptr);
    coaster.appendBlock(*catalogue.findPieceContaining("station1"));
    coaster.appendBlock(*catalogue.findPieceContaining("a-d1"));
    coaster.appendBlock(*catalogue.findPieceContaining("b-d1"));
    buildRidePath(coaster);
    EXPECT_EQ(coaster.ridePath.size(), 9u);
    EXPECT_NEAR(framePosition(coaster.ridePath[4]).z, 4.0f, 1e-4f) << "the second block starts at 4 m";
    coaster.removeLastBlock();
    EXPECT_EQ(coaster.blocks.count, 2);
    EXPECT_EQ(coaster.blocks.count, 2);
}

TEST_F(TrackGeometryTest, ClosingBendReachesTheStationStart) {
    // Station, a half circle of four 45-degree curves, a 6 m straight, a
    // half circle back, then the 10 m closing piece: it ends beside the
    // station, not at it, until it bends.
    writePiece({"station1", 9});
    writePiece({"left/leftcurve-d1", 9, 45.0f});
    writePiece({"straight/straight-d1", 7});
    writePiece({"final1", 11});
    writeCatalogue({"station1", "left/leftcurve-d1", "straight/straight-d1", "final1"});
    Catalogue catalogue(context_);
    catalogue.load(set_, 0);
    Coaster coaster(context_, nullptr);
    coaster.appendBlock(*catalogue.findPieceContaining("station1"));
    for (int i = 0; i < 4; ++i) coaster.appendBlock(*catalogue.findPieceContaining("leftcurve"));
    coaster.appendBlock(*catalogue.findPieceContaining("straight-d1"));
    for (int i = 0; i < 4; ++i) coaster.appendBlock(*catalogue.findPieceContaining("leftcurve"));
    TrackBlock* closing = coaster.appendBlock(*catalogue.findPieceContaining("final1"));
    const glm::vec3 start = coaster.firstBlock()->blockPosition() + framePosition(coaster.firstBlock()->pathFrames[0]);
    const glm::vec3 unbent = closing->blockPosition() + framePosition(closing->pathFrames.back());
    ASSERT_GT(glm::length(unbent - start), 0.5f);
    const std::vector<glm::vec3> rail = closing->findPart("track")->geometry->positions;
    bendClosingPiece(coaster);
    const glm::vec3 bent = closing->blockPosition() + framePosition(closing->pathFrames.back());
    EXPECT_LT(glm::length(bent - start), 0.01f) << "within 1 cm of the station's start";
    EXPECT_NE(closing->findPart("track")->geometry->positions, rail);
    restoreClosingPiece(coaster);
    EXPECT_EQ(closing->findPart("track")->geometry->positions, rail);
    // Removing the bent piece takes its saved rail with it: nothing is left
    // for a later restore to write into whatever block is last then.
    bendClosingPiece(coaster);
    coaster.trackState = kTrackComplete;
    coaster.removeLastBlock();
    EXPECT_TRUE(coaster.savedClosingRail.empty());
    EXPECT_EQ(coaster.bentBlock, nullptr);
    EXPECT_EQ(coaster.trackState, kTrackBuilding) << "the circuit is open again";
}

}  // namespace
}  // namespace zr
