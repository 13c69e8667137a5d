// A level's static world: textured ground, water, scenery and landmarks,
// cut into square sectors. The same call builds the level the player builds
// in and, with other zones, the world round a level's prebuilt coaster:
//
//   std::vector<FlatZone> zones{startZone(style)};          // or your own
//   LevelTerrain terrain = buildLevelTerrain(style, zones);
//   engine::WorldData world;
//   world.sectors = std::move(terrain.sectors);
//   engine::writeWorldFile(folder + "/experience.bsp", world);
//
// Zones with flatten set are pressed exactly level (see FlatZone); every
// zone is kept free of scenery. terrain.ground answers ground heights for
// placing markers or supports afterwards.
#pragma once

#include "engine/scene.h"
#include "levels/height_field.h"
#include "levels/level_style.h"

#include <memory>
#include <vector>

namespace assetgen::levels {

namespace engine = ::zr::engine;

struct LevelTerrain {
    HeightGrid ground;
    // One geometry per ground sector (sectorsPerSide^2, row by row along
    // +z) and texture; lit ones first, then unlit ones holding lamps, lit
    // windows and flowers.
    std::vector<std::unique_ptr<engine::Geometry>> sectors;
};

LevelTerrain buildLevelTerrain(const LevelStyle& style, const std::vector<FlatZone>& zones);

}  // namespace assetgen::levels
