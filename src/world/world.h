// A level's scenery: the engine world read from the level's ".bsp", its
// "world.txd" textures, an ambient light, the lights and sky models of the
// companion "objects.dff" and the station's start positions.
#pragma once

#include "engine/texture_dictionary.h"
#include "engine/world.h"
#include "world/scene_object.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace zr {

class GameCamera;
class Platform;

constexpr int kMaxStartPositions = 10;

class World {
public:
    World(SceneContext& context, Platform& platform, GameCamera* camera, const std::string& worldPath);
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    void loadObjects();
    void render();

    // The companion file of a world path: "experience-objects.dff" for an
    // experience world, else "objects.dff", in the same folder.
    static std::string objectsPathFor(const std::string& worldPath);
    static std::string folderOf(const std::string& path);
    // The heading of a marker frame: its rotation angle, negated when the
    // rotation axis points down.
    static float markerHeading(const engine::Frame& frame);

    std::string path;
    std::unique_ptr<engine::World> engineWorld;
    std::unique_ptr<engine::TextureDictionary> textures;
    engine::Light* ambientLight = nullptr;
    glm::vec3 origin{0.0f};
    std::array<glm::vec3, kMaxStartPositions> startPositions{};
    std::array<float, kMaxStartPositions> startHeadings{};
    int8_t startIndex = 0;
    int8_t startCount = 0;
    std::vector<std::unique_ptr<SceneObject>> skies;

private:
    bool loadWorldFile();

    SceneContext& context_;
    Platform& platform_;
    GameCamera* camera_;
};

}  // namespace zr
