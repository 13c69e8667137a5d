// Menu layout from the position image, and the buttons' drawing, hit test
// and input rules.
#include "ui/menu.h"

#include "platform/file_system.h"
#include "platform/platform.h"
#include "ui/screen_font.h"

#include <cmath>

namespace zr::ui {
namespace {

constexpr float kTooltipDelay = 0.75f;  // seconds of rest before a tooltip
constexpr float kSlideSpeed = 400.0f;   // virtual units per second

bool isWhite(const uint8_t* p) { return p[0] == 255 && p[1] == 255 && p[2] == 255; }
bool sameColour(const uint8_t* a, const uint8_t* b) { return a[0] == b[0] && a[1] == b[1] && a[2] == b[2]; }

void debugLine(const UiContext& context, const std::string& text) {
    if (context.engine && context.engine->platform()) context.engine->platform()->debugPrinter()(text.c_str());
}

}  // namespace

// --- Button ---

Button::Button(const UiContext& context, const std::string& path, int32_t x, int32_t y, ButtonCommand command)
    : ScreenImage(context, path, x, y, nullptr, true), onPress(command), picturePath(path), context_(context) {}

Button::~Button() = default;

bool Button::pointerHits() const {
    if (!context_.host || empty()) return false;
    const float px = context_.host->pointerX();
    const float py = static_cast<float>(context_.host->frameBufferHeight()) - context_.host->pointerY();
    if (px < x || px > x + w || py < y || py > y + h) return false;
    if (!(px - x > 0.0f && px - x < w && (y + h) - py > 0.0f && (y + h) - py < h)) return false;
    const float localX = px - x;
    const float localY = py - y;
    for (const ImageTile& tile : tiles()) {
        if (localX < static_cast<float>(tile.x) || localX >= static_cast<float>(tile.x + tile.w) ||
            localY <= static_cast<float>(tile.y) || localY > static_cast<float>(tile.y + tile.h)) {
            continue;
        }
        if (tile.alpha.empty()) return true;  // no alpha channel: hits everywhere
        const int32_t column = static_cast<int32_t>((localX - static_cast<float>(tile.x)) / context_.scaleX);
        const int32_t row = static_cast<int32_t>((static_cast<float>(tile.y + tile.h) - localY) / context_.scaleY);
        if (column < 0 || row < 0 || column >= tile.pixelWidth || row >= tile.pixelHeight) return false;
        return tile.alpha[static_cast<size_t>(row) * tile.pixelWidth + column] != 0;
    }
    return false;
}

bool Button::opaquePoint(float offsetX, float offsetY, float* px, float* py) const {
    bool found = false;
    float best = 0.0f;
    const float centreX = w * 0.5f;
    const float centreY = h * 0.5f;
    for (const ImageTile& tile : tiles()) {
        for (int32_t row = 0; row < tile.pixelHeight; ++row) {
            for (int32_t column = 0; column < tile.pixelWidth; ++column) {
                if (!tile.alpha.empty() && tile.alpha[static_cast<size_t>(row) * tile.pixelWidth + column] == 0) {
                    continue;
                }
                // The pixel's centre, bottom-up, relative to the picture.
                const float lx = static_cast<float>(tile.x) + (static_cast<float>(column) + 0.5f) * context_.scaleX;
                const float ly =
                    static_cast<float>(tile.y + tile.h) - (static_cast<float>(row) + 0.5f) * context_.scaleY;
                const float distance = (lx - centreX) * (lx - centreX) + (ly - centreY) * (ly - centreY);
                if (!found || distance < best) {
                    found = true;
                    best = distance;
                    *px = x + offsetX + lx;
                    *py = y + offsetY + ly;
                }
            }
        }
    }
    return found;
}

void Button::draw(engine::Camera& camera, float, float) {
    hover = pointerHits() ? 1 : 0;
    if (hover) ScreenImage::draw(camera, 0.0f, 0.0f);
}

void Button::pressOrRelease(bool withBuildHook) {
    int32_t& left = context_.host->leftButtonState();
    if (left == 1 || left == 2) {  // 2 counts as a press
        state = 3;
        if (withBuildHook && context_.host->gameState() == 4) context_.host->buildModeHook();
        if (onPress) onPress(*this);
    } else {
        state = 1;
        if (left == 3) {
            if (onRelease) onRelease(*this);
            context_.host->endDrag();
        }
    }
    left = 0;  // the event is consumed
}

void Button::handleInput() {
    if (hover && context_.host) pressOrRelease(false);
}

void Button::drawTooltip() {
    if (!hover || tooltip.empty() || !context_.host) return;
    if (context_.host->pointerIdleSeconds() < kTooltipDelay) return;
    ScreenFont* font = context_.host->tooltipScreenFont();
    if (!font) return;
    const float textWidth = font->textWidth(tooltip);
    const float mx = context_.host->pointerX();
    const float my = context_.host->pointerY();
    const float sx = context_.scaleX;
    const float textX = (mx + 20.0f) / sx + textWidth > 800.0f ? (mx - textWidth + 15.0f) / sx : (mx + 25.0f) / sx;
    const float textY = (static_cast<float>(context_.host->frameBufferHeight()) - my) / context_.scaleY;
    font->drawText(tooltip, textX, textY, kAlignLeft, 400.0f);
}

// --- PushButton and ToggleButton ---

std::string PushButton::inactivePathFor(const std::string& path) {
    const size_t select = path.find(" select");
    if (select != std::string::npos) return path.substr(0, select) + " inactive.png";
    const size_t slash = path.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, nameStart) + "no" + path.substr(nameStart);
}

