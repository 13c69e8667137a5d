// The experience world of a level: experience.bsp, the level's landscape
// built round the coaster's site, and experience-objects.dff beside it.
#pragma once

#include "asset_log.h"
#include "experience/experience_site.h"
#include "levels/level_style.h"

#include <filesystem>

namespace assetgen::experience {

bool writeExperienceWorld(const std::filesystem::path& levelFolder, const levels::LevelStyle& level,
                          const ExperienceSite& site, AssetLog& log);

}  // namespace assetgen::experience
