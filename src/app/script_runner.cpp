// The script commands, one handler each, and the print command's JSON.
#include "app/script_runner.h"

#include "app/game_app.h"
#include "app/title_screen.h"
#include "engine/image.h"
#include "platform/key_table.h"

#include <nlohmann/json.hpp>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <ostream>

namespace zr {
namespace {

// Keys keep the order they were written in, so the printed line reads the
// same from run to run.
using Json = nlohmann::ordered_json;

struct NamedKey {
    const char* name;
    int32_t scanCode;
};

constexpr NamedKey kNamedKeys[] = {
    {"escape", 1},
    {"space", 57},
    {"backspace", 14},
    {"delete", kExtendedKey + 83},
    {"enter", 28},
    {"return", 28},
    {"tab", 15},
    {"comma", 51},
    {"period", 52},
    {"minus", 12},
    {"equals", 13},
    {"slash", 53},
    {"up", kExtendedKey + 72},
    {"down", kExtendedKey + 80},
    {"left", kExtendedKey + 75},
    {"right", kExtendedKey + 77},
    {"home", kExtendedKey + 71},
    {"end", kExtendedKey + 79},
    {"insert", kExtendedKey + 82},
    {"pageup", kExtendedKey + 73},
    {"pagedown", kExtendedKey + 81},
    {"lshift", 42},
    {"rshift", 54},
    {"lctrl", 29},
    {"f11", 87},
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

Json vector3(const glm::vec3& v) {
    return Json::array({v.x, v.y, v.z});
}

Json statistics(const RideStats& s) {
    return Json{{"maxSpeed", s.maxSpeed},
                {"time", s.time},
                {"length", s.length},
                {"lateralG", s.lateralG},
                {"positiveG", s.positiveVerticalG},
                {"negativeG", s.negativeVerticalG}};
}

Json menusJson(const GameApp& app, float toVirtualX, float toVirtualY) {
    Json menus = Json::array();
    for (const auto& [name, menu] : shownMenus(app)) {
        Json buttons = Json::array();
        for (const auto& button : menu->buttonList()) {
            const auto* push = dynamic_cast<const ui::PushButton*>(button.get());
            // The button's rectangle in virtual units, origin top-left.
            const float left = (menu->x + button->x) * toVirtualX;
            const float top = 600.0f - (menu->y + button->y + button->h) * toVirtualY;
            buttons.push_back(Json{{"n", button->number},
                                   {"enabled", push ? push->enabled : 1},
                                   {"hover", button->hover},
                                   {"rect", {left, top, button->w * toVirtualX, button->h * toVirtualY}}});
        }
        menus.push_back(Json{{"name", name}, {"buttons", buttons}});
    }
    return menus;
}

// The loaded level: the track, the ride with its statistics, the train.
void levelJson(const Game& game, Json& json) {
    if (const Coaster* coaster = game.coaster()) {
        Json blocks = Json::array();
        coaster->blocks.forEach([&](const TrackBlock* block) { blocks.push_back(block->name); });
        json["track"] = Json{{"state", coaster->trackState}, {"count", coaster->blocks.count}, {"blocks", blocks}};
    }
    if (const Catalogue* catalogue = game.catalogue()) {
        json["catalogue"] = catalogue->pieces.count;
        // Features whose panel icons loaded, of all features.
        int32_t features = 0;
        int32_t icons = 0;
        catalogue->pieces.forEach([&](const CataloguePiece* piece) {
            if (!piece->featureMark) return;
            ++features;
            if (piece->iconOn && !piece->iconOn->empty()) ++icons;
        });
        json["featureCount"] = features;
        json["featureIcons"] = icons;
    }
    if (const World* world = game.world(); world && world->startCount > 0) {
        json["start"] = vector3(world->startPositions[static_cast<size_t>(world->startIndex)]);
    }
    // The station display's animation: its frames (none when it was built
    // without pictures).
    json["rideDisplay"] = game.animatedTextures.image ? game.animatedTextures.image->frameCount() : 0;
    if (const Ride* ride = game.ride()) {
        const RideRecord& record = ride->record();
        json["ride"] = Json{{"state", record.state},
                            {"speed", record.speed},
                            {"segment", ride->train().segment},
                            {"path", game.coaster() ? game.coaster()->ridePath.size() : 0}};
        json["live"] = statistics(record.live);
        json["committed"] = statistics(record.committed);
    }
    if (const Car* car = game.vehicle()) json["leadCar"] = vector3(car->position());
}

}  // namespace

const ScriptRunner::Command ScriptRunner::kCommands[] = {
    {"step", &ScriptRunner::frameStep},    {"wait", &ScriptRunner::wait},
    {"frames", &ScriptRunner::frames},     {"waituntil", &ScriptRunner::waitUntil},
    {"move", &ScriptRunner::move},         {"moveby", &ScriptRunner::move},
    {"button", &ScriptRunner::button},     {"hover", &ScriptRunner::button},
    {"press", &ScriptRunner::mouseButton}, {"release", &ScriptRunner::mouseButton},
    {"click", &ScriptRunner::mouseButton}, {"key", &ScriptRunner::key},
    {"keydown", &ScriptRunner::key},       {"keyup", &ScriptRunner::key},
    {"shot", &ScriptRunner::shot},         {"expect", &ScriptRunner::expect},
    {"print", &ScriptRunner::print},       {"quit", &ScriptRunner::quit},
};

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

bool ScriptRunner::fail(const std::string& reason) {
    error_ = reason;
    return false;
}

int32_t ScriptRunner::run(HeadlessPlatform& platform, GameApp& app) {
    platform_ = &platform;
    app_ = &app;
    std::string line;
    int lineNumber = 0;
    int32_t result = 0;
    while (!platform.quitRequested() && std::getline(input_, line)) {
        ++lineNumber;
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        if (!execute(line)) {
            std::fprintf(stderr, "zephyrail: script line %d failed: %s\n  %s\n", lineNumber, error_.c_str(),
                         line.c_str());
            result = 1;
            break;
        }
        if (interactive_) output_.flush();
    }
    output_.flush();
    platform_ = nullptr;
    app_ = nullptr;
    return result;
}

bool ScriptRunner::execute(const std::string& line) {
    std::istringstream words(line);
    std::string name;
    words >> name;
    for (const Command& command : kCommands) {
        if (name == command.name) return (this->*command.handler)(words, name);
    }
    return fail("unknown command '" + name + "'");
}

void ScriptRunner::runFrames(int64_t count) {
    for (int64_t i = 0; i < count && !platform_->quitRequested(); ++i) platform_->runFrame(*app_);
}

// The game state or the ride state.
int32_t ScriptRunner::gameValue(const std::string& what) const {
    const Game* game = app_->game.get();
    if (!game) return 0;
    return what == "state" ? game->state : game->rideState();
}

bool ScriptRunner::frameStep(std::istringstream& words, const std::string&) {
    float seconds = 0.0f;
    if (!(words >> seconds) || seconds <= 0.0f) return fail("step needs seconds > 0");
    platform_->setFrameStep(seconds);
    return true;
}

bool ScriptRunner::wait(std::istringstream& words, const std::string&) {
    double seconds = 0.0;
    if (!(words >> seconds) || seconds < 0.0) return fail("wait needs seconds");
    runFrames(static_cast<int64_t>(std::llround(seconds / platform_->frameStep())));
    return true;
}

bool ScriptRunner::frames(std::istringstream& words, const std::string&) {
    int64_t count = 0;
    if (!(words >> count) || count < 0) return fail("frames needs a count");
    runFrames(count);
    return true;
}

// Runs frames until the state (or ride state) is N, for at most S seconds
// of game time.
bool ScriptRunner::waitUntil(std::istringstream& words, const std::string&) {
    std::string what;
    int32_t value = 0;
    double limit = 0.0;
    if (!(words >> what >> value >> limit) || (what != "state" && what != "ride-state")) {
        return fail("waituntil state|ride-state N SECONDS");
    }
    const auto count = static_cast<int64_t>(std::llround(limit / platform_->frameStep()));
    for (int64_t i = 0; i < count && gameValue(what) != value && !platform_->quitRequested(); ++i) {
        platform_->runFrame(*app_);
    }
    if (gameValue(what) != value) return fail(what + " is " + std::to_string(gameValue(what)));
    return true;
}

// "move X Y" moves the mouse to a point of the 800 x 600 screen (origin
// top-left); "moveby DX DY" moves it by that much.
bool ScriptRunner::move(std::istringstream& words, const std::string& name) {
    float x = 0.0f;
    float y = 0.0f;
    if (!(words >> x >> y)) return fail(name + " needs two numbers");
    // Virtual units to frame-buffer pixels.
    const Game* game = app_->game.get();
    const float sx = game ? static_cast<float>(game->rasterWidth) / 800.0f : 1.0f;
    const float sy = game ? static_cast<float>(game->rasterHeight) / 600.0f : 1.0f;
    if (name == "moveby") {
        platform_->queueMouseBy(x * sx, y * sy);
        return true;
    }
    float cx = 0.0f;
    float cy = 0.0f;
    app_->cursorPosition(&cx, &cy);
    platform_->queueMouseBy(x * sx - cx, y * sy - cy);
    return true;
}

// "button MENU N" clicks button N of the menu; "hover MENU N" points at it.
bool ScriptRunner::button(std::istringstream& words, const std::string& name) {
    std::string menu;
    int32_t number = 0;
    if (!(words >> menu >> number)) return fail(name + " MENU N");
    float px = 0.0f;
    float py = 0.0f;
    if (!buttonPoint(*app_, menu, number, &px, &py)) {
        return fail("no button " + std::to_string(number) + " in menu '" + menu + "'");
    }
    // Bottom-up frame-buffer pixels to the cursor's y-down position.
    float cx = 0.0f;
    float cy = 0.0f;
    app_->cursorPosition(&cx, &cy);
    platform_->queueMouseBy(px - cx, static_cast<float>(app_->game->rasterHeight) - py - cy);
    if (name == "button") {
        runFrames(1);  // the next draw finds the hover
        platform_->queueButton(MouseButton::Left, true);
        runFrames(1);
        platform_->queueButton(MouseButton::Left, false);
    }
    return true;
}

bool ScriptRunner::mouseButton(std::istringstream& words, const std::string& name) {
    std::string which;
    MouseButton button = MouseButton::Left;
    if (!(words >> which) || !parseButton(which, &button)) return fail("needs left or right");
    if (name != "release") platform_->queueButton(button, true);
    if (name == "click") runFrames(1);
    if (name != "press") platform_->queueButton(button, false);
    return true;
}

bool ScriptRunner::key(std::istringstream& words, const std::string& name) {
    std::string keyName;
    words >> keyName;
    const int32_t scan = scanCodeForKeyName(keyName);
    if (scan == 0) return fail("unknown key '" + keyName + "'");
    if (name != "keyup") platform_->queueKey(scan, true);
    if (name == "key") runFrames(1);
    if (name != "keydown") platform_->queueKey(scan, false);
    return true;
}

bool ScriptRunner::shot(std::istringstream& words, const std::string&) {
    std::string path;
    words >> path;
    engine::Image image;
    const Game* game = app_->game.get();
    if (path.empty() || !game || !game->camera || !game->camera->view().readFrameBuffer(&image) ||
        !engine::writePng(resolve(path), image)) {
        return fail("cannot save the frame to '" + path + "'");
    }
    return true;
}

bool ScriptRunner::expect(std::istringstream& words, const std::string&) {
    std::string what;
    int32_t value = 0;
    if (!(words >> what >> value) || (what != "state" && what != "ride-state")) {
        return fail("expect state N or expect ride-state N");
    }
    if (gameValue(what) != value) return fail(what + " is " + std::to_string(gameValue(what)));
    return true;
}

bool ScriptRunner::print(std::istringstream&, const std::string&) {
    output_ << statusJson(*platform_, *app_) << '\n';
    return true;
}

bool ScriptRunner::quit(std::istringstream&, const std::string&) {
    platform_->setQuit();
    return true;
}

std::string ScriptRunner::statusJson(const HeadlessPlatform& platform, const GameApp& app) {
    Json json;
    json["frame"] = platform.framesRun();
    const Game* game = app.game.get();
    if (!game) return json.dump();
    float cx = 0.0f;
    float cy = 0.0f;
    app.cursorPosition(&cx, &cy);
    const float toVirtualX = game->rasterWidth ? 800.0f / static_cast<float>(game->rasterWidth) : 1.0f;
    const float toVirtualY = game->rasterHeight ? 600.0f / static_cast<float>(game->rasterHeight) : 1.0f;
    json["state"] = game->state;
    json["stateSeconds"] = game->stateSeconds;
    json["frameSeconds"] = game->frameSeconds;
    if (const ui::ScreenTransition* transition = game->transition.get()) {
        json["transition"] = Json{{"phase", transition->phase()},
                                  {"alpha", transition->alpha()},
                                  {"from", transition->from()},
                                  {"to", transition->to()}};
    }
    const InputState& input = game->input;
    json["cursor"] = {cx * toVirtualX, cy * toVirtualY};
    json["cursorVisible"] = app.cursor && app.cursor->visible();
    json["leftButton"] = input.leftButton;
    json["rightButton"] = input.rightButton;
    json["dragMode"] = input.dragMode;
    json["lastKeyUp"] = input.lastKeyUp;
    json["musicOn"] = game->musicOn;
    json["level"] = game->choice.currentLevel;
    json["blockSet"] = game->choice.currentBlockSet;
    json["raster"] = {game->rasterWidth, game->rasterHeight};
    levelJson(*game, json);
    if (const GameCamera* camera = game->camera.get()) {
        json["camera"] = Json{{"mode", camera->mode},
                              {"seat", game->choice.seat},
                              {"position", vector3(camera->view().position())},
                              {"forward", vector3(camera->view().lookDirection())},
                              {"viewWindow", {camera->view().viewWindow().x, camera->view().viewWindow().y}}};
    }
    if (const AlphaSorter* sorter = game->alphaSorter.get()) {
        json["seeThrough"] = Json{{"registered", sorter->registrySize()}, {"drawn", sorter->drawnLastFlush()}};
    }
    json["menus"] = menusJson(app, toVirtualX, toVirtualY);
    return json.dump();
}

}  // namespace zr
