// End-to-end: every level in the building state, from the start, with the
// block set's station placed; screenshots kept for a look.
#include "game_run.h"

#include <sstream>

namespace zr {
namespace {

using test::GameRun;
using test::RunResult;

const char* const kLevels[] = {"meadow", "canyon", "alpine", "harbour", "nightfall"};

// Share of pixels that are not the background (sky) colour.
double sceneryShare(const engine::Image& image) {
    size_t scenery = 0;
    for (size_t i = 0; i < image.rgba.size(); i += 4) {
        const int dr = image.rgba[i] - 96;
        const int dg = image.rgba[i + 1] - 150;
        const int db = image.rgba[i + 2] - 210;
        if (std::abs(dr) + std::abs(dg) + std::abs(db) > 30) ++scenery;
    }
    return image.empty() ? 0.0 : static_cast<double>(scenery) / static_cast<double>(image.rgba.size() / 4);
}

class LevelRun : public GameRun, public ::testing::WithParamInterface<int> {};

TEST_P(LevelRun, BuildingShowsTheLevelWithItsStation) {
    const int level = GetParam();
    std::ostringstream script;
    // In, then a right-button drag tilts the view up from the station to the
    // landscape around it.
    script << "step 0.05\nwait 12\nbutton title " << 2 * level + 2 << "\nwait 3\nexpect state 4\nprint\n"
           << "move 400 300\nframes 1\npress right\nframes 1\nmove 400 200\nframes 1\nrelease right\nframes 2\n"
           << "shot level.png\n";
    const RunResult result = run(script.str());
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const auto prints = result.prints();
    ASSERT_EQ(prints.size(), 1u);
    EXPECT_EQ(test::jsonInt(prints[0], "level"), level);
    EXPECT_GT(test::jsonInt(prints[0], "catalogue"), 20) << "the block set's pieces loaded";
    EXPECT_NE(prints[0].find("station1.dff"), std::string::npos) << "the station is the first block\n" << prints[0];
    // Built the way the game builds them: the features' panel icons and the
    // station's display loaded, the station's glazing drawn see-through.
    EXPECT_GT(test::jsonInt(prints[0], "featureCount"), 0);
    EXPECT_EQ(test::jsonInt(prints[0], "featureIcons"), test::jsonInt(prints[0], "featureCount"));
    EXPECT_GT(test::jsonInt(prints[0], "rideDisplay"), 0) << "the station's display has its frames";
    EXPECT_GT(test::jsonInt(prints[0], "registered"), 0) << "see-through parts registered";
    EXPECT_GT(test::jsonInt(prints[0], "drawn"), 0) << "and drawn after the rest, farthest first";
    engine::Image shot;
    ASSERT_TRUE(readShot("level.png", &shot));
    EXPECT_GT(sceneryShare(shot), 0.3) << "the level's scenery fills the view";
    keepArtefact("level.png", std::string("level-") + kLevels[level] + ".png");
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelRun, ::testing::Range(0, 5));

}  // namespace
}  // namespace zr
