// Ground and water meshes of a level, and the sector grid they go into.
// The ground grid is meshed in tiles of two by two cells whose texture
// coordinates run 0..1 (textures clamp, so tiles repeat them); each tile
// shares its vertices per ground cover.
#include "levels/level_terrain.h"

#include "levels/level_noise.h"
#include "levels/level_textures.h"
#include "levels/prop_shapes.h"
#include "levels/scenery_context.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

namespace assetgen::levels {
namespace {

constexpr int kCellsPerTile = 2;
constexpr float kCliffSpan = 128.0f;       // metres of height one cliff texture covers
constexpr float kSeaTile = 32.0f;          // open water beyond the ground grid
constexpr float kSeaReach = 768.0f;        // as far as the sky dome's skirt
constexpr float kSeaBehindShore = 250.0f;  // metres inland the open sea still runs beyond the grid

bool onShore(const std::vector<WaterBody>& waters, glm::vec2 p, float height, float rise) {
    for (const WaterBody& water : waters) {
        if (!water.sea && glm::length(p - water.centre) < water.radius * 1.25f && height < water.level + rise)
            return true;
    }
    return false;
}

bool ruleHolds(const SceneryContext& context, const SurfaceRule& rule, glm::vec2 p, float height, float slope) {
    if (rule.shore) return onShore(context.waters, p, height, rule.maxHeight) && slope <= rule.maxSlope;
    if (rule.regional &&
        (p.x < rule.regionLow.x || p.x > rule.regionHigh.x || p.y < rule.regionLow.y || p.y > rule.regionHigh.y)) {
        return false;
    }
    return height >= rule.minHeight && height <= rule.maxHeight && slope >= rule.minSlope && slope <= rule.maxSlope;
}

const SurfaceRule& coverAt(const SceneryContext& context, glm::vec2 p, float height, float slope) {
    const LevelStyle& style = context.style;
    const float wander = fractalNoise(p.x / 45.0f, p.y / 45.0f, style.ground.seed + 41u, 3);
    for (const SurfaceRule& rule : style.surfaces) {
        if (ruleHolds(context, rule, p, height + rule.jitter * wander, slope)) return rule;
    }
    return style.surfaces.back();
}

// Prelit wash of one ground vertex.
glm::vec3 groundTint(const SceneryContext& context, const glm::vec3& p, const glm::vec3& normal) {
    const GroundTint& tint = context.style.tint;
    const float high = smoothStep(tint.lowHeight, tint.highHeight, p.y);
    glm::vec3 colour = glm::mix(tint.low, tint.high, high);
    const float patches =
        fractalNoise(p.x / tint.patchWavelength, p.z / tint.patchWavelength, context.style.ground.seed + 43u, 3);
    colour += tint.patch * std::max(0.0f, patches);
    colour += fieldTint(tint, context.style.ground.seed + 45u, {p.x, p.z});
    const float slope = std::sqrt(std::max(0.0f, 1.0f - normal.y * normal.y)) / std::max(normal.y, 0.05f);
    colour += tint.steep * smoothStep(0.35f, 1.1f, slope);
    for (const LightPool& pool : context.pools) {
        const float d = glm::length(glm::vec2(p.x, p.z) - pool.centre) / pool.radius;
        if (d < 1.0f) colour += pool.colour * (1.0f - d) * (1.0f - d);
    }
    return colour;
}

class GroundMesher {
public:
    explicit GroundMesher(SceneryContext& context)
        : context_(context),
          ground_(context.ground),
          vertices_(static_cast<size_t>(context.sectors.perSide() * context.sectors.perSide())) {
        const int n = ground_.samples();
        tints_.resize(static_cast<size_t>(n) * n);
        for (int j = 0; j < n; ++j) {
            for (int i = 0; i < n; ++i) {
                tints_[static_cast<size_t>(j) * n + i] =
                    prelitColour(groundTint(context_, ground_.point(i, j), ground_.normalAt(i, j)));
            }
        }
    }

    void meshTiles() {
        // Blocks of four by four cells: one coarse tile where all four of
        // its double-size cells are coarse, else four fine tiles.
        const int blocks = (ground_.samples() - 1) / (2 * kCellsPerTile);
        for (int bj = 0; bj < blocks; ++bj) {
            for (int bi = 0; bi < blocks; ++bi) {
                const int ci = 2 * bi, cj = 2 * bj;
                const bool coarse = ground_.coarseCell(ci, cj) && ground_.coarseCell(ci + 1, cj) &&
                                    ground_.coarseCell(ci, cj + 1) && ground_.coarseCell(ci + 1, cj + 1);
                const int i0 = 2 * kCellsPerTile * bi, j0 = 2 * kCellsPerTile * bj;
                if (coarse) {
                    meshTile(i0, j0, 2);
                    continue;
                }
                for (int k = 0; k < 4; ++k) meshTile(i0 + kCellsPerTile * (k & 1), j0 + kCellsPerTile * (k >> 1), 1);
            }
        }
    }

private:
    engine::Colour tintAt(int i, int j) const { return tints_[static_cast<size_t>(j) * ground_.samples() + i]; }

