// End-to-end: the seat view on each "Ride level n" ride's first drop shows
// the ride ahead, not the back of the seat in front. The riding state picks
// a seat at random; the view is taken there, then from every seat of the
// train in turn (the comma and full-stop keys) while the train is still on
// the drop. The middle third of every frame (where the track and the
// horizon are) must be scenery and track: little of it dark (the old seat
// backs were near-black walls) and real variety in it.
#include "game_run.h"

#include "platform/profile.h"

#include <cmath>
#include <iostream>
#include <regex>
#include <set>
#include <sstream>

namespace zr {
namespace {

using test::GameRun;
using test::RunResult;

struct SeatRide {
    const char* level;
    const char* blockSet;
    // Game seconds, counted from 3 s after the ride's button, at which the
    // train is well down its first drop (found by riding each lap with
    // prints); the drop lasts longer than the tour of the seats after it.
    double dropSeconds;
};

constexpr SeatRide kRides[] = {
    {"meadow", "timber", 41.5},   {"canyon", "inverter", 30.0}, {"alpine", "steel", 33.0},
    {"harbour", "oakwood", 26.0}, {"nightfall", "hyper", 43.5},
};

// The frame's middle third: rows 200..400 of the 800 x 600 screen.
constexpr int kBandTop = 200;
constexpr int kBandBottom = 400;
constexpr int kDark = 40;              // every channel below this is a dark colour
constexpr double kMostDark = 0.25;     // share of the band that may be dark
constexpr int kFewestColours = 24;     // distinct colours at 16 levels a channel
constexpr double kLeastSpread = 8.0;   // standard deviation of the brightness, 0..255
constexpr float kLookingDown = -0.3f;  // the view's forward y on the drop
constexpr int kDropReach = 120;        // path frames past the crest that still count as the first drop

struct BandMeasure {
    double darkShare = 0.0;  // share of dark pixels
    int colours = 0;
    double spread = 0.0;
};

BandMeasure measureBand(const engine::Image& shot) {
    BandMeasure m;
    int dark = 0;
    std::set<int> colours;
    double sum = 0.0, squares = 0.0;
    int count = 0;
    for (int y = kBandTop; y < std::min(kBandBottom, shot.height); ++y) {
        for (int x = 0; x < shot.width; ++x) {
            const uint8_t* p = shot.pixel(x, y);
            const int colour = (p[0] >> 4) << 8 | (p[1] >> 4) << 4 | p[2] >> 4;
            colours.insert(colour);
            if (p[0] < kDark && p[1] < kDark && p[2] < kDark) ++dark;
            const double brightness = 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
            sum += brightness;
            squares += brightness * brightness;
            ++count;
        }
    }
    if (count == 0) return m;
    m.darkShare = static_cast<double>(dark) / count;
    m.colours = static_cast<int>(colours.size());
    const double mean = sum / count;
    m.spread = std::sqrt(std::max(0.0, squares / count - mean * mean));
    return m;
}

std::string describe(const BandMeasure& m) {
    std::ostringstream out;
    out << std::lround(100.0 * m.darkShare) << "% of the middle third dark, " << m.colours
        << " colours, brightness spread " << m.spread;
    return out.str();
}

// The camera's forward y in a print line, or 0 when missing.
float forwardY(const std::string& line) {
    const std::string number = "(-?[0-9.]+(?:e[-+]?[0-9]+)?)";
    const std::regex pattern("\"forward\":\\[" + number + "," + number + "," + number + "\\]");
    std::smatch match;
    return std::regex_search(line, match, pattern) ? std::stof(match[2].str()) : 0.0f;
}

// The ride's path frame in a print line ("ride": {..., "segment": n}).
int segmentOf(const std::string& line) {
    const std::regex pattern("\"segment\":(-?[0-9]+)");
    std::smatch match;
    return std::regex_search(line, match, pattern) ? std::stoi(match[1].str()) : -1;
}

class SeatViewRun : public GameRun, public ::testing::WithParamInterface<int> {
protected:
    int seats() const {
        const Profile setup(file("data/setup.bin"));
        return (setup.getInt("Game Data", "Cars", 0) + 1) * 4;
    }
    int chainBegin(const SeatRide& ride) const {
        const Profile blocks(file(std::string("data/blocksets/") + ride.blockSet + "/blocks.ini"));
        return blocks.getInt("Block Set", "ExperienceChainBegin", -1);
    }

