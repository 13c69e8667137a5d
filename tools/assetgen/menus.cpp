// The menus stage: every menu sheet in turn, then the loose pictures.
#include "menus.h"

#include "menu_sheets.h"

namespace assetgen {

bool drawMenus(const std::filesystem::path& outDir, AssetLog& log)
{
    std::string error;
    const auto fonts = FontLibrary::load(error);
    if (!fonts) {
        return log.fail({error});
    }
    if (!writeMenuSheet(outDir, titleMenu(), *fonts, log)) {
        return false;
    }
    for (const auto group : {editorMenus(), boxMenus(), browserMenus()}) {
        for (const auto& sheet : group) {
            if (!writeMenuSheet(outDir, sheet, *fonts, log)) {
                return false;
            }
        }
    }
    return writeBrowserParts(outDir, *fonts, log) && writeRideBanners(outDir, *fonts, log);
}

} // namespace assetgen
