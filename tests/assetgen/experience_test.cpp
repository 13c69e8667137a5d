// The prebuilt coasters of the riding state: the generator is run once into
// a scratch folder, each block set's coaster is loaded as the game loads it
// (a catalogue piece, its path frames read with the game's key-frame rule),
// ridden with the game's own ride physics, and its world is read back and
// checked against the track. The expectations come from the ride's rules
// and a real ride's envelope, not from the generator's numbers; the ride's
// facts (experience start, chain-free range, spheres) are the block-set
// style's, read back by the ride from the generated blocks.ini.
#include "../support/scene_fixture.h"
#include "blocksets/block_set_style.h"
#include "engine/collision.h"
#include "engine/engine.h"
#include "engine/model_file.h"
#include "engine/renderer.h"
#include "platform/headless/headless_platform.h"
#include "ride/ride.h"
#include "track/block_set_facts.h"
#include "track/catalogue_piece.h"
#include "track/coaster.h"
#include "track/track_geometry.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace engine = zr::engine;

using Style = assetgen::blocksets::BlockSetStyle;
const std::vector<Style>& kStyles = assetgen::blocksets::blockSetStyles();

// Level n goes with block set n.
constexpr std::array<const char*, 5> kLevels{"meadow", "canyon", "alpine", "harbour", "nightfall"};
constexpr int kTallSet = 4;

constexpr float kFrameSeconds = 0.02f;
constexpr float kLongestLap = 300.0f;  // s of ride time
constexpr float kClosing = 0.001f;     // m
constexpr int kReturnFrames = 20;      // beyond the chain-free range's end
constexpr float kShortestStep = 0.8f;  // m between path frames
constexpr float kLongestStep = 1.25f;
constexpr size_t kNeighbours = 20;  // frames along the track that may come close

class FakeRideHost final : public zr::RideHost {
public:
    float rideFrameSeconds() const override { return kFrameSeconds; }
    bool ridingState() const override { return true; }
    zr::sound::SoundBank* rideSounds() override { return nullptr; }
    engine::World* rideWorld() override { return nullptr; }
    void allowLookAround(bool) override {}
    void requestTitle() override {}
    void testRunEnded(int32_t) override {}
};

// Exit status of the generator, or -1 when it did not exit normally.
int runGenerator(const fs::path& outDir) {
    const std::string command = std::string("'") + ZEPHYRAIL_ASSETS_EXE + "' '" + outDir.string() + "' >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

glm::vec3 positionOf(const zr::PathFrame& f) {
    return glm::vec3(f[3]);
}

// What the experience ride commits when its lap is done.
struct LapResult {
    bool completed = false;
    zr::RideStats stats;
};

class ExperienceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = new fs::path(fs::temp_directory_path() / ("assetgen-experience-" + std::to_string(getpid())));
        fs::remove_all(*root_);
        generated_ = runGenerator(*root_ / "data") == 0;
    }
    static void TearDownTestSuite() {
        std::error_code ignored;
        fs::remove_all(*root_, ignored);
        delete root_;
        root_ = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(generated_) << "zephyrail-assets failed";
        engine_.initialise(1 << 20);
        engine_.open(platform_);
        engine_.startWith(engine::createNullRenderer());
    }

    fs::path data() const { return *root_ / "data"; }

    std::unique_ptr<zr::CataloguePiece> loadCoaster(const std::string& set) {
        const fs::path model = data() / "blocksets" / set / "features" / "experience1.dff";
        return std::make_unique<zr::CataloguePiece>(context_, model.string(), false, nullptr);
    }

    // The experience ride as the riding state runs it, with the facts the
    // game reads from the set's blocks.ini: countdown, then the lap, one
    // frame at a time, until the ride says it is done.
    LapResult rideLap(const zr::CataloguePiece& piece, const Style& style) {
        FakeRideHost host;
        zr::Car train(context_, "");
        zr::Coaster coaster(context_, nullptr);
        coaster.appendBlock(piece);
        const zr::BlockSetFacts facts =
            zr::loadBlockSetFacts((data() / "blocksets" / style.name).string(), style.index);
        zr::Ride ride(host, coaster, train, facts);
        ride.startRide(zr::kRideExperience);
        const int frames = static_cast<int>(kLongestLap / kFrameSeconds);
        for (int i = 0; i < frames && ride.state() != zr::kRideExperienceDone; ++i) ride.update();
        return {ride.state() == zr::kRideExperienceDone, ride.record().committed};
    }

    static fs::path* root_;
    static bool generated_;
    zr::HeadlessPlatform platform_{false};
    engine::Engine engine_;
    zr::SceneContext context_ = zr::test::engineOnlyScene(engine_);
};

