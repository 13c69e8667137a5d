// Writing a level folder: OUTDIR/levels/<name>/<name>.bsp (the sectors),
// world.txd (every texture the level's materials name), sky.dff (the dome),
// objects.dff (the station marker "player", the "sky" marker and the
// lights) and an empty textures/ folder (the game's image search path).
#pragma once

#include "asset_log.h"
#include "engine/scene.h"
#include "levels/level_style.h"
#include "levels/sky_dome.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace assetgen {

// The generator stage: all five levels.
bool writeLevels(const std::filesystem::path& outDir, AssetLog& log);

}  // namespace assetgen

namespace assetgen::levels {

namespace engine = ::zr::engine;

constexpr const char* kStartMarker = "player";
constexpr const char* kSkyMarker = "sky";

bool writeLevel(const std::filesystem::path& levelsDir, const LevelStyle& style, AssetLog& log);

// The companion model: the start marker at start (heading in degrees), the
// sky marker at the dome's centre, and the style's lights. An experience
// world can write its own with another start.
std::unique_ptr<engine::Clump> buildObjectsModel(const LevelStyle& style, const glm::vec3& start, float heading,
                                                 const SkyDomeShape& sky);

// The level's texture dictionary: the sky and every texture of the style;
// false (with the name) when some material of the geometry names another.
bool paintLevelTextures(const LevelStyle& style, const std::vector<const engine::Geometry*>& geometry,
                        const SkyDomeShape& sky, std::vector<std::pair<std::string, engine::Image>>* images,
                        std::string* missing);

}  // namespace assetgen::levels
