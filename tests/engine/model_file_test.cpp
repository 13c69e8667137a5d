// Model, world and animation files: round trips through GLB, the scene
// graph operations on what was read, and refusal of broken files.
#include "../support/temp_folder.h"
#include "engine/model_file.h"

#include <glm/gtc/matrix_transform.hpp>

#include <fstream>
#include <gtest/gtest.h>

namespace zr::engine {
namespace {

std::unique_ptr<Geometry> triangle(const std::string& texture, Colour colour) {
    auto geometry = std::make_unique<Geometry>();
    geometry->positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    geometry->normals = {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}};
    geometry->uvs = {{0, 0}, {1, 0}, {0, 1}};
    geometry->prelit = {{255, 0, 0, 255}, {0, 255, 0, 200}, {0, 0, 255, 255}};
    Material material;
    material.colour = colour;
    material.textureName = texture;
    geometry->materials.push_back(material);
    geometry->meshes.push_back(Mesh{0, {0, 1, 2}});
    geometry->computeBounds();
    return geometry;
}

// A piece-like model: "track" (T = 16) with a child "seat1", and a light.
std::unique_ptr<Clump> sampleModel() {
    auto clump = std::make_unique<Clump>();
    Frame* root = clump->addFrame(nullptr);
    Frame* track = clump->addFrame(root);
    track->name = "track";
    track->integers["T"] = 16;
    track->translate({1, 2, 3}, Combine::Replace);
    clump->addAtomic(track, triangle("ANIMsign1", Colour{255, 255, 255, 255}));
    Frame* seat = clump->addFrame(track);
    seat->name = "seat1";
    seat->rotate({0, 1, 0}, 90.0f, Combine::Replace);
    clump->addAtomic(seat, triangle("", Colour{10, 20, 30, 128}));
    Frame* sun = clump->addFrame(root);
    sun->name = "sun";
    Light light;
    light.kind = LightKind::Directional;
    light.colour = {0.5f, 0.25f, 1.0f};
    light.frame = sun;
    clump->addLight(light);
    return clump;
}

TEST(ModelFile, RoundTripKeepsFramesPartsMaterialsAndLights) {
    test::TempFolder folder;
    ASSERT_TRUE(writeModelFile(folder.file("piece.dff"), *sampleModel()));
    FileError error;
    const auto clump = readModelFile(folder.file("piece.dff"), &error);
    ASSERT_NE(clump, nullptr) << error.text;
    ASSERT_EQ(clump->atomics().size(), 2u);
    Atomic* track = clump->findPart("track");
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(track->frame->integer("T"), 16);
    EXPECT_EQ(track->frame->position(), glm::vec3(1, 2, 3));
    EXPECT_EQ(track->geometry->materials[0].textureName, "ANIMsign1");
    EXPECT_EQ(track->geometry->prelit[1].a, 200);
    Atomic* seat = clump->findPartContaining("seat");
    ASSERT_NE(seat, nullptr);
    EXPECT_NEAR(glm::length(seat->frame->worldPosition() - glm::vec3(1, 2, 3)), 0.0f, 1e-5f) << "child of track";
    EXPECT_EQ(seat->geometry->materials[0].colour.a, 128);
    glm::vec3 axis;
    float angle = 0;
    seat->frame->rotationAxisAngle(&axis, &angle);
    EXPECT_NEAR(angle, 90.0f, 1e-3f);
    EXPECT_NEAR(axis.y, 1.0f, 1e-5f);
    ASSERT_EQ(clump->lights().size(), 1u);
    EXPECT_NEAR(clump->lights()[0]->colour.z, 1.0f, 1e-5f);
    EXPECT_EQ(clump->findPart(""), track) << "the first part with any name";
    EXPECT_EQ(clump->findPart("nothing"), nullptr);
}

TEST(ModelFile, CloneIsDeepAndPartsCanBeEditedAndRemoved) {
    const auto original = sampleModel();
    const auto copy = original->clone();
    Atomic* track = copy->findPart("track");
    track->geometry->positions[0] = {5, 5, 5};
    track->frame->translate({0, 10, 0}, Combine::Postcombine);
    EXPECT_EQ(original->findPart("track")->geometry->positions[0], glm::vec3(0, 0, 0));
    EXPECT_EQ(original->findPart("track")->frame->position(), glm::vec3(1, 2, 3));
    EXPECT_EQ(copy->findPart("seat1")->frame->parent, track->frame);
    EXPECT_TRUE(copy->removePart(copy->findPart("seat1")));
    EXPECT_EQ(copy->findPart("seat1"), nullptr);
    EXPECT_TRUE(track->frame->children.empty());
    EXPECT_FALSE(copy->removePart(original->findPart("track")));
}

TEST(ModelFile, FrameCombineModes) {
    Frame frame;
    frame.rotate({0, 1, 0}, 90.0f, Combine::Replace);
    frame.translate({0, 0, 1}, Combine::Precombine);  // along the turned z: +x
    EXPECT_NEAR(frame.position().x, 1.0f, 1e-5f);
    frame.translate({0, 0, 1}, Combine::Postcombine);  // in the parent's space
    EXPECT_NEAR(frame.position().z, 1.0f, 1e-5f);
    frame.translate({7, 0, 0}, Combine::Replace);
    EXPECT_EQ(frame.local, glm::translate(glm::mat4(1.0f), glm::vec3(7, 0, 0))) << "replace drops the rotation";
}

TEST(ModelFile, WorldAndAnimationRoundTrip) {
    test::TempFolder folder;
    WorldData world;
    world.origin = {10, 0, -5};
    world.sectors.push_back(triangle("grass", Colour{255, 255, 255, 255}));
    ASSERT_TRUE(writeWorldFile(folder.file("level.bsp"), world));
    WorldData read;
    ASSERT_TRUE(readWorldFile(folder.file("level.bsp"), &read));
    EXPECT_EQ(read.origin, glm::vec3(10, 0, -5));
    ASSERT_EQ(read.sectors.size(), 1u);
    EXPECT_EQ(read.sectors[0]->materials[0].textureName, "grass");

    PathAnimation path;
    for (int i = 0; i < 5; ++i) {
        path.keys.push_back(KeyFrame{0.25f * i, glm::angleAxis(0.1f * i, glm::vec3(0, 1, 0)), {0, 0, 2.0f * i}});
    }
    ASSERT_TRUE(writeAnimationFile(folder.file("path.anm"), path));
    PathAnimation back;
    ASSERT_TRUE(readAnimationFile(folder.file("path.anm"), &back));
    ASSERT_EQ(back.count(), 5u);
    EXPECT_FLOAT_EQ(back.duration(), 1.0f);
    EXPECT_EQ(back.keys[3].translation, glm::vec3(0, 0, 6));
    EXPECT_NEAR(back.keys[2].rotation.y, path.keys[2].rotation.y, 1e-6f);
}

TEST(ModelFile, BrokenFilesAreRefused) {
    test::TempFolder folder;
    ASSERT_TRUE(writeModelFile(folder.file("good.dff"), *sampleModel()));
    std::ifstream good(folder.file("good.dff"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(good)), {});
    std::ofstream(folder.file("cut.dff"), std::ios::binary) << bytes.substr(0, bytes.size() * 2 / 3);
    std::ofstream(folder.file("text.dff")) << "solid cube\nfacet normal 0 0 1\n";
    FileError error;
    EXPECT_EQ(readModelFile(folder.file("cut.dff"), &error), nullptr);
    EXPECT_FALSE(error.text.empty());
    EXPECT_EQ(readModelFile(folder.file("text.dff"), &error), nullptr);
    EXPECT_EQ(readModelFile(folder.file("missing.dff"), &error), nullptr);
    WorldData world;
    EXPECT_FALSE(readWorldFile(folder.file("good.dff"), &world)) << "a model is not a world";
    PathAnimation path;
    EXPECT_FALSE(readAnimationFile(folder.file("good.dff"), &path)) << "a model has no animation";
    EXPECT_FALSE(readAnimationFile(folder.file("text.dff"), &path));
}

}  // namespace
}  // namespace zr::engine
