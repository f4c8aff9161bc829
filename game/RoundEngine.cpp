#include "game/RoundEngine.h"

#include <cstdlib>
#include <ctime>
#include <utility>

#include "res/ResourceIds.h"
#include "util/Numbers.h"

namespace MyGame {

namespace {

// Banner strip frames.
constexpr int kBannerTitle = 0;
constexpr int kBannerLastCount = 3;
constexpr int kBannerWon = 4;
constexpr int kBannerLost = 5;
constexpr int kBannerDraw = 6;

// Hands strip frames shown while no round runs.
constexpr int kComputerScissors = 3;
constexpr int kPlayerRock = 1;

class LocalTimeClock : public Clock {
public:
    SYSTEMTIME Now() override {
        SYSTEMTIME now;
        GetLocalTime(&now);
        return now;
    }
};

class CrtRandom : public RandomSource {
public:
    void Seed() override { std::srand(static_cast<unsigned>(std::time(nullptr))); }
    int Next() override { return std::rand(); }
};

int64_t Ticks(const FILETIME& time) {
    return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) |
                                time.dwLowDateTime);
}

} // namespace

Clock& LocalClock() {
    static LocalTimeClock clock;
    return clock;
}

RandomSource& StandardRandom() {
    static CrtRandom random;
    return random;
}

EngineTiming& ProcessTiming() {
    static EngineTiming timing;
    return timing;
}

Outcome Decide(int pick, int computer) {
    if (pick + computer == 5)
        return Outcome::Draw;
    const bool wins = (pick == 0 && computer == 4) || (pick == 1 && computer == 3) ||
                      (pick == 2 && computer == 5);
    return wins ? Outcome::Win : Outcome::Loss;
}

RoundEngine::RoundEngine(RoundView& view, Clock& clock, RandomSource& random, EngineTiming& timing)
    : view(view), clock(clock), random(random), timing(timing) {}

void RoundEngine::OnTimerTick() {
    if (!timing.stamped) {
        timing.lastStamp = clock.Now();
        timing.stamped = true;
    }
    // A tick that arrives while another is being processed (a handler may
    // pump messages) does nothing.
    if (timing.tickBusy)
        return;
    timing.tickBusy = true;
    if (playing)
        Step();
    timing.tickBusy = false;
}

// At or beyond: a score past the mark must still end the match.
bool RoundEngine::MatchPoint() const {
    return playerScore >= kWinningScore || computerScore >= kWinningScore;
}

bool RoundEngine::Choosing() {
    return playing && view.GetFrame(Picture::Banner) == kBannerLastCount &&
           !view.IsVisible(Picture::Banner);
}

// One step of a running match, taken when its interval has passed; at
// match point every tick passes, so the match ends without the result pause.
void RoundEngine::Step() {
    const int threshold = timing.resultPhase ? kResultPause : kStepInterval;
    const SYSTEMTIME now = clock.Now();
    const int64_t elapsed = ElapsedSinceStamp(now);
    // The local clock went back (by hand or for daylight saving): start the
    // interval again from now rather than wait for the clock to catch up.
    if (elapsed < 0)
        timing.lastStamp = now;
    if (!(elapsed > threshold || MatchPoint()))
        return;

    if (timing.resultPhase) {
        if (MatchPoint())
            EndMatch();
        else
            ResetRound();
        timing.resultPhase = false;
    }

    const int frame = view.GetFrame(Picture::Banner);
    if (frame < kBannerLastCount) {
        view.SetFrame(Picture::Banner, frame + 1);
        view.Play(IDW_TICK);
        if (frame + 1 == 1)
            view.Show(Picture::Banner);
    } else if (frame == kBannerLastCount) {
        // The countdown is over: offer the choices and draw the computer's
        // move now, before the player picks; it stays hidden until then.
        if (view.IsVisible(Picture::Banner)) {
            view.Hide(Picture::Banner);
            view.Show(Picture::PaperChoice);
            view.Show(Picture::RockChoice);
            view.Show(Picture::ScissorsChoice);
            if (!timing.randomSeeded) {
                random.Seed();
                timing.randomSeeded = true;
            }
            view.SetFrame(Picture::ComputerHand, RandomBetween(1, 3) + 2);
        }
    } else {
        timing.resultPhase = true;
    }
    timing.lastStamp = clock.Now();
}

