// GLB reading and writing on tinygltf. Reading checks every accessor
// against its buffer, so a malformed file is refused, never trusted.
#include "engine/model_file.h"

#include "engine/image.h"

#include <tiny_gltf.h>

#include <glm/gtc/type_ptr.hpp>

#include <cstring>
#include <fstream>
#include <map>

namespace zr::engine {
namespace {

// Textures are only names here; their pixels come from dictionaries.
bool keepImageName(tinygltf::Image*, const int, std::string*, std::string*, int, int, const unsigned char*, int,
                   void*) {
    return true;
}

bool fail(FileError* error, const std::string& text) {
    if (error) error->text = text;
    return false;
}

bool loadGlb(const std::vector<uint8_t>& bytes, tinygltf::Model* model, FileError* error) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "glTF", 4) != 0) return fail(error, "not a glTF binary file");
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(&keepImageName, nullptr);
    std::string message;
    std::string warning;
    if (!loader.LoadBinaryFromMemory(model, &message, &warning, bytes.data(), static_cast<unsigned>(bytes.size()))) {
        return fail(error, message.empty() ? "unreadable glTF" : message);
    }
    return true;
}

bool loadGlbFile(const std::string& path, tinygltf::Model* model, FileError* error) {
    std::vector<uint8_t> bytes;
    if (!readFileBytes(path, &bytes)) return fail(error, "cannot open " + path);
    return loadGlb(bytes, model, error);
}

// --- reading accessors safely ---

template <typename T>
bool readAccessor(const tinygltf::Model& model, int index, int components, std::vector<T>* out) {
    if (index < 0 || static_cast<size_t>(index) >= model.accessors.size()) return false;
    const tinygltf::Accessor& accessor = model.accessors[index];
    if (accessor.bufferView < 0 || static_cast<size_t>(accessor.bufferView) >= model.bufferViews.size()) return false;
    const tinygltf::BufferView& view = model.bufferViews[accessor.bufferView];
    if (view.buffer < 0 || static_cast<size_t>(view.buffer) >= model.buffers.size()) return false;
    const std::vector<unsigned char>& data = model.buffers[view.buffer].data;
    const int count = tinygltf::GetNumComponentsInType(static_cast<uint32_t>(accessor.type));
    const int size = tinygltf::GetComponentSizeInBytes(static_cast<uint32_t>(accessor.componentType));
    if (count != components || size != static_cast<int>(sizeof(T))) return false;
    const size_t element = static_cast<size_t>(count) * static_cast<size_t>(size);
    const size_t stride = view.byteStride ? view.byteStride : element;
    const size_t start = view.byteOffset + accessor.byteOffset;
    if (accessor.count > 0 && (start + stride * (accessor.count - 1) + element > data.size() ||
                               start + stride * (accessor.count - 1) + element > view.byteOffset + view.byteLength)) {
        return false;
    }
    out->resize(accessor.count * static_cast<size_t>(components));
    for (size_t i = 0; i < accessor.count; ++i) {
        std::memcpy(&(*out)[i * components], &data[start + i * stride], element);
    }
    return true;
}

bool readIndices(const tinygltf::Model& model, int index, size_t vertexCount, std::vector<uint32_t>* out) {
    if (index < 0 || static_cast<size_t>(index) >= model.accessors.size()) return false;
    const int type = model.accessors[index].componentType;
    bool ok = false;
    if (type == TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT) {
        ok = readAccessor<uint32_t>(model, index, 1, out);
    } else if (type == TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT) {
        std::vector<uint16_t> shorts;
        ok = readAccessor<uint16_t>(model, index, 1, &shorts);
        out->assign(shorts.begin(), shorts.end());
    }
    if (!ok || out->size() % 3 != 0) return false;
    for (uint32_t i : *out) {
        if (i >= vertexCount) return false;
    }
    return true;
}

