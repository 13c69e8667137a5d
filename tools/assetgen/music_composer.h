// The game's two music loops, composed and played by code: a chord
// progression with pad, bass, arpeggio, a generated melody and soft drums.
// Each loop ends on the dominant chord and its last notes ring on into its
// first bar, so it repeats without a seam.
#pragma once

#include "sound_synth.h"

namespace assetgen {

// Bright and lively, C major, 100 beats a minute, 32 bars (76.8 s).
Signal composeTitleMusic();
// Calm, for long building sessions: F major, 84 beats a minute, 24 bars (about 68.6 s).
Signal composeBuildingMusic();

} // namespace assetgen
