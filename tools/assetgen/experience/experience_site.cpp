// Site planning. The ground is checked along the whole circuit every two
// metres, under the centre line and beside it; where it comes too close a
// level patch is pressed into it, low enough for all the track round it,
// and the check runs again on the new ground.
#include "experience/experience_site.h"

#include "blocksets/track_style.h"
#include "experience/course_frames.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace assetgen::experience {
namespace {

namespace bs = blocksets;
namespace lv = levels;

// Where each level puts frame 0 of its coaster, and which way the circuit
// faces: each lies across the level's open middle, clear of its lakes,
// mesas and shore (the harbour's runs along the shore).
struct SiteSpot {
    glm::vec2 at;  // x, z
    float heading;
};
constexpr std::array<SiteSpot, 5> kSites{{{{40.0f, 130.0f}, 0.0f},
                                          {{46.0f, -17.0f}, 0.0f},
                                          {{-71.0f, -72.0f}, 0.0f},
                                          {{-14.0f, -42.0f}, 90.0f},
                                          {{-26.0f, -20.0f}, 0.0f}}};

constexpr double kCheckSpacing = 2.0;
constexpr double kKeepFreeSpacing = 10.0;
constexpr float kKeepFreeHalf = 3.0f;  // plus the zones' own margin
constexpr float kStationSide = 7.0f;   // platform, stairs and roof beside the rail
constexpr float kStationBlend = 30.0f;
constexpr float kPatchHalf = 4.0f;
constexpr float kPatchBlend = 30.0f;
constexpr float kPatchReach = 34.0f;  // track this near a patch sets its height
constexpr float kPatchApart = 12.0f;
constexpr float kPatchMargin = 0.5f;
constexpr int kPasses = 8;

struct TrackPoint {
    glm::vec3 position;  // world
    glm::vec3 side;      // horizontal, across the track
    float railHeight;    // above the station's ground
};

glm::vec3 turned(const glm::vec3& p, float heading) {
    const float h = glm::radians(heading);
    return {p.x * std::cos(h) + p.z * std::sin(h), p.y, -p.x * std::sin(h) + p.z * std::cos(h)};
}

std::vector<TrackPoint> trackPoints(const Circuit& circuit, const ExperienceSite& site, double spacing) {
    std::vector<TrackPoint> points;
    const double total = circuit.course.length();
    const int count = static_cast<int>(std::ceil(total / spacing));
    for (int k = 0; k < count; ++k) {
        const bs::PathFrame f = frameOf(circuit.course.stateAt(total * k / count));
        const glm::vec3 across = turned(glm::vec3(f.right.x, 0.0f, f.right.z), site.heading);
        const glm::vec3 side = glm::length(across) > 1e-3f ? glm::normalize(across) : glm::vec3(1, 0, 0);
        points.push_back({site.toWorld(f.position), side, f.position.y});
    }
    return points;
}

// Track as low as the station, or not much higher, needs the ground no
// higher than the station's; elsewhere it keeps the set's clearance.
float required(const TrackPoint& p, const bs::BlockSetStyle& style) {
    constexpr float kStationGround = 0.1f;
    return std::min(groundClearance(style), p.railHeight - kStationGround);
}

float highestGround(const lv::HeightGrid& ground, const TrackPoint& p, float halfWidth) {
    float h = ground.heightAt(p.position.x, p.position.z);
    for (const float s : {-halfWidth, halfWidth}) {
        const glm::vec3 q = p.position + p.side * s;
        h = std::max(h, ground.heightAt(q.x, q.z));
    }
    return h;
}

// The platform's rectangle, turned with the site (by a multiple of 90).
lv::FlatZone stationZone(const Circuit& circuit, const ExperienceSite& site) {
    lv::FlatZone zone;
    const float begin = static_cast<float>(circuit.stationBegin) - 2.0f;
    const float end = static_cast<float>(circuit.stationEnd) + 2.0f;
    const glm::vec3 centre = site.toWorld({0.0f, 0.0f, 0.5f * (begin + end)});
    const glm::vec3 half = glm::abs(turned({kStationSide, 0.0f, 0.5f * (end - begin)}, site.heading));
    zone.centre = {centre.x, centre.z};
    zone.halfSize = {half.x, half.z};
    zone.height = site.origin.y;
    zone.blend = kStationBlend;
    return zone;
}

std::vector<lv::FlatZone> keepFreeZones(const Circuit& circuit, const ExperienceSite& site) {
    std::vector<lv::FlatZone> zones;
    for (const TrackPoint& p : trackPoints(circuit, site, kKeepFreeSpacing)) {
        lv::FlatZone zone;
        zone.centre = {p.position.x, p.position.z};
        zone.halfSize = glm::vec2(kKeepFreeHalf);
        zone.flatten = false;
        zones.push_back(zone);
    }
    return zones;
}

// A level patch under p, as low as the track within reach of it needs.
lv::FlatZone patchAt(const lv::LevelStyle& level, const TrackPoint& p, const std::vector<TrackPoint>& track,
                     const bs::BlockSetStyle& style) {
    lv::FlatZone zone;
    zone.centre = {p.position.x, p.position.z};
    zone.halfSize = glm::vec2(kPatchHalf);
    zone.blend = kPatchBlend;
    float height = lv::landscapeHeight(level.ground, zone.centre);
    for (const TrackPoint& q : track) {
        if (glm::length(glm::vec2(q.position.x, q.position.z) - zone.centre) > kPatchReach) continue;
        height = std::min(height, q.position.y - required(q, style) - kPatchMargin);
    }
    zone.height = height;
    return zone;
}

// Patches for this pass; false when the ground was clear everywhere.
bool pressPatches(const lv::LevelStyle& level, const ExperienceSite& site, const std::vector<TrackPoint>& track,
                  const bs::BlockSetStyle& style, std::vector<lv::FlatZone>* patches) {
    const float halfWidth = bs::trackHalfWidth(style) + 0.5f;
    std::vector<glm::vec2> pressed;
    for (const TrackPoint& p : track) {
        if (p.position.y - highestGround(site.ground, p, halfWidth) >= required(p, style)) continue;
        const glm::vec2 at(p.position.x, p.position.z);
        const bool near = std::any_of(pressed.begin(), pressed.end(),
                                      [&](const glm::vec2& q) { return glm::length(q - at) < kPatchApart; });
        if (near) continue;
        patches->push_back(patchAt(level, p, track, style));
        pressed.push_back(at);
    }
    return !pressed.empty();
}

}  // namespace

