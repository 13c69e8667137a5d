// The list of pictures the game loads, with their sizes and painters.
#include "pictures.h"

#include "canvas.h"
#include "font_library.h"
#include "picture_painters.h"

#include <string>

namespace assetgen {
namespace {

struct Picture {
    const char* file; // relative to the data folder
    int width;
    int height;
    Opacity opacity;
    void (*paint)(const Canvas&);
};

constexpr Picture kPictures[] = {
    {"images/Scenekit.png", 800, 600, Opacity::Opaque, paintScenekitLogo},
    {"images/loading.png", 800, 600, Opacity::Opaque, paintLoadingScreen},
    {"images/credits.png", 800, 600, Opacity::Opaque, paintCreditsScreen},
    {"images/cursor.png", 32, 32, Opacity::Transparent, paintCursor},
};

} // namespace

bool drawPictures(const std::filesystem::path& outDir, AssetLog& log)
{
    std::string error;
    const auto fonts = FontLibrary::load(error);
    if (!fonts) {
        return log.fail({error});
    }
    for (const auto& picture : kPictures) {
        const Canvas canvas(picture.width, picture.height, picture.opacity, *fonts);
        picture.paint(canvas);
        if (!canvas.writePng(outDir / picture.file, error)) {
            return log.fail({error});
        }
        ++log.filesWritten;
    }
    return true;
}

} // namespace assetgen
