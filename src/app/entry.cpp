// Start-up and shutdown in the game's fixed order.
#include "app/entry.h"

#include "app/game_app.h"
#include "platform/file_system.h"
#include "platform/instance_lock.h"

namespace zr {

bool enterDataFolder(std::string* searched) {
    const std::string here = fs::currentDirectory();
    *searched = here + "/data";
    if (fs::directoryExists("data")) return true;
    const std::string beside = fs::executableDirectory();
    if (!beside.empty()) {
        *searched += ", " + beside + "/data";
        if (fs::directoryExists(beside + "/data")) return fs::changeDirectory(beside);
    }
    return false;
}

int32_t runGame(Platform& platform, const StartOptions& options, const MainLoop& loop, bool* loopRan) {
    if (loopRan) *loopRan = false;
    GameApp* app = GameApp::Instance();
    if (!app) return 0;
    app->platform = &platform;
    app->soundLibraryFactory = options.soundLibraryFactory;

    InstanceLock lock;
    if (!lock.acquire(fs::currentDirectory())) {
        platform.errorBox("3D Game is already running!!");
        GameApp::Destroy();
        return 0;
    }
    if (!platform.openWindow(options.mode)) {
        GameApp::Destroy();
        return 0;
    }
    if (!app->create()) {
        platform.closeWindow();
        GameApp::Destroy();
        return 0;
    }
    app->cursor->linkSystemCursor(&platform);
    platform.showSystemCursor(false);
    app->parseCommandLine(options.commandLine.c_str());
    app->resize(nullptr);
    app->beginGame();
    app->cursor->setPosition(static_cast<float>(app->width) * 0.5f, static_cast<float>(app->height) * 0.5f);

    if (loopRan) *loopRan = true;
    const int32_t code = loop(platform, *app);

    app->shutdown();
    GameApp::Destroy();
    platform.closeWindow();
    return code;
}

}  // namespace zr
