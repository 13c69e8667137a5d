// Where a circuit's supports may stand: the lines of a support's members
// (as the block set's support builder draws them) must keep clear of every
// other part of the circuit and of the riders there, and its feet find the
// ground. Samples of the circuit are kept in a coarse grid for the search.
#pragma once

#include "blocksets/block_set_style.h"
#include "blocksets/path_frame.h"
#include "experience/circuit.h"

#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

namespace assetgen::experience {

class SupportClearance {
public:
    SupportClearance(const blocksets::BlockSetStyle& style, const Circuit& circuit);

    // The ground height for a support under frame (at arc length arc): the
    // lowest ground under its feet; nothing where the support would come
    // near another part of the circuit.
    std::optional<float> footHeight(const blocksets::PathFrame& frame, double arc,
                                    const std::function<float(float, float)>& ground) const;

private:
    struct Sample {
        glm::vec3 position;
        glm::vec3 up;
        double arc;
    };
    struct Segment {
        glm::vec3 a, b;
    };

    std::vector<Segment> members(const blocksets::PathFrame& frame, float groundAt) const;
    bool touches(const Sample& sample, const Segment& member) const;
    bool clear(const Segment& member, double arc) const;
    static glm::ivec2 cellOf(const glm::vec3& p);
    long long cellKey(int i, int j) const;

    const blocksets::BlockSetStyle& style_;
    double total_ = 0.0;
    std::vector<Sample> samples_;
    std::unordered_map<long long, std::vector<size_t>> cells_;
};

}  // namespace assetgen::experience
