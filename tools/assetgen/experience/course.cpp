// Integrating a course: positions follow the forward direction, advanced by
// the midpoint rule in small steps; every fifth step is kept as a sample.
#include "experience/course.h"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>

namespace assetgen::experience {
namespace {

constexpr double kStep = 0.05;      // metres per integration step
constexpr int kStepsPerSample = 5;  // samples a quarter metre apart
constexpr int kRiseSamples = 400;
constexpr int kBisections = 60;
constexpr double kSteepest = 89.0;

CourseState stateOf(const CourseState& entry, const ElementShape& shape, double u) {
    CourseState s;
    s.heading = entry.heading + shape.heading(u);
    s.pitch = shape.pitch(u);
    s.roll = shape.roll(u);
    return s;
}

double mix(double a, double b, double t) {
    return a + (b - a) * t;
}

}  // namespace

glm::dvec3 forwardOf(double heading, double pitch) {
    const double h = glm::radians(heading);
    const double p = glm::radians(pitch);
    return {std::sin(h) * std::cos(p), std::sin(p), std::cos(h) * std::cos(p)};
}

glm::dmat3 axesOf(const CourseState& state) {
    const glm::dmat4 yaw = glm::rotate(glm::dmat4(1.0), glm::radians(state.heading), glm::dvec3(0.0, 1.0, 0.0));
    const glm::dmat4 tilt = glm::rotate(glm::dmat4(1.0), glm::radians(-state.pitch), glm::dvec3(1.0, 0.0, 0.0));
    const glm::dmat4 lean = glm::rotate(glm::dmat4(1.0), glm::radians(-state.roll), glm::dvec3(0.0, 0.0, 1.0));
    return glm::dmat3(yaw * tilt * lean);
}

SpeedRules speedRules(bool wooden) {
    SpeedRules rules;
    if (wooden) {
        rules.downhill = 9.4;
        rules.uphill = 7.75;
        rules.level = 0.0;
    }
    return rules;
}

double speedAfter(const SpeedRules& rules, double speed, double pitch, double ds, bool chain) {
    constexpr double kLevel = 2.0;  // degrees
    double a = -rules.friction;
    if (pitch <= -kLevel)
        a += rules.downhill * std::sin(glm::radians(-pitch));
    else if (pitch >= kLevel)
        a -= rules.uphill * std::sin(glm::radians(pitch));
    else
        a -= rules.level;
    const double v = std::sqrt(std::max(0.0, speed * speed + 2.0 * a * ds));
    if (chain && pitch > -kLevel) return rules.chainSpeed;
    return std::max(rules.slowest, v);
}

Course::Course(const CourseState& start) {
    samples_.push_back({start, 0.0, rules_.chainSpeed});
}

void Course::add(const ElementShape& shape) {
    const CourseState entry = end();
    const double startArc = length();
    const int steps = std::max(kStepsPerSample, static_cast<int>(std::ceil(shape.length / kStep)));
    const double ds = shape.length / steps;
    glm::dvec3 position = entry.position;
    double speed = this->speed();
    const glm::dvec3 along = forwardOf(entry.heading, 0.0);
    const glm::dvec3 across(along.z, 0.0, -along.x);
    for (int i = 1; i <= steps; ++i) {
        const double mid = (i - 0.5) / steps;
        const CourseState m = stateOf(entry, shape, mid);
        position += forwardOf(m.heading, m.pitch) * ds;
        speed = speedAfter(rules_, speed, m.pitch, ds, chain_);
        if (i % kStepsPerSample != 0 && i != steps) continue;
        const double u = static_cast<double>(i) / steps;
        CourseState s = stateOf(entry, shape, u);
        const glm::dvec3 moved = shape.shift ? shape.shift(u) : glm::dvec3(0.0);
        s.position = position + across * moved.x + glm::dvec3(0.0, moved.y, 0.0) + along * moved.z;
        samples_.push_back({s, startArc + ds * i, speed});
    }
}

Course Course::continuation() const {
    Course next(end());
    next.rules_ = rules_;
    next.chain_ = chain_;
    next.samples_.front().speed = speed();
    return next;
}

CourseState Course::stateAt(double arc) const {
    const auto after = std::lower_bound(samples_.begin(), samples_.end(), arc,
                                        [](const CourseSample& s, double a) { return s.arc < a; });
    if (after == samples_.begin()) return samples_.front().state;
    if (after == samples_.end()) return samples_.back().state;
    const CourseSample& a = *(after - 1);
    const CourseSample& b = *after;
    const double t = b.arc > a.arc ? (arc - a.arc) / (b.arc - a.arc) : 0.0;
    CourseState s;
    s.position = glm::mix(a.state.position, b.state.position, t);
    s.heading = mix(a.state.heading, b.state.heading, t);
    s.pitch = mix(a.state.pitch, b.state.pitch, t);
    s.roll = mix(a.state.roll, b.state.roll, t);
    return s;
}

double easedRate(double u, double ease) {
    const double e = std::clamp(ease, 1e-6, 0.5);
    const double x = std::clamp(u, 0.0, 1.0);
    const double edge = std::min(x, 1.0 - x) / e;
    if (edge >= 1.0) return 1.0;
    return edge * edge * (3.0 - 2.0 * edge);
}

double easedRamp(double u, double ease) {
    const double e = std::clamp(ease, 1e-6, 0.5);
    const double x = std::clamp(u, 0.0, 1.0);
    // Integral of the smooth step over the ease: e * (y^3 - y^4 / 2).
    const auto edgeArea = [e](double y) { return e * (y * y * y - 0.5 * y * y * y * y); };
    const double total = 1.0 - e;
    double area = 0.0;
    if (x <= e)
        area = edgeArea(x / e);
    else if (x >= 1.0 - e)
        area = total - edgeArea((1.0 - x) / e);
    else
        area = 0.5 * e + (x - e);
    return area / total;
}

double riseOf(const std::function<double(double)>& pitch, double length) {
    double sum = 0.0;
    for (int i = 0; i < kRiseSamples; ++i) {
        sum += std::sin(glm::radians(pitch((i + 0.5) / kRiseSamples)));
    }
    return sum * length / kRiseSamples;
}

double amplitudeFor(const std::function<double(double)>& profile, double length, double rise) {
    double low = rise >= 0.0 ? 0.0 : -kSteepest;
    double high = rise >= 0.0 ? kSteepest : 0.0;
    for (int i = 0; i < kBisections; ++i) {
        const double a = 0.5 * (low + high);
        const double got = riseOf([&](double u) { return a * profile(u); }, length);
        if (got < rise)
            low = a;
        else
            high = a;
    }
    return 0.5 * (low + high);
}

}  // namespace assetgen::experience
