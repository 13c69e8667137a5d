// Cutting a closed course into path frames: each section gets an exact
// number of equal steps (the ride's table ties frame indices to the lift,
// the ride and the return), and the last frame is the first one again.
#pragma once

#include "blocksets/path_frame.h"
#include "experience/course.h"

#include <vector>

namespace assetgen::experience {

blocksets::PathFrame frameOf(const CourseState& state);

// steps[k] frames' worth of steps in section k (course.sections()[k] ends
// it; the first starts at 0). Returns sum(steps) + 1 frames; the last is a
// copy of the first. Empty when the counts do not match the sections.
blocksets::PathFrames cutFrames(const Course& course, const std::vector<int>& steps);

// The arc length of every frame cutFrames makes.
std::vector<double> frameArcs(const Course& course, const std::vector<int>& steps);

}  // namespace assetgen::experience
