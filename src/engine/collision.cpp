// Embree scenes and queries. Scenes are committed lazily, before the first
// query after a change, so moving many objects costs one commit.
#include "engine/collision.h"

#include <embree3/rtcore.h>

#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <limits>

namespace zr::engine {
namespace {

RTCDevice sharedDevice() {
    static RTCDevice device = rtcNewDevice("threads=1");
    return device;
}

// Triangle soup of one scene (the static world or one object).
struct Triangles {
    std::vector<glm::vec3> vertices;
    std::vector<uint32_t> indices;
};

Triangles trianglesOf(const std::vector<const Geometry*>& geometries) {
    Triangles out;
    for (const Geometry* geometry : geometries) {
        const auto base = static_cast<uint32_t>(out.vertices.size());
        out.vertices.insert(out.vertices.end(), geometry->positions.begin(), geometry->positions.end());
        for (const Mesh& mesh : geometry->meshes) {
            for (uint32_t index : mesh.indices) out.indices.push_back(base + index);
        }
    }
    return out;
}

RTCScene buildScene(const Triangles& triangles) {
    RTCScene scene = rtcNewScene(sharedDevice());
    if (!triangles.indices.empty()) {
        RTCGeometry geometry = rtcNewGeometry(sharedDevice(), RTC_GEOMETRY_TYPE_TRIANGLE);
        auto* vertices = static_cast<float*>(rtcSetNewGeometryBuffer(geometry, RTC_BUFFER_TYPE_VERTEX, 0,
                                                                     RTC_FORMAT_FLOAT3, sizeof(float) * 3,
                                                                     triangles.vertices.size()));
        for (size_t i = 0; i < triangles.vertices.size(); ++i) {
            vertices[i * 3] = triangles.vertices[i].x;
            vertices[i * 3 + 1] = triangles.vertices[i].y;
            vertices[i * 3 + 2] = triangles.vertices[i].z;
        }
        auto* indices = static_cast<uint32_t*>(rtcSetNewGeometryBuffer(geometry, RTC_BUFFER_TYPE_INDEX, 0,
                                                                       RTC_FORMAT_UINT3, sizeof(uint32_t) * 3,
                                                                       triangles.indices.size() / 3));
        std::copy(triangles.indices.begin(), triangles.indices.end(), indices);
        rtcCommitGeometry(geometry);
        rtcAttachGeometryByID(scene, geometry, 0);
        rtcReleaseGeometry(geometry);
    }
    rtcCommitScene(scene);
    return scene;
}

struct SphereQuery {
    const std::vector<const Triangles*>* byGeometry;  // top-level id -> triangles
    bool instanced;
    const std::vector<CollisionObjectId>* idOfGeometry = nullptr;  // top-level id -> object
    const std::vector<CollisionObjectId>* ignore = nullptr;        // objects left out
    bool found = false;
    unsigned int object = RTC_INVALID_GEOMETRY_ID;
};

bool ignored(const SphereQuery& query, unsigned int top) {
    if (!query.ignore || !query.idOfGeometry || top >= query.idOfGeometry->size()) return false;
    const CollisionObjectId id = (*query.idOfGeometry)[top];
    return std::find(query.ignore->begin(), query.ignore->end(), id) != query.ignore->end();
}

bool sphereCallback(RTCPointQueryFunctionArguments* args) {
    auto* query = static_cast<SphereQuery*>(args->userPtr);
    const unsigned int top = query->instanced ? args->context->instID[0] : args->geomID;
    if (top >= query->byGeometry->size() || !(*query->byGeometry)[top] || ignored(*query, top)) return false;
    const Triangles& triangles = *(*query->byGeometry)[top];
    glm::vec3 p(args->query->x, args->query->y, args->query->z);
    if (args->context->instStackSize > 0) {
        const glm::mat4 toInstance = glm::make_mat4(args->context->world2inst[args->context->instStackSize - 1]);
        p = glm::vec3(toInstance * glm::vec4(p, 1.0f));
    }
    const size_t i = static_cast<size_t>(args->primID) * 3;
    if (i + 2 >= triangles.indices.size()) return false;
    const glm::vec3 closest = closestPointOnTriangle(p, triangles.vertices[triangles.indices[i]],
                                                     triangles.vertices[triangles.indices[i + 1]],
                                                     triangles.vertices[triangles.indices[i + 2]]);
    const float radius = args->query->radius;
    if (glm::dot(closest - p, closest - p) <= radius * radius) {
        query->found = true;
        query->object = top;
        args->query->radius = 0.0f;  // one hit is enough: stop searching
        return true;
    }
    return false;
}

}  // namespace

glm::vec3 closestPointOnTriangle(const glm::vec3& p, const glm::vec3& a, const glm::vec3& b, const glm::vec3& c) {
    const glm::vec3 ab = b - a;
    const glm::vec3 ac = c - a;
    const glm::vec3 ap = p - a;
    const float d1 = glm::dot(ab, ap);
    const float d2 = glm::dot(ac, ap);
    if (d1 <= 0.0f && d2 <= 0.0f) return a;
    const glm::vec3 bp = p - b;
    const float d3 = glm::dot(ab, bp);
    const float d4 = glm::dot(ac, bp);
    if (d3 >= 0.0f && d4 <= d3) return b;
    const float vc = d1 * d4 - d3 * d2;
    if (vc <= 0.0f && d1 >= 0.0f && d3 <= 0.0f) return a + ab * (d1 / (d1 - d3));
    const glm::vec3 cp = p - c;
    const float d5 = glm::dot(ab, cp);
    const float d6 = glm::dot(ac, cp);
    if (d6 >= 0.0f && d5 <= d6) return c;
    const float vb = d5 * d2 - d1 * d6;
    if (vb <= 0.0f && d2 >= 0.0f && d6 <= 0.0f) return a + ac * (d2 / (d2 - d6));
    const float va = d3 * d6 - d5 * d4;
    if (va <= 0.0f && (d4 - d3) >= 0.0f && (d5 - d6) >= 0.0f) {
        return b + (c - b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6)));
    }
    const float denominator = 1.0f / (va + vb + vc);
    return a + ab * (vb * denominator) + ac * (vc * denominator);
}

