// Texture dictionaries on tinygltf: images carried in buffer views as PNG,
// decoded with our own reader.
#include "engine/texture_dictionary.h"

#include "engine/engine.h"

#include <tiny_gltf.h>

#include <fstream>

namespace zr::engine {
namespace {

bool decodeGltfImage(tinygltf::Image* image, const int, std::string* error, std::string*, int, int,
                     const unsigned char* bytes, int size, void*) {
    Image decoded;
    if (size <= 0 || !(decodePng(bytes, static_cast<size_t>(size), &decoded) ||
                       decodeBmp(bytes, static_cast<size_t>(size), &decoded))) {
        if (error) *error += "unreadable image '" + image->name + "'";
        return false;
    }
    image->width = decoded.width;
    image->height = decoded.height;
    image->component = 4;
    image->bits = 8;
    image->pixel_type = TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE;
    image->image = std::move(decoded.rgba);
    return true;
}

}  // namespace

bool readTextureDictionaryFile(const std::string& path, std::vector<NamedImage>* images) {
    std::vector<uint8_t> bytes;
    if (!readFileBytes(path, &bytes) || bytes.empty()) return false;
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(&decodeGltfImage, nullptr);
    tinygltf::Model model;
    std::string error;
    std::string warning;
    if (!loader.LoadBinaryFromMemory(&model, &error, &warning, bytes.data(), static_cast<unsigned>(bytes.size()))) {
        return false;
    }
    for (tinygltf::Image& source : model.images) {
        if (source.width <= 0 || source.height <= 0 ||
            source.image.size() != static_cast<size_t>(source.width) * source.height * 4) {
            continue;
        }
        Image image;
        image.width = source.width;
        image.height = source.height;
        image.rgba = std::move(source.image);
        images->emplace_back(source.name, std::move(image));
    }
    return true;
}

bool writeTextureDictionaryFile(const std::string& path, const std::vector<NamedImage>& images) {
    tinygltf::Model model;
    model.asset.version = "2.0";
    model.asset.generator = "zephyrail";
    model.buffers.emplace_back();
    std::vector<unsigned char>& data = model.buffers[0].data;
    for (const auto& [name, image] : images) {
        std::vector<uint8_t> png;
        if (!encodePng(image, &png)) return false;
        while (data.size() % 4 != 0) data.push_back(0);
        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = data.size();
        view.byteLength = png.size();
        data.insert(data.end(), png.begin(), png.end());
        model.bufferViews.push_back(view);
        tinygltf::Image entry;
        entry.name = name;
        entry.mimeType = "image/png";
        entry.bufferView = static_cast<int>(model.bufferViews.size()) - 1;
        model.images.push_back(entry);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    tinygltf::TinyGLTF writer;
    return file && writer.WriteGltfSceneToStream(&model, file, false, true);
}

TextureDictionary::~TextureDictionary() {
    if (!engine_.started()) return;
    for (const auto& [name, texture] : textures_) engine_.renderer().destroyTexture(texture);
}

bool TextureDictionary::read(const std::string& path) {
    std::vector<NamedImage> images;
    if (!readTextureDictionaryFile(path, &images)) return false;
    for (const auto& [name, image] : images) add(name, image);
    return true;
}

void TextureDictionary::add(const std::string& name, const Image& image) {
    Renderer& renderer = engine_.renderer();
    const auto existing = textures_.find(name);
    if (existing != textures_.end()) renderer.destroyTexture(existing->second);
    textures_[name] = renderer.createTexture(image.width, image.height, image.rgba.data(), TextureFormat::Rgba8888);
    renderer.makeRepeating(textures_[name]);  // dictionaries hold the textures of 3D models
    bool alpha = false;
    for (size_t i = 3; i < image.rgba.size(); i += 4) alpha |= image.rgba[i] != 255;
    alpha_[name] = alpha;
}

bool TextureDictionary::hasAlpha(const std::string& name) const {
    const auto found = alpha_.find(name);
    return found != alpha_.end() && found->second;
}

TextureId TextureDictionary::find(const std::string& name) const {
    const auto found = textures_.find(name);
    return found == textures_.end() ? 0 : found->second;
}

}  // namespace zr::engine
