// Snap, placement, ride path and the closing bend.
#include "track/track_geometry.h"

#include "engine/spline.h"
#include "world/world.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>
#include <map>

namespace zr {
namespace {

constexpr float kGridStep = 22.5f;      // degrees
constexpr int kClosingRings = 10;       // rings at z = 1 .. 10 move; ring 0 stays

glm::mat4 turnAboutUp(float degrees) {
    return glm::rotate(glm::mat4(1.0f), glm::radians(degrees), glm::vec3(0.0f, 1.0f, 0.0f));
}

float wrapOnce(float x) {
    if (x > 180.0f) return x - 360.0f;
    if (x < -180.0f) return x + 360.0f;
    return x;
}

}  // namespace

float snapHeading(float x, float tolerance) {
    x = wrapOnce(x);
    if (x >= 0.0f) {
        for (float k = 180.0f; k >= 0.0f; k -= kGridStep) {
            if (k - tolerance <= x && x <= k + tolerance) x = k;
        }
    } else {
        for (float k = -180.0f; k <= 0.0f; k += kGridStep) {
            if (k - tolerance <= x && x <= k + tolerance) x = k;
        }
    }
    return x;
}

float headingOf(const glm::vec3& direction) {
    // The signed angle from +Z towards +X. (Taking the sign from whether the
    // direction turned back by the unsigned angle lies within 7.5 degrees of
    // +Z reads a direction a few degrees negative as positive.)
    if (direction.x * direction.x + direction.z * direction.z < 1e-12f) return 0.0f;
    return glm::degrees(std::atan2(direction.x, direction.z));
}

void rotatePathFrames(TrackBlock& block, float degrees) {
    const glm::mat4 turn = turnAboutUp(degrees);
    for (PathFrame& frame : block.pathFrames) frame = turn * frame;
}

void placeBlock(TrackBlock& block, const Coaster& coaster) {
    const TrackBlock* last = coaster.lastBlock;
    if (!last || last->pathFrameCount() < 2) {
        const World* world = coaster.world();
        glm::vec3 start(0.0f);
        float heading = 0.0f;
        if (world && world->startCount > 0) {
            start = world->startPositions[static_cast<size_t>(world->startIndex)];
            heading = world->startHeadings[static_cast<size_t>(world->startIndex)];
        }
        block.rotate(glm::vec3(0.0f, 1.0f, 0.0f), heading, engine::Combine::Replace);
        block.blockHeading = heading;
        rotatePathFrames(block, heading);
        block.setBlockPosition(start);
        return;
    }
    const TrackBlock& station = *coaster.firstBlock();
    const auto& frames = last->pathFrames;
    const glm::vec3 d = framePosition(frames.back()) - framePosition(frames[frames.size() - 2]);
    float r = headingOf(d) - station.blockHeading;
    if (r != 0.0f) r = snapHeading(r, kHeadingTolerance);
    const float heading = wrapOnce(r + station.blockHeading);
    block.rotate(glm::vec3(0.0f, 1.0f, 0.0f), heading, engine::Combine::Replace);
    block.blockHeading = heading;
    rotatePathFrames(block, heading);
    block.setBlockPosition(framePosition(frames.back()) + last->blockPosition() - framePosition(block.pathFrames[0]));
}

void buildRidePath(Coaster& coaster) {
    coaster.ridePath.clear();
    coaster.blocks.forEach([&](TrackBlock* block) {
        const glm::mat4 move = glm::translate(glm::mat4(1.0f), block->blockPosition());
        for (int k = 0; k + 1 < block->pathFrameCount(); ++k) coaster.ridePath.push_back(move * block->pathFrames[k]);
    });
}

void bendClosingPiece(Coaster& coaster) {
    TrackBlock* closing = coaster.lastBlock;
    TrackBlock* station = coaster.firstBlock();
    engine::Atomic* rail = closing ? closing->findPart("track") : nullptr;
    if (!closing || !station || closing == station || !rail || closing->pathFrameCount() < kClosingRings + 1) return;
    const glm::vec3 start = station->blockPosition() + framePosition(station->pathFrames.front());
    const glm::vec3 end = closing->blockPosition() + framePosition(closing->pathFrames.back());
    const glm::vec3 begin = closing->blockPosition() + framePosition(closing->pathFrames.front());
    auto recipe = [](const glm::vec3& d) {
        return engine::Spline({glm::vec3(0.0f), glm::vec3(0.2f * d.x, 0.0f, 0.33f * d.z),
                               glm::vec3(0.8f * d.x, 0.0f, 0.66f * d.z), d});
    };
    const engine::Spline displacement = recipe(start - end);
    const engine::Spline direction = recipe(start - begin);

    // Rings of the rail by their z rounded to whole metres.
    std::vector<glm::vec3>& positions = rail->geometry->positions;
    coaster.savedClosingRail = positions;
    coaster.bentBlock = closing;
    std::map<int, std::vector<size_t>> rings;
    for (size_t i = 0; i < positions.size(); ++i) {
        const int z = static_cast<int>(std::lround(positions[i].z));
        if (z >= 1 && z <= kClosingRings) rings[z].push_back(i);
    }
    rotatePathFrames(*closing, -closing->blockHeading);
    for (int k = 1; k <= kClosingRings; ++k) {
        const float t = 0.1f * static_cast<float>(k);
        const float a = headingOf(direction.frame(t).forward);
        const glm::vec3 p = displacement.point(t);
        const glm::mat4 turn = turnAboutUp(a);
        const auto& ring = rings[k];
        if (!ring.empty()) {
            const float zk = positions[ring.front()].z;
            for (size_t index : ring) {
                const glm::vec3 local = positions[index] - glm::vec3(0.0f, 0.0f, zk);
                positions[index] = glm::vec3(turn * glm::vec4(local, 1.0f)) + glm::vec3(0.0f, 0.0f, zk) + p;
            }
        }
        PathFrame& frame = closing->pathFrames[static_cast<size_t>(k)];
        frame[3] += glm::vec4(p, 0.0f);
        const glm::vec4 position = frame[3];
        frame = turn * frame;  // about its own +Y: turn the axes, keep the point
        frame[3] = position;
    }
    rotatePathFrames(*closing, closing->blockHeading);
    rail->geometry->gpuDirty = true;
    rail->geometry->computeBounds();
    // The collision scene copies triangles: show the bent rail to it.
    closing->removeFromWorld();
    closing->addToWorld();
}

void restoreClosingPiece(Coaster& coaster) {
    TrackBlock* bent = coaster.bentBlock;
    engine::Atomic* rail = bent ? bent->findPart("track") : nullptr;
    if (rail && rail->geometry->positions.size() == coaster.savedClosingRail.size()) {
        rail->geometry->positions = coaster.savedClosingRail;
        rail->geometry->gpuDirty = true;
        rail->geometry->computeBounds();
    }
    coaster.bentBlock = nullptr;
    coaster.savedClosingRail.clear();
}

}  // namespace zr
