// End-to-end: "Ride level n" rides each level's prebuilt coaster through
// its lap and returns to the title; the committed statistics are printed,
// and the seat and trackside views kept as screenshots.
#include "game_run.h"

#include <iostream>
#include <regex>
#include <sstream>

namespace zr {
namespace {

using test::GameRun;
using test::RunResult;

const char* const kLevels[] = {"meadow", "canyon", "alpine", "harbour", "nightfall"};

float statistic(const std::string& line, const std::string& block, const std::string& field) {
    const std::regex pattern("\"" + block + "\":\\{[^}]*\"" + field + "\":(-?[0-9.e+-]+)");
    std::smatch match;
    return std::regex_search(line, match, pattern) ? std::stof(match[1].str()) : -999.0f;
}

class RideRun : public GameRun, public ::testing::WithParamInterface<int> {};

TEST_P(RideRun, RidesTheLapAndReturnsToTheTitle) {
    const int level = GetParam();
    std::ostringstream script;
    script << "step 0.05\nwait 12\nbutton title " << 2 * level + 1 << "\nwait 3\nexpect state 5\n"
           << "wait 6\nshot seat.png\nkey 1\nwait 4\nshot trackside.png\nprint\n";
    // Ride until the lap is done (ride state 8), at most five minutes of
    // game time; half-second frames cost little to render and the ride
    // keeps its own 0.01 s steps (the statistics below are compared with
    // the lap ridden at 100 frames a second).
    script << "step 0.5\nwaituntil ride-state 8 300\nprint\nwaituntil state 3 8\nprint\n";
    const RunResult result = run(script.str());
    ASSERT_EQ(result.exitCode, 0) << result.output.substr(0, 2000);
    const auto prints = result.prints();
    ASSERT_FALSE(prints.empty());
    ASSERT_EQ(prints.size(), 3u);
    const std::string& finished = prints[1];
    EXPECT_NE(finished.find("\"ride\":{\"state\":8"), std::string::npos) << "the lap completed";
    EXPECT_EQ(test::jsonInt(prints[2], "state"), 3) << "3 s after the lap the game returns to the title";
    const float time = statistic(finished, "committed", "time");
    const float length = statistic(finished, "committed", "length");
    const float top = statistic(finished, "committed", "maxSpeed");
    const float lateral = statistic(finished, "committed", "lateralG");
    const float positive = statistic(finished, "committed", "positiveG");
    const float negative = statistic(finished, "committed", "negativeG");
    std::cout << "[ride] " << kLevels[level] << ": time " << time << " s, length " << length << " m, top speed "
              << top << " m/s, lateral " << lateral << " g, vertical +" << positive << " / " << negative << " g\n";
    // The same lap headless at 100 frames a second gives the same
    // statistics as the game at 10: the ride decides everything per step.
    const RunResult headless = runWith("--ride-stats " + std::to_string(level));
    ASSERT_EQ(headless.exitCode, 0) << headless.output;
    const struct {
        const char* keyword;
        float value;
    } expected[] = {{"LENGTH", length},   {"MAXSPEED", top}, {"NVERTG", negative},
                    {"PVERTG", positive}, {"LATG", lateral}, {"TIME", time}};
    for (const auto& statistic : expected) {
        const std::regex line(std::string("(^|\\n)") + statistic.keyword + " (-?[0-9]+\\.[0-9]{2})\\n");
        std::smatch match;
        ASSERT_TRUE(std::regex_search(headless.output, match, line)) << statistic.keyword << "\n" << headless.output;
        EXPECT_NEAR(std::stof(match[2].str()), statistic.value, 0.0051f) << statistic.keyword;
    }
    EXPECT_GT(length, 300.0f);
    EXPECT_GT(top, 10.0f);
    EXPECT_LE(positive, 5.5f);
    EXPECT_GE(negative, -1.6f);  // a real ride's envelope: about -1.5 g at most
    EXPECT_LE(lateral, 2.5f);
    keepArtefact("seat.png", std::string("ride-") + kLevels[level] + "-seat.png");
    keepArtefact("trackside.png", std::string("ride-") + kLevels[level] + "-trackside.png");
}

INSTANTIATE_TEST_SUITE_P(Rides, RideRun, ::testing::Range(0, 5));

TEST_F(GameRun, RideStatisticsOfABlockSetThatIsNotThere) {
    const RunResult result = runWith("--ride-stats 9");
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.output.find("no block set 9"), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("MAXSPEED"), std::string::npos);
}

}  // namespace
}  // namespace zr
