// zephyrail: the game's entry point. Parses our own options, finds the data
// folder and starts the game on SDL, or on the headless platform when a
// script drives it.
#include "app/entry.h"
#include "app/game_app.h"
#include "app/ride_statistics.h"
#include "app/script_runner.h"
#include "platform/file_system.h"
#include "platform/headless/headless_platform.h"
#include "platform/platforms.h"
#include "platform/sound_library.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: zephyrail [options] [files...]\n"
    "  --help            show this help\n"
    "  --windowed        play in an 800 x 600 window\n"
    "  --mode WxH        play in a window of W x H pixels\n"
    "  --script FILE     run the commands of FILE ('-' for standard input) headless\n"
    "  --ride-stats N    ride block set N's prebuilt coaster headless and print its statistics\n"
    "Other arguments are passed to the game's command line.\n";

struct Options {
    zr::StartOptions start;
    std::string script;
    int rideStats = -1;  // the block set to ride, or none
    bool help = false;
};

bool parseMode(const char* text, zr::DisplayMode* mode) {
    int width = 0;
    int height = 0;
    char x = 0;
    if (std::sscanf(text, "%d%c%d", &width, &x, &height) != 3 || (x != 'x' && x != 'X') || width < 160 ||
        height < 120 || width > 16384 || height > 16384) {
        return false;
    }
    mode->width = width;
    mode->height = height;
    return true;
}

bool parseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            options->help = true;
        } else if (std::strcmp(arg, "--windowed") == 0) {
            options->start.mode.fullScreen = 0;
        } else if (std::strcmp(arg, "--mode") == 0) {
            if (i + 1 >= argc || !parseMode(argv[++i], &options->start.mode)) {
                std::fprintf(stderr, "zephyrail: --mode needs a size such as 1024x768\n");
                return false;
            }
        } else if (std::strcmp(arg, "--script") == 0) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "zephyrail: --script needs a file name or '-'\n");
                return false;
            }
            options->script = argv[++i];
        } else if (std::strcmp(arg, "--ride-stats") == 0) {
            char* end = nullptr;
            const long set = i + 1 < argc ? std::strtol(argv[i + 1], &end, 10) : -1;
            if (i + 1 >= argc || end == argv[i + 1] || *end != '\0' || set < 0 || set > 99) {
                std::fprintf(stderr, "zephyrail: --ride-stats needs a block set number such as 0\n");
                return false;
            }
            options->rideStats = static_cast<int>(set);
            ++i;
        } else if (std::strncmp(arg, "--", 2) == 0) {
            std::fprintf(stderr, "zephyrail: unknown option %s\n%s", arg, kUsage);
            return false;
        } else {
            if (!options->start.commandLine.empty()) options->start.commandLine += ' ';
            options->start.commandLine += arg;
        }
    }
    return true;
}

int runScripted(const Options& options, const std::string& startDirectory) {
    std::ifstream file;
    std::istream* input = &std::cin;
    const bool interactive = options.script == "-";
    if (!interactive) {
        const std::string path =
            options.script[0] == '/' ? options.script : startDirectory + "/" + options.script;
        file.open(path);
        if (!file) {
            std::fprintf(stderr, "zephyrail: cannot read the script %s\n", options.script.c_str());
            return 1;
        }
        input = &file;
    }
    zr::HeadlessPlatform platform(true);
    platform.setDisplayMode(options.start.mode);
    zr::ScriptRunner runner(*input, std::cout, startDirectory, interactive);
    int32_t scriptResult = 0;
    bool ran = false;
    const int32_t code = zr::runGame(
        platform, options.start,
        [&](zr::Platform&, zr::GameApp& app) {
            scriptResult = runner.run(platform, app);
            return 0;
        },
        &ran);
    if (!ran && platform.messages().empty()) {
        // Not refused as a second instance: the game could not start at all.
        std::fprintf(stderr, "zephyrail: the game could not start (no OpenGL 3.3 surface?)\n");
        return 1;
    }
    return code != 0 ? static_cast<int>(code) : static_cast<int>(scriptResult);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, &options)) return 2;
    // No sound device (or none wanted) means silence, never a failure.
    options.start.soundLibraryFactory = [] { return zr::createOpenAlSoundLibrary(); };
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const std::string startDirectory = zr::fs::currentDirectory();
    std::string searched;
    if (!zr::enterDataFolder(&searched)) {
        std::fprintf(stderr,
                     "zephyrail: cannot find the game's data folder (looked in %s).\n"
                     "Generate it with ./run or zephyrail-assets data\n",
                     searched.c_str());
        return 1;
    }
    if (options.rideStats >= 0) return zr::rideStatistics(options.rideStats, std::cout, std::cerr);
    if (!options.script.empty()) return runScripted(options, startDirectory);
    std::unique_ptr<zr::Platform> platform = zr::createSdlPlatform(options.start.mode);
    return zr::runGame(*platform, options.start,
                       [](zr::Platform& p, zr::GameApp& app) { return p.runMainLoop(app); });
}
