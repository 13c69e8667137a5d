// The rides. Heights are the rail above the station's ground; turn radii
// are kept wide enough for the speed the train has there (the ride counts
// lateral g from the speed and the rate of turn alone), and crests tight
// enough for airtime but not for a jolt.
#include "experience/circuit_layouts.h"

#include "experience/course_elements.h"

namespace assetgen::experience {
namespace {

double height(const Course& course) {
    return course.end().position.y;
}

// Down (or up) to a height, level at both ends.
void settleTo(Course& course, double y, double length) {
    climb(course, y - height(course), length);
}

TurnShape bend(double degrees, double length, double bank, double rise = 0.0, double crest = 0.0) {
    TurnShape t;
    t.degrees = degrees;
    t.length = length;
    t.bank = bank;
    t.rise = rise;
    t.crest = crest;
    return t;
}

// A turn whose length is chosen so that it ends on the line x = 0 (the
// station's), for turns that end heading along it; the nearest it gets
// when no length in reach does.
void turnOntoStationLine(Course& c, TurnShape shape) {
    constexpr int kBisections = 40;
    const auto endX = [&](double length) {
        Course trial = c.continuation();
        shape.length = length;
        turn(trial, shape);
        return trial.end().position.x;
    };
    double low = shape.length * 0.6, high = shape.length * 1.6;
    const bool lowNegative = endX(low) < 0.0;
    for (int i = 0; i < kBisections; ++i) {
        const double mid = 0.5 * (low + high);
        if ((endX(mid) < 0.0) == lowNegative)
            low = mid;
        else
            high = mid;
    }
    shape.length = 0.5 * (low + high);
    turn(c, shape);
}

// Timber: an out-and-back wooden ride. A turn on the chain out of the
// station, a 30 m lift beside it, camelbacks out, a raised turnaround,
// lower hills back on the station's other side, and a climb into a falling
// helix before the run home.
bool layTimber(Course& c, const CircuitPlan& plan) {
    turn(c, bend(180.0, 40.0, 10.0));
    if (!liftTo(c, 30.0, 32.0, plan.chainBegin * plan.liftSpacing)) return false;
    crestReached(c);
    slope(c, 3.0 - height(c), 48.0, 14.0, 22.0);
    hill(c, 17.0, 72.0);
    hill(c, 14.0, 62.0);
    hill(c, 11.0, 55.0);
    turn(c, bend(180.0, 120.0, 40.0, 0.0, 8.0));
    hill(c, 10.0, 52.0);
    hill(c, 8.0, 45.0);
    climb(c, 9.0, 40.0);
    turn(c, bend(-360.0, 170.0, 40.0, -9.0));
    settleTo(c, plan.stationHeight, 20.0);
    return true;
}

// Inverter: a suspended ride of swooping turns. North up the lift, down
// into a raised turnaround and a falling helix, south over a run of hills,
// and round north home; the cars swing out under the rail, so the turns
// bank deep, and every turn rises or falls (level track drags the train).
// The rail stays 8 m up wherever it is not near the station.
bool layInverter(Course& c, const CircuitPlan& plan) {
    if (!liftTo(c, 40.0, 42.0, plan.chainBegin * plan.liftSpacing)) return false;
    crestReached(c);
    slope(c, 19.0 - height(c), 45.0, 14.0, 24.0);
    turn(c, bend(-180.0, 120.0, 50.0, 0.0, 8.0));
    turn(c, bend(360.0, 170.0, 50.0, -11.0));
    hill(c, 9.0, 55.0);
    hill(c, 8.0, 50.0);
    hill(c, 7.0, 45.0);
    hill(c, 6.0, 40.0);
    turnOntoStationLine(c, bend(-180.0, 110.0, 50.0, 0.0, 6.0));
    settleTo(c, plan.stationHeight, 25.0);
    return true;
}

// Steel: a looping ride. North down the drop, a raised turnaround, south
// over a camelback, through the loop and a zero-g roll over a hill, a
// climbing helix at the far end, and a falling turn north home.
bool laySteel(Course& c, const CircuitPlan& plan) {
    if (!liftTo(c, 40.0, 45.0, plan.chainBegin * plan.liftSpacing)) return false;
    crestReached(c);
    slope(c, 3.0 - height(c), 60.0, 16.0, 30.0);
    turn(c, bend(180.0, 115.0, 60.0, 0.0, 14.0));
    hill(c, 16.0, 70.0);
    straight(c, 4.0);
    loop(c, 130.0, 46.0, -1);
    straight(c, 4.0);
    hill(c, 12.0, 60.0, 1);
    turn(c, bend(360.0, 165.0, 55.0, 7.0));
    turnOntoStationLine(c, bend(180.0, 95.0, 55.0, -7.0));
    settleTo(c, plan.stationHeight, 20.0);
    return true;
}

// Oakwood: a low, busy wooden ride: off the lift into a falling helix,
// round east, south over a run of small hills and an S-bend, and round
// west and north home.
bool layOakwood(Course& c, const CircuitPlan& plan) {
    if (!liftTo(c, 28.0, 38.0, plan.chainBegin * plan.liftSpacing)) return false;
    crestReached(c);
    slope(c, 14.0 - height(c), 45.0, 14.0, 18.0);
    turn(c, bend(-360.0, 175.0, 45.0, -10.0));
    turn(c, bend(180.0, 95.0, 40.0, 0.0, 6.0));
    hill(c, 10.0, 50.0);
    hill(c, 8.0, 45.0);
    turn(c, bend(-40.0, 40.0, 30.0));
    turn(c, bend(40.0, 40.0, 30.0));
    hill(c, 7.0, 40.0);
    hill(c, 6.0, 36.0);
    hill(c, 5.0, 34.0);
    turnOntoStationLine(c, bend(180.0, 95.0, 40.0, 0.0, 5.0));
    settleTo(c, plan.stationHeight, 20.0);
    return true;
}

// Hyper: a tall lift north and a first drop that turns right round as it
// falls, south over two big camelbacks, a raised turn at the far end, and
// north home through a zero-g roll over a last hill.
bool layHyper(Course& c, const CircuitPlan& plan) {
    if (!liftTo(c, 64.0, 55.0, plan.chainBegin * plan.liftSpacing)) return false;
    crestReached(c);
    TurnShape drop = bend(180.0, 170.0, 60.0, 3.0 - height(c));
    drop.ease = 0.4;
    turn(c, drop);
    hill(c, 36.0, 140.0);
    hill(c, 14.0, 95.0);
    turnOntoStationLine(c, bend(180.0, 130.0, 55.0, 0.0, 26.0));
    hill(c, 10.0, 95.0, 1);
    settleTo(c, plan.stationHeight, 20.0);
    return true;
}

}  // namespace

Layout layoutFor(int blockSet) {
    switch (blockSet) {
        case 1: return {layInverter, 25.0, 45.0, 20.0};
        case 2: return {laySteel, 25.0, 45.0, 20.0};
        case 3: return {layOakwood, 25.0, 35.0, 20.0};
        case 4: return {layHyper, 40.0, 45.0, 30.0, 1.15};
        default: return {layTimber, 25.0, 35.0, 20.0};
    }
}

}  // namespace assetgen::experience
