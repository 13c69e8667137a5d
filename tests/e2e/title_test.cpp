// End-to-end: the title menu. Hovering highlights each button; its
// buttons lead to building, riding and the credits through fades; no input
// is taken while a fade runs.
#include "game_run.h"

#include <sstream>

namespace zr {
namespace {

using test::GameRun;
using test::RunResult;

// 1/20 s frames reach the idle title after 10 s; 12 leaves a margin.
constexpr const char* kToTitle = "step 0.05\nwait 12\nexpect state 3\n";

// Pixels inside the rectangle (virtual units = pixels at 800 x 600) that
// differ between the two pictures, away from the cursor.
int changedPixels(const engine::Image& a, const engine::Image& b, const float rect[4], int cursorX, int cursorY) {
    int changed = 0;
    for (int y = static_cast<int>(rect[1]); y < static_cast<int>(rect[1] + rect[3]) && y < a.height; ++y) {
        for (int x = static_cast<int>(rect[0]); x < static_cast<int>(rect[0] + rect[2]) && x < a.width; ++x) {
            if (x >= cursorX - 2 && x < cursorX + 34 && y >= cursorY - 2 && y < cursorY + 34) continue;
            const uint8_t* p = a.pixel(x, y);
            const uint8_t* q = b.pixel(x, y);
            if (std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]) > 24) ++changed;
        }
    }
    return changed;
}

TEST_F(GameRun, HoveringEachTitleButtonHighlightsIt) {
    std::ostringstream script;
    script << kToTitle << "move 400 20\nframes 2\nshot base.png\n";
    for (int n = 1; n <= 11; ++n) script << "hover title " << n << "\nframes 2\nprint\nshot hover" << n << ".png\n";
    const RunResult result = run(script.str());
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const auto prints = result.prints();
    ASSERT_EQ(prints.size(), 11u);
    engine::Image base;
    ASSERT_TRUE(readShot("base.png", &base));
    for (int n = 1; n <= 11; ++n) {
        const std::string& line = prints[static_cast<size_t>(n - 1)];
        for (int other = 1; other <= 11; ++other) {
            EXPECT_EQ(test::buttonHover(line, other), other == n ? 1 : 0) << "hovering " << n << ", button " << other;
        }
        float rect[4];
        ASSERT_TRUE(test::buttonRect(line, n, rect));
        engine::Image hovered;
        ASSERT_TRUE(readShot("hover" + std::to_string(n) + ".png", &hovered));
        float cursor[2] = {0, 0};
        ASSERT_TRUE(test::jsonPair(line, "cursor", cursor));
        const int area = static_cast<int>(rect[2] * rect[3]);
        EXPECT_GT(changedPixels(base, hovered, rect, static_cast<int>(cursor[0]), static_cast<int>(cursor[1])),
                  area / 10)
            << "button " << n << " shows its highlight picture";
    }
    keepArtefact("hover4.png", "title-hover.png");
}

TEST_F(GameRun, ExitShowsTheCreditsAndEndsThreeSecondsAfterTheFadeIn) {
    // Fade-out 1 s + 1.5 s hold, fade-in 1 s, then 3 s of credits.
    const RunResult result = run(std::string(kToTitle) +
                                 "button title 11\nwait 1\nexpect state 3\nwait 2\nexpect state 7\n"
                                 "wait 1.5\nprint\nwait 1.9\nprint\nwait 0.5\nprint\n");
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const auto prints = result.prints();
    ASSERT_EQ(prints.size(), 2u) << "the game ended before the last print\n" << result.output;
    EXPECT_EQ(test::jsonInt(prints[0], "state"), 7);
    EXPECT_EQ(test::jsonInt(prints[0], "phase"), 2) << "the fade-in is over";
    EXPECT_EQ(test::jsonInt(prints[1], "state"), 7) << "still showing the credits 2.75 s after the fade-in";
}

TEST_F(GameRun, BuildAndRideThroughFadesAndEscapeReturns) {
    const RunResult result = run(std::string(kToTitle) +
                                 "button title 6\n"       // build level 2
                                 "frames 3\nbutton title 11\n"  // ignored: a fade is running
                                 "wait 3\nexpect state 4\nprint\n"
                                 // Escape asks before leaving; Cancel stays, OK leaves.
                                 "key escape\nframes 2\nbutton dialogue 2\nframes 2\nwait 2\nexpect state 4\n"
                                 "key escape\nframes 2\nbutton dialogue 1\nframes 2\nwait 3\nexpect state 3\n");
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const auto prints = result.prints();
    ASSERT_EQ(prints.size(), 1u);
    EXPECT_EQ(test::jsonInt(prints[0], "level"), 2);

    const RunResult ride = run(std::string(kToTitle) +
                               "button title 1\nwait 3\nexpect state 5\nprint\n"
                               "key escape\nwait 3\nexpect state 3\n");
    ASSERT_EQ(ride.exitCode, 0) << ride.output;
    EXPECT_EQ(test::jsonInt(ride.prints()[0], "level"), 0);
}

}  // namespace
}  // namespace zr
