// Ride physics and statistics: the train moves along the coaster's ride
// path in fixed 0.01 s steps, its speed changed by the slope, friction and
// the lift chain; the run measures time, length, top speed and g-forces,
// drives the ride sounds, places the following cars, and ends as a lap, too
// slow, a collision or the end of an unfinished track. Everything that
// decides the ride happens per simulation step, so a lap gives the same
// statistics at any frame rate.
#pragma once

#include "ride/car.h"
#include "sound/sound_bank.h"
#include "track/block_set_facts.h"
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

// Why a run ended.
enum class RideOutcome : int32_t { None, Lap, TooSlow, Collision, EndOfTrack };

// The ride's rules, per simulation step unless said otherwise.
constexpr float kSimulationStep = 0.01f;        // s
constexpr float kStartSpeed = 2.0f;             // m/s at the start; a test run slower than this stalls
constexpr float kChainSpeed = 3.5762181f;       // m/s the lift chain pulls at
constexpr float kChainBrake = 0.16f;            // m/s a faster train loses on a chain going up
constexpr float kLevelLoss = 0.006f;            // m/s lost on level built track
constexpr float kRollingFriction = 0.0035f;     // m/s
constexpr float kHilltopFriction = 0.0005f;     // m/s, over a hilltop crest
constexpr float kDownhillGain = 0.09f;          // m/s per unit sine of the pitch, going down
constexpr float kHilltopDownhillGain = 0.095f;  // m/s per unit sine, down from a hilltop crest
constexpr float kUphillGain = 0.08f;            // m/s per unit sine (negative going up)
constexpr float kWoodenDownhillGain = 0.094f;   // the wooden sets' experience rides
constexpr float kWoodenHilltopDownhillGain = 0.0995f;
constexpr float kWoodenUphillGain = 0.0775f;
constexpr float kLevelPitch = 2.0f;                  // degrees: flatter travel counts as level
constexpr float kVerticalGPerDegreeSpeed = 0.02f;    // g per degree of pitch change per m/s, in one step
constexpr float kGravity = 9.81f;                    // m/s^2
constexpr float kCollisionRadius = 0.25f;            // m
constexpr float kRunningSoundBase = 12000.0f;        // Hz of the running sound at rest
constexpr float kRunningSoundPerSpeed = 67.054092f;  // Hz per m/s
constexpr float kExperienceCountdown = 3.0f;         // s before the experience ride starts
constexpr float kLapDoneWait = 3.0f;                 // s after the experience lap, then the title

struct RideStats {
    float maxSpeed = 0.0f;  // m/s
    float time = 0.0f;      // s
    float length = 0.0f;    // m
    float blockCount = 0.0f;
    float lateralG = 0.0f;           // g, the largest sideways force the riders feel
    float positiveVerticalG = 0.0f;  // g
    float negativeVerticalG = 1.0f;  // g; starts at 1, so a run that never dips keeps 1
};

// The ride's record: its state, why it ended, the lead car's speed and the
// statistics of the run so far and of the last completed lap.
struct RideRecord {
    int32_t state = kRideIdle;
    RideOutcome outcome = RideOutcome::None;
    float speed = 0.0f;  // m/s; after a failed test run, the speed when it failed
    RideStats live;
    RideStats committed;
    float countdown = 0.0f;  // s: before the experience ride, and after its lap
};

// What the ride needs from the game around it.
class RideHost {
public:
    virtual ~RideHost() = default;
    virtual float rideFrameSeconds() const = 0;
    virtual bool ridingState() const = 0;  // the game is in its riding state
    virtual sound::SoundBank* rideSounds() = 0;
    virtual engine::World* rideWorld() = 0;
    // Whether the mouse may look around from the seat.
    virtual void allowLookAround(bool allowed) = 0;
    virtual void requestTitle() = 0;
    // A test run ended with this state (camera placement is the host's).
    virtual void testRunEnded(int32_t state) = 0;
};

class Ride {
public:
    Ride(RideHost& host, Coaster& coaster, Car& train, const BlockSetFacts& facts);
    ~Ride();
    Ride(const Ride&) = delete;
    Ride& operator=(const Ride&) = delete;

    // Starts a test run (mode 2) or the experience ride (mode 4).
    void startRide(int32_t mode);
    void stopRide();
    // Start: without a triple, the block set's start index on a built track.
    void start(const std::optional<ExperienceTriple>& triple);
    // One frame; 1 when the run has ended (record().outcome says why).
    int32_t step();
    // The per-frame state machine.
    void update();
    // Takes the train out of the scene.
    void stop();
    // Stops the running and lift sounds, whatever the train.
    void stopSounds();

    RideRecord& record() { return record_; }
    const RideRecord& record() const { return record_; }
    int32_t state() const { return record_.state; }
    bool hilltop() const { return hilltop_; }
    Car& train() { return train_; }
    const Car& train() const { return train_; }
    const BlockSetFacts& facts() const { return facts_; }

private:
    bool simulationStep();  // true when the run ended
    bool endRun(RideOutcome outcome);
    void placeCar(Car& car, int32_t from, int32_t to, float t) const;
    void placeFollowingCars();
    void segmentEnds(int32_t i, glm::vec3* a, glm::vec3* b, int32_t* ia, int32_t* ib) const;
    void slopeHeadingAndG(const glm::vec3& stepStart);
    void lateralG();
    bool collides();
    const TrackBlock* blockAt(int32_t pathIndex);
    void startSound(sound::SoundSample* sample);
    void stopSound(sound::SoundSample* sample);
    sound::SoundSample* runningSound();
    bool experience() const;

    RideHost& host_;
    Coaster& coaster_;
    Car& train_;
    BlockSetFacts facts_;
    RideRecord record_;
    bool hilltop_ = false;
    glm::vec3 previousForward_{0.0f};  // the lead car's forward axis one step ago
    const TrackBlock* walkBlock_ = nullptr;            // the block found last, none before a run
    int32_t walkStart_ = 0;                            // the path index its first frame has
    std::vector<engine::CollisionObjectId> ownParts_;  // the lead car's, left out of its test
};

}  // namespace zr
