// The centre line of every piece as path frames, in the piece's model space:
// entered at the origin heading +Z (the station and the closing piece at the
// set's station height, the others at 0 because their legs sets raise them).
#pragma once

#include "blocksets/block_set_style.h"
#include "blocksets/path_frame.h"
#include "blocksets/piece_catalogue.h"

namespace assetgen::blocksets {

PathFrames piecePath(const BlockSetStyle& style, const PieceSpec& spec);

// Frame spacing of the station (the ride's start index counts its frames).
inline constexpr double kStationSpacing = 0.5;

}  // namespace assetgen::blocksets
