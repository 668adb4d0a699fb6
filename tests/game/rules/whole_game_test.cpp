// Whole games with random choices for both the person and the computer, checked after
// every click against the reference rules.
#include "fake_window.h"
#include "reference_board.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace korvane::test {
namespace {

using namespace std::chrono_literals;

constexpr std::int32_t W = GameRules::kWhite;
constexpr std::int32_t B = GameRules::kBlack;
constexpr int kGamesPerMode = 150;

const std::set<std::string> kPassMessages{
    "White has no legal moves.  Black's turn again.",
    "Black has no legal moves.  White's turn again.",
    "You have no legal moves.  My turn again.",
    "I have no legal moves.  Your turn again.",
};

std::string verdictLabel(int lead) {
    return lead > 0 ? "White Wins!" : lead < 0 ? "Black Wins!" : "It's a Tie!";
}

std::string verdictMessage(int lead, bool twoPlayer) {
    if (lead == 0)
        return "No more moves.  Game over.  It's a tie!";
    if (twoPlayer)
        return lead > 0 ? "No more moves.  Game over.  White wins!"
                        : "No more moves.  Game over.  Black wins!";
    return lead > 0 ? "No more moves.  Game over.  You win!" : "No more moves.  Game over.  I win!";
}

std::set<std::string> allowedMessages(bool twoPlayer) {
    if (twoPlayer)
        return {"Illegal Move.  Try again.",
                "White has no legal moves.  Black's turn again.",
                "Black has no legal moves.  White's turn again.",
                verdictMessage(1, true),
                verdictMessage(-1, true),
                verdictMessage(0, true)};
    return {"Illegal Move.  Try again.",
            "You have no legal moves.  My turn again.",
            "I have no legal moves.  Your turn again.",
            verdictMessage(1, false),
            verdictMessage(-1, false),
            verdictMessage(0, false)};
}

void expectDisplayMatchesBoard(const Game &game) {
    const Board &board = game.rules.mlngBoard;
    for (std::size_t n = 0; n < board.size(); ++n)
        ASSERT_EQ(game.window.discs()[n], board[n]) << "disc " << n;
    ASSERT_EQ(game.window.whiteCountText(), std::to_string(discCount(board, W)));
    ASSERT_EQ(game.window.blackCountText(), std::to_string(discCount(board, B)));
}

void expectStateAfterClick(const Game &game, bool twoPlayer) {
    const Board &board = game.rules.mlngBoard;
    ASSERT_TRUE(game.rules.mlngTurn == W || game.rules.mlngTurn == B);
    ASSERT_EQ(discCount(board, W) + discCount(board, B) + discCount(board, 0), 64);
    expectDisplayMatchesBoard(game);
    if (game.rules.mfGameOver) {
        ASSERT_TRUE(legalSquares(board, W).empty());
        ASSERT_TRUE(legalSquares(board, B).empty());
        const int lead = discCount(board, W) - discCount(board, B);
        ASSERT_EQ(game.window.turnText(), verdictLabel(lead));
        ASSERT_EQ(game.window.messages.back(), verdictMessage(lead, twoPlayer));
        return;
    }
    ASSERT_FALSE(legalSquares(board, game.rules.mlngTurn).empty());
    if (!twoPlayer) {
        ASSERT_EQ(game.rules.mlngTurn, W);
    }
    ASSERT_EQ(game.window.turnText(), game.rules.mlngTurn == W ? "White's Turn" : "Black's Turn");
}

void playWholeGame(std::uint32_t seed, bool twoPlayer) {
    SCOPED_TRACE(testing::Message()
                 << (twoPlayer ? "two players" : "one player") << ", seed " << seed);
    Game game(seed);
    game.setTwoPlayer(twoPlayer);
    const std::set<std::string> allowed = allowedMessages(twoPlayer);
    game.window.onMessage = [&](const std::string &text) {
        EXPECT_TRUE(allowed.count(text)) << text;
        if (kPassMessages.count(text)) {
            EXPECT_GT(discCount(game.rules.mlngBoard, 0), 0) << "pass announced on a full board";
        }
    };
    std::mt19937 person(seed);
    int clicks = 0;
    while (!game.rules.mfGameOver) {
        ASSERT_LT(++clicks, 200) << "the game does not end";
        const Board before = game.rules.mlngBoard;
        const std::size_t messagesBefore = game.window.messages.size();
        const auto waitedBefore = game.window.waited();
        const std::vector<int> legal = legalSquares(before, game.rules.mlngTurn);
        const bool tryIllegal = person() % 8 == 0;
        const int square =
            tryIllegal ? static_cast<int>(person() % 64) : legal[person() % legal.size()];
        const bool isLegal = std::count(legal.begin(), legal.end(), square) != 0;

        game.rules.lblSquare_Click(static_cast<std::int16_t>(square));

        for (std::size_t n = 0; n < before.size(); ++n) {
            if (before[n] != 0) {
                ASSERT_NE(game.rules.mlngBoard[n], 0) << "square " << n << " emptied";
            }
        }
        if (!isLegal) {
            ASSERT_EQ(game.rules.mlngBoard, before);
            ASSERT_EQ(game.window.messages.size(), messagesBefore + 1);
            ASSERT_EQ(game.window.messages.back(), "Illegal Move.  Try again.");
        } else {
            ASSERT_NE(game.rules.mlngBoard[static_cast<std::size_t>(square)], 0);
            ASSERT_FALSE(game.window.modeControlsEnabled());
            ASSERT_EQ(game.window.waited() - waitedBefore, twoPlayer ? 0s : 1s);
        }
        expectStateAfterClick(game, twoPlayer);
        if (testing::Test::HasFatalFailure())
            return;
    }
}

TEST(WholeGames, RandomGamesKeepEveryInvariantInBothModes) {
    for (const bool twoPlayer : {false, true}) {
        for (std::uint32_t seed = 1; seed <= kGamesPerMode; ++seed) {
            playWholeGame(seed, twoPlayer);
            if (HasFatalFailure())
                return;
        }
    }
}

} // namespace
} // namespace korvane::test
