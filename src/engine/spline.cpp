// Bernstein form of the cubic and its derivative.
#include "engine/spline.h"

namespace zr::engine {

glm::vec3 Spline::point(float t) const {
    const float u = 1.0f - t;
    return u * u * u * points_[0] + 3.0f * u * u * t * points_[1] + 3.0f * u * t * t * points_[2] +
           t * t * t * points_[3];
}

glm::vec3 Spline::tangent(float t) const {
    const float u = 1.0f - t;
    return 3.0f * u * u * (points_[1] - points_[0]) + 6.0f * u * t * (points_[2] - points_[1]) +
           3.0f * t * t * (points_[3] - points_[2]);
}

SplineFrame Spline::frame(float t, const glm::vec3& up) const {
    SplineFrame frame;
    frame.position = point(t);
    glm::vec3 forward = tangent(t);
    if (glm::dot(forward, forward) < 1e-12f) forward = points_[3] - points_[0];
    if (glm::dot(forward, forward) < 1e-12f) forward = glm::vec3(0.0f, 0.0f, 1.0f);
    frame.forward = glm::normalize(forward);
    glm::vec3 right = glm::cross(up, frame.forward);
    if (glm::dot(right, right) < 1e-12f) right = glm::vec3(1.0f, 0.0f, 0.0f);
    frame.right = glm::normalize(right);
    frame.up = glm::cross(frame.forward, frame.right);
    return frame;
}

}  // namespace zr::engine
