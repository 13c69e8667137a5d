// Where a prebuilt coaster stands in its level's landscape: the station's
// spot (the model's origin on level ground), the zones that shape the
// ground round it (level under the station, free of scenery along the
// whole circuit, and pressed down wherever the landscape would come within
// reach of the track), and the ground that results.
#pragma once

#include "blocksets/block_set_style.h"
#include "experience/circuit.h"
#include "levels/height_field.h"
#include "levels/level_style.h"

#include <optional>
#include <string>
#include <vector>

namespace assetgen::experience {

struct ExperienceSite {
    glm::vec3 origin{0.0f};  // where the model's origin goes
    float heading = 0.0f;    // and how far it is turned (degrees, a multiple of 90)
    std::vector<levels::FlatZone> zones;
    levels::HeightGrid ground;

    // A model-space point in the world, and the ground's height in model
    // space under a model-space point.
    glm::vec3 toWorld(const glm::vec3& p) const;
    float groundAt(float x, float z) const;
};

// How far the ground must stay below the rail of a block set (the cars of
// the suspended set hang below it).
float groundClearance(const blocksets::BlockSetStyle& style);

std::optional<ExperienceSite> planSite(const levels::LevelStyle& level, const blocksets::BlockSetStyle& style,
                                       const Circuit& circuit, std::string* error);

// The lowest clearance between the rail and the ground along the circuit,
// leaving out the track at station height, whose ground is the station's.
float lowestClearance(const ExperienceSite& site, const blocksets::BlockSetStyle& style, const Circuit& circuit);

}  // namespace assetgen::experience
