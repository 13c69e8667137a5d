// The script commands.
#include "app/script_runner.h"

#include "app/game_app.h"
#include "app/title_screen.h"
#include "engine/image.h"
#include "platform/key_table.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <istream>
#include <ostream>
#include <sstream>

namespace zr {
namespace {

struct NamedKey {
    const char* name;
    int32_t scanCode;
};

constexpr NamedKey kNamedKeys[] = {
    {"escape", 1},      {"space", 57},           {"backspace", 14},     {"delete", kExtendedKey + 83},
    {"enter", 28},      {"return", 28},          {"tab", 15},           {"comma", 51},
    {"period", 52},     {"minus", 12},           {"equals", 13},        {"slash", 53},
    {"up", kExtendedKey + 72}, {"down", kExtendedKey + 80}, {"left", kExtendedKey + 75},
    {"right", kExtendedKey + 77}, {"home", kExtendedKey + 71}, {"end", kExtendedKey + 79},
    {"insert", kExtendedKey + 82}, {"pageup", kExtendedKey + 73}, {"pagedown", kExtendedKey + 81},
    {"lshift", 42},     {"rshift", 54},          {"lctrl", 29},         {"f11", 87},
    {"f12", 88},
};

// The menus a script can name.
ui::Menu* menuNamed(const GameApp& app, const std::string& name) {
    const Game* game = app.game.get();
    if (!game) return nullptr;
    if (name == "title" && game->title) return &game->title->titleMenu();
    if (name == "dialogue" && game->dialogue) return game->dialogue.get();
    return nullptr;
}

std::vector<std::pair<std::string, const ui::Menu*>> shownMenus(const GameApp& app) {
    std::vector<std::pair<std::string, const ui::Menu*>> menus;
    const Game* game = app.game.get();
    if (game && game->state == kStateTitle && game->title && game->title->shownMenu()) {
        menus.emplace_back("title", game->title->shownMenu());
    }
    if (game && game->dialogue) menus.emplace_back("dialogue", game->dialogue.get());
    return menus;
}

// An opaque point of button N of the named menu, bottom-up pixels.
bool buttonPoint(const GameApp& app, const std::string& name, int32_t number, float* px, float* py) {
    const ui::Menu* menu = menuNamed(app, name);
    if (!menu) return false;
    for (const auto& button : menu->buttonList()) {
        if (button->number == number) return button->opaquePoint(menu->x, menu->y, px, py);
    }
    return false;
}

bool parseButton(const std::string& word, MouseButton* button) {
    if (word == "left") *button = MouseButton::Left;
    else if (word == "right") *button = MouseButton::Right;
    else return false;
    return true;
}

}  // namespace

int32_t scanCodeForKeyName(const std::string& name) {
    for (const NamedKey& key : kNamedKeys) {
        if (name == key.name) return key.scanCode;
    }
    if (name.size() >= 2 && name[0] == 'f' && std::isdigit(static_cast<unsigned char>(name[1]))) {
        const int number = std::atoi(name.c_str() + 1);
        if (number >= 1 && number <= 10) return 58 + number;
    }
    if (name.size() == 1) {
        for (int32_t scan = 1; scan < 128; ++scan) {
            if (gameKeyCode(scan) == static_cast<unsigned char>(name[0])) return scan;
        }
    }
    return 0;
}

ScriptRunner::ScriptRunner(std::istream& input, std::ostream& output, std::string baseDirectory, bool interactive)
    : input_(input), output_(output), base_(std::move(baseDirectory)), interactive_(interactive) {}

std::string ScriptRunner::resolve(const std::string& path) const {
    return !path.empty() && path[0] == '/' ? path : base_ + "/" + path;
}

int32_t ScriptRunner::run(HeadlessPlatform& platform, GameApp& app) {
    std::string line;
    int lineNumber = 0;
    while (!platform.quitRequested() && std::getline(input_, line)) {
        ++lineNumber;
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        if (!execute(line, platform, app)) {
            std::fprintf(stderr, "zephyrail: script line %d failed: %s\n  %s\n", lineNumber, error_.c_str(),
                         line.c_str());
            return 1;
        }
        if (interactive_) output_.flush();
    }
    output_.flush();
    return 0;
}

void ScriptRunner::runFrames(int64_t count, HeadlessPlatform& platform, GameApp& app) {
    for (int64_t i = 0; i < count && !platform.quitRequested(); ++i) {
        platform.runFrame(app);
    }
}

bool ScriptRunner::execute(const std::string& line, HeadlessPlatform& platform, GameApp& app) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command == "step") {
        float seconds = 0.0f;
        if (!(words >> seconds) || seconds <= 0.0f) return error_ = "step needs seconds > 0", false;
        platform.setFrameStep(seconds);
    } else if (command == "wait") {
        double seconds = 0.0;
        if (!(words >> seconds) || seconds < 0.0) return error_ = "wait needs seconds", false;
        runFrames(static_cast<int64_t>(std::llround(seconds / platform.frameStep())), platform, app);
    } else if (command == "frames") {
        int64_t count = 0;
        if (!(words >> count) || count < 0) return error_ = "frames needs a count", false;
        runFrames(count, platform, app);
    } else if (command == "waituntil") {
        // Runs frames until the state (or ride state) is N, for at most S
        // seconds of game time.
        std::string what;
        int32_t value = 0;
        double limit = 0.0;
        if (!(words >> what >> value >> limit) || (what != "state" && what != "ride-state")) {
            return error_ = "waituntil state|ride-state N SECONDS", false;
        }
        auto current = [&] { return !app.game ? 0 : what == "state" ? app.game->state : app.game->rideState(); };
        const auto frames = static_cast<int64_t>(std::llround(limit / platform.frameStep()));
        for (int64_t i = 0; i < frames && current() != value && !platform.quitRequested(); ++i) {
            platform.runFrame(app);
        }
        if (current() != value) return error_ = what + " is " + std::to_string(current()), false;
    } else if (command == "move") {
        float x = 0.0f;
        float y = 0.0f;
        if (!(words >> x >> y)) return error_ = "move needs X Y", false;
        // Virtual 800 x 600 point, top-left origin, to frame-buffer pixels.
        const float sx = app.game ? static_cast<float>(app.game->rasterWidth) / 800.0f : 1.0f;
        const float sy = app.game ? static_cast<float>(app.game->rasterHeight) / 600.0f : 1.0f;
        float cx = 0.0f;
        float cy = 0.0f;
        app.cursorPosition(&cx, &cy);
        platform.queueMouseBy(x * sx - cx, y * sy - cy);
    } else if (command == "button" || command == "hover") {
        std::string name;
        int32_t number = 0;
        if (!(words >> name >> number)) return error_ = command + " MENU N", false;
        float px = 0.0f;
        float py = 0.0f;
        if (!buttonPoint(app, name, number, &px, &py)) {
            return error_ = "no button " + std::to_string(number) + " in menu '" + name + "'", false;
        }
        // Bottom-up frame-buffer pixels to the cursor's y-down position.
        float cx = 0.0f;
        float cy = 0.0f;
        app.cursorPosition(&cx, &cy);
        platform.queueMouseBy(px - cx, static_cast<float>(app.game->rasterHeight) - py - cy);
        if (command == "button") {
            runFrames(1, platform, app);  // the next draw finds the hover
            platform.queueButton(MouseButton::Left, true);
            runFrames(1, platform, app);
            platform.queueButton(MouseButton::Left, false);
        }
    } else if (command == "press" || command == "release" || command == "click") {
        std::string which;
        MouseButton button = MouseButton::Left;
        if (!(words >> which) || !parseButton(which, &button)) return error_ = "needs left or right", false;
        if (command != "release") platform.queueButton(button, true);
        if (command == "click") runFrames(1, platform, app);
        if (command != "press") platform.queueButton(button, false);
    } else if (command == "key" || command == "keydown" || command == "keyup") {
        std::string name;
        words >> name;
        const int32_t scan = scanCodeForKeyName(name);
        if (scan == 0) return error_ = "unknown key '" + name + "'", false;
        if (command != "keyup") platform.queueKey(scan, true);
        if (command == "key") runFrames(1, platform, app);
        if (command != "keydown") platform.queueKey(scan, false);
    } else if (command == "shot") {
        std::string path;
        words >> path;
        engine::Image image;
        if (path.empty() || !app.game || !app.game->camera || !app.game->camera->view().readFrameBuffer(&image) ||
            !engine::writePng(resolve(path), image)) {
            return error_ = "cannot save the frame to '" + path + "'", false;
        }
    } else if (command == "expect") {
        std::string what;
        int32_t value = 0;
        if (!(words >> what >> value) || (what != "state" && what != "ride-state")) {
            return error_ = "expect state N or expect ride-state N", false;
        }
        const int32_t actual = !app.game ? 0 : what == "state" ? app.game->state : app.game->rideState();
        if (actual != value) return error_ = what + " is " + std::to_string(actual), false;
    } else if (command == "print") {
        output_ << statusJson(platform, app) << '\n';
    } else if (command == "quit") {
        platform.setQuit();
    } else {
        return error_ = "unknown command '" + command + "'", false;
    }
    return true;
}

