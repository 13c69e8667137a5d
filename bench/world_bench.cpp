// Level worlds: load time per level, collision queries per second against
// the largest level, and the CPU time to submit one frame of a level.
// Run from the folder holding data/ (./run generates it), or pass
// --data=FOLDER.
#include "engine/camera.h"
#include "engine/collision.h"
#include "engine/engine.h"
#include "engine/model_file.h"
#include "engine/texture_dictionary.h"
#include "engine/world.h"
#include "platform/headless/headless_platform.h"

#include "bench_main.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

std::string gData = "data";
const char* kLevels[] = {"meadow", "canyon", "alpine", "harbour", "nightfall"};

std::string levelPath(int index) {
    return gData + "/levels/" + kLevels[index] + "/" + kLevels[index] + ".bsp";
}

void BM_WorldLoad(benchmark::State& state) {
    const std::string path = levelPath(static_cast<int>(state.range(0)));
    size_t triangles = 0;
    for (auto _ : state) {
        zr::engine::WorldData data;
        if (!zr::engine::readWorldFile(path, &data)) {
            state.SkipWithError(("cannot read " + path).c_str());
            return;
        }
        zr::engine::CollisionScene scene;
        std::vector<const zr::engine::Geometry*> sectors;
        for (const auto& sector : data.sectors) sectors.push_back(sector.get());
        scene.setStatic(sectors);
        triangles = scene.staticTriangleCount();
    }
    state.SetLabel(kLevels[state.range(0)]);
    state.counters["triangles"] = static_cast<double>(triangles);
}
BENCHMARK(BM_WorldLoad)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// The level with the most triangles.
struct LargestLevel {
    zr::engine::WorldData data;
    zr::engine::CollisionScene scene;
    std::string name;
    LargestLevel() {
        size_t best = 0;
        for (int i = 0; i < 5; ++i) {
            zr::engine::WorldData candidate;
            if (!zr::engine::readWorldFile(levelPath(i), &candidate)) continue;
            size_t triangles = 0;
            for (const auto& sector : candidate.sectors) triangles += sector->triangleCount();
            if (triangles > best) {
                best = triangles;
                data = std::move(candidate);
                name = kLevels[i];
            }
        }
        std::vector<const zr::engine::Geometry*> sectors;
        for (const auto& sector : data.sectors) sectors.push_back(sector.get());
        scene.setStatic(sectors);
    }
};

LargestLevel& largest() {
    static LargestLevel level;
    return level;
}

void BM_SegmentQueries(benchmark::State& state) {
    LargestLevel& level = largest();
    std::mt19937 random(7);
    std::uniform_real_distribution<float> across(-400.0f, 400.0f);
    std::vector<std::pair<glm::vec3, glm::vec3>> segments;
    for (int i = 0; i < 4096; ++i) {
        // Short segments like the fit test's: a few metres, any direction.
        const glm::vec3 from(across(random), 5.0f + across(random) * 0.02f, across(random));
        const glm::vec3 to = from + glm::vec3(across(random), across(random), across(random)) * 0.02f;
        segments.emplace_back(from, to);
    }
    size_t i = 0;
    size_t hits = 0;
    for (auto _ : state) {
        zr::engine::SegmentHit hit;
        hits += level.scene.segmentStatic(segments[i].first, segments[i].second, &hit) ? 1 : 0;
        i = (i + 1) % segments.size();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(level.name);
    state.counters["hit%"] = 100.0 * static_cast<double>(hits) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_SegmentQueries);

void BM_SphereQueries(benchmark::State& state) {
    LargestLevel& level = largest();
    std::mt19937 random(11);
    std::uniform_real_distribution<float> across(-400.0f, 400.0f);
    std::vector<glm::vec3> centres;
    for (int i = 0; i < 4096; ++i) centres.emplace_back(across(random), 1.0f + (across(random) + 400.0f) * 0.02f, across(random));
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(level.scene.sphereStatic(centres[i], 1.5f));
        i = (i + 1) % centres.size();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(level.name);
}
BENCHMARK(BM_SphereQueries);

// Submitting one frame of a level: the engine's world drawing with the
// renderer that records nothing (CPU cost of the game and engine only).
void BM_FrameSubmit(benchmark::State& state) {
    zr::HeadlessPlatform platform(false);
    zr::engine::Engine engine;
    engine.initialise(1 << 22);
    engine.open(platform);
    engine.start();
    zr::engine::WorldData data;
    const std::string path = levelPath(static_cast<int>(state.range(0)));
    if (!zr::engine::readWorldFile(path, &data)) {
        state.SkipWithError("no level");
        return;
    }
    zr::engine::World world(engine, glm::vec3(-100.0f), glm::vec3(100.0f));
    world.load(std::move(data));
    zr::engine::Camera camera(engine, 800, 600, true);
    camera.setFarClip(1500.0f);
    camera.frame().translate({0, 10, -80}, zr::engine::Combine::Replace);
    for (auto _ : state) world.render(camera);
    state.SetLabel(kLevels[state.range(0)]);
    state.counters["draws"] = static_cast<double>(engine.drawsLastScene());
}
BENCHMARK(BM_FrameSubmit)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return zr::bench::runWithDataFolder(argc, argv, &gData);
}
