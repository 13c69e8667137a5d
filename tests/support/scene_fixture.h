// A scene context for tests that load models with nothing of the game
// around them: an engine, a plain 2D context, and (unless given) no camera,
// sorter, detail distances, shared animation or test-run train.
#pragma once

#include "world/scene_context.h"

namespace zr::test {

inline SceneContext engineOnlyScene(engine::Engine& engine, const engine::Camera* camera = nullptr) {
    return SceneContext(&engine, ui::UiContext(&engine, 1.0f, 1.0f, nullptr, nullptr), camera, nullptr,
                        DetailDistances{}, nullptr, TestRunCarPosition{});
}

}  // namespace zr::test
