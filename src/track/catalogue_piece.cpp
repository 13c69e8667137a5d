// Piece construction: path frames from the animation, banks and chain from
// the name, and the sorting of the model's parts into rail, feet, legs sets
// and sub-pieces.
#include "track/catalogue_piece.h"

#include <cctype>

namespace zr {
namespace {

constexpr int kDurationSkipWindow = 5;  // key frames 0..4 may repeat the duration

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string withExtension(const std::string& path, const std::string& extension) {
    const size_t dot = path.find_last_of('.');
    return (dot == std::string::npos ? path : path.substr(0, dot)) + extension;
}

std::string baseOf(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    return dot == std::string::npos ? path : path.substr(0, dot);
}

// The part named exactly "legs1" stays with the piece itself.
bool isLegs(const std::string& name) { return contains(name, "legs"); }

}  // namespace

std::vector<PathFrame> CataloguePiece::pathFramesFrom(const engine::PathAnimation& animation) {
    std::vector<PathFrame> frames;
    const float duration = animation.duration();
    for (size_t k = 0; k < animation.keys.size(); ++k) {
        const engine::KeyFrame& key = animation.keys[k];
        if (k == 0 && key.time == 0.0f) continue;
        if (k < kDurationSkipWindow && key.time == duration) continue;
        PathFrame frame = glm::mat4_cast(key.rotation);
        frame[3] = glm::vec4(key.translation, 1.0f);
        frames.push_back(frame);
    }
    return frames;
}

void CataloguePiece::banksFromName(const std::string& path, int32_t* entry, int32_t* exit) {
    const size_t slash = path.find_last_of('/');
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    *entry = kBankNone;
    *exit = kBankNone;
    if (file.empty() || file[0] != 'B') return;
    auto code = [&](size_t i) {
        if (i >= file.size()) return static_cast<int32_t>(kBankNone);
        return file[i] == 'L' ? static_cast<int32_t>(kBankLeft)
                              : file[i] == 'R' ? static_cast<int32_t>(kBankRight) : static_cast<int32_t>(kBankNone);
    };
    *entry = code(1);
    *exit = code(3);
}

std::string CataloguePiece::digitsOf(const std::string& name) {
    const size_t first = name.find_first_of("0123456789");
    if (first == std::string::npos) return {};
    size_t last = first;
    while (last < name.size() && std::isdigit(static_cast<unsigned char>(name[last]))) ++last;
    return name.substr(first, last - first);
}

CataloguePiece::CataloguePiece(SceneContext& context, const std::string& modelPath, bool feature,
                               engine::TextureDictionary* textures)
    : TrackBlock(context, modelPath, textures) {
    featureMark = feature ? 1 : 0;
    if (!model) return;
    engine::FileError error;
    if (engine::readAnimationFile(withExtension(modelPath, ".anm"), &pathAnimation, &error)) {
        pathFrames = pathFramesFrom(pathAnimation);
    }
    banksFromName(modelPath, &entryBank, &exitBank);
    chain = contains(modelPath, "lift") || contains(modelPath, "station") || contains(modelPath, "final") ? 1 : 0;
    sortParts();
    if (feature) loadIcons();
}

CataloguePiece::CataloguePiece(SceneContext& context, CataloguePiece& source) : TrackBlock(context, source) {
    pathAnimation = source.pathAnimation;
    parent = &source;
    shown = source.shown;
    featureMark = source.featureMark;
}

CataloguePiece::~CataloguePiece() = default;

void CataloguePiece::sortParts() {
    int legsCount = 0;
    for (const auto& atomic : model->atomics()) {
        if (isLegs(atomic->name())) ++legsCount;
        if (contains(atomic->name(), "car")) carMarker = atomic->frame->worldPosition();
    }
    if (legsCount < 2) singleSetPass();
    else severalSetsPass();
}

void CataloguePiece::singleSetPass() {
    std::vector<engine::Atomic*> removed;
    for (const auto& part : model->atomics()) {
        engine::Atomic* atomic = part.get();
        const std::string& partName = atomic->name();
        if (partName.empty()) continue;
        if (isLegs(partName)) {
            if (contains(name, digitsOf(partName))) legsOffset = atomic->frame->position();
            else removed.push_back(atomic);
        } else if (partName == "track") {
            trackPart = atomic;
        } else if (contains(partName, "car")) {
            carMarker = atomic->frame->worldPosition();
            removed.push_back(atomic);
        } else if (contains(partName, "foot")) {
            if (contains(name, digitsOf(partName))) footFrames.push_back(atomic->frame->world());
            removed.push_back(atomic);
        }
    }
    for (engine::Atomic* atomic : removed) {
        if (lodPart == atomic) lodPart = nullptr;
        if (context_.engine) context_.engine->releaseGeometry(*atomic->geometry);
        removePart(atomic);
    }
    if (!trackPart) trackPart = model->findPart("track");
}

void CataloguePiece::severalSetsPass() {
    const std::string base = baseOf(name);
    std::vector<std::string> legsNames;
    for (const auto& atomic : model->atomics()) {
        if (isLegs(atomic->name()) && atomic->name() != "legs1") legsNames.push_back(atomic->name());
    }
    std::vector<std::unique_ptr<CataloguePiece>> made;
    for (const std::string& legs : legsNames) {
        auto sub = std::make_unique<CataloguePiece>(context_, *this);
        sub->name = base + digitsOf(legs) + ".dff";
        sub->chain = contains(sub->name, "lift") || contains(sub->name, "station") ? 1 : 0;
        sub->singleSetPass();
        sub->raiseRailToLegs();
        made.push_back(std::move(sub));
    }
    name = base + "1.dff";
    singleSetPass();
    raiseRailToLegs();
    // Reordered so that walking from the newest gives 2, 3, ... k.
    const int k = static_cast<int>(made.size()) + 1;
    for (int n = k; n >= 2; --n) {
        const std::string wanted = base + std::to_string(n) + ".dff";
        for (auto& sub : made) {
            if (sub && sub->name == wanted) {
                subPieces.append(sub.get());
                ownedSubPieces.push_back(std::move(sub));
                break;
            }
        }
    }
}

void CataloguePiece::raiseRailToLegs() {
    if (!trackPart) return;
    const float d = legsOffset.y - trackPart->frame->local[3].y;
    for (PathFrame& frame : pathFrames) frame[3].y += d;
    trackPart->frame->local[3].y = legsOffset.y;
}

void CataloguePiece::loadIcons() {
    const size_t dash = name.find_last_of('-');
    const std::string stem = dash == std::string::npos ? baseOf(name) : name.substr(0, dash);
    iconOn = std::make_unique<ui::ScreenImage>(context_.ui, stem + "iconon.png", 0, 0);
    textOn = std::make_unique<ui::ScreenImage>(context_.ui, stem + "texton.png", 0, 0);
    iconOff = std::make_unique<ui::ScreenImage>(context_.ui, stem + "iconoff.png", 0, 0);
    textOff = std::make_unique<ui::ScreenImage>(context_.ui, stem + "textoff.png", 0, 0);
    subPieces.forEach([](CataloguePiece* sub) { sub->featureMark = 1; });
}

void CataloguePiece::makeCurrentVariant() {
    auto mark = [](CataloguePiece* piece, int32_t value) {
        piece->shown = value;
        piece->subPieces.forEach([value](CataloguePiece* sub) { sub->shown = value; });
    };
    mark(this, 1);
    for (CataloguePiece* p = nextVariant; p && p != this; p = p->nextVariant) mark(p, 0);
    for (CataloguePiece* p = previousVariant; p && p != this; p = p->previousVariant) mark(p, 0);
}

std::vector<CataloguePiece*> CataloguePiece::subPieceList() const {
    std::vector<CataloguePiece*> list;
    for (CataloguePiece* sub = subPieces.newest; sub; sub = static_cast<CataloguePiece*>(sub->older)) {
        list.push_back(sub);
    }
    return list;
}

}  // namespace zr
