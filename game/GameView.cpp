#include "game/GameView.h"

#include "game/FormMain.h"
#include "gui/controls/Button.h"
#include "gui/controls/CellControl.h"
#include "gui/controls/ImageFrame.h"
#include "util/Sound.h"

namespace MyGame {

namespace {

TarnUtility::ImageFrame* PictureOf(FormMain& form, Picture picture) {
    switch (picture) {
    case Picture::Banner:
        return form.banner;
    case Picture::ComputerHand:
        return form.computerHand;
    case Picture::PlayerHand:
        return form.playerHand;
    case Picture::PaperChoice:
        return form.paperChoice;
    case Picture::RockChoice:
        return form.rockChoice;
    case Picture::ScissorsChoice:
        return form.scissorsChoice;
    }
    return nullptr;
}

TarnUtility::GUIElement* ElementOf(FormMain& form, TextItem item) {
    switch (item) {
    case TextItem::ScoreCell:
        return form.scoreCell;
    case TextItem::MessageCell:
        return form.messageCell;
    case TextItem::PlayButton:
        return form.playButton;
    }
    return nullptr;
}

} // namespace

void GameView::SetFrame(Picture picture, int frame) {
    PictureOf(form, picture)->SetFrame(frame);
}

int GameView::GetFrame(Picture picture) {
    return PictureOf(form, picture)->frameColumn;
}

void GameView::Show(Picture picture) {
    PictureOf(form, picture)->Show();
}

void GameView::Hide(Picture picture) {
    PictureOf(form, picture)->Hide();
}

bool GameView::IsVisible(Picture picture) {
    return PictureOf(form, picture)->visible;
}

void GameView::SetText(TextItem item, const std::string& text) {
    ElementOf(form, item)->SetText(text);
}

std::string GameView::GetText(TextItem item) {
    return ElementOf(form, item)->GetTextNarrow();
}

void GameView::Play(int soundId) {
    TarnUtility::PlayResourceSound(soundId);
}

void GameView::FocusForm() {
    form.Focus();
}

} // namespace MyGame
