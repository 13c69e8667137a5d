// Pictures in memory: 32-bit RGBA, rows top first. Readers for PNG (libpng)
// and uncompressed BMP; every reader rejects truncated or malformed files
// by returning false and leaves the image empty.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zr::engine {

struct Image {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgba;  // width * height * 4 bytes

    bool empty() const { return width == 0 || height == 0; }
    uint8_t* pixel(int32_t x, int32_t y) { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
    const uint8_t* pixel(int32_t x, int32_t y) const {
        return &rgba[(static_cast<size_t>(y) * width + x) * 4];
    }
    void resize(int32_t w, int32_t h);
};

bool readFileBytes(const std::string& path, std::vector<uint8_t>* bytes);

bool decodePng(const uint8_t* data, size_t size, Image* image);
bool encodePng(const Image& image, std::vector<uint8_t>* bytes);
bool decodeBmp(const uint8_t* data, size_t size, Image* image);
bool encodeBmp(const Image& image, std::vector<uint8_t>* bytes);  // 24-bit

bool readPng(const std::string& path, Image* image);
bool writePng(const std::string& path, const Image& image);
bool readBmp(const std::string& path, Image* image);
bool writeBmp(const std::string& path, const Image& image);

// The mask's brightness becomes the picture's alpha; the mask must be at
// least as large as the picture. Returns false otherwise.
bool applyBrightnessMask(const Image& mask, Image* image);

}  // namespace zr::engine
