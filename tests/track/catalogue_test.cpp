// The catalogue: path frames from key frames, banks and chain from names,
// variant families, supports and sub-pieces, lookups by name.
#include "track_fixture.h"

namespace zr {
namespace {

class CatalogueTest : public test::TrackFixture {};

TEST(PathFrames, KeyFramesSkippedAtTimeZeroAndAtTheDurationEarlyOn) {
    struct Case {
        std::vector<float> times;
        size_t frames;
    };
    const Case cases[] = {
        {{0.0f, 0.5f, 1.0f}, 1},               // the first at 0, and the last (the duration) in the window
        {{0.1f, 0.5f, 1.0f}, 2},               // a short path loses its last key
        {{1.0f, 0.5f, 1.0f}, 1},               // keys 0 and 2 equal the duration
        {{0.2f, 0.0f, 0.4f, 0.6f, 0.8f, 1.0f, 1.0f}, 7},  // a later 0 stays; keys past 4 stay
        {{0.0f, 0.2f, 0.4f, 0.6f, 0.8f, 1.0f}, 5},        // only the first goes
    };
    for (const Case& c : cases) {
        engine::PathAnimation animation;
        for (float t : c.times) animation.keys.push_back(engine::KeyFrame{t, {1, 0, 0, 0}, {0, 0, t}});
        EXPECT_EQ(CataloguePiece::pathFramesFrom(animation).size(), c.frames) << c.times.size() << " keys";
    }
}

TEST(PieceNames, BanksFromTheFileName) {
    struct Case {
        const char* path;
        int32_t entry, exit;
    };
    const Case cases[] = {
        {"./set/straight/BRBRstraight-d1.dff", kBankRight, kBankRight},
        {"./set/straight/BLBNstraight-d1.dff", kBankLeft, kBankNone},
        {"./set/left/BNBLleftcurve-d1.dff", kBankNone, kBankLeft},
        {"./set/BXBRcurve.dff", kBankNone, kBankRight},
        {"./set/Bigstraight.dff", kBankNone, kBankNone},
        {"./set/BL/straight-d1.dff", kBankNone, kBankNone},  // only the file name counts
        {"./set/B", kBankNone, kBankNone},
    };
    for (const Case& c : cases) {
        int32_t entry = -1;
        int32_t exit = -1;
        CataloguePiece::banksFromName(c.path, &entry, &exit);
        EXPECT_EQ(entry, c.entry) << c.path;
        EXPECT_EQ(exit, c.exit) << c.path;
    }
}

TEST_F(CatalogueTest, FamiliesByStemAndCurrentVariants) {
    for (const char* value : {"straight/hillUb-b1", "straight/hillUb-a1", "straight/hillUb-c1",
                              "straight/liftstraight-d1", "station1"}) {
        writePiece({value});
    }
    writeCatalogue({"station1", "straight/hillUb-b1", "straight/hillUb-a1", "straight/hillUb-c1",
                    "straight/liftstraight-d1"});
    Catalogue catalogue(context_);
    catalogue.load(set_, 0);
    ASSERT_EQ(catalogue.pieces.count, 5);
    EXPECT_EQ(catalogue.count, 5);
    EXPECT_EQ(catalogue.candidates.size(), 6u);
    CataloguePiece* b = catalogue.findPieceContaining("hillUb-b1");
    CataloguePiece* a = catalogue.findPieceContaining("hillUb-a1");
    CataloguePiece* c = catalogue.findPieceContaining("hillUb-c1");
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(b->shown, 1);
    EXPECT_EQ(a->shown, 0);
    EXPECT_EQ(c->shown, 0);
    EXPECT_EQ(b->nextVariant, a);
    EXPECT_EQ(a->nextVariant, c);
    EXPECT_EQ(c->previousVariant, a);
    EXPECT_EQ(catalogue.findPieceContaining("liftstraight")->previousVariant, nullptr) << "a new stem";
    c->makeCurrentVariant();
    EXPECT_EQ(c->shown, 1);
    EXPECT_EQ(a->shown, 0);
    EXPECT_EQ(b->shown, 0);
    EXPECT_EQ(catalogue.findPieceContaining("station")->chain, 1);
    EXPECT_EQ(a->chain, 0);
}

TEST_F(CatalogueTest, EmptySectionsGiveAnEmptyCatalogue) {
    writeCatalogue({});
    Catalogue catalogue(context_);
    catalogue.load(set_, 0);
    EXPECT_EQ(catalogue.pieces.count, 0);
    ASSERT_EQ(catalogue.candidates.size(), 1u);
    EXPECT_EQ(catalogue.candidates[0], nullptr);
    Catalogue missing(context_);
    missing.load(set_ + "/nowhere", 0);
    EXPECT_EQ(missing.pieces.count, 0);
}

TEST_F(CatalogueTest, LegsSetsMakeSubPiecesWithOnlyTheirOwnSupports) {
    writePiece({"straight/straight-d", 5, 0.0f, {"legs1", "legs2", "legs3", "foot1", "foot2", "foot3", "foot3"}});
    writePiece({"final", 5, 0.0f, {"legs1", "legs2"}});
    writeCatalogue({"straight/straight-d", "final"});
    Catalogue catalogue(context_);
    catalogue.load(set_, 0);
    CataloguePiece* piece = catalogue.findPieceContaining("straight-d");
    ASSERT_NE(piece, nullptr);
    EXPECT_EQ(piece->name, set_ + "/straight/straight-d1.dff");
    const std::vector<CataloguePiece*> tried = piece->subPieceList();
    ASSERT_EQ(tried.size(), 2u);
    EXPECT_EQ(tried[0]->name, set_ + "/straight/straight-d2.dff") << "the editor tries 2 before 3";
    EXPECT_EQ(tried[1]->name, set_ + "/straight/straight-d3.dff");
    auto legsOf = [](const CataloguePiece& p) {
        std::vector<std::string> names;
        for (const auto& atomic : p.model->atomics()) {
            if (atomic->name().find("legs") != std::string::npos) names.push_back(atomic->name());
            EXPECT_EQ(atomic->name().find("foot"), std::string::npos) << "feet are removed";
        }
        return names;
    };
    EXPECT_EQ(legsOf(*piece), (std::vector<std::string>{"legs1"}));
    EXPECT_EQ(legsOf(*tried[1]), (std::vector<std::string>{"legs3"}));
    EXPECT_EQ(tried[1]->footFrames.size(), 2u) << "two feet named foot3";
    EXPECT_EQ(piece->footFrames.size(), 1u);
    // The rail and the path rise to each legs set.
    EXPECT_FLOAT_EQ(framePosition(tried[1]->pathFrames[0]).y, 22.0f);
    EXPECT_FLOAT_EQ(tried[1]->trackPart->frame->position().y, 22.0f);
    CataloguePiece* closing = catalogue.findPieceContaining("final");
    EXPECT_EQ(closing->chain, 1);
    EXPECT_EQ(closing->subPieceList()[0]->chain, 0) << "a sub-piece tests only lift and station";
}

TEST_F(CatalogueTest, LegsWithoutDigitsStayAndUnmatchedFeetGo) {
    writePiece({"straight/straight-d1", 5, 0.0f, {"legs", "foot2", "car"}});
    writeCatalogue({"straight/straight-d1"});
    Catalogue catalogue(context_);
    catalogue.load(set_, 0);
    CataloguePiece* piece = catalogue.findPieceContaining("straight-d1");
    ASSERT_NE(piece, nullptr);
    EXPECT_NE(piece->findPart("legs"), nullptr) << "every name contains the empty digits";
    EXPECT_TRUE(piece->footFrames.empty()) << "foot2 does not match a name with 1 in it";
    EXPECT_EQ(piece->findPart("car"), nullptr);
    EXPECT_FLOAT_EQ(piece->carMarker.z, 1.0f);
}

TEST_F(CatalogueTest, FindByNameDecidesByExactNameAfterTheStem) {
    for (const char* value : {"straight/straight-d1", "straight/liftstraight-d1"}) writePiece({value});
    writeCatalogue({"straight/straight-d1", "straight/liftstraight-d1"});
    Catalogue catalogue(context_);
    catalogue.load(set_, 0);
    const std::string plain = set_ + "/straight/straight-d1.dff";
    ASSERT_NE(catalogue.findPieceByName(plain), nullptr);
    EXPECT_EQ(catalogue.findPieceByName(plain)->name, plain) << "not the newer liftstraight-d1";
    EXPECT_EQ(catalogue.findPieceByName(set_ + "/straight/straight-d7.dff"), nullptr);
    EXPECT_EQ(catalogue.findCandidateContaining("straight"), nullptr) << "no candidates yet";
}

}  // namespace
}  // namespace zr
