// A piece as the game loads it: a model with the part "track" (the rail, at
// the model's origin), one "legs<k>" part per legs set (its frame at the
// rail height h_k, its members reaching down to y = 0) with "foot<k>" parts
// where its posts meet the ground, and decoration parts for the station;
// its path frames; and the low-detail rail for low1/.
#pragma once

#include "blocksets/block_set_style.h"
#include "blocksets/path_frame.h"
#include "blocksets/piece_catalogue.h"

#include "engine/scene.h"

#include <memory>

namespace assetgen::blocksets {

namespace engine = ::zr::engine;

struct PieceModel {
    std::unique_ptr<engine::Clump> model;
    std::unique_ptr<engine::Clump> low;  // null where the piece has no low-detail copy
    PathFrames path;
};

PieceModel buildPieceModel(const BlockSetStyle& style, const PieceSpec& spec);

// Adds a part: a frame named name at local under the root, holding geometry.
void addPart(engine::Clump& model, const std::string& name, const glm::mat4& local,
             std::unique_ptr<engine::Geometry> geometry);

}  // namespace assetgen::blocksets
