// The block sets stage. Folder names hold no digits and none of the words
// the game looks for in piece names, so only the file names speak. The
// station display's frames go to blocksets/ani/: the game looks for them in
// the folder above the one holding the model, station1 lying at the top of
// its set. A copy under <set>/ani/ serves models one folder deeper. The
// catalogue ends with the set's ride facts in [Block Set].
#include "blocksets/block_sets.h"

#include "blocksets/block_set_style.h"
#include "blocksets/block_textures.h"
#include "blocksets/car_model.h"
#include "blocksets/feature_icons.h"
#include "blocksets/piece_catalogue.h"
#include "blocksets/piece_model.h"

#include "engine/image.h"
#include "engine/model_file.h"
#include "engine/texture_dictionary.h"

#include <array>
#include <charconv>
#include <fstream>
#include <set>
#include <system_error>

namespace assetgen {
namespace {

namespace fs = std::filesystem;
using namespace blocksets;

bool makeFolder(const fs::path& folder, AssetLog& log) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        return log.fail({"cannot create folder '", folder.string(), "': ", ec.message()});
    }
    return true;
}

bool writeText(const fs::path& file, const std::string& text, AssetLog& log) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
        return log.fail({"cannot write '", file.string(), "'"});
    }
    ++log.filesWritten;
    return true;
}

std::string iniSection(const std::string& name, const std::vector<std::string>& values) {
    std::string text = "[" + name + "]\ntotal=" + std::to_string(values.size()) + "\n";
    for (size_t i = 0; i < values.size(); ++i) {
        text += std::to_string(i + 1) + "=" + values[i] + "\n";
    }
    return text;
}

// The shortest text that reads back as exactly this float ("-0.55", "0").
std::string floatText(float value) {
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return std::string(buffer.data(), end);
}

// The set's ride facts for the game's catalogue, one key a line.
std::string blockSetSection(const BlockSetStyle& style) {
    const RideFacts& ride = style.ride;
    std::string text = "[Block Set]\n";
    const auto key = [&text](const std::string& name, const std::string& value) { text += name + "=" + value + "\n"; };
    key("Wooden", style.wooden() ? "1" : "0");
    key("Suspended", style.suspended() ? "1" : "0");
    key("StartIndex", std::to_string(ride.startIndex));
    key("ExperienceStart", std::to_string(ride.experienceStart));
    key("ExperienceChainBegin", std::to_string(ride.experienceChainBegin));
    key("ExperienceChainEnd", std::to_string(ride.experienceChainEnd));
    for (size_t i = 0; i < ride.spheres.size(); ++i) {
        const glm::vec3& c = ride.spheres[i];
        key("Sphere" + std::to_string(i + 1), floatText(c.x) + " " + floatText(c.y) + " " + floatText(c.z));
    }
    key("CarSpacing", floatText(ride.carSpacing));
    key("TracksideAhead", std::to_string(ride.tracksideAhead));
    key("TracksideCatchUp", std::to_string(ride.tracksideCatchUp));
    return text;
}

bool writeCatalogue(const fs::path& folder, const BlockSetStyle& style, AssetLog& log) {
    return writeText(folder / "blocks.ini",
                     iniSection("Blocks", blockValues(style)) + "\n" + iniSection("Features", featureValues(style)) +
                         "\n" + blockSetSection(style),
                     log);
}

bool writeModel(const fs::path& file, const engine::Clump& model, AssetLog& log) {
    if (!makeFolder(file.parent_path(), log)) {
        return false;
    }
    if (!engine::writeModelFile(file.string(), model)) {
        return log.fail({"cannot write '", file.string(), "'"});
    }
    ++log.filesWritten;
    return true;
}

bool writePiece(const fs::path& folder, const BlockSetStyle& style, const PieceSpec& spec, AssetLog& log) {
    const PieceModel piece = buildPieceModel(style, spec);
    const fs::path model = folder / (spec.value + ".dff");
    if (!writeModel(model, *piece.model, log)) {
        return false;
    }
    const fs::path path = folder / (spec.value + ".anm");
    if (!engine::writeAnimationFile(path.string(), toAnimation(piece.path))) {
        return log.fail({"cannot write '", path.string(), "'"});
    }
    ++log.filesWritten;
    return !piece.low || writeModel(model.parent_path() / "low1" / model.filename(), *piece.low, log);
}

bool writePng(const fs::path& file, const engine::Image& image, AssetLog& log) {
    if (!engine::writePng(file.string(), image)) {
        return log.fail({"cannot write '", file.string(), "'"});
    }
    ++log.filesWritten;
    return true;
}

