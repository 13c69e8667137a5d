// Texture painting. Sizes are powers of two and every pattern repeats within
// the picture, so the textures tile along the rails (v runs along the path,
// one repeat per metre on sweeps, per 2 m on members). Noise is a hash of
// the pixel and a seed: the pictures are the same on every run.
#include "blocksets/block_textures.h"

#include "canvas.h"
#include "scenery.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

namespace assetgen::blocksets {
namespace {

constexpr int kSize = 64;
constexpr int kSignWidth = 128;
constexpr int kSignHeight = 32;
constexpr int kDotPitch = 2;

struct Colour {
    double r, g, b;
};

Colour fromHex(unsigned hex) {
    return {((hex >> 16) & 0xFFu) / 255.0, ((hex >> 8) & 0xFFu) / 255.0, (hex & 0xFFu) / 255.0};
}

Colour scaled(Colour c, double f) {
    return {c.r * f, c.g * f, c.b * f};
}

// 0..1 from a pixel and a seed.
double noise(int x, int y, unsigned seed) {
    unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFu) / 65535.0;
}

void put(engine::Image& image, int x, int y, Colour c) {
    uint8_t* p = image.pixel(x, y);
    p[0] = static_cast<uint8_t>(std::lround(std::clamp(c.r, 0.0, 1.0) * 255.0));
    p[1] = static_cast<uint8_t>(std::lround(std::clamp(c.g, 0.0, 1.0) * 255.0));
    p[2] = static_cast<uint8_t>(std::lround(std::clamp(c.b, 0.0, 1.0) * 255.0));
    p[3] = 255;
}

template <typename Painter>
engine::Image painted(int size, Painter painter) {
    engine::Image image;
    image.resize(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            put(image, x, y, painter(x, y));
        }
    }
    return image;
}

// Grain runs down the picture (along v, the length of a board or post).
engine::Image woodGrain(unsigned hex, unsigned seed, int boardWidth) {
    const Colour base = fromHex(hex);
    return painted(kSize, [&](int x, int y) {
        const double wave = std::sin((x + 3.0 * std::sin(y * 2.0 * std::numbers::pi / kSize)) * 0.9);
        double f =
            0.9 + 0.08 * wave + 0.08 * (noise(x, y / 8, seed) - 0.5) + 0.05 * (noise(x / boardWidth, 0, seed) - 0.5);
        if (x % boardWidth == 0) {
            f *= 0.6;
        }
        return scaled(base, f);
    });
}

engine::Image paint(unsigned hex, unsigned seed, double grit) {
    const Colour base = fromHex(hex);
    return painted(kSize, [&](int x, int y) { return scaled(base, 1.0 - grit * noise(x, y, seed)); });
}

// Painted steel with a panel seam once a repeat.
engine::Image seamedPaint(unsigned hex, unsigned seed) {
    const Colour base = fromHex(hex);
    return painted(kSize, [&](int x, int y) {
        const double seam = (y == 0 || y == kSize / 2) ? 0.75 : 1.0;
        return scaled(base, seam * (0.97 - 0.06 * noise(x, y, seed)));
    });
}

engine::Image concrete(unsigned seed) {
    const Colour base = fromHex(0xA7A39B);
    return painted(kSize, [&](int x, int y) {
        return scaled(base, 0.88 + 0.16 * noise(x, y, seed) + 0.05 * noise(x / 4, y / 4, seed + 1));
    });
}

engine::Image boards(unsigned hex, unsigned seed) {
    const Colour base = fromHex(hex);
    return painted(kSize, [&](int x, int y) {
        const int board = x / 16;
        double f = 0.9 + 0.12 * (noise(board, 0, seed) - 0.5) + 0.06 * (noise(x, y / 6, seed) - 0.5);
        if (x % 16 == 0 || (y + board * 23) % kSize == 0) {
            f *= 0.55;
        }
        return scaled(base, f);
    });
}

engine::Image corrugated(unsigned hex) {
    const Colour base = fromHex(hex);
    return painted(kSize,
                   [&](int x, int) { return scaled(base, 0.85 + 0.15 * std::cos(x * 2.0 * std::numbers::pi / 8.0)); });
}

// Clear glass with faint diagonal streaks, so the panes read as glass; the
// material's tint makes them pale blue-grey and see-through.
engine::Image glassPane() {
    const Colour base = fromHex(0xF2F6FA);
    return painted(kSize, [&](int x, int y) {
        const int streak = (x + y) % 32;
        return scaled(base, streak < 3 ? 1.0 : 0.9 + 0.03 * noise(x, y, 11));
    });
}

engine::Image chainLinks() {
    const Colour steel = fromHex(0x5A5E63);
    const Colour dark = fromHex(0x1E2022);
    return painted(kSize, [&](int x, int y) {
        const int link = y / 8;
        const double cx = kSize / 2.0;
        const double dx = (x - cx) / (link % 2 == 0 ? 20.0 : 8.0);
        const double dy = ((y % 8) - 3.5) / 4.0;
        const double r = dx * dx + dy * dy;
        return r < 1.0 && r > 0.35 ? steel : dark;
    });
}

// Car paint with a light stripe along the body.
engine::Image carPaint(unsigned body, unsigned trim) {
    const Colour a = fromHex(body);
    const Colour b = fromHex(trim);
    return painted(kSize, [&](int x, int y) {
        const bool stripe = (x % 32) >= 22 && (x % 32) < 27;
        return scaled(stripe ? b : a, 0.96 + 0.04 * noise(x, y, 7));
    });
}

