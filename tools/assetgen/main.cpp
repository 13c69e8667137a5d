// zephyrail-assets: builds the game's data folder from code.
// Usage: zephyrail-assets OUTDIR   (OUTDIR is the data folder, e.g. ./data)
// Each stage below fills in one kind of content; they run in order and the
// first failure stops the run with a non-zero exit status.
#include "asset_log.h"
#include "bitmap_fonts.h"
#include "blocksets/block_sets.h"
#include "data_folders.h"
#include "experience/experience_stage.h"
#include "levels/level_files.h"
#include "menus.h"
#include "pictures.h"
#include "setup_file.h"
#include "sound_stage.h"

#include <cstdio>
#include <string>

namespace {

struct NamedStage {
    const char* name;
    assetgen::AssetStage run;
};

constexpr NamedStage kStages[] = {
    {"folders", assetgen::prepareDataFolders},
    {"setup", assetgen::writeSetupFile},
    {"pictures", assetgen::drawPictures},
    {"menus", assetgen::drawMenus},
    {"fonts", assetgen::writeBitmapFonts},
    {"sounds", assetgen::writeSounds},
    {"levels", assetgen::writeLevels},
    {"blocksets", assetgen::writeBlockSets},
    {"experience", assetgen::writeExperiences},  // after levels and block sets: it shares their files
};

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

std::string joinedNotes(const assetgen::AssetLog& log)
{
    std::string text;
    for (const auto& note : log.notes) {
        text += text.empty() ? " (" : ", ";
        text += note;
    }
    return text.empty() ? text : text + ")";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || argv[1][0] == '\0') {
        std::fprintf(stderr, "usage: zephyrail-assets OUTDIR\n"
                             "  writes the game's data folder (setup.bin, images/...) into OUTDIR\n");
        return kExitUsage;
    }
    const std::filesystem::path outDir = argv[1];
    assetgen::AssetLog log;
    for (const auto& stage : kStages) {
        if (!stage.run(outDir, log)) {
            std::fprintf(stderr, "zephyrail-assets: %s stage failed: %s\n", stage.name, log.error.c_str());
            return kExitFailure;
        }
    }
    std::printf("zephyrail-assets: wrote %d files to %s%s\n", log.filesWritten, outDir.c_str(),
                joinedNotes(log).c_str());
    return 0;
}
