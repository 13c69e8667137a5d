// One painter per generated picture; each fills a canvas of the size listed
// in pictures.cpp. Full-screen ones assume 800x600 but read the canvas size.
#pragma once

#include "canvas.h"

namespace assetgen {

void paintScenekitLogo(const Canvas& canvas);
void paintLoadingScreen(const Canvas& canvas);
void paintCreditsScreen(const Canvas& canvas);
void paintTitleBackground(const Canvas& canvas);
void paintCursor(const Canvas& canvas);

} // namespace assetgen
