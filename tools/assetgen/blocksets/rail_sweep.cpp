// Sweeps and solid members. Normals point out of every solid; materials are
// written double-sided, so the winding only matters for the lighting.
#include "blocksets/rail_sweep.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetgen::blocksets {
namespace {

constexpr float kMemberUvScale = 2.0f;  // metres per texture repeat on boxes and tubes

struct RingPoint {
    glm::vec2 point;
    glm::vec2 normal;
    float u;
};

// Outward normal of a counter-clockwise edge.
glm::vec2 edgeNormal(glm::vec2 from, glm::vec2 to) {
    const glm::vec2 d = to - from;
    return glm::normalize(glm::vec2(d.y, -d.x));
}

std::vector<RingPoint> ringPoints(const Profile& profile) {
    const auto& p = profile.points;
    const size_t n = p.size();
    std::vector<RingPoint> ring;
    float u = 0.0f;
    for (size_t j = 0; j < n; ++j) {
        const glm::vec2 a = p[j];
        const glm::vec2 b = p[(j + 1) % n];
        if (profile.smooth) {
            const glm::vec2 before = edgeNormal(p[(j + n - 1) % n], a);
            ring.push_back({a, glm::normalize(before + edgeNormal(a, b)), u});
        } else {
            const glm::vec2 normal = edgeNormal(a, b);
            ring.push_back({a, normal, u});
            ring.push_back({b, normal, u + glm::length(b - a)});
        }
        u += glm::length(b - a);
    }
    if (profile.smooth) {
        RingPoint seam = ring.front();
        seam.u = u;
        ring.push_back(seam);
    }
    return ring;
}

void addFace(MeshBuffer& mesh, uint32_t material, const glm::vec3& centre, const glm::vec3& t1, const glm::vec3& t2) {
    const glm::vec3 normal = glm::normalize(glm::cross(t1, t2));
    const float u = 2.0f * glm::length(t1) / kMemberUvScale;
    const float v = 2.0f * glm::length(t2) / kMemberUvScale;
    const uint32_t a = mesh.vertex(centre - t1 - t2, normal, {0.0f, 0.0f});
    const uint32_t b = mesh.vertex(centre + t1 - t2, normal, {u, 0.0f});
    const uint32_t c = mesh.vertex(centre + t1 + t2, normal, {u, v});
    const uint32_t d = mesh.vertex(centre - t1 + t2, normal, {0.0f, v});
    mesh.quad(material, a, b, c, d);
}

// A box about centre with half-extent axes x, y, z (right-handed); the grain
// of the texture runs along z.
void addOrientedBox(MeshBuffer& mesh, const glm::vec3& centre, const glm::vec3& x, const glm::vec3& y,
                    const glm::vec3& z, const std::string& texture) {
    const uint32_t material = mesh.material(texture);
    addFace(mesh, material, centre + x, y, z);
    addFace(mesh, material, centre - x, -y, z);
    addFace(mesh, material, centre + y, -x, z);
    addFace(mesh, material, centre - y, x, z);
    addFace(mesh, material, centre + z, x, y);
    addFace(mesh, material, centre - z, y, x);
}

// An open-ended stick along z: its four long sides share eight corner
// vertices with normals between the faces, which reads well on thin members
// and halves their size.
void addOpenStick(MeshBuffer& mesh, const glm::vec3& centre, const glm::vec3& x, const glm::vec3& y, const glm::vec3& z,
                  const std::string& texture) {
    const uint32_t material = mesh.material(texture);
    const glm::vec3 corners[] = {x + y, -x + y, -x - y, x - y};
    const float v = 2.0f * glm::length(z) / kMemberUvScale;
    uint32_t first = 0;
    for (int i = 0; i < 4; ++i) {
        const glm::vec3 normal = glm::normalize(corners[i]);
        const float u = static_cast<float>(i % 2) * 0.25f;
        const uint32_t k = mesh.vertex(centre + corners[i] - z, normal, {u, 0.0f});
        mesh.vertex(centre + corners[i] + z, normal, {u, v});
        if (i == 0) {
            first = k;
        }
    }
    for (uint32_t i = 0; i < 4; ++i) {
        const uint32_t a = first + 2 * i;
        const uint32_t b = first + 2 * ((i + 1) % 4);
        mesh.quad(material, a, b, b + 1, a + 1);
    }
}

glm::vec3 anyPerpendicular(const glm::vec3& axis) {
    const glm::vec3 other = std::abs(axis.y) < 0.9f ? glm::vec3(0.0f, 1.0f, 0.0f) : glm::vec3(1.0f, 0.0f, 0.0f);
    return glm::normalize(glm::cross(other, axis));
}

}  // namespace