fs::path* ExperienceTest::root_ = nullptr;
bool ExperienceTest::generated_ = false;

float heightRange(const std::vector<zr::PathFrame>& frames) {
    float low = 1e9f, high = -1e9f;
    for (const auto& f : frames) {
        low = std::min(low, f[3].y);
        high = std::max(high, f[3].y);
    }
    return high - low;
}

// The closest two frames of the circuit come, leaving out frames within
// reach of each other along it.
float closestPass(const std::vector<zr::PathFrame>& frames, size_t reach) {
    float closest = 1e9f;
    const size_t n = frames.size() - 1;  // the last frame is the first
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = i + reach; j < n; ++j) {
            if (n - (j - i) < reach) continue;
            closest = std::min(closest, glm::length(positionOf(frames[i]) - positionOf(frames[j])));
        }
    }
    return closest;
}

float pathLength(const std::vector<zr::PathFrame>& frames) {
    float length = 0.0f;
    for (size_t i = 1; i < frames.size(); ++i) length += glm::length(positionOf(frames[i]) - positionOf(frames[i - 1]));
    return length;
}

// The station building stands beside the frame the train starts at, its
// roof has see-through glazing, and every part but the rail has a
// decoration's name.
void expectStationAndParts(const zr::CataloguePiece& piece, const assetgen::blocksets::RideFacts& ride) {
    const engine::Atomic* platform = piece.model->findPart("platform");
    ASSERT_NE(platform, nullptr) << "a station at the start";
    glm::vec3 low(1e9f), high(-1e9f);
    for (const glm::vec3& p : platform->geometry->positions) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
    const glm::vec3 lead = positionOf(piece.pathFrames[static_cast<size_t>(ride.experienceStart)]);
    EXPECT_TRUE(lead.x > low.x && lead.x < high.x && lead.z > low.z && lead.z < high.z)
        << "the train starts beside the platform";
    int seeThrough = 0;
    for (const auto& atomic : piece.model->atomics()) {
        const std::string& part = atomic->name();
        for (const engine::Material& material : atomic->geometry->materials) {
            seeThrough += material.colour.a < 255 && part != "track" ? 1 : 0;
        }
        if (part == "track") continue;
        for (const char* reserved : {"legs", "foot", "car", "track"}) {
            EXPECT_EQ(part.find(reserved), std::string::npos) << "decoration part " << part;
        }
    }
    EXPECT_GT(seeThrough, 0) << "the station's roof glazing";
}

// Below the chain-free range the chain lifts the train to the crest; above
// it the chain brakes it, on the level, back into the station.
void expectLiftAndReturn(const std::vector<zr::PathFrame>& frames, const assetgen::blocksets::RideFacts& ride) {
    float highest = -1e9f;
    for (const auto& f : frames) highest = std::max(highest, f[3].y);
    EXPECT_GT(frames[static_cast<size_t>(ride.experienceChainBegin)][3].y, highest - 1.0f)
        << "the crest starts the ride";
    for (size_t i = static_cast<size_t>(ride.experienceChainEnd) + 1; i < frames.size(); ++i) {
        ASSERT_LT(std::abs(frames[i][2].y), 0.05f) << "return frame " << i << " is not level";
    }
}

