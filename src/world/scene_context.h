// What models placed in the world need from the game: the engine, the
// current level's engine world, the camera, the detail-level distances, the
// see-through sorter and the shared animated texture.
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
    void forget(engine::Material* material) {
        std::erase(targets, material);
    }
};

struct SceneContext {
    engine::Engine* engine = nullptr;
    engine::World* world = nullptr;  // the current level's, or none
    const engine::Camera* camera = nullptr;
    AlphaSorter* alphaSorter = nullptr;
    const int16_t* lodDistances = nullptr;  // kMaxLodDistances entries
    const int16_t* lodCount = nullptr;
    ui::UiContext ui;
    AnimatedTextures* animatedTextures = nullptr;
    // During a test run: where the lead car's rail part is (false otherwise).
    std::function<bool(glm::vec3*)> testRunCarPosition;
};

}  // namespace zr
