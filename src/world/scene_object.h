// The base of every model the game places in the world (catalogue pieces,
// track blocks, cars, sky): one model file as a frame hierarchy of named
// parts, with the moves, turns and world membership the game needs, the
// detail levels of its "track" part (from "low1/", "low2/"... beside the
// model) and the shared animation of its "ANIM" textures.
#pragma once

#include "engine/scene.h"
#include "engine/texture_dictionary.h"
#include "world/scene_context.h"

#include <memory>
#include <string>
#include <vector>

namespace zr {

class SceneObjectBase {
public:
    virtual ~SceneObjectBase() = default;
};

class SceneObject : public SceneObjectBase {
public:
    // world: the world to show the model in, or the context's current one.
    SceneObject(SceneContext& context, const std::string& modelPath, engine::TextureDictionary* textures = nullptr,
                engine::World* world = nullptr);
    ~SceneObject() override;
    SceneObject(const SceneObject&) = delete;
    SceneObject& operator=(const SceneObject&) = delete;

    virtual void noOperation() {}
    virtual void translate(const glm::vec3& v, engine::Combine combine);
    virtual void rotate(const glm::vec3& axis, float degrees, engine::Combine combine);
    virtual void addToWorld();
    virtual void removeFromWorld();
    virtual glm::vec3 position() const;

    bool loadModel(const std::string& path, engine::TextureDictionary* textures);
    engine::Atomic* findPart(const std::string& name) const;
    engine::Atomic* findPartContaining(const std::string& text) const;
    // Takes a part out of the model for good (and out of the sorter).
    void removePart(engine::Atomic* atomic);
    // The detail level the selector picks now for a rail part drawn with
    // this object's levels (blocks cloned from a piece share its levels).
    int32_t selectDetailLevel(const engine::Atomic& rail) const;
    static int32_t countDetailLevels(const std::string& modelPath);

    SceneObject* older = nullptr;
    SceneObject* newer = nullptr;
    std::unique_ptr<engine::Clump> model;
    engine::Atomic* lodPart = nullptr;
    std::string name;
    engine::World* world = nullptr;
    int32_t levelCount = 0;
    float values[3] = {0.0f, 0.0f, 0.0f};  // values[1] is the heading in degrees
    // A model that moves every frame (a car): its collision shape follows
    // it at every query, apart from the models placed once.
    bool movesEveryFrame = false;
    float& heading() { return values[1]; }

protected:
    // Joins the rail's "ANIM" textures to the shared animation.
    void hookAnimatedTextures();
    // Registers the model's see-through parts with the sorter and, for a
    // model loaded here, has its parts drawn through it (a clone keeps the
    // drawing of the parts it was cloned from).
    void joinSorter(bool markParts);
    // Tells the world's collision scene that the model has moved.
    void movedInWorld();
    SceneContext& context_;

private:
    void setUpDetailLevels();
    void drawDetailLevel(engine::Atomic& atomic);

    std::vector<std::unique_ptr<engine::Geometry>> levels_;  // levels 1..levelCount
    std::vector<std::pair<engine::Material*, engine::TextureId>> savedTextures_;
};

}  // namespace zr
