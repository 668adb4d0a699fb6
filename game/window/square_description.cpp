// Rows and columns are counted from 1, as a player would say them.
#include "square_description.h"

#include "rules/game_rules.h"

namespace korvane {

QString squareDescription(int index, std::int32_t color) {
    const int row = index % 8 + 1;
    const int column = index / 8 + 1;
    QString contents = QStringLiteral("empty");
    if (color == GameRules::kWhite)
        contents = QStringLiteral("white disc");
    else if (color != GameRules::kEmpty)
        contents = QStringLiteral("black disc");
    return QStringLiteral("Row %1, column %2, %3").arg(row).arg(column).arg(contents);
}

} // namespace korvane
