// A block set's prebuilt circuit: the course laid out for the set's ride
// facts (experience start, chain-free range), cut into path frames. Frames below the
// chain-free range run from the station up the lift, those above it are
// the chain-braked return into the station; the last frame is the first.
#pragma once

#include "blocksets/block_set_style.h"
#include "blocksets/path_frame.h"
#include "experience/course.h"

#include <optional>
#include <string>
#include <vector>

namespace assetgen::experience {

// What the ride asks of the circuit of one block set.
struct CircuitPlan {
    int startIndex = 0;          // the lead car's frame at the start
    int chainBegin = 0;          // first frame without the chain: the lift's crest
    int chainEnd = 0;            // last frame without the chain: the brakes begin
    double liftSpacing = 1.0;    // metres per frame from frame 0 to the crest
    double stationHeight = 2.0;  // rail above the ground at the station
    double trainLength = 10.0;   // lead car to the back of the last car
};

CircuitPlan circuitPlan(const blocksets::BlockSetStyle& style);

struct Circuit {
    CircuitPlan plan;
    Course course;
    std::vector<int> steps;  // frames' worth of steps per section
    blocksets::PathFrames frames;
    std::vector<double> arcs;   // arc length of each frame
    double stationBegin = 0.0;  // arc range of the platform; a negative
    double stationEnd = 0.0;    // begin lies that far before frame 0
};

// The circuit, or nothing with the reason in error.
std::optional<Circuit> buildCircuit(const blocksets::BlockSetStyle& style, std::string* error);

// Steps of about a metre for a length.
int metreSteps(double length);

// Marks the lift's crest: the chain ends here.
void crestReached(Course& course);

// Lays out the crest of a lift at crestArc: a straight from the course's
// end, then up to height (the rail above the station ground) at angle,
// then a short level top. False when the straight would be negative.
bool liftTo(Course& course, double height, double angle, double crestArc);

}  // namespace assetgen::experience
