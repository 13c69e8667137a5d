// The station: platforms on both sides of the rail (under the hanging cars
// on the suspended set) on a solid base with stairs, a pitched roof on
// columns with a band of skylights down each slope, the supports under the
// rail, and a display board over the entry whose texture is the set's
// animated "ANIM" image. The board belongs to the track part, because the
// game animates only the track part's textures. The skylights' panes are a
// part of their own with a see-through material, which the game draws
// after everything else.
#pragma once

#include "blocksets/block_set_style.h"
#include "blocksets/mesh_buffer.h"
#include "blocksets/path_frame.h"

namespace assetgen::blocksets {

struct StationParts {
    MeshBuffer platform;
    MeshBuffer roof;
    MeshBuffer glazing;  // see-through panes
};

// The panes' material colour: pale blue-grey, alpha about 0.42.
inline constexpr engine::Colour kGlazingTint{196, 212, 226, 107};

StationParts buildStationParts(const BlockSetStyle& style, const PathFrames& path);
void addStationSign(MeshBuffer& track, const BlockSetStyle& style, const PathFrames& path);

// A tunnel shed over a straight path, added to the track part.
void addTunnel(MeshBuffer& track, const BlockSetStyle& style, const PathFrames& path);

}  // namespace assetgen::blocksets
