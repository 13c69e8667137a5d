// Car models, seats and the following cars.
#include "ride/car.h"

namespace zr {
namespace {

std::string folderName(const std::string& blockSetFolder) {
    const size_t slash = blockSetFolder.find_last_of('/');
    return slash == std::string::npos ? "/" + blockSetFolder : blockSetFolder.substr(slash);
}

}  // namespace

std::string Car::leadCarPath(const std::string& blockSetFolder, int32_t design) {
    return "./data/models/cars" + folderName(blockSetFolder) + "/leadcar" + std::to_string(design) + ".dff";
}

std::string Car::carPath(const std::string& blockSetFolder, int32_t design) {
    return "./data/models/cars" + folderName(blockSetFolder) + "/car" + std::to_string(design) + ".dff";
}

Car::Car(SceneContext& context, const std::string& modelPath) : SceneObject(context, modelPath) {
    movesEveryFrame = true;
    if (!model || !model->findPart("seat1")) return;
    for (int k = 1; k <= 4; ++k) {
        engine::Atomic* seat = model->findPart("seat" + std::to_string(k));
        if (!seat) continue;
        seats[static_cast<size_t>(k % 4)] = seat->frame->position();
        removePart(seat);
    }
}

Car::~Car() {
    removeFromWorld();
    following.clear();
}

void Car::removeFromWorld() {
    SceneObject::removeFromWorld();
    if (!following.empty()) {
        if (stopSounds) stopSounds();
        for (auto& car : following) car->SceneObject::removeFromWorld();
    }
    currentBlock = nullptr;
}

void Car::makeFollowingCars(const std::string& modelPath, int32_t count, float carSpacing) {
    for (int32_t i = 0; i < count; ++i) following.push_back(std::make_unique<Car>(context_, modelPath));
    spacing = carSpacing;
}

}  // namespace zr
