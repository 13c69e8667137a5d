// The pieces of a block set in the order of its blocks.ini: what each one is
// called (its value, relative to the set's folder, without ".dff") and what
// shape it has. The order is the editor's contract: families are listed
// steady member first, and a family's members follow each other.
#pragma once

#include "blocksets/block_set_style.h"

#include <string>
#include <vector>

namespace assetgen::blocksets {

enum class PieceKind {
    Station,
    Closing,  // final1
    Track,    // laid out by pitch, turn and bank (straights, hills, banks, curves, crests, drops)
    Loop,
    Corkscrew,
    Camelback,
    DoubleDip,
    Tunnel,
};

// Bank at a piece's end; the sign is the roll's (left leans towards +X).
enum class Bank { Right = -1, None = 0, Left = 1 };

struct PieceSpec {
    std::string value;
    PieceKind kind = PieceKind::Track;
    double pitchIn = 0.0;  // degrees, going up positive
    double pitchOut = 0.0;
    double turn = 0.0;  // degrees of heading, towards +X positive
    Bank bankIn = Bank::None;
    Bank bankOut = Bank::None;
    bool chain = false;    // draws the lift chain
    bool feature = false;  // listed under [Features]
    bool legsSets = true;  // carries every legs set (its value then has no digit)
    double length = 10.0;  // metres along the path (Track pieces)
};

std::vector<PieceSpec> cataloguePieces(const BlockSetStyle& style);  // blocks, then features
std::vector<std::string> blockValues(const BlockSetStyle& style);
std::vector<std::string> featureValues(const BlockSetStyle& style);

// The file the features panel's pictures start with: the value cut before
// its last '-' ("features/drop-c" gives "features/drop").
std::string featureStem(const std::string& value);

// Metres per 22.5 degrees of pitch change: a level-to-45-degree piece is 20 m.
inline constexpr double kSlopeRunPerStep = 10.0;
inline constexpr double kSteadyLength = 10.0;
inline constexpr double kGridDegrees = 22.5;

}  // namespace assetgen::blocksets
