// Path frames from course states.
#include "experience/course_frames.h"

namespace assetgen::experience {

blocksets::PathFrame frameOf(const CourseState& state) {
    const glm::dmat3 axes = axesOf(state);
    blocksets::PathFrame frame;
    frame.right = glm::normalize(glm::vec3(axes[0]));
    frame.up = glm::normalize(glm::vec3(axes[1]));
    frame.forward = glm::normalize(glm::vec3(axes[2]));
    frame.position = glm::vec3(state.position);
    return frame;
}

std::vector<double> frameArcs(const Course& course, const std::vector<int>& steps) {
    const std::vector<double>& ends = course.sections();
    std::vector<double> arcs;
    if (ends.size() != steps.size()) return arcs;
    double begin = 0.0;
    for (size_t k = 0; k < ends.size(); ++k) {
        for (int j = 0; j < steps[k]; ++j) arcs.push_back(begin + (ends[k] - begin) * j / steps[k]);
        begin = ends[k];
    }
    arcs.push_back(begin);
    return arcs;
}

blocksets::PathFrames cutFrames(const Course& course, const std::vector<int>& steps) {
    blocksets::PathFrames frames;
    const std::vector<double> arcs = frameArcs(course, steps);
    if (arcs.empty()) return frames;
    for (const double arc : arcs) frames.push_back(frameOf(course.stateAt(arc)));
    frames.back() = frames.front();
    return frames;
}

}  // namespace assetgen::experience
