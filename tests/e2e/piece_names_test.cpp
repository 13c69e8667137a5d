// Content: the names the building commands look up resolve in every block
// set where a player expects them, and are absent where the catalogue
// deliberately has no such piece.
#include "../support/scene_fixture.h"
#include "game_run.h"
#include "platform/headless/headless_platform.h"
#include "track/catalogue.h"

#include <filesystem>

namespace zr {
namespace {

const char* const kSets[] = {"timber", "inverter", "steel", "oakwood", "hyper"};

// Chain counterparts: both names exist for these shapes.
const char* const kChainPairs[][2] = {
    {"straight/straight-f1.dff", "straight/liftstraight-f1.dff"},
    {"straight/straight-e1.dff", "straight/liftstraight-e1.dff"},
    {"straight/straight-d1.dff", "straight/liftstraight-d1.dff"},
    {"straight/hillUb-b1.dff", "straight/lifthillUb-b1.dff"},
    {"straight/hillUb-a1.dff", "straight/lifthillUb-a1.dff"},
    {"straight/hillUc-c1.dff", "straight/lifthillUc-c1.dff"},
    {"straight/hillUc-b1.dff", "straight/lifthillUc-b1.dff"},
    {"straight/hillUc-a1.dff", "straight/lifthillUc-a1.dff"},
    {"left/leftcurve-d1.dff", "left/liftleftcurve-d1.dff"},
    {"right/rightcurve-d1.dff", "right/liftrightcurve-d1.dff"},
};

// Lookups that must find a piece in every set.
const char* const kPresent[] = {
    "station1.dff", "final1.dff", "features/lifthilltop-c1.dff", "features/lifthilltop-b1.dff",
    "features/drop-c1.dff", "features/drop-b1.dff",
    // Bank commands keep the variant digit of the block they change.
    "straight/BLBNstraight-d1.dff", "straight/BLBLstraight-d3.dff", "straight/BNBRstraight-d2.dff",
    "left/BNBLleftcurve-d1.dff", "left/BLBLleftcurve-d2.dff", "right/BRBNrightcurve-d1.dff",
};

// Deliberately absent: no chain for down slopes, banks or features; no
// banked slopes; no lift version of the closing piece.
const char* const kAbsent[] = {
    "straight/liftstraight-c1.dff", "straight/lifthillDc-c1.dff", "straight/liftBLBLstraight-d1.dff",
    "features/liftdrop-c1.dff",     "straight/BLBLstraight-f1.dff", "left/BLBLleftcurve-e1.dff",
    "liftfinal1.dff",               "straight/lifthillUd-d1.dff",
};

class PieceNames : public test::GameRun, public ::testing::WithParamInterface<int> {};

TEST_P(PieceNames, CommandLookupsResolveOrAreDeliberatelyAbsent) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(fileOf(""));
    HeadlessPlatform platform(false);
    engine::Engine engine;
    engine.initialise(1 << 20);
    engine.open(platform);
    engine.start();
    engine.registerImageReader("png", &engine::readPng);
    SceneContext scene = test::engineOnlyScene(engine);
    const std::string folder = std::string("./data/blocksets/") + kSets[GetParam()] + "/";
    {
        Catalogue catalogue(scene);
        catalogue.load(folder.substr(0, folder.size() - 1), GetParam());
        for (const auto& pair : kChainPairs) {
            EXPECT_NE(catalogue.findPieceByName(folder + pair[0]), nullptr) << pair[0];
            EXPECT_NE(catalogue.findPieceByName(folder + pair[1]), nullptr) << pair[1];
        }
        for (const char* name : kPresent) EXPECT_NE(catalogue.findPieceByName(folder + name), nullptr) << name;
        for (const char* name : kAbsent) EXPECT_EQ(catalogue.findPieceByName(folder + name), nullptr) << name;
        // The chain lookups after a lift block find lift pieces.
        EXPECT_NE(catalogue.findPieceContaining("left/lift"), nullptr);
        EXPECT_NE(catalogue.findPieceContaining("right/lift"), nullptr);
        EXPECT_NE(catalogue.findPieceContaining("straight/lift"), nullptr);
        EXPECT_NE(catalogue.findPieceContaining("hilltop"), nullptr);
        EXPECT_EQ(catalogue.findPieceContaining("final1")->chain, 1);
        EXPECT_EQ(catalogue.findPieceContaining("drop-c1")->chain, 0);
    }
    std::filesystem::current_path(previous);
}

INSTANTIATE_TEST_SUITE_P(Sets, PieceNames, ::testing::Range(0, 5));

}  // namespace
}  // namespace zr
