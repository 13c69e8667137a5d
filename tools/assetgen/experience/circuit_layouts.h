// The five circuits' lifts and rides, one function per block set. Each
// starts where the station's straight ends, lays the lift so that its
// crest falls on the ride's chain-free start, marks it, and lays the ride
// to its end: level, upright and back at the station's height. Arcs of
// the layout's radius then take the train round to the brakes.
#pragma once

#include "experience/circuit.h"

namespace assetgen::experience {

struct Layout {
    bool (*lay)(Course& course, const CircuitPlan& plan) = nullptr;
    double homeRadius = 25.0;  // the ride's last arcs, round to the brakes
    double homeBank = 30.0;
    double brakes = 20.0;  // metres of straight brake run after the ride
    // Metres per path frame from frame 0 to the crest: the ride's table
    // fixes the crest's frame, so a tall lift needs longer frames.
    double liftSpacing = 1.0;
};

Layout layoutFor(int blockSet);

}  // namespace assetgen::experience