    // The view from the seat: the middle third is the ride ahead. The shot
    // is kept as keepAs, or as a failure when it is not.
    void expectRideAhead(const SeatRide& ride, const std::string& shot, int seat, const std::string& keepAs) {
        const std::string where = std::string(ride.level) + " seat " + std::to_string(seat);
        engine::Image image;
        ASSERT_TRUE(readShot(shot, &image)) << where;
        const BandMeasure m = measureBand(image);
        const bool ahead = m.darkShare <= kMostDark && m.colours >= kFewestColours && m.spread >= kLeastSpread;
        EXPECT_TRUE(ahead) << where << ": " << describe(m);
        std::cout << "[seat view] " << where << ": " << describe(m) << "\n";
        if (!keepAs.empty()) {
            keepArtefact(shot, keepAs);
        } else if (!ahead) {
            keepArtefact(shot, std::string("ride-") + ride.level + "-seat" + std::to_string(seat) + "-failed.png");
        }
    }
};

TEST_P(SeatViewRun, SeatsSeeTheRideAheadOnTheFirstDrop) {
    const SeatRide& ride = kRides[GetParam()];
    const int seatCount = seats();
    std::ostringstream script;
    script << "step 0.05\nwait 12\nbutton title " << 2 * GetParam() + 1
           << "\nwait 3\nexpect state 5\n"
           // The countdown ends in short frames (when it ends depends on
           // them); the ride then keeps its own steps whatever the frame.
           << "step 0.1\nwait 2\nstep 0.5\nwait " << ride.dropSeconds - 2.0
           << "\n"
           // Short frames from here: the tour of the seats stays on the drop.
           << "step 0.01\nframes 1\nprint\nshot drop.png\n";
    for (int i = 1; i < seatCount; ++i) script << "key comma\n";
    script << "frames 1\nprint\nshot seat1.png\n";
    for (int seat = 2; seat <= seatCount; ++seat)
        script << "key period\nframes 1\nprint\nshot seat" << seat << ".png\n";
    const RunResult result = run(script.str());
    ASSERT_EQ(result.exitCode, 0) << result.output.substr(0, 2000);
    const auto prints = result.prints();
    ASSERT_EQ(prints.size(), static_cast<size_t>(seatCount) + 1);

    // The first view: the seat the ride chose, on the first drop.
    const int crest = chainBegin(ride);
    const int segment = segmentOf(prints[0]);
    EXPECT_EQ(test::jsonInt(prints[0], "mode"), 4) << "the seat view";
    EXPECT_GE(segment, crest) << "past the lift's crest";
    EXPECT_LT(segment, crest + kDropReach) << "still on the first drop";
    EXPECT_LT(forwardY(prints[0]), kLookingDown) << "looking down the drop\n" << prints[0];
    expectRideAhead(ride, "drop.png", test::jsonInt(prints[0], "seat"),
                    std::string("ride-") + ride.level + "-seat-drop.png");

    // Then every seat of the train, front to back.
    for (int seat = 1; seat <= seatCount; ++seat) {
        const std::string& line = prints[static_cast<size_t>(seat)];
        ASSERT_EQ(test::jsonInt(line, "seat"), seat) << "the keys step one seat at a time";
        EXPECT_LT(forwardY(line), kLookingDown) << "seat " << seat << " still on the drop";
        expectRideAhead(ride, "seat" + std::to_string(seat) + ".png", seat, "");
    }
}

INSTANTIATE_TEST_SUITE_P(Rides, SeatViewRun, ::testing::Range(0, 5), [](const ::testing::TestParamInfo<int>& info) {
    return std::string(kRides[info.param].level);
});

}  // namespace
}  // namespace zr