// One object: its triangles in its own space and a scene over them.
struct ObjectShape {
    RTCScene scene = nullptr;
    Triangles triangles;
    ~ObjectShape() {
        if (scene) rtcReleaseScene(scene);
    }
};

// The objects placed once (the track's blocks, the scenery models) are
// instances in one top-level scene, committed before the first query after
// a change. The moving ones (the train) are kept apart and queried one by
// one in their own space: moving a car every step then costs no commit of
// a tree over every block of a long track.
struct CollisionScene::Impl {
    RTCScene staticScene = nullptr;
    Triangles staticTriangles;
    std::vector<const Triangles*> staticLookup;

    RTCScene placedScene = nullptr;
    bool placedDirty = true;
    std::unordered_map<uint32_t, std::unique_ptr<ObjectShape>> placed;  // instance geometry id
    std::vector<const Triangles*> placedLookup;                         // instance geometry id -> triangles
    std::vector<CollisionObjectId> placedIds;                           // instance geometry id -> object

    struct Moving {
        CollisionObjectId id = 0;
        std::unique_ptr<ObjectShape> shape;
        glm::mat4 toObject{1.0f};              // world to the object's space
        std::vector<const Triangles*> lookup;  // its one geometry, for the query callback
    };
    std::vector<Moving> moving;
    uint32_t nextId = 0;

    Impl() { placedScene = rtcNewScene(sharedDevice()); }
    ~Impl() {
        if (staticScene) rtcReleaseScene(staticScene);
        placed.clear();
        moving.clear();
        rtcReleaseScene(placedScene);
    }
    void commitPlaced() {
        if (!placedDirty) return;
        rtcCommitScene(placedScene);
        placedDirty = false;
    }
    Moving* findMoving(CollisionObjectId id) {
        for (Moving& object : moving) {
            if (object.id == id) return &object;
        }
        return nullptr;
    }
};

