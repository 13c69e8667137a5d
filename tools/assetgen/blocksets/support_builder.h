// Supports of a piece for one legs set: wooden bents (two battered posts with
// ledgers, cross braces and stringers to the next bent), steel columns (an
// A-frame when tall), or the suspended set's columns beside the track with an
// arm over the spine. Built in model space: the feet stand on y = 0, the path
// has been raised to the legs set's height.
#pragma once

#include "blocksets/block_set_style.h"
#include "blocksets/mesh_buffer.h"
#include "blocksets/path_frame.h"

#include <vector>

namespace assetgen::blocksets {

struct Supports {
    MeshBuffer legs;              // every member and footing, model space
    std::vector<glm::vec3> feet;  // where each post meets the ground (y = 0)
};

// Supports stand at the same places along the path for every legs set (so a
// piece's variants line up); one is left out where the track there is
// inverted, too low above the feet, or where its members would pass close to
// another part of the same path.
Supports buildSupports(const BlockSetStyle& style, const PathFrames& raisedFrames);

}  // namespace assetgen::blocksets