std::string textureNameOf(const tinygltf::Model& model, const tinygltf::Material& material) {
    const int textureIndex = material.pbrMetallicRoughness.baseColorTexture.index;
    if (textureIndex < 0 || static_cast<size_t>(textureIndex) >= model.textures.size()) return {};
    const int source = model.textures[textureIndex].source;
    if (source < 0 || static_cast<size_t>(source) >= model.images.size()) return {};
    const tinygltf::Image& image = model.images[source];
    if (!image.name.empty()) return image.name;
    std::string uri = image.uri;
    const size_t dot = uri.find_last_of('.');
    return dot == std::string::npos ? uri : uri.substr(0, dot);
}

Colour colourFromFactor(const std::vector<double>& factor) {
    auto channel = [&](size_t i) {
        const double v = i < factor.size() ? factor[i] : 1.0;
        return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
    };
    return Colour{channel(0), channel(1), channel(2), channel(3)};
}

// One glTF mesh becomes one geometry: all primitives share its materials.
bool readGeometry(const tinygltf::Model& model, int meshIndex, Geometry* geometry) {
    if (meshIndex < 0 || static_cast<size_t>(meshIndex) >= model.meshes.size()) return false;
    std::map<int, uint32_t> materialSlots;
    for (const tinygltf::Primitive& primitive : model.meshes[meshIndex].primitives) {
        if (primitive.mode != TINYGLTF_MODE_TRIANGLES && primitive.mode != -1) continue;
        const auto attribute = [&](const char* name) {
            const auto found = primitive.attributes.find(name);
            return found == primitive.attributes.end() ? -1 : found->second;
        };
        std::vector<float> positions;
        if (!readAccessor<float>(model, attribute("POSITION"), 3, &positions)) return false;
        const size_t base = geometry->positions.size();
        const size_t count = positions.size() / 3;
        std::vector<float> normals;
        std::vector<float> uvs;
        std::vector<uint8_t> colours;
        const bool hasNormals = attribute("NORMAL") >= 0 && readAccessor<float>(model, attribute("NORMAL"), 3, &normals);
        const bool hasUvs = attribute("TEXCOORD_0") >= 0 && readAccessor<float>(model, attribute("TEXCOORD_0"), 2, &uvs);
        const bool hasColours =
            attribute("COLOR_0") >= 0 && readAccessor<uint8_t>(model, attribute("COLOR_0"), 4, &colours);
        if ((hasNormals && normals.size() != count * 3) || (hasUvs && uvs.size() != count * 2) ||
            (hasColours && colours.size() != count * 4)) {
            return false;
        }
        for (size_t i = 0; i < count; ++i) {
            geometry->positions.emplace_back(positions[i * 3], positions[i * 3 + 1], positions[i * 3 + 2]);
            if (hasNormals) geometry->normals.emplace_back(normals[i * 3], normals[i * 3 + 1], normals[i * 3 + 2]);
            if (hasUvs) geometry->uvs.emplace_back(uvs[i * 2], uvs[i * 2 + 1]);
            if (hasColours) {
                geometry->prelit.push_back(
                    Colour{colours[i * 4], colours[i * 4 + 1], colours[i * 4 + 2], colours[i * 4 + 3]});
            }
        }
        Mesh mesh;
        if (primitive.indices >= 0) {
            if (!readIndices(model, primitive.indices, count, &mesh.indices)) return false;
        } else {
            for (uint32_t i = 0; i + 2 < count; i += 3) mesh.indices.insert(mesh.indices.end(), {i, i + 1, i + 2});
        }
        for (uint32_t& index : mesh.indices) index += static_cast<uint32_t>(base);
        const int materialIndex = primitive.material;
        if (!materialSlots.count(materialIndex)) {
            Material material;
            if (materialIndex >= 0 && static_cast<size_t>(materialIndex) < model.materials.size()) {
                const tinygltf::Material& source = model.materials[materialIndex];
                material.colour = colourFromFactor(source.pbrMetallicRoughness.baseColorFactor);
                material.textureName = textureNameOf(model, source);
            }
            materialSlots[materialIndex] = static_cast<uint32_t>(geometry->materials.size());
            geometry->materials.push_back(material);
        }
        mesh.material = materialSlots[materialIndex];
        geometry->meshes.push_back(std::move(mesh));
    }
    // Every vertex array is all or nothing across primitives.
    const size_t count = geometry->positions.size();
    if (geometry->normals.size() != count) geometry->normals.clear();
    if (geometry->uvs.size() != count) geometry->uvs.clear();
    if (geometry->prelit.size() != count) geometry->prelit.clear();
    geometry->computeBounds();
    return true;
}

