// Ride physics: the step accumulator, start and chain speeds, slope and
// friction losses, the hilltop flag, lap and end-of-track outcomes, g.
#include "ride/ride.h"
#include "../support/recording_renderer.h"
#include "../support/scene_fixture.h"
#include "platform/headless/headless_platform.h"
#include "track/track_geometry.h"

#include <gtest/gtest.h>

namespace zr {
namespace {

class FakeRideHost final : public RideHost {
public:
    float rideFrameSeconds() const override { return frameSeconds; }
    bool ridingState() const override { return riding; }
    sound::SoundBank* rideSounds() override { return nullptr; }
    engine::World* rideWorld() override { return nullptr; }
    void allowLookAround(bool allowed) override { lookAround = allowed; }
    void requestTitle() override { ++titleRequests; }
    void testRunEnded(int32_t state) override { endedWith = state; }

    float frameSeconds = 0.01f;
    bool riding = false;
    bool lookAround = false;
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

// A closed ride path through the points, each frame facing the next point
// with its right axis level (up = forward x right), and its first frame
// again at the end: the segment after the second-to-last frame goes back
// to frame 0.
std::vector<PathFrame> closedPath(const std::vector<glm::vec3>& points, const glm::vec3& levelRight = glm::vec3(0)) {
    std::vector<PathFrame> path;
    const size_t n = points.size();
    for (size_t i = 0; i < n; ++i) {
        const glm::vec3 forward = glm::normalize(points[(i + 1) % n] - points[(i + n - 1) % n]);
        glm::vec3 right = levelRight;
        if (glm::dot(right, right) == 0.0f) right = glm::normalize(glm::cross(glm::vec3(0, 1, 0), forward));
        PathFrame frame(1.0f);
        frame[0] = glm::vec4(right, 0);
        frame[1] = glm::vec4(glm::cross(forward, right), 0);
        frame[2] = glm::vec4(forward, 0);
        frame[3] = glm::vec4(points[i], 1);
        path.push_back(frame);
    }
    path.push_back(path.front());
    return path;
}

// Points round a circle of the radius about the origin, about a metre apart,
// in the plane of the two axes.
std::vector<glm::vec3> circle(float radius, const glm::vec3& a, const glm::vec3& b) {
    std::vector<glm::vec3> points;
    const int count = static_cast<int>(std::round(2.0f * 3.14159265f * radius));
    for (int i = 0; i < count; ++i) {
        const float angle = 2.0f * 3.14159265f * static_cast<float>(i) / static_cast<float>(count);
        points.push_back(radius * (std::cos(angle) * a + std::sin(angle) * b));
    }
    return points;
}

class RideTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine_.initialise(1 << 20);
        engine_.open(platform_);
        engine_.startWith(std::make_unique<test::RecordingRenderer>());
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
        if (!ride_) ride_ = std::make_unique<Ride>(host_, *coaster_, *train_, facts_);
        return *ride_;
    }
    RideRecord& record() { return ride().record(); }
    // One experience lap on the path at a frame time; the lift chain holds
    // the train everywhere outside [chainBegin, chainEnd].
    RideStats experienceLap(const std::vector<PathFrame>& path, float frameSeconds, int32_t chainBegin,
                            int32_t chainEnd) {
        coaster_->ridePath = path;
        coaster_->trackState = kTrackComplete;
        host_.riding = true;
        host_.frameSeconds = frameSeconds;
        ride_.reset();
        record().state = kRideExperience;
        ride().start(ExperienceTriple{5, chainBegin, chainEnd});
        for (int frame = 0; frame < 200000 && record().state != kRideExperienceDone; ++frame) ride().update();
        EXPECT_EQ(record().state, kRideExperienceDone) << "the lap ends at " << frameSeconds << " s a frame";
        return record().committed;
    }
    void startTest() {
        buildRidePath(*coaster_);
        record().state = kRideTest;
        ride().start(std::nullopt);
    }

