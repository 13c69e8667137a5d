// The game's application object: the state machine of the frame, the input
// operations that record input in the Game, and the game's own start-up
// and shutdown steps around the framework's.
#pragma once

#include "app/app_framework.h"
#include "app/game.h"
#include "app/pad_relay.h"
#include "engine/texture_dictionary.h"

#include <memory>

namespace zr {

class GameApp final : public AppFramework {
public:
    static GameApp* Instance();
    static void Destroy();
    ~GameApp() override;

    int32_t resize(const Rect* client) override;
    int32_t commandToken(const char* token) override;
    int32_t leftButtonDown(const MouseEvent* event) override;
    int32_t leftButtonUp(const MouseEvent* event) override;
    int32_t rightButtonDown(const MouseEvent* event) override;
    int32_t rightButtonUp(const MouseEvent* event) override;
    int32_t mouseMove(const MouseEvent* event) override;
    int32_t keyDown(const KeyEvent* event) override;
    int32_t keyUp(const KeyEvent* event) override;
    int32_t padButtonsDown(const PadEvent* event) override;
    int32_t padButtonsUp(const PadEvent* event) override;
    int32_t padStick(const float* xy) override;
    int32_t frame(float seconds) override;

    int32_t create() override;
    int32_t beginGame() override;
    int32_t shutdown() override;

    // The end of every 2D frame: cursor, fade overlay, and the state switch
    // behind a completed fade-out.
    void frontEndTail();

    std::unique_ptr<Game> game;
    std::unique_ptr<PadRelay> padRelay;
    // The engine's current dictionary from create to shutdown.
    std::unique_ptr<engine::TextureDictionary> textures;
    int32_t restartFrameClock = 0;

private:
    GameApp();
    void drawScreenImageFrame();
    void buildingOrRidingFrame();
    void commonTail();
    void ridingKeyUp(int32_t keyCode);
    void buildingKeyUp(int32_t keyCode);
    // The previous or next seat, within 1 .. (carCount + 1) * 4.
    void stepSeat(int32_t delta);
    void seatTurn(const MouseEvent& event);
    void putCursorBack(const MouseEvent& event);
    void buildingDrag(const MouseEvent& event);
};

}  // namespace zr
