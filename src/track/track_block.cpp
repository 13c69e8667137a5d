// Block copies.
#include "track/track_block.h"

namespace zr {

TrackBlock::TrackBlock(SceneContext& context, const TrackBlock& source) : SceneObject(context, "") {
    if (source.model) model = source.model->clone();
    name = source.name;
    lodPart = model && source.lodPart ? model->findPart("track") : nullptr;
    levelCount = source.levelCount;
    entryBank = source.entryBank;
    exitBank = source.exitBank;
    chain = source.chain;
    legsOffset = source.legsOffset;
    carMarker = source.carMarker;
    pathFrames = source.pathFrames;
    shown = 0;
    featureMark = 0;
    joinSorter(false);
    hookAnimatedTextures();
}

void TrackBlock::setBlockPosition(const glm::vec3& p) {
    if (!model || !model->root()) return;
    glm::mat4& local = model->root()->local;
    local[3] = glm::vec4(p, 1.0f);
    movedInWorld();
}

}  // namespace zr
