// The ride's steps, statistics, sounds and state machine.
#include "ride/ride.h"

#include "track/track_geometry.h"

#include <glm/gtc/quaternion.hpp>

#include <cmath>

namespace zr {
namespace {

constexpr int32_t kBuiltStart[] = {20, 35, 35, 40, 22};
constexpr ExperienceTriple kTriples[] = {{7, 138, 820}, {6, 97, 876}, {15, 114, 808}, {15, 93, 880}, {46, 133, 700}};
constexpr float kDegrees = 57.295776f;
constexpr float kRadians = 0.017453292f;
constexpr float kGravity = 9.81f;  // m/s^2

struct Spheres {
    glm::vec3 centre[3];
};
constexpr Spheres kSpheres[] = {
    {{{-0.9f, 0.9f, 0.0f}, {0.9f, 0.9f, 0.0f}, {0.0f, 2.0f, 0.0f}}},
    {{{-0.55f, -1.6f, 0.2f}, {0.55f, -1.6f, 0.2f}, {0.0f, -0.9f, 0.2f}}},
    {{{-0.6f, 1.05f, 0.0f}, {0.6f, 1.05f, 0.0f}, {0.0f, 2.15f, 0.0f}}},
    {{{-0.9f, 0.9f, 0.0f}, {0.9f, 0.9f, 0.0f}, {0.0f, 2.0f, 0.0f}}},
    {{{-0.6f, 1.15f, 0.0f}, {0.6f, 1.15f, 0.0f}, {0.0f, 2.15f, 0.0f}}},
};

int32_t clampSet(int32_t blockSet) { return blockSet >= 0 && blockSet <= 4 ? blockSet : 0; }

glm::mat4 interpolate(const PathFrame& a, const PathFrame& b, float t) {
    const glm::quat qa = glm::quat_cast(glm::mat3(a));
    const glm::quat qb = glm::quat_cast(glm::mat3(b));
    glm::mat4 m = glm::mat4_cast(glm::slerp(qa, qb, t));
    m[3] = glm::vec4(glm::mix(framePosition(a), framePosition(b), t), 1.0f);
    return m;
}

glm::vec3 unitOr(const glm::vec3& v, const glm::vec3& fallback) {
    const float length = glm::length(v);
    return length > 1e-9f ? v / length : fallback;
}

}  // namespace

int32_t builtTrackStartIndex(int32_t blockSet) { return kBuiltStart[clampSet(blockSet)]; }
ExperienceTriple experienceTriple(int32_t blockSet) { return kTriples[clampSet(blockSet)]; }

Ride::Ride(RideHost& host, Coaster& coaster, Car& train) : host_(host), coaster_(coaster), train_(train) {
    train_.stopSounds = [this] {
        if (sound::SoundBank* sounds = host_.rideSounds()) {
            stopSound(sounds->wooden.get());
            stopSound(sounds->steel.get());
            stopSound(sounds->lift.get());
        }
    };
}

// The train may outlive the ride: it must not call back into it then.
Ride::~Ride() { train_.stopSounds = nullptr; }

bool Ride::experience() const { return coaster_.rideState == kRideExperience || coaster_.rideState == kRideCountdown; }

sound::SoundSample* Ride::runningSound() {
    sound::SoundBank* sounds = host_.rideSounds();
    if (!sounds) return nullptr;
    const int32_t set = host_.rideBlockSet();
    return set == 0 || set == 3 ? sounds->wooden.get() : sounds->steel.get();
}

void Ride::startSound(sound::SoundSample* sample) {
    if (sample && !sample->isPlaying()) sample->play();
}

void Ride::stopSound(sound::SoundSample* sample) {
    if (sample && sample->isPlaying()) sample->stop();
}

void Ride::startRide(int32_t mode) {
    buildRidePath(coaster_);
    if (mode == kRideExperience) {
        coaster_.rideState = kRideCountdown;
        coaster_.trackState = kTrackComplete;
        start(experienceTriple(host_.rideBlockSet()));
    } else {
        coaster_.rideState = kRideTest;
        start(std::nullopt);
    }
}

void Ride::stopRide() {
    stop();
    coaster_.rideState = kRideIdle;
}

void Ride::start(const std::optional<ExperienceTriple>& triple) {
    Car& car = train_;
    car.path = &coaster_.ridePath;
    const int32_t n = static_cast<int32_t>(coaster_.ridePath.size());
    car.ridePosition = glm::vec3(0.0f);
    if (triple) {
        car.startIndex = triple->startIndex;
        car.chainBegin = triple->chainBegin;
        car.chainEnd = triple->chainEnd;
    } else {
        car.startIndex = builtTrackStartIndex(host_.rideBlockSet());
        car.chainBegin = car.chainEnd = 0;
    }
    if (n > 0) car.startIndex = std::clamp(car.startIndex, 0, n - 1);
    for (auto& follower : car.following) {
        follower->path = car.path;
        follower->addToWorld();
    }
    car.addToWorld();
    coaster_.live.maxSpeed = coaster_.live.time = coaster_.live.length = 0.0f;
    coaster_.live.lateralG = coaster_.live.positiveVerticalG = 0.0f;
    coaster_.live.negativeVerticalG = 1.0f;
    car.lapIndex = car.startIndex == 0 ? n : car.startIndex - 1;
    coaster_.speed = kStartSpeed;
    car.ridePosition = n > 0 ? framePosition(coaster_.ridePath[static_cast<size_t>(car.startIndex)]) : glm::vec3(0);
    car.currentBlock = nullptr;
    car.segment = car.startIndex;
    if (!triple) startSound(runningSound());
    car.accumulator = 0.0f;
    car.previousPitch = car.previousHeading = kNoAngle;
    hilltop_ = false;
    car.pitch = car.travelHeading = 0.0f;
    step();
}

void Ride::segmentEnds(int32_t i, glm::vec3* a, glm::vec3* b, int32_t* ia, int32_t* ib) const {
    const int32_t n = static_cast<int32_t>(coaster_.ridePath.size());
    *ia = i;
    *ib = i < n - 2 ? i + 1 : 0;
    *a = framePosition(coaster_.ridePath[static_cast<size_t>(*ia)]);
    *b = framePosition(coaster_.ridePath[static_cast<size_t>(*ib)]);
}

int32_t Ride::step() {
    Car& car = train_;
    if (coaster_.ridePath.size() < 3) return 1;
    car.frameStartPosition = car.ridePosition;
    car.accumulator += host_.rideFrameSeconds();
    lapFlag_ = false;
    while (car.accumulator >= kSimulationStep) {
        if (simulationStep()) return 1;
    }
    placeFollowingCars();
    if (sound::SoundSample* running = runningSound()) {
        running->setFrequency(static_cast<int32_t>(12000.0f + coaster_.speed * 67.054092f));
    }
    if (car.segment > car.lapIndex && lapFlag_) {
        coaster_.committed = coaster_.live;
        return 1;
    }
    if (experience()) {
        coaster_.speed = std::max(coaster_.speed, kStartSpeed);
    } else if (coaster_.rideState == kRideTest && coaster_.speed < kStartSpeed) {
        coaster_.speed = 0.0f;
        return 1;
    }
    return 0;
}

bool Ride::simulationStep() {
    Car& car = train_;
    const int32_t n = static_cast<int32_t>(coaster_.ridePath.size());
    float& speed = coaster_.speed;
    RideStats& stats = coaster_.live;
    car.accumulator -= kSimulationStep;
    stats.time += kSimulationStep;
    // Segment ends.
    int32_t i = car.segment;
    if (i >= n - 2 && coaster_.trackState == kTrackBuilding) {
        stats.maxSpeed = speed;
        speed = -2.0f;
        return true;
    }
    glm::vec3 a, b;
    int32_t ia = 0, ib = 0;
    segmentEnds(i, &a, &b, &ia, &ib);
    if (i <= car.lapIndex) lapFlag_ = true;
    stats.maxSpeed = std::max(stats.maxSpeed, speed);
    // Slope, by the previous step's pitch (positive: going down).
    const float p = car.pitch;
    const float s = std::sin(p * kRadians);
    const int32_t set = host_.rideBlockSet();
    if (experience() && (set == 0 || set == 3)) {
        if (p > 0.0f) speed += s * (hilltop_ ? 0.0995f : 0.094f);
        else if (p < 0.0f) speed += s * 0.0775f;
    } else {
        if (p > 0.0f) speed += s * (hilltop_ ? 0.095f : 0.09f);
        else if (p < 0.0f) speed += s * 0.08f;
        else speed -= 0.006f;
    }
    speed -= hilltop_ ? 0.0005f : 0.0035f;  // rolling friction per step
    if (speed < 0.0f) speed = 0.0f;
    // The block under the train (built track).
    const TrackBlock* block = nullptr;
    if (!experience()) {
        int32_t j = i;
        block = coaster_.blocks.oldest;
        while (block && j >= block->pathFrameCount()) {
            j -= block->pathFrameCount() - 1;
            block = static_cast<const TrackBlock*>(block->newer);
        }
        car.currentBlock = block;
    }
    // Chain.
    sound::SoundSample* lift = host_.rideSounds() ? host_.rideSounds()->lift.get() : nullptr;
    if (experience()) {
        if (i < car.chainBegin || i > car.chainEnd) {
            if (p <= 0.0f) {
                speed -= 0.16f;
                if (speed < kChainSpeed) speed = kChainSpeed;
            }
            startSound(lift);
        } else if (i > car.chainBegin) {
            stopSound(lift);
        }
    } else if (block) {
        if (!block->chain) {
            stopSound(lift);
        } else {
            startSound(lift);
            if (p <= 0.0f) {
                speed -= 0.16f;
                if (speed < kChainSpeed) speed = kChainSpeed;
            }
            if (block->name.find("hilltop") != std::string::npos) hilltop_ = true;
        }
    }
    // Move.
    const glm::vec3 u = unitOr(b - a, glm::vec3(0, 0, 1));
    const float d = speed * kSimulationStep;
    stats.length += d;
    car.ridePosition += u * d;
    float segmentLength = glm::length(b - a);
    float t = segmentLength > 0.0f ? glm::length(car.ridePosition - a) / segmentLength : 1.0f;
    if (t >= 1.0f) {
        const float overshoot = glm::length(car.ridePosition - a) - segmentLength;
        i = i + 1;
        if (i >= n - 1) i = 0;
        segmentEnds(i, &a, &b, &ia, &ib);
        car.ridePosition = a;
        if (overshoot != 0.0f) car.ridePosition += unitOr(b - a, glm::vec3(0, 0, 1)) * overshoot;
        segmentLength = glm::length(b - a);
        t = segmentLength > 0.0f ? glm::length(car.ridePosition - a) / segmentLength : 0.0f;
    }
    car.segment = i;
    car.fraction = t;
    car.transform = interpolate(coaster_.ridePath[static_cast<size_t>(ia)], coaster_.ridePath[static_cast<size_t>(ib)],
                                std::clamp(t, 0.0f, 1.0f));
    if (car.model && car.model->root()) car.model->root()->local = car.transform;
    slopeHeadingAndG();
    if (coaster_.rideState == kRideTest && collides()) {
        stats.maxSpeed = speed;
        speed = -1.0f;
        return true;
    }
    return false;
}

void Ride::slopeHeadingAndG() {
    Car& car = train_;
    RideStats& stats = coaster_.live;
    const glm::vec3 moved = car.ridePosition - car.frameStartPosition;
    if (glm::dot(moved, moved) < 1e-12f) return;
    const glm::vec3 v = glm::normalize(moved);
    const glm::vec3 h = unitOr(glm::vec3(v.x, 0.0f, v.z), glm::vec3(0, 0, 1));
    float pitch = std::acos(std::clamp(glm::dot(v, h), -1.0f, 1.0f)) * kDegrees;
    if (pitch > -2.0f && pitch < 2.0f) pitch = 0.0f;
    if (v.y > 0.0f) pitch = -pitch;
    car.pitch = pitch;
    if (pitch <= 0.0f) hilltop_ = false;
    if (car.previousPitch != kNoAngle) {
        const float g = (car.previousPitch - pitch) * coaster_.speed * 0.02f + 1.0f;
        if (g < 1.0f) stats.negativeVerticalG = std::min(stats.negativeVerticalG, g);
        else stats.positiveVerticalG = std::max(stats.positiveVerticalG, g);
    }
    car.previousPitch = pitch;
    car.travelHeading = std::acos(std::clamp(h.z, -1.0f, 1.0f)) * kDegrees;
    // Lateral g from the track's own turning: speed times the rate of
    // change of the car's horizontal direction, in units of g.
    const glm::vec3 forward = glm::vec3(car.transform[2]);
    const glm::vec3 flat = unitOr(glm::vec3(forward.x, 0.0f, forward.z), glm::vec3(0, 0, 1));
    if (car.previousHeading != kNoAngle) {
        const float turn = std::acos(std::clamp(glm::dot(flat, previousForward_), -1.0f, 1.0f));  // rad per step
        const float lateral = coaster_.speed * turn / kSimulationStep / kGravity;
        stats.lateralG = std::max(stats.lateralG, lateral);
    }
    previousForward_ = flat;
    car.previousHeading = car.travelHeading;
}

bool Ride::collides() {
    engine::World* world = host_.rideWorld();
    if (!world) return false;
    Car& car = train_;
    car.SceneObject::removeFromWorld();  // the lead car must not hit itself
    engine::CollisionScene& scene = world->collision();
    const Spheres& spheres = kSpheres[clampSet(host_.rideBlockSet())];
    auto centre = [&](int k) {
        const glm::vec3& offset = spheres.centre[k];
        return car.ridePosition + offset.x * glm::vec3(car.transform[0]) + offset.y * glm::vec3(car.transform[1]) +
               offset.z * glm::vec3(car.transform[2]);
    };
    const bool hit = scene.sphereObjects(centre(0), kCollisionRadius) || scene.sphereStatic(centre(0), kCollisionRadius) ||
                     scene.sphereObjects(centre(1), kCollisionRadius) || scene.sphereStatic(centre(1), kCollisionRadius) ||
                     scene.sphereObjects(centre(2), kCollisionRadius);
    car.addToWorld();
    return hit;
}

void Ride::placeFollowingCars() {
    const int32_t n = static_cast<int32_t>(coaster_.ridePath.size());
    const Car* front = &train_;
    for (auto& follower : train_.following) {
        Car& car = *follower;
        int32_t i = front->segment;
        glm::vec3 a, b;
        int32_t ia = 0, ib = 0;
        segmentEnds(i, &a, &b, &ia, &ib);
        float length = glm::length(a - b);
        glm::vec3 position = front->ridePosition + unitOr(a - b, glm::vec3(0, 0, -1)) * train_.spacing;
        for (int guard = 0; guard < n && glm::length(position - b) > length; ++guard) {
            const float remainder = glm::length(position - b) - length;
            position = a;
            i = i - 1;
            if (i < 0) i = n - 1;
            if (i >= n - 1) i = n - 2;
            segmentEnds(i, &a, &b, &ia, &ib);
            length = glm::length(a - b);
            position += unitOr(a - b, glm::vec3(0, 0, -1)) * remainder;
        }
        car.segment = i;
        car.ridePosition = position;
        car.fraction = length > 0.0f ? glm::length(position - b) / length : 0.0f;
        car.transform = interpolate(coaster_.ridePath[static_cast<size_t>(ib)], coaster_.ridePath[static_cast<size_t>(ia)],
                                    std::clamp(car.fraction, 0.0f, 1.0f));
        if (car.model && car.model->root()) car.model->root()->local = car.transform;
        front = &car;
    }
}

void Ride::stop() { train_.removeFromWorld(); }

void Ride::update() {
    switch (coaster_.rideState) {
    case kRideIdle:
    case kRidePassed:
    case kRideTooSlow:
    case kRideCollision:
    case kRideEndOfTrack:
        return;
    case kRideCountdown:
        if (countdown >= 0.0f) {
            countdown -= host_.rideFrameSeconds();
        } else {
            coaster_.rideState = kRideExperience;
            countdown = 0.0f;
            startSound(runningSound());
        }
        return;
    case kRideExperienceDone:
        host_.setRideDragMode(1);
        countdown -= host_.rideFrameSeconds();
        if (countdown < 0.0f) {
            host_.requestTitle();
            countdown = 0.0f;
            coaster_.rideState = kRideIdle;
        }
        return;
    default:
        break;
    }
    if (!step()) return;
    host_.setRideDragMode(0);
    if (sound::SoundBank* sounds = host_.rideSounds()) {
        stopSound(runningSound());
        stopSound(sounds->lift.get());
    }
    if (host_.ridingState()) {
        coaster_.rideState = kRideExperienceDone;
        countdown = 3.0f;
        return;
    }
    const float marker = coaster_.speed;
    if (marker == -1.0f) coaster_.rideState = kRideCollision;
    else if (marker == 0.0f) coaster_.rideState = kRideTooSlow;
    else if (marker == -2.0f) coaster_.rideState = kRideEndOfTrack;
    else {
        coaster_.rideState = kRidePassed;
        coaster_.trackState = kTrackTested;
    }
    if (coaster_.rideState != kRidePassed) coaster_.speed = coaster_.live.maxSpeed;
    host_.testRunEnded(coaster_.rideState);
}

}  // namespace zr
