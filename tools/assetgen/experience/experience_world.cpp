// Writing the experience world with the level stage's own builders: the
// terrain with the site's zones, the companion model with the coaster's
// spot as the start marker, and the level's sky, which experience.bsp
// shares with the level (same folder, same "sky" marker).
#include "experience/experience_world.h"

#include "levels/level_files.h"
#include "levels/level_terrain.h"
#include "levels/sky_dome.h"

#include "engine/model_file.h"
#include "engine/texture_dictionary.h"

#include <algorithm>
#include <set>

namespace assetgen::experience {
namespace {

namespace engine = ::zr::engine;
namespace lv = levels;

bool failedWrite(AssetLog& log, const std::filesystem::path& file) {
    return log.fail({"cannot write ", file.string()});
}

// The level's dictionary gains any texture the experience ground names
// that the level's own ground did not.
bool completeTextures(const std::filesystem::path& txd, const lv::LevelStyle& level,
                      const std::vector<const engine::Geometry*>& geometry, const lv::SkyDomeShape& sky,
                      AssetLog& log) {
    std::vector<engine::NamedImage> images;
    engine::readTextureDictionaryFile(txd.string(), &images);
    std::set<std::string> known;
    for (const auto& image : images) known.insert(image.first);
    const bool complete = std::all_of(geometry.begin(), geometry.end(), [&](const engine::Geometry* g) {
        return std::all_of(g->materials.begin(), g->materials.end(), [&](const engine::Material& m) {
            return m.textureName.empty() || known.count(m.textureName) > 0;
        });
    });
    if (complete) return true;
    std::vector<engine::NamedImage> needed;
    std::string missing;
    if (!lv::paintLevelTextures(level, geometry, sky, &needed, &missing)) {
        return log.fail({"experience world of ", level.name, " names texture '", missing, "' it does not paint"});
    }
    for (auto& image : needed) {
        if (!known.count(image.first)) images.push_back(std::move(image));
    }
    std::sort(images.begin(), images.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    if (!engine::writeTextureDictionaryFile(txd.string(), images)) return failedWrite(log, txd);
    log.notes.push_back(level.name + " textures completed for its experience world");
    return true;
}

}  // namespace

bool writeExperienceWorld(const std::filesystem::path& levelFolder, const lv::LevelStyle& level,
                          const ExperienceSite& site, AssetLog& log) {
    std::error_code error;
    std::filesystem::create_directories(levelFolder / "textures", error);
    if (error) return log.fail({"cannot create ", levelFolder.string(), ": ", error.message()});
    lv::LevelTerrain terrain = lv::buildLevelTerrain(level, site.zones);
    const lv::SkyDomeShape sky = lv::skyDomeFor(terrain.ground);
    std::vector<const engine::Geometry*> geometry;
    for (const auto& sector : terrain.sectors) geometry.push_back(sector.get());
    if (!completeTextures(levelFolder / "world.txd", level, geometry, sky, log)) return false;
    const std::filesystem::path objects = levelFolder / "experience-objects.dff";
    if (!engine::writeModelFile(objects.string(), *lv::buildObjectsModel(level, site.origin, site.heading, sky))) {
        return failedWrite(log, objects);
    }
    engine::WorldData world;
    world.sectors = std::move(terrain.sectors);
    const std::filesystem::path bsp = levelFolder / "experience.bsp";
    if (!engine::writeWorldFile(bsp.string(), world)) return failedWrite(log, bsp);
    log.filesWritten += 2;
    return true;
}

}  // namespace assetgen::experience
