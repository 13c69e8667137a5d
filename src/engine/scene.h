// The scene graph: frames (a hierarchy of transforms with user data),
// geometry with materials, atomics (renderable parts), lights, and clumps
// (models) that own them. Models come from ".dff" files (GLB); see
// model_file.h.
#pragma once

#include "engine/renderer.h"

#include <glm/glm.hpp>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zr::engine {

class Clump;
class World;

// How a frame operation combines with the existing transform: replace it,
// apply before it (in the frame's own space) or after it (in the parent's).
enum class Combine : int32_t { Replace = 0, Precombine = 1, Postcombine = 2 };

class Frame {
public:
    std::string name;                        // user-data name ("track", "seat1", "player"...)
    std::map<std::string, int32_t> integers;  // integer user data ("T"...)
    glm::mat4 local{1.0f};                   // rotation and translation relative to the parent
    Frame* parent = nullptr;
    std::vector<Frame*> children;

    glm::mat4 world() const;  // local combined with every parent
    glm::vec3 position() const { return glm::vec3(local[3]); }
    glm::vec3 worldPosition() const { return glm::vec3(world()[3]); }
    void translate(const glm::vec3& v, Combine combine);
    void rotate(const glm::vec3& axis, float degrees, Combine combine);
    // The rotation of the local matrix as an axis and an angle (degrees).
    void rotationAxisAngle(glm::vec3* axis, float* degrees) const;
    int32_t integer(const std::string& key, int32_t fallback = 0) const;
    void addChild(Frame* child);
};

struct Material {
    Colour colour{255, 255, 255, 255};
    std::string textureName;
    TextureId texture = 0;       // resolved at load; 0 = untextured
    bool textureHasAlpha = false;  // some texel below 255
};

// Triangles of one material.
struct Mesh {
    uint32_t material = 0;
    std::vector<uint32_t> indices;
};

class Geometry {
public:
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> normals;  // empty: unlit
    std::vector<glm::vec2> uvs;      // empty: untextured
    std::vector<Colour> prelit;      // empty: white
    std::vector<Material> materials;
    std::vector<Mesh> meshes;

    // Bounding sphere in the geometry's own space.
    glm::vec3 sphereCentre{0.0f};
    float sphereRadius = 0.0f;
    void computeBounds();
    size_t triangleCount() const;

    // The renderer's copy; remade when positions change.
    MeshId gpuMesh = 0;
    bool gpuDirty = true;
};

class Atomic;
using RenderCallback = std::function<void(Atomic& atomic)>;

class Atomic {
public:
    Frame* frame = nullptr;  // owned by the clump
    std::unique_ptr<Geometry> geometry;
    Clump* clump = nullptr;
    RenderCallback renderCallback;  // empty: the engine's own drawing

    const std::string& name() const;
    // The bounding sphere's centre in world coordinates.
    glm::vec3 worldSphereCentre() const;
    float worldSphereRadius() const;
};

enum class LightKind { Ambient, Directional, Point };

struct Light {
    LightKind kind = LightKind::Directional;
    glm::vec3 colour{1.0f};
    float radius = 0.0f;
    Frame* frame = nullptr;  // owned by the light's holder; none for ambient
};

class Clump {
public:
    Clump();
    ~Clump();
    Clump(const Clump&) = delete;
    Clump& operator=(const Clump&) = delete;

    Frame* root() const { return frames_.empty() ? nullptr : frames_.front().get(); }
    Frame* addFrame(Frame* parent);
    Atomic* addAtomic(Frame* frame, std::unique_ptr<Geometry> geometry);
    Light* addLight(const Light& light);

    std::unique_ptr<Clump> clone() const;
    // The first part whose name equals name; an empty name finds the first
    // part with any name.
    Atomic* findPart(const std::string& name) const;
    Atomic* findPartContaining(const std::string& text) const;
    // Removes (and destroys) the part and its frame when the frame holds no
    // other part and has no children.
    bool removePart(Atomic* atomic);
    std::unique_ptr<Light> takeLight(size_t index);

    const std::vector<std::unique_ptr<Atomic>>& atomics() const { return atomics_; }
    const std::vector<std::unique_ptr<Light>>& lights() const { return lights_; }
    const std::vector<std::unique_ptr<Frame>>& frames() const { return frames_; }

    World* world = nullptr;  // the world it is shown in
    std::vector<std::unique_ptr<Frame>> lightFrames;  // frames of lights taken from frames_

private:
    std::vector<std::unique_ptr<Frame>> frames_;  // frames_[0] is the root
    std::vector<std::unique_ptr<Atomic>> atomics_;
    std::vector<std::unique_ptr<Light>> lights_;
};

}  // namespace zr::engine
