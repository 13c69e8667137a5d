// The generic application base and the game's application object. The
// entry point obtains the one GameApp, calls create, parseCommandLine,
// resize and beginGame, then runs the platform's main loop, which calls
// frame and the input operations; shutdown ends it.
#pragma once

#include "app/soft_cursor.h"
#include "engine/engine.h"
#include "platform/platform.h"
#include "platform/sound_library.h"

#include <functional>

#include <cstdint>
#include <memory>

namespace zr {

class AppFramework : public ShellClient {
public:
    AppFramework(int32_t width, int32_t height);
    ~AppFramework() override;
    AppFramework(const AppFramework&) = delete;
    AppFramework& operator=(const AppFramework&) = delete;

    // ShellClient: the base does nothing and reports success.
    int32_t resize(const Rect*) override { return 1; }
    int32_t commandToken(const char*) override { return 1; }
    int32_t leftButtonDown(const MouseEvent*) override { return 1; }
    int32_t leftButtonUp(const MouseEvent*) override { return 1; }
    int32_t rightButtonDown(const MouseEvent*) override { return 1; }
    int32_t rightButtonUp(const MouseEvent*) override { return 1; }
    int32_t mouseMove(const MouseEvent*) override { return 1; }
    int32_t keyDown(const KeyEvent*) override { return 1; }
    int32_t keyUp(const KeyEvent*) override { return 1; }
    int32_t padButtonsDown(const PadEvent*) override { return 1; }
    int32_t padButtonsUp(const PadEvent*) override { return 1; }
    int32_t frame(float) override { return 1; }
    void cursorPosition(float* x, float* y) const override;
    void moveCursorBy(float dx, float dy) override;

    virtual int32_t parseCommandLine(const char* line);
    virtual int32_t readDebugSettings() { return 1; }
    virtual int32_t attachPlugins() { return 1; }
    virtual int32_t registerImageFormats();
    virtual int32_t create();
    virtual int32_t beginGame() { return 1; }
    virtual int32_t shutdown();
    virtual int32_t chooseDisplayMode();
    virtual int32_t padStick(const float*) { return 1; }
    virtual int32_t present(const engine::Camera& camera);

    int32_t width;
    int32_t height;
    std::unique_ptr<SoftCursor> cursor;
    Platform* platform = nullptr;
    engine::Engine engine;
    DisplayMode displayMode;
    // Makes the game's sound library; none (tests) means silence.
    std::function<std::unique_ptr<SoundLibrary>()> soundLibraryFactory;
};

}  // namespace zr
