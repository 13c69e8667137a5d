// Runs the real game binary on a freshly generated data folder with a
// script, headless, and gives the test its output and screenshots.
#pragma once

#include "../support/temp_folder.h"
#include "engine/image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace zr::test {

struct RunResult {
    int exitCode = -1;
    std::string output;

    // The print lines (JSON), in order.
    std::vector<std::string> prints() const;
};

// An integer field of a JSON line ("state", "phase"...): the first match.
int jsonInt(const std::string& line, const std::string& field, int fallback = -9999);
// A two-number array field ("cursor": [x, y]).
bool jsonPair(const std::string& line, const std::string& field, float pair[2]);
// The hover flag of button n in the printed menus, or -1.
int buttonHover(const std::string& line, int number);
// The rectangle of button n (virtual units, top-left origin), or false.
bool buttonRect(const std::string& line, int number, float rect[4]);

class GameRun : public ::testing::Test {
public:
    std::string fileOf(const std::string& name) const { return folder_.file(name); }

protected:
    void SetUp() override;
    RunResult run(const std::string& script, const std::string& options = "");
    // The game with these arguments (no script), in the run's folder.
    RunResult runWith(const std::string& arguments);
    std::string file(const std::string& name) const { return folder_.file(name); }
    bool readShot(const std::string& name, engine::Image* image) const;
    // Copies a screenshot where ./test keeps its artefacts.
    void keepArtefact(const std::string& shot, const std::string& name) const;
    static double meanBrightness(const engine::Image& image);

    TempFolder folder_;
};

}  // namespace zr::test
