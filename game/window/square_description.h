// What a screen reader says for one board square: its place and what stands on it.
#pragma once

#include <QString>
#include <cstdint>

namespace korvane {

QString squareDescription(int index, std::int32_t color);

} // namespace korvane
