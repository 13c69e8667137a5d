// Directory layout of the generated data folder.
#include "data_folders.h"

#include <array>
#include <system_error>

namespace assetgen {
namespace {

bool ensureFolder(const std::filesystem::path& folder, AssetLog& log)
{
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) {
        return true;
    }
    if (std::filesystem::exists(folder, ec)) {
        return log.fail({"'", folder.string(), "' exists and is not a folder"});
    }
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        return log.fail({"cannot create folder '", folder.string(), "': ", ec.message()});
    }
    return true;
}

} // namespace

bool prepareDataFolders(const std::filesystem::path& outDir, AssetLog& log)
{
    const std::array<std::filesystem::path, 4> folders = {
        outDir,
        outDir / "images",
        outDir / "images" / "build",
        outDir / "maps",
    };
    for (const auto& folder : folders) {
        if (!ensureFolder(folder, log)) {
            return false;
        }
    }
    return true;
}

} // namespace assetgen
