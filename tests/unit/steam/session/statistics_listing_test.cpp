// The published statistics listing, docs/statistics.md and
// data/statistics.json, is the table compiled into the library: rendered
// afresh, it equals the committed files byte for byte.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "steam/listing/statistics_listing.h"

namespace {

TEST(StatisticsListing, TheCommittedFilesAreWhatTheTableRenders) {
  const std::pair<const char*, std::string> files[] = {{"docs/statistics.md", qz::steam::StatisticsPage()},
                                                       {"data/statistics.json", qz::steam::StatisticsJson()}};
  for (const auto& [path, rendered] : files) {
    const std::string file = std::string(QZ_SOURCE_DIR) + "/" + path;
    if (std::getenv("QZ_WRITE_LISTINGS") != nullptr) std::ofstream(file, std::ios::binary) << rendered;
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), rendered)
        << path << " differs from the library's table. After a change of the table, rewrite it with\n"
        << "  QZ_WRITE_LISTINGS=1 ctest --preset native -R StatisticsListing\nand review the difference.";
  }
}

}  // namespace
