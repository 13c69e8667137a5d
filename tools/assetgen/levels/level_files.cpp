// The level stage: builds each level's terrain, sky and companion model and
// writes them with the engine's own file writers.
#include "levels/level_files.h"

#include "engine/model_file.h"
#include "engine/texture_dictionary.h"
#include "levels/level_terrain.h"
#include "levels/mesh_builder.h"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>
#include <set>

namespace assetgen::levels {
namespace {

// Markers are parts, so they need a shape; a tiny triangle the game never draws.
void addMarker(engine::Clump& clump, const std::string& name, const glm::mat4& local) {
    engine::Frame* frame = clump.addFrame(clump.root());
    frame->name = name;
    frame->local = local;
    MeshBuilder b(true);
    const uint32_t material = b.material("");
    const uint32_t a = b.addVertex(Vertex{{0.0f, 0.0f, 0.0f}, {0, 1, 0}, {0, 0}, {255, 255, 255, 255}});
    const uint32_t c = b.addVertex(Vertex{{0.0f, 0.0f, 0.1f}, {0, 1, 0}, {0, 1}, {255, 255, 255, 255}});
    const uint32_t d = b.addVertex(Vertex{{0.1f, 0.0f, 0.0f}, {0, 1, 0}, {1, 0}, {255, 255, 255, 255}});
    b.addTriangle(material, a, c, d);
    clump.addAtomic(frame, b.finish());
}

// A frame whose -Z is the light's direction (glTF's convention).
glm::mat4 lightFrame(const SunLight& sun) {
    const glm::vec3 back = -sunDirection(sun);
    const glm::vec3 helper = std::abs(back.y) < 0.99f ? glm::vec3(0, 1, 0) : glm::vec3(1, 0, 0);
    const glm::vec3 x = glm::normalize(glm::cross(helper, back));
    const glm::vec3 y = glm::cross(back, x);
    glm::mat4 m(1.0f);
    m[0] = glm::vec4(x, 0.0f);
    m[1] = glm::vec4(y, 0.0f);
    m[2] = glm::vec4(back, 0.0f);
    return m;
}

uint32_t nameSeed(const std::string& name, uint32_t seed) {
    uint32_t h = 2166136261u ^ seed;
    for (const char c : name) h = (h ^ static_cast<uint8_t>(c)) * 16777619u;
    return h;
}

bool writeFailed(AssetLog& log, const std::filesystem::path& file) {
    return log.fail({"cannot write ", file.string()});
}

}  // namespace

std::unique_ptr<engine::Clump> buildObjectsModel(const LevelStyle& style, const glm::vec3& start, float heading,
                                                 const SkyDomeShape& sky) {
    auto clump = std::make_unique<engine::Clump>();
    clump->addFrame(nullptr);  // the model's own root; markers and lights hang below it
    const glm::mat4 turn = glm::rotate(glm::mat4(1.0f), glm::radians(heading), glm::vec3(0, 1, 0));
    glm::mat4 marker = turn;
    marker[3] = glm::vec4(start, 1.0f);
    addMarker(*clump, kStartMarker, marker);
    glm::mat4 skyAt(1.0f);
    skyAt[3] = glm::vec4(sky.centre, 1.0f);
    addMarker(*clump, kSkyMarker, skyAt);
    for (const SunLight& sun : style.lights) {
        engine::Frame* frame = clump->addFrame(clump->root());
        frame->name = "sun";
        frame->local = lightFrame(sun);
        engine::Light light;
        light.kind = engine::LightKind::Directional;
        light.colour = sun.colour;
        light.frame = frame;
        clump->addLight(light);
    }
    return clump;
}

bool paintLevelTextures(const LevelStyle& style, const std::vector<const engine::Geometry*>& geometry,
                        const SkyDomeShape& sky, std::vector<std::pair<std::string, engine::Image>>* images,
                        std::string* missing) {
    // Every texture of the style, used here or not: a world built later from
    // the same style with other zones (the experience world) shares this
    // dictionary and may show what this one left out.
    std::set<std::string> painted{kSkyTexture};
    images->emplace_back(kSkyTexture, paintSky(style, sky));
    for (const TextureRecipe& recipe : style.textures) {
        if (!painted.insert(recipe.name).second) continue;
        images->emplace_back(recipe.name, paintTexture(recipe, nameSeed(recipe.name, style.ground.seed)));
    }
    for (const engine::Geometry* g : geometry) {
        for (const engine::Material& material : g->materials) {
            if (material.textureName.empty() || painted.count(material.textureName)) continue;
            *missing = material.textureName;
            return false;
        }
    }
    return true;
}

bool writeLevel(const std::filesystem::path& levelsDir, const LevelStyle& style, AssetLog& log) {
    const std::filesystem::path folder = levelsDir / style.name;
    std::error_code error;
    std::filesystem::create_directories(folder / "textures", error);
    if (error) return log.fail({"cannot create ", folder.string(), ": ", error.message()});
    LevelTerrain terrain = buildLevelTerrain(style, {startZone(style)});
    const SkyDomeShape sky = skyDomeFor(terrain.ground);
    const std::unique_ptr<engine::Clump> dome = buildSkyModel(style, sky);
    std::vector<const engine::Geometry*> geometry;
    for (const auto& sector : terrain.sectors) geometry.push_back(sector.get());
    for (const auto& atomic : dome->atomics()) geometry.push_back(atomic->geometry.get());
    std::vector<engine::NamedImage> images;
    std::string missing;
    if (!paintLevelTextures(style, geometry, sky, &images, &missing)) {
        return log.fail({"level ", style.name, " names texture '", missing, "' it does not paint"});
    }
    const std::filesystem::path txd = folder / "world.txd";
    if (!engine::writeTextureDictionaryFile(txd.string(), images)) return writeFailed(log, txd);
    const std::filesystem::path skyFile = folder / "sky.dff";
    if (!engine::writeModelFile(skyFile.string(), *dome)) return writeFailed(log, skyFile);
    const std::filesystem::path objects = folder / "objects.dff";
    if (!engine::writeModelFile(objects.string(), *buildObjectsModel(style, style.start, 0.0f, sky))) {
        return writeFailed(log, objects);
    }
    engine::WorldData world;
    world.sectors = std::move(terrain.sectors);
    const std::filesystem::path bsp = folder / (style.name + ".bsp");
    if (!engine::writeWorldFile(bsp.string(), world)) return writeFailed(log, bsp);
    log.filesWritten += 4;
    return true;
}

}  // namespace assetgen::levels

namespace assetgen {

bool writeLevels(const std::filesystem::path& outDir, AssetLog& log) {
    for (const levels::LevelStyle& style : levels::levelStyles()) {
        if (!levels::writeLevel(outDir / "levels", style, log)) return false;
    }
    return true;
}

}  // namespace assetgen
