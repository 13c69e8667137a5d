// Chaining blocks into one track: each block starts where the previous one
// ends, headings snap to the 22.5 degree grid relative to the station, the
// closing piece bends to meet the station, and the ride path strings every
// block's path frames together.
#pragma once

#include "track/coaster.h"

namespace zr {

constexpr float kHeadingTolerance = 7.5f;  // degrees

// Wraps into [-180, 180] once, then snaps to a multiple of 22.5 within v.
float snapHeading(float x, float tolerance);
// The signed heading (degrees from +Z towards +X) of a horizontal direction.
float headingOf(const glm::vec3& direction);
void rotatePathFrames(TrackBlock& block, float degrees);
void placeBlock(TrackBlock& block, const Coaster& coaster);
void buildRidePath(Coaster& coaster);
// Shapes the last block (the closing piece) to end at the station's start.
void bendClosingPiece(Coaster& coaster);
void restoreClosingPiece(Coaster& coaster);

}  // namespace zr
