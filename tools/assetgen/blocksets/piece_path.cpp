// Path layouts. Track pieces ease pitch, heading and roll in and out with the
// same symmetric ramp, so a falling piece is the exact mirror of a rising one
// and every end meets its neighbour with matching angles. Features follow
// curves: an eased teardrop loop with a sideways step, a roll round a
// heartline, and smooth hills and dips.
#include "blocksets/piece_path.h"

#include <cmath>
#include <numbers>

namespace assetgen::blocksets {
namespace {

constexpr double kTau = 2.0 * std::numbers::pi;
constexpr double kFrameSpacing = 1.0;
constexpr int kLoopTableSteps = 4096;

PathFrames straightRun(double length, double spacing, double height) {
    PathFrames frames;
    const int segments = static_cast<int>(std::lround(length / spacing));
    for (int i = 0; i <= segments; ++i) {
        PathFrame frame;
        frame.position = glm::vec3(0.0f, static_cast<float>(height), static_cast<float>(i * spacing));
        frames.push_back(frame);
    }
    return frames;
}

PathFrames trackPath(const BlockSetStyle& style, const PieceSpec& spec) {
    AngleCourse course;
    course.length = spec.length;
    course.segments = std::max(6, static_cast<int>(std::lround(spec.length / kFrameSpacing)));
    const double turn = spec.turn;
    const double pitchIn = spec.pitchIn;
    const double pitchOut = spec.pitchOut;
    const double rollIn = static_cast<int>(spec.bankIn) * style.bankDegrees;
    const double rollOut = static_cast<int>(spec.bankOut) * style.bankDegrees;
    course.heading = [turn](double u) { return turn * smoothRamp(u); };
    course.pitch = [pitchIn, pitchOut](double u) { return pitchIn + (pitchOut - pitchIn) * smoothRamp(u); };
    course.roll = [rollIn, rollOut](double u) { return rollIn + (rollOut - rollIn) * smoothRamp(u); };
    return framesFromAngles(course);
}

struct LoopSize {
    double length;    // along the loop
    double sideStep;  // the exit's offset towards +X, so it passes beside the entry
};

// A loop whose pitch turns through 360 degrees on the eased ramp: gentle at
// the bottom, tight over the top. Its in-plane shape is integrated once.
PathFrames loopPath(const LoopSize& size) {
    std::vector<glm::dvec2> table(kLoopTableSteps + 1, glm::dvec2(0.0));  // (z, y) per unit length
    const double h = 1.0 / kLoopTableSteps;
    const auto direction = [](double t) {
        const double a = kTau * smoothRamp(t);
        return glm::dvec2(std::cos(a), std::sin(a));
    };
    for (int i = 1; i <= kLoopTableSteps; ++i) {
        const double t0 = (i - 1) * h;
        table[i] = table[i - 1] + (direction(t0) + 4.0 * direction(t0 + h / 2.0) + direction(t0 + h)) * (h / 6.0);
    }
    const CurveFunction curve = [&table, size, direction](double t) {
        const double x = std::clamp(t, 0.0, 1.0) * kLoopTableSteps;
        const int i = std::min(static_cast<int>(x), kLoopTableSteps - 1);
        const glm::dvec2 zy = glm::mix(table[i], table[i + 1], x - i) * size.length;
        const glm::dvec2 d = direction(t) * size.length;
        CurvePoint point;
        point.position = {size.sideStep * smoothRamp(t), zy.y, zy.x};
        point.tangent = {size.sideStep * smoothRampSlope(t), d.y, d.x};
        // Up faces the loop's centre: the tangent turned over the sideways axis.
        point.up = glm::cross(glm::normalize(point.tangent), glm::dvec3(1.0, 0.0, 0.0));
        return point;
    };
    return framesFromCurve(curve, kFrameSpacing);
}

// One full roll round a heartline `radius` from the rail, `run` metres long.
// Standing sets keep the heartline above the rail (the riders are inside the
// roll), so the rail climbs over it. The suspended set's heartline lies below
// the rail, where its riders hang; it is lifted by twice the radius at mid
// roll (on a bell with level ends), so the rail rolls over without ever
// dropping below its entry height.
PathFrames corkscrewPath(double run, double radius, bool suspended) {
    const double side = suspended ? 1.0 : -1.0;
    const CurveFunction curve = [run, radius, side, suspended](double t) {
        const double a = kTau * smoothRamp(t);
        const double rate = kTau * smoothRampSlope(t);
        const double b = std::sin(std::numbers::pi * t);
        const double lift = suspended ? 2.0 * radius * b * b * b * b : 0.0;
        const double liftRate =
            suspended ? 2.0 * radius * 4.0 * b * b * b * std::cos(std::numbers::pi * t) * std::numbers::pi : 0.0;
        CurvePoint point;
        point.position = {side * radius * std::sin(a), -side * radius * (1.0 - std::cos(a)) + lift, run * t};
        point.tangent = {side * radius * std::cos(a) * rate, -side * radius * std::sin(a) * rate + liftRate, run};
        point.up = {std::sin(a), std::cos(a), 0.0};
        return point;
    };
    return framesFromCurve(curve, kFrameSpacing);
}

// Hills (or dips, for a negative rise) of height rise over run metres: the
// height follows sin^4, so slope and curvature are both zero where a wave
// meets the level track.
PathFrames wavePath(double run, double rise, int waves) {
    const CurveFunction curve = [run, rise, waves](double t) {
        const double a = std::numbers::pi * waves * t;
        const double s = std::sin(a);
        CurvePoint point;
        point.position = {0.0, rise * s * s * s * s, run * t};
        point.tangent = {0.0, rise * 4.0 * s * s * s * std::cos(a) * std::numbers::pi * waves, run};
        point.up = {0.0, 1.0, 0.0};
        return point;
    };
    return framesFromCurve(curve, kFrameSpacing);
}

double camelbackRise(const BlockSetStyle& style) {
    return style.name == "hyper" ? 14.0 : style.wooden() ? 7.5 : 10.0;
}

}  // namespace

PathFrames piecePath(const BlockSetStyle& style, const PieceSpec& spec) {
    switch (spec.kind) {
        case PieceKind::Station: return straightRun(spec.length, kStationSpacing, style.stationHeight());
        case PieceKind::Closing: return straightRun(spec.length, 1.0, style.stationHeight());
        case PieceKind::Track: return trackPath(style, spec);
        case PieceKind::Loop: return loopPath(style.suspended() ? LoopSize{52.0, 3.8} : LoopSize{60.0, 3.8});
        case PieceKind::Corkscrew:
            return style.suspended() ? corkscrewPath(26.0, 2.3, true) : corkscrewPath(30.0, 3.0, false);
        case PieceKind::Camelback: {
            const double rise = camelbackRise(style);
            return wavePath(rise * 6.0, rise, 1);
        }
        case PieceKind::DoubleDip: return wavePath(64.0, -3.0, 2);
        case PieceKind::Tunnel: return straightRun(spec.length, 1.0, 0.0);
    }
    return {};
}

}  // namespace assetgen::blocksets
