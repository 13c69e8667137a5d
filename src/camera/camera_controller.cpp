// Camera modes, placement with the collision pull-in, and the seat choice.
#include "camera/camera_controller.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace zr {
namespace {

constexpr float kNearClip = 0.3f;
constexpr float kTracksideReach = 30.0f;   // m: farther than this, jump ahead again
constexpr float kEyeRaise = 0.415f;        // m above the camera's point when aiming
constexpr float kWallGap = 5.0f;           // m in front of what blocks the view
constexpr float kMinimumHangingHeight = 2.5f;  // m, the suspended set's trackside camera
constexpr float kDragSpeed = 50.0f;        // m/s of the collision-checked move

}  // namespace

BlockSetFacts CameraController::facts() const {
    const CameraSubjects now = subjects();
    return now.facts ? *now.facts : BlockSetFacts{};
}

engine::Frame& CameraController::frame() { return context_.camera->view().frame(); }
glm::vec3 CameraController::position() const { return context_.camera->view().frame().position(); }
void CameraController::setPosition(const glm::vec3& p) { frame().local[3] = glm::vec4(p, 1.0f); }

int32_t CameraController::carIndexForSeat(int32_t seat, int32_t carCount) {
    if (seat < 5) return 0;
    for (int32_t j = 1; j <= carCount; ++j) {
        if (seat <= j * 4 + 4) return j;
    }
    return carCount;
}

void CameraController::setMode(int32_t mode) {
    GameCamera& camera = *context_.camera;
    switch (mode) {
    case kCameraFree:
        camera.pitch = camera.yaw = camera.roll = 0.0f;
        camera.moveRelative(glm::vec3(0.0f));
        break;
    case kCameraTrackEnd:
        stopFollowing();
        if (Coaster* coaster = subjects().coaster; coaster && coaster->lastBlock) {
            placeAtBlock(*coaster->lastBlock, glm::vec3(20.0f, 25.0f, 20.0f));
        }
        break;
    case kCameraSeat:
        camera.pitch = camera.yaw = 0.0f;
        chooseSeat();
        break;
    case kCameraTrackside:
        stopFollowing();
        tracksideJump(facts().tracksideAhead, true);
        break;
    default:
        break;
    }
    camera.view().setNearClip(kNearClip);
    camera.mode = mode;
}

void CameraController::update() {
    GameCamera& camera = *context_.camera;
    Car* train = subjects().train;
    switch (camera.mode) {
    case kCameraFollow:
        if (target_) lookAt(target_->position());
        break;
    case kCameraSeat: {
        const auto* car = dynamic_cast<const Car*>(target_);
        if (!car) break;
        frame().local = car->transform;
        camera.moveRelative(camera.seatOffset);
        frame().rotate(glm::vec3(0.0f, 1.0f, 0.0f), camera.yaw, engine::Combine::Precombine);
        frame().rotate(glm::vec3(1.0f, 0.0f, 0.0f), camera.pitch, engine::Combine::Precombine);
        break;
    }
    case kCameraTrackside:
        if (!train) break;
        if (glm::length(position() - train->ridePosition) > kTracksideReach) {
            tracksideJump(facts().tracksideCatchUp, false);
        }
        lookAt(train->ridePosition);
        if (facts().suspended && position().y < kMinimumHangingHeight) {
            setPosition(glm::vec3(position().x, kMinimumHangingHeight, position().z));
        }
        break;
    default:
        break;
    }
}

void CameraController::tracksideJump(int32_t k, bool fromSetMode) {
    const CameraSubjects now = subjects();
    Car* train = now.train;
    Coaster* coaster = now.coaster;
    if (!train || !coaster || coaster->ridePath.empty()) return;
    const bool suspended = now.facts && now.facts->suspended;
    const auto& path = coaster->ridePath;
    const int32_t count = static_cast<int32_t>(path.size());
    const int32_t i = train->segment + k;
    const glm::vec3 own = framePosition(path[static_cast<size_t>(std::clamp(train->segment, 0, count - 1))]);
    if (fromSetMode) {
        setPosition(framePosition(path[static_cast<size_t>(std::min(i, count - 1))]));
    } else if (i < count) {
        frame().local = path[static_cast<size_t>(i)];
        if (glm::length(position() - train->ridePosition) > kTracksideReach) setPosition(own);
    } else {
        setPosition(own);
    }
    glm::vec3 up = glm::normalize(glm::vec3(frame().local[1]));
    glm::vec3 right = glm::normalize(glm::vec3(frame().local[0]));
    up *= suspended ? -1.25f : 2.25f;
    const int side = context_.random ? context_.random() : 1;
    right *= side % 2 != 0 ? 2.0f : -2.0f;
    const bool building = context_.gameState && *context_.gameState == 4;
    if (building && fromSetMode) {
        right *= 5.0f;
        if (!suspended) up *= 5.0f;
    } else if (building) {
        right *= 2.0f;
        up *= 2.0f;
    }
    setPosition(position() + up + right);
    if (fromSetMode && suspended && position().y < kMinimumHangingHeight) {
        setPosition(glm::vec3(position().x, kMinimumHangingHeight, position().z));
    }
}