PushButton::PushButton(const UiContext& context, const std::string& path, int32_t px, int32_t py,
                       ButtonCommand command)
    : Button(context, path, px, py, command) {
    const std::string inactive = inactivePathFor(path);
    if (fs::fileExists(inactive)) {
        inactiveImage = std::make_unique<ScreenImage>(context, inactive, 0, 0);
        inactiveImage->x = x;
        inactiveImage->y = y;
    }
}

PushButton::~PushButton() = default;

void PushButton::draw(engine::Camera& camera, float offsetX, float offsetY) {
    if (!enabled) {
        if (inactiveImage) inactiveImage->draw(camera, offsetX, offsetY);
        return;
    }
    Button::draw(camera, offsetX, offsetY);
}

void PushButton::handleInput() {
    if (!enabled || !context_.host) return;
    if (!hover) {
        state = 1;
        return;
    }
    pressOrRelease(true);
}

void ToggleButton::handleInput() {
    if (!enabled || !context_.host) return;
    if (!hover) {
        state = 1;
        return;
    }
    int32_t& left = context_.host->leftButtonState();
    if (left == 1 && state != 3) {
        state = 3;
        if (context_.host->gameState() == 4) context_.host->buildModeHook();
        if (onPress) onPress(*this);
        toggled = toggled ? 0 : 1;
        left = 0;
        return;
    }
    state = 1;
    if (left == 3) {
        if (onRelease) onRelease(*this);
        context_.host->endDrag();
    }
    left = 0;
}

// --- Menu ---

std::string Menu::positionImagePath(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos) return path + " pos";
    return path.substr(0, dot) + " pos" + path.substr(dot);
}

std::string Menu::selectPictureFor(const std::string& folder, int32_t number) {
    for (const std::string& name : fs::listDirectory(folder, std::to_string(number) + "*.*")) {
        if (name.find("select") != std::string::npos) return folder + name;
    }
    return {};
}

Menu::Menu(const UiContext& context, const std::string& backgroundPath, float px, float py,
           std::vector<ButtonSpec> table)
    : context_(context) {
    x = context_.scaleX * px;
    y = context_.scaleY * py;
    images.push_back(std::make_unique<ScreenImage>(context_, backgroundPath, 0, 0));
    buildButtons(backgroundPath, table);
}

Menu::~Menu() = default;

void Menu::buildButtons(const std::string& backgroundPath, const std::vector<ButtonSpec>& table) {
    engine::Image layout;
    const std::string layoutPath = positionImagePath(backgroundPath);
    if (!context_.engine || !context_.engine->readImage(layoutPath, &layout)) {
        debugLine(context_, "menu: no position image " + layoutPath);
        return;
    }
    width = static_cast<float>(layout.width);
    height = static_cast<float>(layout.height);
    if (layout.height < 4) return;
    const size_t slash = backgroundPath.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : backgroundPath.substr(0, slash + 1);
    for (int32_t row = 1; row <= layout.height - 3; ++row) {
        for (int32_t column = 0; column < layout.width; ++column) {
            const uint8_t* marker = layout.pixel(column, row);
            if (isWhite(marker)) continue;
            int32_t number = 0;
            for (int32_t key = 0; key < layout.width && number == 0; ++key) {
                if (sameColour(layout.pixel(key, 0), marker)) number = key + 1;
            }
            if (number == 0 || number > static_cast<int32_t>(table.size())) {
                debugLine(context_, layoutPath + ": marker without a button at " + std::to_string(column) + "," +
                                        std::to_string(row));
                continue;
            }
            const std::string picture = selectPictureFor(folder, number);
            if (picture.empty()) {
                debugLine(context_, layoutPath + ": no select picture for button " + std::to_string(number));
                continue;
            }
            const ButtonSpec& spec = table[static_cast<size_t>(number - 1)];
            const int32_t bx = column;
            const int32_t by = layout.height - 1 - row;
            std::unique_ptr<Button> button;
            if (spec.kind == 0) {
                button = std::make_unique<PushButton>(context_, picture, bx, by, spec.onPress);
            } else {
                button = std::make_unique<ToggleButton>(context_, picture, bx, by, spec.onPress);
            }
            if (spec.tooltip) button->tooltip = spec.tooltip;
            button->menu = this;
            button->number = number;
            buttons.push_back(std::move(button));
        }
    }
}

