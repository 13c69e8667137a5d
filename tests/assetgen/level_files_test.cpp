// The generated levels, read back with the engine's own readers: the files
// the game loads are there and well formed, the companion model holds what
// the world expects (one station marker, a sky, a sun), every material's
// texture is in the level's dictionary, the building area is level and
// empty, the ground has no holes, the terrain builder honours a caller's
// zones, and generation repeats byte for byte.
#include "levels/level_files.h"
#include "engine/collision.h"
#include "engine/model_file.h"
#include "engine/texture_dictionary.h"
#include "levels/level_noise.h"
#include "levels/level_style.h"
#include "levels/level_terrain.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace engine = zr::engine;
namespace levels = assetgen::levels;

constexpr const char* kLevelNames[] = {"meadow", "canyon", "alpine", "harbour", "nightfall"};
// Words the editor looks for in piece paths; a level folder must not contain them.
constexpr const char* kReservedWords[] = {"left", "right", "straight",   "lift", "station", "final",
                                          "hill", "drop",  "experience", "BN",   "BL",      "BR",
                                          "legs", "foot",  "car",        "seat", "track"};

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) files[fs::relative(entry.path(), root).string()] = readBytes(entry.path());
    }
    return files;
}

std::vector<const engine::Geometry*> pointers(const std::vector<std::unique_ptr<engine::Geometry>>& sectors) {
    std::vector<const engine::Geometry*> all;
    all.reserve(sectors.size());
    for (const auto& sector : sectors) all.push_back(sector.get());
    return all;
}

// Offsets -reach, -reach + step, ... up to reach: a square of sample points.
std::vector<glm::vec2> squareOfPoints(glm::vec2 reach, float step) {
    std::vector<glm::vec2> points;
    const int columns = static_cast<int>(2.0f * reach.x / step + 1e-3f) + 1;
    const int rows = static_cast<int>(2.0f * reach.y / step + 1e-3f) + 1;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            points.emplace_back(-reach.x + step * static_cast<float>(column),
                                -reach.y + step * static_cast<float>(row));
        }
    }
    return points;
}

// The first thing straight below (x, top, z), or false when nothing is there.
bool groundBelow(const engine::CollisionScene& scene, float x, float z, float top, glm::vec3* hit) {
    engine::SegmentHit found;
    if (!scene.segmentStatic({x, top, z}, {x, top - 2000.0f, z}, &found)) return false;
    *hit = found.point;
    return true;
}

class LevelFilesTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = fs::temp_directory_path() / ("assetgen-levels-" + std::to_string(getpid()));
        fs::remove_all(root_);
        assetgen::AssetLog log;
        written_ = assetgen::writeLevels(root_, log);
        error_ = log.error;
    }
    static void TearDownTestSuite() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    static fs::path folder(const std::string& name) { return root_ / "levels" / name; }

    static fs::path root_;
    static bool written_;
    static std::string error_;
};

fs::path LevelFilesTest::root_;
bool LevelFilesTest::written_ = false;
std::string LevelFilesTest::error_;

TEST_F(LevelFilesTest, EachLevelFolderHoldsFilesTheEngineReads) {
    ASSERT_TRUE(written_) << error_;
    ASSERT_EQ(levels::levelStyles().size(), std::size(kLevelNames));
    for (const char* name : kLevelNames) {
        SCOPED_TRACE(name);
        for (const char c : std::string(name)) EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(c)));
        for (const char* word : kReservedWords) EXPECT_EQ(std::string(name).find(word), std::string::npos) << word;
        engine::WorldData world;
        engine::FileError error;
        ASSERT_TRUE(engine::readWorldFile((folder(name) / (std::string(name) + ".bsp")).string(), &world, &error))
            << error.text;
        EXPECT_GE(world.sectors.size(), 64u);
        size_t triangles = 0;
        for (const auto& sector : world.sectors) triangles += sector->triangleCount();
        EXPECT_GT(triangles, 20000u);
        EXPECT_TRUE(engine::readModelFile((folder(name) / "objects.dff").string()));
        EXPECT_TRUE(engine::readModelFile((folder(name) / "sky.dff").string()));
        std::vector<engine::NamedImage> images;
        EXPECT_TRUE(engine::readTextureDictionaryFile((folder(name) / "world.txd").string(), &images));
        EXPECT_GE(images.size(), 4u);
        EXPECT_TRUE(fs::is_directory(folder(name) / "textures"));
    }
}

