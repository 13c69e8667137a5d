// Settings arithmetic and matching, kept bit-exact with the stored files'
// expectations (the LOD factor is a float constant widened to double).
#include "app/config.h"

#include <algorithm>
#include <cmath>

namespace zr {
namespace {

constexpr float kLodStep = 0.01f;  // exactly 0.00999999977648258 once widened

double lodFactor(int32_t lod) { return static_cast<double>(lod + 50) * static_cast<double>(kLodStep); }

}  // namespace

std::vector<std::string> readNumberedList(const Profile& profile, const char* section) {
    const int8_t total = static_cast<int8_t>(profile.getInt(section, "total", 0));
    std::vector<std::string> entries;
    for (int i = 1; i <= total; ++i) {
        entries.push_back(profile.getString(section, std::to_string(i).c_str(), ""));
    }
    return entries;
}

int8_t lastEntryContaining(const std::vector<std::string>& entries, const std::string& needle) {
    int8_t index = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].find(needle) != std::string::npos) index = static_cast<int8_t>(i);
    }
    return index;
}

std::string cutAtLastSlash(const std::string& value) {
    const size_t slash = value.find_last_of('/');
    return slash == std::string::npos ? value : value.substr(0, slash);
}

int16_t lodMultiplier(int32_t lod) {
    const float rounded = static_cast<float>(lodFactor(lod));
    return static_cast<int16_t>(std::trunc(rounded));
}

std::array<int16_t, 3> levelLodDistances(int32_t lod, bool wooden) {
    const double f = lodFactor(lod);
    const double near = wooden ? 30.0 : 20.0;
    const double middle = wooden ? 80.0 : 50.0;
    return {static_cast<int16_t>(f * near), static_cast<int16_t>(f * middle), static_cast<int16_t>(f * 110.0)};
}

GameSettings readGameSettings(const Profile& profile) {
    GameSettings settings;
    // Level-of-detail distances.
    const int16_t total = static_cast<int16_t>(profile.getInt("LOD", "total", 0));
    const int16_t multiplier = lodMultiplier(profile.getInt("Application Data", "LOD", 0));
    for (int i = 1; i <= std::min<int>(total, kMaxLodDistances); ++i) {
        const int32_t entry = profile.getInt("LOD", std::to_string(i).c_str(), 0);
        settings.lodDistances[i - 1] = static_cast<int16_t>(entry * multiplier);
    }
    // Only ten distances are held; a larger total would index past them.
    settings.lodCount = static_cast<int16_t>(std::clamp<int>(total, 0, kMaxLodDistances));
    // Levels and block sets with the start choice.
    const std::string level = cutAtLastSlash(profile.getString("Game Data", "Level", ""));
    settings.levelNames = readNumberedList(profile, "Level Data");
    settings.currentLevel = lastEntryContaining(settings.levelNames, level);
    const std::string blockSet = profile.getString("Game Data", "BlockSet", "");
    settings.blockSetNames = readNumberedList(profile, "Block Sets");
    settings.currentBlockSet = lastEntryContaining(settings.blockSetNames, blockSet);
    // Train and colours.
    // A train of 255 cars (or -1) would overflow the seat numbers and
    // divide by zero choosing a seat: held to what a train can be.
    settings.carCount = static_cast<int8_t>(std::clamp(profile.getInt("Game Data", "Cars", 0), 0, kMaxFollowingCars));
    const char* keys[4] = {"BGr", "BGg", "BGb", "BGa"};
    for (int i = 0; i < 4; ++i) {
        settings.background[i] = static_cast<uint8_t>(profile.getInt("Game Data", keys[i], i == 3 ? 255 : 0));
    }
    settings.textureHigh = profile.getInt("Application Data", "TextureHigh", 0);
    return settings;
}

}  // namespace zr
