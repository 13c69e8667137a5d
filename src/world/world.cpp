// Level world construction, companion markers, drawing and tear-down.
#include "world/world.h"

#include "camera/alpha_sorter.h"
#include "camera/game_camera.h"
#include "engine/model_file.h"
#include "platform/file_system.h"
#include "platform/platform.h"

#include <cmath>

namespace zr {
namespace {

constexpr float kEmptyWorldHalfSize = 100.0f;
const glm::vec3 kAmbientColour{0.3f, 0.3f, 0.3f};

}  // namespace

std::string World::folderOf(const std::string& worldPath) {
    const size_t slash = worldPath.find_last_of('/');
    return slash == std::string::npos ? std::string() : worldPath.substr(0, slash + 1);
}

std::string World::objectsPathFor(const std::string& worldPath) {
    const bool experience = worldPath.find("experience") != std::string::npos;
    return folderOf(worldPath) + (experience ? "experience-objects.dff" : "objects.dff");
}

float World::markerHeading(const engine::Frame& frame) {
    glm::vec3 axis;
    float degrees = 0.0f;
    frame.rotationAxisAngle(&axis, &degrees);
    return axis.y < 0.0f ? -degrees : degrees;
}

World::World(SceneContext& context, Platform& platform, GameCamera* camera, const std::string& worldPath)
    : context_(context), platform_(platform), camera_(camera) {
    engine::Engine& engine = *context_.engine;
    engineWorld = std::make_unique<engine::World>(engine, glm::vec3(-kEmptyWorldHalfSize),
                                                  glm::vec3(kEmptyWorldHalfSize));
    auto ambient = std::make_unique<engine::Light>();
    ambient->kind = engine::LightKind::Ambient;
    ambient->colour = kAmbientColour;
    ambientLight = ambient.get();
    path = worldPath;
    loadWorldFile();
    if (!engineWorld) return;
    origin = engineWorld->origin();
    engineWorld->addLight(std::move(ambient));
    if (camera_) engineWorld->addCamera(camera_->view());
    // The level's own colours come from its textures and vertex colours.
    for (engine::Material* material : engineWorld->materials()) material->colour = engine::Colour{255, 255, 255, 255};
    if (camera_) camera_->view().frame().translate(origin, engine::Combine::Replace);
    context_.world = engineWorld.get();
}

bool World::loadWorldFile() {
    engine::Engine& engine = *context_.engine;
    engine.setImageSearchPath("");
    textures = std::make_unique<engine::TextureDictionary>(engine);
    textures->read(folderOf(path) + "world.txd");
    engine.setCurrentDictionary(textures.get());
    engine.setImageSearchPath(folderOf(path) + "textures/");
    if (!fs::fileExists(path)) return true;  // the empty world stays
    engine::WorldData data;
    engine::FileError error;
    if (!engine::readWorldFile(path, &data, &error)) {
        platform_.debugPrinter()(("world " + path + ": " + error.text).c_str());
        platform_.errorBox("WorldLoad failed");
        return false;
    }
    engineWorld->load(std::move(data));
    return true;
}

void World::loadObjects() {
    startPositions.fill(glm::vec3(0.0f));
    startHeadings.fill(0.0f);
    startIndex = 0;
    if (!engineWorld) return;
    const std::string companion = objectsPathFor(path);
    std::unique_ptr<engine::Clump> model = engine::readModelFile(companion);
    if (!model) return;
    for (const auto& atomic : model->atomics()) {
        const std::string& marker = atomic->name();
        if (marker.empty()) continue;
        const glm::vec3 position = atomic->frame->worldPosition() + origin;
        if (marker == "player") {
            for (int slot = 0; slot < kMaxStartPositions; ++slot) {
                if (startPositions[slot] == glm::vec3(0.0f)) {
                    startPositions[slot] = position;
                    startHeadings[slot] = markerHeading(*atomic->frame);
                    startCount = static_cast<int8_t>(slot + 1);
                    break;
                }
            }
        } else if (marker.find("sky") != std::string::npos) {
            std::string skyPath = folderOf(path) + marker;
            if (skyPath.find(".dff") == std::string::npos) skyPath += ".dff";
            auto sky = std::make_unique<SceneObject>(context_, skyPath, nullptr, engineWorld.get());
            sky->translate(position, engine::Combine::Replace);
            sky->addToWorld();
            skies.push_back(std::move(sky));
        }
    }
    for (size_t i = model->lights().size(); i-- > 0;) {
        std::unique_ptr<engine::Light> light = model->takeLight(i);
        auto frame = std::make_unique<engine::Frame>();
        if (light->frame) frame->local = light->frame->world();
        engineWorld->addLight(std::move(light), std::move(frame));
    }
    // Sky textures came from the level's folder; the level's own stay current.
    context_.engine->setCurrentDictionary(textures.get());
}

void World::render() {
    if (!engineWorld || !camera_) return;
    engineWorld->render(camera_->view());
    if (context_.alphaSorter) context_.alphaSorter->flush();
}

World::~World() {
    if (context_.engine) context_.engine->setCurrentDictionary(textures.get());
    skies.clear();
    if (engineWorld && camera_) engineWorld->removeCamera(camera_->view());
    if (context_.world == engineWorld.get()) context_.world = nullptr;
    engineWorld.reset();
    if (context_.engine && context_.engine->currentDictionary() == textures.get()) {
        context_.engine->setCurrentDictionary(nullptr);
    }
    textures.reset();
}

}  // namespace zr
