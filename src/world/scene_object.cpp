// Loading, detail levels and animated textures of scene objects.
#include "world/scene_object.h"

#include "camera/alpha_sorter.h"
#include "engine/camera.h"
#include "engine/model_file.h"
#include "platform/file_system.h"
#include "platform/platform.h"

#include <cctype>

namespace zr {
namespace {

constexpr float kFullDetailNearCar = 20.0f;  // metres around the test-run train
constexpr int32_t kDeferredDrawing = 16;     // "T" value of parts drawn through the sorter

struct PathParts {
    std::string folder;  // with its trailing '/'
    std::string file;    // without extension
    std::string extension;
};

PathParts splitPath(const std::string& path) {
    PathParts parts;
    const size_t slash = path.find_last_of('/');
    parts.folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string rest = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = rest.find_last_of('.');
    parts.file = dot == std::string::npos ? rest : rest.substr(0, dot);
    parts.extension = dot == std::string::npos ? std::string() : rest.substr(dot);
    return parts;
}

std::string detailPath(const PathParts& parts, int32_t level) {
    return parts.folder + "low" + std::to_string(level) + "/" + parts.file + parts.extension;
}

}  // namespace

SceneObject::SceneObject(SceneContext& context, const std::string& modelPath, engine::TextureDictionary* textures,
                         engine::World* inWorld)
    : context_(context) {
    world = inWorld ? inWorld : context_.world;
    if (modelPath.empty()) return;
    if (!loadModel(modelPath, textures)) return;
    joinSorter(true);
    hookAnimatedTextures();
    setUpDetailLevels();
}

void SceneObject::joinSorter(bool markParts) {
    if (!model || !context_.alphaSorter) return;
    context_.alphaSorter->registerModel(*model);
    if (markParts) context_.alphaSorter->mark(*model, true);
}

SceneObject::~SceneObject() {
    for (const auto& [material, texture] : savedTextures_) {
        material->texture = texture;
        if (context_.animatedTextures) context_.animatedTextures->forget(material);
    }
    if (model && model->world) model->world->removeClump(*model);
    if (model && context_.alphaSorter) context_.alphaSorter->unregisterModel(*model);
    if (model && context_.engine) {
        for (const auto& atomic : model->atomics()) context_.engine->releaseGeometry(*atomic->geometry);
    }
    for (const auto& level : levels_) {
        if (context_.engine) context_.engine->releaseGeometry(*level);
    }
    model.reset();
}

bool SceneObject::loadModel(const std::string& path, engine::TextureDictionary* textures) {
    engine::Engine& engine = *context_.engine;
    engine::TextureDictionary* previous = engine.currentDictionary();
    if (textures) engine.setCurrentDictionary(textures);
    else engine.setImageSearchPath(splitPath(path).folder);
    engine::FileError error;
    model = engine::readModelFile(path, &error);
    if (model) {
        engine.resolveTextures(*model);
        name = path;
    } else if (engine.platform()) {
        engine.platform()->debugPrinter()(("model " + path + ": " + error.text).c_str());
    }
    if (textures) engine.setCurrentDictionary(previous);
    return model != nullptr;
}

int32_t SceneObject::countDetailLevels(const std::string& modelPath) {
    const PathParts parts = splitPath(modelPath);
    int32_t count = 0;
    while (fs::fileExists(detailPath(parts, count + 1))) ++count;
    return count;
}

void SceneObject::setUpDetailLevels() {
    levelCount = countDetailLevels(name);
    if (levelCount == 0) return;
    lodPart = findPart("track");
    if (!lodPart) {
        levelCount = 0;
        return;
    }
    const PathParts parts = splitPath(name);
    for (int32_t level = 1; level <= levelCount; ++level) {
        std::unique_ptr<engine::Clump> low = engine::readModelFile(detailPath(parts, level));
        engine::Atomic* rail = low ? low->findPart("track") : nullptr;
        if (!rail) {
            levelCount = level - 1;
            break;
        }
        context_.engine->resolveTextures(*rail->geometry);
        levels_.push_back(std::move(rail->geometry));
    }
    lodPart->renderCallback = [this](engine::Atomic& atomic) { drawDetailLevel(atomic); };
}

int32_t SceneObject::selectDetailLevel(const engine::Atomic& rail) const {
    const DetailDistances& detail = context_.detail;
    if (!rail.frame || !context_.camera || !detail.distances || !detail.count) return 0;
    const glm::vec3 partPosition = rail.frame->worldPosition();
    glm::vec3 carPosition;
    if (context_.testRunCarPosition && context_.testRunCarPosition(&carPosition) &&
        glm::length(partPosition - carPosition) < kFullDetailNearCar) {
        return 0;
    }
    const float distance = glm::dot(context_.camera->lookDirection(), partPosition - context_.camera->position());
    const int32_t count = *detail.count;
    for (int32_t i = 0; i < count; ++i) {
        if (static_cast<float>(detail.distances[i]) >= distance) return i;
    }
    return count;
}

void SceneObject::drawDetailLevel(engine::Atomic& atomic) {
    const int32_t level = std::min(selectDetailLevel(atomic), levelCount);
    engine::Geometry* geometry = level > 0 ? levels_[static_cast<size_t>(level - 1)].get() : atomic.geometry.get();
    if (atomic.frame->integer("T") == kDeferredDrawing && context_.alphaSorter &&
        context_.alphaSorter->registered(&atomic)) {
        context_.alphaSorter->defer(atomic);
        return;
    }
    context_.engine->drawAtomic(atomic, geometry);
}

void SceneObject::hookAnimatedTextures() {
    engine::Atomic* rail = findPart("track");
    if (!rail || !context_.animatedTextures) return;
    for (engine::Material& material : rail->geometry->materials) {
        if (material.textureName.find("ANIM") == std::string::npos) continue;
        AnimatedTextures& shared = *context_.animatedTextures;
        if (!shared.image) {
            // The folder above the model's, then "ani/", then the texture
            // name up to its first digit.
            std::string base = name.substr(0, name.find_last_of('/'));
            base = base.substr(0, base.find_last_of('/'));
            std::string path = base + "/ani/" + material.textureName;
            const size_t digit = path.find_first_of("0123456789");
            if (digit != std::string::npos) path.resize(digit);
            shared.image = std::make_unique<ui::AnimatedImage>(
                context_.ui, path, [&shared](engine::TextureId texture) { shared.show(texture); });
        }
        savedTextures_.emplace_back(&material, material.texture);
        shared.targets.push_back(&material);
    }
}

engine::Atomic* SceneObject::findPart(const std::string& partName) const {
    return model ? model->findPart(partName) : nullptr;
}

void SceneObject::removePart(engine::Atomic* atomic) {
    if (!model || !atomic) return;
    if (context_.alphaSorter) context_.alphaSorter->unregisterPart(atomic);
    model->removePart(atomic);
}

engine::Atomic* SceneObject::findPartContaining(const std::string& text) const {
    return model ? model->findPartContaining(text) : nullptr;
}

void SceneObject::translate(const glm::vec3& v, engine::Combine combine) {
    if (model && model->root()) model->root()->translate(v, combine);
    movedInWorld();
}

void SceneObject::rotate(const glm::vec3& axis, float degrees, engine::Combine combine) {
    heading() = combine != engine::Combine::Replace ? heading() + degrees : degrees;
    if (model && model->root()) model->root()->rotate(axis, degrees, combine);
    movedInWorld();
}

void SceneObject::addToWorld() {
    if (model && world && !model->world) world->addClump(*model, movesEveryFrame);
}

void SceneObject::removeFromWorld() {
    if (model && model->world) model->world->removeClump(*model);
}

void SceneObject::movedInWorld() {
    if (model && model->world) model->world->updateClump(*model);
}

glm::vec3 SceneObject::position() const {
    return model && model->root() ? model->root()->position() : glm::vec3(0.0f);
}

}  // namespace zr
