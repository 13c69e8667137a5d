// Ride physics: the step accumulator, start and chain speeds, slope and
// friction losses, the hilltop flag, lap and end-of-track outcomes, g.
#include "../support/recording_renderer.h"
#include "platform/headless/headless_platform.h"
#include "ride/ride.h"
#include "track/track_geometry.h"

#include <gtest/gtest.h>

namespace zr {
namespace {

class FakeRideHost final : public RideHost {
public:
    float rideFrameSeconds() const override { return frameSeconds; }
    int32_t rideBlockSet() const override { return blockSet; }
    bool ridingState() const override { return riding; }
    sound::SoundBank* rideSounds() override { return nullptr; }
    engine::World* rideWorld() override { return nullptr; }
    void setRideDragMode(int32_t mode) override { dragMode = mode; }
    void requestTitle() override { ++titleRequests; }
    void testRunEnded(int32_t state) override { endedWith = state; }

    float frameSeconds = 0.01f;
    int32_t blockSet = 0;
    bool riding = false;
    int32_t dragMode = 0;
    int titleRequests = 0;
    int32_t endedWith = -1;
};

// A path frame at a point, facing along a direction.
PathFrame frameAt(const glm::vec3& position, const glm::vec3& forward) {
    const glm::vec3 f = glm::normalize(forward);
    const glm::vec3 right = glm::normalize(glm::cross(glm::vec3(0, 1, 0), f));
    PathFrame frame(1.0f);
    frame[0] = glm::vec4(right, 0);
    frame[1] = glm::vec4(glm::cross(f, right), 0);
    frame[2] = glm::vec4(f, 0);
    frame[3] = glm::vec4(position, 1);
    return frame;
}

class RideTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine_.initialise(1 << 20);
        engine_.open(platform_);
        engine_.startWith(std::make_unique<test::RecordingRenderer>());
        context_.engine = &engine_;
        train_ = std::make_unique<Car>(context_, "");
        coaster_ = std::make_unique<Coaster>(context_, nullptr);
    }
    void TearDown() override {
        coaster_.reset();
        blocks_.clear();
    }
    // Appends a block of frames 1 m apart from the end of the track, along
    // a direction (x, y, z), chain or not.
    void addBlock(const std::string& name, int frames, glm::vec3 direction, bool chain) {
        auto block = std::make_unique<TrackBlock>(context_, "");
        block->name = name;
        block->chain = chain ? 1 : 0;
        glm::vec3 p = end_;
        for (int k = 0; k < frames; ++k) {
            block->pathFrames.push_back(frameAt(p, direction));
            if (k + 1 < frames) p += glm::normalize(direction);
        }
        end_ = p;
        coaster_->blocks.append(block.get());
        coaster_->lastBlock = block.get();
        blocks_.push_back(std::move(block));
    }
    Ride& ride() {
        if (!ride_) ride_ = std::make_unique<Ride>(host_, *coaster_, *train_);
        return *ride_;
    }
    void startTest() {
        buildRidePath(*coaster_);
        coaster_->rideState = kRideTest;
        ride().start(std::nullopt);
    }

    test::RecordingRenderer* renderer_ = nullptr;
    HeadlessPlatform platform_{false};
    engine::Engine engine_;
    SceneContext context_;
    FakeRideHost host_;
    std::unique_ptr<Car> train_;
    std::unique_ptr<Coaster> coaster_;
    std::vector<std::unique_ptr<TrackBlock>> blocks_;
    std::unique_ptr<Ride> ride_;
    glm::vec3 end_{0.0f};
};

TEST_F(RideTest, TheTrainOutlivesItsRide) {
    train_->makeFollowingCars("", 2, 0);
    ride();
    ride_.reset();
    train_->removeFromWorld();  // with following cars: would stop the ride's sounds
    train_.reset();
    SUCCEED() << "no call into the destroyed ride";
}

TEST_F(RideTest, FirstStepOnTheStationTakesTheChainSpeed) {
    addBlock("station1", 60, {0, 0, 1}, true);
    addBlock("straight-d1", 20, {0, 0, 1}, false);
    startTest();
    EXPECT_FLOAT_EQ(coaster_->speed, kChainSpeed) << "2.0 - 0.006 - 0.0035 = 1.9905, then the chain";
    EXPECT_EQ(ride().step(), 0) << "not too slow";
}

TEST_F(RideTest, StartOffTheChainEndsTooSlow) {
    addBlock("straight-d1", 80, {0, 0, 1}, false);
    startTest();
    EXPECT_EQ(coaster_->speed, 0.0f) << "below 2.0 after the first frame: the too-slow marker";
    coaster_->rideState = kRideTest;
    ride().update();
    EXPECT_EQ(coaster_->rideState, kRideTooSlow);
    EXPECT_EQ(host_.endedWith, kRideTooSlow);
}

TEST_F(RideTest, FrameTimeBelowTheStepAccumulates) {
    addBlock("station1", 60, {0, 0, 1}, true);
    startTest();
    const glm::vec3 before = train_->ridePosition;
    host_.frameSeconds = 0.004f;
    ride().step();
    ride().step();
    EXPECT_EQ(train_->ridePosition, before) << "0.008 s: no step yet";
    ride().step();
    EXPECT_NE(train_->ridePosition, before) << "0.012 s: one step";
    EXPECT_NEAR(train_->accumulator, 0.002f, 1e-6f);
}

