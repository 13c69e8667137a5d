// The camera's five modes: the free view (0) and the track-end view (2)
// for building, following an object (3), the rider's seat (4) and the
// trackside view (5) that waits ahead of the train and watches it pass;
// with placing at an offset from a block or an object, pulled in front of
// anything in between.
#pragma once

#include "camera/game_camera.h"
#include "ride/car.h"
#include "track/coaster.h"

#include <functional>

namespace zr {

// The game fields the controller reads; pointers into the game record.
struct CameraControllerContext {
    GameCamera* camera = nullptr;
    std::function<engine::World*()> world;
    std::function<Coaster*()> coaster;
    std::function<Car*()> train;
    const int32_t* state = nullptr;
    const float* frameSeconds = nullptr;
    const int8_t* blockSet = nullptr;
    const int8_t* carCount = nullptr;
    const int8_t* seat = nullptr;
    std::function<int()> random;  // any uniform integer source
};

enum CameraMode : int32_t { kCameraFree = 0, kCameraTrackEnd = 2, kCameraFollow = 3, kCameraSeat = 4, kCameraTrackside = 5 };

class CameraController {
public:
    explicit CameraController(CameraControllerContext context) : context_(std::move(context)) {}

    void setMode(int32_t mode);
    void update();
    void placeAtBlock(const TrackBlock& block, const glm::vec3& offset);
    void placeAtObject(const SceneObject& object, const glm::vec3& offset);
    void lookAt(const glm::vec3& point);
    void follow(const SceneObject* object);
    void stopFollowing();
    void chooseSeat();
    void moveBy(const glm::vec3& v);
    // Reads the frame buffer into the camera's grab; a picture whose sides
    // are not powers of two becomes 128 x 96 in a 128 x 128 canvas.
    void grabThumbnail();
    static engine::Image thumbnailOf(const engine::Image& frame);

    // The car and seat-table entry a seat number rides in (seat from 1).
    static int32_t carIndexForSeat(int32_t seat, int32_t carCount);
    static int32_t seatEntryForSeat(int32_t seat) { return seat % 4; }

private:
    void tracksideJump(int32_t k, bool fromSetMode);
    void pullIn(const glm::vec3& target);
    glm::vec3 position() const;
    void setPosition(const glm::vec3& p);
    engine::Frame& frame();
    int32_t blockSet() const { return context_.blockSet ? *context_.blockSet : 0; }

    CameraControllerContext context_;
    const SceneObject* target_ = nullptr;
};

}  // namespace zr