TEST_F(LevelFilesTest, ObjectsHoldOneStartMarkerASkyAndASun) {
    ASSERT_TRUE(written_) << error_;
    for (const char* name : kLevelNames) {
        SCOPED_TRACE(name);
        const auto objects = engine::readModelFile((folder(name) / "objects.dff").string());
        ASSERT_TRUE(objects);
        int starts = 0;
        int skies = 0;
        for (const auto& atomic : objects->atomics()) {
            const std::string& part = atomic->name();
            if (part == "player") {
                ++starts;
                EXPECT_GT(glm::length(atomic->frame->worldPosition()), 1.0f);
                glm::vec3 axis;
                float degrees = 0.0f;
                atomic->frame->rotationAxisAngle(&axis, &degrees);
                EXPECT_NEAR(degrees, 0.0f, 0.01f);
            } else if (part.find("sky") != std::string::npos) {
                ++skies;
                const auto sky = engine::readModelFile((folder(name) / (part + ".dff")).string());
                ASSERT_TRUE(sky);
                EXPECT_FALSE(sky->atomics().empty());
                for (const auto& skyPart : sky->atomics()) EXPECT_TRUE(skyPart->geometry->normals.empty());
            }
        }
        EXPECT_EQ(starts, 1);
        EXPECT_EQ(skies, 1);
        int suns = 0;
        for (const auto& light : objects->lights()) {
            if (light->kind != engine::LightKind::Directional) continue;
            ASSERT_TRUE(light->frame);
            const glm::vec3 shines = -glm::normalize(glm::vec3(light->frame->world()[2]));
            if (shines.y < -0.05f && light->colour.r > 0.3f) ++suns;  // from above, bright
        }
        EXPECT_GE(suns, 1);
    }
}

TEST_F(LevelFilesTest, EveryMaterialNamesATextureInTheDictionary) {
    ASSERT_TRUE(written_) << error_;
    for (const char* name : kLevelNames) {
        SCOPED_TRACE(name);
        std::vector<engine::NamedImage> images;
        ASSERT_TRUE(engine::readTextureDictionaryFile((folder(name) / "world.txd").string(), &images));
        std::set<std::string> names;
        for (const auto& [texture, image] : images) {
            names.insert(texture);
            EXPECT_TRUE(image.width == 128 || image.width == 256) << texture;
            EXPECT_EQ(image.width, image.height) << texture;
        }
        engine::WorldData world;
        ASSERT_TRUE(engine::readWorldFile((folder(name) / (std::string(name) + ".bsp")).string(), &world));
        std::vector<const engine::Geometry*> geometry = pointers(world.sectors);
        const auto sky = engine::readModelFile((folder(name) / "sky.dff").string());
        ASSERT_TRUE(sky);
        for (const auto& part : sky->atomics()) geometry.push_back(part->geometry.get());
        for (const engine::Geometry* g : geometry) {
            for (const engine::Material& material : g->materials) {
                EXPECT_TRUE(names.count(material.textureName)) << "'" << material.textureName << "'";
            }
            // The renderer clamps textures: every coordinate stays on the image.
            for (const glm::vec2& uv : g->uvs) {
                ASSERT_TRUE(uv.x >= 0.0f && uv.x <= 1.0f && uv.y >= 0.0f && uv.y <= 1.0f) << uv.x << ", " << uv.y;
            }
        }
    }
}

