// Confirmation and name-entry boxes.
#include "ui/dialogue_box.h"

#include "platform/key_table.h"
#include "ui/screen_font.h"

#include <cctype>
#include <cmath>

namespace zr::ui {
namespace {

constexpr int32_t kKeyDelete = 142;
constexpr int32_t kKeyBackspace = 168;

std::vector<ButtonSpec> boxTable() {
    return {{0, &ConfirmBox::ok, nullptr}, {0, &ConfirmBox::cancel, nullptr}};
}

}  // namespace

ConfirmBox::ConfirmBox(const UiContext& context, const std::string& backgroundPath, float px, float py,
                       ButtonCommand confirm, int32_t* close)
    : Menu(context, backgroundPath, px, py, boxTable()), command(confirm), closeRequest(close) {
    centre();
}

void ConfirmBox::centre() {
    x = (400.0f - width / 2.0f) * context_.scaleX;
    y = (300.0f - height / 2.0f) * context_.scaleY;
}

void ConfirmBox::finish(int32_t value) {
    int32_t& left = context_.host->leftButtonState();
    if (left != 1) return;
    result = value;
    if (closeRequest) *closeRequest = 1;
    left = 0;
}

void ConfirmBox::ok(Button& button) {
    if (auto* box = dynamic_cast<ConfirmBox*>(button.menu)) box->finish(kBoxConfirmed);
}

void ConfirmBox::cancel(Button& button) {
    if (auto* box = dynamic_cast<ConfirmBox*>(button.menu)) box->finish(kBoxCancelled);
}

DialogueBox::DialogueBox(const UiContext& context, ButtonCommand confirm, const std::string& boxTitle,
                         const std::string& boxText, int32_t* close)
    : ConfirmBox(context, kDialogueBoxPicture, 0.0f, 0.0f, confirm, close), title(boxTitle), text(boxText) {}

void DialogueBox::drawBox(ScreenFont& font) {
    draw(1);
    if (context_.host) {
        context_.host->menuCamera().clear(engine::Colour{}, engine::kClearDepth);
    }
    const float base = y / context_.scaleY;
    font.drawText(title, 0.0f, base + 88.0f, kAlignCentre, 400.0f);
    font.drawText(text, 0.0f, base + 65.0f, kAlignCentre, 400.0f);
}

InputBox::InputBox(const UiContext& context, ButtonCommand confirm, int32_t* close)
    : ConfirmBox(context, kInputBoxPicture, 270.0f, 230.0f, confirm, close) {}

void InputBox::drawBox(ScreenFont& font) {
    draw(1);
    const float base = y / context_.scaleY;
    font.drawText("CREATE DIRECTORY", 0.0f, base + 71.0f, kAlignCentre, 400.0f);
    if (!text.empty()) {
        font.drawText(text, 0.0f, base + 52.0f, kAlignCentre, 400.0f);
        return;
    }
    // A blinking "*": shown seven tenths of every second.
    blinkSeconds += context_.seconds();
    const float tenths = blinkSeconds * 10.0f;
    const auto phase = static_cast<int32_t>((tenths - std::floor(tenths / 10.0f) * 10.0f));
    if (phase < 7) font.drawText("*", 0.0f, base + 52.0f, kAlignCentre, 400.0f);
}

void InputBox::typeText() {
    if (!context_.host) return;
    int32_t& key = context_.host->lastKeyUpState();
    if (key == 0) return;
    if (key == kKeyDelete || key == kKeyBackspace) {
        if (!text.empty()) text.pop_back();
    } else if (key == ' ' || (key >= '0' && key <= '9') || (key >= 'a' && key <= 'z') || (key >= 'A' && key <= 'Z')) {
        if (text.size() < kMaxLength) text.push_back(static_cast<char>(key));
    }
    key = 0;
}

}  // namespace zr::ui
