#pragma once
// Stand-ins for the game window, the clock and the generator, so that whole
// matches run in microseconds and always the same way.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "game/RoundEngine.h"

namespace MyGame {

const char* NameOf(Picture picture);
const char* NameOf(TextItem item);

// Remembers each picture's frame and visibility and each text, and logs
// every call in order.
class RecordingView : public RoundView {
public:
    struct PictureState {
        int frame = 0;
        bool visible = true;
    };

    RecordingView();

    void SetFrame(Picture picture, int frame) override;
    int GetFrame(Picture picture) override { return pictures[picture].frame; }
    void Show(Picture picture) override;
    void Hide(Picture picture) override;
    bool IsVisible(Picture picture) override { return pictures[picture].visible; }
    void SetText(TextItem item, const std::string& text) override;
    std::string GetText(TextItem item) override { return texts[item]; }
    void Play(int soundId) override;
    void FocusForm() override;

    int Frame(Picture picture) { return pictures[picture].frame; }
    bool Visible(Picture picture) { return pictures[picture].visible; }
    std::string Text(TextItem item) { return texts[item]; }

    std::map<Picture, PictureState> pictures;
    std::map<TextItem, std::string> texts;
    std::vector<int> sounds;
    std::vector<std::string> log;
    std::function<void()> duringSound; // runs inside Play, as a pumped message would
};

// Local time that moves only when told, in milliseconds from a fixed start.
class FakeClock : public Clock {
public:
    SYSTEMTIME Now() override;
    void Advance(int64_t ms) { now += ms; }
    void Set(int64_t ms) { now = ms; }
    int64_t Millis() const { return now; }

private:
    int64_t now = 0;
};

// rand() answers from a script, repeated when it runs out; Seed() is counted.
class FakeRandom : public RandomSource {
public:
    void Seed() override { ++seeds; }
    int Next() override;
    std::vector<int> script{0};
    size_t next = 0;
    int seeds = 0;
    int draws = 0;
};

} // namespace MyGame

#include <gtest/gtest.h>

namespace MyGame {

// An engine on fakes, showing the idle picture as the game window does once
// it is built; the first tick has stamped the time 0.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.UpdateScore();
        engine.ShowIdle();
        engine.OnTimerTick();
        view.log.clear();
    }

    void TickAt(int64_t ms) {
        clock.Set(ms);
        engine.OnTimerTick();
    }

    // Ticks every 30 ms, as the game's timer does, until `done`; returns the
    // time of the tick that made it true.
    int64_t TickUntil(const std::function<bool()>& done, int64_t limitMs = 60000) {
        const int64_t end = clock.Millis() + limitMs;
        while (!done()) {
            if (clock.Millis() > end) {
                ADD_FAILURE() << "state not reached within " << limitMs << " ms";
                break;
            }
            clock.Advance(30);
            engine.OnTimerTick();
        }
        return clock.Millis();
    }

    bool Choosing() {
        return view.Visible(Picture::PaperChoice) && view.Visible(Picture::RockChoice) &&
               view.Visible(Picture::ScissorsChoice);
    }

    // Runs the countdown of the next round with the computer's draw scripted
    // (rand() = draw gives the computer frame 3 + draw % 3), then picks.
    void PlayRound(Picture pick, int draw) {
        random.script = {draw};
        random.next = 0;
        TickUntil([this] { return Choosing(); });
        engine.OnChoiceClicked(pick);
    }

    RecordingView view;
    FakeClock clock;
    FakeRandom random;
    EngineTiming timing;
    RoundEngine engine{view, clock, random, timing};
};

} // namespace MyGame