glm::mat4 nodeMatrix(const tinygltf::Node& node) {
    if (node.matrix.size() == 16) {
        glm::mat4 m;
        for (int i = 0; i < 16; ++i) glm::value_ptr(m)[i] = static_cast<float>(node.matrix[i]);
        return m;
    }
    glm::mat4 m(1.0f);
    if (node.rotation.size() == 4) {
        const glm::quat q(static_cast<float>(node.rotation[3]), static_cast<float>(node.rotation[0]),
                          static_cast<float>(node.rotation[1]), static_cast<float>(node.rotation[2]));
        m = glm::mat4_cast(glm::normalize(q));
    }
    if (node.scale.size() == 3) {
        m = m * glm::scale(glm::mat4(1.0f), glm::vec3(node.scale[0], node.scale[1], node.scale[2]));
    }
    if (node.translation.size() == 3) {
        m[3] = glm::vec4(static_cast<float>(node.translation[0]), static_cast<float>(node.translation[1]),
                         static_cast<float>(node.translation[2]), 1.0f);
    }
    return m;
}

void readExtras(const tinygltf::Value& extras, Frame* frame) {
    if (!extras.IsObject()) return;
    for (const std::string& key : extras.Keys()) {
        const tinygltf::Value& value = extras.Get(key);
        if (value.IsInt()) frame->integers[key] = value.Get<int>();
        else if (value.IsNumber()) frame->integers[key] = static_cast<int32_t>(value.GetNumberAsDouble());
    }
}

bool readLight(const tinygltf::Model& model, const tinygltf::Node& node, Light* light) {
    const auto found = node.extensions.find("KHR_lights_punctual");
    if (found == node.extensions.end() || !found->second.Has("light")) return false;
    const int index = found->second.Get("light").GetNumberAsInt();
    if (index < 0 || static_cast<size_t>(index) >= model.lights.size()) return false;
    const tinygltf::Light& source = model.lights[index];
    light->kind = source.type == "directional" ? LightKind::Directional : LightKind::Point;
    if (source.color.size() == 3) {
        light->colour = glm::vec3(source.color[0], source.color[1], source.color[2]) *
                        static_cast<float>(source.intensity > 0 ? source.intensity : 1.0);
    }
    light->radius = static_cast<float>(source.range);
    return true;
}

void buildFrames(const tinygltf::Model& model, int nodeIndex, Frame* parent, Clump* clump,
                 std::vector<bool>* visited, bool* ok) {
    if (nodeIndex < 0 || static_cast<size_t>(nodeIndex) >= model.nodes.size() || (*visited)[nodeIndex]) {
        *ok = false;  // out of range, or a cycle
        return;
    }
    (*visited)[nodeIndex] = true;
    const tinygltf::Node& node = model.nodes[nodeIndex];
    Frame* frame = clump->addFrame(parent);
    frame->name = node.name;
    frame->local = nodeMatrix(node);
    readExtras(node.extras, frame);
    if (node.mesh >= 0) {
        auto geometry = std::make_unique<Geometry>();
        if (!readGeometry(model, node.mesh, geometry.get())) {
            *ok = false;
            return;
        }
        clump->addAtomic(frame, std::move(geometry));
    }
    Light light;
    if (readLight(model, node, &light)) {
        light.frame = frame;
        clump->addLight(light);
    }
    for (int child : node.children) buildFrames(model, child, frame, clump, visited, ok);
}