Profile tubeProfile(glm::vec2 centre, float radius, int sides, const std::string& texture) {
    Profile profile;
    profile.smooth = true;
    profile.texture = texture;
    for (int i = 0; i < sides; ++i) {
        const double a = 2.0 * std::numbers::pi * i / sides;
        profile.points.push_back(centre + radius * glm::vec2(std::cos(a), std::sin(a)));
    }
    return profile;
}

Profile boxProfile(glm::vec2 centre, glm::vec2 halfSize, const std::string& texture) {
    Profile profile;
    profile.texture = texture;
    profile.points = {centre + glm::vec2(-halfSize.x, -halfSize.y), centre + glm::vec2(halfSize.x, -halfSize.y),
                      centre + glm::vec2(halfSize.x, halfSize.y), centre + glm::vec2(-halfSize.x, halfSize.y)};
    return profile;
}

void sweepProfile(MeshBuffer& mesh, const Profile& profile, const PathFrames& frames) {
    if (profile.points.size() < 2 || frames.size() < 2) {
        return;
    }
    const uint32_t material = mesh.material(profile.texture);
    const std::vector<RingPoint> ring = ringPoints(profile);
    const std::vector<double> lengths = arcLengths(frames);
    const size_t step = profile.smooth ? 1 : 2;
    std::vector<uint32_t> previous;
    for (size_t i = 0; i < frames.size(); ++i) {
        const PathFrame& f = frames[i];
        std::vector<uint32_t> current;
        for (const RingPoint& r : ring) {
            const glm::vec3 normal = glm::normalize(f.right * r.normal.x + f.up * r.normal.y);
            const glm::vec2 uv(r.u / profile.uvScale, static_cast<float>(lengths[i]) / profile.uvScale);
            current.push_back(mesh.vertex(f.point(r.point.x, r.point.y), normal, uv));
        }
        for (size_t k = 0; i > 0 && k + 1 < ring.size(); k += step) {
            mesh.quad(material, previous[k], previous[k + 1], current[k + 1], current[k]);
        }
        previous = std::move(current);
    }
}

PathFrames framesEvery(const PathFrames& frames, double spacing, double offset, double margin) {
    PathFrames out;
    if (frames.size() < 2 || spacing <= 0.0) {
        return out;
    }
    const std::vector<double> lengths = arcLengths(frames);
    size_t j = 0;
    for (double s = offset; s <= lengths.back() - margin + 1e-9; s += spacing) {
        if (s < margin) {
            continue;
        }
        while (j + 2 < frames.size() && lengths[j + 1] < s) {
            ++j;
        }
        const double span = lengths[j + 1] - lengths[j];
        const double t = span > 0.0 ? std::clamp((s - lengths[j]) / span, 0.0, 1.0) : 0.0;
        out.push_back(interpolate(frames[j], frames[j + 1], static_cast<float>(t)));
    }
    return out;
}

