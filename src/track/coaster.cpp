// Appending and removing blocks, and the coaster file's block lines.
#include "track/coaster.h"

#include "track/track_geometry.h"

#include <istream>
#include <ostream>

namespace zr {

Coaster::Coaster(SceneContext& context, const World* world) : context_(context), world_(world) {}

Coaster::~Coaster() { clear(); }

TrackBlock* Coaster::appendBlock(const CataloguePiece& piece) {
    auto block = std::make_unique<TrackBlock>(context_, piece);
    placeBlock(*block, *this);
    TrackBlock* added = block.get();
    blocks.append(added);
    lastBlock = added;
    added->addToWorld();
    owned_.push_back(std::move(block));
    return added;
}

void Coaster::removeLastBlock() {
    if (!lastBlock) return;
    TrackBlock* removed = lastBlock;
    // The saved rail belongs to the bent block: put it back, or a later
    // restore would write it into whatever block is last then.
    if (removed == bentBlock) {
        restoreClosingPiece(*this);
        trackState = kTrackBuilding;
    }
    blocks.unlink(removed);
    lastBlock = blocks.newest;
    std::erase_if(owned_, [removed](const auto& block) { return block.get() == removed; });
}

void Coaster::clear() {
    while (lastBlock) removeLastBlock();
    ridePath.clear();
    bentBlock = nullptr;
    savedClosingRail.clear();
}

void Coaster::writeBlock(const TrackBlock& block, std::ostream& out) {
    const glm::vec3 p = block.blockPosition();
    out << block.name << '\n' << p.x << '\n' << p.y << '\n' << p.z << '\n' << block.blockHeading << '\n';
}

void Coaster::readBlockPlacement(TrackBlock& block, std::istream& in) {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float heading = 0.0f;
    in >> x >> y >> z >> heading;
    if (block.name.find("station1") != std::string::npos) {
        rotatePathFrames(block, -block.blockHeading);
        block.rotate(glm::vec3(0.0f, 1.0f, 0.0f), heading, engine::Combine::Replace);
        block.blockHeading = heading;
        rotatePathFrames(block, heading);
        block.setBlockPosition(glm::vec3(x, y, z));
    } else if (block.name.find("final1") != std::string::npos) {
        bendClosingPiece(*this);
        trackState = kTrackComplete;
    }
}

}  // namespace zr
