// Member lines follow the support builder's sizes: bents 1 m either side
// of the centre line and battered out a tenth of their height, columns
// under the spine splitting into an A-frame above 22 m, and the suspended
// set's columns 2.6 m beside the rail with an arm over the spine.
#include "experience/support_clearance.h"

#include "blocksets/track_style.h"
#include "experience/course_frames.h"

#include <algorithm>
#include <cmath>

namespace assetgen::experience {
namespace {

namespace bs = blocksets;

constexpr double kSampleSpacing = 0.5;
constexpr float kCell = 4.0f;
constexpr double kOwnReach = 4.0;      // arc length either side a support may come near
constexpr float kMemberMargin = 0.6f;  // beyond the track's half width
constexpr float kRiderClearance = 1.0f;
constexpr float kRiderReach = 2.5f;  // how far riders reach from the rail
constexpr float kMinimumUp = 0.5f;
constexpr float kLowestTop = 0.8f;  // supports need this much height
constexpr float kBentHalfWidth = 1.0f;
constexpr float kBatter = 0.1f;
constexpr float kAFrameHeight = 22.0f;
constexpr float kSideColumnOffset = 2.6f;

float distanceToSegment(const glm::vec3& p, const glm::vec3& a, const glm::vec3& b) {
    const glm::vec3 d = b - a;
    const float lengthSquared = glm::dot(d, d);
    const float t = lengthSquared > 0.0f ? std::clamp(glm::dot(p - a, d) / lengthSquared, 0.0f, 1.0f) : 0.0f;
    return glm::length(p - (a + d * t));
}

glm::vec3 horizontal(const glm::vec3& v) {
    const glm::vec3 h(v.x, 0.0f, v.z);
    return glm::length(h) > 1e-4f ? glm::normalize(h) : glm::vec3(0.0f);
}

glm::vec3 atGround(const glm::vec3& p, float ground) {
    return {p.x, ground, p.z};
}

}  // namespace

SupportClearance::SupportClearance(const bs::BlockSetStyle& style, const Circuit& circuit)
    : style_(style), total_(circuit.course.length()) {
    const int count = static_cast<int>(std::ceil(total_ / kSampleSpacing));
    for (int k = 0; k < count; ++k) {
        const double arc = total_ * k / count;
        const bs::PathFrame f = frameOf(circuit.course.stateAt(arc));
        samples_.push_back({f.position, f.up, arc});
        const glm::ivec2 cell = cellOf(f.position);
        cells_[cellKey(cell.x, cell.y)].push_back(samples_.size() - 1);
    }
}

glm::ivec2 SupportClearance::cellOf(const glm::vec3& p) {
    return {static_cast<int>(std::floor(p.x / kCell)), static_cast<int>(std::floor(p.z / kCell))};
}

long long SupportClearance::cellKey(int i, int j) const {
    return (static_cast<long long>(i) << 32) ^ static_cast<long long>(static_cast<unsigned>(j));
}

std::vector<SupportClearance::Segment> SupportClearance::members(const bs::PathFrame& f, float groundAt) const {
    const glm::vec3 side = horizontal(f.right);
    const float attach = bs::supportAttachHeight(style_);
    if (style_.wooden()) {
        std::vector<Segment> posts;
        for (const float s : {-1.0f, 1.0f}) {
            const glm::vec3 top = f.point(s * kBentHalfWidth, attach - 0.18f);
            const float batter = kBatter * (top.y - groundAt);
            posts.push_back({atGround(top + side * (s * batter), groundAt), top});
        }
        return posts;
    }
    if (style_.suspended()) {
        const glm::vec3 spine = f.point(0.0f, attach);
        const glm::vec3 base = atGround(f.position - side * kSideColumnOffset, groundAt);
        const glm::vec3 top(base.x, spine.y + 0.9f, base.z);
        return {{base, top}, {top, glm::vec3(spine.x, top.y, spine.z)}};
    }
    const glm::vec3 top = f.point(0.0f, attach - 0.16f);
    if (top.y - groundAt <= kAFrameHeight) return {{atGround(top, groundAt), top}};
    const float spread = 0.5f + 0.08f * (top.y - groundAt);
    return {{atGround(top - side * spread, groundAt), top}, {atGround(top + side * spread, groundAt), top}};
}

bool SupportClearance::touches(const Sample& s, const Segment& member) const {
    const float trackClearance = bs::trackHalfWidth(style_) + kMemberMargin;
    const float riderSide = style_.suspended() ? -1.0f : 1.0f;
    return distanceToSegment(s.position, member.a, member.b) < trackClearance ||
           distanceToSegment(s.position + s.up * (riderSide * 1.1f), member.a, member.b) < kRiderClearance ||
           distanceToSegment(s.position + s.up * (riderSide * 2.0f), member.a, member.b) < kRiderClearance;
}

bool SupportClearance::clear(const Segment& member, double arc) const {
    const float reach = bs::trackHalfWidth(style_) + kMemberMargin + kRiderReach;
    const glm::ivec2 low = cellOf(glm::min(member.a, member.b) - reach);
    const glm::ivec2 high = cellOf(glm::max(member.a, member.b) + reach);
    for (int i = low.x; i <= high.x; ++i) {
        for (int j = low.y; j <= high.y; ++j) {
            const auto found = cells_.find(cellKey(i, j));
            if (found == cells_.end()) continue;
            for (const size_t index : found->second) {
                const Sample& s = samples_[index];
                const double apart = std::abs(s.arc - arc);
                if (std::min(apart, total_ - apart) > kOwnReach && touches(s, member)) return false;
            }
        }
    }
    return true;
}

std::optional<float> SupportClearance::footHeight(const bs::PathFrame& frame, double arc,
                                                  const std::function<float(float, float)>& ground) const {
    if (frame.up.y < kMinimumUp) return std::nullopt;
    float lowest = 1e9f;
    for (const Segment& m : members(frame, 0.0f)) lowest = std::min(lowest, ground(m.a.x, m.a.z));
    const std::vector<Segment> lines = members(frame, lowest);
    for (const Segment& m : lines) {
        if (std::max(m.a.y, m.b.y) - lowest < kLowestTop || !clear(m, arc)) return std::nullopt;
    }
    return lowest;
}

}  // namespace assetgen::experience