void sweepRail(MeshBuffer& mesh, const RailDesign& design, const PathFrames& frames) {
    for (const Profile& profile : design.profiles) {
        sweepProfile(mesh, profile, frames);
    }
    for (const TieSet& ties : design.ties) {
        float margin = 0.0f;
        for (const TieMember& member : ties.members) {
            margin = std::max(margin, member.halfWidth);
        }
        for (const PathFrame& at : framesEvery(frames, ties.spacing, ties.spacing / 2.0, margin)) {
            for (const TieMember& member : ties.members) {
                addBeam(mesh, at.point(member.from), at.point(member.to), member.halfWidth, member.halfHeight,
                        at.forward, member.texture, member.capped);
            }
        }
    }
}

void addBox(MeshBuffer& mesh, const PathFrame& frame, const glm::vec3& centre, const glm::vec3& halfSize,
            const std::string& texture) {
    addOrientedBox(mesh, frame.point(centre), frame.right * halfSize.x, frame.up * halfSize.y,
                   frame.forward * halfSize.z, texture);
}

void addBeam(MeshBuffer& mesh, const glm::vec3& from, const glm::vec3& to, float halfWidth, float halfHeight,
             const glm::vec3& sideHint, const std::string& texture, bool capped) {
    const glm::vec3 d = to - from;
    const float length = glm::length(d);
    if (length < 1e-5f) {
        return;
    }
    const glm::vec3 axis = d / length;
    glm::vec3 side = sideHint - axis * glm::dot(sideHint, axis);
    side = glm::length(side) < 1e-4f ? anyPerpendicular(axis) : glm::normalize(side);
    const glm::vec3 third = glm::cross(axis, side);
    const glm::vec3 centre = (from + to) * 0.5f;
    if (capped) {
        addOrientedBox(mesh, centre, side * halfWidth, third * halfHeight, axis * (length * 0.5f), texture);
    } else {
        addOpenStick(mesh, centre, side * halfWidth, third * halfHeight, axis * (length * 0.5f), texture);
    }
}

void addTube(MeshBuffer& mesh, const glm::vec3& from, const glm::vec3& to, float radius, int sides,
             const std::string& texture) {
    const glm::vec3 d = to - from;
    const float length = glm::length(d);
    if (length < 1e-5f || sides < 3) {
        return;
    }
    const glm::vec3 axis = d / length;
    const glm::vec3 a = anyPerpendicular(axis);
    const glm::vec3 b = glm::cross(axis, a);
    const uint32_t material = mesh.material(texture);
    uint32_t first = 0;
    for (int i = 0; i <= sides; ++i) {
        const double angle = 2.0 * std::numbers::pi * i / sides;
        const glm::vec3 normal = a * static_cast<float>(std::cos(angle)) + b * static_cast<float>(std::sin(angle));
        const float u = static_cast<float>(i) / static_cast<float>(sides);
        const uint32_t bottom = mesh.vertex(from + normal * radius, normal, {u, 0.0f});
        mesh.vertex(to + normal * radius, normal, {u, length / kMemberUvScale});
        if (i == 0) {
            first = bottom;
        }
    }
    for (int i = 0; i < sides; ++i) {
        const uint32_t k = first + static_cast<uint32_t>(2 * i);
        mesh.quad(material, k, k + 2, k + 3, k + 1);
    }
}

void addPanel(MeshBuffer& mesh, const glm::vec3& a, const glm::vec3& b, const glm::vec3& c, const glm::vec3& d,
              const std::string& texture, glm::vec2 uvSize) {
    const glm::vec3 normal = glm::normalize(glm::cross(b - a, d - a));
    const uint32_t material = mesh.material(texture);
    const uint32_t ia = mesh.vertex(a, normal, {0.0f, uvSize.y});
    const uint32_t ib = mesh.vertex(b, normal, {uvSize.x, uvSize.y});
    const uint32_t ic = mesh.vertex(c, normal, {uvSize.x, 0.0f});
    const uint32_t id = mesh.vertex(d, normal, {0.0f, 0.0f});
    mesh.quad(material, ia, ib, ic, id);
}

}  // namespace assetgen::blocksets
