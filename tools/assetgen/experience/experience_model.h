// The prebuilt coaster's model: its whole rail swept in the block set's own
// track style (chain where the lift and the return run, the station's
// plain rail by the platforms, the display board over the entry) as the
// part "track"; supports down to the ground of its world, and the station
// building, as decoration parts. Model space: frame 0 of the path lies
// above the origin, and the origin is the ground at the station.
#pragma once

#include "blocksets/block_set_style.h"
#include "experience/circuit.h"

#include "engine/scene.h"

#include <functional>
#include <memory>

namespace assetgen::experience {

namespace engine = ::zr::engine;

// The ground's height (model space) under a model-space point (x, z).
using GroundHeight = std::function<float(float x, float z)>;

std::unique_ptr<engine::Clump> buildExperienceModel(const blocksets::BlockSetStyle& style, const Circuit& circuit,
                                                    const GroundHeight& ground);

// The circuit's frames from one arc length to another, a metre apart (the
// first and last exactly there); arcs below 0 or past the end wrap round.
blocksets::PathFrames framesBetween(const Circuit& circuit, double from, double to);

}  // namespace assetgen::experience
