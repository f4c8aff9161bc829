#pragma once
// The round engine's view of the game window: its pictures, cells, play
// button, sounds and focus.
#include "game/RoundEngine.h"

namespace MyGame {

class FormMain;

class GameView : public RoundView {
public:
    explicit GameView(FormMain& form) : form(form) {}

    void SetFrame(Picture picture, int frame) override;
    int GetFrame(Picture picture) override;
    void Show(Picture picture) override;
    void Hide(Picture picture) override;
    bool IsVisible(Picture picture) override;
    void SetText(TextItem item, const std::string& text) override;
    std::string GetText(TextItem item) override;
    void Play(int soundId) override;
    void FocusForm() override;

private:
    FormMain& form;
};

} // namespace MyGame
