// A piece of a block set, as read from its model and path animation: the
// rail part, the feet of its supports, its sub-pieces (the same piece with
// taller supports), its variant family links and, for a feature, its four
// panel pictures.
#pragma once

#include "engine/model_file.h"
#include "track/intrusive_list.h"
#include "track/track_block.h"
#include "ui/screen_image.h"

#include <memory>
#include <string>
#include <vector>

namespace zr {

class CataloguePiece : public TrackBlock {
public:
    // Loads the model and its ".anm" and sorts its parts; a model with
    // several legs sets makes sub-pieces.
    CataloguePiece(SceneContext& context, const std::string& modelPath, bool feature,
                   engine::TextureDictionary* textures = nullptr);
    // A sub-piece: a copy of the parent (cloned model, same path frames).
    CataloguePiece(SceneContext& context, CataloguePiece& parent);
    ~CataloguePiece() override;

    bool valid() const { return model != nullptr && pathFrameCount() >= 2; }

    // Path frames from key frames: a first key frame at time 0 is skipped,
    // and so is each of the first five whose time equals the duration.
    static std::vector<PathFrame> pathFramesFrom(const engine::PathAnimation& animation);
    // Entry and exit banks from the file name's first four letters.
    static void banksFromName(const std::string& path, int32_t* entry, int32_t* exit);
    // The first run of decimal digits in a name ("" when none).
    static std::string digitsOf(const std::string& name);

    // Makes this piece and its sub-pieces shown, every other member of
    // its family (and their sub-pieces) not shown.
    void makeCurrentVariant();
    // The newest sub-piece first, as the editor tries them.
    std::vector<CataloguePiece*> subPieceList() const;

    engine::PathAnimation pathAnimation;
    engine::Atomic* trackPart = nullptr;
    std::vector<glm::mat4> footFrames;
    std::unique_ptr<ui::ScreenImage> iconOn, textOn, iconOff, textOff;
    CataloguePiece* nextVariant = nullptr;
    CataloguePiece* previousVariant = nullptr;
    IntrusiveList<CataloguePiece> subPieces;
    std::vector<std::unique_ptr<CataloguePiece>> ownedSubPieces;
    CataloguePiece* parent = nullptr;

private:
    void sortParts();
    void singleSetPass();
    void severalSetsPass();
    void raiseRailToLegs();
    void loadIcons();
};

}  // namespace zr
