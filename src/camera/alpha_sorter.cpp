// Registry, marking and the farthest-first flush.
#include "camera/alpha_sorter.h"

#include "engine/camera.h"

#include <algorithm>

namespace zr {

bool AlphaSorter::hidden(const engine::Atomic& atomic) { return atomic.frame && atomic.frame->integer("T") == 1; }

void AlphaSorter::registerModel(const engine::Clump& model) {
    for (const auto& atomic : model.atomics()) {
        const engine::Geometry& geometry = *atomic->geometry;
        const bool clearPrelit = std::any_of(geometry.prelit.begin(), geometry.prelit.end(),
                                             [](const engine::Colour& c) { return c.a <= 254; });
        const bool clearMaterial =
            std::any_of(geometry.materials.begin(), geometry.materials.end(),
                        [](const engine::Material& m) { return m.colour.a < 255 || (m.texture && m.textureHasAlpha); });
        if (clearPrelit || clearMaterial) registry_.insert(atomic.get());
    }
}

void AlphaSorter::unregisterModel(const engine::Clump& model) {
    for (const auto& atomic : model.atomics()) registry_.erase(atomic.get());
    std::erase_if(pending_, [&model](const Pending& node) { return node.atomic->clump == &model; });
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
    drawnLastFlush_ = 0;
    if (pending_.empty()) return;
    // Blended over what is drawn, tested against its depth but not writing
    // it, so nearer see-through parts still show those behind them.
    engine::RenderStates seeThrough;
    seeThrough.depthTest = true;
    seeThrough.depthWrite = false;
    seeThrough.fog = true;
    seeThrough.alphaTest = false;
    seeThrough.source = engine::BlendFactor::SourceAlpha;
    seeThrough.destination = engine::BlendFactor::InverseSourceAlpha;
    engine_.renderer().setStates(seeThrough);
    for (const Pending& node : pending_) {
        if (hidden(*node.atomic)) continue;
        engine_.drawAtomicNow(*node.atomic);
        ++drawnLastFlush_;
    }
    pending_.clear();
}

}  // namespace zr
