// Path frames: conversions, key frames, and the two ways pieces are laid out
// (angles along the length, or a curve resampled to even spacing).
#include "blocksets/path_frame.h"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>

namespace assetgen::blocksets {
namespace {

constexpr int kSimpsonSteps = 8;       // per segment when integrating positions
constexpr int kCurveSamples = 4096;    // when measuring a curve's length
constexpr int kSkippedAtDuration = 5;  // the reader checks the first five keys

glm::dmat3 rotationFromAngles(double heading, double pitch, double roll) {
    const glm::dmat4 yaw = glm::rotate(glm::dmat4(1.0), glm::radians(heading), glm::dvec3(0.0, 1.0, 0.0));
    const glm::dmat4 tilt = glm::rotate(glm::dmat4(1.0), glm::radians(-pitch), glm::dvec3(1.0, 0.0, 0.0));
    const glm::dmat4 lean = glm::rotate(glm::dmat4(1.0), glm::radians(-roll), glm::dvec3(0.0, 0.0, 1.0));
    return glm::dmat3(yaw * tilt * lean);
}

glm::dvec3 forwardFromAngles(double heading, double pitch) {
    const double h = glm::radians(heading);
    const double p = glm::radians(pitch);
    return {std::sin(h) * std::cos(p), std::sin(p), std::cos(h) * std::cos(p)};
}

PathFrame frameFrom(const glm::dmat3& axes, const glm::dvec3& position) {
    PathFrame frame;
    frame.right = glm::normalize(glm::vec3(axes[0]));
    frame.up = glm::normalize(glm::vec3(axes[1]));
    frame.forward = glm::normalize(glm::vec3(axes[2]));
    frame.position = glm::vec3(position);
    return frame;
}

// Distance travelled from u0 to u1 of the course, by Simpson's rule.
glm::dvec3 advance(const AngleCourse& course, double u0, double u1) {
    const auto forwardAt = [&](double u) { return forwardFromAngles(course.heading(u), course.pitch(u)); };
    const double h = (u1 - u0) / kSimpsonSteps;
    glm::dvec3 sum = forwardAt(u0) + forwardAt(u1);
    for (int i = 1; i < kSimpsonSteps; ++i) {
        sum += forwardAt(u0 + h * i) * (i % 2 == 1 ? 4.0 : 2.0);
    }
    return sum * (h / 3.0) * course.length;
}

// The curve parameter at each of segments + 1 evenly spaced arc lengths.
std::vector<double> evenParameters(const CurveFunction& curve, int* segments, double spacing) {
    std::vector<double> lengths(kCurveSamples + 1, 0.0);
    glm::dvec3 previous = curve(0.0).position;
    for (int i = 1; i <= kCurveSamples; ++i) {
        const glm::dvec3 p = curve(static_cast<double>(i) / kCurveSamples).position;
        lengths[i] = lengths[i - 1] + glm::length(p - previous);
        previous = p;
    }
    const double total = lengths.back();
    *segments = std::max(1, static_cast<int>(std::lround(total / spacing)));
    std::vector<double> parameters;
    size_t j = 0;
    for (int k = 0; k <= *segments; ++k) {
        const double target = total * k / *segments;
        while (j + 1 < lengths.size() - 1 && lengths[j + 1] < target) {
            ++j;
        }
        const double span = lengths[j + 1] - lengths[j];
        const double f = span > 0.0 ? std::clamp((target - lengths[j]) / span, 0.0, 1.0) : 0.0;
        parameters.push_back((static_cast<double>(j) + f) / kCurveSamples);
    }
    parameters.front() = 0.0;
    parameters.back() = 1.0;
    return parameters;
}

}  // namespace

glm::quat PathFrame::rotation() const {
    return glm::normalize(glm::quat_cast(glm::mat3(right, up, forward)));
}

glm::mat4 PathFrame::matrix() const {
    glm::mat4 m(glm::mat3(right, up, forward));
    m[3] = glm::vec4(position, 1.0f);
    return m;
}

PathFrame PathFrame::fromRotation(const glm::quat& rotation, const glm::vec3& position) {
    const glm::mat3 axes = glm::mat3_cast(glm::normalize(rotation));
    PathFrame frame;
    frame.right = axes[0];
    frame.up = axes[1];
    frame.forward = axes[2];
    frame.position = position;
    return frame;
}

PathFrame interpolate(const PathFrame& a, const PathFrame& b, float t) {
    return PathFrame::fromRotation(glm::slerp(a.rotation(), b.rotation(), t), glm::mix(a.position, b.position, t));
}

PathFrames transformed(const PathFrames& frames, float headingDegrees, const glm::vec3& offset) {
    const glm::mat3 turn(glm::rotate(glm::mat4(1.0f), glm::radians(headingDegrees), glm::vec3(0.0f, 1.0f, 0.0f)));
    PathFrames out;
    out.reserve(frames.size());
    for (const PathFrame& f : frames) {
        out.push_back({turn * f.position + offset, turn * f.right, turn * f.up, turn * f.forward});
    }
    return out;
}

engine::PathAnimation toAnimation(const PathFrames& frames) {
    engine::PathAnimation animation;
    for (size_t i = 0; i < frames.size(); ++i) {
        engine::KeyFrame key;
        key.time = static_cast<float>(i + 1);
        key.rotation = frames[i].rotation();
        key.translation = frames[i].position;
        animation.keys.push_back(key);
    }
    return animation;
}

PathFrames fromAnimation(const engine::PathAnimation& animation) {
    PathFrames frames;
    const float duration = animation.duration();
    for (size_t k = 0; k < animation.keys.size(); ++k) {
        const engine::KeyFrame& key = animation.keys[k];
        const bool firstAtZero = k == 0 && key.time == 0.0f;
        const bool earlyAtDuration = k < kSkippedAtDuration && key.time == duration;
        if (!firstAtZero && !earlyAtDuration) {
            frames.push_back(PathFrame::fromRotation(key.rotation, key.translation));
        }
    }
    return frames;
}

double smoothRamp(double t) {
    const double x = std::clamp(t, 0.0, 1.0);
    return x * x * (3.0 - 2.0 * x);
}

double smoothRampSlope(double t) {
    const double x = std::clamp(t, 0.0, 1.0);
    return 6.0 * x * (1.0 - x);
}

PathFrames framesFromAngles(const AngleCourse& course) {
    PathFrames frames;
    glm::dvec3 position(0.0);
    for (int i = 0; i <= course.segments; ++i) {
        const double u = static_cast<double>(i) / course.segments;
        if (i > 0) {
            position += advance(course, static_cast<double>(i - 1) / course.segments, u);
        }
        frames.push_back(frameFrom(rotationFromAngles(course.heading(u), course.pitch(u), course.roll(u)), position));
    }
    return frames;
}

PathFrames framesFromCurve(const CurveFunction& curve, double spacing) {
    int segments = 0;
    const std::vector<double> parameters = evenParameters(curve, &segments, spacing);
    const glm::dvec3 origin = curve(0.0).position;
    PathFrames frames;
    for (const double t : parameters) {
        const CurvePoint point = curve(t);
        const glm::dvec3 forward = glm::normalize(point.tangent);
        const glm::dvec3 up = glm::normalize(point.up - forward * glm::dot(point.up, forward));
        frames.push_back(frameFrom(glm::dmat3(glm::cross(up, forward), up, forward), point.position - origin));
    }
    return frames;
}

std::vector<double> arcLengths(const PathFrames& frames) {
    std::vector<double> lengths;
    double total = 0.0;
    for (size_t i = 0; i < frames.size(); ++i) {
        if (i > 0) {
            total += glm::length(glm::dvec3(frames[i].position - frames[i - 1].position));
        }
        lengths.push_back(total);
    }
    return lengths;
}

double pathLength(const PathFrames& frames) {
    return frames.empty() ? 0.0 : arcLengths(frames).back();
}

}  // namespace assetgen::blocksets