std::unique_ptr<Clump> clumpFromModel(const tinygltf::Model& model, FileError* error) {
    auto clump = std::make_unique<Clump>();
    Frame* root = clump->addFrame(nullptr);
    std::vector<bool> visited(model.nodes.size(), false);
    bool ok = true;
    const int scene = model.defaultScene >= 0 ? model.defaultScene : 0;
    if (static_cast<size_t>(scene) < model.scenes.size()) {
        for (int node : model.scenes[scene].nodes) buildFrames(model, node, root, clump.get(), &visited, &ok);
    }
    if (!ok) {
        fail(error, "malformed model data");
        return nullptr;
    }
    return clump;
}

// --- writing ---

class GlbWriter {
public:
    GlbWriter() {
        model_.asset.version = "2.0";
        model_.asset.generator = "zephyrail";
        model_.buffers.emplace_back();
        model_.scenes.emplace_back();
        model_.defaultScene = 0;
    }

    int addBufferView(const void* data, size_t bytes, int target) {
        std::vector<unsigned char>& buffer = model_.buffers[0].data;
        while (buffer.size() % 4 != 0) buffer.push_back(0);
        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = buffer.size();
        view.byteLength = bytes;
        view.target = target;
        const auto* begin = static_cast<const unsigned char*>(data);
        buffer.insert(buffer.end(), begin, begin + bytes);
        model_.bufferViews.push_back(view);
        return static_cast<int>(model_.bufferViews.size()) - 1;
    }

    int addAccessor(const void* data, size_t count, int componentType, int type, size_t elementBytes, int target,
                    bool normalized = false, const std::vector<double>& low = {},
                    const std::vector<double>& high = {}) {
        tinygltf::Accessor accessor;
        accessor.bufferView = addBufferView(data, count * elementBytes, target);
        accessor.componentType = componentType;
        accessor.type = type;
        accessor.count = count;
        accessor.normalized = normalized;
        accessor.minValues = low;
        accessor.maxValues = high;
        model_.accessors.push_back(accessor);
        return static_cast<int>(model_.accessors.size()) - 1;
    }

    int addMaterial(const Material& material) {
        tinygltf::Material out;
        out.pbrMetallicRoughness.baseColorFactor = {material.colour.r / 255.0, material.colour.g / 255.0,
                                                    material.colour.b / 255.0, material.colour.a / 255.0};
        out.pbrMetallicRoughness.metallicFactor = 0.0;
        out.doubleSided = true;
        if (material.colour.a < 255) out.alphaMode = "BLEND";
        if (!material.textureName.empty()) {
            tinygltf::Image image;
            image.name = material.textureName;
            image.uri = material.textureName + ".png";
            model_.images.push_back(image);
            tinygltf::Texture texture;
            texture.source = static_cast<int>(model_.images.size()) - 1;
            model_.textures.push_back(texture);
            out.pbrMetallicRoughness.baseColorTexture.index = static_cast<int>(model_.textures.size()) - 1;
        }
        model_.materials.push_back(out);
        return static_cast<int>(model_.materials.size()) - 1;
    }