void Menu::handleButtons() {
    for (const auto& button : buttons) button->handleInput();
}

void Menu::update() {
    if (context_.host && context_.host->transitionIdle()) handleButtons();
}

void Menu::drawTooltips(int32_t flag) {
    if (!flag) return;
    for (const auto& button : buttons) button->drawTooltip();
}

void Menu::draw(int32_t drawAll) {
    if (!context_.host) return;
    engine::Camera& camera = context_.host->menuCamera();
    if (width == 800.0f && height == 600.0f) {
        camera.clear(engine::Colour{0, 0, 0, 255}, engine::kClearColour | engine::kClearDepth);
    }
    for (const auto& image : images) image->draw(camera, x, y);
    for (const auto& button : buttons) {
        const auto* push = dynamic_cast<const PushButton*>(button.get());
        if (!drawAll && (!push || push->enabled)) continue;
        button->x += x;
        button->y += y;
        button->draw(camera, x, y);
        button->x -= x;
        button->y -= y;
    }
}

Button* Menu::findButton(ButtonCommand command) const {
    for (const auto& button : buttons) {
        if (button->onPress == command) return button.get();
    }
    return nullptr;
}

Button* Menu::setButtonEnabled(int32_t enabled, ButtonCommand command) {
    Button* button = findButton(command);
    if (auto* push = dynamic_cast<PushButton*>(button)) {
        push->enabled = enabled;
        if (!enabled) push->hover = 0;
    }
    return button;
}

void Menu::resetButtons() {
    for (const auto& button : buttons) {
        button->hover = 0;
        button->state = 1;
    }
}

// --- SlidingMenu ---

SlidingMenu::SlidingMenu(const UiContext& context, const std::string& backgroundPath, float px, float py,
                         std::vector<ButtonSpec> table, float dx, float dy)
    : Menu(context, backgroundPath, px, py, std::move(table)) {
    travelX = dx * context_.scaleX;
    travelY = dy * context_.scaleY;
}

void SlidingMenu::toggle() {
    if (offsetX == 0.0f && offsetY == 0.0f) {
        speed = context_.scaleY * kSlideSpeed;
    } else if (offsetX == std::fabs(travelX) && offsetY == std::fabs(travelY)) {
        speed = context_.scaleY * -kSlideSpeed;
    }
}

void SlidingMenu::drawAnimated(int32_t drawAll) {
    if (speed != 0.0f) {
        const float step = context_.seconds() * speed;
        offsetX += step;
        offsetY += step;
        if (offsetX < 0.0f || offsetY < 0.0f) {
            offsetX = offsetY = 0.0f;
            speed = 0.0f;
        } else if (offsetX > std::fabs(travelX) || offsetY > std::fabs(travelY)) {
            offsetX = std::fabs(travelX);
            offsetY = std::fabs(travelY);
            speed = 0.0f;
        }
    }
    const float shiftX = travelX >= 0.0f ? offsetX : -offsetX;
    const float shiftY = travelY >= 0.0f ? offsetY : -offsetY;
    x += shiftX;
    y += shiftY;
    draw(drawAll);
    x -= shiftX;
    y -= shiftY;
}

void SlidingMenu::update() {
    if (!context_.host) return;
    const float fullX = std::fabs(travelX);
    const float fullY = std::fabs(travelY);
    if (offsetX < fullX && offsetY < fullY) {
        const bool left = context_.host->isLeftSlidingMenu(this);
        const bool right = context_.host->isRightSlidingMenu(this) && context_.host->leftButtonState() == 1;
        if ((left || right) && context_.host->transitionIdle()) handleButtons();
        if (open) {
            open = 0;
            changed = 1;
        }
    } else if (offsetX == fullX && offsetY == fullY) {
        if (!open) {
            open = 1;
            changed = 1;
        }
        if (context_.host->transitionIdle()) handleButtons();
    }
}

void SlidingMenu::drawTooltips(int32_t flag) {
    if (open) Menu::drawTooltips(flag);
}

}  // namespace zr::ui
