// Assembling the coaster's model from the block set's own builders: the
// rail sweep and track style, the station and its display board, and the
// supports, each support built on its own patch of ground.
#include "experience/experience_model.h"

#include "blocksets/piece_model.h"
#include "blocksets/rail_sweep.h"
#include "blocksets/station_builder.h"
#include "blocksets/support_builder.h"
#include "blocksets/track_style.h"
#include "experience/course_frames.h"
#include "experience/support_clearance.h"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>

namespace assetgen::experience {
namespace {

namespace bs = blocksets;

constexpr double kBentSpacing = 3.3;    // wooden bents, as under the pieces
constexpr double kColumnSpacing = 9.0;  // steel columns
constexpr double kStationGap = 1.5;     // metres either side of the platform kept for its own supports
constexpr double kSupportStub = 0.01;   // a support is built on a path this long

double wrap(const Circuit& circuit, double arc) {
    const double total = circuit.course.length();
    return std::fmod(std::fmod(arc, total) + total, total);
}

// The first frame index at or after an arc length.
size_t frameAtOrAfter(const Circuit& circuit, double arc) {
    const auto it = std::lower_bound(circuit.arcs.begin(), circuit.arcs.end(), arc - 1e-6);
    return static_cast<size_t>(
        std::min<std::ptrdiff_t>(it - circuit.arcs.begin(), static_cast<std::ptrdiff_t>(circuit.arcs.size()) - 1));
}

bs::PathFrames slice(const bs::PathFrames& frames, size_t first, size_t last) {
    return bs::PathFrames(frames.begin() + static_cast<std::ptrdiff_t>(first),
                          frames.begin() + static_cast<std::ptrdiff_t>(last) + 1);
}

// The rail in runs that share their end frames: platform, lift, ride,
// return, platform again.
void sweepCircuit(bs::MeshBuffer& rail, const bs::BlockSetStyle& style, const Circuit& circuit) {
    const size_t last = circuit.frames.size() - 1;
    const size_t platformFront = frameAtOrAfter(circuit, circuit.stationEnd);
    const size_t crest = static_cast<size_t>(circuit.plan.chainBegin);
    const size_t brakes = static_cast<size_t>(circuit.plan.chainEnd);
    const double total = circuit.course.length();
    const size_t platformBack =
        std::min(last, std::max(brakes + 1, frameAtOrAfter(circuit, total + circuit.stationBegin)));
    struct Run {
        size_t first, last;
        bs::Detail detail;
        bool chain;
    };
    const Run runs[] = {{0, platformFront, bs::Detail::Station, true},
                        {platformFront, crest, bs::Detail::Full, true},
                        {crest, brakes, bs::Detail::Full, false},
                        {brakes, platformBack, bs::Detail::Full, true},
                        {platformBack, last, bs::Detail::Station, true}};
    for (const Run& run : runs) {
        if (run.last > run.first) {
            bs::sweepRail(rail, bs::railDesign(style, run.detail, run.chain),
                          slice(circuit.frames, run.first, run.last));
        }
    }
}

// The station's straight as the station builder wants it: from z = 0.
bs::PathFrames platformPath(const Circuit& circuit) {
    return bs::transformed(framesBetween(circuit, circuit.stationBegin, circuit.stationEnd), 0.0f,
                           glm::vec3(0.0f, 0.0f, static_cast<float>(-circuit.stationBegin)));
}

glm::mat4 platformPlacement(const Circuit& circuit) {
    return glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, static_cast<float>(circuit.stationBegin)));
}

bool nearPlatform(const Circuit& circuit, double arc) {
    const double total = circuit.course.length();
    const double begin = circuit.stationBegin - kStationGap;
    const double end = circuit.stationEnd + kStationGap;
    return (arc >= begin && arc <= end) || (arc - total >= begin && arc - total <= end);
}

// One support at an arc length, built on flat ground at the lowest point
// under its feet and moved up onto it.
void addSupport(bs::MeshBuffer& supports, const bs::BlockSetStyle& style, const Circuit& circuit,
                const SupportClearance& clearance, double arc, const GroundHeight& ground) {
    const bs::PathFrame frame = frameOf(circuit.course.stateAt(arc));
    const std::optional<float> base = clearance.footHeight(frame, arc, ground);
    if (!base) return;
    const glm::vec3 down(0.0f, -*base, 0.0f);
    const bs::PathFrame ahead = frameOf(circuit.course.stateAt(arc + kSupportStub));
    const bs::PathFrames stub = bs::transformed({frame, ahead}, 0.0f, down);
    supports.append(bs::buildSupports(style, stub).legs, glm::translate(glm::mat4(1.0f), -down));
}

bs::MeshBuffer buildSupportMesh(const bs::BlockSetStyle& style, const Circuit& circuit, const GroundHeight& ground) {
    bs::MeshBuffer supports;
    const SupportClearance clearance(style, circuit);
    const double spacing = style.wooden() ? kBentSpacing : kColumnSpacing;
    const double total = circuit.course.length();
    const int count = static_cast<int>(std::floor(total / spacing));
    for (int k = 0; k < count; ++k) {
        const double arc = total * k / count;
        if (!nearPlatform(circuit, arc)) addSupport(supports, style, circuit, clearance, arc, ground);
    }
    return supports;
}

}  // namespace

bs::PathFrames framesBetween(const Circuit& circuit, double from, double to) {
    bs::PathFrames frames;
    const int steps = std::max(1, static_cast<int>(std::lround(to - from)));
    for (int i = 0; i <= steps; ++i) {
        const double arc = from + (to - from) * i / steps;
        frames.push_back(frameOf(circuit.course.stateAt(wrap(circuit, arc))));
    }
    return frames;
}

std::unique_ptr<engine::Clump> buildExperienceModel(const bs::BlockSetStyle& style, const Circuit& circuit,
                                                    const GroundHeight& ground) {
    bs::MeshBuffer rail;
    sweepCircuit(rail, style, circuit);
    const bs::PathFrames platform = platformPath(circuit);
    bs::MeshBuffer sign;
    bs::addStationSign(sign, style, platform);
    rail.append(sign, platformPlacement(circuit));
    bs::StationParts station = bs::buildStationParts(style, platform);
    bs::MeshBuffer deck, roof, glazing;
    deck.append(station.platform, platformPlacement(circuit));
    roof.append(station.roof, platformPlacement(circuit));
    glazing.append(station.glazing, platformPlacement(circuit));
    auto model = std::make_unique<engine::Clump>();
    model->addFrame(nullptr);
    bs::addPart(*model, "track", glm::mat4(1.0f), rail.geometry());
    bs::addPart(*model, "supports", glm::mat4(1.0f), buildSupportMesh(style, circuit, ground).geometry());
    bs::addPart(*model, "platform", glm::mat4(1.0f), deck.geometry());
    bs::addPart(*model, "roof", glm::mat4(1.0f), roof.geometry());
    bs::addPart(*model, "glazing", glm::mat4(1.0f), glazing.geometry());
    return model;
}

}  // namespace assetgen::experience
