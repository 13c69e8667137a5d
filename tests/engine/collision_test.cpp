// Collision queries against hand-made triangles: static and placed objects.
#include "engine/collision.h"

#include <glm/gtc/matrix_transform.hpp>

#include <gtest/gtest.h>

namespace zr::engine {
namespace {

// A square of two triangles in the plane y = height, x and z in [-size, size].
Geometry floorAt(float height, float size) {
    Geometry geometry;
    geometry.positions = {{-size, height, -size}, {size, height, -size}, {size, height, size}, {-size, height, size}};
    geometry.meshes.push_back(Mesh{0, {0, 1, 2, 0, 2, 3}});
    return geometry;
}

TEST(Collision, SegmentFindsTheNearestStaticCrossing) {
    const Geometry low = floorAt(0.0f, 10.0f);
    const Geometry high = floorAt(5.0f, 10.0f);
    CollisionScene scene;
    scene.setStatic({&low, &high});
    EXPECT_EQ(scene.staticTriangleCount(), 4u);
    SegmentHit hit;
    ASSERT_TRUE(scene.segmentStatic({1, 20, 1}, {1, -20, 1}, &hit));
    EXPECT_NEAR(hit.point.y, 5.0f, 1e-4f) << "the upper floor is met first";
    ASSERT_TRUE(scene.segmentStatic({1, 2, 1}, {1, -20, 1}, &hit));
    EXPECT_NEAR(hit.point.y, 0.0f, 1e-4f);
    EXPECT_FALSE(scene.segmentStatic({1, 4, 1}, {1, 1, 1}, &hit)) << "between the floors";
    EXPECT_FALSE(scene.segmentStatic({20, 10, 0}, {20, -10, 0}, &hit)) << "beside them";
}

TEST(Collision, SphereTouchesWithinItsRadius) {
    const Geometry floor = floorAt(0.0f, 10.0f);
    CollisionScene scene;
    scene.setStatic({&floor});
    EXPECT_TRUE(scene.sphereStatic({0, 0.9f, 0}, 1.0f));
    EXPECT_FALSE(scene.sphereStatic({0, 1.1f, 0}, 1.0f));
    EXPECT_TRUE(scene.sphereStatic({10.5f, 0.0f, 0}, 1.0f)) << "near the edge";
    EXPECT_FALSE(scene.sphereStatic({11.5f, 0.0f, 0}, 1.0f));
    CollisionScene empty;
    EXPECT_FALSE(empty.sphereStatic({0, 0, 0}, 1.0f));
}

// Objects placed once and moving objects (kept apart) follow their
// transforms alike.
class CollisionObjects : public ::testing::TestWithParam<bool> {};

TEST_P(CollisionObjects, FollowTheirTransforms) {
    const bool moving = GetParam();
    const Geometry plate = floorAt(0.0f, 1.0f);
    CollisionScene scene;
    const CollisionObjectId first = scene.addObject(plate, glm::translate(glm::mat4(1.0f), {0, 0, 0}), moving);
    const CollisionObjectId second = scene.addObject(plate, glm::translate(glm::mat4(1.0f), {10, 0, 0}), moving);
    CollisionObjectId which = 0;
    ASSERT_TRUE(scene.sphereObjects({10, 0.5f, 0}, 0.6f, &which));
    EXPECT_EQ(which, second);
    SegmentHit hit;
    ASSERT_TRUE(scene.segmentObjects({0.5f, 3, 0}, {0.5f, -3, 0}, &hit));
    EXPECT_EQ(hit.object, first);
    EXPECT_NEAR(hit.fraction, 0.5f, 1e-4f);
    // Turned on its side and lifted: the plate is now the plane x = 0 at y 5.
    scene.moveObject(first, glm::translate(glm::mat4(1.0f), {0, 5, 0}) *
                                glm::rotate(glm::mat4(1.0f), glm::radians(90.0f), glm::vec3(0, 0, 1)));
    EXPECT_FALSE(scene.sphereObjects({0.5f, 0.5f, 0}, 0.6f));
    EXPECT_TRUE(scene.sphereObjects({0.4f, 5.0f, 0}, 0.5f, &which));
    EXPECT_EQ(which, first);
    scene.removeObject(second);
    EXPECT_FALSE(scene.sphereObjects({10, 0.5f, 0}, 0.6f));
    EXPECT_EQ(scene.objectCount(), 1u);
}

INSTANTIATE_TEST_SUITE_P(PlacedAndMoving, CollisionObjects, ::testing::Bool());

TEST(Collision, IgnoredObjectsAreLeftOutAndSegmentsMeetTheNearestOfEither) {
    const Geometry plate = floorAt(0.0f, 1.0f);
    CollisionScene scene;
    const CollisionObjectId placed = scene.addObject(plate, glm::translate(glm::mat4(1.0f), {0, 0, 0}));
    const CollisionObjectId car = scene.addObject(plate, glm::translate(glm::mat4(1.0f), {0, 2, 0}), true);
    const std::vector<CollisionObjectId> ownCar{car};
    CollisionObjectId which = 0;
    ASSERT_TRUE(scene.sphereObjects({0, 2.3f, 0}, 0.5f, &which));
    EXPECT_EQ(which, car);
    EXPECT_FALSE(scene.sphereObjects({0, 2.3f, 0}, 0.5f, nullptr, &ownCar)) << "a car does not hit itself";
    const std::vector<CollisionObjectId> ownPlate{placed};
    EXPECT_FALSE(scene.sphereObjects({0, 0.3f, 0}, 0.5f, nullptr, &ownPlate));
    EXPECT_TRUE(scene.sphereObjects({0, 0.3f, 0}, 0.5f, nullptr, &ownCar)) << "only what is named is left out";
    SegmentHit hit;
    ASSERT_TRUE(scene.segmentObjects({0.5f, 5, 0}, {0.5f, -5, 0}, &hit));
    EXPECT_EQ(hit.object, car) << "the moving plate above is met first";
    EXPECT_NEAR(hit.point.y, 2.0f, 1e-4f);
    ASSERT_TRUE(scene.segmentObjects({0.5f, 1, 0}, {0.5f, -5, 0}, &hit));
    EXPECT_EQ(hit.object, placed);
}

TEST(Collision, ClosestPointOnTriangleRegions) {
    const glm::vec3 a(0, 0, 0), b(2, 0, 0), c(0, 2, 0);
    EXPECT_EQ(closestPointOnTriangle({-1, -1, 0}, a, b, c), a);
    EXPECT_EQ(closestPointOnTriangle({3, -1, 0}, a, b, c), b);
    EXPECT_EQ(closestPointOnTriangle({0.5f, 0.5f, 4}, a, b, c), glm::vec3(0.5f, 0.5f, 0));
    EXPECT_EQ(closestPointOnTriangle({1, -3, 0}, a, b, c), glm::vec3(1, 0, 0));
}

}  // namespace
}  // namespace zr::engine