CollisionScene::CollisionScene() : impl_(std::make_unique<Impl>()) {}
CollisionScene::~CollisionScene() = default;

void CollisionScene::setStatic(const std::vector<const Geometry*>& sectors) {
    if (impl_->staticScene) rtcReleaseScene(impl_->staticScene);
    impl_->staticTriangles = trianglesOf(sectors);
    impl_->staticScene = buildScene(impl_->staticTriangles);
    impl_->staticLookup = {&impl_->staticTriangles};
    staticTriangles_ = impl_->staticTriangles.indices.size() / 3;
}

CollisionObjectId CollisionScene::addObject(const Geometry& geometry, const glm::mat4& transform, bool moving) {
    auto shape = std::make_unique<ObjectShape>();
    shape->triangles = trianglesOf({&geometry});
    if (shape->triangles.indices.empty()) return 0;
    shape->scene = buildScene(shape->triangles);
    const CollisionObjectId id = ++impl_->nextId;
    if (moving) {
        const Triangles* triangles = &shape->triangles;
        impl_->moving.push_back(Impl::Moving{id, std::move(shape), glm::inverse(transform), {triangles}});
        objects_[id] = ObjectPlace{0, true};
        return id;
    }
    RTCGeometry instance = rtcNewGeometry(sharedDevice(), RTC_GEOMETRY_TYPE_INSTANCE);
    rtcSetGeometryInstancedScene(instance, shape->scene);
    rtcSetGeometryTransform(instance, 0, RTC_FORMAT_FLOAT4X4_COLUMN_MAJOR, glm::value_ptr(transform));
    rtcCommitGeometry(instance);
    const unsigned int geometryId = rtcAttachGeometry(impl_->placedScene, instance);
    rtcReleaseGeometry(instance);
    if (impl_->placedLookup.size() <= geometryId) {
        impl_->placedLookup.resize(geometryId + 1, nullptr);
        impl_->placedIds.resize(geometryId + 1, 0);
    }
    impl_->placedLookup[geometryId] = &shape->triangles;
    impl_->placedIds[geometryId] = id;
    impl_->placed[geometryId] = std::move(shape);
    impl_->placedDirty = true;
    objects_[id] = ObjectPlace{geometryId, false};
    return id;
}

void CollisionScene::moveObject(CollisionObjectId id, const glm::mat4& transform) {
    const auto found = objects_.find(id);
    if (found == objects_.end()) return;
    if (found->second.moving) {
        if (Impl::Moving* object = impl_->findMoving(id)) object->toObject = glm::inverse(transform);
        return;
    }
    RTCGeometry instance = rtcGetGeometry(impl_->placedScene, found->second.geometry);
    rtcSetGeometryTransform(instance, 0, RTC_FORMAT_FLOAT4X4_COLUMN_MAJOR, glm::value_ptr(transform));
    rtcCommitGeometry(instance);
    impl_->placedDirty = true;
}

void CollisionScene::removeObject(CollisionObjectId id) {
    const auto found = objects_.find(id);
    if (found == objects_.end()) return;
    if (found->second.moving) {
        std::erase_if(impl_->moving, [id](const Impl::Moving& object) { return object.id == id; });
        objects_.erase(found);
        return;
    }
    const uint32_t geometryId = found->second.geometry;
    rtcDetachGeometry(impl_->placedScene, geometryId);
    impl_->placed.erase(geometryId);
    impl_->placedLookup[geometryId] = nullptr;
    impl_->placedIds[geometryId] = 0;
    objects_.erase(found);
    impl_->placedDirty = true;
}

