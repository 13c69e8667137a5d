// World membership, sector ordering and the collision objects of clumps.
#include "engine/world.h"

#include "engine/camera.h"
#include "engine/engine.h"

#include <algorithm>

namespace zr::engine {

World::World(Engine& engine, const glm::vec3& boxMin, const glm::vec3& boxMax)
    : engine_(engine), boxMin_(boxMin), boxMax_(boxMax) {}

World::~World() {
    for (Clump* clump : clumps_) clump->world = nullptr;
    for (Camera* camera : cameras_) camera->world = nullptr;
    for (const auto& sector : sectors_) engine_.releaseGeometry(*sector);
}

void World::load(WorldData&& data) {
    for (const auto& sector : sectors_) engine_.releaseGeometry(*sector);
    origin_ = data.origin;
    sectors_ = std::move(data.sectors);
    for (const auto& sector : sectors_) engine_.resolveTextures(*sector);
    std::vector<const Geometry*> statics;
    for (const auto& sector : sectors_) statics.push_back(sector.get());
    collision_.setStatic(statics);
}

std::vector<Material*> World::materials() {
    std::vector<Material*> all;
    for (const auto& sector : sectors_) {
        for (Material& material : sector->materials) all.push_back(&material);
    }
    return all;
}

bool World::addClump(Clump& clump, bool moving) {
    if (clump.world) return false;
    clump.world = this;
    clumps_.push_back(&clump);
    if (moving) moving_.push_back(&clump);
    for (const auto& atomic : clump.atomics()) {
        const glm::mat4 transform = atomic->frame ? atomic->frame->world() : glm::mat4(1.0f);
        const CollisionObjectId id = collision_.addObject(*atomic->geometry, transform, moving);
        if (id) objects_[atomic.get()] = ObjectEntry{id, transform};
    }
    return true;
}

void World::removeClump(Clump& clump) {
    if (clump.world != this) return;
    clump.world = nullptr;
    clumps_.erase(std::remove(clumps_.begin(), clumps_.end(), &clump), clumps_.end());
    moving_.erase(std::remove(moving_.begin(), moving_.end(), &clump), moving_.end());
    for (const auto& atomic : clump.atomics()) {
        const auto found = objects_.find(atomic.get());
        if (found != objects_.end()) {
            collision_.removeObject(found->second.id);
            objects_.erase(found);
        }
    }
}

void World::addLight(std::unique_ptr<Light> light, std::unique_ptr<Frame> frame) {
    if (frame) {
        light->frame = frame.get();
        lightFrames_.push_back(std::move(frame));
    }
    lights_.push_back(std::move(light));
}

std::unique_ptr<Light> World::removeLight(Light* light) {
    const auto found = std::find_if(lights_.begin(), lights_.end(), [&](const auto& l) { return l.get() == light; });
    if (found == lights_.end()) return nullptr;
    std::unique_ptr<Light> taken = std::move(*found);
    lights_.erase(found);
    return taken;
}

void World::addCamera(Camera& camera) {
    if (camera.world == this) return;
    camera.world = this;
    cameras_.push_back(&camera);
}

void World::removeCamera(Camera& camera) {
    if (camera.world != this) return;
    camera.world = nullptr;
    cameras_.erase(std::remove(cameras_.begin(), cameras_.end(), &camera), cameras_.end());
}

void World::drawSector(size_t sector) {
    if (sector < sectors_.size() && renderingCamera_) {
        engine_.drawGeometry(*sectors_[sector], glm::mat4(1.0f));
    }
}

void World::render(Camera& camera) {
    renderingCamera_ = &camera;
    engine_.beginScene(camera, *this);
    // Sectors back to front: farthest bounding-sphere centre first.
    std::vector<std::pair<float, size_t>> order;
    const glm::vec3 eye = camera.position();
    for (size_t i = 0; i < sectors_.size(); ++i) {
        const glm::vec3 d = sectors_[i]->sphereCentre - eye;
        order.emplace_back(-glm::dot(d, d), i);
    }
    std::sort(order.begin(), order.end());
    for (const auto& [distance, index] : order) {
        if (sectorCallback_) sectorCallback_(index);
        else drawSector(index);
    }
    for (Clump* clump : clumps_) {
        for (const auto& atomic : clump->atomics()) {
            if (atomic->renderCallback) atomic->renderCallback(*atomic);
            else engine_.drawAtomic(*atomic);
        }
    }
    engine_.endScene();
    renderingCamera_ = nullptr;
}

void World::syncAtomic(const Atomic& atomic) {
    const auto found = objects_.find(&atomic);
    if (found == objects_.end()) return;
    const glm::mat4 transform = atomic.frame ? atomic.frame->world() : glm::mat4(1.0f);
    if (transform == found->second.transform) return;
    collision_.moveObject(found->second.id, transform);
    found->second.transform = transform;
}

void World::updateClump(const Clump& clump) {
    if (clump.world != this) return;
    for (const auto& atomic : clump.atomics()) syncAtomic(*atomic);
}

void World::objectIdsOf(const Clump& clump, std::vector<CollisionObjectId>* ids) const {
    ids->clear();
    for (const auto& atomic : clump.atomics()) {
        const auto found = objects_.find(atomic.get());
        if (found != objects_.end()) ids->push_back(found->second.id);
    }
}

CollisionScene& World::collision() {
    for (const Clump* clump : moving_) updateClump(*clump);
    return collision_;
}

}  // namespace zr::engine
