// Every text the rules write into the turn label or show in a message box.
#pragma once

#include <string_view>

namespace korvane::texts {

inline constexpr std::string_view kWhitesTurn = "White's Turn";
inline constexpr std::string_view kBlacksTurn = "Black's Turn";
inline constexpr std::string_view kWhiteWins = "White Wins!";
inline constexpr std::string_view kBlackWins = "Black Wins!";
inline constexpr std::string_view kItsATie = "It's a Tie!";

inline constexpr std::string_view kIllegalMove = "Illegal Move.  Try again.";
inline constexpr std::string_view kWhiteCannotMove =
    "White has no legal moves.  Black's turn again.";
inline constexpr std::string_view kBlackCannotMove =
    "Black has no legal moves.  White's turn again.";
inline constexpr std::string_view kPersonCannotMove = "You have no legal moves.  My turn again.";
inline constexpr std::string_view kComputerCannotMove = "I have no legal moves.  Your turn again.";
inline constexpr std::string_view kGameOverWhiteWins = "No more moves.  Game over.  White wins!";
inline constexpr std::string_view kGameOverBlackWins = "No more moves.  Game over.  Black wins!";
inline constexpr std::string_view kGameOverYouWin = "No more moves.  Game over.  You win!";
inline constexpr std::string_view kGameOverIWin = "No more moves.  Game over.  I win!";
inline constexpr std::string_view kGameOverTie = "No more moves.  Game over.  It's a tie!";

} // namespace korvane::texts