namespace {

bool intersect(RTCScene scene, const glm::vec3& from, const glm::vec3& to, SegmentHit* hit) {
    if (!scene) return false;
    RTCIntersectContext context;
    rtcInitIntersectContext(&context);
    RTCRayHit ray{};
    ray.ray.org_x = from.x;
    ray.ray.org_y = from.y;
    ray.ray.org_z = from.z;
    const glm::vec3 direction = to - from;
    ray.ray.dir_x = direction.x;
    ray.ray.dir_y = direction.y;
    ray.ray.dir_z = direction.z;
    ray.ray.tnear = 0.0f;
    ray.ray.tfar = 1.0f;
    ray.ray.mask = 0xFFFFFFFFu;
    ray.hit.geomID = RTC_INVALID_GEOMETRY_ID;
    ray.hit.instID[0] = RTC_INVALID_GEOMETRY_ID;
    rtcIntersect1(scene, &context, &ray);
    if (ray.hit.geomID == RTC_INVALID_GEOMETRY_ID) return false;
    if (hit) {
        hit->fraction = ray.ray.tfar;
        hit->point = from + direction * ray.ray.tfar;
        hit->object = ray.hit.instID[0];
    }
    return true;
}

}  // namespace

bool CollisionScene::segmentStatic(const glm::vec3& from, const glm::vec3& to, SegmentHit* hit) const {
    return intersect(impl_->staticScene, from, to, hit);
}

bool CollisionScene::sphereStatic(const glm::vec3& centre, float radius) const {
    if (!impl_->staticScene || radius <= 0.0f) return false;
    RTCPointQuery query{centre.x, centre.y, centre.z, 0.0f, radius};
    RTCPointQueryContext context;
    rtcInitPointQueryContext(&context);
    SphereQuery search{&impl_->staticLookup, false};
    rtcPointQuery(impl_->staticScene, &query, &context, &sphereCallback, &search);
    return search.found;
}

bool CollisionScene::sphereObjects(const glm::vec3& centre, float radius, CollisionObjectId* object,
                                   const std::vector<CollisionObjectId>* ignore) const {
    if (radius <= 0.0f || objects_.empty()) return false;
    impl_->commitPlaced();
    RTCPointQuery query{centre.x, centre.y, centre.z, 0.0f, radius};
    RTCPointQueryContext context;
    rtcInitPointQueryContext(&context);
    SphereQuery search{&impl_->placedLookup, true, &impl_->placedIds, ignore};
    rtcPointQuery(impl_->placedScene, &query, &context, &sphereCallback, &search);
    if (search.found) {
        if (object) *object = impl_->placedIds[search.object];
        return true;
    }
    // The moving objects, each in its own space (their moves are rigid, so
    // the radius stays as it is).
    for (const Impl::Moving& candidate : impl_->moving) {
        if (ignore && std::find(ignore->begin(), ignore->end(), candidate.id) != ignore->end()) continue;
        const glm::vec3 local = glm::vec3(candidate.toObject * glm::vec4(centre, 1.0f));
        RTCPointQuery own{local.x, local.y, local.z, 0.0f, radius};
        rtcInitPointQueryContext(&context);
        SphereQuery inside{&candidate.lookup, false};
        rtcPointQuery(candidate.shape->scene, &own, &context, &sphereCallback, &inside);
        if (inside.found) {
            if (object) *object = candidate.id;
            return true;
        }
    }
    return false;
}

bool CollisionScene::segmentObjects(const glm::vec3& from, const glm::vec3& to, SegmentHit* hit) const {
    impl_->commitPlaced();
    SegmentHit nearest;
    bool any = intersect(impl_->placedScene, from, to, &nearest);
    if (any) nearest.object = nearest.object < impl_->placedIds.size() ? impl_->placedIds[nearest.object] : 0;
    for (const Impl::Moving& candidate : impl_->moving) {
        // A rigid move keeps the fraction along the segment.
        const glm::vec3 a = glm::vec3(candidate.toObject * glm::vec4(from, 1.0f));
        const glm::vec3 b = glm::vec3(candidate.toObject * glm::vec4(to, 1.0f));
        SegmentHit found;
        if (!intersect(candidate.shape->scene, a, b, &found)) continue;
        if (any && found.fraction >= nearest.fraction) continue;
        nearest.fraction = found.fraction;
        nearest.point = from + (to - from) * found.fraction;
        nearest.object = candidate.id;
        any = true;
    }
    if (any && hit) *hit = nearest;
    return any;
}

}  // namespace zr::engine