// Upholstery in the set's seat colour with a fine diagonal weave.
engine::Image seatFabric(unsigned hex) {
    const Colour base = fromHex(hex);
    return painted(kSize, [&](int x, int y) { return scaled(base, (x + y) % 4 < 2 ? 1.0 : 0.85); });
}

// --- the display board ---

struct SignMessage {
    std::string text;
    int frames;
};

// Text drawn white on black at the display's size; its red channel is the
// coverage a dot samples.
engine::Image messageMask(const FontLibrary& fonts, const std::string& text, double shift) {
    Canvas canvas(kSignWidth, kSignHeight, Opacity::Opaque, fonts);
    cairo_t* cr = canvas.cr();
    cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
    cairo_paint(cr);
    canvas.setFont(FontStyle::SansBold, 15.0);
    const double width = canvas.textWidth(text);
    cairo_new_path(cr);
    canvas.textPath(text, (kSignWidth - width) / 2.0 + shift, kSignHeight / 2.0 + 5.5);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_fill(cr);
    cairo_surface_t* surface = cairo_get_target(cr);
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    engine::Image mask;
    mask.resize(kSignWidth, kSignHeight);
    for (int y = 0; y < kSignHeight; ++y) {
        for (int x = 0; x < kSignWidth; ++x) {
            const uint8_t level = data[y * stride + x * 4 + 2];
            uint8_t* p = mask.pixel(x, y);
            p[0] = p[1] = p[2] = level;
            p[3] = 255;
        }
    }
    return mask;
}

// Lit dots where the text covers them, and every third dot of the border
// chasing round.
engine::Image dotBoard(const engine::Image& mask, Colour ink, int chase) {
    const Colour off = fromHex(0x1A1C20);
    const Colour board = fromHex(0x08090B);
    engine::Image image;
    image.resize(kSignWidth, kSignHeight);
    const int columns = kSignWidth / kDotPitch;
    const int rows = kSignHeight / kDotPitch;
    for (int y = 0; y < kSignHeight; ++y) {
        for (int x = 0; x < kSignWidth; ++x) {
            const int cx = x / kDotPitch;
            const int cy = y / kDotPitch;
            const bool border = cx == 0 || cy == 0 || cx == columns - 1 || cy == rows - 1;
            const int round = cy == 0             ? cx
                              : cx == columns - 1 ? columns + cy
                              : cy == rows - 1    ? 2 * columns + rows - cx
                                                  : 3 * columns + rows - cy;
            const bool lit = border
                                 ? (round + chase) % 3 == 0
                                 : mask.pixel(cx * kDotPitch + kDotPitch / 2, cy * kDotPitch + kDotPitch / 2)[0] > 110;
            const bool gap = (x + 1) % kDotPitch == 0 && (y + 1) % kDotPitch == 0;
            put(image, x, y, lit ? (gap ? scaled(ink, 0.7) : ink) : (gap ? board : off));
        }
    }
    return image;
}

std::string upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace

std::vector<engine::Image> signFrames(const BlockSetStyle& style, const FontLibrary& fonts) {
    const Colour ink = fromHex(style.palette.signInk);
    const std::vector<SignMessage> messages = {{upper(style.name), 4}, {"ALL ABOARD", 4}, {"HOLD ON", 4}};
    std::vector<engine::Image> frames;
    int chase = 0;
    for (const SignMessage& message : messages) {
        const engine::Image mask = messageMask(fonts, message.text, 0.0);
        for (int i = 0; i < message.frames; ++i) {
            frames.push_back(dotBoard(mask, ink, chase++));
        }
    }
    return frames;
}

std::vector<engine::NamedImage> blockSetTextures(const BlockSetStyle& style, const FontLibrary& fonts) {
    const Palette& c = style.palette;
    const auto seed = static_cast<unsigned>(style.index * 17 + 3);
    std::vector<engine::NamedImage> images;
    for (const Surface surface : allSurfaces()) {
        engine::Image image;
        switch (surface) {
            case Surface::Rail: image = paint(c.rail, seed, 0.06); break;
            case Surface::Spine: image = seamedPaint(c.spine, seed); break;
            case Surface::Plank: image = woodGrain(c.spine, seed + 1, 16); break;
            case Surface::Chain: image = chainLinks(); break;
            case Surface::Structure:
                image = style.wooden() ? woodGrain(c.structure, seed + 2, 64) : seamedPaint(c.structure, seed + 2);
                break;
            case Surface::Footing: image = concrete(seed + 3); break;
            case Surface::Deck: image = boards(c.deck, seed + 4); break;
            case Surface::Roof: image = corrugated(c.roof); break;
            case Surface::Glass: image = glassPane(); break;
            case Surface::Wall:
                image = style.wooden() ? boards(c.wall, seed + 5) : paint(c.wall, seed + 5, 0.08);
                break;
            case Surface::CarBody: image = carPaint(c.carBody, c.carTrim); break;
            case Surface::CarTrim: image = paint(c.carTrim, seed + 6, 0.05); break;
            case Surface::CarSeat: image = seatFabric(c.carSeat); break;
            case Surface::Sign: image = signFrames(style, fonts).front(); break;
        }
        images.emplace_back(surfaceTexture(style, surface), std::move(image));
    }
    return images;
}

}  // namespace assetgen::blocksets
