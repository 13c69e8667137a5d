// Element shapes. Pitch profiles are solved for the height they must gain,
// so a layout says how high, not how steep.
#include "experience/course_elements.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace assetgen::experience {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kFullTurn = 360.0;
constexpr double kRollEase = 0.35;
constexpr double kLoopOffset = 12.0;  // metres between a loop's entry and exit
constexpr double kSteepestTurn = 80.0;
constexpr int kBisections = 60;

double smoothRamp(double u) {
    const double x = std::clamp(u, 0.0, 1.0);
    return x * x * (3.0 - 2.0 * x);
}

double sign(double x) {
    return x < 0.0 ? -1.0 : 1.0;
}

// Wraps degrees into [0, 360); a hair below a full turn is none.
double wrapped(double degrees) {
    constexpr double kHair = 1e-6;
    const double w = std::fmod(degrees, kFullTurn);
    const double positive = w < 0.0 ? w + kFullTurn : w;
    return positive > kFullTurn - kHair ? 0.0 : positive;
}

// Horizontal direction of a heading, as (x, z).
glm::dvec2 direction(double heading) {
    const double h = glm::radians(heading);
    return {std::sin(h), std::cos(h)};
}

// The way a turn's centre lies from the track: heading increasing turns
// towards +X, so its centre is on that side.
glm::dvec2 centreSide(double heading) {
    const double h = glm::radians(heading);
    return {std::cos(h), -std::sin(h)};
}

double headingOf(const glm::dvec2& v) {
    return glm::degrees(std::atan2(v.x, v.y));
}

struct Connection {
    double firstTurn = 0.0;  // degrees, signed
    double run = 0.0;        // metres
    double secondTurn = 0.0;
    double length = 1e30;
};

// One arc-straight-arc connection turning first one way (s1) then (s2).
Connection arcsAndStraight(const glm::dvec2& from, double fromHeading, const glm::dvec2& to, double toHeading,
                           double radius, double s1, double s2) {
    Connection c;
    const glm::dvec2 c1 = from + radius * s1 * centreSide(fromHeading);
    const glm::dvec2 c2 = to + radius * s2 * centreSide(toHeading);
    const glm::dvec2 between = c2 - c1;
    const double d = glm::length(between);
    double runHeading = headingOf(between);
    if (s1 != s2) {
        if (d < 2.0 * radius) return c;
        runHeading += glm::degrees(std::asin(2.0 * radius * s1 / d));
    }
    c.run = glm::dot(between, direction(runHeading));
    if (c.run < 0.0) return c;
    c.firstTurn = s1 * wrapped(s1 * (runHeading - fromHeading));
    c.secondTurn = s2 * wrapped(s2 * (toHeading - runHeading));
    c.length = c.run + radius * glm::radians(std::abs(c.firstTurn) + std::abs(c.secondTurn));
    return c;
}

// How a turn shares out its heading change: the base rate (by fraction of
// the length) over the square of the speed the train is expected to have
// there, so the turn is tightest where the train is slowest and the ride's
// lateral g (speed times rate of turn) stays even. cumulative runs 0..1;
// rate peaks at 1.
struct Turning {
    std::vector<double> cumulative;
    std::vector<double> rate;
};

Turning turning(const Course& course, const std::function<double(double)>& pitch, double length,
                const std::function<double(double)>& baseRate) {
    constexpr int kSamples = 1000;
    constexpr double kSlowest = 4.0;  // m/s: no turn rate beyond this one's
    Turning t{std::vector<double>(kSamples + 1, 0.0), std::vector<double>(kSamples + 1, 0.0)};
    double speed = course.speed();
    const double ds = length / kSamples;
    for (int i = 0; i <= kSamples; ++i) {
        const double u = static_cast<double>(i) / kSamples;
        if (i > 0) speed = speedAfter(course.speedRules(), speed, pitch(u - 0.5 / kSamples), ds, course.chain());
        const double v = std::max(kSlowest, speed);
        t.rate[i] = baseRate(u) / (v * v);
        if (i > 0) t.cumulative[i] = t.cumulative[i - 1] + 0.5 * (t.rate[i] + t.rate[i - 1]);
    }
    const double total = t.cumulative.back();
    const double peak = *std::max_element(t.rate.begin(), t.rate.end());
    for (double& c : t.cumulative) c = total > 0.0 ? c / total : 0.0;
    for (double& r : t.rate) r = peak > 0.0 ? r / peak : 0.0;
    return t;
}

