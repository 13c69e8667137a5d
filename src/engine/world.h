// The engine's world: sectors of static geometry, the models (clumps),
// lights and cameras added to it, its collision scene, and drawing with a
// replaceable per-sector callback, sectors back to front.
#pragma once

#include "engine/collision.h"
#include "engine/model_file.h"
#include "engine/scene.h"

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace zr::engine {

class Camera;
class Engine;

using SectorCallback = std::function<void(size_t sector)>;

class World {
public:
    World(Engine& engine, const glm::vec3& boxMin, const glm::vec3& boxMax);
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Takes the sectors of a world file.
    void load(WorldData&& data);
    const glm::vec3& origin() const { return origin_; }
    const std::vector<std::unique_ptr<Geometry>>& sectors() const { return sectors_; }
    std::vector<Material*> materials();

    // A clump already in a world is refused (returns false). A moving clump
    // (the train) is followed by the collision scene at every query; any
    // other is placed once, and updateClump tells the scene when it moved.
    bool addClump(Clump& clump, bool moving = false);
    void removeClump(Clump& clump);
    void updateClump(const Clump& clump);
    // The collision objects of a clump's parts (none when not in the world).
    void objectIdsOf(const Clump& clump, std::vector<CollisionObjectId>* ids) const;
    const std::vector<Clump*>& clumps() const { return clumps_; }

    void addLight(std::unique_ptr<Light> light, std::unique_ptr<Frame> frame = nullptr);
    std::unique_ptr<Light> removeLight(Light* light);
    const std::vector<std::unique_ptr<Light>>& lights() const { return lights_; }

    void addCamera(Camera& camera);
    void removeCamera(Camera& camera);

    // Drawing: sectors (far ones first) through the callback, then the
    // clumps' atomics through their render callbacks.
    void setSectorCallback(SectorCallback callback) { sectorCallback_ = std::move(callback); }
    const SectorCallback& sectorCallback() const { return sectorCallback_; }
    void drawSector(size_t sector);
    void render(Camera& camera);

    // Collision: the moving objects' transforms are brought up to date first.
    CollisionScene& collision();

private:
    void syncAtomic(const Atomic& atomic);

    Engine& engine_;
    glm::vec3 boxMin_, boxMax_;
    glm::vec3 origin_{0.0f};
    std::vector<std::unique_ptr<Geometry>> sectors_;
    std::vector<Clump*> clumps_;
    std::vector<std::unique_ptr<Light>> lights_;
    std::vector<std::unique_ptr<Frame>> lightFrames_;
    std::vector<Camera*> cameras_;
    SectorCallback sectorCallback_;
    Camera* renderingCamera_ = nullptr;
    CollisionScene collision_;
    struct ObjectEntry {
        CollisionObjectId id = 0;
        glm::mat4 transform{1.0f};
    };
    std::unordered_map<const Atomic*, ObjectEntry> objects_;
    std::vector<Clump*> moving_;
};

}  // namespace zr::engine
