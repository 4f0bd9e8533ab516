#include "steam/listing/statistics_listing.h"

#include <cstdio>

#include "platform/text.h"
#include "steam/session/achievement_table.h"

namespace qz::steam {
namespace {

const char* TypeName(StatType type) { return type == StatType::Float ? "float" : "int"; }

template <class Integer>
std::string Decimal(Integer value) {
  char digits[text::kDecimalSize];
  return std::string(digits, text::WriteDecimal(value, digits));
}

// As the unlock check compares it: a whole number, or a float value with one
// decimal (RUN's 40000000.0).
std::string ThresholdText(const Threshold& threshold) {
  if (threshold.onFloat) {
    char value[32];
    std::snprintf(value, sizeof value, "%.1f", threshold.minFloat);
    return value;
  }
  return Decimal(threshold.minInt);
}

const char* StatName(const AchievementRow& row) { return kStatDefinitions[row.stat].name; }

}  // namespace

std::string StatisticsPage() {
  std::string page = R"(# Statistics and achievements

The statistics and achievements that `QZSteam.dll` keeps, exactly as they are
compiled into it. The game's Steamworks app must define exactly these: every
statistic under its API name with its type, every achievement under its API
name. The same lists for tools, as JSON: `../statistics.json`.

Besides these, the library reads the int statistic `VERSION` each time the
statistics arrive. Where the app defines it and the player's account holds 0,
the account gets the one-time reset described in `steam-session.md`; where
the app does not define it, no account is ever reset.

## Statistics

In the order the library registers them. The integer exports change the
`int` statistics, the `...Float` exports the `float` one.

| # | API name | type |
|---|---|---|
)";
  for (std::size_t stat = 0; stat < kStatCount; ++stat)
    page += "| " + Decimal(stat + 1) + " | `" + kStatDefinitions[stat].name + "` | " +
            TypeName(kStatDefinitions[stat].type) + " |\n";
  page += R"(
## Achievements

In id order, the order in which every frame checks them. The library itself
unlocks an achievement (`SetAchievement`, then a store) in the first frame in
which its statistic has reached the threshold; the app needs no unlock rule
of its own.

| id | API name | statistic | unlocks at |
|---|---|---|---|
)";
  for (const AchievementRow& row : kAchievementRows)
    page += "| " + Decimal(row.id) + " | `" + row.apiName + "` | `" + StatName(row) + "` | " +
            ThresholdText(row.threshold) + " |\n";
  return page;
}

std::string StatisticsJson() {
  std::string json = "{\n  \"statistics\": [\n";
  for (std::size_t stat = 0; stat < kStatCount; ++stat)
    json += std::string("    {\"name\": \"") + kStatDefinitions[stat].name + "\", \"type\": \"" +
            TypeName(kStatDefinitions[stat].type) + (stat + 1 < kStatCount ? "\"},\n" : "\"}\n");
  json += "  ],\n  \"achievements\": [\n";
  for (const AchievementRow& row : kAchievementRows)
    json += "    {\"id\": " + Decimal(row.id) + ", \"name\": \"" + row.apiName + "\", \"statistic\": \"" +
            StatName(row) + "\", \"threshold\": " + ThresholdText(row.threshold) +
            (&row != &kAchievementRows.back() ? "},\n" : "}\n");
  return json + "  ]\n}\n";
}

}  // namespace qz::steam
