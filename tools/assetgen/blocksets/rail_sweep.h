// Sweeping rail cross-sections along path frames, and the solid members
// (boxes, beams, tubes) that ties, supports and buildings are made of. Every
// block set piece is built with these; so is anything else that needs a rail
// along its own centre line (a whole prebuilt circuit, say).
//
// How to use it:
//   1. Lay out the centre line as PathFrames (path_frame.h): framesFromAngles
//      for pieces given by heading/pitch/roll, framesFromCurve for any curve.
//   2. Describe the rail as a RailDesign: Profiles (closed cross-sections in
//      the frame's right/up plane, counter-clockwise, x along right, y along
//      up, metres; y = 0 is the running surface the path follows) that are
//      swept without a break, and TieSets whose members repeat every spacing
//      metres. railDesign() in track_style.h gives each block set's rail at
//      full and low detail.
//   3. sweepRail(mesh, design, frames) adds it all to a MeshBuffer; turn the
//      buffer into an engine::Geometry with MeshBuffer::geometry() and hang
//      it on a Clump part (addPart in piece_model.h). Supports for the same
//      frames come from buildSupports (support_builder.h).
//
// Guarantees: sweepProfile puts one ring of vertices exactly in the plane of
// every frame it is given (ring k at frames[k].point(x, y)) and nowhere else,
// so two sweeps that share an end frame meet without a seam, and a straight
// rail along +Z whose frames sit at integer z has every vertex at an integer
// z. Ties stay inside the path's ends. Texture v runs along the path (arc
// length / Profile::uvScale), u round the section.
#pragma once

#include "blocksets/mesh_buffer.h"
#include "blocksets/path_frame.h"

#include <glm/glm.hpp>

#include <string>
#include <vector>

namespace assetgen::blocksets {

struct Profile {
    std::vector<glm::vec2> points;  // closed, counter-clockwise
    bool smooth = false;            // tubes: normals shared round the section; else one per edge
    std::string texture;
    float uvScale = 1.0f;  // metres per texture repeat
};

Profile tubeProfile(glm::vec2 centre, float radius, int sides, const std::string& texture);
Profile boxProfile(glm::vec2 centre, glm::vec2 halfSize, const std::string& texture);

// One ring per frame, quads between consecutive rings; open at both ends.
void sweepProfile(MeshBuffer& mesh, const Profile& profile, const PathFrames& frames);

// A member of a tie, given in the frame: a beam from one local point to
// another (x right, y up, z forward), halfWidth along the frame's forward
// axis and halfHeight across it.
struct TieMember {
    glm::vec3 from{0.0f};
    glm::vec3 to{0.0f};
    float halfWidth = 0.05f;
    float halfHeight = 0.05f;
    std::string texture;
    bool capped = true;  // false: ends hidden inside other members
};

// Members repeated along the path every spacing metres, the first half a
// spacing in; none closer to either end than its own half width.
struct TieSet {
    std::vector<TieMember> members;
    float spacing = 1.0f;
};

struct RailDesign {
    std::vector<Profile> profiles;
    std::vector<TieSet> ties;
};

void sweepRail(MeshBuffer& mesh, const RailDesign& design, const PathFrames& frames);

// Frames at every spacing metres of arc length along the path, starting at
// offset, interpolated between the path frames; none closer than margin to
// either end.
PathFrames framesEvery(const PathFrames& frames, double spacing, double offset, double margin = 0.0);

// A box of halfSize about centre, both in the frame (x right, y up, z forward).
void addBox(MeshBuffer& mesh, const PathFrame& frame, const glm::vec3& centre, const glm::vec3& halfSize,
            const std::string& texture);
// A beam of rectangular section from one point to another: halfWidth along
// sideHint (made perpendicular to the beam), halfHeight across both. Its
// ends are closed unless capped is false (for members whose ends are hidden
// inside others).
void addBeam(MeshBuffer& mesh, const glm::vec3& from, const glm::vec3& to, float halfWidth, float halfHeight,
             const glm::vec3& sideHint, const std::string& texture, bool capped = true);
// A round tube (sides facets, smooth) from one point to another, open ends.
void addTube(MeshBuffer& mesh, const glm::vec3& from, const glm::vec3& to, float radius, int sides,
             const std::string& texture);
// A flat quad with its own normal; corners in order round it.
void addPanel(MeshBuffer& mesh, const glm::vec3& a, const glm::vec3& b, const glm::vec3& c, const glm::vec3& d,
              const std::string& texture, glm::vec2 uvSize = {1.0f, 1.0f});

}  // namespace assetgen::blocksets