TEST_F(ExperienceTest, EachCoasterIsOneClosedCircuitFromItsStationUpTheLiftAndBack) {
    for (const Style& style : kStyles) {
        SCOPED_TRACE(style.name);
        const auto piece = loadCoaster(style.name);
        ASSERT_TRUE(piece->model) << "no experience1.dff";
        ASSERT_NE(piece->model->findPart("track"), nullptr) << "the rail must be the part named track";
        const std::vector<zr::PathFrame>& frames = piece->pathFrames;
        ASSERT_GT(static_cast<int>(frames.size()), style.ride.experienceChainEnd + kReturnFrames);
        EXPECT_LT(glm::length(positionOf(frames.back()) - positionOf(frames.front())), kClosing);
        EXPECT_LT(glm::length(glm::vec3(frames.back()[2] - frames.front()[2])), 1e-3f)
            << "last frame faces as the first";
        for (size_t i = 1; i < frames.size(); ++i) {
            const float step = glm::length(positionOf(frames[i]) - positionOf(frames[i - 1]));
            ASSERT_GE(step, kShortestStep) << "frame " << i;
            ASSERT_LE(step, kLongestStep) << "frame " << i;
        }
        EXPECT_GT(closestPass(frames, kNeighbours), style.suspended() ? 5.5f : 4.5f) << "the track runs into itself";
        expectStationAndParts(*piece, style.ride);
        expectLiftAndReturn(frames, style.ride);
        const float height = heightRange(frames);
        if (style.index == kTallSet) {
            EXPECT_GE(height, 60.0f) << "the tall set's lift";
        } else {
            EXPECT_LE(height, 45.0f) << "only the tall set climbs that high";
        }
    }
}

TEST_F(ExperienceTest, EachCoasterRidesALapOfTheGamesRideWithinARealRidesEnvelope) {
    for (const Style& style : kStyles) {
        const std::string& name = style.name;
        SCOPED_TRACE(name);
        const auto piece = loadCoaster(name);
        ASSERT_TRUE(piece->model);
        const std::vector<zr::PathFrame>& frames = piece->pathFrames;
        const LapResult lap = rideLap(*piece, style);
        ASSERT_TRUE(lap.completed) << "no lap within " << kLongestLap << " s";
        const zr::RideStats& s = lap.stats;
        const float height = heightRange(frames);
        std::printf(
            "[ %-8s ] %zu frames, %.1f m high: time %.1f s, length %.0f m, top speed %.1f m/s, "
            "lateral %.2f g, vertical %+.2f g / %+.2f g\n",
            name.c_str(), frames.size(), height, s.time, s.length, s.maxSpeed, s.lateralG, s.positiveVerticalG,
            s.negativeVerticalG);
        const float fall = std::sqrt(2.0f * 9.81f * height);  // the speed a frictionless drop would give
        EXPECT_GT(s.maxSpeed, 0.7f * fall);
        EXPECT_LT(s.maxSpeed, fall + 3.0f);
        EXPECT_NEAR(s.length, pathLength(frames), 0.03f * pathLength(frames)) << "one lap is one circuit";
        EXPECT_GT(s.time, s.length / s.maxSpeed);
        // The sideways force as the riders feel it, gravity's share
        // included: the steel set's inclined loop, whose roll does not follow
        // its turn, reaches about 2.2 g.
        EXPECT_LE(s.lateralG, 2.5f);
        EXPECT_GT(s.lateralG, 0.3f) << "a ride with turns";
        EXPECT_LE(s.positiveVerticalG, 5.0f);
        EXPECT_GT(s.positiveVerticalG, 1.5f) << "valleys press the riders down";
        EXPECT_GE(s.negativeVerticalG, -1.5f);
        EXPECT_LT(s.negativeVerticalG, 1.0f) << "crests lift the riders";
    }
}

// --- the worlds ---

struct Placement {
    glm::vec3 position{0.0f};
    float heading = 0.0f;
    int players = 0;
    int skies = 0;
    int suns = 0;
};

