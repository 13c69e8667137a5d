// What models placed in the world need from the game: the engine, the
// current level's engine world, the camera, the detail-level distances, the
// see-through sorter, the shared animated texture and where the test-run
// train is. The wiring is all constructor arguments, so a context cannot be
// handed on half filled (an empty icon months later); only the current
// world changes, with each level.
#pragma once

#include "engine/engine.h"
#include "engine/world.h"
#include "ui/animated_image.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace zr {

class AlphaSorter;

// One animation drives every "ANIM" texture of the loaded models.
struct AnimatedTextures {
    std::unique_ptr<ui::AnimatedImage> image;
    std::vector<engine::Material*> targets;

    void show(engine::TextureId texture) {
        for (engine::Material* material : targets) material->texture = texture;
    }
    void forget(engine::Material* material) { std::erase(targets, material); }
};

// The detail-level distances of the settings: count entries of distances.
struct DetailDistances {
    const int16_t* distances = nullptr;
    const int16_t* count = nullptr;
};

// During a test run: where the lead car is (false otherwise).
using TestRunCarPosition = std::function<bool(glm::vec3*)>;

struct SceneContext {
    // Pointers may be null where a model needs none of it (a tool, a test);
    // they must be given all the same.
    SceneContext(engine::Engine* engine, const ui::UiContext& ui, const engine::Camera* camera,
                 AlphaSorter* alphaSorter, DetailDistances detail, AnimatedTextures* animatedTextures,
                 TestRunCarPosition testRunCarPosition)
        : engine(engine),
          ui(ui),
          camera(camera),
          alphaSorter(alphaSorter),
          detail(detail),
          animatedTextures(animatedTextures),
          testRunCarPosition(std::move(testRunCarPosition)) {}

    engine::Engine* engine;
    ui::UiContext ui;
    const engine::Camera* camera;
    AlphaSorter* alphaSorter;
    DetailDistances detail;
    AnimatedTextures* animatedTextures;
    TestRunCarPosition testRunCarPosition;
    engine::World* world = nullptr;  // the current level's, or none
};

}  // namespace zr
