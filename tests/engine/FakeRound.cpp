#include "engine/FakeRound.h"

namespace MyGame {

const char* NameOf(Picture picture) {
    switch (picture) {
    case Picture::Banner:
        return "banner";
    case Picture::ComputerHand:
        return "computerHand";
    case Picture::PlayerHand:
        return "playerHand";
    case Picture::PaperChoice:
        return "paperChoice";
    case Picture::RockChoice:
        return "rockChoice";
    case Picture::ScissorsChoice:
        return "scissorsChoice";
    }
    return "?";
}

const char* NameOf(TextItem item) {
    switch (item) {
    case TextItem::ScoreCell:
        return "scoreCell";
    case TextItem::MessageCell:
        return "messageCell";
    case TextItem::PlayButton:
        return "playButton";
    }
    return "?";
}

// The pictures as the game window builds them, before its idle picture.
RecordingView::RecordingView() {
    pictures[Picture::Banner].frame = 0;
    pictures[Picture::ComputerHand].frame = 3;
    pictures[Picture::PlayerHand].frame = 1;
    pictures[Picture::PaperChoice].frame = 0;
    pictures[Picture::RockChoice].frame = 1;
    pictures[Picture::ScissorsChoice].frame = 2;
    texts[TextItem::PlayButton] = "GIOCA";
}

void RecordingView::SetFrame(Picture picture, int frame) {
    pictures[picture].frame = frame;
    log.push_back(std::string("frame ") + NameOf(picture) + " " + std::to_string(frame));
}

void RecordingView::Show(Picture picture) {
    pictures[picture].visible = true;
    log.push_back(std::string("show ") + NameOf(picture));
}

void RecordingView::Hide(Picture picture) {
    pictures[picture].visible = false;
    log.push_back(std::string("hide ") + NameOf(picture));
}

void RecordingView::SetText(TextItem item, const std::string& text) {
    texts[item] = text;
    log.push_back(std::string("text ") + NameOf(item) + " " + text);
}

void RecordingView::Play(int soundId) {
    sounds.push_back(soundId);
    log.push_back("sound " + std::to_string(soundId));
    if (duringSound)
        duringSound();
}

void RecordingView::FocusForm() {
    log.push_back("focus");
}

SYSTEMTIME FakeClock::Now() {
    // 29 March 2026, 09:00 local time, plus the elapsed milliseconds.
    SYSTEMTIME start{2026, 3, 0, 29, 9, 0, 0, 0};
    FILETIME file;
    SystemTimeToFileTime(&start, &file);
    ULARGE_INTEGER ticks;
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    ticks.QuadPart += static_cast<ULONGLONG>(now * 10000);
    file.dwLowDateTime = ticks.LowPart;
    file.dwHighDateTime = ticks.HighPart;
    SYSTEMTIME result;
    FileTimeToSystemTime(&file, &result);
    return result;
}

int FakeRandom::Next() {
    ++draws;
    const int value = script[next % script.size()];
    ++next;
    return value;
}

} // namespace MyGame