    int addMesh(const Geometry& geometry) {
        tinygltf::Mesh mesh;
        const size_t count = geometry.positions.size();
        glm::vec3 low = count ? geometry.positions[0] : glm::vec3(0.0f);
        glm::vec3 high = low;
        for (const glm::vec3& p : geometry.positions) {
            low = glm::min(low, p);
            high = glm::max(high, p);
        }
        const int position = addAccessor(geometry.positions.data(), count, TINYGLTF_COMPONENT_TYPE_FLOAT,
                                         TINYGLTF_TYPE_VEC3, 12, TINYGLTF_TARGET_ARRAY_BUFFER, false,
                                         {low.x, low.y, low.z}, {high.x, high.y, high.z});
        const int normal = geometry.normals.size() == count && count
                               ? addAccessor(geometry.normals.data(), count, TINYGLTF_COMPONENT_TYPE_FLOAT,
                                             TINYGLTF_TYPE_VEC3, 12, TINYGLTF_TARGET_ARRAY_BUFFER)
                               : -1;
        const int uv = geometry.uvs.size() == count && count
                           ? addAccessor(geometry.uvs.data(), count, TINYGLTF_COMPONENT_TYPE_FLOAT,
                                         TINYGLTF_TYPE_VEC2, 8, TINYGLTF_TARGET_ARRAY_BUFFER)
                           : -1;
        const int colour = geometry.prelit.size() == count && count
                               ? addAccessor(geometry.prelit.data(), count, TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE,
                                             TINYGLTF_TYPE_VEC4, 4, TINYGLTF_TARGET_ARRAY_BUFFER, true)
                               : -1;
        std::vector<int> materials;
        for (const Material& material : geometry.materials) materials.push_back(addMaterial(material));
        for (const Mesh& part : geometry.meshes) {
            tinygltf::Primitive primitive;
            primitive.mode = TINYGLTF_MODE_TRIANGLES;
            primitive.attributes["POSITION"] = position;
            if (normal >= 0) primitive.attributes["NORMAL"] = normal;
            if (uv >= 0) primitive.attributes["TEXCOORD_0"] = uv;
            if (colour >= 0) primitive.attributes["COLOR_0"] = colour;
            primitive.indices = addAccessor(part.indices.data(), part.indices.size(),
                                            TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT, TINYGLTF_TYPE_SCALAR, 4,
                                            TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
            primitive.material = part.material < materials.size() ? materials[part.material] : -1;
            mesh.primitives.push_back(primitive);
        }
        model_.meshes.push_back(mesh);
        return static_cast<int>(model_.meshes.size()) - 1;
    }

    int addNode(const std::string& name, const glm::mat4& matrix, const std::map<std::string, int32_t>& integers) {
        tinygltf::Node node;
        node.name = name;
        if (matrix != glm::mat4(1.0f)) {
            node.matrix.resize(16);
            for (int i = 0; i < 16; ++i) node.matrix[i] = glm::value_ptr(matrix)[i];
        }
        if (!integers.empty()) {
            tinygltf::Value::Object object;
            for (const auto& [key, value] : integers) object[key] = tinygltf::Value(value);
            node.extras = tinygltf::Value(object);
        }
        model_.nodes.push_back(node);
        return static_cast<int>(model_.nodes.size()) - 1;
    }

    int addLight(const Light& light) {
        tinygltf::Light out;
        out.type = light.kind == LightKind::Directional ? "directional" : "point";
        const float intensity = std::max({light.colour.x, light.colour.y, light.colour.z, 1e-6f});
        out.color = {light.colour.x / intensity, light.colour.y / intensity, light.colour.z / intensity};
        out.intensity = intensity;
        out.range = light.radius;
        model_.lights.push_back(out);
        if (std::find(model_.extensionsUsed.begin(), model_.extensionsUsed.end(), "KHR_lights_punctual") ==
            model_.extensionsUsed.end()) {
            model_.extensionsUsed.push_back("KHR_lights_punctual");
        }
        return static_cast<int>(model_.lights.size()) - 1;
    }

    tinygltf::Model& model() { return model_; }

    bool save(const std::string& path) {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        tinygltf::TinyGLTF writer;
        return file && writer.WriteGltfSceneToStream(&model_, file, false, true) && static_cast<bool>(file);
    }

private:
    tinygltf::Model model_;
};

int writeFrame(GlbWriter& writer, const Clump& clump, const Frame* frame) {
    const int node = writer.addNode(frame->name, frame->local, frame->integers);
    for (const auto& atomic : clump.atomics()) {
        if (atomic->frame == frame && writer.model().nodes[node].mesh < 0) {
            const int mesh = writer.addMesh(*atomic->geometry);
            writer.model().nodes[node].mesh = mesh;
        }
    }
    for (const auto& light : clump.lights()) {
        if (light->frame == frame) {
            tinygltf::Value::Object object;
            object["light"] = tinygltf::Value(writer.addLight(*light));
            writer.model().nodes[node].extensions["KHR_lights_punctual"] = tinygltf::Value(object);
        }
    }
    for (const Frame* child : frame->children) {
        const int childNode = writeFrame(writer, clump, child);
        writer.model().nodes[node].children.push_back(childNode);
    }
    return node;
}

}  // namespace

