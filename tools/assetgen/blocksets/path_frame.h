// Path frames: the track's centre line as a list of full orientations (right,
// up and forward axes plus a position), as the ride and the .anm files use
// them. Right is up x forward, so a frame heading +Z with +Y up has +X as its
// right axis. Headings grow from +Z towards +X, pitch is positive going up,
// and a positive roll leans the up axis towards +X (the bank of a curve that
// turns towards +X, a "left" curve). Angles are degrees, lengths metres.
#pragma once

#include "engine/model_file.h"

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include <functional>
#include <vector>

namespace assetgen::blocksets {

namespace engine = ::zr::engine;

struct PathFrame {
    glm::vec3 position{0.0f};
    glm::vec3 right{1.0f, 0.0f, 0.0f};
    glm::vec3 up{0.0f, 1.0f, 0.0f};
    glm::vec3 forward{0.0f, 0.0f, 1.0f};

    // A point given in the frame: x along right, y along up, z along forward.
    glm::vec3 point(const glm::vec3& local) const {
        return position + right * local.x + up * local.y + forward * local.z;
    }
    glm::vec3 point(float x, float y) const { return position + right * x + up * y; }
    glm::vec3 direction(const glm::vec3& local) const { return right * local.x + up * local.y + forward * local.z; }
    glm::quat rotation() const;
    glm::mat4 matrix() const;

    static PathFrame fromRotation(const glm::quat& rotation, const glm::vec3& position);
};

using PathFrames = std::vector<PathFrame>;

// The frame between a and b at t (0..1): position lerped, rotation slerped.
PathFrame interpolate(const PathFrame& a, const PathFrame& b, float t);

// Every frame turned about +Y by degrees (positions too) and then moved.
PathFrames transformed(const PathFrames& frames, float headingDegrees, const glm::vec3& offset);

// The .anm key frames of a path: times 1, 2, 3 ... so the reader's skipping
// rule (a first key at time 0, any of the first five at the duration) keeps
// every frame, provided there are more than five.
engine::PathAnimation toAnimation(const PathFrames& frames);
// Frames as the game reads them back from key frames, with that rule applied.
PathFrames fromAnimation(const engine::PathAnimation& animation);

// Smooth 0..1 ramp with zero slope at both ends; symmetric: s(1-t) = 1-s(t),
// so a piece built on it mirrors exactly when run backwards.
double smoothRamp(double t);
double smoothRampSlope(double t);

// A piece whose centre line is given by heading, pitch and roll (degrees) as
// functions of the fraction u (0..1) of its length. Positions are integrated
// along the length, so the frames are exactly continuous with anything whose
// angles match at the ends.
struct AngleCourse {
    double length = 10.0;
    int segments = 10;
    std::function<double(double u)> heading = [](double) { return 0.0; };
    std::function<double(double u)> pitch = [](double) { return 0.0; };
    std::function<double(double u)> roll = [](double) { return 0.0; };
};
PathFrames framesFromAngles(const AngleCourse& course);

// A piece whose centre line is a curve c(t), t in 0..1, with its tangent and
// an up direction (made perpendicular to the tangent). Frames are spaced
// evenly along the curve, about spacing apart; the first lies at c(0) moved
// to the origin.
struct CurvePoint {
    glm::dvec3 position{0.0};
    glm::dvec3 tangent{0.0, 0.0, 1.0};
    glm::dvec3 up{0.0, 1.0, 0.0};
};
using CurveFunction = std::function<CurvePoint(double t)>;
PathFrames framesFromCurve(const CurveFunction& curve, double spacing);

// Length of the path through every frame position.
double pathLength(const PathFrames& frames);
// Arc length from the first frame to each frame.
std::vector<double> arcLengths(const PathFrames& frames);

}  // namespace assetgen::blocksets
