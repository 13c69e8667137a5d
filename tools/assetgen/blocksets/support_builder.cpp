// Support members. Sizes in metres: posts 0.22 square, battered outwards by
// a tenth of their height; steel columns thicken with height and split into
// an A-frame above 22 m; the suspended set's columns stand 2.6 m beside the
// rail, clear of cars that swing out on a bank.
#include "blocksets/support_builder.h"

#include "blocksets/rail_sweep.h"
#include "blocksets/track_style.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace assetgen::blocksets {
namespace {

constexpr double kBentSpacing = 3.3;
constexpr double kColumnSpacing = 9.0;
constexpr float kMinimumUp = 0.3f;       // supports only where the track is this upright (67.5 degrees)
constexpr float kMemberMargin = 0.6f;    // from the track elsewhere on the path, beyond its half width
constexpr float kRiderClearance = 1.0f;  // from the riders elsewhere on the path
constexpr double kOwnReach = 3.0;        // arc length either side a support may come near
constexpr float kBentHalfWidth = 1.0f;
constexpr float kBatter = 0.1f;
constexpr float kLedgerStep = 4.0f;
constexpr float kAFrameHeight = 22.0f;
constexpr float kSideColumnOffset = 2.6f;
constexpr int kColumnSides = 10;

struct Segment {
    glm::vec3 a;
    glm::vec3 b;
};

struct Bent {
    Segment left;
    Segment right;
    std::vector<float> levels;  // ledger heights
};

struct Station {
    PathFrame frame;
    double s = 0.0;
};

std::vector<Station> stationsAlong(const PathFrames& frames, double spacing) {
    const std::vector<double> lengths = arcLengths(frames);
    const double total = lengths.back();
    const int count = std::max(1, static_cast<int>(std::lround(total / spacing)));
    std::vector<Station> stations;
    size_t j = 0;
    for (int k = 0; k < count; ++k) {
        const double s = total * k / count;
        while (j + 2 < frames.size() && lengths[j + 1] < s) {
            ++j;
        }
        const double span = lengths[j + 1] - lengths[j];
        const double t = span > 0.0 ? std::clamp((s - lengths[j]) / span, 0.0, 1.0) : 0.0;
        stations.push_back({interpolate(frames[j], frames[j + 1], static_cast<float>(t)), s});
    }
    return stations;
}

float distanceToSegment(const glm::vec3& p, const Segment& segment) {
    const glm::vec3 d = segment.b - segment.a;
    const float lengthSquared = glm::dot(d, d);
    const float t = lengthSquared > 0.0f ? std::clamp(glm::dot(p - segment.a, d) / lengthSquared, 0.0f, 1.0f) : 0.0f;
    return glm::length(p - (segment.a + d * t));
}

// A support may not come near another part of its own path: neither the
// track there nor the riders above it (below it on the suspended set).
bool clearOfPath(const BlockSetStyle& style, const PathFrames& frames, double s, const std::vector<Segment>& members) {
    const std::vector<double> lengths = arcLengths(frames);
    const float riderSide = style.suspended() ? -1.0f : 1.0f;
    const float trackClearance = trackHalfWidth(style) + kMemberMargin;
    for (size_t j = 0; j < frames.size(); ++j) {
        if (std::abs(lengths[j] - s) <= kOwnReach) {
            continue;
        }
        const PathFrame& f = frames[j];
        for (const Segment& member : members) {
            if (distanceToSegment(f.position, member) < trackClearance ||
                distanceToSegment(f.point(0.0f, riderSide * 1.1f), member) < kRiderClearance ||
                distanceToSegment(f.point(0.0f, riderSide * 2.0f), member) < kRiderClearance) {
                return false;
            }
        }
    }
    return true;
}

glm::vec3 flat(const glm::vec3& v) {
    return {v.x, 0.0f, v.z};
}

glm::vec3 horizontal(const glm::vec3& v) {
    const glm::vec3 h = flat(v);
    return glm::length(h) > 1e-4f ? glm::normalize(h) : glm::vec3(0.0f);
}

// The point of a post at height y.
glm::vec3 atHeight(const Segment& post, float y) {
    const float span = post.b.y - post.a.y;
    return glm::mix(post.a, post.b, span > 0.0f ? (y - post.a.y) / span : 0.0f);
}

void addFooting(MeshBuffer& mesh, const glm::vec3& base, const glm::vec3& along, const std::string& texture) {
    addBeam(mesh, base - glm::vec3(0.0f, 0.05f, 0.0f), base + glm::vec3(0.0f, 0.25f, 0.0f), 0.35f, 0.35f, along,
            texture);
}

// The frame without its bank: supports stand where the unbanked track would
// put them, so a piece and its banked variants share their feet.
PathFrame unbanked(const PathFrame& f) {
    PathFrame level = f;
    const glm::vec3 side = glm::cross(glm::vec3(0.0f, 1.0f, 0.0f), f.forward);
    if (glm::length(side) < 1e-4f) {
        return level;
    }
    level.right = glm::normalize(side);
    level.up = glm::cross(f.forward, level.right);
    return level;
}

Bent bentLines(const PathFrame& f, const glm::vec3& side, float attach) {
    Bent bent;
    const PathFrame level = unbanked(f);
    const glm::vec3 topLeft = f.point(-kBentHalfWidth, attach - 0.18f);
    const glm::vec3 topRight = f.point(kBentHalfWidth, attach - 0.18f);
    const glm::vec3 footLeft = flat(level.point(-kBentHalfWidth, attach));
    const glm::vec3 footRight = flat(level.point(kBentHalfWidth, attach));
    const float height = level.point(0.0f, attach).y;
    bent.left = {footLeft - side * (kBatter * height), topLeft};
    bent.right = {footRight + side * (kBatter * height), topRight};
    const float top = std::min(topLeft.y, topRight.y);
    for (float y = 1.0f; y < top - 1.0f; y += kLedgerStep) {
        bent.levels.push_back(y);
    }
    return bent;
}

void drawBent(const BlockSetStyle& style, const PathFrame& f, const Bent& bent, const glm::vec3& along, Supports& out) {
    const std::string wood = surfaceTexture(style, Surface::Structure);
    const float attach = supportAttachHeight(style);
    addBeam(out.legs, bent.left.a, bent.left.b, 0.11f, 0.11f, along, wood, false);
    addBeam(out.legs, bent.right.a, bent.right.b, 0.11f, 0.11f, along, wood, false);
    addBeam(out.legs, f.point(-kBentHalfWidth - 0.15f, attach - 0.09f), f.point(kBentHalfWidth + 0.15f, attach - 0.09f),
            0.1f, 0.09f, f.forward, wood);
    std::vector<std::pair<glm::vec3, glm::vec3>> rungs;
    for (const float y : bent.levels) {
        rungs.emplace_back(atHeight(bent.left, y), atHeight(bent.right, y));
        addBeam(out.legs, rungs.back().first, rungs.back().second, 0.06f, 0.1f, along, wood, false);
    }
    // Braces zig-zag up the bent from ledger to ledger.
    rungs.emplace_back(bent.left.b, bent.right.b);
    for (size_t i = 0; i + 1 < rungs.size(); ++i) {
        const bool rising = i % 2 == 0;
        addBeam(out.legs, rising ? rungs[i].first : rungs[i].second, rising ? rungs[i + 1].second : rungs[i + 1].first,
                0.04f, 0.06f, along, wood, false);
    }
    const std::string footing = surfaceTexture(style, Surface::Footing);
    for (const Segment& post : {bent.left, bent.right}) {
        addFooting(out.legs, post.a, along, footing);
        out.feet.push_back(post.a);
    }
}

// Stringers join the posts of neighbouring bents at every other ledger.
void drawStringers(const BlockSetStyle& style, const Bent& a, const Bent& b, Supports& out) {
    const std::string wood = surfaceTexture(style, Surface::Structure);
    const float top = std::min({a.left.b.y, a.right.b.y, b.left.b.y, b.right.b.y}) - 0.5f;
    for (size_t i = 0; i < a.levels.size(); i += 2) {
        const float y = a.levels[i];
        if (y > top) {
            break;
        }
        addBeam(out.legs, atHeight(a.left, y), atHeight(b.left, y), 0.05f, 0.08f, glm::vec3(0.0f, 1.0f, 0.0f), wood,
                false);
        addBeam(out.legs, atHeight(a.right, y), atHeight(b.right, y), 0.05f, 0.08f, glm::vec3(0.0f, 1.0f, 0.0f), wood,
                false);
    }
}

void woodenSupports(const BlockSetStyle& style, const PathFrames& frames, Supports& out) {
    const float attach = supportAttachHeight(style);
    std::optional<Bent> previous;
    for (const Station& station : stationsAlong(frames, kBentSpacing)) {
        const PathFrame& f = station.frame;
        const glm::vec3 side = horizontal(f.right);
        const glm::vec3 along = horizontal(f.forward);
        const Bent bent = bentLines(f, side, attach);
        const bool upright = f.up.y >= kMinimumUp && glm::length(side) > 0.0f && glm::length(along) > 0.0f;
        if (!upright || std::min(bent.left.b.y, bent.right.b.y) < 0.7f ||
            !clearOfPath(style, frames, station.s, {bent.left, bent.right})) {
            previous.reset();
            continue;
        }
        drawBent(style, f, bent, along, out);
        if (previous) {
            drawStringers(style, *previous, bent, out);
        }
        previous = bent;
    }
}

// A column (an A-frame when tall) under the unbanked spine, with a knuckle
// up to the spine where a bank moves it aside.
struct Column {
    std::vector<Segment> legs;
    glm::vec3 top;    // where the legs meet
    glm::vec3 spine;  // the underside of the saddle
};

Column columnLines(const PathFrame& f, const glm::vec3& side, float attach) {
    Column column;
    column.spine = f.point(0.0f, attach - 0.16f);
    const glm::vec3 base = flat(unbanked(f).point(0.0f, attach));
    column.top = glm::vec3(base.x, std::min(column.spine.y, unbanked(f).point(0.0f, attach - 0.16f).y), base.z);
    if (column.top.y <= kAFrameHeight) {
        column.legs.push_back({base, column.top});
        return column;
    }
    const float spread = 0.5f + 0.08f * column.top.y;
    column.legs.push_back({base - side * spread, column.top});
    column.legs.push_back({base + side * spread, column.top});
    return column;
}

void steelColumn(const BlockSetStyle& style, const PathFrame& f, const Column& column, const glm::vec3& along,
                 Supports& out) {
    const std::string paint = surfaceTexture(style, Surface::Structure);
    const std::string footing = surfaceTexture(style, Surface::Footing);
    const float attach = supportAttachHeight(style);
    addBox(out.legs, f, {0.0f, attach - 0.08f, 0.0f}, {0.32f, 0.08f, 0.22f}, paint);
    const float radius = 0.2f + 0.006f * column.top.y;
    if (glm::length(column.spine - column.top) > 0.02f) {
        addTube(out.legs, column.top, column.spine, radius * 0.8f, kColumnSides, paint);
    }
    const float legRadius = column.legs.size() > 1 ? radius * 0.8f : radius;
    for (const Segment& leg : column.legs) {
        addTube(out.legs, leg.a, leg.b, legRadius, kColumnSides, paint);
        addFooting(out.legs, leg.a, along, footing);
        out.feet.push_back(leg.a);
    }
    if (column.legs.size() > 1) {
        for (float y = 12.0f; y < column.top.y - 4.0f; y += 12.0f) {
            addTube(out.legs, atHeight(column.legs[0], y), atHeight(column.legs[1], y), 0.12f, 6, paint);
        }
    }
}

// The suspended set: a column beside the track and an arm over the spine.
struct SideColumn {
    Segment column;
    Segment arm;
    Segment hanger;
};

SideColumn sideColumn(const PathFrame& f, const glm::vec3& side, float attach) {
    const glm::vec3 spineTop = f.point(0.0f, attach);
    const glm::vec3 base = flat(f.position) - side * kSideColumnOffset;
    const float armY = spineTop.y + 0.7f;
    const glm::vec3 armEnd(spineTop.x, armY, spineTop.z);
    return {
        {base, glm::vec3(base.x, armY + 0.2f, base.z)}, {glm::vec3(base.x, armY, base.z), armEnd}, {armEnd, spineTop}};
}

void drawSideColumn(const BlockSetStyle& style, const SideColumn& c, const glm::vec3& along, Supports& out) {
    const std::string paint = surfaceTexture(style, Surface::Structure);
    const float radius = 0.24f + 0.005f * c.column.b.y;
    addTube(out.legs, c.column.a, c.column.b, radius, kColumnSides, paint);
    const glm::vec3 reach = glm::normalize(c.arm.b - c.arm.a) * radius;
    addBeam(out.legs, c.arm.a - reach, c.arm.b + reach * 0.5f, 0.2f, 0.17f, glm::vec3(0.0f, 1.0f, 0.0f), paint);
    addBeam(out.legs, c.hanger.a, c.hanger.b, 0.14f, 0.14f, along, paint);
    addFooting(out.legs, c.column.a, along, surfaceTexture(style, Surface::Footing));
    out.feet.push_back(c.column.a);
}

void columnSupports(const BlockSetStyle& style, const PathFrames& frames, Supports& out) {
    const float attach = supportAttachHeight(style);
    for (const Station& station : stationsAlong(frames, kColumnSpacing)) {
        const PathFrame& f = station.frame;
        const glm::vec3 side = horizontal(f.right);
        const glm::vec3 along = horizontal(f.forward);
        if (f.up.y < kMinimumUp || glm::length(side) == 0.0f || glm::length(along) == 0.0f) {
            continue;
        }
        if (style.suspended()) {
            const SideColumn c = sideColumn(f, side, attach);
            if (f.position.y >= 1.0f && clearOfPath(style, frames, station.s, {c.column, c.arm})) {
                drawSideColumn(style, c, along, out);
            }
            continue;
        }
        const Column column = columnLines(f, side, attach);
        if (column.top.y >= 0.8f && clearOfPath(style, frames, station.s, column.legs)) {
            steelColumn(style, f, column, along, out);
        }
    }
}

}  // namespace

Supports buildSupports(const BlockSetStyle& style, const PathFrames& raisedFrames) {
    Supports supports;
    if (raisedFrames.size() < 2) {
        return supports;
    }
    if (style.wooden()) {
        woodenSupports(style, raisedFrames, supports);
    } else {
        columnSupports(style, raisedFrames, supports);
    }
    return supports;
}

}  // namespace assetgen::blocksets
