// Whole matches on the fake clock: the countdown, the result pause, the end
// of a match, abandoning, and the clock going wrong.
#include "engine/FakeRound.h"

namespace MyGame {
namespace {

constexpr int kTick = 1008, kWon = 1009, kLost = 1010;

using Log = std::vector<std::string>;

class Match : public EngineTest {};

TEST_F(Match, CountdownStepsComeOnlyAfterMoreThanASecond) {
    engine.StartMatch();
    view.log.clear();

    TickAt(1000);
    EXPECT_TRUE(view.log.empty());
    TickAt(1001);
    EXPECT_EQ(view.log, (Log{"frame banner 1", "sound 1008", "show banner"}));

    view.log.clear();
    TickAt(2001);
    EXPECT_TRUE(view.log.empty());
    TickAt(2002);
    EXPECT_EQ(view.log, (Log{"frame banner 2", "sound 1008"}));
    TickAt(3003);
    EXPECT_EQ(view.Frame(Picture::Banner), 3);
    EXPECT_TRUE(view.Visible(Picture::Banner));
    EXPECT_FALSE(Choosing());

    random.script = {1};
    view.log.clear();
    TickAt(4004);
    EXPECT_EQ(view.log, (Log{"hide banner", "show paperChoice", "show rockChoice",
                             "show scissorsChoice", "frame computerHand 4"}));
    EXPECT_EQ(view.sounds, (std::vector<int>{kTick, kTick, kTick}));
}

TEST_F(Match, AfterALongIdleTheFirstTickStartsTheCountdown) {
    TickUntil([this] { return clock.Millis() >= 5000; });
    engine.StartMatch();
    TickAt(clock.Millis() + 30);
    EXPECT_EQ(view.Frame(Picture::Banner), 1);
    EXPECT_TRUE(view.Visible(Picture::Banner));
}

TEST_F(Match, TheComputerMovesWhenTheCountdownEndsAndStaysHiddenUntilThePick) {
    engine.StartMatch();
    random.script = {2};
    TickUntil([this] { return Choosing(); });
    EXPECT_EQ(random.draws, 1);
    EXPECT_EQ(view.Frame(Picture::ComputerHand), 5);
    EXPECT_FALSE(view.Visible(Picture::ComputerHand));
    EXPECT_FALSE(view.Visible(Picture::Banner));

    // The player may take any time to choose; nothing is drawn again.
    TickUntil([this] { return clock.Millis() > 20000; });
    EXPECT_TRUE(Choosing());
    engine.OnChoiceClicked(Picture::ScissorsChoice);
    EXPECT_EQ(random.draws, 1);
    EXPECT_EQ(random.seeds, 1);
    EXPECT_TRUE(view.Visible(Picture::ComputerHand));
    EXPECT_EQ(view.Frame(Picture::ComputerHand), 5);
}

struct OutcomeCase {
    Picture pick;
    int draw; // the computer shows frame 3 + draw
    int banner;
    int sound; // 0: silent
    int player, computer;
};

class Outcomes : public EngineTest, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(Outcomes, BannerSoundAndPoints) {
    const OutcomeCase c = GetParam();
    engine.StartMatch();
    PlayRound(c.pick, c.draw);

    EXPECT_EQ(view.Frame(Picture::Banner), c.banner);
    EXPECT_TRUE(view.Visible(Picture::Banner));
    EXPECT_EQ(view.Frame(Picture::ComputerHand), 3 + c.draw);
    EXPECT_TRUE(view.Visible(Picture::ComputerHand));
    EXPECT_EQ(view.Frame(Picture::PlayerHand), view.Frame(c.pick));
    EXPECT_TRUE(view.Visible(Picture::PlayerHand));
    EXPECT_FALSE(view.Visible(Picture::PaperChoice));
    EXPECT_FALSE(view.Visible(Picture::RockChoice));
    EXPECT_FALSE(view.Visible(Picture::ScissorsChoice));