std::unique_ptr<Clump> readModelMemory(const std::vector<uint8_t>& bytes, FileError* error) {
    tinygltf::Model model;
    if (!loadGlb(bytes, &model, error)) return nullptr;
    return clumpFromModel(model, error);
}

std::unique_ptr<Clump> readModelFile(const std::string& path, FileError* error) {
    tinygltf::Model model;
    if (!loadGlbFile(path, &model, error)) return nullptr;
    return clumpFromModel(model, error);
}

bool writeModelFile(const std::string& path, const Clump& clump) {
    GlbWriter writer;
    const Frame* root = clump.root();
    if (!root) return false;
    // The root frame is the model's own; its children are the scene nodes.
    for (const Frame* child : root->children) {
        writer.model().scenes[0].nodes.push_back(writeFrame(writer, clump, child));
    }
    return writer.save(path);
}

bool readWorldFile(const std::string& path, WorldData* world, FileError* error) {
    tinygltf::Model model;
    if (!loadGlbFile(path, &model, error)) return false;
    const int scene = model.defaultScene >= 0 ? model.defaultScene : 0;
    if (static_cast<size_t>(scene) >= model.scenes.size() || model.scenes[scene].nodes.empty()) {
        return fail(error, "no world in " + path);
    }
    const int rootIndex = model.scenes[scene].nodes[0];
    if (rootIndex < 0 || static_cast<size_t>(rootIndex) >= model.nodes.size()) return fail(error, "no world node");
    const tinygltf::Node& root = model.nodes[rootIndex];
    if (!root.extras.IsObject() || !root.extras.Has("world")) return fail(error, "not a world file: " + path);
    const tinygltf::Value& origin = root.extras.Get("origin");
    if (origin.IsArray() && origin.ArrayLen() == 3) {
        for (int i = 0; i < 3; ++i) world->origin[i] = static_cast<float>(origin.Get(i).GetNumberAsDouble());
    }
    const glm::mat4 rootMatrix = nodeMatrix(root);
    for (int child : root.children) {
        if (child < 0 || static_cast<size_t>(child) >= model.nodes.size()) return fail(error, "bad sector");
        const tinygltf::Node& node = model.nodes[child];
        if (node.mesh < 0) continue;
        auto geometry = std::make_unique<Geometry>();
        if (!readGeometry(model, node.mesh, geometry.get())) return fail(error, "bad sector geometry");
        const glm::mat4 m = rootMatrix * nodeMatrix(node);
        if (m != glm::mat4(1.0f)) {
            const glm::mat3 n = glm::transpose(glm::inverse(glm::mat3(m)));
            for (glm::vec3& p : geometry->positions) p = glm::vec3(m * glm::vec4(p, 1.0f));
            for (glm::vec3& v : geometry->normals) v = glm::normalize(n * v);
            geometry->computeBounds();
        }
        world->sectors.push_back(std::move(geometry));
    }
    return true;
}

bool writeWorldFile(const std::string& path, const WorldData& world) {
    GlbWriter writer;
    const int root = writer.addNode("world", glm::mat4(1.0f), {});
    tinygltf::Value::Object extras;
    extras["world"] = tinygltf::Value(1);
    extras["origin"] = tinygltf::Value(tinygltf::Value::Array{tinygltf::Value(static_cast<double>(world.origin.x)),
                                                              tinygltf::Value(static_cast<double>(world.origin.y)),
                                                              tinygltf::Value(static_cast<double>(world.origin.z))});
    writer.model().nodes[root].extras = tinygltf::Value(extras);
    int index = 0;
    for (const auto& sector : world.sectors) {
        const int node = writer.addNode("sector" + std::to_string(index++), glm::mat4(1.0f), {});
        const int mesh = writer.addMesh(*sector);
        writer.model().nodes[node].mesh = mesh;
        writer.model().nodes[root].children.push_back(node);
    }
    writer.model().scenes[0].nodes.push_back(root);
    return writer.save(path);
}

