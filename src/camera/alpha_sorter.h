// Deferred drawing of see-through parts: registered parts are collected
// while the world draws and drawn after everything else, farthest first,
// so their blending sees what lies behind them. A part whose frame has the
// integer user data "T" = 1 is hidden and never drawn by the sorter.
#pragma once

#include "engine/engine.h"
#include "engine/scene.h"

#include <list>
#include <vector>

namespace zr {

class AlphaSorter {
public:
    AlphaSorter(engine::Engine& engine, const engine::Camera* camera) : engine_(engine), camera_(camera) {}

    // Registers every part that has see-through prelit colours (alpha 254
    // or less), else once per see-through material.
    void registerModel(const engine::Clump& model);
    // Replaces every part's drawing: deferred 0 draws at once (hidden parts
    // not at all); deferred 1 queues registered parts by distance.
    void mark(engine::Clump& model, bool deferred);
    void flush();
    void clearRegistry() { registry_.clear(); }

    static bool hidden(const engine::Atomic& atomic);
    bool registered(const engine::Atomic* atomic) const;
    size_t registrySize() const { return registry_.size(); }
    size_t pendingSize() const { return pending_.size(); }
    void setCamera(const engine::Camera* camera) { camera_ = camera; }
    // Queues one part by its distance (the deferred drawing's own step).
    void defer(engine::Atomic& atomic);

private:
    struct Pending {
        engine::Atomic* atomic;
        float distanceSquared;
    };

    engine::Engine& engine_;
    const engine::Camera* camera_;
    std::vector<const engine::Atomic*> registry_;
    std::list<Pending> pending_;  // farthest first
};

}  // namespace zr
