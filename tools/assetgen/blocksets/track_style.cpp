// Cross-sections of the four rail looks, in metres about the running surface.
#include "blocksets/track_style.h"

namespace assetgen::blocksets {
namespace {

constexpr int kTubeSides = 8;
constexpr int kLowTubeSides = 4;

struct Textures {
    std::string rail, spine, plank, chain, deck;
};

Textures texturesOf(const BlockSetStyle& style) {
    return {surfaceTexture(style, Surface::Rail), surfaceTexture(style, Surface::Spine),
            surfaceTexture(style, Surface::Plank), surfaceTexture(style, Surface::Chain),
            surfaceTexture(style, Surface::Deck)};
}

// Laminated timber rails capped by a steel strip, on ties, with a catwalk
// and a handrail on each side.
RailDesign woodenRail(const Textures& t, Detail detail, bool chain) {
    RailDesign design;
    if (detail == Detail::Low) {
        for (const float x : {-0.6f, 0.6f}) {
            design.profiles.push_back(boxProfile({x, -0.16f}, {0.13f, 0.16f}, t.plank));
        }
        design.profiles.push_back(boxProfile({0.0f, -0.38f}, {1.6f, 0.05f}, t.plank));
        return design;
    }
    const bool walkways = detail != Detail::Station;
    for (const float x : {-0.6f, 0.6f}) {
        design.profiles.push_back(boxProfile({x, -0.17f}, {0.13f, 0.15f}, t.plank));
        design.profiles.push_back(boxProfile({x, -0.012f}, {0.085f, 0.012f}, t.rail));
        if (walkways) {
            design.profiles.push_back(boxProfile({x * 2.17f, -0.37f}, {0.3f, 0.025f}, t.deck));
            design.profiles.push_back(boxProfile({x * 2.63f, 0.55f}, {0.035f, 0.035f}, t.plank));
        }
    }
    if (chain) {
        design.profiles.push_back(boxProfile({0.0f, -0.3f}, {0.05f, 0.03f}, t.chain));
    }
    if (detail == Detail::Closing) {
        design.profiles.push_back(boxProfile({0.0f, -0.38f}, {1.05f, 0.05f}, t.plank));
        return design;
    }
    const float tieEnd = walkways ? 1.62f : 1.1f;
    design.ties.push_back({{{{-tieEnd, -0.39f, 0.0f}, {tieEnd, -0.39f, 0.0f}, 0.09f, 0.05f, t.plank}}, 0.8f});
    if (!walkways) {
        return design;
    }
    design.ties.push_back({{{{-1.58f, -0.34f, 0.0f}, {-1.58f, 0.52f, 0.0f}, 0.035f, 0.035f, t.plank, false},
                            {{1.58f, -0.34f, 0.0f}, {1.58f, 0.52f, 0.0f}, 0.035f, 0.035f, t.plank, false}},
                           1.6f});
    return design;
}

// Tubular rails joined to a box spine by angled ties; the suspended look is
// the same turned over, rails below the spine.
RailDesign boxSpineRail(const Textures& t, Detail detail, bool chain, float flip) {
    RailDesign design;
    const bool low = detail == Detail::Low;
    const int sides = low ? kLowTubeSides : kTubeSides;
    const float railY = flip > 0.0f ? -0.07f : 0.0f;
    const float gauge = flip > 0.0f ? 0.6f : 0.5f;
    for (const float x : {-gauge, gauge}) {
        design.profiles.push_back(tubeProfile({x, railY}, 0.07f, sides, t.rail));
    }
    design.profiles.push_back(boxProfile({0.0f, -0.62f * flip}, {0.2f, 0.24f}, t.spine));
    if (chain && !low) {
        design.profiles.push_back(boxProfile({0.0f, -0.35f * flip}, {0.05f, 0.03f}, t.chain));
    }
    if (detail == Detail::Low || detail == Detail::Closing) {
        return design;
    }
    TieSet ties{{}, 1.3f};
    for (const float x : {-gauge, gauge}) {
        ties.members.push_back(
            {{x, railY - 0.03f * flip, 0.0f}, {x / gauge * 0.2f, -0.42f * flip, 0.0f}, 0.05f, 0.04f, t.spine, false});
    }
    design.ties.push_back(ties);
    return design;
}

// Tubular rails over a round spine, braced as a triangle.
RailDesign trussRail(const Textures& t, Detail detail, bool chain) {
    RailDesign design;
    const bool low = detail == Detail::Low;
    for (const float x : {-0.62f, 0.62f}) {
        design.profiles.push_back(tubeProfile({x, -0.08f}, 0.08f, low ? kLowTubeSides : kTubeSides, t.rail));
    }
    design.profiles.push_back(tubeProfile({0.0f, -0.85f}, 0.17f, low ? 5 : 10, t.spine));
    if (chain && !low) {
        design.profiles.push_back(boxProfile({0.0f, -0.13f}, {0.05f, 0.03f}, t.chain));
    }
    if (detail == Detail::Low || detail == Detail::Closing) {
        return design;
    }
    TieSet ties{{}, 1.5f};
    for (const float x : {-0.62f, 0.62f}) {
        ties.members.push_back({{x, -0.12f, 0.0f}, {0.0f, -0.72f, 0.0f}, 0.05f, 0.05f, t.spine, false});
    }
    ties.members.push_back({{-0.62f, -0.17f, 0.0f}, {0.62f, -0.17f, 0.0f}, 0.04f, 0.03f, t.spine, false});
    design.ties.push_back(ties);
    return design;
}

}  // namespace

RailDesign railDesign(const BlockSetStyle& style, Detail detail, bool chain) {
    const Textures t = texturesOf(style);
    switch (style.rail) {
        case RailLook::Wooden: return woodenRail(t, detail, chain);
        case RailLook::BoxSpine: return boxSpineRail(t, detail, chain, 1.0f);
        case RailLook::Truss: return trussRail(t, detail, chain);
        case RailLook::Suspended: return boxSpineRail(t, detail, chain, -1.0f);
    }
    return {};
}

float supportAttachHeight(const BlockSetStyle& style) {
    switch (style.rail) {
        case RailLook::Wooden: return -0.44f;
        case RailLook::BoxSpine: return -0.86f;
        case RailLook::Truss: return -1.02f;
        case RailLook::Suspended: return 0.86f;
    }
    return 0.0f;
}

float trackHalfWidth(const BlockSetStyle& style) {
    return style.wooden() ? 1.65f : 0.8f;
}

}  // namespace assetgen::blocksets
