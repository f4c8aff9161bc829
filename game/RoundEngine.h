#pragma once
// The rules and the timing of a match of rock-paper-scissors against the
// computer. The engine knows nothing of windows: it changes the game's
// pictures and texts, plays sounds and reads the time through the small
// interfaces below, which the game window provides and tests fake.
#include <windows.h>
#include <cstdint>
#include <string>

namespace MyGame {

// The pictures of the game window that the engine drives. Each shows one
// frame of a strip: the hands strip (frames 0-2 the player's paper, rock,
// scissors; 3-5 the computer's scissors, rock, paper) or, for the banner,
// the banner strip (frame 0 the title, 1-3 the countdown, 4-6 the results).
enum class Picture { Banner, ComputerHand, PlayerHand, PaperChoice, RockChoice, ScissorsChoice };

// The texts the engine writes or reads.
enum class TextItem { ScoreCell, MessageCell, PlayButton };

class RoundView {
public:
    virtual ~RoundView() = default;
    virtual void SetFrame(Picture picture, int frame) = 0; // repaints the picture
    virtual int GetFrame(Picture picture) = 0;
    virtual void Show(Picture picture) = 0;
    virtual void Hide(Picture picture) = 0;
    virtual bool IsVisible(Picture picture) = 0;
    virtual void SetText(TextItem item, const std::string& text) = 0;
    virtual std::string GetText(TextItem item) = 0;
    virtual void Play(int soundId) = 0; // asynchronous; cuts the one playing
    virtual void FocusForm() = 0;
};

// Local time to the millisecond.
class Clock {
public:
    virtual ~Clock() = default;
    virtual SYSTEMTIME Now() = 0;
};

// The standard library's generator: Seed() is srand(time), Next() is rand().
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Seed() = 0;
    virtual int Next() = 0;
};

// The program's clock (GetLocalTime) and generator (srand, rand).
Clock& LocalClock();
RandomSource& StandardRandom();

// Timing state that exists once per process, however many engines there
// are; tests give each engine a fresh one.
struct EngineTiming {
    SYSTEMTIME lastStamp{};    // time of the last engine step
    bool stamped = false;      // lastStamp has been read once
    bool tickBusy = false;     // a tick is being processed
    bool resultPhase = false;  // a result is on show: the pause is 3000 ms
    bool randomSeeded = false; // srand has run
};
EngineTiming& ProcessTiming();

enum class Outcome { Win, Loss, Draw };

// The player's pick (frame 0-2) against the computer's move (frame 3-5):
// paper beats rock, rock beats scissors, scissors beat paper; frames that
// add up to 5 show the same move.
Outcome Decide(int pick, int computer);

class RoundEngine {
public:
    static constexpr int kStepInterval = 1000; // ms between countdown steps
    static constexpr int kResultPause = 3000;  // ms a result stays before the next round
    static constexpr int kWinningScore = 10;
    // The play button's captions: which one it shows tells whether it
    // starts or abandons a match.
    static constexpr const char* kPlayCaption = "GIOCA";
    static constexpr const char* kAbandonCaption = "ABBANDONA";

    RoundEngine(RoundView& view, Clock& clock, RandomSource& random,
                EngineTiming& timing = ProcessTiming());
    RoundEngine(const RoundEngine&) = delete;
    RoundEngine& operator=(const RoundEngine&) = delete;

    bool playing = false;
    int32_t playerScore = 0;
    int32_t computerScore = 0;

    void OnTimerTick();
    // The player picked one of the choices; anything else, or a pick while
    // the player is not choosing, is ignored.
    void OnChoiceClicked(Picture clicked);
    void StartMatch();
    void AbandonMatch();
    void UpdateScore();
    void ResetRound();
    void EndMatch();
    void ShowIdle();
    int64_t ElapsedSinceStamp(const SYSTEMTIME& now) const;
    int32_t RandomBetween(int32_t a, int32_t b);
    // A match is on, the countdown has ended and the choices are offered.
    bool Choosing();

private:
    bool MatchPoint() const;
    void Step();

    RoundView& view;
    Clock& clock;
    RandomSource& random;
    EngineTiming& timing;
};

} // namespace MyGame