std::string ScriptRunner::statusJson(const HeadlessPlatform& platform, const GameApp& app) const {
    std::ostringstream json;
    const Game* game = app.game.get();
    float cx = 0.0f;
    float cy = 0.0f;
    app.cursorPosition(&cx, &cy);
    const float toVirtualX = game && game->rasterWidth ? 800.0f / static_cast<float>(game->rasterWidth) : 1.0f;
    const float toVirtualY = game && game->rasterHeight ? 600.0f / static_cast<float>(game->rasterHeight) : 1.0f;
    json << "{\"frame\":" << platform.framesRun();
    if (game) {
        json << ",\"state\":" << game->state << ",\"stateSeconds\":" << game->stateSeconds
             << ",\"frameSeconds\":" << game->frameSeconds;
        if (game->transition) {
            json << ",\"transition\":{\"phase\":" << game->transition->phase()
                 << ",\"alpha\":" << game->transition->alpha() << ",\"from\":" << game->transition->from()
                 << ",\"to\":" << game->transition->to() << "}";
        }
        json << ",\"cursor\":[" << cx * toVirtualX << "," << cy * toVirtualY << "]"
             << ",\"cursorVisible\":" << (app.cursor && app.cursor->visible() ? "true" : "false")
             << ",\"leftButton\":" << game->leftButton << ",\"rightButton\":" << game->rightButton
             << ",\"dragMode\":" << game->dragMode << ",\"lastKeyUp\":" << game->lastKeyUp
             << ",\"musicOn\":" << game->musicOn << ",\"level\":" << static_cast<int>(game->currentLevel)
             << ",\"blockSet\":" << static_cast<int>(game->currentBlockSet) << ",\"raster\":[" << game->rasterWidth << ","
             << game->rasterHeight << "]";
        if (game->coaster) {
            json << ",\"track\":{\"state\":" << game->coaster->trackState
                 << ",\"count\":" << game->coaster->blocks.count << ",\"blocks\":[";
            bool firstBlock = true;
            game->coaster->blocks.forEach([&](const TrackBlock* block) {
                json << (firstBlock ? "" : ",") << "\"" << block->name << "\"";
                firstBlock = false;
            });
            json << "]}";
        }
        if (game->catalogue) json << ",\"catalogue\":" << game->catalogue->pieces.count;
        if (game->coaster) {
            auto stats = [&](const char* name, const RideStats& s) {
                json << ",\"" << name << "\":{\"maxSpeed\":" << s.maxSpeed << ",\"time\":" << s.time
                     << ",\"length\":" << s.length << ",\"lateralG\":" << s.lateralG
                     << ",\"positiveG\":" << s.positiveVerticalG << ",\"negativeG\":" << s.negativeVerticalG << "}";
            };
            json << ",\"ride\":{\"state\":" << game->coaster->rideState << ",\"speed\":" << game->coaster->speed
                 << ",\"segment\":" << (game->vehicle ? game->vehicle->segment : 0)
                 << ",\"path\":" << game->coaster->ridePath.size() << "}";
            stats("live", game->coaster->live);
            stats("committed", game->coaster->committed);
        }
        if (game->camera) json << ",\"camera\":{\"mode\":" << game->camera->mode << ",\"seat\":" << int{game->seat} << "}";
        json << ",\"menus\":[";
        bool firstMenu = true;
        for (const auto& [name, menu] : shownMenus(app)) {
            json << (firstMenu ? "" : ",") << "{\"name\":\"" << name << "\",\"buttons\":[";
            firstMenu = false;
            bool firstButton = true;
            for (const auto& button : menu->buttonList()) {
                const auto* push = dynamic_cast<const ui::PushButton*>(button.get());
                // The button's rectangle in virtual units, origin top-left.
                const float left = (menu->x + button->x) * toVirtualX;
                const float top = 600.0f - (menu->y + button->y + button->h) * toVirtualY;
                json << (firstButton ? "" : ",") << "{\"n\":" << button->number
                     << ",\"enabled\":" << (push ? push->enabled : 1) << ",\"hover\":" << button->hover
                     << ",\"rect\":[" << left << "," << top << "," << button->w * toVirtualX << ","
                     << button->h * toVirtualY << "]}";
                firstButton = false;
            }
            json << "]}";
        }
        json << "]";
    }
    json << "}";
    return json.str();
}

}  // namespace zr
