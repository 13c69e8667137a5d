// The pictures of a block set: one small tileable texture per surface,
// painted from the set's palette (wood grain, painted steel, concrete,
// boards, roofing, glass, chain links, car paint), and the frames of the
// station's animated display board.
#pragma once

#include "blocksets/block_set_style.h"
#include "font_library.h"

#include "engine/image.h"
#include "engine/texture_dictionary.h"

#include <vector>

namespace assetgen::blocksets {

namespace engine = ::zr::engine;

// Every surface's texture, named by surfaceTexture; the Sign texture is the
// display's first frame.
std::vector<engine::NamedImage> blockSetTextures(const BlockSetStyle& style, const FontLibrary& fonts);

// The display's frames, shown in turn every kSignFrameMilliseconds.
std::vector<engine::Image> signFrames(const BlockSetStyle& style, const FontLibrary& fonts);
inline constexpr int kSignFrameMilliseconds = 250;

}  // namespace assetgen::blocksets
