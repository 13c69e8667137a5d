// The elements a circuit is made of, each appended at the course's end and
// leaving it level unless it says otherwise: straights, pitch changes,
// banked turns and helices, camelback hills, rolls, an inclined loop, and a
// level connection of arcs and straights that lines the course up with a
// point and heading (the run back into the station).
#pragma once

#include "experience/course.h"

namespace assetgen::experience {

// Keeps heading, pitch and roll.
void straight(Course& course, double length);
// Pitch from its value now to pitch, smoothly.
void pitchTo(Course& course, double pitch, double length);
// Heading changes by degrees (positive: towards +X); the track banks into
// the turn by up to bank degrees and back out, following the turn's rate.
// The rate eases in and out and, between, goes as one over the square of
// the speed the course expects, so the turn tightens where the train slows.
// rise: the height gained (or lost) on the way, level at both ends.
struct TurnShape {
    double degrees = 90.0;
    double length = 50.0;
    double bank = 30.0;
    double rise = 0.0;
    double crest = 0.0;  // a hill of this height along the turn, over its middle
    double ease = 0.25;  // fraction of the length spent easing in and out
};
void turn(Course& course, const TurnShape& shape);
// Level to level, climbing height (negative: falling) with the steepest
// pitch in the middle; ease as for turns.
void climb(Course& course, double height, double length, double ease = 0.3);
// A straight slope between two bends: from level to angle over inLength,
// straight, then back to level over outLength, changing height by height
// (its sign gives the direction; angle is its size).
void slope(Course& course, double height, double angle, double inLength, double outLength);
// A camelback: level in, up by height (negative: a dip) and back, level out.
// rolls: full rolls made over the crest (a zero-g roll), 0 for none.
void hill(Course& course, double height, double length, int rolls = 0);
// Full rolls about the rail on a straight (positive: rolling towards +X).
void roll(Course& course, int rolls, double length);
// A loop leaning towards one side (side +1: +X), climbing with pitch up to
// steepest; the heading turns a full circle, most where the train is
// slowest, while the rail rolls over with it (upside down at the top). Its
// exit runs beside its entry, moved that way by a few metres.
void loop(Course& course, double length, double steepest, int side);
// Level arcs of radius and straights from the course's end to target,
// arriving heading targetHeading (degrees); the shortest such connection
// that turns each way once. The arcs bank by bank degrees.
void connect(Course& course, const glm::dvec2& target, double targetHeading, double radius, double bank = 0.0);

}  // namespace assetgen::experience
