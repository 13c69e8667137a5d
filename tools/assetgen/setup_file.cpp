// Default contents of setup.bin and the rule for regenerating it.
#include "setup_file.h"

#include "ini_section.h"

#include <fstream>
#include <sstream>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace assetgen {
namespace {

constexpr std::string_view kDisplaySectionName = "Application Data";

struct IniSection {
    std::string_view name;
    std::vector<std::pair<std::string_view, std::string_view>> entries;
};

// Paths are relative to the game's working folder, which holds data/.
const std::vector<IniSection>& defaultSections()
{
    static const std::vector<IniSection> kSections = {
        {kDisplaySectionName,
         {{"VideoModeWidth", "800"},
          {"VideoModeHeight", "600"},
          {"VideoModeBits", "32"},
          {"ModeIndex", "0"},
          {"LOD", "50"},
          {"TextureHigh", "1"}}},
        {"Game Data",
         {{"Level", "./data/levels/meadow/meadow.bsp"},
          {"BlockSet", "./data/blocksets/timber"},
          {"Cars", "3"},
          {"BGr", "96"},
          {"BGg", "150"},
          {"BGb", "210"},
          {"BGa", "255"},
          {"FrontEnd", "1"},
          {"FarClipPlane", "1500"},
          {"FogClipPlane", "900"}}},
        {"Level Data",
         {{"total", "5"},
          {"1", "./data/levels/meadow/meadow.bsp"},
          {"2", "./data/levels/canyon/canyon.bsp"},
          {"3", "./data/levels/alpine/alpine.bsp"},
          {"4", "./data/levels/harbour/harbour.bsp"},
          {"5", "./data/levels/nightfall/nightfall.bsp"}}},
        {"Block Sets",
         {{"total", "5"},
          {"1", "./data/blocksets/timber"},
          {"2", "./data/blocksets/inverter"},
          {"3", "./data/blocksets/steel"},
          {"4", "./data/blocksets/oakwood"},
          {"5", "./data/blocksets/hyper"}}},
        {"LOD", {{"total", "3"}, {"1", "30"}, {"2", "80"}, {"3", "110"}}},
    };
    return kSections;
}

std::string sectionText(const IniSection& section)
{
    std::string text = joined({"[", section.name, "]\n"});
    for (const auto& [key, value] : section.entries) {
        text.append(key).append("=").append(value).append("\n");
    }
    return text;
}

// Empty when the file is missing or unreadable: the defaults apply then.
std::string readWholeFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return in ? text.str() : std::string();
}

// Writes beside the target and renames, so a failed write never leaves the
// player's settings half-written.
bool replaceFile(const std::filesystem::path& file, const std::string& text, AssetLog& log)
{
    auto temporary = file;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out) {
            return log.fail({"cannot write '", temporary.string(), "'"});
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, file, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return log.fail({"cannot replace '", file.string(), "': ", ec.message()});
    }
    return true;
}

} // namespace

std::string setupFileText(const std::optional<std::string>& keptDisplaySection)
{
    std::string text;
    for (const auto& section : defaultSections()) {
        if (!text.empty()) {
            text.push_back('\n');
        }
        const bool kept = section.name == kDisplaySectionName && keptDisplaySection;
        text += kept ? *keptDisplaySection : sectionText(section);
    }
    return text;
}

bool writeSetupFile(const std::filesystem::path& outDir, AssetLog& log)
{
    const auto file = outDir / "setup.bin";
    const auto kept = findIniSection(readWholeFile(file), kDisplaySectionName);
    if (!replaceFile(file, setupFileText(kept), log)) {
        return false;
    }
    if (kept) {
        log.notes.push_back("kept the player's [Application Data]");
    }
    ++log.filesWritten;
    return true;
}

} // namespace assetgen
