// Scripted runs for tests and demonstrations: one command a line drives the
// real game loop on the headless platform with a fixed frame step and no
// real-time waiting. See README.md for the commands.
#pragma once

#include "platform/headless/headless_platform.h"

#include <cstdint>
#include <iosfwd>
#include <sstream>
#include <string>

namespace zr {

class GameApp;

// The PC scan code of a key name ("escape", "m", "f1", "comma"...), or 0.
int32_t scanCodeForKeyName(const std::string& name);

class ScriptRunner {
public:
    // Relative paths in the script (shots) are taken from baseDirectory.
    ScriptRunner(std::istream& input, std::ostream& output, std::string baseDirectory, bool interactive);

    // Runs to the end of the script or until the game ends; the exit code
    // is 0 when every command ran and every expectation held.
    int32_t run(HeadlessPlatform& platform, GameApp& app);

    // The game's state as one line of JSON (the print command).
    static std::string statusJson(const HeadlessPlatform& platform, const GameApp& app);

private:
    // One command: the words after its name, and the name it was called by
    // (commands that share a handler tell themselves apart by it). Returns
    // false with the reason in error_.
    using Handler = bool (ScriptRunner::*)(std::istringstream& words, const std::string& name);
    struct Command {
        const char* name;
        Handler handler;
    };
    static const Command kCommands[];

    bool execute(const std::string& line);
    void runFrames(int64_t count);
    std::string resolve(const std::string& path) const;
    bool fail(const std::string& reason);
    int32_t gameValue(const std::string& what) const;

    bool frameStep(std::istringstream& words, const std::string& name);
    bool wait(std::istringstream& words, const std::string& name);
    bool frames(std::istringstream& words, const std::string& name);
    bool waitUntil(std::istringstream& words, const std::string& name);
    bool move(std::istringstream& words, const std::string& name);
    bool button(std::istringstream& words, const std::string& name);
    bool mouseButton(std::istringstream& words, const std::string& name);
    bool key(std::istringstream& words, const std::string& name);
    bool shot(std::istringstream& words, const std::string& name);
    bool expect(std::istringstream& words, const std::string& name);
    bool print(std::istringstream& words, const std::string& name);
    bool quit(std::istringstream& words, const std::string& name);

    std::istream& input_;
    std::ostream& output_;
    std::string base_;
    bool interactive_;
    std::string error_;
    HeadlessPlatform* platform_ = nullptr;  // while run() runs
    GameApp* app_ = nullptr;
};

}  // namespace zr
