// The coaster: the blocks in building order, the ride path built from them
// and the track state, with the editing operations that change them. (The
// ride's state and statistics are the ride's own.)
#pragma once

#include "track/catalogue_piece.h"
#include "track/intrusive_list.h"
#include "track/track_block.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace zr {

class World;

enum TrackState : int32_t { kTrackBuilding = 0, kTrackComplete = 1, kTrackTested = 2 };

class Coaster {
public:
    Coaster(SceneContext& context, const World* world);
    ~Coaster();
    Coaster(const Coaster&) = delete;
    Coaster& operator=(const Coaster&) = delete;

    // Makes a block from the piece, places it after the last block (or at
    // the world's start), links it and shows it.
    TrackBlock* appendBlock(const CataloguePiece& piece);
    // Removing the bent closing piece puts its rail back first and leaves
    // the track open.
    void removeLastBlock();
    void clear();

    // The coaster file's block lines: name, then x, y, z and heading.
    static void writeBlock(const TrackBlock& block, std::ostream& out);
    void readBlockPlacement(TrackBlock& block, std::istream& in);

    const World* world() const { return world_; }
    TrackBlock* firstBlock() const { return blocks.oldest; }

    IntrusiveList<TrackBlock> blocks;
    TrackBlock* lastBlock = nullptr;
    std::vector<PathFrame> ridePath;
    int32_t trackState = kTrackBuilding;
    // The bent closing block and its rail before the bend (for Restore);
    // none while no block is bent.
    TrackBlock* bentBlock = nullptr;
    std::vector<glm::vec3> savedClosingRail;

private:
    SceneContext& context_;
    const World* world_;
    std::vector<std::unique_ptr<TrackBlock>> owned_;
};

}  // namespace zr
