// PNG decoding and encoding through libpng's simplified API, from and to
// memory, so texture dictionaries can hold PNG bytes too.
#include "engine/image.h"

#include <png.h>

#include <cstring>

namespace zr::engine {

void Image::resize(int32_t w, int32_t h) {
    width = w;
    height = h;
    rgba.assign(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, 0);
}

namespace {

uint32_t bigEndian32(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// libpng accepts a file whose last chunks are cut off once it has the
// pixels; a truncated file is a broken file, so walk the chunks first and
// insist on a complete IEND.
bool chunksComplete(const uint8_t* data, size_t size) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (size < 8 || std::memcmp(data, kSignature, 8) != 0) return false;
    size_t offset = 8;
    while (size - offset >= 12) {
        const uint32_t length = bigEndian32(data + offset);
        if (length > size - offset - 12) return false;
        const bool end = std::memcmp(data + offset + 4, "IEND", 4) == 0;
        offset += 12 + static_cast<size_t>(length);
        if (end) return true;
    }
    return false;
}

}  // namespace

bool decodePng(const uint8_t* data, size_t size, Image* image) {
    *image = Image();
    if (!data || !chunksComplete(data, size)) {
        return false;
    }
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, data, size)) {
        return false;
    }
    png.format = PNG_FORMAT_RGBA;
    Image decoded;
    decoded.resize(static_cast<int32_t>(png.width), static_cast<int32_t>(png.height));
    if (decoded.empty() || !png_image_finish_read(&png, nullptr, decoded.rgba.data(), 0, nullptr)) {
        png_image_free(&png);
        return false;
    }
    *image = std::move(decoded);
    return true;
}

bool encodePng(const Image& image, std::vector<uint8_t>* bytes) {
    if (image.empty()) {
        return false;
    }
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, image.rgba.data(), 0, nullptr)) {
        return false;
    }
    bytes->resize(size);
    return png_image_write_to_memory(&png, bytes->data(), &size, 0, image.rgba.data(), 0, nullptr) != 0;
}

}  // namespace zr::engine
