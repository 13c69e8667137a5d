// Collision queries on Embree: the world's static geometry as one scene,
// and the objects placed in the world (their atomics' triangles) as
// instances in a second scene that follows them as they are added, moved
// and removed.
#pragma once

#include "engine/scene.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace zr::engine {

using CollisionObjectId = uint32_t;  // 0 = none

struct SegmentHit {
    glm::vec3 point{0.0f};
    float fraction = 0.0f;  // along the segment, 0..1
    CollisionObjectId object = 0;
};

class CollisionScene {
public:
    CollisionScene();
    ~CollisionScene();
    CollisionScene(const CollisionScene&) = delete;
    CollisionScene& operator=(const CollisionScene&) = delete;

    // Static geometry in world coordinates (replaces what was there).
    void setStatic(const std::vector<const Geometry*>& sectors);
    size_t staticTriangleCount() const { return staticTriangles_; }

    // An object's triangles, placed by a transform. A moving object (one
    // that moves every frame, like the train) is kept apart from those
    // placed once, so moving it costs little however many there are.
    CollisionObjectId addObject(const Geometry& geometry, const glm::mat4& transform, bool moving = false);
    void moveObject(CollisionObjectId id, const glm::mat4& transform);
    void removeObject(CollisionObjectId id);
    size_t objectCount() const { return objects_.size(); }

    // Nearest crossing of the segment with the static geometry.
    bool segmentStatic(const glm::vec3& from, const glm::vec3& to, SegmentHit* hit) const;
    // Whether any static triangle comes within radius of the centre.
    bool sphereStatic(const glm::vec3& centre, float radius) const;
    // Whether any object triangle comes within radius, leaving out the
    // objects to ignore (a car must not hit itself); the object found.
    bool sphereObjects(const glm::vec3& centre, float radius, CollisionObjectId* object = nullptr,
                       const std::vector<CollisionObjectId>* ignore = nullptr) const;
    // Nearest crossing of the segment with object triangles.
    bool segmentObjects(const glm::vec3& from, const glm::vec3& to, SegmentHit* hit) const;

private:
    struct Impl;
    struct ObjectPlace {
        uint32_t geometry = 0;  // a placed object's instance id in the top-level scene
        bool moving = false;
    };
    std::unique_ptr<Impl> impl_;
    size_t staticTriangles_ = 0;
    std::unordered_map<CollisionObjectId, ObjectPlace> objects_;
};

// The closest point of triangle abc to p.
glm::vec3 closestPointOnTriangle(const glm::vec3& p, const glm::vec3& a, const glm::vec3& b, const glm::vec3& c);

}  // namespace zr::engine
