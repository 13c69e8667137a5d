// An open cubic spline controlled by four points (a cubic Bezier curve: it
// starts at the first point, ends at the last, and leaves and arrives along
// the inner control points), with its position and frame at t in [0, 1].
#pragma once

#include <glm/glm.hpp>

#include <array>

namespace zr::engine {

struct SplineFrame {
    glm::vec3 position{0.0f};
    glm::vec3 forward{0.0f, 0.0f, 1.0f};  // unit tangent
    glm::vec3 up{0.0f, 1.0f, 0.0f};
    glm::vec3 right{1.0f, 0.0f, 0.0f};
};

class Spline {
public:
    explicit Spline(const std::array<glm::vec3, 4>& points) : points_(points) {}

    glm::vec3 point(float t) const;
    glm::vec3 tangent(float t) const;
    // The frame at t with the given up direction (+Y by default).
    SplineFrame frame(float t, const glm::vec3& up = glm::vec3(0.0f, 1.0f, 0.0f)) const;

private:
    std::array<glm::vec3, 4> points_;
};

}  // namespace zr::engine
