// The train: a lead car with its following cars, all of one design. Each
// car records its four seat positions and carries the ride fields the
// physics moves along the ride path.
#pragma once

#include "track/track_block.h"
#include "world/scene_object.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zr {

constexpr float kNoAngle = 3.4028235e38f;  // "no previous value yet"

class Car : public SceneObject {
public:
    Car(SceneContext& context, const std::string& modelPath);
    ~Car() override;

    // Takes the lead car out of the scene and, when the train has following
    // cars, stops the ride sounds (through the hook) and takes them out too.
    void removeFromWorld() override;
    // Appends count cars of the model behind the lead car, spacing metres apart.
    void makeFollowingCars(const std::string& modelPath, int32_t count, float carSpacing);

    // The car files of a block set folder for a design number.
    static std::string leadCarPath(const std::string& blockSetFolder, int32_t design);
    static std::string carPath(const std::string& blockSetFolder, int32_t design);

    std::array<glm::vec3, 4> seats{};  // index = seat number mod 4
    std::vector<std::unique_ptr<Car>> following;
    const TrackBlock* currentBlock = nullptr;
    std::function<void()> stopSounds;  // set by the ride

    // Ride fields.
    const std::vector<PathFrame>* path = nullptr;
    glm::vec3 ridePosition{0.0f};
    int32_t segment = 0;
    float fraction = 0.0f;
    float pitch = 0.0f;
    float travelHeading = 0.0f;
    float previousPitch = kNoAngle;
    float previousHeading = kNoAngle;
    float accumulator = 0.0f;
    float spacing = 2.5f;
    int32_t startIndex = 0;
    int32_t chainBegin = 0;
    int32_t chainEnd = 0;
    int32_t lapIndex = 0;
    glm::mat4 transform{1.0f};  // the car's placement on the path
};

}  // namespace zr