    Vertex vertexAt(int i, int j, glm::vec2 uv) const {
        return Vertex{ground_.point(i, j), ground_.normalAt(i, j), uv, tintAt(i, j)};
    }

    // A tile of kCellsPerTile^2 cells of step grid points each. Texture
    // coordinates run 0..1 across a tile and back across the next (mirrored
    // repeats), so neighbouring tiles share their edge vertices.
    void meshTile(int i0, int j0, int step) {
        const int span = kCellsPerTile * step;
        const glm::vec3 centre = ground_.point(i0 + span / 2, j0 + span / 2);
        const int sector = context_.sectors.indexAt(centre.x, centre.z);
        for (int j = j0; j < j0 + span; j += step) {
            for (int i = i0; i < i0 + span; i += step) {
                // The split matches HeightGrid::heightAt: (i, j)-(i+1, j+1).
                const int s = step;
                const std::array<std::array<int, 6>, 2> triangles{
                    {{i, j, i + s, j + s, i + s, j}, {i, j, i, j + s, i + s, j + s}}};
                for (const auto& t : triangles) meshTriangle(sector, t, span);
            }
        }
    }

    static float mirrored(float t) { return 1.0f - std::abs(std::fmod(t, 2.0f) - 1.0f); }

    // The sector's vertex for grid point (i, j) under a cover key and tile span.
    uint32_t sharedVertex(int sector, uint32_t key, int i, int j, int span, glm::vec2 uv) {
        const uint64_t id = (static_cast<uint64_t>(key) << 40) | (static_cast<uint64_t>(span) << 32) |
                            (static_cast<uint64_t>(j) << 16) | static_cast<uint64_t>(i);
        auto& known = vertices_[static_cast<size_t>(sector)];
        const auto found = known.find(id);
        if (found != known.end()) return found->second;
        const uint32_t index = context_.sectors.lit(sector).addVertex(vertexAt(i, j, uv));
        known.emplace(id, index);
        return index;
    }

    void meshTriangle(int sector, const std::array<int, 6>& t, int span) {
        const glm::vec3 p0 = ground_.point(t[0], t[1]);
        const glm::vec3 p1 = ground_.point(t[2], t[3]);
        const glm::vec3 p2 = ground_.point(t[4], t[5]);
        const glm::vec3 face = glm::normalize(glm::cross(p1 - p0, p2 - p0));
        const float slope = std::sqrt(face.x * face.x + face.z * face.z) / std::max(face.y, 0.01f);
        const glm::vec3 mid = (p0 + p1 + p2) / 3.0f;
        const SurfaceRule& rule = coverAt(context_, {mid.x, mid.z}, mid.y, slope);
        MeshBuilder& b = context_.sectors.lit(sector);
        const uint32_t material = b.material(rule.texture);
        const float tile = static_cast<float>(span);
        // Cliffs: u runs along the face, v climbs with height (one texture
        // for kCliffSpan metres), so rock layers stay level round the cliff.
        const bool alongZ = std::abs(face.x) > std::abs(face.z);
        const float base = context_.style.ground.baseHeight;
        const auto uvOf = [&](int i, int j) {
            if (!rule.cliffMapped) return glm::vec2(mirrored(i / tile), mirrored(j / tile));
            const float height = ground_.at(i, j) - base;
            return glm::vec2(mirrored((alongZ ? j : i) / tile), std::clamp(1.0f - height / kCliffSpan, 0.0f, 1.0f));
        };
        const uint32_t key = rule.cliffMapped ? 2 * material + (alongZ ? 2u : 1u) + (1u << 20) : material;
        uint32_t ids[3];
        for (size_t k = 0; k < 3; ++k) {
            const int i = t[2 * k], j = t[2 * k + 1];
            ids[k] = sharedVertex(sector, key, i, j, span, uvOf(i, j));
        }
        b.addTriangle(material, ids[0], ids[1], ids[2]);
    }

