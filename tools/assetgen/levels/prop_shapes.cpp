// Primitive scenery shapes with outward normals and clamped-safe uvs.
#include "levels/prop_shapes.h"

#include "levels/level_textures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace assetgen::levels {
namespace {

constexpr float kTwoPi = 6.28318531f;

int tilesAlong(float length, float tile) {
    return std::max(1, static_cast<int>(std::ceil(length / std::max(tile, 0.01f) - 0.01f)));
}

// An octahedron split once: 18 unit directions and 32 faces wound outwards.
struct BlobMesh {
    std::vector<glm::vec3> directions;
    std::vector<std::array<uint32_t, 3>> faces;
};

uint32_t directionIndex(BlobMesh& mesh, const glm::vec3& direction) {
    const glm::vec3 d = glm::normalize(direction);
    for (size_t i = 0; i < mesh.directions.size(); ++i) {
        if (glm::length(mesh.directions[i] - d) < 1e-4f) return static_cast<uint32_t>(i);
    }
    mesh.directions.push_back(d);
    return static_cast<uint32_t>(mesh.directions.size() - 1);
}

BlobMesh makeBlobMesh(bool split) {
    BlobMesh mesh;
    for (float sx : {1.0f, -1.0f}) {
        for (float sy : {1.0f, -1.0f}) {
            for (float sz : {1.0f, -1.0f}) {
                glm::vec3 a(sx, 0, 0), b(0, sy, 0), c(0, 0, sz);
                if (sx * sy * sz < 0.0f) std::swap(b, c);
                if (!split) {
                    mesh.faces.push_back({directionIndex(mesh, a), directionIndex(mesh, b), directionIndex(mesh, c)});
                    continue;
                }
                const glm::vec3 ab = a + b, bc = b + c, ca = c + a;
                const glm::vec3 parts[4][3] = {{a, ab, ca}, {ab, b, bc}, {ca, bc, c}, {ab, bc, ca}};
                for (const auto& part : parts) {
                    mesh.faces.push_back(
                        {directionIndex(mesh, part[0]), directionIndex(mesh, part[1]), directionIndex(mesh, part[2])});
                }
            }
        }
    }
    return mesh;
}

const BlobMesh& blobMesh(bool split) {
    static const BlobMesh splitMesh = makeBlobMesh(true);
    static const BlobMesh plainMesh = makeBlobMesh(false);
    return split ? splitMesh : plainMesh;
}

// A unit direction's texture coordinates on a blob, inside 0..1.
glm::vec2 blobUv(const glm::vec3& d) {
    return {0.5f + 0.5f * d.x, 0.5f - 0.5f * d.y};
}

}  // namespace

engine::Colour prelitColour(const glm::vec3& colour) {
    return engine::Colour{toByte(colour.r), toByte(colour.g), toByte(colour.b), 255};
}

void addPanel(MeshBuilder& b, uint32_t material, const glm::vec3& corner, const glm::vec3& edgeU,
              const glm::vec3& edgeV, engine::Colour colour, float tileU, float tileV) {
    const glm::vec3 cross = glm::cross(edgeU, edgeV);
    if (glm::length(cross) <= 1e-9f) return;
    const glm::vec3 normal = glm::normalize(cross);
    const int nu = tilesAlong(glm::length(edgeU), tileU);
    const int nv = tilesAlong(glm::length(edgeV), tileV);
    const glm::vec3 du = edgeU / static_cast<float>(nu);
    const glm::vec3 dv = edgeV / static_cast<float>(nv);
    for (int j = 0; j < nv; ++j) {
        for (int i = 0; i < nu; ++i) {
            const glm::vec3 p = corner + du * static_cast<float>(i) + dv * static_cast<float>(j);
            const uint32_t v0 = b.addVertex({p, normal, {0.0f, 1.0f}, colour});
            const uint32_t v1 = b.addVertex({p + du, normal, {1.0f, 1.0f}, colour});
            const uint32_t v2 = b.addVertex({p + du + dv, normal, {1.0f, 0.0f}, colour});
            const uint32_t v3 = b.addVertex({p + dv, normal, {0.0f, 0.0f}, colour});
            b.addTriangle(material, v0, v1, v2);
            b.addTriangle(material, v0, v2, v3);
        }
    }
}

