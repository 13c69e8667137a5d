// Level worlds: start markers, sky models and lights from the companion
// file, the empty world, and detail levels of scene objects.
#include "world/world.h"
#include "../support/recording_renderer.h"
#include "../support/scene_fixture.h"
#include "../support/temp_folder.h"
#include "camera/alpha_sorter.h"
#include "camera/game_camera.h"
#include "engine/model_file.h"
#include "platform/headless/headless_platform.h"
#include "world/scene_object.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace zr {
namespace {

std::unique_ptr<engine::Geometry> tinyTriangle() {
    auto geometry = std::make_unique<engine::Geometry>();
    geometry->positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    geometry->materials.emplace_back();
    geometry->meshes.push_back(engine::Mesh{0, {0, 1, 2}});
    geometry->computeBounds();
    return geometry;
}

class WorldTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine_.initialise(1 << 20);
        engine_.open(platform_);
        engine_.startWith(std::make_unique<test::RecordingRenderer>());
        camera_ = std::make_unique<GameCamera>(engine_, 320, 240, true, 1000, 500);
        context_.camera = &camera_->view();
        level_ = folder_.path() + "/level/";
        std::filesystem::create_directories(level_);
    }

    // A companion file with named marker parts: (name, position, axis, degrees).
    struct Marker {
        std::string name;
        glm::vec3 position;
        glm::vec3 axis;
        float degrees;
    };
    void writeObjects(const std::string& file, const std::vector<Marker>& markers, bool withLight = false) {
        engine::Clump clump;
        engine::Frame* root = clump.addFrame(nullptr);
        for (const Marker& marker : markers) {
            engine::Frame* frame = clump.addFrame(root);
            frame->name = marker.name;
            frame->rotate(marker.axis, marker.degrees, engine::Combine::Replace);
            frame->translate(marker.position, engine::Combine::Postcombine);
            clump.addAtomic(frame, tinyTriangle());
        }
        if (withLight) {
            engine::Frame* sun = clump.addFrame(root);
            engine::Light light;
            light.frame = sun;
            clump.addLight(light);
        }
        ASSERT_TRUE(engine::writeModelFile(level_ + file, clump));
    }
    void writeWorld(const std::string& file, glm::vec3 origin) {
        engine::WorldData data;
        data.origin = origin;
        data.sectors.push_back(tinyTriangle());
        ASSERT_TRUE(engine::writeWorldFile(level_ + file, data));
    }

    test::TempFolder folder_;
    HeadlessPlatform platform_{false};
    engine::Engine engine_;
    SceneContext context_ = test::engineOnlyScene(engine_);
    std::unique_ptr<GameCamera> camera_;
    std::string level_;
};

TEST_F(WorldTest, PlayerMarkersFillTheStartTable) {
    writeWorld("meadow.bsp", {0, 0, 0});
    writeObjects("objects.dff", {{"player", {5, 1, 2}, {0, 1, 0}, 30.0f},
                                 {"player", {0, 0, 0}, {0, 1, 0}, 0.0f},  // looks like an empty slot
                                 {"player", {-3, 0, 7}, {0, -1, 0}, 45.0f},
                                 {"", {9, 9, 9}, {0, 1, 0}, 0.0f}});
    World world(context_, platform_, camera_.get(), level_ + "meadow.bsp");
    world.loadObjects();
    EXPECT_EQ(world.startCount, 2) << "the marker at the origin leaves its slot empty for the next";
    EXPECT_EQ(world.startIndex, 0);
    EXPECT_NEAR(world.startPositions[0].x, 5.0f, 1e-5f);
    EXPECT_NEAR(world.startHeadings[0], 30.0f, 1e-3f);
    EXPECT_NEAR(world.startPositions[1].z, 7.0f, 1e-5f);
    EXPECT_NEAR(world.startHeadings[1], -45.0f, 1e-3f) << "a downward axis negates the angle";
    EXPECT_TRUE(platform_.messages().empty());
}

TEST_F(WorldTest, SkyNamesWithAndWithoutExtensionAndLightsMoveIn) {
    writeWorld("canyon.bsp", {100, 0, 0});
    writeObjects("objects.dff", {{"skydome", {1, 2, 3}, {0, 1, 0}, 0.0f}, {"sky2.dff", {0, 0, 1}, {0, 1, 0}, 0.0f}},
                 true);
    for (const char* sky : {"skydome.dff", "sky2.dff"}) {
        engine::Clump clump;
        clump.addAtomic(clump.addFrame(clump.addFrame(nullptr)), tinyTriangle());
        ASSERT_TRUE(engine::writeModelFile(level_ + sky, clump));
    }
    World world(context_, platform_, camera_.get(), level_ + "canyon.bsp");
    EXPECT_EQ(world.origin, glm::vec3(100, 0, 0));
    EXPECT_EQ(camera_->view().world, world.engineWorld.get()) << "the camera joins the world";
    world.loadObjects();
    ASSERT_EQ(world.skies.size(), 2u);
    EXPECT_EQ(world.skies[0]->name, level_ + "skydome.dff");
    EXPECT_EQ(world.skies[1]->name, level_ + "sky2.dff");
    EXPECT_NEAR(world.skies[0]->position().x, 101.0f, 1e-4f) << "placed at the marker plus the origin";
    EXPECT_EQ(world.engineWorld->clumps().size(), 2u);
    EXPECT_EQ(world.engineWorld->lights().size(), 2u) << "the ambient light and the file's light";
}