    std::vector<int> expected{kTick, kTick, kTick};
    if (c.sound)
        expected.push_back(c.sound);
    EXPECT_EQ(view.sounds, expected);
    EXPECT_EQ(engine.playerScore, c.player);
    EXPECT_EQ(engine.computerScore, c.computer);
    EXPECT_EQ(view.Text(TextItem::ScoreCell),
              "Punteggio: " + std::to_string(c.player) + " - " + std::to_string(c.computer));
}

INSTANTIATE_TEST_SUITE_P(AllNine, Outcomes,
                         ::testing::Values(OutcomeCase{Picture::PaperChoice, 0, 5, kLost, 0, 1},
                                           OutcomeCase{Picture::PaperChoice, 1, 4, kWon, 1, 0},
                                           OutcomeCase{Picture::PaperChoice, 2, 6, 0, 0, 0},
                                           OutcomeCase{Picture::RockChoice, 0, 4, kWon, 1, 0},
                                           OutcomeCase{Picture::RockChoice, 1, 6, 0, 0, 0},
                                           OutcomeCase{Picture::RockChoice, 2, 5, kLost, 0, 1},
                                           OutcomeCase{Picture::ScissorsChoice, 0, 6, 0, 0, 0},
                                           OutcomeCase{Picture::ScissorsChoice, 1, 5, kLost, 0, 1},
                                           OutcomeCase{Picture::ScissorsChoice, 2, 4, kWon, 1, 0}));

TEST_F(Match, AResultStaysForMoreThanThreeSecondsThenTheNextCountdownStarts) {
    engine.StartMatch();
    const int64_t choices = TickUntil([this] { return Choosing(); });
    clock.Set(choices + 200);
    engine.OnChoiceClicked(Picture::RockChoice); // within the second: the pause waits for it

    view.log.clear();
    TickAt(choices + 1000);
    TickAt(choices + 1001); // the result pause begins, nothing changes on screen
    EXPECT_TRUE(view.log.empty());
    EXPECT_TRUE(timing.resultPhase);

    TickAt(choices + 1001 + 3000);
    EXPECT_TRUE(view.log.empty());

    view.sounds.clear();
    TickAt(choices + 1001 + 3001);
    EXPECT_FALSE(timing.resultPhase);
    EXPECT_EQ(view.Frame(Picture::Banner), 1);
    EXPECT_TRUE(view.Visible(Picture::Banner));
    EXPECT_FALSE(view.Visible(Picture::ComputerHand));
    EXPECT_FALSE(view.Visible(Picture::PlayerHand));
    EXPECT_EQ(view.Text(TextItem::MessageCell), "");
    EXPECT_EQ(view.sounds, (std::vector<int>{kTick}));
}

TEST_F(Match, ASlowPickStartsThePauseOnTheNextTick) {
    engine.StartMatch();
    const int64_t choices = TickUntil([this] { return Choosing(); });
    clock.Set(choices + 7000);
    engine.OnChoiceClicked(Picture::PaperChoice);
    TickAt(choices + 7030);
    EXPECT_TRUE(timing.resultPhase);
}

TEST_F(Match, TheMatchEndsTwoTicksAfterTheTenthPointWithoutAPause) {
    engine.StartMatch();
    for (int round = 0; round < 10; ++round)
        PlayRound(Picture::PaperChoice, 1); // paper against rock
    EXPECT_EQ(engine.playerScore, 10);

    const int64_t pick = clock.Millis();
    TickAt(pick + 30);
    EXPECT_TRUE(engine.playing);
    EXPECT_EQ(view.Text(TextItem::PlayButton), "ABBANDONA");
    TickAt(pick + 60);
    EXPECT_FALSE(engine.playing);
    EXPECT_EQ(view.Text(TextItem::PlayButton), "GIOCA");
    EXPECT_EQ(view.Text(TextItem::MessageCell), "Fine partita");
    EXPECT_EQ(view.Text(TextItem::ScoreCell), "Punteggio: 10 - 0");
    EXPECT_EQ(view.Frame(Picture::Banner), 4);
    EXPECT_TRUE(view.Visible(Picture::Banner));
    EXPECT_TRUE(view.Visible(Picture::ComputerHand));
    EXPECT_TRUE(view.Visible(Picture::PlayerHand));

    view.log.clear();
    TickUntil([this] { return clock.Millis() > 20000; });
    EXPECT_TRUE(view.log.empty());
}

TEST_F(Match, TheComputerCanWinTooAndTheScoreReadsBothSides) {
    engine.StartMatch();
    for (int round = 0; round < 3; ++round)
        PlayRound(Picture::RockChoice, 0); // rock against scissors
    for (int round = 0; round < 7; ++round)
        PlayRound(Picture::RockChoice, 2); // rock against paper
    EXPECT_EQ(view.Text(TextItem::ScoreCell), "Punteggio: 3 - 7");
    for (int round = 0; round < 3; ++round)
        PlayRound(Picture::ScissorsChoice, 1); // scissors against rock
    TickAt(clock.Millis() + 30);
    TickAt(clock.Millis() + 30);
    EXPECT_FALSE(engine.playing);
    EXPECT_EQ(view.Text(TextItem::ScoreCell), "Punteggio: 3 - 10");
    EXPECT_EQ(view.Frame(Picture::Banner), 5);

    engine.StartMatch();
    EXPECT_EQ(view.Text(TextItem::ScoreCell), "Punteggio: 0 - 0");
}

TEST_F(Match, ANewMatchSoonAfterTheEndWaitsForThePause) {
    engine.StartMatch();
    for (int round = 0; round < 10; ++round)
        PlayRound(Picture::PaperChoice, 1);
    TickAt(clock.Millis() + 30);
    const int64_t end = clock.Millis() + 30;
    TickAt(end);
    ASSERT_FALSE(engine.playing);

    clock.Set(end + 500);
    engine.StartMatch();
    view.sounds.clear();
    TickUntil([this, end] { return clock.Millis() >= end + 2990; });
    TickAt(end + 3000);
    EXPECT_FALSE(view.Visible(Picture::Banner));
    EXPECT_TRUE(view.sounds.empty());
    TickAt(end + 3001);
    EXPECT_EQ(view.Frame(Picture::Banner), 1);
    EXPECT_EQ(view.sounds, (std::vector<int>{kTick}));
}

TEST_F(Match, ANewMatchAfterAbandoningAPauseWaitsForThePause) {
    engine.StartMatch();
    PlayRound(Picture::PaperChoice, 2);
    const int64_t pause = TickUntil([this] { return timing.resultPhase; });
    clock.Set(pause + 100);
    engine.AbandonMatch();
    clock.Set(pause + 200);
    engine.StartMatch();
    TickAt(pause + 3000);
    EXPECT_FALSE(view.Visible(Picture::Banner));
    TickAt(pause + 3001);
    EXPECT_EQ(view.Frame(Picture::Banner), 1);
}

// Brings a match to one of its states, then abandons it.
class Abandon : public EngineTest, public ::testing::WithParamInterface<int> {
protected:
    void Reach(int state) {
        engine.StartMatch();
        if (state == 0)
            return; // starting: nothing has happened yet
        if (state == 1) {
            TickUntil([this] { return view.Frame(Picture::Banner) == 2; });
            return; // countdown
        }
        PlayRound(Picture::RockChoice, 1);
        if (state == 2) {
            // choosing: undo the pick by reaching the next round's choices
            TickUntil([this] { return Choosing(); });
            return;
        }
        if (state == 3)
            return;                                       // result
        TickUntil([this] { return timing.resultPhase; }); // result pause
    }
};

TEST_P(Abandon, ShowsTheIdleTableAndKeepsTheScore) {
    Reach(GetParam());
    const std::string score = view.Text(TextItem::ScoreCell);
    const std::string message = view.Text(TextItem::MessageCell);

    engine.AbandonMatch();
    EXPECT_FALSE(engine.playing);
    EXPECT_EQ(view.Text(TextItem::PlayButton), "GIOCA");
    EXPECT_EQ(view.Frame(Picture::Banner), 0);
    EXPECT_TRUE(view.Visible(Picture::Banner));
    EXPECT_EQ(view.Frame(Picture::ComputerHand), 3);
    EXPECT_TRUE(view.Visible(Picture::ComputerHand));
    EXPECT_EQ(view.Frame(Picture::PlayerHand), 1);
    EXPECT_TRUE(view.Visible(Picture::PlayerHand));
    EXPECT_FALSE(view.Visible(Picture::PaperChoice));
    EXPECT_FALSE(view.Visible(Picture::RockChoice));
    EXPECT_FALSE(view.Visible(Picture::ScissorsChoice));
    EXPECT_EQ(view.Text(TextItem::ScoreCell), score);
    EXPECT_EQ(view.Text(TextItem::MessageCell), message);

    view.log.clear();
    TickUntil([this] { return clock.Millis() > 30000; });
    EXPECT_TRUE(view.log.empty());
}

std::string StateName(const ::testing::TestParamInfo<int>& info) {
    static const char* const names[] = {"Starting", "Countdown", "Choosing", "Result",
                                        "ResultPause"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(EveryState, Abandon, ::testing::Range(0, 5), StateName);

TEST_F(Match, AbandoningWhileChoosingDrawsAFreshMoveNextMatch) {
    engine.StartMatch();
    random.script = {0};
    TickUntil([this] { return Choosing(); });
    EXPECT_EQ(view.Frame(Picture::ComputerHand), 3);
    engine.AbandonMatch();

    engine.StartMatch();
    random.script = {2};
    random.next = 0;
    TickUntil([this] { return Choosing(); });
    EXPECT_EQ(random.draws, 2);
    EXPECT_EQ(view.Frame(Picture::ComputerHand), 5);
}

TEST_F(Match, ATickArrivingDuringATickDoesNothing) {
    engine.StartMatch();
    int inner = 0;
    view.duringSound = [&] {
        ++inner;
        clock.Advance(5000);
        engine.OnTimerTick();
    };
    TickAt(1001);
    view.duringSound = nullptr;
    EXPECT_EQ(inner, 1);
    EXPECT_EQ(view.Frame(Picture::Banner), 1);
    EXPECT_EQ(view.sounds.size(), 1u);
    EXPECT_FALSE(timing.tickBusy);

    TickAt(clock.Millis() + 1001);
    EXPECT_EQ(view.Frame(Picture::Banner), 2);
}

TEST_F(Match, AClockSetBackWaitsOneIntervalNotUntilItCatchesUp) {
    engine.StartMatch();
    TickAt(1001);
    ASSERT_EQ(view.Frame(Picture::Banner), 1);

    const int64_t back = 1001 - 60 * 60 * 1000 + 500; // daylight saving ends
    view.log.clear();
    TickAt(back);
    EXPECT_TRUE(view.log.empty());
    TickAt(back + 1000);
    EXPECT_TRUE(view.log.empty());
    TickAt(back + 1001);
    EXPECT_EQ(view.Frame(Picture::Banner), 2);
}

TEST_F(Match, AClockSetBackStillEndsAMatchAtTenPoints) {
    engine.StartMatch();
    for (int round = 0; round < 10; ++round)
        PlayRound(Picture::ScissorsChoice, 2); // scissors against paper
    const int64_t back = clock.Millis() - 60 * 60 * 1000;
    TickAt(back);
    TickAt(back + 30);
    EXPECT_FALSE(engine.playing);
    EXPECT_EQ(view.Text(TextItem::MessageCell), "Fine partita");
}

// Choosing: the countdown has ended (the banner hidden at its last digit)
// while a match is on. The choices must show exactly then, at every tick.
TEST_F(Match, TheChoicesAreOnShowOnlyWhileChoosing) {
    auto check = [this] {
        const bool choosing =
            engine.playing && view.Frame(Picture::Banner) == 3 && !view.Visible(Picture::Banner);
        ASSERT_EQ(Choosing(), choosing) << "at " << clock.Millis() << " ms";
        ASSERT_TRUE(view.Visible(Picture::PaperChoice) == view.Visible(Picture::RockChoice) &&
                    view.Visible(Picture::RockChoice) == view.Visible(Picture::ScissorsChoice));
    };
    engine.StartMatch();
    random.script = {0};
    for (int round = 0; round < 12 && engine.playing; ++round) {
        for (int ticks = 0; !Choosing() && engine.playing; ++ticks) {
            ASSERT_LT(ticks, 2000) << "a minute passes and no choice comes";
            clock.Advance(30);
            engine.OnTimerTick();
            check();
        }
        engine.OnChoiceClicked(Picture::RockChoice); // rock against scissors
        check();
    }
    TickUntil([this] { return !engine.playing; });
    check();
    EXPECT_EQ(engine.playerScore, 10);
}

// A press reaching a choice picture outside the choosing state (queued
// input, a posted message) changes nothing and plays nothing.
TEST_F(Match, APickCountsOnlyWhileChoosing) {
    auto pickChangesNothing = [this](Picture picture) {
        const std::vector<std::string> before = view.log;
        engine.OnChoiceClicked(picture);
        return view.log == before;
    };
    EXPECT_TRUE(pickChangesNothing(Picture::RockChoice)); // idle
    engine.StartMatch();
    TickAt(1001); // the countdown's first digit
    view.Show(Picture::RockChoice);
    EXPECT_TRUE(pickChangesNothing(Picture::RockChoice));
    view.Hide(Picture::RockChoice);

    TickUntil([this] { return Choosing(); });
    EXPECT_TRUE(pickChangesNothing(Picture::Banner));
    engine.OnChoiceClicked(Picture::PaperChoice);
    const int scored = engine.playerScore + engine.computerScore;
    view.Show(Picture::PaperChoice); // as if the press came before the hiding
    EXPECT_TRUE(pickChangesNothing(Picture::PaperChoice));
    EXPECT_EQ(engine.playerScore + engine.computerScore, scored);
}

TEST_F(Match, AScorePastTenStillEndsTheMatch) {
    engine.StartMatch();
    PlayRound(Picture::RockChoice, 0); // rock against scissors
    engine.playerScore = 11;
    TickAt(clock.Millis() + 30);
    TickAt(clock.Millis() + 30);
    EXPECT_FALSE(engine.playing);
    EXPECT_EQ(view.Text(TextItem::MessageCell), "Fine partita");
}

} // namespace
} // namespace MyGame
