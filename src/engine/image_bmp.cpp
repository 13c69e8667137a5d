// Uncompressed Windows bitmaps: 8-bit palettised, 24-bit and 32-bit, bottom-up
// or top-down. Every size is checked against the buffer before it is read.
#include "engine/image.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace zr::engine {
namespace {

uint32_t read32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
void write32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void write16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

constexpr size_t kFileHeader = 14;
constexpr int32_t kMaxSide = 16384;

}  // namespace

bool decodeBmp(const uint8_t* data, size_t size, Image* image) {
    *image = Image();
    if (size < kFileHeader + 40 || data[0] != 'B' || data[1] != 'M') {
        return false;
    }
    const uint32_t pixelOffset = read32(data + 10);
    const uint8_t* info = data + kFileHeader;
    const uint32_t infoSize = read32(info);
    const int32_t width = static_cast<int32_t>(read32(info + 4));
    const int32_t rawHeight = static_cast<int32_t>(read32(info + 8));
    const uint16_t bits = read16(info + 14);
    const uint32_t compression = read32(info + 16);
    uint32_t paletteCount = read32(info + 32);
    const bool topDown = rawHeight < 0;
    const int32_t height = topDown ? -rawHeight : rawHeight;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || infoSize < 40 ||
        (compression != 0 && !(compression == 3 && bits == 32)) || (bits != 8 && bits != 24 && bits != 32)) {
        return false;
    }
    if (bits == 8 && paletteCount == 0) {
        paletteCount = 256;
    }
    const size_t paletteStart = kFileHeader + infoSize;
    if (bits == 8 && (paletteCount > 256 || paletteStart + paletteCount * 4 > size)) {
        return false;
    }
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    if (pixelOffset > size || stride * static_cast<size_t>(height) > size - pixelOffset) {
        return false;  // truncated
    }
    Image decoded;
    decoded.resize(width, height);
    for (int32_t row = 0; row < height; ++row) {
        const uint8_t* src = data + pixelOffset + stride * static_cast<size_t>(row);
        const int32_t y = topDown ? row : height - 1 - row;
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* dst = decoded.pixel(x, y);
            const uint8_t* bgr = nullptr;
            if (bits == 8) {
                const uint8_t index = src[x];
                if (index >= paletteCount) {
                    return false;
                }
                bgr = data + paletteStart + index * 4u;
            } else {
                bgr = src + static_cast<size_t>(x) * (bits / 8);
            }
            dst[0] = bgr[2];
            dst[1] = bgr[1];
            dst[2] = bgr[0];
            dst[3] = 255;
        }
    }
    *image = std::move(decoded);
    return true;
}

bool encodeBmp(const Image& image, std::vector<uint8_t>* bytes) {
    if (image.empty()) {
        return false;
    }
    const size_t stride = ((static_cast<size_t>(image.width) * 24 + 31) / 32) * 4;
    const uint32_t pixelBytes = static_cast<uint32_t>(stride * image.height);
    std::vector<uint8_t>& out = *bytes;
    out.clear();
    out.push_back('B');
    out.push_back('M');
    write32(out, 54 + pixelBytes);
    write32(out, 0);
    write32(out, 54);
    write32(out, 40);
    write32(out, static_cast<uint32_t>(image.width));
    write32(out, static_cast<uint32_t>(image.height));
    write16(out, 1);
    write16(out, 24);
    for (int i = 0; i < 6; ++i) write32(out, 0);
    for (int32_t y = image.height - 1; y >= 0; --y) {
        size_t written = 0;
        for (int32_t x = 0; x < image.width; ++x, written += 3) {
            const uint8_t* p = image.pixel(x, y);
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        for (; written < stride; ++written) out.push_back(0);
    }
    return true;
}

bool readFileBytes(const std::string& path, std::vector<uint8_t>* bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

namespace {

bool writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace

bool readPng(const std::string& path, Image* image) {
    std::vector<uint8_t> bytes;
    return readFileBytes(path, &bytes) && decodePng(bytes.data(), bytes.size(), image);
}

bool writePng(const std::string& path, const Image& image) {
    std::vector<uint8_t> bytes;
    return encodePng(image, &bytes) && writeFileBytes(path, bytes);
}

bool readBmp(const std::string& path, Image* image) {
    std::vector<uint8_t> bytes;
    return readFileBytes(path, &bytes) && decodeBmp(bytes.data(), bytes.size(), image);
}

bool writeBmp(const std::string& path, const Image& image) {
    std::vector<uint8_t> bytes;
    return encodeBmp(image, &bytes) && writeFileBytes(path, bytes);
}

bool applyBrightnessMask(const Image& mask, Image* image) {
    if (mask.width < image->width || mask.height < image->height) {
        return false;
    }
    for (int32_t y = 0; y < image->height; ++y) {
        for (int32_t x = 0; x < image->width; ++x) {
            const uint8_t* m = mask.pixel(x, y);
            image->pixel(x, y)[3] = static_cast<uint8_t>((m[0] + m[1] + m[2]) / 3);
        }
    }
    return true;
}

}  // namespace zr::engine
