// Deferred drawing of see-through parts: registered parts are collected
// while the world draws and drawn after everything else, farthest first,
// with blending on and without writing depth, so each sees what lies
// behind it. A part whose frame has the integer user data "T" = 1 is
// hidden and never drawn by the sorter. Every model the game places is
// registered and marked when it loads and unregistered when it goes; the
// level's tear-down clears what is left.
#pragma once

#include "engine/engine.h"
#include "engine/scene.h"

#include <list>
#include <unordered_set>

namespace zr {

class AlphaSorter {
public:
    AlphaSorter(engine::Engine& engine, const engine::Camera* camera) : engine_(engine), camera_(camera) {}

    // Registers every part that has see-through prelit colours (alpha 254
    // or less), or a see-through material.
    void registerModel(const engine::Clump& model);
    void unregisterModel(const engine::Clump& model);
    void unregisterPart(const engine::Atomic* atomic) { registry_.erase(atomic); }
    // Replaces every part's drawing: deferred 0 draws at once (hidden parts
    // not at all); deferred 1 queues registered parts by distance.
    void mark(engine::Clump& model, bool deferred);
    // Draws the queued parts, farthest first. The see-through states stay
    // set afterwards (the frame's 2D states follow).
    void flush();
    void clearRegistry() { registry_.clear(); }

    static bool hidden(const engine::Atomic& atomic);
    bool registered(const engine::Atomic* atomic) const { return registry_.contains(atomic); }
    size_t registrySize() const { return registry_.size(); }
    size_t pendingSize() const { return pending_.size(); }
    // How many parts the last flush drew.
    size_t drawnLastFlush() const { return drawnLastFlush_; }
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
    std::unordered_set<const engine::Atomic*> registry_;
    std::list<Pending> pending_;  // farthest first
    size_t drawnLastFlush_ = 0;
};

}  // namespace zr
