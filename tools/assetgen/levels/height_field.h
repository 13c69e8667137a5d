// The shape of a level's ground: a height function made of fractal noise,
// landforms (hills, peaks, mesas, basins, plateaus), dry channels, a coast
// and a rim of high ground that closes the horizon; then sampled on a
// square grid where the flat zones are pressed exactly level.
//
// Units are metres, +Y up. The grid covers [-halfSize, halfSize] in x and z;
// every cell is split along the same diagonal, and heightAt() interpolates
// those very triangles, so a prop placed at heightAt() touches the drawn
// and collided ground. The outermost ring of sectors (the distant rim) is
// coarse: there every other grid point lies on the triangles of a grid
// twice as wide, so it can be drawn with a quarter of the triangles and
// still meet its finer neighbours without cracks.
#pragma once

#include <glm/glm.hpp>

#include <cstdint>
#include <vector>

namespace assetgen::levels {

enum class LandformKind {
    Hill,     // smooth bump added to the ground
    Peak,     // sharp mountain added to the ground, ridged on its flanks
    Mesa,     // flat top at height with steep, terraced sides (max with ground)
    Basin,    // pond or lake bed: ground levelled to height, bowl carved to depth
    Plateau,  // rectangle pressed to height (quays, fairgrounds); radius = blend
};

struct Landform {
    LandformKind kind = LandformKind::Hill;
    glm::vec2 centre{0.0f};    // x, z
    float radius = 50.0f;      // Plateau: the distance over which it blends out
    float height = 10.0f;      // added (Hill, Peak) or absolute (Mesa, Basin, Plateau)
    float depth = 0.0f;        // Basin: how far the bowl goes below height
    glm::vec2 halfSize{0.0f};  // Plateau only
};

// A dry riverbed: a polyline whose bed lies depth below the ground.
struct Channel {
    std::vector<glm::vec2> path;
    float width = 12.0f;
    float depth = 3.0f;
};

// Land on one side of a line, sea floor on the other.
struct Coast {
    bool present = false;
    glm::vec2 seaward{0.0f, 1.0f};  // unit direction towards open water
    float shoreline = 100.0f;       // distance of the water's edge from the origin along seaward
    float beachWidth = 40.0f;       // over which the ground sinks to the sea floor
    float seaLevel = -2.0f;         // the water's surface
    float seaFloor = -9.0f;         // absolute height of the bed offshore
    float wobble = 25.0f;           // metres of bays and spits along the shore
};

struct GroundShape {
    uint32_t seed = 1;
    float halfSize = 512.0f;
    float cellSize = 8.0f;
    int sectorsPerSide = 8;
    float baseHeight = 0.0f;
    float noiseAmplitude = 10.0f;  // metres either side of baseHeight
    float noiseWavelength = 250.0f;
    int noiseOctaves = 4;
    float ridgeAmplitude = 0.0f;  // ridged noise on the rim and peaks
    float rimHeight = 40.0f;      // high ground towards the edge
    float rimInner = 320.0f;      // radius where it starts to rise
    float rimOuter = 480.0f;      // radius where it is full height
    float terraceStep = 0.0f;     // > 0: steps of this height on mesas and rim
    std::vector<Landform> landforms;
    std::vector<Channel> channels;
    Coast coast;
};

// An area the caller needs level (flatten) or just free of scenery. Axis
// aligned; inside halfSize + kFlatMargin the ground is exactly height, then
// it returns to the landscape over blend metres.
struct FlatZone {
    glm::vec2 centre{0.0f};  // x, z
    glm::vec2 halfSize{75.0f};
    float height = 0.0f;
    float blend = 60.0f;
    bool flatten = true;  // false: only keeps scenery out, ground untouched
};

// Extra level ground around a flat zone, so that no grid cell crossing its
// edge tilts the ground inside it.
constexpr float kFlatMargin = 10.0f;

// The landscape's own height at a point, before any flat zone.
float landscapeHeight(const GroundShape& shape, glm::vec2 p);

// How much a zone holds the ground at p: 1 inside (margin included), 0 once
// blend metres beyond.
float zoneWeight(const FlatZone& zone, glm::vec2 p);
// Distance from p to the zone's rectangle (0 inside).
float zoneDistance(const FlatZone& zone, glm::vec2 p);

class HeightGrid {
public:
    HeightGrid() = default;
    HeightGrid(const GroundShape& shape, const std::vector<FlatZone>& zones);

    int samples() const { return samples_; }  // per side
    float cellSize() const { return cell_; }
    float halfSize() const { return half_; }
    float at(int i, int j) const { return heights_[static_cast<size_t>(j) * samples_ + i]; }
    glm::vec3 point(int i, int j) const;
    // The ground height of the grid's triangles at (x, z), clamped to the grid.
    float heightAt(float x, float z) const;
    // The lowest ground within radius of (x, z): where a prop's base must go.
    float lowestAround(float x, float z, float radius) const;
    // Smooth normal at a grid point, from its neighbours.
    glm::vec3 normalAt(int i, int j) const;
    // 0 for level ground, 1 for 45 degrees, more for cliffs.
    float slopeAt(float x, float z) const;
    // Whether the double-size cell whose lower corner is grid point (2ci, 2cj)
    // is coarse (its inner points interpolate its corners).
    bool coarseCell(int ci, int cj) const;

private:
    void coarsen(const GroundShape& shape, const std::vector<FlatZone>& zones);

    int samples_ = 0;
    float cell_ = 8.0f;
    float half_ = 512.0f;
    std::vector<float> heights_;
    std::vector<bool> coarse_;  // per double-size cell
};

}  // namespace assetgen::levels
