// Car bodies from boxes, in the car's own frame (the path frame it rides
// on: x right, y up, z forward, origin on the running surface). A seat
// marker's frame translation is the rider's eye.
#include "blocksets/car_model.h"

#include "blocksets/mesh_buffer.h"
#include "blocksets/piece_model.h"
#include "blocksets/rail_sweep.h"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <array>

namespace assetgen::blocksets {
namespace {

// Between the bodies of neighbouring cars; the suspended set's cars are so
// close that their gap is only a hand's breadth.
constexpr float kCarGap = 0.42f;
constexpr float kHangingCarGap = 0.1f;

struct CarTextures {
    std::string body, trim, seat, chassis;
};

CarTextures carTextures(const BlockSetStyle& style) {
    return {surfaceTexture(style, Surface::CarBody), surfaceTexture(style, Surface::CarTrim),
            surfaceTexture(style, Surface::CarSeat), surfaceTexture(style, Surface::Rail)};
}

void box(MeshBuffer& mesh, const glm::vec3& low, const glm::vec3& high, const std::string& texture) {
    addBox(mesh, PathFrame{}, (low + high) * 0.5f, (high - low) * 0.5f, texture);
}

// A rider's eyes are this far above the seat cushion, along the car's up
// axis (a seated adult's eye height); metres.
constexpr float kEyeAboveCushion = 1.1f;

// Two rows of two: an open tub with seats, lap bars and wheel bogies. The
// seat backs stop at shoulder height and the walls below them, so a rider
// looks over the row ahead and the car in front at the track.
std::array<glm::vec3, 4> standingCar(MeshBuffer& mesh, const CarTextures& t, float half, bool lead) {
    constexpr float kWidth = 0.78f;  // half the tub's width
    constexpr float kWall = 0.08f;
    constexpr float kFloor = 0.34f;
    constexpr float kWallTop = 0.95f;
    constexpr float kCushionTop = 0.52f;
    constexpr float kSeatBackTop = 1.1f;
    const float w = kWidth;
    box(mesh, {-0.7f, 0.12f, -half}, {0.7f, kFloor, half}, t.chassis);
    for (const float z : {-half + 0.35f, half - 0.35f}) {
        for (const float x : {-0.6f, 0.6f}) {
            box(mesh, {x - 0.12f, -0.22f, z - 0.22f}, {x + 0.12f, 0.14f, z + 0.22f}, t.chassis);
        }
    }
    box(mesh, {-w, kFloor, -half}, {-w + kWall, kWallTop, half}, t.body);
    box(mesh, {w - kWall, kFloor, -half}, {w, kWallTop, half}, t.body);
    box(mesh, {-w, kFloor, half - 0.1f}, {w, 1.0f, half}, t.body);
    box(mesh, {-w, kFloor, -half}, {w, kWallTop, -half + kWall}, t.body);
    // Rims along the tops of the side walls.
    for (const float side : {-1.0f, 1.0f}) {
        const float a = side * (w + 0.02f);
        const float b = side * (w - kWall - 0.02f);
        box(mesh, {std::min(a, b), kWallTop, -half}, {std::max(a, b), kWallTop + 0.05f, half}, t.trim);
    }
    std::array<glm::vec3, 4> eyes{};
    const float rows[] = {half * 0.45f, -half * 0.35f};
    for (int r = 0; r < 2; ++r) {
        const float z = rows[r];
        box(mesh, {-0.68f, kFloor, z - 0.32f}, {0.68f, kCushionTop, z + 0.12f}, t.seat);
        box(mesh, {-0.68f, kCushionTop, z - 0.42f}, {0.68f, kSeatBackTop, z - 0.3f}, t.seat);
        box(mesh, {-0.6f, 0.8f, z + 0.18f}, {0.6f, 0.86f, z + 0.26f}, t.trim);
        const float eye = kCushionTop + kEyeAboveCushion;
        eyes[static_cast<size_t>(2 * r)] = {0.33f, eye, z - 0.05f};
        eyes[static_cast<size_t>(2 * r + 1)] = {-0.33f, eye, z - 0.05f};
    }
    if (lead) {
        box(mesh, {-w + 0.1f, 0.2f, half}, {w - 0.1f, 0.85f, half + 0.45f}, t.body);
        box(mesh, {-0.3f, 0.35f, half + 0.45f}, {0.3f, 0.6f, half + 0.5f}, t.trim);
    }
    return eyes;
}

// One row of four hanging from a bogie under the spine: a crossbeam just
// under the chassis carries the seat backs on thin posts between the seats.
// The beam sits higher above the riders' eyes than the view reaches, so
// they look under the beam and between the posts of the car in front.
std::array<glm::vec3, 4> hangingCar(MeshBuffer& mesh, const CarTextures& t, float half, bool lead) {
    constexpr float kCushionTop = -1.66f;
    constexpr float kSeatBackTop = -1.0f;
    constexpr float kBeamLow = -0.3f;  // the crossbeam's underside
    constexpr float kPost = 0.02f;     // half a post's width
    box(mesh, {-0.65f, -0.32f, -half}, {0.65f, -0.12f, half}, t.chassis);
    for (const float x : {-0.5f, 0.5f}) {
        box(mesh, {x - 0.1f, -0.12f, -half + 0.05f}, {x + 0.1f, 0.12f, half - 0.05f}, t.chassis);
    }
    const float back = -half + 0.02f;  // the seat backs' rear face
    box(mesh, {-1.12f, kBeamLow, back}, {1.12f, -0.18f, back + 0.12f}, t.body);
    for (const float x : {-1.1f, -0.55f, 0.0f, 0.55f, 1.1f}) {
        box(mesh, {x - kPost, kSeatBackTop, back + 0.03f}, {x + kPost, kBeamLow, back + 0.07f}, t.body);
    }
    std::array<glm::vec3, 4> eyes{};
    const float seats[] = {0.825f, 0.275f, -0.275f, -0.825f};
    for (int i = 0; i < 4; ++i) {
        const float x = seats[i];
        box(mesh, {x - 0.23f, -1.75f, back}, {x + 0.23f, kSeatBackTop, back + 0.1f}, t.seat);
        box(mesh, {x - 0.23f, -1.78f, back + 0.1f}, {x + 0.23f, kCushionTop, half - 0.06f}, t.seat);
        box(mesh, {x - 0.2f, -1.45f, half - 0.1f}, {x + 0.2f, -1.05f, half - 0.02f}, t.trim);
        eyes[static_cast<size_t>(i)] = {x, kCushionTop + kEyeAboveCushion, -0.02f};
    }
    if (lead) {
        box(mesh, {-0.45f, -0.3f, half}, {0.45f, -0.14f, half + 0.3f}, t.body);
    }
    return eyes;
}

// A marker needs geometry to be a part; it is removed when the car loads.
std::unique_ptr<engine::Geometry> markerGeometry(const std::string& texture) {
    MeshBuffer mesh;
    addBox(mesh, PathFrame{}, glm::vec3(0.0f), glm::vec3(0.02f), texture);
    return mesh.geometry();
}

}  // namespace

float carHalfLength(const BlockSetStyle& style) {
    return (style.ride.carSpacing - (style.suspended() ? kHangingCarGap : kCarGap)) * 0.5f;
}

std::unique_ptr<engine::Clump> buildCarModel(const BlockSetStyle& style, bool leadCar) {
    const CarTextures t = carTextures(style);
    MeshBuffer body;
    const float half = carHalfLength(style);
    const std::array<glm::vec3, 4> eyes =
        style.suspended() ? hangingCar(body, t, half, leadCar) : standingCar(body, t, half, leadCar);
    auto model = std::make_unique<engine::Clump>();
    model->addFrame(nullptr);
    addPart(*model, "body", glm::mat4(1.0f), body.geometry());
    for (size_t i = 0; i < eyes.size(); ++i) {
        addPart(*model, "seat" + std::to_string(i + 1), glm::translate(glm::mat4(1.0f), eyes[i]),
                markerGeometry(t.seat));
    }
    return model;
}

}  // namespace assetgen::blocksets
