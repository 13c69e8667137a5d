// The program's start-up order around the GameApp, shared by the real game
// and by scripted runs: one instance per folder, the window, create, the
// command line, beginGame, the main loop, shutdown.
#pragma once

#include "platform/platform.h"
#include "platform/sound_library.h"

#include <memory>

#include <functional>
#include <string>

namespace zr {

class GameApp;

// Runs the frames until the game ends; returns the exit code.
using MainLoop = std::function<int32_t(Platform& platform, GameApp& app)>;

struct StartOptions {
    DisplayMode mode;
    std::string commandLine;  // what the game sees as its command line
    std::function<std::unique_ptr<SoundLibrary>()> soundLibraryFactory;  // none: silence
};

// loopRan (optional) tells whether start-up got as far as the main loop.
int32_t runGame(Platform& platform, const StartOptions& options, const MainLoop& loop, bool* loopRan = nullptr);

// Finds "data/" in the working directory, else beside the executable (and
// then works from there). Returns false when neither has it.
bool enterDataFolder(std::string* searched);

}  // namespace zr
