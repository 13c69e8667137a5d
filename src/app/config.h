// The game's settings from "./data/setup.bin": the level and block-set
// lists with the start choice, the level-of-detail distances, cars, the
// background colour and the texture switch. Missing keys give defaults.
#pragma once

#include "platform/profile.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zr {

constexpr const char* kSetupFile = "./data/setup.bin";
constexpr int kMaxLodDistances = 10;
// The most cars behind the lead car: 32 seats, within the seat number's
// range and the station's length.
constexpr int kMaxFollowingCars = 7;

struct GameSettings {
    std::array<int16_t, kMaxLodDistances> lodDistances{};
    int16_t lodCount = 0;
    std::vector<std::string> levelNames;
    int8_t currentLevel = 0;
    std::vector<std::string> blockSetNames;
    int8_t currentBlockSet = 0;
    int8_t carCount = 0;                     // "Cars", held to 0 .. kMaxFollowingCars
    uint8_t background[4] = {0, 0, 0, 255};  // BGr, BGg, BGb, BGa
    int32_t textureHigh = 0;
};

// Reads everything the Game takes at construction, in the game's order.
GameSettings readGameSettings(const Profile& profile);

// The numbered entries "1" .. total of a section (total kept as int8).
std::vector<std::string> readNumberedList(const Profile& profile, const char* section);

// The last entry containing the needle gives the index; none gives 0.
int8_t lastEntryContaining(const std::vector<std::string>& entries, const std::string& needle);
// The Level value cut at its last '/'; a value without one is used whole.
std::string cutAtLastSlash(const std::string& value);

// Whole part of (LOD + 50) * 0.01 in single precision: the multiplier of
// the configured distances.
int16_t lodMultiplier(int32_t lod);
// The first three distances a level set-up writes for a wooden or a steel
// block set.
std::array<int16_t, 3> levelLodDistances(int32_t lod, bool wooden);

}  // namespace zr