void CameraController::lookAt(const glm::vec3& point) {
    const glm::vec3 eye = position() + glm::vec3(0.0f, kEyeRaise, 0.0f);
    glm::vec3 at = point - eye;
    if (glm::dot(at, at) < 1e-12f) return;
    at = glm::normalize(at);
    glm::vec3 right = glm::cross(glm::vec3(0.0f, 1.0f, 0.0f), at);
    right = glm::dot(right, right) < 1e-12f ? glm::vec3(1.0f, 0.0f, 0.0f) : glm::normalize(right);
    const glm::vec3 up = glm::normalize(glm::cross(at, right));
    engine::Frame& f = frame();
    f.local[0] = glm::vec4(right, 0.0f);
    f.local[1] = glm::vec4(up, 0.0f);
    f.local[2] = glm::vec4(at, 0.0f);
}

void CameraController::pullIn(const glm::vec3& target) {
    engine::World* world = subjects().world;
    if (!world) return;
    engine::SegmentHit hit;
    engine::CollisionScene& scene = world->collision();
    const bool staticHit = scene.segmentStatic(target, position(), &hit);
    engine::SegmentHit objectHit;
    const bool objectsHit = scene.segmentObjects(target, position(), &objectHit);
    if (!staticHit && !objectsHit) return;
    if (!staticHit || (objectsHit && objectHit.fraction < hit.fraction)) hit = objectHit;
    glm::vec3 away = position() - target;
    if (glm::dot(away, away) < 1e-12f) return;
    const glm::vec3 d = glm::normalize(away) * kWallGap;
    setPosition(glm::vec3(hit.point.x - d.x, position().y, hit.point.z - d.z));
    lookAt(target);
}

void CameraController::placeAtBlock(const TrackBlock& block, const glm::vec3& offset) {
    const glm::vec3 e = block.pathFrames.empty() ? glm::vec3(0.0f) : framePosition(block.pathFrames.back());
    const glm::vec3 b = block.blockPosition();
    const glm::vec3 p(b.x + e.x, b.y, b.z + e.z);
    const glm::vec3 target = p + glm::vec3(0.0f, e.y, 0.0f);
    GameCamera& camera = *context_.camera;
    frame().rotate(glm::vec3(0.0f, 1.0f, 0.0f), camera.yaw, engine::Combine::Replace);
    setPosition(p);
    camera.moveRelative(glm::vec3(offset.x, offset.y + e.y, offset.z));
    lookAt(target);
    pullIn(target);
}

void CameraController::placeAtObject(const SceneObject& object, const glm::vec3& offset) {
    const glm::vec3 p = object.position();
    GameCamera& camera = *context_.camera;
    frame().rotate(glm::vec3(0.0f, 1.0f, 0.0f), camera.yaw, engine::Combine::Replace);
    setPosition(p);
    camera.moveRelative(offset);
    const glm::vec3 target = p + glm::vec3(0.0f, 10.0f, 0.0f);
    lookAt(target);
    pullIn(target);
}

void CameraController::follow(const SceneObject* object) {
    if (object) {
        target_ = object;
        context_.camera->target = const_cast<SceneObject*>(object);
    }
    context_.camera->following = 1;
}

void CameraController::stopFollowing() { context_.camera->following = 0; }

