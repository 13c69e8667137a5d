// End-to-end: the riding state as a player meets it. The train stands at
// the station through the countdown with the seat view on it, the mouse
// looks around from the seat during the countdown and the lap, the
// station's display animates and its glazing is drawn see-through; a 16:9
// window keeps its proportions.
#include "game_run.h"

#include <glm/glm.hpp>

#include <regex>

namespace zr {
namespace {

using test::GameRun;
using test::RunResult;

// A three-number array field ("leadCar": [x, y, z]).
bool jsonVector(const std::string& line, const std::string& field, glm::vec3* v) {
    const std::string number = "(-?[0-9.]+(?:e[-+]?[0-9]+)?)";
    const std::regex pattern("\"" + field + "\":\\[" + number + "," + number + "," + number + "\\]");
    std::smatch match;
    if (!std::regex_search(line, match, pattern)) return false;
    *v = glm::vec3(std::stof(match[1].str()), std::stof(match[2].str()), std::stof(match[3].str()));
    return true;
}

float degreesBetween(const glm::vec3& a, const glm::vec3& b) {
    return glm::degrees(std::acos(std::clamp(glm::dot(glm::normalize(a), glm::normalize(b)), -1.0f, 1.0f)));
}

class RideView : public GameRun {};

TEST_F(RideView, TheSeatLooksAroundFromTheCountdownOnWithTheTrainAtTheStation) {
    // Ride level 0; look 30 degrees to the side during the countdown, and
    // again during the lap (150 pixels at 0.2 degrees a pixel).
    const RunResult result =
        run("step 0.05\nwait 12\nbutton title 1\nwaituntil state 5 10\nwait 0.5\n"
            "print\nmoveby 150 0\nframes 1\nprint\n"
            "waituntil ride-state 4 10\nwait 2\nprint\nmoveby -150 0\nframes 1\nprint\n");
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const auto prints = result.prints();
    ASSERT_EQ(prints.size(), 4u);
    EXPECT_NE(prints[0].find("\"ride\":{\"state\":1"), std::string::npos) << "in the countdown\n" << prints[0];
    glm::vec3 start, car, eye;
    ASSERT_TRUE(jsonVector(prints[0], "start", &start));
    ASSERT_TRUE(jsonVector(prints[0], "leadCar", &car));
    ASSERT_TRUE(jsonVector(prints[0], "position", &eye));
    EXPECT_LT(glm::length(car - start), 20.0f) << "the lead car waits at the station, not at the world's origin";
    EXPECT_LT(glm::length(eye - start), 30.0f) << "the seat view rides in the train at the station";
    EXPECT_EQ(test::jsonInt(prints[0], "mode"), 4) << "the seat view";
    EXPECT_EQ(test::jsonInt(prints[0], "dragMode"), 1) << "looking around is allowed";
    for (const size_t before : {size_t{0}, size_t{2}}) {
        glm::vec3 forward, turned;
        ASSERT_TRUE(jsonVector(prints[before], "forward", &forward));
        ASSERT_TRUE(jsonVector(prints[before + 1], "forward", &turned));
        EXPECT_NEAR(degreesBetween(forward, turned), 30.0f, 6.0f) << (before == 0 ? "countdown" : "lap");
    }
    EXPECT_GT(test::jsonInt(prints[3], "rideDisplay"), 0) << "the station's display has its frames";
    EXPECT_GT(test::jsonInt(prints[3], "registered"), 0) << "the station's glazing is see-through";
}

TEST_F(RideView, AWideWindowKeepsItsProportions) {
    const RunResult result = run("print\n", "--mode 1280x720");
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const auto prints = result.prints();
    ASSERT_EQ(prints.size(), 1u);
    EXPECT_NE(prints[0].find("\"viewWindow\":[0.699999988079071,0.39375001192092896]"), std::string::npos)
        << "0.7 wide, 0.7 x 720 / 1280 high\n"
        << prints[0];
}

}  // namespace
}  // namespace zr
