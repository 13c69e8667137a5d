// The shared frame of every circuit: out of the station, the set's own lift
// and ride (circuit_layouts.cpp), then brakes and a slow run of arcs back
// into the station, cut so that the ride's frame indices fall where the
// ride's table expects the lift's crest and the brakes.
#include "experience/circuit.h"

#include "experience/circuit_layouts.h"
#include "experience/course_elements.h"
#include "experience/course_frames.h"

#include <algorithm>
#include <cmath>

namespace assetgen::experience {
namespace {

constexpr int kCarsBehindLead = 3;       // the game's train: a lead car and three more
constexpr double kStationAhead = 5.0;    // platform beyond the lead car
constexpr double kStationBehind = 3.0;   // and behind the last car
constexpr double kLeadIn = 8.0;          // straight before the platform
constexpr double kReturnRadius = 9.0;    // arcs taken at chain speed
constexpr double kCrestRun = 2.0;        // level top of the lift
constexpr double kLiftFoot = 14.0;       // metres of bend into the lift's slope
constexpr double kLiftTop = 16.0;        // and out of it over the top
constexpr double kClosing = 1e-3;        // metres
constexpr double kLevel = 0.5;           // degrees
constexpr double kLowestSpacing = 0.85;  // metres per frame
constexpr double kHighestSpacing = 1.2;

bool fail(std::string* error, const std::string& text) {
    if (error) *error = text;
    return false;
}

double nearestTurn(double heading) {
    return 360.0 * std::round(heading / 360.0);
}

// The straight before the platform, up to frame 0.
double leadIn(const CircuitPlan& plan) {
    return std::max(0.0, plan.trainLength + kStationBehind - plan.startIndex * plan.liftSpacing) + kLeadIn;
}

// The ride's last arcs line the train up with the brakes on the station's
// line; the brakes run straight into the station, and any slack left is
// taken up by arcs at chain speed.
void homeRun(Course& course, const CircuitPlan& plan, const Layout& layout) {
    const double back = leadIn(plan);
    connect(course, {0.0, -back - layout.brakes}, 0.0, layout.homeRadius, layout.homeBank);
    course.markSection();
    course.setChain(true);
    straight(course, layout.brakes);
    connect(course, {0.0, -back}, 0.0, kReturnRadius);
    straight(course, back);
    course.markSection();
}

bool checkRide(const Course& course, const CircuitPlan& plan, std::string* error) {
    if (course.sections().size() != 1) return fail(error, "the layout must mark the lift's crest");
    const CourseState& end = course.end();
    if (std::abs(end.pitch) > kLevel || std::abs(end.roll - nearestTurn(end.roll)) > kLevel) {
        return fail(error, "the ride must end level and upright, not at pitch " + std::to_string(end.pitch) + " roll " +
                               std::to_string(end.roll));
    }
    if (std::abs(end.position.y - plan.stationHeight) > kClosing) {
        return fail(error, "the ride must end at station height");
    }
    return true;
}

bool checkSpacing(const Course& course, const std::vector<int>& steps, std::string* error) {
    double begin = 0.0;
    for (size_t k = 0; k < steps.size(); ++k) {
        const double spacing = (course.sections()[k] - begin) / steps[k];
        if (spacing < kLowestSpacing || spacing > kHighestSpacing) {
            return fail(error, "section " + std::to_string(k) + " has frames " + std::to_string(spacing) + " m apart");
        }
        begin = course.sections()[k];
    }
    return true;
}

}  // namespace

CircuitPlan circuitPlan(const blocksets::BlockSetStyle& style) {
    CircuitPlan plan;
    plan.startIndex = style.ride.experienceStart;
    plan.chainBegin = style.ride.experienceChainBegin;
    plan.chainEnd = style.ride.experienceChainEnd;
    plan.liftSpacing = layoutFor(style.index).liftSpacing;
    plan.stationHeight = style.stationHeight();
    plan.trainLength = (kCarsBehindLead + 1) * std::max(style.ride.carSpacing, 1.0f);
    return plan;
}

int metreSteps(double length) {
    return std::max(1, static_cast<int>(std::lround(length)));
}

bool liftTo(Course& course, double height, double angle, double crestArc) {
    Course lift = course.continuation();
    slope(lift, height - course.end().position.y, angle, kLiftFoot, kLiftTop);
    const double approach = crestArc - course.length() - lift.length() - kCrestRun;
    if (approach < 0.0) return false;
    if (approach > 0.0) straight(course, approach);
    slope(course, height - course.end().position.y, angle, kLiftFoot, kLiftTop);
    straight(course, kCrestRun);
    return true;
}

void crestReached(Course& course) {
    course.markSection();
    course.setChain(false);
}

// Out of the station, the set's lift and ride, and back: the closed course.
bool layCircuit(Circuit& circuit, int blockSet, std::string* error) {
    const CircuitPlan& plan = circuit.plan;
    Course& course = circuit.course;
    const CourseState start = course.end();
    straight(course, plan.startIndex * plan.liftSpacing + kStationAhead);
    const Layout layout = layoutFor(blockSet);
    if (!layout.lay(course, plan)) return fail(error, "the lift does not fit before the crest");
    if (!checkRide(course, plan, error)) return false;
    homeRun(course, plan, layout);
    const glm::dvec3 gap = course.end().position - start.position;
    if (glm::length(gap) > kClosing || std::abs(course.end().heading - nearestTurn(course.end().heading)) > kLevel) {
        return fail(error, "the return run does not close the circuit");
    }
    return true;
}

std::optional<Circuit> buildCircuit(const blocksets::BlockSetStyle& style, std::string* error) {
    Circuit circuit;
    circuit.plan = circuitPlan(style);
    const CircuitPlan& plan = circuit.plan;
    CourseState start;
    start.position = {0.0, plan.stationHeight, 0.0};
    circuit.course = Course(start);
    circuit.course.setSpeedRules(speedRules(style.wooden()));
    if (!layCircuit(circuit, style.index, error)) return std::nullopt;
    const Course& course = circuit.course;
    circuit.steps = {plan.chainBegin, plan.chainEnd - plan.chainBegin,
                     metreSteps(course.length() - course.sections()[1])};
    if (!checkSpacing(course, circuit.steps, error)) return std::nullopt;
    circuit.frames = cutFrames(course, circuit.steps);
    circuit.arcs = frameArcs(course, circuit.steps);
    const double leadCar = plan.startIndex * plan.liftSpacing;
    circuit.stationBegin = leadCar - plan.trainLength - kStationBehind;
    circuit.stationEnd = leadCar + kStationAhead;
    return circuit;
}

}  // namespace assetgen::experience