void addBox(MeshBuilder& b, uint32_t material, const Placement& at, const glm::vec3& low, const glm::vec3& high,
            engine::Colour colour, float tile, bool bottom) {
    const glm::vec3 d = high - low;
    const auto panel = [&](glm::vec3 corner, glm::vec3 u, glm::vec3 v) {
        addPanel(b, material, at.point(corner), at.direction(u) * at.scale, at.direction(v) * at.scale, colour, tile,
                 tile);
    };
    panel({high.x, low.y, high.z}, {0, 0, -d.z}, {0, d.y, 0});
    panel({low.x, low.y, low.z}, {0, 0, d.z}, {0, d.y, 0});
    panel({low.x, low.y, high.z}, {d.x, 0, 0}, {0, d.y, 0});
    panel({high.x, low.y, low.z}, {-d.x, 0, 0}, {0, d.y, 0});
    panel({low.x, high.y, high.z}, {d.x, 0, 0}, {0, 0, -d.z});
    if (bottom) panel({low.x, low.y, low.z}, {d.x, 0, 0}, {0, 0, d.z});
}

void addBeam(MeshBuilder& b, uint32_t material, const glm::vec3& from, const glm::vec3& to, float thickness,
             engine::Colour colour) {
    const glm::vec3 axis = to - from;
    const float length = glm::length(axis);
    if (length <= 1e-4f) return;
    const glm::vec3 forward = axis / length;
    const glm::vec3 helper = std::abs(forward.y) < 0.9f ? glm::vec3(0, 1, 0) : glm::vec3(1, 0, 0);
    const glm::vec3 side = glm::normalize(glm::cross(helper, forward)) * (0.5f * thickness);
    const glm::vec3 up = glm::normalize(glm::cross(forward, side)) * (0.5f * thickness);
    // Four faces round the axis; each panel's u runs round, v along the beam.
    const glm::vec3 corners[4] = {-side - up, side - up, side + up, -side + up};
    for (int k = 0; k < 4; ++k) {
        const glm::vec3 a = corners[k];
        const glm::vec3 c = corners[(k + 1) % 4];
        addPanel(b, material, from + a, c - a, axis, colour, thickness * 2.0f, length);
    }
}

void addFrustum(MeshBuilder& b, uint32_t material, const Placement& at, const FrustumShape& shape,
                engine::Colour colour) {
    const int sides = std::max(shape.sides, 3);
    const float slant = shape.bottomRadius - shape.topRadius;
    std::vector<uint32_t> bottom, top;
    for (int i = 0; i <= sides; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(sides);
        const float a = kTwoPi * t;
        const glm::vec3 radial(std::sin(a), 0.0f, std::cos(a));  // round from +Z towards +X
        const glm::vec3 normal = at.direction(glm::normalize(radial * shape.height + glm::vec3(0, slant, 0)));
        const glm::vec3 p0 = at.point(shape.base + radial * shape.bottomRadius);
        const glm::vec3 p1 = at.point(shape.base + radial * shape.topRadius + glm::vec3(0, shape.height, 0));
        const glm::vec2 uv0 = shape.heightAlongU ? glm::vec2(0.0f, t) : glm::vec2(t, 1.0f);
        const glm::vec2 uv1 = shape.heightAlongU ? glm::vec2(1.0f, t) : glm::vec2(t, 0.0f);
        bottom.push_back(b.addVertex({p0, normal, uv0, colour}));
        top.push_back(b.addVertex({p1, normal, uv1, colour}));
    }
    for (int i = 0; i < sides; ++i) {
        b.addTriangle(material, bottom[i], bottom[i + 1], top[i + 1]);
        b.addTriangle(material, bottom[i], top[i + 1], top[i]);
    }
    const auto cap = [&](float y, float radius, bool up) {
        if (radius <= 0.0f) return;
        const glm::vec3 normal = at.direction(glm::vec3(0, up ? 1.0f : -1.0f, 0));
        const uint32_t centre = b.addVertex({at.point(shape.base + glm::vec3(0, y, 0)), normal, {0.5f, 0.5f}, colour});
        std::vector<uint32_t> ring;
        for (int i = 0; i <= sides; ++i) {
            const float a = kTwoPi * static_cast<float>(i) / static_cast<float>(sides);
            const glm::vec3 radial(std::sin(a), 0.0f, std::cos(a));
            ring.push_back(b.addVertex({at.point(shape.base + radial * radius + glm::vec3(0, y, 0)),
                                        normal,
                                        {0.5f + 0.5f * radial.x, 0.5f + 0.5f * radial.z},
                                        colour}));
        }
        for (int i = 0; i < sides; ++i) {
            if (up)
                b.addTriangle(material, centre, ring[i], ring[i + 1]);
            else
                b.addTriangle(material, centre, ring[i + 1], ring[i]);
        }
    };
    if (shape.capTop) cap(shape.height, shape.topRadius, true);
    if (shape.capBottom) cap(0.0f, shape.bottomRadius, false);
}

