// The scripted-run fixture for the end-to-end tests.
#include "game_run.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace zr::test {

std::vector<std::string> RunResult::prints() const {
    std::vector<std::string> lines;
    std::istringstream stream(output);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.front() == '{') lines.push_back(line);
    }
    return lines;
}

int jsonInt(const std::string& line, const std::string& field, int fallback) {
    const std::regex pattern("\"" + field + "\":(-?[0-9]+)");
    std::smatch match;
    return std::regex_search(line, match, pattern) ? std::stoi(match[1].str()) : fallback;
}

bool jsonPair(const std::string& line, const std::string& field, float pair[2]) {
    const std::regex pattern("\"" + field + "\":\\[([-0-9.e]+),([-0-9.e]+)\\]");
    std::smatch match;
    if (!std::regex_search(line, match, pattern)) return false;
    pair[0] = std::stof(match[1].str());
    pair[1] = std::stof(match[2].str());
    return true;
}

int buttonHover(const std::string& line, int number) {
    const std::regex pattern("\\{\"n\":" + std::to_string(number) + ",\"enabled\":[0-9]+,\"hover\":([0-9]+)");
    std::smatch match;
    return std::regex_search(line, match, pattern) ? std::stoi(match[1].str()) : -1;
}

bool buttonRect(const std::string& line, int number, float rect[4]) {
    const std::regex pattern("\\{\"n\":" + std::to_string(number) +
                             ",[^}]*\"rect\":\\[([-0-9.e]+),([-0-9.e]+),([-0-9.e]+),([-0-9.e]+)\\]");
    std::smatch match;
    if (!std::regex_search(line, match, pattern)) return false;
    for (int i = 0; i < 4; ++i) rect[i] = std::stof(match[i + 1].str());
    return true;
}

namespace {

// The data tree is generated once per test program and shared (read-only)
// by every run through a link in its own folder.
const std::string& sharedData() {
    // CTest generates it once for all the end-to-end tests.
    if (const char* prepared = std::getenv("ZEPHYRAIL_E2E_DATA")) {
        static const std::string path = prepared;
        if (std::filesystem::exists(path + "/setup.bin")) return path;
    }
    static TempFolder folder;
    static const bool generated = [] {
        const std::string generate = std::string(ZEPHYRAIL_ASSETS_EXE) + " " + folder.file("data") + " >/dev/null";
        return std::system(generate.c_str()) == 0;
    }();
    static const std::string path = generated ? folder.file("data") : std::string();
    return path;
}

}  // namespace

void GameRun::SetUp() {
    ASSERT_FALSE(sharedData().empty()) << "the generator failed";
    std::error_code error;
    std::filesystem::create_directory_symlink(sharedData(), folder_.file("data"), error);
    ASSERT_FALSE(error) << error.message();
}

RunResult GameRun::run(const std::string& script, const std::string& options) {
    std::ofstream(folder_.file("test.script")) << script;
    return runWith(options + " --script test.script");
}

RunResult GameRun::runWith(const std::string& arguments) {
    const std::string command = "cd " + folder_.path() + " && SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null " +
                                ZEPHYRAIL_EXE + " " + arguments + " 2>&1";
    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe)) result.output += buffer;
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool GameRun::readShot(const std::string& name, engine::Image* image) const {
    return engine::readPng(folder_.file(name), image);
}

void GameRun::keepArtefact(const std::string& shot, const std::string& name) const {
    std::error_code error;
    std::filesystem::create_directories(ZEPHYRAIL_ARTEFACTS_DIR, error);
    std::filesystem::copy_file(folder_.file(shot), std::string(ZEPHYRAIL_ARTEFACTS_DIR) + "/" + name,
                               std::filesystem::copy_options::overwrite_existing, error);
}

double GameRun::meanBrightness(const engine::Image& image) {
    double total = 0.0;
    for (size_t i = 0; i < image.rgba.size(); i += 4) total += image.rgba[i] + image.rgba[i + 1] + image.rgba[i + 2];
    return image.empty() ? 0.0 : total / (static_cast<double>(image.width) * image.height * 3.0);
}

}  // namespace zr::test
