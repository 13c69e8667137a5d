// The block-set facts: the original table and the blocks.ini section.
#include "track/block_set_facts.h"

#include "platform/profile.h"

#include <cstdio>
#include <sstream>

namespace zr {
namespace {

struct TableRow {
    bool wooden;
    bool suspended;
    int32_t startIndex;
    ExperienceTriple experience;
    std::array<glm::vec3, 3> spheres;
    float carSpacing;
    int32_t tracksideAhead;
    int32_t tracksideCatchUp;
};

constexpr TableRow kTable[] = {
    {true, false, 20, {7, 138, 820}, {{{-0.9f, 0.9f, 0.0f}, {0.9f, 0.9f, 0.0f}, {0.0f, 2.0f, 0.0f}}}, 2.5f, 20, 20},
    {false,
     true,
     35,
     {6, 97, 876},
     {{{-0.55f, -1.6f, 0.2f}, {0.55f, -1.6f, 0.2f}, {0.0f, -0.9f, 0.2f}}},
     0.75f,
     20,
     20},
    {false,
     false,
     35,
     {15, 114, 808},
     {{{-0.6f, 1.05f, 0.0f}, {0.6f, 1.05f, 0.0f}, {0.0f, 2.15f, 0.0f}}},
     3.5f,
     20,
     20},
    {true, false, 40, {15, 93, 880}, {{{-0.9f, 0.9f, 0.0f}, {0.9f, 0.9f, 0.0f}, {0.0f, 2.0f, 0.0f}}}, 2.4f, 15, 10},
    {false,
     false,
     22,
     {46, 133, 700},
     {{{-0.6f, 1.15f, 0.0f}, {0.6f, 1.15f, 0.0f}, {0.0f, 2.15f, 0.0f}}},
     2.6f,
     20,
     20},
};
constexpr int32_t kTableSize = static_cast<int32_t>(std::size(kTable));

bool readVector(const std::string& text, glm::vec3* v) {
    std::istringstream in(text);
    glm::vec3 read;
    if (!(in >> read.x >> read.y >> read.z)) return false;
    *v = read;
    return true;
}

bool readFloat(const std::string& text, float* value) {
    std::istringstream in(text);
    float read = 0.0f;
    if (!(in >> read)) return false;
    *value = read;
    return true;
}

}  // namespace

BlockSetFacts defaultBlockSetFacts(int32_t index) {
    BlockSetFacts facts;
    facts.index = index;
    const bool known = index >= 0 && index < kTableSize;
    const TableRow& row = kTable[known ? index : 0];
    facts.wooden = known && row.wooden;
    facts.suspended = known && row.suspended;
    facts.startIndex = row.startIndex;
    facts.experience = row.experience;
    facts.spheres = row.spheres;
    facts.carSpacing = known ? row.carSpacing : 2.5f;
    facts.tracksideAhead = known ? row.tracksideAhead : 20;
    facts.tracksideCatchUp = known ? row.tracksideCatchUp : 20;
    return facts;
}

BlockSetFacts readBlockSetFacts(const Profile& ini, int32_t index) {
    BlockSetFacts facts = defaultBlockSetFacts(index);
    const char* section = kBlockSetSection;
    auto integer = [&](const char* key, int32_t fallback) {
        return ini.has(section, key) ? ini.getInt(section, key, fallback) : fallback;
    };
    facts.wooden = integer("Wooden", facts.wooden ? 1 : 0) != 0;
    facts.suspended = integer("Suspended", facts.suspended ? 1 : 0) != 0;
    facts.startIndex = integer("StartIndex", facts.startIndex);
    facts.experience.startIndex = integer("ExperienceStart", facts.experience.startIndex);
    facts.experience.chainBegin = integer("ExperienceChainBegin", facts.experience.chainBegin);
    facts.experience.chainEnd = integer("ExperienceChainEnd", facts.experience.chainEnd);
    for (size_t k = 0; k < facts.spheres.size(); ++k) {
        const std::string key = "Sphere" + std::to_string(k + 1);
        readVector(ini.getString(section, key.c_str(), ""), &facts.spheres[k]);
    }
    readFloat(ini.getString(section, "CarSpacing", ""), &facts.carSpacing);
    facts.tracksideAhead = integer("TracksideAhead", facts.tracksideAhead);
    facts.tracksideCatchUp = integer("TracksideCatchUp", facts.tracksideCatchUp);
    return facts;
}

BlockSetFacts loadBlockSetFacts(const std::string& folder, int32_t index) {
    return readBlockSetFacts(Profile(folder + "/blocks.ini"), index);
}

}  // namespace zr
