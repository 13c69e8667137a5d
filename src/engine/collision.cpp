// Embree scenes and queries. Scenes are committed lazily, before the first
// query after a change, so moving many objects costs one commit.
#include "engine/collision.h"

#include <embree3/rtcore.h>

#include <glm/gtc/type_ptr.hpp>

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
    bool found = false;
    unsigned int object = RTC_INVALID_GEOMETRY_ID;
};

bool sphereCallback(RTCPointQueryFunctionArguments* args) {
    auto* query = static_cast<SphereQuery*>(args->userPtr);
    const unsigned int top = query->instanced ? args->context->instID[0] : args->geomID;
    if (top >= query->byGeometry->size() || !(*query->byGeometry)[top]) return false;
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

struct CollisionScene::Impl {
    RTCScene staticScene = nullptr;
    Triangles staticTriangles;
    std::vector<const Triangles*> staticLookup;

    RTCScene objectScene = nullptr;
    bool objectsDirty = true;
    struct Object {
        RTCScene scene = nullptr;
        Triangles triangles;
    };
    std::unordered_map<uint32_t, std::unique_ptr<Object>> objectsByGeometry;  // instance geometry id
    std::vector<const Triangles*> objectLookup;
    uint32_t nextId = 0;

    Impl() { objectScene = rtcNewScene(sharedDevice()); }
    ~Impl() {
        if (staticScene) rtcReleaseScene(staticScene);
        for (auto& [id, object] : objectsByGeometry) rtcReleaseScene(object->scene);
        rtcReleaseScene(objectScene);
    }

    void commitObjects() {
        if (!objectsDirty) return;
        rtcCommitScene(objectScene);
        objectsDirty = false;
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

CollisionObjectId CollisionScene::addObject(const Geometry& geometry, const glm::mat4& transform) {
    auto object = std::make_unique<Impl::Object>();
    object->triangles = trianglesOf({&geometry});
    if (object->triangles.indices.empty()) return 0;
    object->scene = buildScene(object->triangles);
    RTCGeometry instance = rtcNewGeometry(sharedDevice(), RTC_GEOMETRY_TYPE_INSTANCE);
    rtcSetGeometryInstancedScene(instance, object->scene);
    rtcSetGeometryTransform(instance, 0, RTC_FORMAT_FLOAT4X4_COLUMN_MAJOR, glm::value_ptr(transform));
    rtcCommitGeometry(instance);
    const unsigned int geometryId = rtcAttachGeometry(impl_->objectScene, instance);
    rtcReleaseGeometry(instance);
    if (impl_->objectLookup.size() <= geometryId) impl_->objectLookup.resize(geometryId + 1, nullptr);
    impl_->objectLookup[geometryId] = &object->triangles;
    impl_->objectsByGeometry[geometryId] = std::move(object);
    impl_->objectsDirty = true;
    const CollisionObjectId id = ++impl_->nextId;
    objects_[id] = geometryId;
    return id;
}

void CollisionScene::moveObject(CollisionObjectId id, const glm::mat4& transform) {
    const auto found = objects_.find(id);
    if (found == objects_.end()) return;
    RTCGeometry instance = rtcGetGeometry(impl_->objectScene, found->second);
    rtcSetGeometryTransform(instance, 0, RTC_FORMAT_FLOAT4X4_COLUMN_MAJOR, glm::value_ptr(transform));
    rtcCommitGeometry(instance);
    impl_->objectsDirty = true;
}

void CollisionScene::removeObject(CollisionObjectId id) {
    const auto found = objects_.find(id);
    if (found == objects_.end()) return;
    rtcDetachGeometry(impl_->objectScene, found->second);
    const auto object = impl_->objectsByGeometry.find(found->second);
    if (object != impl_->objectsByGeometry.end()) {
        rtcReleaseScene(object->second->scene);
        impl_->objectsByGeometry.erase(object);
    }
    impl_->objectLookup[found->second] = nullptr;
    objects_.erase(found);
    impl_->objectsDirty = true;
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

bool CollisionScene::sphereObjects(const glm::vec3& centre, float radius, CollisionObjectId* object) const {
    impl_->commitObjects();
    if (radius <= 0.0f || objects_.empty()) return false;
    RTCPointQuery query{centre.x, centre.y, centre.z, 0.0f, radius};
    RTCPointQueryContext context;
    rtcInitPointQueryContext(&context);
    SphereQuery search{&impl_->objectLookup, true};
    rtcPointQuery(impl_->objectScene, &query, &context, &sphereCallback, &search);
    if (search.found && object) {
        *object = 0;
        for (const auto& [id, geometryId] : objects_) {
            if (geometryId == search.object) *object = id;
        }
    }
    return search.found;
}

bool CollisionScene::segmentObjects(const glm::vec3& from, const glm::vec3& to, SegmentHit* hit) const {
    impl_->commitObjects();
    SegmentHit found;
    if (!intersect(impl_->objectScene, from, to, &found)) return false;
    if (hit) {
        *hit = found;
        hit->object = 0;
        for (const auto& [id, geometryId] : objects_) {
            if (geometryId == found.object) hit->object = id;
        }
    }
    return true;
}

}  // namespace zr::engine