double lookUp(const std::vector<double>& table, double u) {
    const double x = std::clamp(u, 0.0, 1.0) * static_cast<double>(table.size() - 1);
    const size_t i = std::min(static_cast<size_t>(x), table.size() - 2);
    return table[i] + (table[i + 1] - table[i]) * (x - static_cast<double>(i));
}

// A turn's pitch: a hump of the crest's height over the whole turn, and a
// rise (or fall) whose pitch follows the turn's eased rate. The rise is
// solved with the hump in place; the hump alone gains nothing.
std::function<double(double)> turnPitch(const TurnShape& t) {
    const double ease = t.ease;
    const auto wave = [](double u) { return std::sin(kTwoPi * u); };
    const double hump = amplitudeFor([&](double u) { return wave(0.5 * u); }, 0.5 * t.length, t.crest);
    double low = -kSteepestTurn, high = kSteepestTurn;
    for (int i = 0; i < kBisections; ++i) {
        const double a = 0.5 * (low + high);
        const double got = riseOf([&](double u) { return a * easedRate(u, ease) + hump * wave(u); }, t.length);
        if (got < t.rise)
            low = a;
        else
            high = a;
    }
    const double amplitude = 0.5 * (low + high);
    return [amplitude, hump, ease, wave](double u) { return amplitude * easedRate(u, ease) + hump * wave(u); };
}

// A level arc of constant radius; the bank eases in and out over its ends.
void arc(Course& course, double degrees, double radius, double bank) {
    constexpr double kBankEase = 0.2;
    if (std::abs(degrees) < 1e-9) return;
    ElementShape shape;
    shape.length = radius * glm::radians(std::abs(degrees));
    shape.heading = [degrees](double u) { return degrees * u; };
    const double lean = sign(degrees) * bank;
    shape.roll = [r = course.end().roll, lean](double u) { return r + lean * easedRate(u, kBankEase); };
    course.add(shape);
}

}  // namespace

void straight(Course& course, double length) {
    const CourseState entry = course.end();
    ElementShape shape;
    shape.length = length;
    shape.pitch = [p = entry.pitch](double) { return p; };
    shape.roll = [r = entry.roll](double) { return r; };
    course.add(shape);
}

void pitchTo(Course& course, double pitch, double length) {
    const CourseState entry = course.end();
    ElementShape shape;
    shape.length = length;
    shape.pitch = [p0 = entry.pitch, pitch](double u) { return p0 + (pitch - p0) * smoothRamp(u); };
    shape.roll = [r = entry.roll](double) { return r; };
    course.add(shape);
}

void turn(Course& course, const TurnShape& t) {
    const CourseState entry = course.end();
    const std::function<double(double)> pitchAt = turnPitch(t);
    const double ease = t.ease;
    const Turning shared = turning(course, pitchAt, t.length, [ease](double u) { return easedRate(u, ease); });
    ElementShape shape;
    shape.length = t.length;
    shape.heading = [degrees = t.degrees, shared](double u) { return degrees * lookUp(shared.cumulative, u); };
    shape.pitch = pitchAt;
    const double bank = sign(t.degrees) * t.bank;
    shape.roll = [r = entry.roll, bank, shared](double u) { return r + bank * lookUp(shared.rate, u); };
    course.add(shape);
}

