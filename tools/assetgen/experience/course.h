// The centre line of a prebuilt circuit, laid out element by element: each
// element says how heading, pitch and roll change along its length, and the
// course integrates the positions. Angles are degrees (heading from +Z
// towards +X, pitch positive going up, a positive roll leans the up axis
// towards +X, the bank of a curve towards +X); lengths are metres.
//
// The course keeps dense samples (a quarter metre apart) and marks where its
// sections end, so the path frames can be cut with an exact frame count per
// section (see course_frames.h).
#pragma once

#include <glm/glm.hpp>

#include <functional>
#include <vector>

namespace assetgen::experience {

struct CourseState {
    glm::dvec3 position{0.0};
    double heading = 0.0;  // not wrapped: a full helix ends 360 further on
    double pitch = 0.0;
    double roll = 0.0;
};

struct CourseSample {
    CourseState state;
    double arc = 0.0;    // metres from the start of the course
    double speed = 0.0;  // the train's, as SpeedRules estimate it
};

// The ride's rules for the train's speed, per metre rather than per step:
// gravity gains going down and loses going up (by the sine of the slope),
// rolling friction, a drag on level track (slopes under 2 degrees count as
// level), and the chain, which holds its speed on the level and uphill.
struct SpeedRules {
    double downhill = 9.0;  // m/s^2 per sine of the slope
    double uphill = 8.0;
    double friction = 0.35;  // m/s^2
    double level = 0.6;      // m/s^2
    double chainSpeed = 3.5762181;
    double slowest = 2.0;
};

SpeedRules speedRules(bool wooden);
// The speed after ds metres at a pitch, from speed.
double speedAfter(const SpeedRules& rules, double speed, double pitch, double ds, bool chain);

// How one element bends, by the fraction u (0..1) of its length: the change
// of heading since the element's entry, and the absolute pitch and roll.
struct ElementShape {
    double length = 10.0;
    std::function<double(double u)> heading = [](double) { return 0.0; };
    std::function<double(double u)> pitch = [](double) { return 0.0; };
    std::function<double(double u)> roll = [](double) { return 0.0; };
    // Moves the element's points aside without turning them: x across the
    // entry's heading (towards its right axis), y up, z along it. Empty:
    // none.
    std::function<glm::dvec3(double u)> shift;
};

// Unit vector along the rail for a heading and pitch.
glm::dvec3 forwardOf(double heading, double pitch);
// The rail's right, up and forward axes for a state (columns 0, 1, 2).
glm::dmat3 axesOf(const CourseState& state);

class Course {
public:
    explicit Course(const CourseState& start = {});

    void add(const ElementShape& shape);

    // A new course starting where this one ends, with its speed, rules and
    // chain: for trying an element out.
    Course continuation() const;

    // Speed estimates: the rules, and whether the chain runs from here on.
    void setSpeedRules(const SpeedRules& rules) { rules_ = rules; }
    const SpeedRules& speedRules() const { return rules_; }
    void setChain(bool chain) { chain_ = chain; }
    bool chain() const { return chain_; }
    double speed() const { return samples_.back().speed; }

    const CourseState& end() const { return samples_.back().state; }
    double length() const { return samples_.back().arc; }
    const std::vector<CourseSample>& samples() const { return samples_; }

    // Section ends: the arc length at each call, in order.
    void markSection() { sections_.push_back(length()); }
    const std::vector<double>& sections() const { return sections_; }

    // The state at an arc length, interpolated between samples.
    CourseState stateAt(double arc) const;

private:
    std::vector<CourseSample> samples_;
    std::vector<double> sections_;
    SpeedRules rules_;
    bool chain_ = true;
};

// Ramps from 0 to 1 whose rate rises smoothly over the first ease fraction,
// holds, and falls over the last (ease 0.5: the plain smooth ramp), and that
// rate scaled to peak at 1.
double easedRamp(double u, double ease);
double easedRate(double u, double ease);

// Height gained along length by a pitch profile (degrees by fraction).
double riseOf(const std::function<double(double)>& pitch, double length);
// The amplitude a for which pitch(u) = a * profile(u) rises by rise over
// length (|a| below 89); profile should be positive inside (0, 1).
double amplitudeFor(const std::function<double(double)>& profile, double length, double rise);

}  // namespace assetgen::experience
