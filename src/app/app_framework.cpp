// Framework start-up: the scene engine in its fixed order, then the cursor.
#include "app/app_framework.h"

#include "app/game.h"
#include "platform/key_table.h"

#include <string>

namespace zr {
namespace {

constexpr size_t kEngineArenaBytes = 4194304;
constexpr size_t kMaxToken = 255;

}  // namespace

AppFramework::AppFramework(int32_t w, int32_t h) : width(w), height(h) {}

AppFramework::~AppFramework() { cursor.reset(); }

void AppFramework::cursorPosition(float* x, float* y) const {
    *x = 0.0f;
    *y = 0.0f;
    if (cursor) cursor->position(x, y);
}

void AppFramework::moveCursorBy(float dx, float dy) {
    if (cursor) cursor->moveBy(dx, dy);
}

int32_t AppFramework::parseCommandLine(const char* line) {
    if (!line) return 1;
    std::string text(line);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) {
            const std::string token = text.substr(start, std::min(end - start, kMaxToken));
            commandToken(token.c_str());
        }
        start = end + 1;
    }
    return 1;
}

int32_t AppFramework::registerImageFormats() {
    if (!engine.registerImageReader("bmp", &engine::readBmp)) return 0;
    return engine.registerImageReader("png", &engine::readPng) ? 1 : 0;
}

int32_t AppFramework::chooseDisplayMode() {
    if (!platform->chooseDisplayMode(&displayMode)) return 0;
    width = displayMode.width;
    height = displayMode.height;
    return 1;
}

int32_t AppFramework::create() {
    if (!engine.initialise(kEngineArenaBytes)) return 0;
    if (!readDebugSettings() || !attachPlugins()) return 0;
    if (!engine.open(*platform)) return 0;
    if (!chooseDisplayMode()) {
        engine.close();
        engine.terminate();
        return 0;
    }
    if (!engine.start()) {
        engine.close();
        engine.terminate();
        return 0;
    }
    registerImageFormats();
    const ui::UiContext context(&engine, static_cast<float>(width) * 0.00125f,
                                static_cast<float>(height) * 0.0016666667f, nullptr, nullptr);
    cursor = std::make_unique<SoftCursor>(context, kCursorPicture);
    return 1;
}

int32_t AppFramework::shutdown() {
    cursor.reset();
    engine.stop();
    engine.close();
    engine.terminate();
    return 1;
}

int32_t AppFramework::present(const engine::Camera& camera) {
    engine.present(camera);
    return 1;
}

}  // namespace zr
