// Every fixed text of the game's windows: captions, menu items, box titles, rules, credits.
#pragma once

#include "korvane_version.h"

#include <QString>
#include <array>
#include <string_view>

namespace korvane::window_texts {

inline constexpr std::string_view kProgramTitle = "Korvane";
inline constexpr std::string_view kSplashCaption = "Form1";

inline constexpr std::string_view kInitialTurn = "You Are White";
inline constexpr std::string_view kScore = "Score:";
inline constexpr std::string_view kInitialCount = "2";
inline constexpr std::string_view kNewGame = "New Game";
inline constexpr std::string_view kTwoPlayerMode = "Two-Player Mode";

inline constexpr std::string_view kMenuFile = "File";
inline constexpr std::string_view kMenuExit = "Exit";
inline constexpr std::string_view kMenuPlayers = "Players";
inline constexpr std::string_view kMenuSound = "Sound";
inline constexpr std::string_view kMenuSoundOn = "Sound On";
inline constexpr std::string_view kMenuSoundOff = "Sound Off";
inline constexpr std::string_view kMenuHelp = "Help";
inline constexpr std::string_view kMenuRules = "Rules";
inline constexpr std::string_view kMenuAbout = "About";

inline constexpr std::string_view kRulesTitle = "Rules of Korvane";
inline constexpr std::string_view kAboutTitle = "About Korvane";

// The rules are kept in the pieces they were written in; they join with nothing between.
inline constexpr std::array<std::string_view, 10> kRulesPieces = {
    "You can play against another person or against the computer.  ",
    "When you play against the computer, you are white and you move ",
    "first.  The goal is to try to change the color of the other player's pieces to your "
    "color by ",
    "'outflanking' them, which means bordering horizontal, vertical, or diagonal rows of your "
    "opponent's pieces on both ends with your pieces.  You are able ",
    "to make a move if the piece you are putting down creates a situation where you are "
    "'surrounding' one ",
    "or more pieces of the opposite color in one or more rows.  If, on your turn, you cannot "
    "outflank and change the color of at least one opposing piece, your turn is forfeited ",
    "and your opponent moves again.  However, if a move is available to you, you may not "
    "forfeit ",
    "your turn.  The game is over when the ",
    "board is full or when there are no more available moves.  The ",
    "player with the most pieces on the board wins.",
};

inline constexpr std::string_view kAboutText =
    "Korvane " KORVANE_VERSION "\n"
    "\n"
    "Reversi for one player against the computer, or for two players at one board.\n"
    "\n"
    "Written by the Korvane team.  The board, the pictures and the music are all drawn "
    "and composed by the program's own code.";

inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString rulesText() {
    QString text;
    for (const std::string_view piece : kRulesPieces)
        text += toQString(piece);
    return text;
}

} // namespace korvane::window_texts