bool writeTextures(const fs::path& folder, const BlockSetStyle& style, const FontLibrary& fonts, AssetLog& log) {
    const std::vector<engine::NamedImage> images = blockSetTextures(style, fonts);
    if (!makeFolder(folder / "textures", log)) {
        return false;
    }
    for (const auto& [name, image] : images) {
        if (!writePng(folder / "textures" / (name + ".png"), image, log)) {
            return false;
        }
    }
    if (!engine::writeTextureDictionaryFile((folder / "world.txd").string(), images)) {
        return log.fail({"cannot write '", (folder / "world.txd").string(), "'"});
    }
    ++log.filesWritten;
    return true;
}

// The animated image's INI and numbered frames: <name>.ini, <name>00.bmp ...
bool writeSignFrames(const fs::path& folder, const BlockSetStyle& style, const FontLibrary& fonts, AssetLog& log) {
    const std::vector<engine::Image> frames = signFrames(style, fonts);
    const std::string name = surfaceTexture(style, Surface::Sign);
    if (!makeFolder(folder, log) || !writeText(folder / (name + ".ini"),
                                               "[ANI]\nframes=" + std::to_string(frames.size()) +
                                                   "\ndelay=" + std::to_string(kSignFrameMilliseconds) + "\n",
                                               log)) {
        return false;
    }
    for (size_t i = 0; i < frames.size(); ++i) {
        const fs::path file = folder / (name + (i < 10 ? "0" : "") + std::to_string(i) + ".bmp");
        if (!engine::writeBmp(file.string(), frames[i])) {
            return log.fail({"cannot write '", file.string(), "'"});
        }
        ++log.filesWritten;
    }
    return true;
}

bool writeFeaturePictures(const fs::path& folder, const BlockSetStyle& style, const FontLibrary& fonts, AssetLog& log) {
    std::set<std::string> done;
    for (const std::string& value : featureValues(style)) {
        const std::string stem = featureStem(value);
        if (!done.insert(stem).second) {
            continue;
        }
        const std::string family = stem.substr(stem.find_last_of('/') + 1);
        if (!makeFolder((folder / stem).parent_path(), log) || !writeFeatureIcons(folder / stem, family, fonts, log)) {
            return false;
        }
    }
    return true;
}

// Car models name textures by surface; they are in the set's dictionary and
// also beside the cars, where the game looks when no dictionary is current.
bool writeCars(const fs::path& outDir, const BlockSetStyle& style, const FontLibrary& fonts, AssetLog& log) {
    const fs::path folder = outDir / "models" / "cars" / style.name;
    if (!writeModel(folder / "leadcar1.dff", *buildCarModel(style, true), log) ||
        !writeModel(folder / "car1.dff", *buildCarModel(style, false), log)) {
        return false;
    }
    for (const auto& [name, image] : blockSetTextures(style, fonts)) {
        if (name.find("car") != std::string::npos || name == surfaceTexture(style, Surface::Rail)) {
            if (!writePng(folder / (name + ".png"), image, log)) {
                return false;
            }
        }
    }
    return true;
}

bool writeBlockSet(const fs::path& outDir, const BlockSetStyle& style, const FontLibrary& fonts, AssetLog& log) {
    const fs::path folder = outDir / "blocksets" / style.name;
    if (!makeFolder(folder, log) || !writeCatalogue(folder, style, log) || !writeTextures(folder, style, fonts, log) ||
        !writeSignFrames(outDir / "blocksets" / "ani", style, fonts, log) ||
        !writeSignFrames(folder / "ani", style, fonts, log) || !writeFeaturePictures(folder, style, fonts, log)) {
        return false;
    }
    for (const PieceSpec& spec : cataloguePieces(style)) {
        if (!writePiece(folder, style, spec, log)) {
            return false;
        }
    }
    return writeCars(outDir, style, fonts, log);
}

}  // namespace

bool writeBlockSets(const std::filesystem::path& outDir, AssetLog& log) {
    std::string error;
    const auto fonts = FontLibrary::load(error);
    if (!fonts) {
        return log.fail({error});
    }
    for (const BlockSetStyle& style : blockSetStyles()) {
        if (!writeBlockSet(outDir, style, *fonts, log)) {
            return false;
        }
    }
    log.notes.push_back(std::to_string(blockSetStyles().size()) + " block sets");
    return true;
}

}  // namespace assetgen