    SceneryContext& context_;
    const HeightGrid& ground_;
    std::vector<engine::Colour> tints_;
    std::vector<std::unordered_map<uint64_t, uint32_t>> vertices_;  // per sector
};

engine::Colour waterColour(const LevelStyle& style, float depth, glm::vec2 p) {
    const float shallow = 1.0f - smoothStep(0.0f, 5.0f, depth);
    // Long swells: lighter bands across the water.
    const float swell = 0.5f + 0.5f * fractalNoise(p.x / 90.0f, p.y / 30.0f, style.ground.seed + 47u, 2);
    const glm::vec3 colour = glm::mix(style.water.deep, style.water.shallow, shallow) + glm::vec3(0.05f) * swell;
    return prelitColour(colour);
}

// Water surfaces in square tiles whose corner vertices are shared (texture
// mirrored tile to tile), kept per sector and per tile size.
class WaterMesher {
public:
    WaterMesher(SceneryContext& context, const WaterBody& water)
        : context_(context),
          water_(water),
          vertices_(static_cast<size_t>(context.sectors.perSide() * context.sectors.perSide())) {}

    // The tile whose lower corner is (i, j) tiles of size from the origin.
    void addTile(int i, int j, float size) {
        const glm::vec2 centre = (glm::vec2(i, j) + 0.5f) * size;
        const int sector = context_.sectors.indexAt(centre.x, centre.y);
        MeshBuilder& b = context_.sectors.lit(sector);
        const uint32_t material = b.material(context_.style.water.texture);
        const uint32_t v00 = corner(sector, i, j, size), v10 = corner(sector, i + 1, j, size);
        const uint32_t v11 = corner(sector, i + 1, j + 1, size), v01 = corner(sector, i, j + 1, size);
        b.addTriangle(material, v00, v01, v11);
        b.addTriangle(material, v00, v11, v10);
    }

private:
    uint32_t corner(int sector, int i, int j, float size) {
        const uint64_t id = (static_cast<uint64_t>(size) << 40) | (static_cast<uint64_t>(j + 4096) << 20) |
                            static_cast<uint64_t>(i + 4096);
        auto& known = vertices_[static_cast<size_t>(sector)];
        const auto found = known.find(id);
        if (found != known.end()) return found->second;
        const glm::vec2 p = glm::vec2(i, j) * size;
        const HeightGrid& ground = context_.ground;
        const bool onGround = std::abs(p.x) <= ground.halfSize() && std::abs(p.y) <= ground.halfSize();
        const float depth = onGround ? water_.level - ground.heightAt(p.x, p.y) : 20.0f;
        const glm::vec2 uv(static_cast<float>((i % 2 + 2) % 2), static_cast<float>((j % 2 + 2) % 2));
        const uint32_t index = context_.sectors.lit(sector).addVertex(
            Vertex{{p.x, water_.level, p.y}, {0, 1, 0}, uv, waterColour(context_.style, depth, p)});
        known.emplace(id, index);
        return index;
    }

