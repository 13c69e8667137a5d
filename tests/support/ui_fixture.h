// A 2D interface on a recording renderer, with a fake game around it, and
// helpers that write small menus (background, position image, pictures)
// into a temporary folder.
#pragma once

#include "recording_renderer.h"
#include "temp_folder.h"
#include "engine/engine.h"
#include "platform/headless/headless_platform.h"
#include "ui/menu.h"
#include "ui/menu_host.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace zr::test {

class FakeMenuHost : public ui::MenuHost {
public:
    engine::Camera& menuCamera() override { return *camera; }
    float pointerX() const override { return mouseX; }
    float pointerY() const override { return mouseY; }
    int32_t& leftButtonState() override { return leftButton; }
    void endDrag() override { dragMode = 0; }
    int32_t& lastKeyUpState() override { return lastKeyUp; }
    float pointerIdleSeconds() const override { return idleSeconds; }
    int32_t frameBufferHeight() const override { return 600; }
    ui::ScreenFont* tooltipScreenFont() override { return font; }
    int32_t gameState() const override { return state; }
    bool transitionIdle() const override { return idle; }
    void buildModeHook() override { ++hooks; }
    bool isLeftSlidingMenu(const ui::Menu* menu) const override { return menu == leftMenu; }
    bool isRightSlidingMenu(const ui::Menu* menu) const override { return menu == rightMenu; }

    std::unique_ptr<engine::Camera> camera;
    float mouseX = 0, mouseY = 0, idleSeconds = 0;
    int32_t leftButton = 0, dragMode = 0, lastKeyUp = 0, state = 3, hooks = 0;
    bool idle = true;
    ui::ScreenFont* font = nullptr;
    const ui::Menu* leftMenu = nullptr;
    const ui::Menu* rightMenu = nullptr;
};

class UiFixture : public ::testing::Test {
protected:
    void SetUp() override {
        engine_.initialise(1 << 20);
        engine_.open(platform_);
        auto renderer = std::make_unique<RecordingRenderer>();
        renderer_ = renderer.get();
        engine_.startWith(std::move(renderer));
        engine_.registerImageReader("bmp", &engine::readBmp);
        engine_.registerImageReader("png", &engine::readPng);
        host_.camera = std::make_unique<engine::Camera>(engine_, 800, 600, true);
    }

    static engine::Image filled(int32_t width, int32_t height, std::array<uint8_t, 4> rgba) {
        engine::Image image;
        image.resize(width, height);
        for (size_t i = 0; i < image.rgba.size(); i += 4) {
            for (size_t c = 0; c < 4; ++c) image.rgba[i + c] = rgba[c];
        }
        return image;
    }

    // A position image: white, key row colours for buttons 1..keys, and
    // markers (column, row, button number).
    struct Marker {
        int32_t column, row, number;
    };
    static engine::Image layout(int32_t width, int32_t height, int32_t keys, const std::vector<Marker>& markers) {
        engine::Image image = filled(width, height, {255, 255, 255, 255});
        auto colour = [](int32_t number) {
            return std::array<uint8_t, 3>{static_cast<uint8_t>(number * 20), 0, static_cast<uint8_t>(255 - number)};
        };
        for (int32_t n = 1; n <= keys; ++n) {
            const auto c = colour(n);
            std::copy(c.begin(), c.end(), image.pixel(n - 1, 0));
        }
        for (const Marker& m : markers) {
            const auto c = colour(m.number);
            std::copy(c.begin(), c.end(), image.pixel(m.column, m.row));
        }
        return image;
    }

    std::string write(const std::string& name, const engine::Image& image) {
        const std::string path = folder_.file(name);
        EXPECT_TRUE(engine::writePng(path, image));
        return path;
    }

    HeadlessPlatform platform_{false};
    engine::Engine engine_;
    RecordingRenderer* renderer_ = nullptr;
    FakeMenuHost host_;
    float frameSeconds_ = 0.02f;
    ui::UiContext context_{&engine_, 1.0f, 1.0f, &frameSeconds_, &host_};
    TempFolder folder_;
};

}  // namespace zr::test
