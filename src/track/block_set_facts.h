// What a block set is beyond its pieces: wooden or steel, cars standing on
// the rail or hanging below it, where a test run starts, the experience
// ride's start and chain-free range, the lead car's collision spheres, the
// car spacing and how far the trackside camera looks ahead. The generator
// writes them into the "[Block Set]" section of the set's blocks.ini; a set
// without the section (or a key) keeps the values of the original table
// for its index, so the ride rules stay as they are.
#pragma once

#include <glm/glm.hpp>

#include <array>
#include <cstdint>
#include <string>

namespace zr {

class Profile;

constexpr const char* kBlockSetSection = "Block Set";

// The experience ride's start index and the range of path indices without
// the chain (the lift lies below it, the braked return above it).
struct ExperienceTriple {
    int32_t startIndex = 0;
    int32_t chainBegin = 0;
    int32_t chainEnd = 0;
};

struct BlockSetFacts {
    int32_t index = 0;        // the block set's index in the settings
    bool wooden = false;      // wooden running sound, detail distances and ride factors
    bool suspended = false;   // the cars hang below the rail
    int32_t startIndex = 20;  // ride path index where a test run starts
    ExperienceTriple experience{7, 138, 820};
    std::array<glm::vec3, 3> spheres{};  // m: right, up, forward of the lead car
    float carSpacing = 2.5f;             // m between consecutive cars
    int32_t tracksideAhead = 20;         // path frames the trackside view jumps ahead when chosen
    int32_t tracksideCatchUp = 20;       // and when the train has left it behind
};

// The original table for a set index; an index outside it gives a steel
// set standing on the rail with set 0's ride indexes and spheres.
BlockSetFacts defaultBlockSetFacts(int32_t index);
// The "[Block Set]" section of a blocks.ini; missing keys keep the table's.
BlockSetFacts readBlockSetFacts(const Profile& blocksIni, int32_t index);
// Reads folder + "/blocks.ini" for its facts only.
BlockSetFacts loadBlockSetFacts(const std::string& folder, int32_t index);

}  // namespace zr
