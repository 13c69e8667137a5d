// Scripted runs for tests and demonstrations: one command a line drives the
// real game loop on the headless platform with a fixed frame step and no
// real-time waiting. See README.md for the commands.
#pragma once

#include "platform/headless/headless_platform.h"

#include <cstdint>
#include <iosfwd>
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

private:
    // Returns false when the line failed (with the reason in error_).
    bool execute(const std::string& line, HeadlessPlatform& platform, GameApp& app);
    void runFrames(int64_t count, HeadlessPlatform& platform, GameApp& app);
    std::string statusJson(const HeadlessPlatform& platform, const GameApp& app) const;
    std::string resolve(const std::string& path) const;

    std::istream& input_;
    std::ostream& output_;
    std::string base_;
    bool interactive_;
    std::string error_;
};

}  // namespace zr
