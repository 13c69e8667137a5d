// The coaster: the blocks in building order, the ride path built from them,
// the live and committed ride statistics and the track state.
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

struct RideStats {
    float maxSpeed = 0.0f;  // m/s
    float time = 0.0f;      // s
    float length = 0.0f;    // m
    float blockCount = 0.0f;
    float lateralG = 0.0f;
    float positiveVerticalG = 0.0f;
    float negativeVerticalG = 1.0f;
};

class Coaster {
public:
    Coaster(SceneContext& context, const World* world);
    ~Coaster();
    Coaster(const Coaster&) = delete;
    Coaster& operator=(const Coaster&) = delete;

    // Makes a block from the piece, places it after the last block (or at
    // the world's start), links it and shows it.
    TrackBlock* appendBlock(const CataloguePiece& piece);
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
    float speed = 0.0f;
    RideStats live;
    RideStats committed;
    int32_t rideState = 0;
    int32_t trackState = kTrackBuilding;
    // The closing piece's rail before it was bent (for Restore).
    std::vector<glm::vec3> savedClosingRail;

private:
    SceneContext& context_;
    const World* world_;
    std::vector<std::unique_ptr<TrackBlock>> owned_;
};

}  // namespace zr
