// The rail of each block set as a RailDesign (rail_sweep.h): wooden sets lay
// laminated rails with a steel strip on ties, with catwalks and handrails;
// the looping set runs tubular rails on a box spine, the tall set on a round
// truss spine, and the suspended set hangs its rails under a box spine. The
// path follows the running surface: y = 0 is the top of the rails (the
// bottom of the suspended set's rails' centre line).
#pragma once

#include "blocksets/block_set_style.h"
#include "blocksets/rail_sweep.h"

namespace assetgen::blocksets {

enum class Detail {
    Full,     // the piece itself
    Low,      // the low1/ copy: rails and spine only, fewer facets
    Closing,  // final1: swept sections only, so every vertex lies on a path frame's ring
    Station,  // beside the platforms: no catwalks or handrails
};

RailDesign railDesign(const BlockSetStyle& style, Detail detail, bool chain);

// Where supports meet the track along the frame's up axis: the underside of
// the track for the sets that stand on their supports, the top of the spine
// for the suspended set, whose arms reach over it.
float supportAttachHeight(const BlockSetStyle& style);

// Half the track's width, catwalks included: supports and buildings keep out.
float trackHalfWidth(const BlockSetStyle& style);

}  // namespace assetgen::blocksets
