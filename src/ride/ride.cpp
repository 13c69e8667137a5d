// The ride's steps, statistics, sounds and state machine.
#include "ride/ride.h"

#include "track/track_geometry.h"

#include <glm/gtc/quaternion.hpp>

#include <cmath>

namespace zr {
namespace {

constexpr float kDegrees = 57.295776f;    // degrees per radian
constexpr float kRadians = 0.017453292f;  // radians per degree

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

Ride::Ride(RideHost& host, Coaster& coaster, Car& train, const BlockSetFacts& facts)
    : host_(host), coaster_(coaster), train_(train), facts_(facts) {
    train_.stopSounds = [this] { stopSounds(); };
}

// The train may outlive the ride: it must not call back into it then.
Ride::~Ride() { train_.stopSounds = nullptr; }

bool Ride::experience() const {
    return record_.state == kRideExperience || record_.state == kRideCountdown;
}

sound::SoundSample* Ride::runningSound() {
    sound::SoundBank* sounds = host_.rideSounds();
    if (!sounds) return nullptr;
    return facts_.wooden ? sounds->wooden.get() : sounds->steel.get();
}

void Ride::startSound(sound::SoundSample* sample) {
    if (sample && !sample->isPlaying()) sample->play();
}

void Ride::stopSound(sound::SoundSample* sample) {
    if (sample && sample->isPlaying()) sample->stop();
}

void Ride::stopSounds() {
    if (sound::SoundBank* sounds = host_.rideSounds()) {
        stopSound(sounds->wooden.get());
        stopSound(sounds->steel.get());
        stopSound(sounds->lift.get());
    }
}

void Ride::startRide(int32_t mode) {
    buildRidePath(coaster_);
    if (mode == kRideExperience) {
        record_.state = kRideCountdown;
        coaster_.trackState = kTrackComplete;
        start(facts_.experience);
    } else {
        record_.state = kRideTest;
        start(std::nullopt);
    }
}

void Ride::stopRide() {
    stop();
    record_.state = kRideIdle;
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
        car.startIndex = facts_.startIndex;
        car.chainBegin = car.chainEnd = 0;
    }
    if (n > 0) car.startIndex = std::clamp(car.startIndex, 0, n - 1);
    for (auto& follower : car.following) {
        follower->path = car.path;
        follower->addToWorld();
    }
    car.addToWorld();
    RideStats& live = record_.live;
    live.maxSpeed = live.time = live.length = 0.0f;
    live.lateralG = live.positiveVerticalG = 0.0f;
    live.negativeVerticalG = 1.0f;
    record_.outcome = RideOutcome::None;
    car.lapIndex = car.startIndex == 0 ? n : car.startIndex - 1;
    record_.speed = kStartSpeed;
    car.currentBlock = nullptr;
    walkBlock_ = nullptr;
    car.segment = car.startIndex;
    car.ridePosition = n > 0 ? framePosition(coaster_.ridePath[static_cast<size_t>(car.startIndex)]) : glm::vec3(0);
    // The train stands at its start from the first frame on, countdown
    // included: the seat view rides with it (the Step below places the
    // following cars behind it).
    if (n > 0) placeCar(car, car.startIndex, car.startIndex + 1 < n ? car.startIndex + 1 : car.startIndex, 0.0f);
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

void Ride::placeCar(Car& car, int32_t from, int32_t to, float t) const {
    car.transform = interpolate(coaster_.ridePath[static_cast<size_t>(from)],
                                coaster_.ridePath[static_cast<size_t>(to)], std::clamp(t, 0.0f, 1.0f));
    if (car.model && car.model->root()) car.model->root()->local = car.transform;
}

int32_t Ride::step() {
    Car& car = train_;
    // A path of fewer than three frames has no segment to run on: the
    // train is at the end of the track at once.
    if (coaster_.ridePath.size() < 3) {
        endRun(RideOutcome::EndOfTrack);
        return 1;
    }
    car.accumulator += host_.rideFrameSeconds();
    bool ended = false;
    while (!ended && car.accumulator >= kSimulationStep) ended = simulationStep();
    placeFollowingCars();
    if (sound::SoundSample* running = runningSound()) {
        running->setFrequency(static_cast<int32_t>(kRunningSoundBase + record_.speed * kRunningSoundPerSpeed));
    }
    return ended ? 1 : 0;
}

bool Ride::endRun(RideOutcome outcome) {
    record_.outcome = outcome;
    if (outcome == RideOutcome::EndOfTrack || outcome == RideOutcome::Collision) {
        record_.live.maxSpeed = record_.speed;  // the display keeps the speed at the failure
    }
    return true;
}

bool Ride::simulationStep() {
    Car& car = train_;
    const int32_t n = static_cast<int32_t>(coaster_.ridePath.size());
    float& speed = record_.speed;
    RideStats& stats = record_.live;
    car.accumulator -= kSimulationStep;
    stats.time += kSimulationStep;
    // Segment ends.
    int32_t i = car.segment;
    if (i >= n - 2 && coaster_.trackState == kTrackBuilding) return endRun(RideOutcome::EndOfTrack);
    glm::vec3 a, b;
    int32_t ia = 0, ib = 0;
    segmentEnds(i, &a, &b, &ia, &ib);
    const bool fromBeforeTheLap = i <= car.lapIndex;
    stats.maxSpeed = std::max(stats.maxSpeed, speed);
    // Slope, by the previous step's pitch (positive: going down).
    const float p = car.pitch;
    const float s = std::sin(p * kRadians);
    if (experience() && facts_.wooden) {
        if (p > 0.0f)
            speed += s * (hilltop_ ? kWoodenHilltopDownhillGain : kWoodenDownhillGain);
        else if (p < 0.0f)
            speed += s * kWoodenUphillGain;
    } else {
        if (p > 0.0f)
            speed += s * (hilltop_ ? kHilltopDownhillGain : kDownhillGain);
        else if (p < 0.0f)
            speed += s * kUphillGain;
        else
            speed -= kLevelLoss;
    }
    speed -= hilltop_ ? kHilltopFriction : kRollingFriction;
    if (speed < 0.0f) speed = 0.0f;
    const TrackBlock* block = nullptr;
    if (!experience()) block = car.currentBlock = blockAt(i);
    // Chain.
    sound::SoundSample* lift = host_.rideSounds() ? host_.rideSounds()->lift.get() : nullptr;
    const auto pullOnChain = [&] {
        if (p > 0.0f) return;  // going down, the chain has no effect
        speed -= kChainBrake;
        if (speed < kChainSpeed) speed = kChainSpeed;
    };
    if (experience()) {
        if (i < car.chainBegin || i > car.chainEnd) {
            pullOnChain();
            startSound(lift);
        } else if (i > car.chainBegin) {
            stopSound(lift);
        }
    } else if (block) {
        if (!block->chain) {
            stopSound(lift);
        } else {
            startSound(lift);
            pullOnChain();
            if (block->name.find("hilltop") != std::string::npos) hilltop_ = true;
        }
    }
    // Move; at most one segment boundary a step.
    const glm::vec3 stepStart = car.ridePosition;
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
    placeCar(car, ia, ib, t);
    slopeHeadingAndG(stepStart);
    if (record_.state == kRideTest && collides()) return endRun(RideOutcome::Collision);
    // A step that began before the lap index and ended past it completes
    // the lap.
    if (fromBeforeTheLap && car.segment > car.lapIndex) {
        stats.blockCount = static_cast<float>(coaster_.blocks.count);
        record_.committed = stats;
        return endRun(RideOutcome::Lap);
    }
    if (experience()) {
        speed = std::max(speed, kStartSpeed);
    } else if (record_.state == kRideTest && speed < kStartSpeed) {
        return endRun(RideOutcome::TooSlow);
    }
    return false;
}

// The block holding path index i: the walk from the oldest block, each
// block taking its frames but the last (which the next block shares). The
// walk resumes from the block found last while the train moves on, with
// the result the whole walk would give.
const TrackBlock* Ride::blockAt(int32_t i) {
    const TrackBlock* oldest = coaster_.blocks.oldest;
    const bool resume = walkBlock_ && (i > walkStart_ || walkBlock_ == oldest);
    const TrackBlock* block = resume ? walkBlock_ : oldest;
    int32_t j = resume ? i - walkStart_ : i;
    while (block && j >= block->pathFrameCount()) {
        j -= block->pathFrameCount() - 1;
        block = static_cast<const TrackBlock*>(block->newer);
    }
    walkBlock_ = block;
    walkStart_ = i - j;
    return block;
}

void Ride::slopeHeadingAndG(const glm::vec3& stepStart) {
    Car& car = train_;
    RideStats& stats = record_.live;
    // The direction of travel over this step.
    const glm::vec3 moved = car.ridePosition - stepStart;
    if (glm::dot(moved, moved) < 1e-12f) return;
    const glm::vec3 v = glm::normalize(moved);
    const glm::vec3 h = unitOr(glm::vec3(v.x, 0.0f, v.z), glm::vec3(0, 0, 1));
    float pitch = std::acos(std::clamp(glm::dot(v, h), -1.0f, 1.0f)) * kDegrees;
    if (pitch > -kLevelPitch && pitch < kLevelPitch) pitch = 0.0f;
    if (v.y > 0.0f) pitch = -pitch;
    car.pitch = pitch;
    if (pitch <= 0.0f) hilltop_ = false;
    if (car.previousPitch != kNoAngle) {
        const float g = (car.previousPitch - pitch) * record_.speed * kVerticalGPerDegreeSpeed + 1.0f;
        if (g < 1.0f) stats.negativeVerticalG = std::min(stats.negativeVerticalG, g);
        else stats.positiveVerticalG = std::max(stats.positiveVerticalG, g);
    }
    car.previousPitch = pitch;
    car.travelHeading = std::acos(std::clamp(h.z, -1.0f, 1.0f)) * kDegrees;
    lateralG();
    car.previousHeading = car.travelHeading;
}

// The force along the car's own right axis, as the riders feel it: the
// sideways part of the car's acceleration (speed times the turn rate of
// its forward axis) with gravity's share, in g. About v^2 / (r g) in a level
// unbanked curve, none in a vertical loop, less in a well-banked curve.
void Ride::lateralG() {
    const Car& car = train_;
    const glm::vec3 forward = unitOr(glm::vec3(car.transform[2]), glm::vec3(0, 0, 1));
    const glm::vec3 right = unitOr(glm::vec3(car.transform[0]), glm::vec3(1, 0, 0));
    if (car.previousHeading != kNoAngle) {
        const float turnRate = glm::dot(forward - previousForward_, right) / kSimulationStep;  // rad/s
        const float sideways = record_.speed * turnRate + kGravity * right.y;                  // m/s^2
        record_.live.lateralG = std::max(record_.live.lateralG, std::abs(sideways) / kGravity);
    }
    previousForward_ = forward;
}

bool Ride::collides() {
    engine::World* world = host_.rideWorld();
    if (!world) return false;
    Car& car = train_;
    // The lead car must not hit itself: its own parts are left out.
    if (car.model)
        world->objectIdsOf(*car.model, &ownParts_);
    else
        ownParts_.clear();
    engine::CollisionScene& scene = world->collision();
    auto centre = [&](size_t k) {
        const glm::vec3& offset = facts_.spheres[k];
        return car.ridePosition + offset.x * glm::vec3(car.transform[0]) + offset.y * glm::vec3(car.transform[1]) +
               offset.z * glm::vec3(car.transform[2]);
    };
    auto objects = [&](size_t k) { return scene.sphereObjects(centre(k), kCollisionRadius, nullptr, &ownParts_); };
    auto statics = [&](size_t k) { return scene.sphereStatic(centre(k), kCollisionRadius); };
    return objects(0) || statics(0) || objects(1) || statics(1) || objects(2);
}

void Ride::placeFollowingCars() {
    const int32_t n = static_cast<int32_t>(coaster_.ridePath.size());
    if (n < 3) return;
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
        placeCar(car, ib, ia, car.fraction);
        front = &car;
    }
}

void Ride::stop() { train_.removeFromWorld(); }

void Ride::update() {
    switch (record_.state) {
        case kRideIdle:
        case kRidePassed:
        case kRideTooSlow:
        case kRideCollision:
        case kRideEndOfTrack: return;
        case kRideCountdown:
            if (record_.countdown >= 0.0f) {
                record_.countdown -= host_.rideFrameSeconds();
            } else {
                record_.state = kRideExperience;
                record_.countdown = 0.0f;
                startSound(runningSound());
            }
            return;
        case kRideExperienceDone:
            host_.allowLookAround(true);
            record_.countdown -= host_.rideFrameSeconds();
            if (record_.countdown < 0.0f) {
                host_.requestTitle();
                record_.countdown = 0.0f;
                record_.state = kRideIdle;
            }
            return;
        default: break;
    }
    if (!step()) return;
    host_.allowLookAround(false);
    if (sound::SoundBank* sounds = host_.rideSounds()) {
        stopSound(runningSound());
        stopSound(sounds->lift.get());
    }
    if (host_.ridingState()) {
        record_.state = kRideExperienceDone;
        record_.countdown = kLapDoneWait;
        return;
    }
    switch (record_.outcome) {
        case RideOutcome::Collision: record_.state = kRideCollision; break;
        case RideOutcome::TooSlow: record_.state = kRideTooSlow; break;
        case RideOutcome::EndOfTrack: record_.state = kRideEndOfTrack; break;
        default:
            record_.state = kRidePassed;
            coaster_.trackState = kTrackTested;
            break;
    }
    if (record_.state != kRidePassed) record_.speed = record_.live.maxSpeed;
    host_.testRunEnded(record_.state);
}

}  // namespace zr