    SceneryContext& context_;
    const WaterBody& water_;
    std::vector<std::unordered_map<uint64_t, uint32_t>> vertices_;
};

bool tileWet(const HeightGrid& ground, const WaterBody& water, int i0, int j0) {
    for (int j = j0; j <= j0 + kCellsPerTile; ++j) {
        for (int i = i0; i <= i0 + kCellsPerTile; ++i) {
            if (ground.at(i, j) < water.level) return true;
        }
    }
    return false;
}

void meshWater(SceneryContext& context) {
    const HeightGrid& ground = context.ground;
    const float tile = ground.cellSize() * kCellsPerTile;
    const int tiles = (ground.samples() - 1) / kCellsPerTile;
    const int first = -tiles / 2;  // the grid is centred on the origin
    for (const WaterBody& water : context.waters) {
        WaterMesher mesher(context, water);
        for (int tj = 0; tj < tiles; ++tj) {
            for (int ti = 0; ti < tiles; ++ti) {
                const glm::vec2 centre = (glm::vec2(first + ti, first + tj) + 0.5f) * tile;
                if (!water.sea && glm::length(centre - water.centre) > water.radius + tile) continue;
                if (tileWet(ground, water, ti * kCellsPerTile, tj * kCellsPerTile))
                    mesher.addTile(first + ti, first + tj, tile);
            }
        }
        if (!water.sea) continue;
        // Open sea out to the horizon beyond the ground grid, round past the
        // ends of the coast so no sky shows below the horizon there.
        const Coast& coast = context.style.ground.coast;
        const int reach = static_cast<int>(kSeaReach / kSeaTile);
        for (int j = -reach; j < reach; ++j) {
            for (int i = -reach; i < reach; ++i) {
                const glm::vec2 centre = (glm::vec2(i, j) + 0.5f) * kSeaTile;
                const bool onGround = std::abs(centre.x) < ground.halfSize() && std::abs(centre.y) < ground.halfSize();
                if (onGround || glm::dot(centre, coast.seaward) < coast.shoreline - kSeaBehindShore) continue;
                mesher.addTile(i, j, kSeaTile);
            }
        }
    }
}

}  // namespace

SectorGrid::SectorGrid(float halfSize, int perSide)
    : half_(halfSize),
      perSide_(perSide),
      lit_(static_cast<size_t>(perSide * perSide), MeshBuilder(true)),
      glow_(static_cast<size_t>(perSide * perSide), MeshBuilder(false)) {}

int SectorGrid::indexAt(float x, float z) const {
    const float size = 2.0f * half_ / static_cast<float>(perSide_);
    const int i = std::clamp(static_cast<int>(std::floor((x + half_) / size)), 0, perSide_ - 1);
    const int j = std::clamp(static_cast<int>(std::floor((z + half_) / size)), 0, perSide_ - 1);
    return j * perSide_ + i;
}

PropBuilders SectorGrid::buildersAt(const glm::vec3& p) {
    const int index = indexAt(p.x, p.z);
    return PropBuilders{lit(index), glow(index)};
}

std::vector<std::unique_ptr<engine::Geometry>> SectorGrid::finish() const {
    std::vector<std::unique_ptr<engine::Geometry>> sectors;
    for (const auto* builders : {&lit_, &glow_}) {
        for (const MeshBuilder& b : *builders) {
            for (auto& part : b.finishParts()) sectors.push_back(std::move(part));
        }
    }
    return sectors;
}

bool SceneryContext::isDry(glm::vec2 p, float margin) const {
    const float h = ground.heightAt(p.x, p.y);
    for (const WaterBody& water : waters) {
        const bool near = water.sea || glm::length(p - water.centre) < water.radius * 1.3f;
        if (near && h < water.level + margin) return false;
    }
    return true;
}

bool SceneryContext::isClear(glm::vec2 p, float radius) const {
    const float edge = ground.halfSize() - radius - ground.cellSize();
    if (std::abs(p.x) > edge || std::abs(p.y) > edge) return false;
    for (const FlatZone& zone : zones) {
        if (zoneDistance(zone, p) < radius + kFlatMargin) return false;
    }
    for (const Keepout& keepout : keepouts) {
        const glm::vec2 gap = glm::abs(p - keepout.centre) - keepout.halfSize;
        if (gap.x < radius && gap.y < radius) return false;
    }
    return isDry(p, 0.4f);
}

bool SceneryContext::claim(glm::vec2 centre, glm::vec2 halfSize) {
    const float radius = std::max(halfSize.x, halfSize.y);
    for (const FlatZone& zone : zones) {
        const glm::vec2 gap = glm::abs(centre - zone.centre) - zone.halfSize - halfSize;
        if (gap.x < kFlatMargin && gap.y < kFlatMargin) return false;
    }
    for (const Keepout& keepout : keepouts) {
        const glm::vec2 gap = glm::abs(centre - keepout.centre) - keepout.halfSize - halfSize;
        if (gap.x < 0.0f && gap.y < 0.0f) return false;
    }
    const float edge = ground.halfSize() - radius - ground.cellSize();
    if (std::abs(centre.x) > edge || std::abs(centre.y) > edge) return false;
    keepouts.push_back(Keepout{centre, halfSize});
    return true;
}

std::vector<WaterBody> waterBodies(const LevelStyle& style) {
    std::vector<WaterBody> waters;
    for (const Landform& form : style.ground.landforms) {
        if (form.kind == LandformKind::Basin) {
            waters.push_back(WaterBody{form.centre, form.radius, form.height - 0.8f, false});
        }
    }
    if (style.ground.coast.present) waters.push_back(WaterBody{{0.0f, 0.0f}, 0.0f, style.ground.coast.seaLevel, true});
    return waters;
}

// Lakes that a zone would press below their water are left dry: their water
// could otherwise stand above the levelled ground.
std::vector<WaterBody> watersClearOf(const LevelStyle& style, const std::vector<FlatZone>& zones) {
    std::vector<WaterBody> kept;
    for (const WaterBody& water : waterBodies(style)) {
        // Only a zone below the water could leave it standing over dry ground.
        const bool cut = std::any_of(zones.begin(), zones.end(), [&](const FlatZone& zone) {
            return zone.flatten && !water.sea && zone.height < water.level + 0.5f &&
                   zoneDistance(zone, water.centre) < water.radius * 1.3f + kFlatMargin + zone.blend;
        });
        if (!cut) kept.push_back(water);
    }
    return kept;
}

LevelTerrain buildLevelTerrain(const LevelStyle& style, const std::vector<FlatZone>& zones) {
    LevelTerrain terrain;
    terrain.ground = HeightGrid(style.ground, zones);
    SectorGrid sectors(style.ground.halfSize, style.ground.sectorsPerSide);
    SceneryContext context{style, terrain.ground, zones, sectors, {}, {}, watersClearOf(style, zones)};
    placeLandmarks(context);
    scatterProps(context);
    GroundMesher(context).meshTiles();
    meshWater(context);
    terrain.sectors = sectors.finish();
    return terrain;
}

}  // namespace assetgen::levels