    test::RecordingRenderer* renderer_ = nullptr;
    HeadlessPlatform platform_{false};
    engine::Engine engine_;
    SceneContext context_ = test::engineOnlyScene(engine_);
    FakeRideHost host_;
    BlockSetFacts facts_ = defaultBlockSetFacts(0);
    std::unique_ptr<Car> train_;
    std::unique_ptr<Coaster> coaster_;
    std::vector<std::unique_ptr<TrackBlock>> blocks_;
    std::unique_ptr<Ride> ride_;
    glm::vec3 end_{0.0f};
};

TEST_F(RideTest, TheTrainOutlivesItsRide) {
    train_->makeFollowingCars("", 2, 2.5f);
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
    EXPECT_FLOAT_EQ(record().speed, kChainSpeed) << "2.0 - 0.006 - 0.0035 = 1.9905, then the chain";
    EXPECT_EQ(ride().step(), 0) << "not too slow";
}

TEST_F(RideTest, StartOffTheChainEndsTooSlow) {
    addBlock("straight-d1", 80, {0, 0, 1}, false);
    startTest();
    EXPECT_EQ(record().outcome, RideOutcome::TooSlow) << "below 2.0 after the first step";
    ride().update();
    EXPECT_EQ(record().state, kRideTooSlow);
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
    record().state = kRideTest;
    ride().start(std::nullopt);  // ends too slow but the first step's loss shows
    host_.frameSeconds = 0.0f;
    // Test run: level 0.006 + friction 0.0035 per step.
    record().speed = 10.0f;
    train_->accumulator = 0.01f;
    train_->pitch = 0.0f;
    record().state = kRideTest;
    ride().step();
    EXPECT_NEAR(record().speed, 10.0f - 0.0095f, 1e-5f);
    // Experience ride of set 0: friction only.
    record().state = kRideExperience;
    train_->chainBegin = 0;
    train_->chainEnd = 1000;
    record().speed = 10.0f;
    train_->accumulator = 0.01f;
    ride().step();
    EXPECT_NEAR(record().speed, 10.0f - 0.0035f, 1e-5f);
}

TEST_F(RideTest, ChainHoldsItsSpeedGoingUpOnly) {
    addBlock("station1", 30, {0, 0, 1}, true);
    addBlock("liftstraight-f1", 40, {0, 1, 1}, true);
    startTest();
    host_.frameSeconds = 0.0f;
    auto stepAt = [&](float speed, float pitch) {
        record().speed = speed;
        train_->pitch = pitch;
        train_->segment = 35;  // on the lift
        train_->accumulator = 0.01f;
        ride().step();
        return record().speed;
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
    EXPECT_EQ(record().outcome, RideOutcome::Lap);
    EXPECT_GT(train_->segment, 19);
    EXPECT_NEAR(record().committed.length, 96.0f, 2.0f) << "one circuit";
    EXPECT_FLOAT_EQ(record().committed.negativeVerticalG, 1.0f) << "a level lap never dips below 1";
    EXPECT_EQ(record().committed.blockCount, 4.0f) << "the block count is committed with the lap";
}

TEST_F(RideTest, UnfinishedTrackEndsAtItsLastSegment) {
    addBlock("station1", 40, {0, 0, 1}, true);
    addBlock("straight-d1", 10, {0, 0, 1}, true);
    startTest();
    host_.frameSeconds = 0.1f;
    int frames = 0;
    while (ride().step() == 0 && frames < 5000) ++frames;
    EXPECT_EQ(record().outcome, RideOutcome::EndOfTrack);
    // The state machine turns the outcome into the ride state.
    ride().update();
    EXPECT_EQ(record().state, kRideEndOfTrack);
    EXPECT_EQ(host_.endedWith, kRideEndOfTrack);
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

TEST_F(RideTest, TheTrainStandsAtItsStartFrameBeforeTheFirstStep) {
    addBlock("station1", 60, {0, 0, 1}, true);
    train_->makeFollowingCars("", 2, 2.5f);
    host_.frameSeconds = 0.0f;  // the countdown's first frame: no step yet
    startTest();
    EXPECT_EQ(glm::vec3(train_->transform[3]), glm::vec3(0, 0, 20)) << "path frame 20, not the world's origin";
    EXPECT_NEAR(train_->following[0]->transform[3].z, 17.5f, 1e-4f) << "a car spacing behind";
    EXPECT_NEAR(train_->following[1]->transform[3].z, 15.0f, 1e-4f);
}

TEST_F(RideTest, APathOfFewerThanThreeFramesRunsOffTheEnd) {
    addBlock("station1", 3, {0, 0, 1}, true);  // a ride path of two frames
    startTest();
    ride().update();
    EXPECT_EQ(record().state, kRideEndOfTrack) << "not a completed lap";
    EXPECT_EQ(host_.endedWith, kRideEndOfTrack);
}

// Lateral g is the force along the car's own right axis: v^2 / (r g) in a
// level curve, nothing in a vertical loop (where the forward axis flattened
// onto the ground swings through 180 degrees at the top and bottom).
TEST_F(RideTest, LateralGIsTheSidewaysForceTheRidersFeel) {
    const float radius = 12.0f;
    const RideStats flat = experienceLap(closedPath(circle(radius, {1, 0, 0}, {0, 0, 1})), 0.01f, 100000, 100000);
    const float expected = kChainSpeed * kChainSpeed / radius / kGravity;  // the chain holds the speed
    EXPECT_NEAR(flat.lateralG, expected, 0.05f * expected) << "a level circle at the chain's speed";
    const RideStats loop =
        experienceLap(closedPath(circle(8.0f, {0, 1, 0}, {0, 0, 1}), {1, 0, 0}), 0.01f, 100000, 100000);
    EXPECT_LT(loop.lateralG, 0.05f) << "a vertical loop pushes the riders into their seats, not sideways";
    EXPECT_GT(loop.positiveVerticalG, 1.0f);
}

// Every decision of the ride is made per 0.01 s step, so a lap gives the
// same statistics whatever the frame rate.
TEST_F(RideTest, TheStatisticsDoNotDependOnTheFrameRate) {
    std::vector<glm::vec3> points;
    for (const glm::vec3& p : circle(40.0f, {1, 0, 0}, {0, 0, 1})) {
        const float angle = std::atan2(p.z, p.x);
        points.push_back(p + glm::vec3(0, 8.0f * std::sin(2.0f * angle) + 3.0f * std::sin(5.0f * angle), 0));
    }
    const std::vector<PathFrame> path = closedPath(points);
    const RideStats reference = experienceLap(path, 0.01f, 20, static_cast<int32_t>(path.size()) - 20);
    ASSERT_GT(reference.positiveVerticalG, 1.1f);
    ASSERT_LT(reference.negativeVerticalG, 0.95f);
    ASSERT_GT(reference.lateralG, 0.0f);
    for (const float frame : {1.0f / 60.0f, 1.0f / 30.0f, 0.1f}) {
        const RideStats stats = experienceLap(path, frame, 20, static_cast<int32_t>(path.size()) - 20);
        EXPECT_EQ(stats.time, reference.time) << frame;
        EXPECT_EQ(stats.length, reference.length) << frame;
        EXPECT_EQ(stats.maxSpeed, reference.maxSpeed) << frame;
        EXPECT_EQ(stats.lateralG, reference.lateralG) << frame;
        EXPECT_EQ(stats.positiveVerticalG, reference.positiveVerticalG) << frame;
        EXPECT_EQ(stats.negativeVerticalG, reference.negativeVerticalG) << frame;
    }
}

}  // namespace
}  // namespace zr