void climb(Course& course, double height, double length, double ease) {
    TurnShape shape;
    shape.degrees = 0.0;
    shape.length = length;
    shape.bank = 0.0;
    shape.rise = height;
    shape.ease = ease;
    turn(course, shape);
}

void slope(Course& course, double height, double angle, double inLength, double outLength) {
    const double a = sign(height) * std::abs(angle);
    const double bends = riseOf([a](double u) { return a * smoothRamp(u); }, inLength) +
                         riseOf([a](double u) { return a * smoothRamp(1.0 - u); }, outLength);
    const double run = std::max(0.0, (height - bends) / std::sin(glm::radians(a)));
    pitchTo(course, a, inLength);
    straight(course, run);
    pitchTo(course, 0.0, outLength);
}

void hill(Course& course, double height, double length, int rolls) {
    const CourseState entry = course.end();
    // The crest's height is what the first half gains.
    const auto profile = [](double u) { return std::sin(kTwoPi * u); };
    const double a = amplitudeFor([&](double u) { return profile(0.5 * u); }, 0.5 * length, height);
    ElementShape shape;
    shape.length = length;
    shape.pitch = [a, profile](double u) { return a * profile(u); };
    const double turns = kFullTurn * rolls;
    shape.roll = [r = entry.roll, turns](double u) {
        // Rolling over the middle half of the hill, round its crest.
        return r + turns * easedRamp((u - 0.25) * 2.0, kRollEase);
    };
    course.add(shape);
}

void roll(Course& course, int rolls, double length) {
    const CourseState entry = course.end();
    ElementShape shape;
    shape.length = length;
    shape.pitch = [p = entry.pitch](double) { return p; };
    const double turns = kFullTurn * rolls;
    shape.roll = [r = entry.roll, turns](double u) { return r + turns * easedRamp(u, kRollEase); };
    course.add(shape);
}

void loop(Course& course, double length, double steepest, int side) {
    const CourseState entry = course.end();
    const double s = side < 0 ? -1.0 : 1.0;
    // Pitch climbs and falls with the loop's progress; the heading turns
    // most where the train is slow, and the rail rolls over with it,
    // upside down at the top.
    const auto pitchAt = [=](double u) { return steepest * std::sin(kTwoPi * smoothRamp(u)); };
    const auto climbRate = [](double u) { return 6.0 * u * (1.0 - u); };
    const Turning slowest = turning(course, pitchAt, length, climbRate);
    const auto turned = [slowest](double u) { return 0.5 * (smoothRamp(u) + lookUp(slowest.cumulative, u)); };
    ElementShape shape;
    shape.length = length;
    shape.heading = [=](double u) { return s * kFullTurn * turned(u); };
    shape.pitch = pitchAt;
    shape.roll = [=, r = entry.roll](double u) { return r + s * kFullTurn * turned(u); };
    // The way down passes beside the way up.
    shape.shift = [s](double u) { return glm::dvec3(s * kLoopOffset * smoothRamp(u), 0.0, 0.0); };
    course.add(shape);
}

void connect(Course& course, const glm::dvec2& target, double targetHeading, double radius, double bank) {
    const CourseState entry = course.end();
    const glm::dvec2 from(entry.position.x, entry.position.z);
    constexpr double kThere = 1e-4;
    if (glm::length(target - from) < kThere && wrapped(targetHeading - entry.heading + kThere) < 2.0 * kThere) return;
    Connection best;
    for (const double s1 : {1.0, -1.0}) {
        for (const double s2 : {1.0, -1.0}) {
            const Connection c = arcsAndStraight(from, entry.heading, target, targetHeading, radius, s1, s2);
            if (c.length < best.length) best = c;
        }
    }
    arc(course, best.firstTurn, radius, bank);
    if (best.run > 1e-9) straight(course, best.run);
    arc(course, best.secondTurn, radius, bank);
}

}  // namespace assetgen::experience
