// Registry, marking and the farthest-first flush.
#include "camera/alpha_sorter.h"

#include "engine/camera.h"

#include <algorithm>

namespace zr {

bool AlphaSorter::hidden(const engine::Atomic& atomic) { return atomic.frame && atomic.frame->integer("T") == 1; }

bool AlphaSorter::registered(const engine::Atomic* atomic) const {
    return std::find(registry_.begin(), registry_.end(), atomic) != registry_.end();
}

void AlphaSorter::registerModel(const engine::Clump& model) {
    for (const auto& atomic : model.atomics()) {
        const engine::Geometry& geometry = *atomic->geometry;
        const bool clearPrelit = std::any_of(geometry.prelit.begin(), geometry.prelit.end(),
                                             [](const engine::Colour& c) { return c.a <= 254; });
        if (clearPrelit) {
            registry_.push_back(atomic.get());
            continue;
        }
        for (const engine::Material& material : geometry.materials) {
            if (material.colour.a < 255 || (material.texture && material.textureHasAlpha)) {
                registry_.push_back(atomic.get());
            }
        }
    }
}

void AlphaSorter::defer(engine::Atomic& atomic) {
    const glm::vec3 eye = camera_ ? camera_->position() : glm::vec3(0.0f);
    const glm::vec3 d = atomic.worldSphereCentre() - eye;
    const float distance = glm::dot(d, d);
    // Before the first node that is not farther: equal distances put the
    // newer part first.
    auto it = pending_.begin();
    while (it != pending_.end() && it->distanceSquared > distance) ++it;
    pending_.insert(it, Pending{&atomic, distance});
}

void AlphaSorter::mark(engine::Clump& model, bool deferred) {
    for (const auto& part : model.atomics()) {
        engine::Atomic* atomic = part.get();
        if (!deferred) {
            atomic->renderCallback = [this](engine::Atomic& a) {
                if (!hidden(a)) engine_.drawAtomic(a);
            };
        } else if (!hidden(*atomic)) {
            atomic->renderCallback = [this](engine::Atomic& a) {
                if (registered(&a)) defer(a);
                else engine_.drawAtomic(a);
            };
        }
    }
}

void AlphaSorter::flush() {
    for (const Pending& node : pending_) {
        if (!hidden(*node.atomic)) engine_.drawAtomicNow(*node.atomic);
    }
    pending_.clear();
}

}  // namespace zr
