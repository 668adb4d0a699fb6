// The two mode controls and New Game, before, during and after a game.
#include "fake_window.h"

#include <functional>
#include <gtest/gtest.h>

namespace korvane::test {
namespace {

constexpr std::int32_t W = GameRules::kWhite;

// The button and the File menu item, which must behave alike.
const std::vector<std::pair<const char *, std::function<void(GameRules &)>>> kNewGameCommands{
    {"button", [](GameRules &rules) { rules.cmdReset_Click(); }},
    {"menu", [](GameRules &rules) { rules.mnuNew_Click(); }},
};

TEST(GameModes, CheckBoxAndMenuItemAlwaysAgree) {
    Game game;
    EXPECT_EQ(game.window.twoPlayerValue(), 0);
    EXPECT_FALSE(game.window.twoPlayerMenuChecked());

    game.window.clickTwoPlayerBox();
    EXPECT_EQ(game.window.twoPlayerValue(), 1);
    EXPECT_TRUE(game.window.twoPlayerMenuChecked());

    game.window.chooseTwoPlayerMenu();
    EXPECT_EQ(game.window.twoPlayerValue(), 0);
    EXPECT_FALSE(game.window.twoPlayerMenuChecked());

    game.window.chooseTwoPlayerMenu();
    EXPECT_EQ(game.window.twoPlayerValue(), 1);
    EXPECT_TRUE(game.window.twoPlayerMenuChecked());
}

TEST(GameModes, ModeIsLockedFromTheFirstMoveUntilNewGame) {
    for (const auto &[name, newGame] : kNewGameCommands) {
        for (const bool twoPlayer : {false, true}) {
            Game game;
            game.setTwoPlayer(twoPlayer);
            game.rules.lblSquare_Click(20);
            EXPECT_FALSE(game.window.modeControlsEnabled()) << name;
            game.window.clickTwoPlayerBox();
            game.window.chooseTwoPlayerMenu();
            EXPECT_EQ(game.window.twoPlayerValue() != 0, twoPlayer) << name;

            newGame(game.rules);

            EXPECT_TRUE(game.window.modeControlsEnabled()) << name;
            EXPECT_EQ(game.window.twoPlayerValue() != 0, twoPlayer) << name;
            EXPECT_EQ(game.window.twoPlayerMenuChecked(), twoPlayer) << name;
            EXPECT_EQ(game.rules.mlngBoard, Game().rules.mlngBoard) << name;
            EXPECT_EQ(game.rules.mlngTurn, W) << name;
            EXPECT_EQ(game.window.turnText(), "White's Turn") << name;
            EXPECT_EQ(game.window.whiteCountText(), "2") << name;
            EXPECT_EQ(game.window.blackCountText(), "2") << name;
        }
    }
}

// New Game after a finished game: the board is new at once, the verdict stays in the label
// until the first click of the new game refreshes it, legal or not.
TEST(GameModes, VerdictSurvivesNewGameUntilTheFirstSquareClick) {
    struct Case {
        const char *name;
        bool twoPlayer;
        std::int16_t click;
        const char *label;
        std::size_t messages;
    };
    const std::vector<Case> cases{
        {"illegal click", false, 0, "White's Turn", 1},
        {"legal click, one player", false, 20, "White's Turn", 0},
        {"legal click, two players", true, 20, "Black's Turn", 0},
    };
    for (const auto &[command, newGame] : kNewGameCommands) {
        for (const Case &c : cases) {
            Game game;
            game.setTwoPlayer(c.twoPlayer);
            game.setPosition({"WB......", "........", "........", "........", "........",
                              "........", "........", "........"},
                             W);
            game.rules.lblSquare_Click(2);
            ASSERT_TRUE(game.rules.mfGameOver) << c.name;
            game.window.messages.clear();

            newGame(game.rules);

            EXPECT_FALSE(game.rules.mfGameOver) << command << ", " << c.name;
            EXPECT_EQ(game.window.turnText(), "White Wins!") << command << ", " << c.name;
            EXPECT_EQ(game.rules.mlngBoard, Game().rules.mlngBoard) << command << ", " << c.name;
            EXPECT_EQ(game.window.whiteCountText(), "2") << command << ", " << c.name;
            EXPECT_TRUE(game.window.modeControlsEnabled()) << command << ", " << c.name;

            game.rules.lblSquare_Click(c.click);

            EXPECT_EQ(game.window.turnText(), c.label) << command << ", " << c.name;
            EXPECT_EQ(game.window.messages.size(), c.messages) << command << ", " << c.name;
        }
    }
}

} // namespace
} // namespace korvane::test