TEST_F(WorldTest, ExperienceWorldsUseTheirOwnCompanionFile) {
    EXPECT_EQ(World::objectsPathFor("./data/levels/meadow/experience.bsp"),
              "./data/levels/meadow/experience-objects.dff");
    EXPECT_EQ(World::objectsPathFor("./data/levels/meadow/meadow.bsp"), "./data/levels/meadow/objects.dff");
}

TEST_F(WorldTest, MissingWorldIsEmptyAndBrokenWorldIsReported) {
    {
        World missing(context_, platform_, camera_.get(), level_ + "nothing.bsp");
        missing.loadObjects();
        EXPECT_NE(missing.engineWorld, nullptr);
        EXPECT_EQ(missing.startCount, 0);
        EXPECT_TRUE(platform_.messages().empty()) << "no message for a missing file";
    }
    EXPECT_EQ(camera_->view().world, nullptr) << "the camera leaves with the world";
    std::ofstream(level_ + "broken.bsp") << "glTF-not-really";
    World broken(context_, platform_, camera_.get(), level_ + "broken.bsp");
    ASSERT_EQ(platform_.messages().size(), 1u);
    EXPECT_EQ(platform_.messages()[0], "Application Error: WorldLoad failed");
}

TEST_F(WorldTest, DetailLevelsCountConsecutiveLowFolders) {
    const std::string piece = level_ + "straight/piece.dff";
    std::filesystem::create_directories(level_ + "straight");
    EXPECT_EQ(SceneObject::countDetailLevels(piece), 0);
    for (const char* low : {"low1", "low3"}) {
        std::filesystem::create_directories(level_ + "straight/" + low);
        std::ofstream(level_ + "straight/" + low + "/piece.dff") << "x";
    }
    EXPECT_EQ(SceneObject::countDetailLevels(piece), 1) << "low2 missing stops the count";
    std::filesystem::create_directories(level_ + "straight/low2");
    std::ofstream(level_ + "straight/low2/piece.dff") << "x";
    EXPECT_EQ(SceneObject::countDetailLevels(piece), 3);
}

TEST_F(WorldTest, SceneObjectRotationKeepsItsHeading) {
    engine::Clump clump;
    clump.addAtomic(clump.addFrame(clump.addFrame(nullptr)), tinyTriangle());
    ASSERT_TRUE(engine::writeModelFile(level_ + "box.dff", clump));
    SceneObject object(context_, level_ + "box.dff");
    ASSERT_NE(object.model, nullptr);
    object.rotate({0, 1, 0}, 30.0f, engine::Combine::Replace);
    EXPECT_FLOAT_EQ(object.heading(), 30.0f);
    object.rotate({0, 1, 0}, 15.0f, engine::Combine::Postcombine);
    EXPECT_FLOAT_EQ(object.heading(), 45.0f);
    object.rotate({0, 1, 0}, 10.0f, engine::Combine::Replace);
    EXPECT_FLOAT_EQ(object.heading(), 10.0f);
}

// A model placed in a level joins the see-through sorter as it loads: its
// glazing is drawn after the rest of the frame, and leaves the sorter with
// the model.
TEST_F(WorldTest, SeeThroughPartsOfAModelAreDrawnLastAndForgottenWithIt) {
    engine::Clump clump;
    engine::Frame* root = clump.addFrame(nullptr);
    clump.addAtomic(clump.addFrame(root), tinyTriangle());
    auto glass = tinyTriangle();
    glass->materials[0].colour.a = 100;
    clump.addAtomic(clump.addFrame(root), std::move(glass));
    ASSERT_TRUE(engine::writeModelFile(level_ + "glazed.dff", clump));
    AlphaSorter sorter(engine_, &camera_->view());
    context_.alphaSorter = &sorter;
    World world(context_, platform_, camera_.get(), level_ + "nothing.bsp");
    {
        SceneObject object(context_, level_ + "glazed.dff");
        ASSERT_NE(object.model, nullptr);
        EXPECT_EQ(sorter.registrySize(), 1u) << "the glazing, not the opaque part";
        object.addToWorld();
        world.render();
        EXPECT_EQ(sorter.drawnLastFlush(), 1u) << "drawn after the rest";
    }
    EXPECT_EQ(sorter.registrySize(), 0u) << "gone with its model";
    context_.alphaSorter = nullptr;
}

TEST(GameCameraView, WindowKeepsTheLongerSide) {
    const glm::vec2 wide = GameCamera::viewWindowFor(640, 480, 0.7f, 1.3333334f);
    EXPECT_FLOAT_EQ(wide.x, 0.7f);
    EXPECT_FLOAT_EQ(wide.y, 0.525f);
    const glm::vec2 tall = GameCamera::viewWindowFor(480, 640, 0.7f, 1.3333334f);
    EXPECT_FLOAT_EQ(tall.x, 0.525f);
    EXPECT_FLOAT_EQ(tall.y, 0.7f);
    const glm::vec2 standard = GameCamera::viewWindowFor(1024, 768, 0.7f, 1.3333334f);
    EXPECT_FLOAT_EQ(standard.y, 0.7f / 1.3333334f) << "a 4:3 screen, full or windowed";
    const glm::vec2 wideScreen = GameCamera::viewWindowFor(1920, 1080, 0.7f, 1.3333334f);
    EXPECT_FLOAT_EQ(wideScreen.y, 0.7f * 1080.0f / 1920.0f) << "16:9 is not squashed into 4:3";
}

}  // namespace
}  // namespace zr
