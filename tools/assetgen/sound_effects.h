// The ride's sound effects, synthesised: the lift chain, the two running
// noises (re-pitched by the game with the train's speed) and a crowd scream.
// The three loops repeat seamlessly; the scream is a one-shot.
#pragma once

#include "sound_synth.h"

namespace assetgen {

// A fast, even ratchet clatter over a motor hum, 1.5 s.
Signal synthesiseLiftChain();
// Rumbling wheels on timber: deep noise, low tones and clattering joints, 2 s.
Signal synthesiseWoodenRun();
// Smoother wheels on steel: a rushing roar with a tonal hum, 2 s.
Signal synthesiseSteelRun();
// A few riders screaming together, 1.5 s, fading out.
Signal synthesiseScream();

} // namespace assetgen