TEST_F(LevelFilesTest, BuildingAreaIsLevelAndEmptyAndTheGroundHasNoHoles) {
    ASSERT_TRUE(written_) << error_;
    for (const char* name : kLevelNames) {
        SCOPED_TRACE(name);
        const auto objects = engine::readModelFile((folder(name) / "objects.dff").string());
        ASSERT_TRUE(objects);
        const engine::Atomic* start = objects->findPart("player");
        ASSERT_TRUE(start);
        const glm::vec3 marker = start->frame->worldPosition();
        engine::WorldData world;
        ASSERT_TRUE(engine::readWorldFile((folder(name) / (std::string(name) + ".bsp")).string(), &world));
        engine::CollisionScene scene;
        scene.setStatic(pointers(world.sectors));
        // Anything standing in the area would be hit above the ground.
        for (const glm::vec2 d : squareOfPoints(glm::vec2(72.0f), 4.0f)) {
            glm::vec3 hit;
            ASSERT_TRUE(groundBelow(scene, marker.x + d.x, marker.z + d.y, marker.y + 300.0f, &hit));
            ASSERT_NEAR(hit.y, marker.y, 1e-3f) << "at " << d.x << ", " << d.y << " from the marker";
        }
        // Straight down anywhere on the level there is something to stand on.
        const levels::LevelStyle* style = levels::findLevelStyle(name);
        ASSERT_TRUE(style);
        const float half = style->ground.halfSize - 1.0f;
        levels::Random random(7);
        for (int k = 0; k < 3000; ++k) {
            const float x = random.range(-half, half);
            const float z = random.range(-half, half);
            glm::vec3 hit;
            ASSERT_TRUE(groundBelow(scene, x, z, 1000.0f, &hit)) << "hole at " << x << ", " << z;
        }
    }
}

TEST_F(LevelFilesTest, TerrainBuilderLevelsAndClearsTheCallersZones) {
    const levels::LevelStyle* style = levels::findLevelStyle("alpine");
    ASSERT_TRUE(style);
    levels::FlatZone pad;  // a raised pad where a grove of pines stands, say for a ride's station
    pad.centre = {-110.0f, 60.0f};
    pad.halfSize = {35.0f, 25.0f};
    pad.height = 6.5f;
    levels::FlatZone clearing;  // only clear of scenery: round a chalet's spot
    clearing.centre = {215.0f, 140.0f};
    clearing.halfSize = {22.0f, 22.0f};
    clearing.flatten = false;
    const levels::LevelTerrain terrain = levels::buildLevelTerrain(*style, {pad, clearing});
    engine::CollisionScene scene;
    scene.setStatic(pointers(terrain.sectors));
    for (const glm::vec2 d : squareOfPoints({34.0f, 24.0f}, 2.0f)) {
        const glm::vec2 p = pad.centre + d;
        glm::vec3 hit;
        ASSERT_TRUE(groundBelow(scene, p.x, p.y, 400.0f, &hit));
        ASSERT_NEAR(hit.y, pad.height, 1e-3f);
        EXPECT_FLOAT_EQ(terrain.ground.heightAt(p.x, p.y), pad.height);
    }
    const levels::HeightGrid untouched(style->ground, {});
    for (const glm::vec2 d : squareOfPoints(glm::vec2(21.0f), 2.0f)) {
        const glm::vec2 p = clearing.centre + d;
        glm::vec3 hit;
        ASSERT_TRUE(groundBelow(scene, p.x, p.y, 400.0f, &hit));
        EXPECT_NEAR(hit.y, terrain.ground.heightAt(p.x, p.y), 0.01f);  // bare ground, not a tree top
        EXPECT_FLOAT_EQ(terrain.ground.heightAt(p.x, p.y), untouched.heightAt(p.x, p.y));
    }
}

TEST_F(LevelFilesTest, GenerationRepeatsByteForByte) {
    ASSERT_TRUE(written_) << error_;
    const fs::path again = root_ / "again";
    assetgen::AssetLog log;
    ASSERT_TRUE(assetgen::writeLevels(again, log)) << log.error;
    EXPECT_EQ(snapshot(again / "levels"), snapshot(root_ / "levels"));
}

}  // namespace