Placement readPlacement(const fs::path& objects) {
    Placement p;
    const std::unique_ptr<engine::Clump> model = engine::readModelFile(objects.string());
    if (!model) return p;
    for (const auto& atomic : model->atomics()) {
        if (atomic->name() == "player") {
            ++p.players;
            const glm::mat4 world = atomic->frame->world();
            p.position = glm::vec3(world[3]);
            const glm::vec3 forward(world[2]);
            p.heading = glm::degrees(std::atan2(forward.x, forward.z));
        } else if (atomic->name().find("sky") != std::string::npos) {
            ++p.skies;
        }
    }
    for (const auto& light : model->lights()) p.suns += light->kind == engine::LightKind::Directional ? 1 : 0;
    return p;
}

glm::mat4 placementMatrix(const Placement& p) {
    const float h = glm::radians(p.heading);
    glm::mat4 m(1.0f);
    m[0] = glm::vec4(std::cos(h), 0.0f, -std::sin(h), 0.0f);
    m[2] = glm::vec4(std::sin(h), 0.0f, std::cos(h), 0.0f);
    m[3] = glm::vec4(p.position, 1.0f);
    return m;
}

TEST_F(ExperienceTest, EachWorldHoldsItsCoasterClearOfGroundAndScenery) {
    for (const Style& style : kStyles) {
        const char* level = kLevels[static_cast<size_t>(style.index)];
        SCOPED_TRACE(level);
        const fs::path folder = data() / "levels" / level;
        const Placement placement = readPlacement(folder / "experience-objects.dff");
        EXPECT_EQ(placement.players, 1);
        EXPECT_GE(placement.skies, 1);
        EXPECT_GE(placement.suns, 1);
        EXPECT_NE(placement.position, glm::vec3(0.0f)) << "the game takes (0, 0, 0) for no marker";
        EXPECT_TRUE(fs::exists(folder / "sky.dff"));
        engine::WorldData world;
        ASSERT_TRUE(engine::readWorldFile((folder / "experience.bsp").string(), &world));
        ASSERT_FALSE(world.sectors.empty());
        std::vector<const engine::Geometry*> sectors;
        for (const auto& sector : world.sectors) sectors.push_back(sector.get());
        engine::CollisionScene scene;
        scene.setStatic(sectors);

        const auto piece = loadCoaster(style.name);
        ASSERT_TRUE(piece->model);
        const glm::mat4 place = placementMatrix(placement);
        const float clearance = style.suspended() ? 4.0f : 1.9f;  // the cars hang below that set's rail
        int blocked = 0, pierced = 0;
        for (size_t i = 0; i < piece->pathFrames.size(); ++i) {
            const glm::mat4 f = place * piece->pathFrames[i];
            const glm::vec3 rail(f[3]);
            // Near the station the rail is as low as the platform's; its ground is level there.
            const float below = std::min(clearance, rail.y - placement.position.y - 0.2f);
            engine::SegmentHit hit;
            if (below > 0.0f && scene.segmentStatic(rail, rail - glm::vec3(0.0f, below, 0.0f), &hit)) ++blocked;
            for (const glm::vec3& offset : style.ride.spheres) {
                const glm::vec3 centre =
                    rail + offset.x * glm::vec3(f[0]) + offset.y * glm::vec3(f[1]) + offset.z * glm::vec3(f[2]);
                if (scene.sphereStatic(centre, assetgen::blocksets::kCollisionSphereRadius)) ++pierced;
            }
        }
        EXPECT_EQ(blocked, 0) << "frames with ground or scenery within reach below the rail";
        EXPECT_EQ(pierced, 0) << "collision spheres touching the world";
        // The train starts in the station, whose ground is the marker's height.
        const auto startIndex = static_cast<size_t>(style.ride.experienceStart);
        const glm::vec3 start = glm::vec3(place * piece->pathFrames[startIndex][3]);
        engine::SegmentHit ground;
        ASSERT_TRUE(scene.segmentStatic(start, start - glm::vec3(0.0f, 10.0f, 0.0f), &ground));
        EXPECT_NEAR(ground.point.y, placement.position.y, 0.15f);
        EXPECT_GE(start.y - ground.point.y, 1.5f);
        EXPECT_LE(start.y - ground.point.y, 3.5f);
    }
}

}  // namespace
