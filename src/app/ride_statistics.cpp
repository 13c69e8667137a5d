// The experience ride without the game around it: the block set's prebuilt
// coaster at its level's start marker, the train, the set's facts from
// blocks.ini, and the ride's own state machine stepped at 100 frames a
// second (the statistics are the same at any frame rate).
#include "app/ride_statistics.h"

#include "app/config.h"
#include "platform/headless/headless_platform.h"
#include "ride/ride.h"
#include "track/catalogue.h"
#include "world/scene_context.h"
#include "world/world.h"

#include <cstdio>
#include <ostream>

namespace zr {
namespace {

constexpr float kFrameSeconds = 0.01f;  // s
constexpr float kLongestRide = 900.0f;  // s of ride time before giving up

class QuietRideHost final : public RideHost {
public:
    float rideFrameSeconds() const override { return frameSeconds; }
    bool ridingState() const override { return true; }
    sound::SoundBank* rideSounds() override { return nullptr; }
    engine::World* rideWorld() override { return nullptr; }
    void allowLookAround(bool) override {}
    void requestTitle() override {}
    void testRunEnded(int32_t) override {}

    // None while the ride starts, as in the game's level set-up.
    float frameSeconds = 0.0f;
};

void printStatistic(std::ostream& out, const char* keyword, float value) {
    char line[64];
    std::snprintf(line, sizeof line, "%s %.2f\n", keyword, static_cast<double>(value));
    out << line;
}

}  // namespace

int rideStatistics(int blockSet, std::ostream& out, std::ostream& err) {
    const GameSettings settings = readGameSettings(Profile(kSetupFile));
    if (blockSet < 0 || static_cast<size_t>(blockSet) >= settings.blockSetNames.size()) {
        err << "zephyrail: no block set " << blockSet << " in " << kSetupFile << " (there are "
            << settings.blockSetNames.size() << ")\n";
        return 1;
    }
    const std::string folder = settings.blockSetNames[static_cast<size_t>(blockSet)];
    HeadlessPlatform platform(false);
    engine::Engine engine;
    if (!engine.initialise(1 << 22) || !engine.open(platform) || !engine.startWith(engine::createNullRenderer())) {
        err << "zephyrail: the scene engine did not start\n";
        return 1;
    }
    SceneContext scene(&engine, ui::UiContext(&engine, 1.0f, 1.0f, nullptr, nullptr), nullptr, nullptr,
                       DetailDistances{}, nullptr, TestRunCarPosition{});
    int result = 1;
    {
        const BlockSetFacts facts = loadBlockSetFacts(folder, blockSet);
        // The coaster stands where the riding state puts it, at the start
        // marker of level N's experience world, so every coordinate (and
        // with them the rounding of every step) is the game's.
        const size_t level = static_cast<size_t>(blockSet);
        const std::string levelPath = level < settings.levelNames.size() ? settings.levelNames[level] : "";
        World world(scene, platform, nullptr, World::folderOf(levelPath) + "experience.bsp");
        world.loadObjects();
        const std::string model = folder + "/features/experience1.dff";
        CataloguePiece coasterPiece(scene, model, false, nullptr);
        if (!coasterPiece.valid()) {
            err << "zephyrail: block set " << blockSet << " has no prebuilt coaster (" << model << ")\n";
        } else {
            Car train(scene, "");
            Coaster coaster(scene, &world);
            coaster.appendBlock(coasterPiece);
            QuietRideHost host;
            Ride ride(host, coaster, train, facts);
            ride.startRide(kRideExperience);
            ride.record().countdown = kExperienceCountdown;
            host.frameSeconds = kFrameSeconds;
            const int frames = static_cast<int>(kLongestRide / kFrameSeconds);
            for (int i = 0; i < frames && ride.state() != kRideExperienceDone; ++i) ride.update();
            if (ride.state() != kRideExperienceDone || ride.record().outcome != RideOutcome::Lap) {
                err << "zephyrail: the lap of block set " << blockSet << " did not complete\n";
            } else {
                const RideStats& s = ride.record().committed;
                printStatistic(out, "LENGTH", s.length);
                printStatistic(out, "MAXSPEED", s.maxSpeed);
                printStatistic(out, "NVERTG", s.negativeVerticalG);
                printStatistic(out, "PVERTG", s.positiveVerticalG);
                printStatistic(out, "LATG", s.lateralG);
                printStatistic(out, "TIME", s.time);
                result = 0;
            }
        }
    }
    engine.stop();
    engine.close();
    engine.terminate();
    return result;
}

}  // namespace zr
