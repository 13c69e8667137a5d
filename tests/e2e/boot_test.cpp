// End-to-end: the real game binary on a freshly generated data folder,
// driven by scripts on the headless platform with real GL rendering.
#include "game_run.h"

#include "engine/image.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zr {
namespace {

using test::GameRun;
using test::RunResult;

// Mean absolute difference per channel between two pictures.
double difference(const engine::Image& a, const engine::Image& b) {
    if (a.width != b.width || a.height != b.height || a.empty()) return 1e9;
    double total = 0.0;
    for (size_t i = 0; i < a.rgba.size(); i += 4) {
        for (size_t c = 0; c < 3; ++c) total += std::abs(a.rgba[i + c] - b.rgba[i + c]);
    }
    return total / (static_cast<double>(a.width) * a.height * 3.0);
}

double differenceFrom(const GameRun& run, const std::string& shot, const std::string& picture) {
    engine::Image a;
    engine::Image b;
    if (!engine::readPng(run.fileOf(shot), &a) || !engine::readPng(run.fileOf(picture), &b)) return 1e9;
    return difference(a, b);
}

TEST_F(GameRun, BootsThroughLogoAndLoadingToTheTitle) {
    // 1/16 s frames: logo 32 frames, fade 16, fade-in 17, loading 40, fade
    // 16 plus 24 of hold, fade-in 17.
    const RunResult result = run(
        "step 0.0625\n"
        "expect state 1\n"
        "wait 1\n"
        "shot logo.png\n"
        "wait 1.5\n"
        "expect state 1   # fading out\n"
        "print\n"
        "wait 1.5\n"
        "expect state 2   # loading, fading in\n"
        "wait 1\n"
        "shot loading.png\n"
        "wait 4.5\n"
        "expect state 3\n"
        "wait 1\n"
        "shot title.png\n"
        "print\n"
        "quit\n");
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_NE(result.output.find("\"state\":1,"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("\"phase\":0"), std::string::npos) << "the first print is mid fade-out";
    EXPECT_NE(result.output.find("\"state\":3,"), std::string::npos);
    EXPECT_NE(result.output.find("\"cursorVisible\":true"), std::string::npos) << "the title shows the cursor";
    // Each shot shows its picture, drawn 1:1 (the title also has the cursor).
    EXPECT_LT(differenceFrom(*this, "logo.png", "data/images/Scenekit.png"), 2.0);
    EXPECT_LT(differenceFrom(*this, "loading.png", "data/images/loading.png"), 2.0);
    EXPECT_LT(differenceFrom(*this, "title.png", "data/images/build/build.png"), 3.0);
    for (const char* shot : {"logo.png", "loading.png", "title.png"}) {
        engine::Image image;
        ASSERT_TRUE(readShot(shot, &image));
        EXPECT_GT(meanBrightness(image), 30.0) << shot << " is not black";
    }
}

TEST_F(GameRun, FailedExpectationAndBadCommandsGiveNonZeroExit) {
    const RunResult expectation = run("expect state 5\n");
    EXPECT_NE(expectation.exitCode, 0);
    EXPECT_NE(expectation.output.find("expect state 5"), std::string::npos) << "names the failing line";
    EXPECT_NE(run("jump 3\n").exitCode, 0);
    EXPECT_NE(run("key nosuchkey\n").exitCode, 0);
}

TEST_F(GameRun, ScriptEndingAndQuitBothExitCleanly) {
    EXPECT_EQ(run("frames 3\n").exitCode, 0);
    const RunResult quit = run("quit\nexpect state 9\n");
    EXPECT_EQ(quit.exitCode, 0) << "quit ends the program as closing the window does\n" << quit.output;
}

TEST_F(GameRun, SecondInstanceInTheSameFolderIsRefused) {
    std::signal(SIGPIPE, SIG_IGN);
    const std::string first = "cd " + folder_.path() + " && SDL_VIDEODRIVER=offscreen " + ZEPHYRAIL_EXE +
                              " --script - >holder.out 2>&1";
    FILE* holder = popen(first.c_str(), "w");
    ASSERT_NE(holder, nullptr);
    // Once the first game prints, it is past start-up and holds the lock.
    std::fputs("print\n", holder);
    std::fflush(holder);
    bool started = false;
    for (int attempt = 0; attempt < 200 && !started; ++attempt) {
        usleep(50000);
        std::ifstream out(file("holder.out"));
        started = std::string(std::istreambuf_iterator<char>(out), {}).find("\"state\"") != std::string::npos;
    }
    ASSERT_TRUE(started);
    const RunResult second = run("frames 1\n");
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_NE(second.output.find("Application Error: 3D Game is already running!!"), std::string::npos)
        << second.output;
    std::fputs("quit\n", holder);
    EXPECT_EQ(pclose(holder), 0);
}

TEST_F(GameRun, RealWindowClosesWithExitCodeZero) {
    // The SDL platform on the offscreen driver; SIGTERM arrives as the
    // window-close (quit) event.
    const std::string command = "cd " + folder_.path() + " && SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null "
                                "timeout --preserve-status -s TERM 3 " + std::string(ZEPHYRAIL_EXE) +
                                " --windowed 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace zr
