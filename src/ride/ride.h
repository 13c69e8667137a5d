// Ride physics and statistics: the train moves along the coaster's ride
// path in fixed 0.01 s steps, its speed changed by the slope, friction and
// the lift chain; the run measures time, length, top speed and g-forces,
// drives the ride sounds, places the following cars, and ends as a lap, too
// slow, a collision or the end of an unfinished track.
#pragma once

#include "ride/car.h"
#include "sound/sound_bank.h"
#include "track/coaster.h"

#include <optional>

namespace zr {

enum RideState : int32_t {
    kRideIdle = 0,
    kRideCountdown = 1,
    kRideTest = 2,
    kRideExperience = 4,
    kRideExperienceDone = 8,
    kRidePassed = 16,
    kRideTooSlow = 32,
    kRideCollision = 64,
    kRideEndOfTrack = 128,
};

constexpr float kSimulationStep = 0.01f;   // s
constexpr float kStartSpeed = 2.0f;        // m/s
constexpr float kChainSpeed = 3.5762181f;  // m/s
constexpr float kCollisionRadius = 0.25f;  // m

struct ExperienceTriple {
    int32_t startIndex = 0;
    int32_t chainBegin = 0;
    int32_t chainEnd = 0;
};

// The block set's start index on a built track, and its experience triple.
int32_t builtTrackStartIndex(int32_t blockSet);
ExperienceTriple experienceTriple(int32_t blockSet);

// What the ride needs from the game around it.
class RideHost {
public:
    virtual ~RideHost() = default;
    virtual float rideFrameSeconds() const = 0;
    virtual int32_t rideBlockSet() const = 0;
    virtual bool ridingState() const = 0;  // the game is in its riding state
    virtual sound::SoundBank* rideSounds() = 0;
    virtual engine::World* rideWorld() = 0;
    virtual void setRideDragMode(int32_t mode) = 0;
    virtual void requestTitle() = 0;
    // A test run ended with this state (camera placement is the host's).
    virtual void testRunEnded(int32_t state) = 0;
};

class Ride {
public:
    Ride(RideHost& host, Coaster& coaster, Car& train);
    ~Ride();
    Ride(const Ride&) = delete;
    Ride& operator=(const Ride&) = delete;

    // Starts a test run (mode 2) or the experience ride (mode 4).
    void startRide(int32_t mode);
    void stopRide();
    // Start: without a triple, the built-track start index of the set.
    void start(const std::optional<ExperienceTriple>& triple);
    // One frame; 1 when the run has ended.
    int32_t step();
    // The per-frame state machine.
    void update();
    void stop();

    bool hilltop() const { return hilltop_; }
    float countdown = 0.0f;
    Car& train() { return train_; }

private:
    bool simulationStep();  // true when the run ended
    void placeFollowingCars();
    void segmentEnds(int32_t i, glm::vec3* a, glm::vec3* b, int32_t* ia, int32_t* ib) const;
    void slopeHeadingAndG();
    bool collides();
    void startSound(sound::SoundSample* sample);
    void stopSound(sound::SoundSample* sample);
    sound::SoundSample* runningSound();
    bool experience() const;

    RideHost& host_;
    Coaster& coaster_;
    Car& train_;
    bool hilltop_ = false;
    bool lapFlag_ = false;
    glm::vec3 previousForward_{0.0f};  // valid while the car has a previous heading
};

}  // namespace zr
