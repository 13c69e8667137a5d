// Texture dictionaries: named textures that materials find by name. On disk
// a ".txd" is a glTF binary (GLB) that holds only named PNG images.
#pragma once

#include "engine/image.h"
#include "engine/renderer.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zr::engine {

class Engine;

class TextureDictionary {
public:
    explicit TextureDictionary(Engine& engine) : engine_(engine) {}
    ~TextureDictionary();
    TextureDictionary(const TextureDictionary&) = delete;
    TextureDictionary& operator=(const TextureDictionary&) = delete;

    // Adds every image of the file; false when the file is missing or
    // malformed (the dictionary then keeps what it had).
    bool read(const std::string& path);
    // Adds or replaces a texture.
    void add(const std::string& name, const Image& image);
    TextureId find(const std::string& name) const;
    bool hasAlpha(const std::string& name) const;
    size_t size() const { return textures_.size(); }

private:
    Engine& engine_;
    std::map<std::string, TextureId> textures_;
    std::map<std::string, bool> alpha_;
};

using NamedImage = std::pair<std::string, Image>;

bool readTextureDictionaryFile(const std::string& path, std::vector<NamedImage>* images);
bool writeTextureDictionaryFile(const std::string& path, const std::vector<NamedImage>& images);

}  // namespace zr::engine
