// Pieces, blocks and the coaster. A TrackBlock is a placed copy of a
// catalogue piece: its model cloned, its path frames copied and turned by
// its heading (not moved by its position: frame k in the world is the
// stored frame translated by the block's position).
#pragma once

#include "world/scene_object.h"

#include <glm/glm.hpp>

#include <vector>

namespace zr {

// A transform on the centre line of the track: right, up and forward axes
// (columns 0, 1, 2) and a position (column 3).
using PathFrame = glm::mat4;

inline glm::vec3 framePosition(const PathFrame& frame) { return glm::vec3(frame[3]); }
inline glm::vec3 frameForward(const PathFrame& frame) { return glm::vec3(frame[2]); }

enum Bank : int32_t { kBankNone = 0, kBankLeft = 1, kBankRight = 2 };

class TrackBlock : public SceneObject {
public:
    using SceneObject::SceneObject;
    // A block cloned from another piece or block.
    TrackBlock(SceneContext& context, const TrackBlock& source);

    float blockHeading = 0.0f;  // degrees about +Y; written to the coaster file
    int32_t shown = 1;
    int32_t featureMark = 0;
    int32_t chain = 0;
    std::vector<PathFrame> pathFrames;
    int32_t entryBank = kBankNone;
    int32_t exitBank = kBankNone;
    glm::vec3 legsOffset{0.0f};
    glm::vec3 carMarker{0.0f};

    int32_t pathFrameCount() const { return static_cast<int32_t>(pathFrames.size()); }
    // The block's world position (its model's root frame).
    glm::vec3 blockPosition() const { return position(); }
    void setBlockPosition(const glm::vec3& p);
};

}  // namespace zr
