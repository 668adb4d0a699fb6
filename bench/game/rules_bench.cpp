// How long the rules take for what a person waits on: the legality test of a click and the
// computer's choice of move, on positions from the opening to a crowded mid-game.
#include "rules/game_rules.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

// A window that shows nothing, so that only the rules are timed.
class SilentWindow final : public korvane::GameWindow {
  public:
    std::string turnText() const override { return m_turn; }
    void setTurnText(const std::string &text) override { m_turn = text; }
    std::string whiteCountText() const override { return m_white; }
    void setWhiteCountText(const std::string &text) override { m_white = text; }
    std::string blackCountText() const override { return m_black; }
    void setBlackCountText(const std::string &text) override { m_black = text; }
    int twoPlayerValue() const override { return 1; }
    void setTwoPlayerValue(int) override {}
    bool twoPlayerMenuChecked() const override { return true; }
    void setTwoPlayerMenuChecked(bool) override {}
    void setModeControlsEnabled(bool) override {}
    void showDiscs(const std::array<std::int32_t, korvane::kBoardSquares> &) override {}
    void showMessage(const std::string &) override {}
    Clock::time_point now() const override { return {}; }
    void processEvents(Clock::duration) override {}
    double random() override { return m_uniform(m_generator); }

  private:
    std::string m_turn, m_white, m_black;
    std::mt19937 m_generator{20261207};
    std::uniform_real_distribution<double> m_uniform{0.0, 1.0};
};

// Plays random moves from the opening, so that both sides have discs all over the board.
void playRandomMoves(korvane::GameRules &rules, int moves) {
    rules.ResetGame();
    for (int move = 0; move < moves && rules.CheckAllMoves(true); ++move)
        rules.mlngTurn = -rules.mlngTurn;
}

void BM_ComputerMove(benchmark::State &state) {
    SilentWindow window;
    korvane::GameRules rules(window);
    playRandomMoves(rules, static_cast<int>(state.range(0)));
    const auto position = rules.mlngBoard;
    for (auto _ : state) {
        rules.mlngBoard = position;
        benchmark::DoNotOptimize(rules.CheckAllMoves(true));
    }
}
BENCHMARK(BM_ComputerMove)->Arg(0)->Arg(20)->Arg(40);

void BM_AnyLegalMove(benchmark::State &state) {
    SilentWindow window;
    korvane::GameRules rules(window);
    playRandomMoves(rules, static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(rules.CheckAllMoves(false));
}
BENCHMARK(BM_AnyLegalMove)->Arg(0)->Arg(20)->Arg(40);

} // namespace

BENCHMARK_MAIN();
