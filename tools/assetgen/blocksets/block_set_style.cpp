// The five block sets. Legs heights are 15 m apart: the fit test lets a foot
// sink up to 15.5 m into the ground, so each set reaches the next one's range,
// and four or five sets carry a rail 45 to 60 m above the ground. The
// suspended set starts a metre higher so its hanging cars clear the ground.
// The ride's facts are the game's own table, value for value: start index,
// experience start, chain-free range, spheres, car spacing, trackside jumps.
#include "blocksets/block_set_style.h"

namespace assetgen::blocksets {

const std::vector<BlockSetStyle>& blockSetStyles() {
    using enum FeatureKind;
    // Both wooden sets ride in the same wide cars.
    constexpr std::array<glm::vec3, 3> kWoodenSpheres{{{-0.9f, 0.9f, 0.0f}, {0.9f, 0.9f, 0.0f}, {0.0f, 2.0f, 0.0f}}};
    static const std::vector<BlockSetStyle> kStyles = {
        {"timber",
         0,
         Construction::Wooden,
         RailLook::Wooden,
         {2.0f, 17.0f, 32.0f, 47.0f},
         30.0f,
         false,
         {Camelback, DoubleDip, Tunnel},
         {20, 7, 138, 820, kWoodenSpheres, 2.5f, 20, 20},
         {0x9AA0A6, 0x8B6A43, 0xC9A46B, 0xA8875A, 0x7A3B2E, 0xB98D57, 0x2F6FBF, 0xE8E8E8, 0xC8553D, 0xFFB23A}},
        {"inverter",
         1,
         Construction::Suspended,
         RailLook::Suspended,
         {3.0f, 18.0f, 33.0f, 48.0f},
         50.0f,
         false,
         {Loop, Corkscrew, Camelback},
         {35, 6, 97, 876, {{{-0.55f, -1.6f, 0.2f}, {0.55f, -1.6f, 0.2f}, {0.0f, -0.9f, 0.2f}}}, 0.75f, 20, 20},
         {0x2456D6, 0x2456D6, 0xB8C0C8, 0x8A8F96, 0x2B3A55, 0xD8DCE0, 0xF2C12E, 0x303846, 0x3E7CC9, 0x46E0FF}},
        {"steel",
         2,
         Construction::Steel,
         RailLook::BoxSpine,
         {2.0f, 17.0f, 32.0f, 47.0f},
         45.0f,
         true,
         {Loop, Corkscrew, Camelback, DoubleDip},
         {35, 15, 114, 808, {{{-0.6f, 1.05f, 0.0f}, {0.6f, 1.05f, 0.0f}, {0.0f, 2.15f, 0.0f}}}, 3.5f, 20, 20},
         {0xE02A25, 0xE02A25, 0xF5C518, 0x9A9A9A, 0x1F6F8B, 0xEDEDED, 0x1E7FE0, 0xF5F5F5, 0xE8A33A, 0x5CFF6A}},
        {"oakwood",
         3,
         Construction::Wooden,
         RailLook::Wooden,
         {2.0f, 17.0f, 32.0f, 47.0f},
         35.0f,
         false,
         {Camelback, DoubleDip, Tunnel},
         {40, 15, 93, 880, kWoodenSpheres, 2.4f, 15, 10},
         {0x8E9399, 0x5E3B22, 0x7A5431, 0x6B4A2C, 0x2F4F2F, 0x8C6239, 0xB22222, 0xD4AF37, 0xD9B26F, 0xFF5A3A}},
        {"hyper",
         4,
         Construction::Steel,
         RailLook::Truss,
         {2.0f, 17.0f, 32.0f, 47.0f, 62.0f},
         40.0f,
         true,
         {Camelback, DoubleDip, Tunnel},
         {22, 46, 133, 700, {{{-0.6f, 1.15f, 0.0f}, {0.6f, 1.15f, 0.0f}, {0.0f, 2.15f, 0.0f}}}, 2.6f, 20, 20},
         {0xFF7F11, 0xFF7F11, 0xF2F2F2, 0xB0B0B0, 0x3A3A3A, 0xE6E6E6, 0x7B2CBF, 0xF5F5F5, 0x2FB8A6, 0xFFE14A}},
    };
    return kStyles;
}

const std::vector<Surface>& allSurfaces() {
    using enum Surface;
    static const std::vector<Surface> kSurfaces = {Rail, Spine, Plank, Chain,   Structure, Footing, Deck,
                                                   Roof, Glass, Wall,  CarBody, CarTrim,   CarSeat, Sign};
    return kSurfaces;
}

std::string surfaceTexture(const BlockSetStyle& style, Surface surface) {
    switch (surface) {
        case Surface::Rail: return style.name + "rail";
        case Surface::Spine: return style.name + "spine";
        case Surface::Plank: return style.name + "plank";
        case Surface::Chain: return style.name + "chain";
        case Surface::Structure: return style.name + "structure";
        case Surface::Footing: return style.name + "footing";
        case Surface::Deck: return style.name + "deck";
        case Surface::Roof: return style.name + "roof";
        case Surface::Glass: return style.name + "glass";
        case Surface::Wall: return style.name + "wall";
        case Surface::CarBody: return style.name + "carbody";
        case Surface::CarTrim: return style.name + "cartrim";
        case Surface::CarSeat: return style.name + "carseat";
        case Surface::Sign: return style.name + "ANIM";
    }
    return style.name;
}

}  // namespace assetgen::blocksets
