// The experience stage: circuit, site, model, world, for each block set and
// the level that goes with it.
#include "experience/experience_stage.h"

#include "blocksets/block_set_style.h"
#include "experience/circuit.h"
#include "experience/experience_model.h"
#include "experience/experience_site.h"
#include "experience/experience_world.h"

#include "engine/model_file.h"

namespace assetgen {
namespace {

namespace bs = blocksets;
namespace ex = experience;
namespace lv = levels;

bool writeCoaster(const std::filesystem::path& outDir, const bs::BlockSetStyle& style, const ex::Circuit& circuit,
                  const ex::ExperienceSite& site, AssetLog& log) {
    const std::filesystem::path folder = outDir / "blocksets" / style.name / "features";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return log.fail({"cannot create ", folder.string(), ": ", error.message()});
    const auto ground = [&site](float x, float z) { return site.groundAt(x, z); };
    const auto model = ex::buildExperienceModel(style, circuit, ground);
    const std::filesystem::path dff = folder / "experience1.dff";
    if (!zr::engine::writeModelFile(dff.string(), *model)) return log.fail({"cannot write ", dff.string()});
    const std::filesystem::path anm = folder / "experience1.anm";
    if (!zr::engine::writeAnimationFile(anm.string(), bs::toAnimation(circuit.frames))) {
        return log.fail({"cannot write ", anm.string()});
    }
    log.filesWritten += 2;
    return true;
}

bool writeExperience(const std::filesystem::path& outDir, const bs::BlockSetStyle& style, const lv::LevelStyle& level,
                     AssetLog& log) {
    std::string error;
    const std::optional<ex::Circuit> circuit = ex::buildCircuit(style, &error);
    if (!circuit) return log.fail({"experience coaster of ", style.name, ": ", error});
    const std::optional<ex::ExperienceSite> site = ex::planSite(level, style, *circuit, &error);
    if (!site) return log.fail({"experience world of ", level.name, ": ", error});
    return writeCoaster(outDir, style, *circuit, *site, log) &&
           ex::writeExperienceWorld(outDir / "levels" / level.name, level, *site, log);
}

}  // namespace

bool writeExperiences(const std::filesystem::path& outDir, AssetLog& log) {
    const auto& sets = bs::blockSetStyles();
    const auto& levels = lv::levelStyles();
    for (size_t n = 0; n < sets.size() && n < levels.size(); ++n) {
        if (!writeExperience(outDir, sets[n], levels[n], log)) return false;
    }
    return true;
}

}  // namespace assetgen