void addGableRoof(MeshBuilder& b, uint32_t roofMaterial, uint32_t wallMaterial, const Placement& at,
                  const GableRoof& roof, engine::Colour colour, float tile) {
    const float ov = roof.overhang;
    const float mid = 0.5f * (roof.low.x + roof.high.x);
    const float length = roof.high.y - roof.low.y + 2.0f * ov;
    const float rise = roof.ridge - roof.eave;
    const float halfSpan = mid - roof.low.x + ov;
    // Eaves drop a little below the wall tops as the slope runs out past them.
    const float drop = rise * ov / std::max(halfSpan, 0.01f);
    const auto panel = [&](glm::vec3 corner, glm::vec3 u, glm::vec3 v) {
        addPanel(b, roofMaterial, at.point(corner), at.direction(u) * at.scale, at.direction(v) * at.scale, colour,
                 tile, tile);
    };
    panel({roof.high.x + ov, roof.eave - drop, roof.high.y + ov}, {0, 0, -length}, {-halfSpan, rise + drop, 0});
    panel({roof.low.x - ov, roof.eave - drop, roof.low.y - ov}, {0, 0, length}, {halfSpan, rise + drop, 0});
    const auto gable = [&](float z, bool front) {
        Vertex a{at.point({roof.low.x, roof.eave, z}), {}, {0.0f, 1.0f}, colour};
        Vertex c{at.point({roof.high.x, roof.eave, z}), {}, {1.0f, 1.0f}, colour};
        Vertex r{at.point({mid, roof.ridge, z}), {}, {0.5f, 0.0f}, colour};
        if (front)
            b.addFlatTriangle(wallMaterial, a, c, r);
        else
            b.addFlatTriangle(wallMaterial, c, a, r);
    };
    gable(roof.high.y, true);
    gable(roof.low.y, false);
}

void addBlob(MeshBuilder& b, uint32_t material, const Placement& at, const BlobShape& shape, engine::Colour colour,
             Random& random) {
    const BlobMesh& mesh = blobMesh(!shape.plain);
    std::vector<Vertex> corners;
    for (const glm::vec3& d : mesh.directions) {
        const float push = 1.0f + shape.roughness * (2.0f * random.uniform() - 1.0f);
        const glm::vec3 local = shape.centre + d * shape.radii * push;
        corners.push_back({at.point(local), at.direction(glm::normalize(d / shape.radii)), blobUv(d), colour});
    }
    if (shape.faceted) {
        for (const auto& f : mesh.faces) b.addFlatTriangle(material, corners[f[0]], corners[f[1]], corners[f[2]]);
        return;
    }
    std::vector<uint32_t> ids;
    ids.reserve(corners.size());
    for (const Vertex& v : corners) ids.push_back(b.addVertex(v));
    for (const auto& f : mesh.faces) b.addTriangle(material, ids[f[0]], ids[f[1]], ids[f[2]]);
}

}  // namespace assetgen::levels
