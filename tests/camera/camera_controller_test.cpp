// The camera controller: seat choice, the trackside jump near the end of
// the path, the pull-in in front of a wall, the collision-checked drag.
#include "camera/camera_controller.h"
#include "../support/recording_renderer.h"
#include "../support/scene_fixture.h"
#include "engine/world.h"
#include "platform/headless/headless_platform.h"

#include <gtest/gtest.h>

namespace zr {
namespace {

class CameraControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine_.initialise(1 << 20);
        engine_.open(platform_);
        engine_.startWith(std::make_unique<test::RecordingRenderer>());
        camera_ = std::make_unique<GameCamera>(engine_, 64, 48, true, 1000, 500);
        world_ = std::make_unique<engine::World>(engine_, glm::vec3(-100), glm::vec3(100));
        coaster_ = std::make_unique<Coaster>(scene_, nullptr);
        train_ = std::make_unique<Car>(scene_, "");
        auto subjects = [this] { return CameraSubjects{world_.get(), coaster_.get(), train_.get(), nullptr, &facts_}; };
        controller_ = std::make_unique<CameraController>(
            CameraControllerContext(*camera_, subjects, state_, frameSeconds_, carCount_, seat_, [] { return 1; }));
    }
    // A wall: the plane x = wallX, from y 0 to 50 and z -50 to 50.
    void addWall(float wallX) {
        engine::WorldData data;
        auto wall = std::make_unique<engine::Geometry>();
        wall->positions = {{wallX, 0, -50}, {wallX, 0, 50}, {wallX, 50, 50}, {wallX, 50, -50}};
        wall->materials.emplace_back();
        wall->meshes.push_back(engine::Mesh{0, {0, 1, 2, 0, 2, 3}});
        wall->computeBounds();
        data.sectors.push_back(std::move(wall));
        world_->load(std::move(data));
    }

    HeadlessPlatform platform_{false};
    engine::Engine engine_;
    SceneContext scene_ = test::engineOnlyScene(engine_);
    std::unique_ptr<GameCamera> camera_;
    std::unique_ptr<engine::World> world_;
    std::unique_ptr<Coaster> coaster_;
    std::unique_ptr<Car> train_;
    std::unique_ptr<CameraController> controller_;
    int32_t state_ = 5;
    float frameSeconds_ = 0.1f;
    BlockSetFacts facts_ = defaultBlockSetFacts(0);
    int8_t carCount_ = 2;
    int8_t seat_ = 1;
};

TEST_F(CameraControllerTest, SeatSixOfThreeCarsIsTheFirstFollowersSecondSeat) {
    train_->makeFollowingCars("", 2, 2.5f);
    for (size_t k = 0; k < 4; ++k) train_->following[0]->seats[k] = glm::vec3(static_cast<float>(k), 1, 0);
    seat_ = 6;
    controller_->chooseSeat();
    EXPECT_EQ(camera_->target, train_->following[0].get());
    EXPECT_EQ(camera_->seatOffset, glm::vec3(2, 1, 0)) << "entry 6 mod 4: the part seat2";
    EXPECT_EQ(CameraController::carIndexForSeat(4, 2), 0);
    EXPECT_EQ(CameraController::carIndexForSeat(9, 2), 2);
    EXPECT_EQ(CameraController::carIndexForSeat(12, 2), 2);
}

TEST_F(CameraControllerTest, TracksideJumpNearTheEndUsesTheTrainsOwnFrame) {
    for (int i = 0; i < 50; ++i) {
        PathFrame frame(1.0f);
        frame[3] = glm::vec4(0, 0, static_cast<float>(i), 1);
        coaster_->ridePath.push_back(frame);
    }
    train_->segment = 45;  // 45 + 20 is past the end
    train_->ridePosition = glm::vec3(0, 0, 45);
    controller_->setMode(kCameraTrackside);
    // The last frame (setMode), then up 2.25 and to the side 2 (odd random).
    EXPECT_NEAR(camera_->view().position().z, 49.0f, 1e-4f);
    EXPECT_NEAR(camera_->view().position().y, 2.25f, 1e-4f);
    EXPECT_NEAR(std::fabs(camera_->view().position().x), 2.0f, 1e-4f);
    camera_->view().frame().local[3] = glm::vec4(0, 0, -100, 1);  // far from the train
    controller_->update();
    EXPECT_NEAR(camera_->view().position().z, 45.0f, 1e-4f) << "update jumps to the train's own frame";
    EXPECT_EQ(camera_->mode, kCameraTrackside);
}

TEST_F(CameraControllerTest, PlacementIsPulledInFrontOfAWall) {
    addWall(10.0f);
    TrackBlock block(scene_, "");
    PathFrame end(1.0f);
    end[3] = glm::vec4(0, 2, 0, 1);
    block.pathFrames = {PathFrame(1.0f), end};
    controller_->placeAtBlock(block, glm::vec3(20, 25, 20));
    // The offset would put the camera beyond the wall at x 20; it comes
    // back to 5 m (along the line of sight) in front of the wall.
    EXPECT_NEAR(camera_->view().position().x, 10.0f - 5.0f * 20.0f / std::sqrt(1425.0f), 1e-3f);
    EXPECT_NEAR(camera_->view().position().y, 27.0f, 1e-3f) << "the height is kept";
}

TEST(Thumbnail, ScreensThatAreNotPowersOfTwoAreResampledIntoTheTopRows) {
    engine::Image frame;
    frame.resize(800, 600);
    for (int32_t y = 0; y < 600; ++y) {
        for (int32_t x = 0; x < 800; ++x) frame.pixel(x, y)[0] = x < 400 ? 200 : 10;
    }
    const engine::Image thumbnail = CameraController::thumbnailOf(frame);
    ASSERT_EQ(thumbnail.width, 128);
    ASSERT_EQ(thumbnail.height, 128);
    EXPECT_EQ(thumbnail.pixel(10, 50)[0], 200) << "the left half stays on the left";
    EXPECT_EQ(thumbnail.pixel(100, 50)[0], 10);
    EXPECT_EQ(thumbnail.pixel(10, 110)[0], 0) << "below the 96 picture rows the canvas is clear";
    engine::Image square;
    square.resize(256, 128);
    EXPECT_EQ(CameraController::thumbnailOf(square).width, 256) << "power-of-two screens are kept as they are";
}

TEST_F(CameraControllerTest, DragStepsThatWouldEnterTheWorldAreTakenBack) {
    addWall(3.0f);
    camera_->needsPlacement = 1;
    camera_->view().frame().local = glm::mat4(1.0f);  // right is +x
    frameSeconds_ = 0.1f;
    controller_->moveBy({1, 0, 0});  // 50 m/s along right: 5 m this frame
    EXPECT_LT(camera_->view().position().x, 2.0f + 1e-3f) << "stops a metre short of the wall";
    EXPECT_GT(camera_->view().position().x, 1.0f);
    // Without placement pending, the move is a plain step along the axes.
    camera_->needsPlacement = 0;
    const float before = camera_->view().position().x;
    controller_->moveBy({-1, 0, 0});
    EXPECT_NEAR(camera_->view().position().x, before - 1.0f, 1e-5f);
}

}  // namespace
}  // namespace zr
