// The engine's single operations: the rules table, the clock arithmetic, the
// generator and the order in which the steps change the window.
#include "engine/FakeRound.h"

#include <set>

namespace MyGame {
namespace {

using Log = std::vector<std::string>;

TEST(Decide, PaperBeatsRockRockBeatsScissorsScissorsBeatPaper) {
    // Rows: the player's paper, rock, scissors; columns: the computer's
    // scissors (3), rock (4), paper (5).
    const Outcome table[3][3] = {
        {Outcome::Loss, Outcome::Win, Outcome::Draw},
        {Outcome::Win, Outcome::Draw, Outcome::Loss},
        {Outcome::Draw, Outcome::Loss, Outcome::Win},
    };
    for (int pick = 0; pick < 3; ++pick)
        for (int computer = 3; computer < 6; ++computer) {
            EXPECT_EQ(Decide(pick, computer), table[pick][computer - 3])
                << "pick " << pick << " computer " << computer;
            EXPECT_EQ(Decide(pick, computer) == Outcome::Draw, pick + computer == 5);
        }
}

class Elapsed : public EngineTest {};

TEST_F(Elapsed, CountsWholeMillisecondsSinceTheStamp) {
    clock.Set(0);
    timing.lastStamp = clock.Now();
    clock.Set(1234);
    EXPECT_EQ(engine.ElapsedSinceStamp(clock.Now()), 1234);
    clock.Set(-1500);
    EXPECT_EQ(engine.ElapsedSinceStamp(clock.Now()), -1500);
}

TEST_F(Elapsed, CrossesMidnight) {
    timing.lastStamp = SYSTEMTIME{2026, 12, 0, 31, 23, 59, 59, 500};
    EXPECT_EQ(engine.ElapsedSinceStamp(SYSTEMTIME{2027, 1, 0, 1, 0, 0, 0, 700}), 1200);
}

TEST_F(Elapsed, IsZeroForATimeThatIsNoDate) {
    clock.Set(0);
    timing.lastStamp = clock.Now();
    EXPECT_EQ(engine.ElapsedSinceStamp(SYSTEMTIME{2026, 13, 0, 40, 25, 0, 0, 0}), 0);
}

class Random : public EngineTest {};

TEST_F(Random, SeedsOnceAndStaysInRange) {
    random.script = {0, 1, 2, 3, 4, 5, 32767};
    std::vector<int> got;
    for (int i = 0; i < 7; ++i)
        got.push_back(engine.RandomBetween(1, 3));
    EXPECT_EQ(got, (std::vector<int>{1, 2, 3, 1, 2, 3, 2}));
    for (int i = 0; i < 50; ++i) {
        const int value = engine.RandomBetween(5, 9);
        EXPECT_GE(value, 5);
        EXPECT_LE(value, 9);
    }
    EXPECT_EQ(engine.RandomBetween(7, 7), 7);
    EXPECT_EQ(random.seeds, 1);
    EXPECT_TRUE(timing.randomSeeded);
}

TEST_F(Random, AReversedRangeMeansTheSameNumbers) {
    random.script = {0, 1, 2, 3, 4};
    std::set<int> got;
    for (int i = 0; i < 5; ++i)
        got.insert(engine.RandomBetween(9, 5));
    EXPECT_EQ(got, (std::set<int>{5, 6, 7, 8, 9}));
    const int negative = engine.RandomBetween(3, -3);
    EXPECT_GE(negative, -3);
    EXPECT_LE(negative, 3);
}

TEST_F(Random, TheShippedGeneratorGivesEveryComputerMove) {
    RoundEngine real(view, clock, StandardRandom(), timing);
    std::set<int> got;
    for (int i = 0; i < 300; ++i)
        got.insert(real.RandomBetween(1, 3));
    EXPECT_EQ(got, (std::set<int>{1, 2, 3}));
}

class Steps : public EngineTest {};

TEST_F(Steps, ShowIdleShowsTheTitleAndTheIdleHands) {
    engine.ShowIdle();
    EXPECT_EQ(view.log, (Log{"show banner", "frame banner 0", "show computerHand",
                             "frame computerHand 3", "show playerHand", "frame playerHand 1",
                             "hide paperChoice", "hide rockChoice", "hide scissorsChoice"}));
}

TEST_F(Steps, StartMatchClearsTheTableAndOffersToAbandon) {
    engine.playerScore = 4;
    engine.computerScore = 6;
    engine.StartMatch();
    EXPECT_EQ(view.log, (Log{"text scoreCell Punteggio: 0 - 0", "frame banner 0", "hide banner",
                             "hide computerHand", "hide playerHand", "hide paperChoice",
                             "hide rockChoice", "hide scissorsChoice", "text messageCell ",
                             "text playButton ABBANDONA", "focus"}));
    EXPECT_TRUE(engine.playing);
}

TEST_F(Steps, AbandonKeepsScoresAndMessage) {
    engine.StartMatch();
    engine.playerScore = 2;
    engine.computerScore = 5;
    view.texts[TextItem::MessageCell] = "x";
    view.log.clear();
    engine.AbandonMatch();
    EXPECT_FALSE(engine.playing);
    EXPECT_EQ(view.log.front(), "text playButton GIOCA");
    EXPECT_EQ(view.Text(TextItem::MessageCell), "x");
    EXPECT_EQ(engine.playerScore, 2);
    EXPECT_EQ(engine.computerScore, 5);
}

TEST_F(Steps, EndMatchLeavesTheLastResultOnShow) {
    engine.playing = true;
    engine.playerScore = 10;
    engine.computerScore = 3;
    engine.EndMatch();
    EXPECT_EQ(view.log, (Log{"text scoreCell Punteggio: 10 - 3", "text playButton GIOCA",
                             "text messageCell Fine partita"}));
    EXPECT_FALSE(engine.playing);
}

TEST_F(Steps, TheScoreLineHasNothingBetweenItsParts) {
    engine.playerScore = 3;
    engine.computerScore = 7;
    engine.UpdateScore();
    EXPECT_EQ(view.Text(TextItem::ScoreCell), "Punteggio: 3 - 7");
}

} // namespace
} // namespace MyGame