glm::vec3 ExperienceSite::toWorld(const glm::vec3& p) const {
    return origin + turned(p, heading);
}

float ExperienceSite::groundAt(float x, float z) const {
    const glm::vec3 w = toWorld({x, 0.0f, z});
    return ground.heightAt(w.x, w.z) - origin.y;
}

float groundClearance(const bs::BlockSetStyle& style) {
    if (style.suspended()) return 4.5f;
    return style.wooden() ? 2.0f : 2.5f;
}

std::optional<ExperienceSite> planSite(const lv::LevelStyle& level, const bs::BlockSetStyle& style,
                                       const Circuit& circuit, std::string* error) {
    ExperienceSite site;
    const SiteSpot& spot = kSites[static_cast<size_t>(std::clamp(style.index, 0, 4))];
    const float groundHeight = std::round(lv::landscapeHeight(level.ground, spot.at) * 10.0f) / 10.0f;
    site.origin = {spot.at.x, groundHeight, spot.at.y};
    site.heading = spot.heading;
    // The station's zone goes last, so no patch lowers the platform's ground.
    const std::vector<lv::FlatZone> keepFree = keepFreeZones(circuit, site);
    const lv::FlatZone station = stationZone(circuit, site);
    const std::vector<TrackPoint> track = trackPoints(circuit, site, kCheckSpacing);
    std::vector<lv::FlatZone> patches;
    for (int pass = 0; pass < kPasses; ++pass) {
        site.zones = keepFree;
        site.zones.insert(site.zones.end(), patches.begin(), patches.end());
        site.zones.push_back(station);
        site.ground = lv::HeightGrid(level.ground, site.zones);
        if (!pressPatches(level, site, track, style, &patches)) return site;
    }
    if (error) *error = "the ground under the " + style.name + " coaster stays too high";
    return std::nullopt;
}

float lowestClearance(const ExperienceSite& site, const bs::BlockSetStyle& style, const Circuit& circuit) {
    const float halfWidth = bs::trackHalfWidth(style) + 0.5f;
    float lowest = 1e9f;
    for (const TrackPoint& p : trackPoints(circuit, site, kCheckSpacing)) {
        if (p.railHeight < groundClearance(style) + 0.1f) continue;
        lowest = std::min(lowest, p.position.y - highestGround(site.ground, p, halfWidth));
    }
    return lowest;
}

}  // namespace assetgen::experience
