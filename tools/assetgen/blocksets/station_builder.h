// The station: platforms on both sides of the rail (under the hanging cars
// on the suspended set) on a solid base with stairs, a pitched roof on
// columns, the supports under the rail, and a display board over the entry
// whose texture is the set's animated "ANIM" image. The board belongs to the
// track part, because the game animates only the track part's textures.
#pragma once

#include "blocksets/block_set_style.h"
#include "blocksets/mesh_buffer.h"
#include "blocksets/path_frame.h"

namespace assetgen::blocksets {

struct StationParts {
    MeshBuffer platform;
    MeshBuffer roof;
};

StationParts buildStationParts(const BlockSetStyle& style, const PathFrames& path);
void addStationSign(MeshBuffer& track, const BlockSetStyle& style, const PathFrames& path);

// A tunnel shed over a straight path, added to the track part.
void addTunnel(MeshBuffer& track, const BlockSetStyle& style, const PathFrames& path);

}  // namespace assetgen::blocksets
