// `zephyrail --ride-stats N`: block set N's experience ride, headless (no
// window, no sound device, no real-time waiting), with the committed
// statistics printed one per line under the coaster file's keywords.
#pragma once

#include <iosfwd>

namespace zr {

// Rides the lap from the data folder in the working directory. Returns 0
// when the lap completed, else 1 with the reason on err.
int rideStatistics(int blockSet, std::ostream& out, std::ostream& err);

}  // namespace zr