void RoundEngine::OnChoiceClicked(Picture clicked) {
    // Only a shown choice counts, and only while the player is choosing: a
    // press that still arrives after the pick (input queued while the
    // program was busy, a posted message) must not score the round again.
    const bool choice = clicked == Picture::PaperChoice || clicked == Picture::RockChoice ||
                        clicked == Picture::ScissorsChoice;
    if (!choice || !view.IsVisible(clicked) || !Choosing())
        return;
    view.Show(Picture::ComputerHand);
    const int computer = view.GetFrame(Picture::ComputerHand);
    const int pick = view.GetFrame(clicked);
    view.SetFrame(Picture::PlayerHand, pick);
    view.Show(Picture::PlayerHand);

    switch (Decide(pick, computer)) {
    case Outcome::Win:
        view.SetFrame(Picture::Banner, kBannerWon);
        view.Play(IDW_ROUND_WON);
        ++playerScore;
        break;
    case Outcome::Loss:
        view.SetFrame(Picture::Banner, kBannerLost);
        view.Play(IDW_ROUND_LOST);
        ++computerScore;
        break;
    case Outcome::Draw:
        view.SetFrame(Picture::Banner, kBannerDraw);
        break;
    }

    view.Show(Picture::Banner);
    view.Hide(Picture::PaperChoice);
    view.Hide(Picture::RockChoice);
    view.Hide(Picture::ScissorsChoice);
    UpdateScore();
}

void RoundEngine::StartMatch() {
    playerScore = 0;
    computerScore = 0;
    ResetRound();
    playing = true;
    view.SetText(TextItem::PlayButton, kAbandonCaption);
    view.FocusForm();
}

// The scores and the message stay; so does a result pause, so a new match
// still waits for it to end.
void RoundEngine::AbandonMatch() {
    playing = false;
    view.SetText(TextItem::PlayButton, kPlayCaption);
    ShowIdle();
}

void RoundEngine::UpdateScore() {
    view.SetText(TextItem::ScoreCell, "Punteggio: " + TarnUtility::ToDecimal(playerScore) + " - " +
                                          TarnUtility::ToDecimal(computerScore));
}

void RoundEngine::ResetRound() {
    UpdateScore();
    view.SetFrame(Picture::Banner, kBannerTitle);
    view.Hide(Picture::Banner);
    view.Hide(Picture::ComputerHand);
    view.Hide(Picture::PlayerHand);
    view.Hide(Picture::PaperChoice);
    view.Hide(Picture::RockChoice);
    view.Hide(Picture::ScissorsChoice);
    view.SetText(TextItem::MessageCell, "");
}

// The last result and both hands stay on show.
void RoundEngine::EndMatch() {
    UpdateScore();
    view.SetText(TextItem::PlayButton, kPlayCaption);
    playing = false;
    view.SetText(TextItem::MessageCell, "Fine partita");
}

void RoundEngine::ShowIdle() {
    view.Show(Picture::Banner);
    view.SetFrame(Picture::Banner, kBannerTitle);
    view.Show(Picture::ComputerHand);
    view.SetFrame(Picture::ComputerHand, kComputerScissors);
    view.Show(Picture::PlayerHand);
    view.SetFrame(Picture::PlayerHand, kPlayerRock);
    view.Hide(Picture::PaperChoice);
    view.Hide(Picture::RockChoice);
    view.Hide(Picture::ScissorsChoice);
}

// Whole milliseconds, negative when the local clock went back.
int64_t RoundEngine::ElapsedSinceStamp(const SYSTEMTIME& now) const {
    FILETIME last{};
    FILETIME current{};
    SystemTimeToFileTime(&timing.lastStamp, &last);
    if (!SystemTimeToFileTime(&now, &current))
        return 0;
    return (Ticks(current) - Ticks(last)) / 10000;
}

int32_t RoundEngine::RandomBetween(int32_t a, int32_t b) {
    if (!timing.randomSeeded) {
        random.Seed();
        timing.randomSeeded = true;
    }
    // A reversed range means the same numbers; taking it as given would
    // divide by zero or return numbers outside it.
    if (b < a)
        std::swap(a, b);
    const int64_t span = static_cast<int64_t>(b) - a + 1;
    return static_cast<int32_t>(a + random.Next() % span);
}

} // namespace MyGame
