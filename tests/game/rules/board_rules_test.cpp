// The board: opening, captures line by line, the computer's shuffled search, the score.
#include "fake_window.h"
#include "reference_board.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <set>

namespace korvane::test {
namespace {

constexpr std::int32_t W = GameRules::kWhite;
constexpr std::int32_t B = GameRules::kBlack;

// White moving to square 27, (3, 3): captures along -y, +x and (+1, +1), each closed by a
// white disc with a black one beyond it; the other five lines capture nothing.
constexpr std::array<const char *, 8> kThreeLines{
    "...B..B.", "...W.B..", "...BB...", "BBB.BBWB", "..BWB...", ".....W..", "......B.", ".......W",
};
constexpr std::array<const char *, 8> kThreeLinesPlayed{
    "...B..B.", "...W.B..", "...WB...", "BBBWWWWB", "..BWW...", ".....W..", "......B.", ".......W",
};

TEST(BoardRules, ResetGameSetsUpTheOpening) {
    Game game;
    game.rules.mlngBoard.fill(B);
    game.rules.mlngTurn = B;
    game.rules.ResetGame();

    EXPECT_EQ(game.rules.mlngBoard,
              boardFromRows({"........", "........", "........", "...WB...", "...BW...", "........",
                             "........", "........"}));
    EXPECT_EQ(game.rules.mlngTurn, W);
    EXPECT_EQ(game.window.turnText(), "White's Turn");
    EXPECT_EQ(game.window.whiteCountText(), "2");
    EXPECT_EQ(game.window.blackCountText(), "2");
    EXPECT_TRUE(game.window.modeControlsEnabled());
    for (std::size_t n = 0; n < 64; ++n)
        EXPECT_EQ(game.window.discs()[n], game.rules.mlngBoard[n]) << "disc " << n;
    EXPECT_EQ(game.rules.GetScore(), 0);
}

TEST(BoardRules, ResetGameAfterGameOverKeepsTheVerdictAndUnlocksTheMode) {
    Game game;
    game.rules.MakeMove(W, 20, true);
    game.rules.DisplayBoard();
    game.window.setTurnText("Black Wins!");
    game.rules.mfGameOver = true;

    game.rules.ResetGame();

    EXPECT_EQ(game.window.turnText(), "Black Wins!");
    EXPECT_TRUE(game.rules.mfGameOver);
    EXPECT_EQ(game.rules.mlngBoard[20], GameRules::kEmpty);
    EXPECT_EQ(game.window.whiteCountText(), "2");
    EXPECT_TRUE(game.window.modeControlsEnabled());
}

TEST(BoardRules, OpeningLegalSquaresForEachSide) {
    const std::vector<std::pair<std::int32_t, std::set<int>>> cases{
        {W, {20, 29, 34, 43}},
        {B, {19, 26, 37, 44}},
    };
    for (const auto &[colour, legal] : cases) {
        Game game;
        const Board opening = game.rules.mlngBoard;
        for (int square = 0; square < 64; ++square) {
            EXPECT_EQ(game.rules.MakeMove(colour, square, false), legal.count(square) ? 1 : 0)
                << "colour " << colour << " square " << square;
        }
        EXPECT_EQ(game.rules.mlngBoard, opening);
    }
}

TEST(BoardRules, PlayingTheOpeningMoveTurnsOneDiscAndLocksTheMode) {
    Game game;
    EXPECT_EQ(game.rules.MakeMove(W, 20, true), 1);
    EXPECT_EQ(game.rules.mlngBoard[20], W);
    EXPECT_EQ(game.rules.mlngBoard[28], W);
    EXPECT_TRUE(game.window.modeControlsEnabled());

    EXPECT_EQ(game.rules.GetScore(), 3);
    EXPECT_EQ(game.window.whiteCountText(), "4");
    EXPECT_EQ(game.window.blackCountText(), "1");
    EXPECT_FALSE(game.window.modeControlsEnabled());
}

TEST(BoardRules, GetScorePublishesTheCountsAndLocksTheModeAboveTwoDiscs) {
    struct Case {
        const char *row;
        std::int32_t lead;
        const char *white;
        const char *black;
        bool locked;
    };
    const std::vector<Case> cases{
        {"WWBB....", 0, "2", "2", false}, {"WW......", 2, "2", "0", false},
        {"WWWB....", 2, "3", "1", true},  {"WBBB....", -2, "1", "3", true},
        {"........", 0, "0", "0", false},
    };
    for (const Case &c : cases) {
        Game game;
        game.rules.mlngBoard = boardFromRows({c.row, "........", "........", "........", "........",
                                              "........", "........", "........"});
        EXPECT_EQ(game.rules.GetScore(), c.lead) << c.row;
        EXPECT_EQ(game.window.whiteCountText(), c.white) << c.row;
        EXPECT_EQ(game.window.blackCountText(), c.black) << c.row;
        EXPECT_EQ(game.window.modeControlsEnabled(), !c.locked) << c.row;
    }
}

TEST(BoardRules, CaptureAlongThreeLinesStopsAtEachClosingDisc) {
    Game game;
    game.setPosition(kThreeLines, W);
    EXPECT_EQ(game.rules.MakeMove(W, 27, false), 3);
    EXPECT_EQ(game.rules.mlngBoard, boardFromRows(kThreeLines));

    EXPECT_EQ(game.rules.MakeMove(W, 27, true), 3);
    EXPECT_EQ(game.rules.mlngBoard, boardFromRows(kThreeLinesPlayed));
}

TEST(BoardRules, FlipExaminesOneLineAndTurnsOnlyIt) {
    struct Line {
        std::int32_t xChange;
        std::int32_t yChange;
        std::int32_t result;
        std::set<std::size_t> turned;
    };
    const std::vector<Line> lines{
        {-1, 0, 0, {}},   // runs off the board
        {-1, -1, 0, {}},  // empty next door
        {0, -1, 1, {19}}, // a black disc stays beyond the closing one
        {1, -1, 0, {}},   // runs off the board
        {1, 0, 1, {28, 29}}, {1, 1, 1, {36}}, {0, 1, 0, {}}, // own disc next door
        {-1, 1, 0, {}},                                      // ends on an empty square
    };
    for (const Line &line : lines) {
        Game game;
        game.setPosition(kThreeLines, W);
        const Board before = game.rules.mlngBoard;
        EXPECT_EQ(game.rules.Flip(W, 3, 3, line.xChange, line.yChange, true), line.result);
        for (std::size_t n = 0; n < 64; ++n) {
            const std::int32_t expected = line.turned.count(n) ? W : before[n];
            EXPECT_EQ(game.rules.mlngBoard[n], expected)
                << "direction (" << line.xChange << ", " << line.yChange << ") square " << n;
        }
    }
}

TEST(BoardRules, MovesOffTheBoardOrOntoOccupiedSquaresCaptureNothing) {
    constexpr std::int32_t kHuge = std::numeric_limits<std::int32_t>::max();
    Game game;
    game.setPosition(kThreeLines, W);
    const Board before = game.rules.mlngBoard;

    for (const std::int32_t square : {-1, 64, 1000, -kHuge, kHuge, 28, 30})
        EXPECT_EQ(game.rules.MakeMove(W, square, true), 0) << "square " << square;
    EXPECT_EQ(game.rules.Flip(W, 8, 3, -1, 0, true), 0);
    EXPECT_EQ(game.rules.Flip(W, 3, -1, 0, 1, true), 0);
    EXPECT_EQ(game.rules.Flip(W, 3, 3, 2, 0, true), 0);
    EXPECT_EQ(game.rules.Flip(W, 3, 3, 0, -kHuge, true), 0);
    EXPECT_EQ(game.rules.Flip(W, 4, 3, -1, 0, true), 0);
    EXPECT_EQ(game.rules.mlngBoard, before);
}

// Random boards judged square by square against the reference: the count of capturing
// lines, the discs turned, and that testing alone changes nothing.
TEST(BoardRules, MovesAgreeWithTheReferenceOnRandomBoards) {
    std::mt19937 generator(7);
    std::discrete_distribution<int> disc({5, 3, 3});
    for (int round = 0; round < 300; ++round) {
        Game game;
        Board board{};
        for (std::int32_t &square : board) {
            const int kind = disc(generator);
            square = kind == 0 ? GameRules::kEmpty : kind == 1 ? W : B;
        }
        for (const std::int32_t colour : {W, B}) {
            game.rules.mlngTurn = colour;
            game.rules.mlngBoard = board;
            EXPECT_EQ(game.rules.CheckAllMoves(false), !legalSquares(board, colour).empty());
            EXPECT_EQ(game.rules.mlngBoard, board);
            for (int square = 0; square < 64; ++square) {
                const Capture expected = captureOf(board, colour, square);
                game.rules.mlngBoard = board;
                ASSERT_EQ(game.rules.MakeMove(colour, square, false), expected.lines);
                ASSERT_EQ(game.rules.mlngBoard, board);
                ASSERT_EQ(game.rules.MakeMove(colour, square, true), expected.lines);
                Board played = board;
                for (const int turned : expected.turned)
                    played[static_cast<std::size_t>(turned)] = colour;
                if (expected.lines > 0)
                    played[static_cast<std::size_t>(square)] = colour;
                ASSERT_EQ(game.rules.mlngBoard, played) << "square " << square;
            }
        }
        ASSERT_EQ(game.window.randomDraws, 0);
    }
}

// The computer's square is the first legal one of a search order shuffled by 1000 swaps of
// positions drawn as int(r * 63).
TEST(BoardRules, ComputerPlaysTheFirstLegalSquareOfTheShuffledOrder) {
    const std::array<const char *, 8> onlyCorner{
        "........", "........", "........", "........",
        "........", "........", "........", ".....WB.",
    };
    const std::array<const char *, 8> lastTwo{
        "........", "........", "........", "........",
        "........", ".......W", ".......B", "....WB..",
    };
    const std::array<const char *, 8> opening{
        "........", "........", "........", "...WB...",
        "...BW...", "........", "........", "........",
    };
    const double almostOne = std::nextafter(1.0, 0.0);
    struct Case {
        const char *name;
        std::array<const char *, 8> rows;
        std::int32_t turn;
        std::vector<double> firstDraws;
        double otherDraws;
        std::size_t played;
    };
    const std::vector<Case> cases{
        {"no swaps", opening, B, {}, 0.0, 19},
        {"square 44 swapped to the front", opening, B, {0.0, 44.5 / 63}, 0.0, 44},
        {"same swap drawn the other way", opening, B, {44.5 / 63, 0.0}, 0.0, 44},
        {"a draw near 1 reaches position 62 only", lastTwo, W, {0.0, 0.995}, 0.0, 62},
        {"square 63 is found last", onlyCorner, W, {}, almostOne, 63},
        {"draws outside [0, 1) stay in range",
         opening,
         B,
         {1.0, -0.5, std::numeric_limits<double>::quiet_NaN(), 5.0},
         0.0,
         19},
    };
    for (const Case &c : cases) {
        Game game;
        game.setPosition(c.rows, c.turn);
        const Board before = game.rules.mlngBoard;
        game.window.scriptedRandom.assign(2000, c.otherDraws);
        std::copy(c.firstDraws.begin(), c.firstDraws.end(), game.window.scriptedRandom.begin());

        EXPECT_TRUE(game.rules.CheckAllMoves(true)) << c.name;
        EXPECT_EQ(game.rules.mlngBoard[c.played], c.turn) << c.name;
        EXPECT_EQ(before[c.played], GameRules::kEmpty) << c.name;
        EXPECT_EQ(game.window.randomDraws, 2000) << c.name;
        EXPECT_EQ(discCount(game.rules.mlngBoard, GameRules::kEmpty),
                  discCount(before, GameRules::kEmpty) - 1)
            << c.name;
    }
}

TEST(BoardRules, ComputerWithoutALegalMoveChangesNothing) {
    Game game;
    game.setPosition({"WWW.....", "........", "........", "........", "........", "........",
                      "........", ".....BBB"},
                     W);
    const Board before = game.rules.mlngBoard;
    EXPECT_FALSE(game.rules.CheckAllMoves(true));
    EXPECT_EQ(game.rules.mlngBoard, before);
}

} // namespace
} // namespace korvane::test
