// The camera's five modes: the free view (0) and the track-end view (2)
// for building, following an object (3), the rider's seat (4) and the
// trackside view (5) that waits ahead of the train and watches it pass;
// with placing at an offset from a block or an object, pulled in front of
// anything in between.
#pragma once

#include "camera/game_camera.h"
#include "ride/car.h"
#include "ride/ride.h"
#include "track/block_set_facts.h"
#include "track/coaster.h"

#include <functional>

namespace zr {

// What the controller looks at in the level now; any of it may be absent
// (between levels, or before a train exists).
struct CameraSubjects {
    engine::World* world = nullptr;
    Coaster* coaster = nullptr;
    Car* train = nullptr;
    const RideRecord* ride = nullptr;
    const BlockSetFacts* facts = nullptr;
};

// The game fields the controller reads, all given at construction.
struct CameraControllerContext {
    CameraControllerContext(GameCamera& camera, std::function<CameraSubjects()> subjects, const int32_t& gameState,
                            const float& frameSeconds, const int8_t& carCount, const int8_t& seat,
                            std::function<int()> random)
        : camera(&camera),
          subjects(std::move(subjects)),
          gameState(&gameState),
          frameSeconds(&frameSeconds),
          carCount(&carCount),
          seat(&seat),
          random(std::move(random)) {}

    GameCamera* camera;
    std::function<CameraSubjects()> subjects;
    const int32_t* gameState;
    const float* frameSeconds;
    const int8_t* carCount;
    const int8_t* seat;
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
    CameraSubjects subjects() const { return context_.subjects ? context_.subjects() : CameraSubjects{}; }
    BlockSetFacts facts() const;

    CameraControllerContext context_;
    const SceneObject* target_ = nullptr;
};

}  // namespace zr
