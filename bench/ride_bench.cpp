// The ride's speed: simulated ride seconds per wall-clock second for a test
// run (ride state 2, the collision test on every 0.01 s step) on a long
// built track of 301 timber blocks on meadow: the station, a level chain
// run out of it, then level chain curves round and round a circle beyond
// it (37 turns), every block in the objects' scene.
// Target: 10,000 times real time (a 90 s lap in under 9 ms).
// Run from the folder holding data/ (./run generates it), or pass
// --data=FOLDER.
#include "platform/headless/headless_platform.h"
#include "ride/ride.h"
#include "track/catalogue.h"
#include "world/scene_context.h"
#include "world/world.h"

#include "bench_main.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

std::string gData = "data";
constexpr int kStraights = 6;
constexpr int kCurves = 294;
constexpr float kFrameSeconds = 1.0f / 60.0f;

class BenchHost final : public zr::RideHost {
public:
    explicit BenchHost(zr::engine::World* world) : world_(world) {}
    float rideFrameSeconds() const override { return kFrameSeconds; }
    bool ridingState() const override { return false; }
    zr::sound::SoundBank* rideSounds() override { return nullptr; }
    zr::engine::World* rideWorld() override { return world_; }
    void allowLookAround(bool) override {}
    void requestTitle() override {}
    void testRunEnded(int32_t) override {}

private:
    zr::engine::World* world_;
};

// The level, the catalogue and the track, built once.
struct LongTrack {
    zr::HeadlessPlatform platform{false};
    zr::engine::Engine engine;
    std::unique_ptr<zr::SceneContext> scene;
    std::unique_ptr<zr::World> world;
    std::unique_ptr<zr::Catalogue> catalogue;
    std::unique_ptr<zr::Car> train;
    std::unique_ptr<zr::Coaster> coaster;
    std::string error;

    LongTrack() {
        engine.initialise(1 << 22);
        engine.open(platform);
        engine.startWith(zr::engine::createNullRenderer());
        scene = std::make_unique<zr::SceneContext>(&engine, zr::ui::UiContext(&engine, 1, 1, nullptr, nullptr), nullptr,
                                                   nullptr, zr::DetailDistances{}, nullptr, zr::TestRunCarPosition{});
        world = std::make_unique<zr::World>(*scene, platform, nullptr, gData + "/levels/meadow/meadow.bsp");
        world->loadObjects();
        catalogue = std::make_unique<zr::Catalogue>(*scene);
        catalogue->load(gData + "/blocksets/timber", 0);
        const zr::CataloguePiece* station = catalogue->findPieceContaining("station1");
        const zr::CataloguePiece* straight = catalogue->findPieceContaining("liftstraight-d1.dff");
        const zr::CataloguePiece* curve = catalogue->findPieceContaining("liftleftcurve-d1.dff");
        if (!station || !straight || !curve) {
            error = "no timber station or level chain curve under " + gData;
            return;
        }
        train = std::make_unique<zr::Car>(*scene, zr::Car::leadCarPath(gData + "/blocksets/timber", 1));
        coaster = std::make_unique<zr::Coaster>(*scene, world.get());
        coaster->appendBlock(*station);
        for (int i = 0; i < kStraights; ++i) coaster->appendBlock(*straight);
        for (int i = 0; i < kCurves; ++i) coaster->appendBlock(*curve);
    }
};

LongTrack& longTrack() {
    static LongTrack track;
    return track;
}

void BM_TestRunOnALongTrack(benchmark::State& state) {
    LongTrack& track = longTrack();
    if (!track.error.empty()) {
        state.SkipWithError(track.error.c_str());
        return;
    }
    BenchHost host(track.world->engineWorld.get());
    zr::Ride ride(host, *track.coaster, *track.train, track.catalogue->facts);
    double simulated = 0.0;
    int runs = 0;
    ride.startRide(zr::kRideTest);
    for (auto _ : state) {
        // One frame; a run that has ended starts again.
        if (ride.state() != zr::kRideTest) {
            simulated += ride.record().live.time;
            ++runs;
            ride.startRide(zr::kRideTest);
        }
        ride.update();
    }
    simulated += ride.record().live.time;
    state.counters["ride_s_per_s"] = benchmark::Counter(simulated, benchmark::Counter::kIsRate);
    state.counters["runs_ended"] = runs;
    state.counters["last_outcome"] = ride.state();
    state.counters["blocks"] = track.coaster->blocks.count;
    state.counters["path_frames"] = static_cast<double>(track.coaster->ridePath.size());
}
BENCHMARK(BM_TestRunOnALongTrack)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    return zr::bench::runWithDataFolder(argc, argv, &gData);
}