TEST_F(RideTest, LevelLossesByKindOfRun) {
    addBlock("station1", 60, {0, 0, 1}, false);
    buildRidePath(*coaster_);
    coaster_->rideState = kRideTest;
    ride().start(std::nullopt);  // ends too slow but the first step's loss shows
    host_.frameSeconds = 0.0f;
    // Test run: level 0.006 + friction 0.0035 per step.
    coaster_->speed = 10.0f;
    train_->accumulator = 0.01f;
    train_->pitch = 0.0f;
    coaster_->rideState = kRideTest;
    ride().step();
    EXPECT_NEAR(coaster_->speed, 10.0f - 0.0095f, 1e-5f);
    // Experience ride of set 0: friction only.
    coaster_->rideState = kRideExperience;
    train_->chainBegin = 0;
    train_->chainEnd = 1000;
    coaster_->speed = 10.0f;
    train_->accumulator = 0.01f;
    ride().step();
    EXPECT_NEAR(coaster_->speed, 10.0f - 0.0035f, 1e-5f);
}

TEST_F(RideTest, ChainHoldsItsSpeedGoingUpOnly) {
    addBlock("station1", 30, {0, 0, 1}, true);
    addBlock("liftstraight-f1", 40, {0, 1, 1}, true);
    startTest();
    host_.frameSeconds = 0.0f;
    auto stepAt = [&](float speed, float pitch) {
        coaster_->speed = speed;
        train_->pitch = pitch;
        train_->segment = 35;  // on the lift
        train_->accumulator = 0.01f;
        ride().step();
        return coaster_->speed;
    };
    const float upLoss = std::sin(-45.0f * 0.017453292f) * 0.08f - 0.0035f;
    EXPECT_NEAR(stepAt(6.0f, -45.0f), 6.0f + upLoss - 0.16f, 1e-4f) << "faster than the chain: slows by 0.16";
    EXPECT_FLOAT_EQ(stepAt(3.0f, -45.0f), kChainSpeed) << "slower: set to chain speed at once";
    EXPECT_NEAR(stepAt(6.0f, 30.0f), 6.0f + std::sin(30.0f * 0.017453292f) * 0.09f - 0.0035f, 1e-4f)
        << "going down, the chain has no effect";
}

TEST_F(RideTest, LapCompletesPastTheStartIndexAndCommitsTheStatistics) {
    // A closed rectangle: the path wraps from its last frame to its first.
    addBlock("station1", 40, {0, 0, 1}, true);
    addBlock("straight-d1", 10, {1, 0, 0}, true);
    addBlock("straight-d1", 40, {0, 0, -1}, true);
    addBlock("final1", 10, {-1, 0, 0}, true);
    coaster_->trackState = kTrackComplete;
    startTest();
    EXPECT_EQ(train_->lapIndex, 19) << "block set 0 starts at index 20";
    host_.frameSeconds = 0.1f;
    int frames = 0;
    while (ride().step() == 0 && frames < 5000) ++frames;
    EXPECT_GT(coaster_->speed, 0.0f) << "a lap, not a failure";
    EXPECT_GT(train_->segment, 19);
    EXPECT_NEAR(coaster_->committed.length, 96.0f, 2.0f) << "one circuit";
    EXPECT_FLOAT_EQ(coaster_->committed.negativeVerticalG, 1.0f) << "a level lap never dips below 1";
}

TEST_F(RideTest, UnfinishedTrackEndsAtItsLastSegment) {
    addBlock("station1", 40, {0, 0, 1}, true);
    addBlock("straight-d1", 10, {0, 0, 1}, true);
    startTest();
    host_.frameSeconds = 0.1f;
    int frames = 0;
    while (ride().step() == 0 && frames < 5000) ++frames;
    EXPECT_EQ(coaster_->speed, -2.0f);
    coaster_->speed = -2.0f;
    // The state machine turns the marker into the outcome.
    coaster_->rideState = kRideTest;
    train_->segment = static_cast<int32_t>(coaster_->ridePath.size()) - 2;
    ride().update();
    EXPECT_EQ(coaster_->rideState, kRideEndOfTrack);
}

TEST_F(RideTest, HilltopFlagHoldsOverTheCrest) {
    addBlock("station1", 30, {0, 0, 1}, true);
    addBlock("lifthilltop-c1", 5, {0, 1, 1}, true);  // still climbing: set and cleared
    addBlock("lifthilltop-c1", 20, {0, -1, 1}, true);  // over the crest
    addBlock("straight-d1", 20, {0, 0, 1}, false);
    startTest();
    host_.frameSeconds = 0.01f;
    bool seenOnTheWayDown = false;
    bool seenClimbing = false;
    for (int frame = 0; frame < 4000 && ride().step() == 0; ++frame) {
        const bool onCrestBlock = train_->currentBlock && train_->currentBlock->name == "lifthilltop-c1";
        if (onCrestBlock && train_->pitch < 0.0f && ride().hilltop()) seenClimbing = true;
        if (onCrestBlock && train_->pitch > 0.0f && ride().hilltop()) seenOnTheWayDown = true;
    }
    EXPECT_FALSE(seenClimbing) << "climbing clears the flag within the step";
    EXPECT_TRUE(seenOnTheWayDown);
}

}  // namespace
}  // namespace zr
