// The two modal boxes: the DialogueBox (a title, a line of text, OK and
// Cancel) and the InputBox (a folder name of up to 12 letters, digits and
// spaces). Neither acts itself: each records the result and asks its
// holder to close it; on OK the holder calls the remembered command again
// with the left button state set to 1, and the command, seeing its box
// open, performs the confirmed action.
#pragma once

#include "ui/menu.h"

#include <string>

namespace zr::ui {

class ScreenFont;

enum BoxResult : int32_t { kBoxOpen = 1, kBoxCancelled = 2, kBoxConfirmed = 4 };

class ConfirmBox : public Menu {
public:
    ConfirmBox(const UiContext& context, const std::string& backgroundPath, float x, float y,
               ButtonCommand command, int32_t* closeRequest);

    int32_t result = kBoxOpen;
    ButtonCommand command = nullptr;
    int32_t* closeRequest = nullptr;  // the holder's flag, not owned

    static void ok(Button& button);
    static void cancel(Button& button);

private:
    void finish(int32_t value);
    void centre();
};

constexpr const char* kDialogueBoxPicture = "./data/images/dialoguebox/dialoguebox.png";
constexpr const char* kInputBoxPicture = "./data/images/inputbox/inputbox.png";

class DialogueBox final : public ConfirmBox {
public:
    DialogueBox(const UiContext& context, ButtonCommand command, const std::string& title, const std::string& text,
                int32_t* closeRequest);
    void drawBox(ScreenFont& font);

    std::string title;
    std::string text;
};

class InputBox final : public ConfirmBox {
public:
    static constexpr size_t kMaxLength = 12;

    InputBox(const UiContext& context, ButtonCommand command, int32_t* closeRequest);
    void drawBox(ScreenFont& font);
    // Once per frame while shown, after update: takes the last key released.
    void typeText();

    std::string text;
    float blinkSeconds = 0.0f;
};

}  // namespace zr::ui