bool readAnimationFile(const std::string& path, PathAnimation* animation, FileError* error) {
    tinygltf::Model model;
    if (!loadGlbFile(path, &model, error)) return false;
    if (model.animations.empty()) return fail(error, "no animation in " + path);
    const tinygltf::Animation& source = model.animations[0];
    std::vector<float> times;
    std::vector<float> translations;
    std::vector<float> rotations;
    for (const tinygltf::AnimationChannel& channel : source.channels) {
        if (channel.sampler < 0 || static_cast<size_t>(channel.sampler) >= source.samplers.size()) {
            return fail(error, "bad animation sampler");
        }
        const tinygltf::AnimationSampler& sampler = source.samplers[channel.sampler];
        std::vector<float> input;
        if (!readAccessor<float>(model, sampler.input, 1, &input)) return fail(error, "bad key times");
        if (channel.target_path == "translation") {
            if (!readAccessor<float>(model, sampler.output, 3, &translations)) return fail(error, "bad translations");
            times = input;
        } else if (channel.target_path == "rotation") {
            if (!readAccessor<float>(model, sampler.output, 4, &rotations)) return fail(error, "bad rotations");
            if (times.empty()) times = input;
        }
    }
    const size_t count = times.size();
    if (count == 0 || translations.size() != count * 3 || (rotations.size() != count * 4 && !rotations.empty())) {
        return fail(error, "animation keys do not match");
    }
    animation->keys.resize(count);
    for (size_t i = 0; i < count; ++i) {
        KeyFrame& key = animation->keys[i];
        key.time = times[i];
        key.translation = glm::vec3(translations[i * 3], translations[i * 3 + 1], translations[i * 3 + 2]);
        if (!rotations.empty()) {
            key.rotation = glm::quat(rotations[i * 4 + 3], rotations[i * 4], rotations[i * 4 + 1], rotations[i * 4 + 2]);
        }
    }
    return true;
}

bool writeAnimationFile(const std::string& path, const PathAnimation& animation) {
    GlbWriter writer;
    const int node = writer.addNode("path", glm::mat4(1.0f), {});
    writer.model().scenes[0].nodes.push_back(node);
    std::vector<float> times;
    std::vector<float> translations;
    std::vector<float> rotations;
    for (const KeyFrame& key : animation.keys) {
        times.push_back(key.time);
        translations.insert(translations.end(), {key.translation.x, key.translation.y, key.translation.z});
        rotations.insert(rotations.end(), {key.rotation.x, key.rotation.y, key.rotation.z, key.rotation.w});
    }
    if (times.empty()) return false;
    const int input = writer.addAccessor(times.data(), times.size(), TINYGLTF_COMPONENT_TYPE_FLOAT,
                                         TINYGLTF_TYPE_SCALAR, 4, 0, false, {times.front()}, {times.back()});
    const int translationOutput = writer.addAccessor(translations.data(), times.size(), TINYGLTF_COMPONENT_TYPE_FLOAT,
                                                     TINYGLTF_TYPE_VEC3, 12, 0);
    const int rotationOutput = writer.addAccessor(rotations.data(), times.size(), TINYGLTF_COMPONENT_TYPE_FLOAT,
                                                  TINYGLTF_TYPE_VEC4, 16, 0);
    tinygltf::Animation out;
    out.name = "path";
    for (const auto& [output, target] : {std::pair{translationOutput, "translation"}, {rotationOutput, "rotation"}}) {
        tinygltf::AnimationSampler sampler;
        sampler.input = input;
        sampler.output = output;
        sampler.interpolation = "LINEAR";
        out.samplers.push_back(sampler);
        tinygltf::AnimationChannel channel;
        channel.sampler = static_cast<int>(out.samplers.size()) - 1;
        channel.target_node = node;
        channel.target_path = target;
        out.channels.push_back(channel);
    }
    writer.model().animations.push_back(out);
    return writer.save(path);
}

}  // namespace zr::engine
