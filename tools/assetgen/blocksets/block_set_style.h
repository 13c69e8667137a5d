// The five block sets as data: their folder names and index, how their track
// and supports are built, the heights their legs sets stand at, how far they
// bank, whether they have the steep slopes, which features they offer, the
// ride's facts (start indexes, collision spheres, car spacing, trackside
// camera) and their colours. Everything else, the generator's tests
// included, reads this table; the ride's facts go into each set's
// blocks.ini for the game.
#pragma once

#include <glm/vec3.hpp>

#include <array>
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
    unsigned carSeat;  // seats and seat backs: a clear colour, they fill the seat view's foreground
    unsigned signInk;  // the station display's lights
};

// The ride's collision spheres all have this radius; metres.
constexpr float kCollisionSphereRadius = 0.25f;

// What the game's ride needs to know of a set, written into the [Block Set]
// section of its blocks.ini. The game keeps the same values as its fallback
// for a set without the section, so these must stay exactly its table.
struct RideFacts {
    int startIndex = 0;  // ride path frame where a test run on built track starts
    // The experience ride: the lead car's first frame, and the chain-free
    // range (its first frame is the lift's crest, its last the brakes).
    int experienceStart = 0;
    int experienceChainBegin = 0;
    int experienceChainEnd = 0;
    // Collision-sphere centres in the lead car's frame (x right, y up,
    // z forward); metres.
    std::array<glm::vec3, 3> spheres{};
    float carSpacing = 2.5f;  // metres between cars
    // The trackside camera: path frames it jumps ahead of the train when
    // the view is chosen, and when the train has left it behind.
    int tracksideAhead = 20;
    int tracksideCatchUp = 20;
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
    RideFacts ride{};
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
    Glass,  // the station's skylights, drawn see-through
    Wall,
    CarBody,
    CarTrim,
    CarSeat,
    Sign,  // the animated station display: its name holds "ANIM"
};

std::string surfaceTexture(const BlockSetStyle& style, Surface surface);
const std::vector<Surface>& allSurfaces();

}  // namespace assetgen::blocksets
