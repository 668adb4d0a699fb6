// The game's soak subject: whole games through the main window's squares, each move on a
// random legal square, the modes taking turns.
#include "modal_box_catcher.h"
#include "soak_subject.h"
#include "testable_main.h"
#include "window/square_label.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <random>
#include <vector>

namespace {

// More clicks than any game can take: 60 moves, each side's clicks counted.
constexpr int kMostClicks = 200;

class GameSubject final : public SoakSubject {
  public:
    GameSubject() {
        m_window.skipPauses();
        m_window.seedRandom(1);
        m_window.show();
    }

    std::string run(int rounds) override {
        for (int round = 0; round < rounds; ++round) {
            if (std::string failure = playOneGame(m_games++ % 2 == 0); !failure.empty())
                return failure;
        }
        return {};
    }

  private:
    std::string playOneGame(bool twoPlayer) {
        const korvane::MainControls &controls = m_window.controls();
        if (controls.chkTwoPlayer->isChecked() != twoPlayer)
            QTest::mouseClick(controls.chkTwoPlayer, Qt::LeftButton);
        korvane::GameRules &rules = m_window.rules();
        for (int clicks = 0; !rules.mfGameOver; ++clicks) {
            std::vector<int> legal;
            for (int index = 0; index < 64; ++index) {
                if (rules.MakeMove(rules.mlngTurn, index, false) != 0)
                    legal.push_back(index);
            }
            if (legal.empty() || clicks == kMostClicks)
                return "game " + std::to_string(m_games) + " did not end";
            std::uniform_int_distribution<std::size_t> pick(0, legal.size() - 1);
            const int square = legal[pick(m_random)];
            QTest::mouseClick(controls.lblSquare[static_cast<std::size_t>(square)], Qt::LeftButton);
        }
        m_boxes.clear();
        QTest::mouseClick(controls.cmdReset, Qt::LeftButton);
        return {};
    }

    korvane::test::ModalBoxCatcher m_boxes;
    korvane::test::TestableMain m_window;
    std::mt19937 m_random{20261207};
    long m_games = 0;
};

} // namespace

std::unique_ptr<SoakSubject> makeGameSubject() {
    return std::make_unique<GameSubject>();
}
