// Car bodies from boxes, in the car's own frame (the path frame it rides
// on: x right, y up, z forward, origin on the running surface). A seat
// marker's frame translation is the rider's eye.
#include "blocksets/car_model.h"

#include "blocksets/mesh_buffer.h"
#include "blocksets/piece_model.h"
#include "blocksets/rail_sweep.h"

#include <glm/gtc/matrix_transform.hpp>

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

// Two rows of two: a tub with seats, lap bars and wheel bogies.
std::array<glm::vec3, 4> standingCar(MeshBuffer& mesh, const CarTextures& t, float half, bool lead) {
    const float w = 0.78f;
    box(mesh, {-0.7f, 0.12f, -half}, {0.7f, 0.34f, half}, t.chassis);
    for (const float z : {-half + 0.35f, half - 0.35f}) {
        for (const float x : {-0.6f, 0.6f}) {
            box(mesh, {x - 0.12f, -0.22f, z - 0.22f}, {x + 0.12f, 0.14f, z + 0.22f}, t.chassis);
        }
    }
    box(mesh, {-w, 0.34f, -half}, {-w + 0.08f, 1.0f, half}, t.body);
    box(mesh, {w - 0.08f, 0.34f, -half}, {w, 1.0f, half}, t.body);
    box(mesh, {-w, 0.34f, half - 0.1f}, {w, 1.05f, half}, t.body);
    box(mesh, {-w, 0.34f, -half}, {w, 0.95f, -half + 0.08f}, t.body);
    box(mesh, {-w, 0.98f, -half}, {w, 1.04f, half}, t.trim);
    std::array<glm::vec3, 4> eyes{};
    const float rows[] = {half * 0.45f, -half * 0.35f};
    for (int r = 0; r < 2; ++r) {
        const float z = rows[r];
        box(mesh, {-0.68f, 0.34f, z - 0.32f}, {0.68f, 0.52f, z + 0.12f}, t.seat);
        box(mesh, {-0.68f, 0.52f, z - 0.42f}, {0.68f, 1.3f, z - 0.3f}, t.seat);
        box(mesh, {-0.6f, 0.8f, z + 0.18f}, {0.6f, 0.86f, z + 0.26f}, t.trim);
        eyes[static_cast<size_t>(2 * r)] = {0.33f, 1.25f, z - 0.05f};
        eyes[static_cast<size_t>(2 * r + 1)] = {-0.33f, 1.25f, z - 0.05f};
    }
    if (lead) {
        box(mesh, {-w + 0.1f, 0.2f, half}, {w - 0.1f, 0.85f, half + 0.45f}, t.body);
        box(mesh, {-0.3f, 0.35f, half + 0.45f}, {0.3f, 0.6f, half + 0.5f}, t.trim);
    }
    return eyes;
}

// One row of four hanging from a bogie under the spine.
std::array<glm::vec3, 4> hangingCar(MeshBuffer& mesh, const CarTextures& t, float half, bool lead) {
    box(mesh, {-0.65f, -0.32f, -half}, {0.65f, -0.12f, half}, t.chassis);
    for (const float x : {-0.5f, 0.5f}) {
        box(mesh, {x - 0.1f, -0.12f, -half + 0.05f}, {x + 0.1f, 0.12f, half - 0.05f}, t.chassis);
    }
    box(mesh, {-0.1f, -0.95f, -0.1f}, {0.1f, -0.32f, 0.1f}, t.body);
    box(mesh, {-1.12f, -1.02f, -0.12f}, {1.12f, -0.9f, 0.1f}, t.body);
    std::array<glm::vec3, 4> eyes{};
    const float seats[] = {0.825f, 0.275f, -0.275f, -0.825f};
    for (int i = 0; i < 4; ++i) {
        const float x = seats[i];
        box(mesh, {x - 0.23f, -1.75f, -half + 0.02f}, {x + 0.23f, -1.0f, -half + 0.12f}, t.seat);
        box(mesh, {x - 0.23f, -1.78f, -half + 0.12f}, {x + 0.23f, -1.66f, half - 0.06f}, t.seat);
        box(mesh, {x - 0.2f, -1.45f, half - 0.1f}, {x + 0.2f, -1.05f, half - 0.02f}, t.trim);
        eyes[static_cast<size_t>(i)] = {x, -0.98f, -0.02f};
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
    return (style.carSpacing - (style.suspended() ? kHangingCarGap : kCarGap)) * 0.5f;
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
