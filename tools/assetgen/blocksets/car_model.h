// The cars of a block set: a lead car with a nose and the following car,
// sized to the ride's car spacing, with seat markers "seat1".."seat4" at the
// riders' eyes (the game reads and removes them). Standing sets seat two
// rows of two above the rails; the suspended set hangs one row of four
// below them, as short as its 0.75 m spacing demands.
#pragma once

#include "blocksets/block_set_style.h"

#include "engine/scene.h"

#include <memory>

namespace assetgen::blocksets {

namespace engine = ::zr::engine;

std::unique_ptr<engine::Clump> buildCarModel(const BlockSetStyle& style, bool leadCar);

// Half the car body's length along the path: the gap to the next car keeps
// clear of the collision spheres round the car in front.
float carHalfLength(const BlockSetStyle& style);

}  // namespace assetgen::blocksets