void CameraController::chooseSeat() {
    GameCamera& camera = *context_.camera;
    camera.seatOffset = glm::vec3(0.0f);
    Car* train = subjects().train;
    if (!train) return;
    const int32_t seat = context_.seat ? *context_.seat : 1;
    const int32_t carCount = context_.carCount ? *context_.carCount : 0;
    const int32_t index = carIndexForSeat(seat, carCount);
    const Car* car = index == 0 || static_cast<size_t>(index) > train->following.size()
                         ? train
                         : train->following[static_cast<size_t>(index - 1)].get();
    follow(car);
    camera.seatOffset = car->seats[static_cast<size_t>(seatEntryForSeat(seat))];
}

engine::Image CameraController::thumbnailOf(const engine::Image& frame) {
    auto powerOfTwo = [](int32_t n) { return n > 0 && (n & (n - 1)) == 0; };
    if (frame.empty() || (powerOfTwo(frame.width) && powerOfTwo(frame.height))) return frame;
    constexpr int32_t kWidth = 128;
    constexpr int32_t kHeight = 96;
    constexpr int32_t kCanvas = 128;
    engine::Image thumbnail;
    thumbnail.resize(kCanvas, kCanvas);  // the rows below the picture stay clear
    // Each thumbnail pixel averages the frame pixels it covers.
    for (int32_t y = 0; y < kHeight; ++y) {
        const int32_t y0 = y * frame.height / kHeight;
        const int32_t y1 = std::max(y0 + 1, (y + 1) * frame.height / kHeight);
        for (int32_t x = 0; x < kWidth; ++x) {
            const int32_t x0 = x * frame.width / kWidth;
            const int32_t x1 = std::max(x0 + 1, (x + 1) * frame.width / kWidth);
            uint32_t sum[4] = {0, 0, 0, 0};
            for (int32_t sy = y0; sy < y1; ++sy) {
                for (int32_t sx = x0; sx < x1; ++sx) {
                    const uint8_t* p = frame.pixel(sx, sy);
                    for (int c = 0; c < 4; ++c) sum[c] += p[c];
                }
            }
            const uint32_t count = static_cast<uint32_t>((y1 - y0) * (x1 - x0));
            uint8_t* out = thumbnail.pixel(x, y);
            for (int c = 0; c < 4; ++c) out[c] = static_cast<uint8_t>(sum[c] / count);
        }
    }
    return thumbnail;
}

void CameraController::grabThumbnail() {
    GameCamera& camera = *context_.camera;
    camera.grab.reset();
    engine::Image frame;
    if (!camera.view().readFrameBuffer(&frame)) return;
    camera.grab = std::make_unique<engine::Image>(thumbnailOf(frame));
}

void CameraController::moveBy(const glm::vec3& v) {
    GameCamera& camera = *context_.camera;
    const glm::vec3 right(frame().local[0]);
    const glm::vec3 up(frame().local[1]);
    const glm::vec3 at(frame().local[2]);
    if (!camera.needsPlacement) {
        setPosition(position() + right * v.x - up * v.y - at * v.z);
        return;
    }
    glm::vec3 d(0.0f);
    auto flat = [](glm::vec3 axis) {
        axis.y = 0.0f;
        return glm::dot(axis, axis) < 1e-12f ? glm::vec3(0.0f) : glm::normalize(axis);
    };
    if (v.x != 0.0f) d += flat(right) * (v.x > 0.0f ? kDragSpeed : -kDragSpeed);
    if (v.y != 0.0f) d += glm::vec3(0.0f, 1.0f, 0.0f) * (v.y > 0.0f ? -kDragSpeed : kDragSpeed);
    if (v.z != 0.0f) d += flat(at) * (v.z > 0.0f ? -kDragSpeed : kDragSpeed);
    const int n = static_cast<int>(std::trunc(glm::length(d))) + 1;
    const float seconds = context_.frameSeconds ? *context_.frameSeconds : 0.0f;
    const glm::vec3 stepMove = d * seconds / static_cast<float>(n);
    const CameraSubjects now = subjects();
    engine::World* world = now.world;
    for (int i = 0; i < n; ++i) {
        const glm::vec3 before = position();
        setPosition(before + stepMove);
        if (world && (world->collision().sphereStatic(position(), 1.0f) || world->collision().sphereObjects(position(), 1.0f))) {
            setPosition(before);  // that step would enter the world: taken back
        }
    }
    if (now.ride && now.ride->state == kRideTest && now.train) lookAt(now.train->ridePosition);
}

}  // namespace zr
