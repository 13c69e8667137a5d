// The five block sets as data: their folder names and index, how their track
// and supports are built, the heights their legs sets stand at, how far they
// bank, whether they have the steep slopes, which features they offer, their
// car spacing and their colours. Everything else reads this table.
#pragma once

#include <string>
#include <vector>

namespace assetgen::blocksets {

// How the track is held up and what rides on it.
enum class Construction {
    Wooden,     // wide laminated rails on a lattice of wooden bents
    Steel,      // tubular rails on a spine, on steel columns
    Suspended,  // rails under a spine, cars hanging below, columns with arms
};

// The rail's cross-section.
enum class RailLook { Wooden, BoxSpine, Truss, Suspended };

enum class FeatureKind { Loop, Corkscrew, Camelback, DoubleDip, Tunnel };

// Colours as 0xRRGGBB; the textures are painted from them.
struct Palette {
    unsigned rail;       // running rails (the steel strip on wooden track)
    unsigned spine;      // spine, ties, the wooden track's laminations
    unsigned structure;  // supports: wood or painted steel
    unsigned deck;       // platform floor, catwalk planks
    unsigned roof;
    unsigned wall;  // station and tunnel walls
    unsigned carBody;
    unsigned carTrim;
    unsigned signInk;  // the station display's lights
};

struct BlockSetStyle {
    std::string name;  // folder under blocksets/ and models/cars/
    int index = 0;     // the game's block set index
    Construction construction = Construction::Steel;
    RailLook rail = RailLook::BoxSpine;
    std::vector<float> legsHeights;  // rail above the feet, legs set 1 first; metres
    float bankDegrees = 45.0f;
    bool steep = false;  // the 67.5 degree slopes
    std::vector<FeatureKind> features;
    float carSpacing = 2.5f;  // metres between cars, from the ride's table
    Palette palette{};

    bool suspended() const { return construction == Construction::Suspended; }
    bool wooden() const { return construction == Construction::Wooden; }
    // The station's rail stands at the first legs height, so a level run off
    // the station on level ground finds its feet with legs set 1.
    float stationHeight() const { return legsHeights.front(); }
};

const std::vector<BlockSetStyle>& blockSetStyles();

// Texture names are the set's name and a surface, so they never clash
// between sets and never hold a digit.
enum class Surface {
    Rail,
    Spine,
    Plank,
    Chain,
    Structure,
    Footing,
    Deck,
    Roof,
    Wall,
    CarBody,
    CarTrim,
    CarSeat,
    Sign,  // the animated station display: its name holds "ANIM"
};

std::string surfaceTexture(const BlockSetStyle& style, Surface surface);
const std::vector<Surface>& allSurfaces();

}  // namespace assetgen::blocksets
