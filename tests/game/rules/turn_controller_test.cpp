// Square clicks: refusals, the computer's pause, passes and verdicts in both modes.
#include "fake_window.h"
#include "reference_board.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace korvane::test {
namespace {

using namespace std::chrono_literals;
using Rows = std::array<const char *, 8>;

constexpr std::int32_t W = GameRules::kWhite;
constexpr std::int32_t B = GameRules::kBlack;

const std::string kIllegal = "Illegal Move.  Try again.";
const std::string kWhitePasses = "White has no legal moves.  Black's turn again.";
const std::string kBlackPasses = "Black has no legal moves.  White's turn again.";
const std::string kPersonPasses = "You have no legal moves.  My turn again.";
const std::string kComputerPasses = "I have no legal moves.  Your turn again.";
const std::string kWhiteWins = "No more moves.  Game over.  White wins!";
const std::string kBlackWins = "No more moves.  Game over.  Black wins!";
const std::string kYouWin = "No more moves.  Game over.  You win!";
const std::string kIWin = "No more moves.  Game over.  I win!";
const std::string kTie = "No more moves.  Game over.  It's a tie!";

using Messages = std::vector<std::string>;

TEST(TurnController, IllegalClickChangesNothingButRefreshes) {
    for (const bool twoPlayer : {false, true}) {
        for (const std::int16_t square : {std::int16_t{27}, std::int16_t{0}}) {
            Game game;
            game.setTwoPlayer(twoPlayer);
            game.window.setTurnText("stale");
            const Board before = game.rules.mlngBoard;

            game.rules.lblSquare_Click(square);

            EXPECT_EQ(game.window.messages, Messages{kIllegal});
            EXPECT_EQ(game.rules.mlngBoard, before);
            EXPECT_EQ(game.rules.mlngTurn, W);
            EXPECT_EQ(game.window.turnText(), "White's Turn");
            EXPECT_TRUE(game.window.waits.empty());
        }
    }
    Game game;
    game.rules.lblSquare_Click(64);
    EXPECT_EQ(game.window.messages, Messages{kIllegal});
}

TEST(TurnController, ComputerAnswersAfterAOneSecondPause) {
    Game game;
    bool pauseSeen = false;
    game.window.pauseActions.push_back([&] {
        pauseSeen = true;
        EXPECT_TRUE(game.rules.isComputerPausing());
        EXPECT_EQ(game.window.turnText(), "Black's Turn");
        EXPECT_EQ(game.rules.mlngTurn, B);
        EXPECT_EQ(game.window.discs()[20], 1);
        EXPECT_EQ(game.window.discs()[28], 1);
        EXPECT_EQ(game.window.whiteCountText(), "4");
    });

    game.rules.lblSquare_Click(20);

    EXPECT_TRUE(pauseSeen);
    EXPECT_FALSE(game.rules.isComputerPausing());
    EXPECT_EQ(game.window.waited(), 1s);
    EXPECT_TRUE(game.window.messages.empty());
    EXPECT_EQ(discCount(game.rules.mlngBoard, GameRules::kEmpty), 58);
    EXPECT_EQ(game.rules.mlngTurn, W);
    EXPECT_EQ(game.window.turnText(), "White's Turn");
    EXPECT_FALSE(legalSquares(game.rules.mlngBoard, W).empty());
    EXPECT_FALSE(game.window.modeControlsEnabled());
}

TEST(TurnController, ClicksAreRefusedWhileTheComputerIsToMoveOrTheGameIsOver) {
    struct Case {
        const char *name;
        bool twoPlayer;
        const char *turnLabel;
        bool gameOver;
    };
    const std::vector<Case> cases{
        {"computer to move", false, "Black's Turn", false},
        {"label compared without case", false, "bLACK'S tURN", false},
        {"game over, one player", false, "White Wins!", true},
        {"game over, two players", true, "It's a Tie!", true},
    };
    for (const Case &c : cases) {
        Game game;
        game.setTwoPlayer(c.twoPlayer);
        game.window.setTurnText(c.turnLabel);
        game.rules.mfGameOver = c.gameOver;
        const int refreshes = game.window.refreshes;

        game.rules.lblSquare_Click(20);
        game.rules.lblSquare_Click(0);

        EXPECT_TRUE(game.window.messages.empty()) << c.name;
        EXPECT_EQ(game.window.refreshes, refreshes) << c.name;
        EXPECT_EQ(game.rules.mlngBoard[20], GameRules::kEmpty) << c.name;
        EXPECT_EQ(game.window.turnText(), c.turnLabel) << c.name;
    }
}

TEST(TurnController, ClickDuringThePauseIsIgnored) {
    Game game;
    game.window.pauseActions.push_back([&] {
        game.rules.lblSquare_Click(29);
        game.rules.lblSquare_Click(0);
    });

    game.rules.lblSquare_Click(20);

    EXPECT_TRUE(game.window.messages.empty());
    EXPECT_EQ(discCount(game.rules.mlngBoard, GameRules::kEmpty), 58);
    EXPECT_EQ(game.window.waited(), 1s);
}

TEST(TurnController, NewGameDuringThePauseEndsTheTurnWithoutAComputerMove) {
    Game game;
    const Board opening = game.rules.mlngBoard;
    game.window.pauseActions.push_back([&] { game.rules.mnuNew_Click(); });
    // A new game says "White's Turn", but the pause still runs: this click must not start a
    // nested turn.
    game.window.pauseActions.push_back([&] { game.rules.lblSquare_Click(20); });
    game.window.clockStep = 400ms;

    game.rules.lblSquare_Click(20);

    EXPECT_EQ(game.rules.mlngBoard, opening);
    EXPECT_EQ(game.rules.mlngTurn, W);
    EXPECT_EQ(game.window.turnText(), "White's Turn");
    EXPECT_EQ(game.window.whiteCountText(), "2");
    EXPECT_EQ(game.window.blackCountText(), "2");
    EXPECT_TRUE(game.window.modeControlsEnabled());
    EXPECT_TRUE(game.window.messages.empty());

    game.rules.lblSquare_Click(20);
    EXPECT_EQ(discCount(game.rules.mlngBoard, GameRules::kEmpty), 58);
    EXPECT_EQ(game.window.turnText(), "White's Turn");
}

TEST(TurnController, PassInTwoPlayerModeGivesTheTurnBack) {
    struct Case {
        Rows rows;
        std::int32_t mover;
        std::string message;
        const char *label;
    };
    // Edge pairs: the mover can capture in each, the other side never.
    const std::vector<Case> cases{
        {{"WB......", "........", "WB......", "........", "........", "........", "........",
          "........"},
         W,
         kBlackPasses,
         "White's Turn"},
        {{"BW......", "........", "BW......", "........", "........", "........", "........",
          "........"},
         B,
         kWhitePasses,
         "Black's Turn"},
    };
    for (const Case &c : cases) {
        Game game;
        game.setTwoPlayer(true);
        game.setPosition(c.rows, c.mover);

        game.rules.lblSquare_Click(2);

        EXPECT_EQ(game.window.messages, Messages{c.message});
        EXPECT_EQ(game.rules.mlngTurn, c.mover);
        EXPECT_EQ(game.window.turnText(), c.label);
        EXPECT_FALSE(game.rules.mfGameOver);
    }
}

// White moves to `square` and leaves neither side a move; the mover's verdict follows.
TEST(TurnController, GameEndShowsTheVerdictThenSetsTheLabelThenEnds) {
    const Rows whiteWinsFull{".BWWWWWW", "WWWWWWWW", "WWWWWWWW", "WWWWWWWW",
                             "WWWWWWWW", "WWWWWWWW", "WWWWWWWW", "WWWWWWWW"};
    const Rows blackWinsFull{".BWBBBBB", "BBBBBBBB", "BBBBBBBB", "BBBBBBBB",
                             "BBBBBBBB", "BBBBBBBB", "BBBBBBBB", "BBBBBBBB"};
    const Rows tieFull{".BWWWWWW", "WWWWWWWW", "WWWWWWWW", "WWWWWWWW",
                       "BBBBBBBB", "BBBBBBBB", "BBBBBBBB", "BBBBBBBB"};
    const Rows whiteWinsOpen{"WB......", "........", "........", "........",
                             "........", "........", "........", "........"};
    const Rows blackWinsOpen{"WB......", "........", "........", "........",
                             "........", "........", "........", "...BBBBB"};
    const Rows tieOpen{"WB......", "........", "........", "........",
                       "........", "........", "........", ".....BBB"};
    struct Case {
        const char *name;
        Rows rows;
        std::int16_t square;
        bool twoPlayer;
        Messages messages;
        const char *label;
    };
    const std::vector<Case> cases{
        {"two players, full, White", whiteWinsFull, 0, true, {kWhiteWins}, "White Wins!"},
        {"two players, full, Black", blackWinsFull, 0, true, {kBlackWins}, "Black Wins!"},
        {"two players, full, tie", tieFull, 0, true, {kTie}, "It's a Tie!"},
        {"one player, full, White", whiteWinsFull, 0, false, {kYouWin}, "White Wins!"},
        {"one player, full, Black", blackWinsFull, 0, false, {kIWin}, "Black Wins!"},
        {"one player, full, tie", tieFull, 0, false, {kTie}, "It's a Tie!"},
        {"two players, open, White",
         whiteWinsOpen,
         2,
         true,
         {kBlackPasses, kWhiteWins},
         "White Wins!"},
        {"two players, open, Black",
         blackWinsOpen,
         2,
         true,
         {kBlackPasses, kBlackWins},
         "Black Wins!"},
        {"two players, open, tie", tieOpen, 2, true, {kBlackPasses, kTie}, "It's a Tie!"},
        {"one player, open, White", whiteWinsOpen, 2, false, {kYouWin}, "White Wins!"},
        {"one player, open, Black", blackWinsOpen, 2, false, {kIWin}, "Black Wins!"},
        {"one player, open, tie", tieOpen, 2, false, {kTie}, "It's a Tie!"},
    };
    for (const Case &c : cases) {
        Game game;
        game.setTwoPlayer(c.twoPlayer);
        game.setPosition(c.rows, W);
        game.window.shown.clear();

        game.rules.lblSquare_Click(c.square);

        EXPECT_EQ(game.window.messages, c.messages) << c.name;
        EXPECT_EQ(game.window.turnText(), c.label) << c.name;
        EXPECT_TRUE(game.rules.mfGameOver) << c.name;
        EXPECT_EQ(game.rules.mlngTurn, W) << c.name;
        // The verdict box, then the label, both before the game counts as over.
        const auto &shown = game.window.shown;
        const auto verdict = std::find_if(shown.begin(), shown.end(), [&](const ShownText &s) {
            return s.text == c.messages.back();
        });
        ASSERT_TRUE(verdict != shown.end() && verdict + 1 != shown.end()) << c.name;
        EXPECT_FALSE(verdict->gameOver) << c.name;
        EXPECT_EQ((verdict + 1)->kind, ShownText::Kind::TurnLabel) << c.name;
        EXPECT_EQ((verdict + 1)->text, c.label) << c.name;
        EXPECT_FALSE((verdict + 1)->gameOver) << c.name;

        game.window.messages.clear();
        for (std::int16_t square = 0; square < 64; ++square)
            game.rules.lblSquare_Click(square);
        EXPECT_TRUE(game.window.messages.empty()) << c.name;
        EXPECT_EQ(game.window.turnText(), c.label) << c.name;
    }
}

TEST(TurnController, ComputerKeepsMovingWhileThePersonCannot) {
    Game game;
    // Each "BW" pair on the left edge gives the computer one capture and the person none.
    game.setPosition({"BW...WB.", "........", "BW......", "........", "BW......", "........",
                      "BW......", "........"},
                     W);

    game.rules.lblSquare_Click(7);

    EXPECT_EQ(game.window.messages,
              (Messages{kPersonPasses, kPersonPasses, kPersonPasses, kPersonPasses, kIWin}));
    EXPECT_EQ(game.window.waited(), 1s);
    EXPECT_EQ(game.window.turnText(), "Black Wins!");
    EXPECT_EQ(discCount(game.rules.mlngBoard, B), 12);
    EXPECT_EQ(discCount(game.rules.mlngBoard, W), 3);
}

TEST(TurnController, ComputerPassesWhenOnlyThePersonCanMove) {
    Game game;
    game.setPosition({"WB......", "........", "WB......", "........", "........", "........",
                      "........", "........"},
                     W);

    game.rules.lblSquare_Click(2);
    EXPECT_EQ(game.window.messages, Messages{kComputerPasses});
    EXPECT_EQ(game.window.turnText(), "White's Turn");
    EXPECT_EQ(game.rules.mlngTurn, W);
    EXPECT_FALSE(game.rules.mfGameOver);

    game.rules.lblSquare_Click(18);
    EXPECT_EQ(game.window.messages, (Messages{kComputerPasses, kYouWin}));
    EXPECT_EQ(game.window.turnText(), "White Wins!");
}

TEST(TurnController, SleepWaitsForEventsUntilThePauseHasPassed) {
    using Waits = std::vector<GameWindow::Clock::duration>;
    struct Case {
        float seconds;
        std::optional<GameWindow::Clock::duration> clockStep;
        Waits waits;
    };
    const std::vector<Case> cases{
        {1.0f, {}, {1s}},
        {1.0f, 300ms, {1000ms, 700ms, 400ms, 100ms}},
        {0.25f, 1s, {250ms}},
        {0.0f, {}, {}},
        {-1.0f, {}, {}},
        {std::numeric_limits<float>::quiet_NaN(), {}, {}},
        {std::numeric_limits<float>::infinity(), {}, {}},
    };
    for (const Case &c : cases) {
        Game game;
        game.window.clockStep = c.clockStep;
        game.rules.Sleep(c.seconds);
        EXPECT_EQ(game.window.waits, c.waits) << c.seconds << " s";
    }
}

} // namespace
} // namespace korvane::test
