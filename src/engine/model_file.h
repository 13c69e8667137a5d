// The game's 3D files, all glTF 2.0 binary (GLB):
//  - ".dff" model: nodes are frames (name = user-data name, integer extras
//    = integer user data), nodes with meshes are atomics, COLOR_0 is the
//    prelit colour, baseColorFactor the material colour, a material's
//    texture names an image looked up by name; lights use
//    KHR_lights_punctual.
//  - ".bsp" world: the root node's extras carry {"world": 1, "origin":
//    [x, y, z]}; its children are the sectors of static geometry.
//  - ".anm" path animation: one node, one animation with LINEAR translation
//    and rotation samplers: the key frames.
#pragma once

#include "engine/scene.h"

#include <glm/gtc/quaternion.hpp>

#include <memory>
#include <string>
#include <vector>

namespace zr::engine {

// Reading reports why a file was refused.
struct FileError {
    std::string text;
};

std::unique_ptr<Clump> readModelFile(const std::string& path, FileError* error = nullptr);
std::unique_ptr<Clump> readModelMemory(const std::vector<uint8_t>& bytes, FileError* error = nullptr);
bool writeModelFile(const std::string& path, const Clump& clump);

struct WorldData {
    glm::vec3 origin{0.0f};
    std::vector<std::unique_ptr<Geometry>> sectors;  // in world coordinates
};

bool readWorldFile(const std::string& path, WorldData* world, FileError* error = nullptr);
bool writeWorldFile(const std::string& path, const WorldData& world);

struct KeyFrame {
    float time = 0.0f;
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f};
    glm::vec3 translation{0.0f};
};

struct PathAnimation {
    std::vector<KeyFrame> keys;
    size_t count() const { return keys.size(); }
    float duration() const { return keys.empty() ? 0.0f : keys.back().time; }
};

bool readAnimationFile(const std::string& path, PathAnimation* animation, FileError* error = nullptr);
bool writeAnimationFile(const std::string& path, const PathAnimation& animation);

}  // namespace zr::engine
