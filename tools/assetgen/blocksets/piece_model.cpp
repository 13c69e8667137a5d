// Assembling piece models. A multi-height piece keeps its rail at y = 0; the
// game raises the rail and the path to the kept legs set's frame height, so
// the legs members are stored relative to that frame. The station and the
// closing piece have no legs sets and carry their rail at station height.
#include "blocksets/piece_model.h"

#include "blocksets/piece_path.h"
#include "blocksets/rail_sweep.h"
#include "blocksets/station_builder.h"
#include "blocksets/support_builder.h"
#include "blocksets/track_style.h"

#include <glm/gtc/matrix_transform.hpp>

namespace assetgen::blocksets {
namespace {

constexpr int kLowFrameStep = 2;  // the low-detail rail keeps every second frame

Detail trackDetail(const PieceSpec& spec) {
    switch (spec.kind) {
        case PieceKind::Closing: return Detail::Closing;
        case PieceKind::Station: return Detail::Station;
        default: return Detail::Full;
    }
}

// One small triangle: the game removes the feet when it loads a piece (the
// footings people see belong to the legs), but a part needs geometry.
std::unique_ptr<engine::Geometry> footGeometry(const BlockSetStyle& style) {
    MeshBuffer mesh;
    const uint32_t material = mesh.material(surfaceTexture(style, Surface::Footing));
    const glm::vec3 up(0.0f, 1.0f, 0.0f);
    mesh.triangle(material, mesh.vertex({-0.2f, 0.0f, -0.2f}, up, {0.0f, 0.0f}),
                  mesh.vertex({0.0f, 0.0f, 0.2f}, up, {0.5f, 1.0f}),
                  mesh.vertex({0.2f, 0.0f, -0.2f}, up, {1.0f, 0.0f}));
    return mesh.geometry();
}

PathFrames raised(const PathFrames& path, float height) {
    return transformed(path, 0.0f, glm::vec3(0.0f, height, 0.0f));
}

void addLegsSets(engine::Clump& model, const BlockSetStyle& style, const PathFrames& path) {
    for (size_t k = 0; k < style.legsHeights.size(); ++k) {
        const float height = style.legsHeights[k];
        const Supports supports = buildSupports(style, raised(path, height));
        const std::string digit = std::to_string(k + 1);
        const glm::mat4 atHeight = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, height, 0.0f));
        MeshBuffer local;
        local.append(supports.legs, glm::inverse(atHeight));
        addPart(model, "legs" + digit, atHeight, local.geometry());
        for (const glm::vec3& foot : supports.feet) {
            addPart(model, "foot" + digit, glm::translate(glm::mat4(1.0f), foot), footGeometry(style));
        }
    }
}

PathFrames everyOther(const PathFrames& path) {
    PathFrames out;
    for (size_t i = 0; i < path.size(); i += kLowFrameStep) {
        out.push_back(path[i]);
    }
    if ((path.size() - 1) % kLowFrameStep != 0) {
        out.push_back(path.back());
    }
    return out;
}

std::unique_ptr<engine::Clump> lowModel(const BlockSetStyle& style, const PieceSpec& spec, const PathFrames& path) {
    MeshBuffer rail;
    sweepRail(rail, railDesign(style, Detail::Low, spec.chain), everyOther(path));
    if (spec.kind == PieceKind::Tunnel) {
        addTunnel(rail, style, path);
    }
    auto model = std::make_unique<engine::Clump>();
    model->addFrame(nullptr);
    addPart(*model, "track", glm::mat4(1.0f), rail.geometry());
    return model;
}

}  // namespace

void addPart(engine::Clump& model, const std::string& name, const glm::mat4& local,
             std::unique_ptr<engine::Geometry> geometry) {
    engine::Frame* frame = model.addFrame(model.root());
    frame->name = name;
    frame->local = local;
    model.addAtomic(frame, std::move(geometry));
}

PieceModel buildPieceModel(const BlockSetStyle& style, const PieceSpec& spec) {
    PieceModel piece;
    piece.path = piecePath(style, spec);
    MeshBuffer rail;
    sweepRail(rail, railDesign(style, trackDetail(spec), spec.chain), piece.path);
    if (spec.kind == PieceKind::Station) {
        addStationSign(rail, style, piece.path);
    } else if (spec.kind == PieceKind::Tunnel) {
        addTunnel(rail, style, piece.path);
    }
    piece.model = std::make_unique<engine::Clump>();
    piece.model->addFrame(nullptr);
    addPart(*piece.model, "track", glm::mat4(1.0f), rail.geometry());
    if (spec.kind == PieceKind::Station) {
        StationParts parts = buildStationParts(style, piece.path);
        addPart(*piece.model, "platform", glm::mat4(1.0f), parts.platform.geometry());
        addPart(*piece.model, "roof", glm::mat4(1.0f), parts.roof.geometry());
        addPart(*piece.model, "glazing", glm::mat4(1.0f), parts.glazing.geometry());
    }
    if (spec.legsSets) {
        addLegsSets(*piece.model, style, piece.path);
        piece.low = lowModel(style, spec, piece.path);
    }
    return piece;
}

}  // namespace assetgen::blocksets
