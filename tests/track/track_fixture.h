// Small block sets written by the tests: straight pieces along +Z with a
// rail, optional legs sets and feet, and their path animations.
#pragma once

#include "../support/recording_renderer.h"
#include "../support/scene_fixture.h"
#include "../support/temp_folder.h"
#include "engine/model_file.h"
#include "platform/headless/headless_platform.h"
#include "track/catalogue.h"
#include "track/coaster.h"

#include <glm/gtc/matrix_transform.hpp>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zr::test {

struct PieceSpec {
    PieceSpec(std::string name, int frameCount = 7, float degrees = 0.0f, std::vector<std::string> extra = {})
        : value(std::move(name)), frames(frameCount), turn(degrees), parts(std::move(extra)) {}

    std::string value;  // relative name without ".dff"
    int frames;         // path frames, 1 m apart (a piece needs more than five)
    float turn;         // degrees turned over the piece (left: positive)
    std::vector<std::string> parts;  // extra parts: "legs1", "foot2", "car"...
};

class TrackFixture : public ::testing::Test {
protected:
    void SetUp() override {
        engine_.initialise(1 << 20);
        engine_.open(platform_);
        engine_.startWith(std::make_unique<RecordingRenderer>());
        engine_.registerImageReader("png", &engine::readPng);
        set_ = folder_.path() + "/set";
        std::filesystem::create_directories(set_);
    }

    static std::unique_ptr<engine::Geometry> box(float length) {
        auto geometry = std::make_unique<engine::Geometry>();
        geometry->positions = {{-0.5f, 0, 0}, {0.5f, 0, 0}, {0.5f, 0, length}, {-0.5f, 0, length}};
        geometry->materials.emplace_back();
        geometry->meshes.push_back(engine::Mesh{0, {0, 1, 2, 0, 2, 3}});
        geometry->computeBounds();
        return geometry;
    }

    // Writes <set>/<value>.dff and .anm: frames along a circular arc (or a
    // straight line), the rail part "track" at height 2, extra parts.
    void writePiece(const PieceSpec& spec) {
        const std::string base = set_ + "/" + spec.value;
        std::filesystem::create_directories(std::filesystem::path(base).parent_path());
        engine::Clump clump;
        engine::Frame* root = clump.addFrame(nullptr);
        engine::Frame* rail = clump.addFrame(root);
        rail->name = "track";
        rail->translate({0, 2, 0}, engine::Combine::Replace);
        clump.addAtomic(rail, box(static_cast<float>(spec.frames - 1)));
        for (const std::string& part : spec.parts) {
            engine::Frame* frame = clump.addFrame(root);
            frame->name = part;
            const std::string digits = CataloguePiece::digitsOf(part);
            const float height = digits.empty() ? 2.0f : 2.0f + 10.0f * static_cast<float>(std::stoi(digits) - 1);
            frame->translate({0, part.find("legs") != std::string::npos ? height : 0.0f, 1.0f},
                             engine::Combine::Replace);
            clump.addAtomic(frame, box(0.5f));
        }
        ASSERT_TRUE(engine::writeModelFile(base + ".dff", clump));
        engine::PathAnimation path;
        glm::vec3 position(0.0f, 2.0f, 0.0f);
        const float step = spec.turn / static_cast<float>(spec.frames - 1);
        for (int k = 0; k < spec.frames; ++k) {
            const float heading = step * static_cast<float>(k);
            engine::KeyFrame key;
            key.time = 0.1f * static_cast<float>(k + 1);
            key.rotation = glm::angleAxis(glm::radians(heading), glm::vec3(0, 1, 0));
            key.translation = position;
            path.keys.push_back(key);
            position += glm::vec3(std::sin(glm::radians(heading + step * 0.5f)), 0.0f,
                                  std::cos(glm::radians(heading + step * 0.5f)));
        }
        ASSERT_TRUE(engine::writeAnimationFile(base + ".anm", path));
    }

    void writeCatalogue(const std::vector<std::string>& blocks, const std::vector<std::string>& features = {}) {
        std::ofstream ini(set_ + "/blocks.ini");
        ini << "[Blocks]\ntotal=" << blocks.size() << "\n";
        for (size_t i = 0; i < blocks.size(); ++i) ini << i + 1 << "=" << blocks[i] << "\n";
        ini << "[Features]\ntotal=" << features.size() << "\n";
        for (size_t i = 0; i < features.size(); ++i) ini << i + 1 << "=" << features[i] << "\n";
    }

    TempFolder folder_;
    HeadlessPlatform platform_{false};
    engine::Engine engine_;
    SceneContext context_ = test::engineOnlyScene(engine_);
    std::string set_;
};

}  // namespace zr::test
