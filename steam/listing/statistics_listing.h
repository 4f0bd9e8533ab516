#pragma once
// The published listing of the game's statistics and achievements, rendered
// from the table compiled into the library (achievement_table.h): the page
// docs/statistics.md and the file statistics.json of the release folder. The
// committed files are kept equal to what these render by a native test, so
// they cannot disagree with the DLL.
#include <string>

namespace qz::steam {

// The Markdown page: the statistics in table order with their types, then
// the achievements in id order with their statistics and thresholds.
std::string StatisticsPage();

// The same for tools, as JSON: {"statistics": [{"name", "type"}...],
// "achievements": [{"id", "name", "statistic", "threshold"}...]}.
std::string StatisticsJson();

}  // namespace qz::steam
