// Station and tunnel buildings. Clearances against the ride's collision
// spheres: platforms start 1.3 m from the centre line and 0.25 m above the
// rail (the standing riders' shoulders are 0.9 m out at 0.9 m up), roofs
// and the board stay above 2.9 m; on the suspended set the floor lies 2.15 m
// below the rail, under the dangling feet.
#include "blocksets/station_builder.h"

#include "blocksets/rail_sweep.h"
#include "blocksets/support_builder.h"

#include <algorithm>
#include <cmath>

namespace assetgen::blocksets {
namespace {

constexpr float kPlatformInner = 1.3f;
constexpr float kPlatformOuter = 4.6f;
constexpr float kStepRise = 0.3f;
constexpr float kStepRun = 0.35f;
// The skylight band runs between these fractions of the way from the ridge
// down to the eaves, in bays split by glazing bars.
constexpr float kSkylightTop = 0.12f;
constexpr float kSkylightBottom = 0.5f;
constexpr float kEavesOverhang = 1.02f;   // the slope runs on 2% past the eaves
constexpr float kBayLength = 2.6f;        // metres between glazing bars
constexpr float kGlazingBar = 0.08f;      // half a bar's width; metres
constexpr float kRoofThickness = 0.08f;   // half; metres
constexpr float kPaneThickness = 0.015f;  // half; metres

struct StationLayout {
    float rail;       // rail height above the ground
    float deckTop;    // platform floor
    float innerEdge;  // distance of the platforms from the centre line (0: one floor right across)
    float eaves;
    float ridge;
    float signBottom;
    float signTop;
    float start;  // z of the first and last metre the buildings cover
    float end;
};

StationLayout layoutOf(const BlockSetStyle& style, const PathFrames& path) {
    const float rail = path.front().position.y;
    const float start = 0.3f;
    const float end = path.back().position.z - 0.3f;
    if (style.suspended()) {
        return {rail, rail - 2.15f, 0.0f, rail + 2.5f, rail + 3.3f, rail + 1.25f, rail + 2.05f, start, end};
    }
    return {rail, rail + 0.25f, kPlatformInner, rail + 4.1f, rail + 5.0f, rail + 3.0f, rail + 3.9f, start, end};
}

// A box between two corners, axis aligned.
void block(MeshBuffer& mesh, const glm::vec3& low, const glm::vec3& high, const std::string& texture) {
    const glm::vec3 centre = (low + high) * 0.5f;
    const glm::vec3 half = (high - low) * 0.5f;
    PathFrame frame;
    addBox(mesh, frame, centre, half, texture);
}

void addDecks(MeshBuffer& mesh, const BlockSetStyle& style, const StationLayout& l) {
    const std::string deck = surfaceTexture(style, Surface::Deck);
    const std::string wall = surfaceTexture(style, Surface::Wall);
    if (l.innerEdge == 0.0f) {
        block(mesh, {-kPlatformOuter, 0.0f, l.start}, {kPlatformOuter, l.deckTop, l.end}, deck);
        return;
    }
    for (const float side : {-1.0f, 1.0f}) {
        const float a = side * l.innerEdge;
        const float b = side * kPlatformOuter;
        block(mesh, {std::min(a, b), l.deckTop - 0.3f, l.start}, {std::max(a, b), l.deckTop, l.end}, deck);
        const float c = side * (l.innerEdge + 0.15f);
        block(mesh, {std::min(c, b), 0.0f, l.start + 0.2f}, {std::max(c, b), l.deckTop - 0.3f, l.end - 0.2f}, wall);
    }
}

// Steps up the outer side of the +X platform, climbing towards +Z.
void addStairs(MeshBuffer& mesh, const BlockSetStyle& style, const StationLayout& l) {
    const std::string deck = surfaceTexture(style, Surface::Deck);
    const int steps = static_cast<int>(std::ceil(l.deckTop / kStepRise));
    const float top = l.start + 9.0f;
    for (int i = 0; i < steps; ++i) {
        const float y = l.deckTop * static_cast<float>(i + 1) / static_cast<float>(steps);
        const float z0 = top - kStepRun * static_cast<float>(steps - i);
        block(mesh, {kPlatformOuter, 0.0f, z0}, {kPlatformOuter + 1.4f, y, z0 + kStepRun}, deck);
    }
}

void addRailings(MeshBuffer& mesh, const BlockSetStyle& style, const StationLayout& l) {
    const std::string metal = surfaceTexture(style, Surface::CarTrim);
    for (const float side : {-1.0f, 1.0f}) {
        const float x = side * (kPlatformOuter - 0.08f);
        for (float z = l.start + 0.2f; z <= l.end; z += 2.5f) {
            block(mesh, {x - 0.03f, l.deckTop, z - 0.03f}, {x + 0.03f, l.deckTop + 1.0f, z + 0.03f}, metal);
        }
        block(mesh, {x - 0.04f, l.deckTop + 0.95f, l.start + 0.2f}, {x + 0.04f, l.deckTop + 1.03f, l.end}, metal);
    }
}

// One roof slope from the ridge to an eave: roofing above and below the
// skylight band, glazing bars across it and a pane in every bay.
void addRoofSlope(StationParts& parts, const BlockSetStyle& style, const glm::vec3& ridge, const glm::vec3& eave,
                  float half) {
    const std::string roof = surfaceTexture(style, Surface::Roof);
    const std::string glass = surfaceTexture(style, Surface::Glass);
    const glm::vec3 along(0.0f, 0.0f, 1.0f);
    const auto at = [&](float f, float dz) { return ridge + (eave - ridge) * f + along * dz; };
    addBeam(parts.roof, at(0.0f, 0.0f), at(kSkylightTop, 0.0f), half, kRoofThickness, along, roof);
    addBeam(parts.roof, at(kSkylightBottom, 0.0f), at(kEavesOverhang, 0.0f), half, kRoofThickness, along, roof);
    const int bays = std::max(1, static_cast<int>(std::lround(2.0f * half / kBayLength)));
    const float bay = 2.0f * half / static_cast<float>(bays);
    for (int k = 0; k <= bays; ++k) {
        const float dz = std::clamp(-half + bay * static_cast<float>(k), -half + kGlazingBar, half - kGlazingBar);
        addBeam(parts.roof, at(kSkylightTop, dz), at(kSkylightBottom, dz), kGlazingBar, kRoofThickness, along, roof);
    }
    parts.glazing.tint(glass, kGlazingTint);
    for (int k = 0; k < bays; ++k) {
        const float dz = -half + bay * (static_cast<float>(k) + 0.5f);
        addBeam(parts.glazing, at(kSkylightTop, dz), at(kSkylightBottom, dz), bay * 0.5f - kGlazingBar, kPaneThickness,
                along, glass);
    }
}

void addRoof(StationParts& parts, const BlockSetStyle& style, const StationLayout& l) {
    const std::string structure = surfaceTexture(style, Surface::Structure);
    MeshBuffer& mesh = parts.roof;
    for (float z = l.start + 1.5f; z < l.end; z += 8.5f) {
        for (const float side : {-1.0f, 1.0f}) {
            const glm::vec3 foot(side * 4.3f, l.deckTop, z);
            addBeam(mesh, foot, glm::vec3(side * 4.3f, l.eaves + 0.1f, z), 0.12f, 0.12f, glm::vec3(0.0f, 0.0f, 1.0f),
                    structure);
        }
        addBeam(mesh, {-4.5f, l.eaves - 0.05f, z}, {4.5f, l.eaves - 0.05f, z}, 0.1f, 0.12f, glm::vec3(0.0f, 0.0f, 1.0f),
                structure);
    }
    const float zc = (l.start + l.end) * 0.5f;
    const float half = (l.end - l.start) * 0.5f + 0.4f;
    for (const float side : {-1.0f, 1.0f}) {
        addRoofSlope(parts, style, glm::vec3(0.0f, l.ridge, zc), glm::vec3(side * 5.3f, l.eaves, zc), half);
    }
}

// The supports of the station's rail, as those of a piece on legs set 1.
void addTrackSupports(MeshBuffer& mesh, const BlockSetStyle& style, const PathFrames& path) {
    mesh.append(buildSupports(style, path).legs, glm::mat4(1.0f));
}

}  // namespace

StationParts buildStationParts(const BlockSetStyle& style, const PathFrames& path) {
    const StationLayout layout = layoutOf(style, path);
    StationParts parts;
    addDecks(parts.platform, style, layout);
    addStairs(parts.platform, style, layout);
    addRailings(parts.platform, style, layout);
    addTrackSupports(parts.platform, style, path);
    addRoof(parts, style, layout);
    return parts;
}

void addStationSign(MeshBuffer& track, const BlockSetStyle& style, const PathFrames& path) {
    const StationLayout l = layoutOf(style, path);
    const std::string sign = surfaceTexture(style, Surface::Sign);
    const std::string trim = surfaceTexture(style, Surface::CarTrim);
    constexpr float kHalfWidth = 1.8f;
    const float z0 = l.start + 0.3f;
    const float z1 = z0 + 0.12f;
    const float b = l.signBottom;
    const float t = l.signTop;
    // Each face reads the right way round from its own side: a viewer
    // looking along +Z has +X on the left.
    track.setGlowing(true);
    addPanel(track, {kHalfWidth, b, z0 - 0.01f}, {-kHalfWidth, b, z0 - 0.01f}, {-kHalfWidth, t, z0 - 0.01f},
             {kHalfWidth, t, z0 - 0.01f}, sign);
    addPanel(track, {-kHalfWidth, b, z1 + 0.01f}, {kHalfWidth, b, z1 + 0.01f}, {kHalfWidth, t, z1 + 0.01f},
             {-kHalfWidth, t, z1 + 0.01f}, sign);
    track.setGlowing(false);
    block(track, {-kHalfWidth - 0.08f, b - 0.08f, z0}, {kHalfWidth + 0.08f, t + 0.08f, z1}, trim);
    const float roofUnderside = l.ridge - (l.ridge - l.eaves) * 1.5f / 5.3f - 0.08f;
    for (const float x : {-1.5f, 1.5f}) {
        block(track, {x - 0.03f, t, z0 + 0.03f}, {x + 0.03f, roofUnderside, z1 - 0.03f}, trim);
    }
}

void addTunnel(MeshBuffer& track, const BlockSetStyle& style, const PathFrames& path) {
    const std::string wall = surfaceTexture(style, Surface::Wall);
    const std::string frame = surfaceTexture(style, Surface::Structure);
    const float y = path.front().position.y;
    const float z0 = path.front().position.z;
    const float z1 = path.back().position.z;
    const float inner = style.wooden() ? 2.0f : 1.7f;
    const float roof = y + (style.wooden() ? 3.4f : 3.2f);
    for (const float side : {-1.0f, 1.0f}) {
        const float a = side * inner;
        const float b = side * (inner + 0.2f);
        block(track, {std::min(a, b), y - 0.6f, z0 + 0.05f}, {std::max(a, b), roof, z1 - 0.05f}, wall);
        for (const float z : {z0 + 0.25f, z1 - 0.25f}) {
            block(track, {std::min(a, b) - 0.1f, y - 0.7f, z - 0.2f}, {std::max(a, b) + 0.1f, roof + 0.1f, z + 0.2f},
                  frame);
        }
    }
    block(track, {-inner - 0.4f, roof, z0 + 0.05f}, {inner + 0.4f, roof + 0.25f, z1 - 0.05f}, wall);
    block(track, {-inner - 0.5f, roof + 0.1f, z0 + 0.05f}, {inner + 0.5f, roof + 0.35f, z0 + 0.45f}, frame);
    block(track, {-inner - 0.5f, roof + 0.1f, z1 - 0.45f}, {inner + 0.5f, roof + 0.35f, z1 - 0.05f}, frame);
}

}  // namespace assetgen::blocksets
