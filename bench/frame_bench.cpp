// Frame cost of the 2D interface on the real GL renderer (offscreen): an
// 800 x 600 picture cut into tiles, drawn with the cursor and a fade
// overlay, read back to force the GPU work into the measurement.
#include "engine/camera.h"
#include "engine/engine.h"
#include "platform/headless/headless_platform.h"
#include "ui/screen_image.h"
#include "ui/screen_transition.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

class NoHost final : public zr::ui::TransitionHost {
public:
    void resetStateSeconds() override {}
    void restartFrameClock() override {}
    void switchGameStates(int32_t, int32_t) override {}
    void setMusicVolume(int32_t) override {}
    void fadeMusicOut() override {}
    void fadeMusicIn() override {}
};

struct GlFixture {
    GlFixture() : platform(true) {
        platform.openWindow(zr::DisplayMode{});
        engine.initialise(1 << 22);
        engine.open(platform);
        engine.start();
        engine.registerImageReader("png", &zr::engine::readPng);
    }
    zr::HeadlessPlatform platform;
    zr::engine::Engine engine;
    float seconds = 0.02f;
    zr::ui::UiContext context{&engine, 1.0f, 1.0f, &seconds, nullptr};
};

// A picture of the title's size, written once to the temporary folder.
std::string titlePicture() {
    const std::string path = (std::filesystem::temp_directory_path() / "zephyrail-bench-title.png").string();
    zr::engine::Image image;
    image.resize(800, 600);
    for (size_t i = 0; i < image.rgba.size(); ++i) image.rgba[i] = static_cast<uint8_t>(i * 31);
    zr::engine::writePng(path, image);
    return path;
}

void BM_TitleFrame(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    GlFixture gl;
    if (!gl.platform.hasGraphics()) {
        state.SkipWithError("no GL surface");
        return;
    }
    zr::engine::Camera camera(gl.engine, 800, 600, true);
    zr::ui::ScreenImage picture(gl.context, titlePicture(), 0, 0);
    NoHost host;
    zr::ui::ScreenTransition transition(gl.context, host);
    transition.setOverlayAlpha(128.0f);
    zr::engine::Image readBack;
    for (auto _ : state) {
        camera.beginUpdate();
        camera.clear(zr::engine::Colour{0, 0, 0, 255}, zr::engine::kClearColour | zr::engine::kClearDepth);
        picture.draw(camera, 0.0f, 0.0f);
        transition.drawOverlay(camera);
        camera.endUpdate();
        camera.readFrameBuffer(&readBack);
        benchmark::DoNotOptimize(readBack.rgba.data());
    }
    state.counters["tiles"] = static_cast<double>(picture.tiles().size());
}
BENCHMARK(BM_TitleFrame)->Unit(benchmark::kMillisecond);

void BM_PictureLoadAndTile(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    GlFixture gl;
    const std::string path = titlePicture();
    for (auto _ : state) {
        zr::ui::ScreenImage picture(gl.context, path, 0, 0);
        benchmark::DoNotOptimize(picture.tiles().data());
    }
}
BENCHMARK(BM_PictureLoadAndTile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
