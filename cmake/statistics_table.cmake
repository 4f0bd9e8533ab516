# The statistics table, from its one source: a JSON file of the game's
# statistics and achievements,
#   {"statistics":   [{"name": "KILLS", "type": "int" | "float"}, ...],
#    "achievements": [{"name": "KILLS_10", "statistic": "KILLS", "threshold": 10}, ...]}
# (an achievement's "id" may be given; its position gives it: 1, 2, ...).
# Checks the table and writes into the folder OUT what the build makes of it:
#   statistics_table_size.h  the counts, for the session's headers
#   statistics_table.inc     the compile-time arrays of achievement_table.cpp:
#                            the statistics, the achievements' rows, and both
#                            in the byte order of their names
#   statistics.json          the table as the release folder ships it
#   statistics.md            its page of the docs
# A file is rewritten only when its content changes. A table with faults
# writes nothing: each fault is one line "FILE: ENTRY: RULE", and the run fails.
#
# Usage: cmake -DQZ_TABLE=FILE -DQZ_OUT=FOLDER -P statistics_table.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT DEFINED QZ_TABLE OR NOT DEFINED QZ_OUT)
  message(FATAL_ERROR "usage: cmake -DQZ_TABLE=FILE -DQZ_OUT=FOLDER -P statistics_table.cmake")
endif()

set(faults "")
set(fault_count 0)
macro(fault entry rule)
  string(APPEND faults "${QZ_TABLE}: ${entry}${rule}\n")
  math(EXPR fault_count "${fault_count} + 1")
endmacro()
function(stop_on_faults)
  if(fault_count GREATER 0)
    message(NOTICE "${faults}")
    message(FATAL_ERROR "${QZ_TABLE}: ${fault_count} fault(s) in the statistics table; nothing is built from it")
  endif()
endfunction()

# A text as a fault line may show it: printable ASCII, on one line.
function(shown text out)
  string(REGEX REPLACE "[^ -~]" "?" text "${text}")
  set(${out} "\"${text}\"" PARENT_SCOPE)
endfunction()

if(NOT EXISTS "${QZ_TABLE}" OR IS_DIRECTORY "${QZ_TABLE}")
  fault("" "no such file")
  stop_on_faults()
endif()
file(READ "${QZ_TABLE}" table)

# Malformed JSON: the parser's line and column, and what it found there.
string(JSON top ERROR_VARIABLE parse_error TYPE "${table}")
if(parse_error)
  string(REGEX MATCH "Line ([0-9]+), Column ([0-9]+)" ignored "${parse_error}")
  set(where "line ${CMAKE_MATCH_1}, column ${CMAKE_MATCH_2}: ")
  string(REGEX REPLACE "^.*Column [0-9]+" "" what "${parse_error}")
  string(REGEX REPLACE "[\n ]+" " " what "${what}")
  string(STRIP "${what}" what)
  string(REGEX REPLACE "\\.$" "" what "${what}")
  if(what MATCHES "is not a number")
    string(APPEND what " (a number must be finite)")
  endif()
  fault("${where}" "not JSON: ${what}")
  stop_on_faults()
endif()
if(NOT top STREQUAL "OBJECT")
  fault("" "the table is a JSON object with \"statistics\" and \"achievements\"")
  stop_on_faults()
endif()

# The JSON value at the path of keys and indexes that follows the two
# names, as its text and its type (NOTFOUND where there is none).
macro(member out_value out_type)
  string(JSON ${out_type} ERROR_VARIABLE lookup_error TYPE "${table}" ${ARGN})
  if(lookup_error)
    set(${out_type} NOTFOUND)
    set(${out_value} "")
  else()
    string(JSON ${out_value} GET "${table}" ${ARGN})
  endif()
endmacro()

# Checks an API name of `entry`; answers in `ok` whether it is usable.
function(check_name entry name ok)
  set(fine TRUE)
  string(LENGTH "${name}" length)
  shown("${name}" name_shown)
  if(NOT name MATCHES "^[A-Za-z0-9_]+$")
    fault("${entry} ${name_shown}: " "a name is made of A-Z, a-z, 0-9 and _ alone, and is not empty")
    set(fine FALSE)
  elseif(length GREATER 128)
    fault("${entry}: " "the name is ${length} bytes long, the platform takes an API name of at most 128 bytes")
    set(fine FALSE)
  elseif(name STREQUAL "VERSION")
    fault("${entry} ${name_shown}: " "VERSION is the library's own statistic (it marks the one-time reset), take another name")
    set(fine FALSE)
  endif()
  set(${ok} ${fine} PARENT_SCOPE)
  set(faults "${faults}" PARENT_SCOPE)
  set(fault_count ${fault_count} PARENT_SCOPE)
endfunction()

# ---- The statistics --------------------------------------------------------
member(ignored statistics_type statistics)
set(stat_count 0)
if(statistics_type STREQUAL "ARRAY")
  string(JSON stat_count LENGTH "${table}" statistics)
endif()
if(stat_count EQUAL 0)
  fault("" "the table has no statistics (\"statistics\" is a non-empty array)")
  stop_on_faults()
endif()
math(EXPR last_stat "${stat_count} - 1")
set(stat_names "")
foreach(i RANGE ${last_stat})
  set(entry "statistics[${i}]")
  member(name name_type statistics ${i} name)
  member(type type_type statistics ${i} type)
  if(NOT name_type STREQUAL "STRING")
    fault("${entry}: " "a statistic has a \"name\" text")
    continue()
  endif()
  check_name("${entry}" "${name}" usable)
  shown("${name}" name_shown)
  if(NOT type_type STREQUAL "STRING" OR NOT type MATCHES "^(int|float)$")
    fault("${entry} ${name_shown}: " "the \"type\" is \"int\" or \"float\"")
  endif()
  if(NOT usable)
    continue()
  endif()
  if(DEFINED stat_index_${name})
    fault("${entry} ${name_shown}: " "the name is used twice (statistics[${stat_index_${name}}] has it too)")
    continue()
  endif()
  set(stat_index_${name} ${i})
  set(stat_type_${name} "${type}")
  list(APPEND stat_names "${name}")
endforeach()

# ---- The achievements ------------------------------------------------------
member(ignored achievements_type achievements)
set(achievement_count 0)
if(achievements_type STREQUAL "ARRAY")
  string(JSON achievement_count LENGTH "${table}" achievements)
elseif(NOT achievements_type STREQUAL "NOTFOUND")
  fault("" "\"achievements\" is an array")
endif()

# An int threshold: a whole number within 32 bits. Answers its decimal text
# in `out`, or nothing after a fault.
function(int_threshold entry text statistic out)
  set(${out} "" PARENT_SCOPE)
  set(whole "${text}")
  if(whole MATCHES "^-?[0-9]+\\.0$")
    string(REGEX REPLACE "\\.0$" "" whole "${whole}")
  endif()
  if(whole MATCHES "^-?[0-9]+$")
    string(REGEX REPLACE "^-" "" digits "${whole}")
    string(LENGTH "${digits}" length)
    if(length LESS_EQUAL 10)
      math(EXPR value "${whole}")
      if(value GREATER_EQUAL -2147483648 AND value LESS_EQUAL 2147483647)
        set(${out} "${value}" PARENT_SCOPE)
        return()
      endif()
    endif()
    fault("${entry}: " "the threshold ${text} lies outside 32 bits (int statistic \"${statistic}\": -2147483648 to 2147483647)")
  elseif(text MATCHES "e\\+")
    fault("${entry}: " "the threshold ${text} lies outside 32 bits (int statistic \"${statistic}\": -2147483648 to 2147483647)")
  else()
    fault("${entry}: " "the threshold ${text} has a fraction, but \"${statistic}\" is an int statistic")
  endif()
  set(faults "${faults}" PARENT_SCOPE)
  set(fault_count ${fault_count} PARENT_SCOPE)
endfunction()

# A float threshold: finite as the platform's 32-bit float. Answers its text
# as a C++ double literal in `out` ("5" as "5.0"), or nothing after a fault.
function(float_threshold entry text out)
  set(${out} "" PARENT_SCOPE)
  if(text MATCHES "^-?([0-9])(\\.([0-9]+))?e\\+([0-9]+)$")
    # Beyond the largest float, 3.4028234663852886e+38, compared on 17 digits.
    set(mantissa "${CMAKE_MATCH_1}${CMAKE_MATCH_3}00000000000000000")
    string(SUBSTRING "${mantissa}" 0 17 mantissa)
    set(exponent ${CMAKE_MATCH_4})
    if(exponent GREATER 38 OR (exponent EQUAL 38 AND mantissa STRGREATER "34028234663852886"))
      fault("${entry}: " "the threshold ${text} is not finite as a float (the platform's float ends at 3.4028234e+38)")
      set(faults "${faults}" PARENT_SCOPE)
      set(fault_count ${fault_count} PARENT_SCOPE)
      return()
    endif()
  elseif(text MATCHES "^-?[0-9]+$")
    set(text "${text}.0")
  endif()
  shortest("${text}" text)
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The shortest decimal text of the double that the parser's `text` (17
# significant digits: 0.69999999999999996) stands for (0.7): the fewest
# leading digits, rounded down or up, that the parser reads as the same
# double, written plainly (40000000.0, 0.001) or, far from 1, as 1e-50.
function(shortest text out)
  string(JSON double GET "[${text}]" 0)
  if(NOT text MATCHES "^(-?)([0-9]+)(\\.([0-9]+))?(e([-+][0-9]+))?$")
    set(${out} "${text}" PARENT_SCOPE)
    return()
  endif()
  set(sign "${CMAKE_MATCH_1}")
  set(fraction "${CMAKE_MATCH_4}")
  set(exponent "${CMAKE_MATCH_6}")
  string(LENGTH "${fraction}" places)
  math(EXPR k "0${exponent} - ${places}")
  string(REGEX REPLACE "^0+" "" digits "${CMAKE_MATCH_2}${fraction}")
  while(digits MATCHES "0$")
    string(REGEX REPLACE "0$" "" digits "${digits}")
    math(EXPR k "${k} + 1")
  endwhile()
  if(digits STREQUAL "")
    set(digits 0)
  endif()
  string(LENGTH "${digits}" n)
  set(found FALSE)
  foreach(p RANGE 1 ${n})
    string(SUBSTRING "${digits}" 0 ${p} prefix)
    math(EXPR up "${prefix} + 1")
    math(EXPR kp "${k} + ${n} - ${p}")
    foreach(candidate ${prefix} ${up})
      string(JSON again ERROR_VARIABLE beyond GET "[${sign}${candidate}e${kp}]" 0)
      if(again STREQUAL double)
        set(digits ${candidate})
        set(k ${kp})
        set(found TRUE)
        break()
      endif()
    endforeach()
    if(found)
      break()
    endif()
  endforeach()
  while(digits MATCHES ".0$")
    string(REGEX REPLACE "0$" "" digits "${digits}")
    math(EXPR k "${k} + 1")
  endwhile()
  string(LENGTH "${digits}" n)
  math(EXPR point "${n} + ${k}")
  if(k GREATER_EQUAL 0 AND point LESS_EQUAL 21)
    string(REPEAT "0" ${k} zeros)
    set(${out} "${sign}${digits}${zeros}.0" PARENT_SCOPE)
  elseif(k LESS 0 AND point GREATER 0)
    string(SUBSTRING "${digits}" 0 ${point} whole)
    string(SUBSTRING "${digits}" ${point} -1 part)
    set(${out} "${sign}${whole}.${part}" PARENT_SCOPE)
  elseif(k LESS 0 AND point GREATER -6)
    math(EXPR count "0 - ${point}")
    string(REPEAT "0" ${count} zeros)
    set(${out} "${sign}0.${zeros}${digits}" PARENT_SCOPE)
  else()
    string(SUBSTRING "${digits}" 0 1 lead)
    string(SUBSTRING "${digits}" 1 -1 rest)
    math(EXPR power "${point} - 1")
    if(NOT rest STREQUAL "")
      set(rest ".${rest}")
    endif()
    set(${out} "${sign}${lead}${rest}e${power}" PARENT_SCOPE)
  endif()
endfunction()

set(rows "")          # C++ rows of kAchievementRows
set(json_rows "")     # rows of statistics.json
set(page_rows "")     # rows of statistics.md
set(achievement_names "")
if(achievement_count GREATER 0)
  math(EXPR last_achievement "${achievement_count} - 1")
  foreach(j RANGE ${last_achievement})
    set(entry "achievements[${j}]")
    math(EXPR id "${j} + 1")
    member(name name_type achievements ${j} name)
    member(statistic statistic_type achievements ${j} statistic)
    member(threshold threshold_type achievements ${j} threshold)
    member(given_id id_type achievements ${j} id)
    if(NOT name_type STREQUAL "STRING")
      fault("${entry}: " "an achievement has a \"name\" text")
      continue()
    endif()
    check_name("${entry}" "${name}" usable)
    shown("${name}" name_shown)
    set(entry "${entry} ${name_shown}")
    # A name is looked up only once it is known to be made of name characters.
    if(usable)
      if(DEFINED achievement_index_${name})
        fault("${entry}: " "the name is used twice (achievements[${achievement_index_${name}}] has it too)")
      else()
        set(achievement_index_${name} ${j})
      endif()
    endif()
    if(NOT id_type STREQUAL "NOTFOUND" AND NOT given_id STREQUAL "${id}")
      fault("${entry}: " "the \"id\" is ${given_id}, but its position makes it ${id} (or leave \"id\" out)")
    endif()
    shown("${statistic}" statistic_shown)
    if(NOT statistic_type STREQUAL "STRING")
      fault("${entry}: " "an achievement names its \"statistic\"")
      continue()
    endif()
    set(known FALSE)
    if(statistic MATCHES "^[A-Za-z0-9_]+$")
      if(DEFINED stat_index_${statistic})
        set(known TRUE)
      endif()
    endif()
    if(NOT known)
      fault("${entry}: " "its statistic ${statistic_shown} is not in the table's statistics")
      continue()
    endif()
    if(threshold_type STREQUAL "NOTFOUND")
      fault("${entry}: " "an achievement has a \"threshold\" number")
      continue()
    elseif(NOT threshold_type STREQUAL "NUMBER")
      string(TOLOWER "${threshold_type}" kind)
      fault("${entry}: " "the threshold is a number, not a ${kind}")
      continue()
    endif()
    if(stat_type_${statistic} STREQUAL "int")
      int_threshold("${entry}" "${threshold}" "${statistic}" value)
      set(cxx_threshold "${value}")
    else()
      float_threshold("${entry}" "${threshold}" value)
      set(cxx_threshold "Threshold::FloatAtLeast(${value})")
    endif()
    if(value STREQUAL "" OR NOT usable)
      continue()
    endif()
    string(APPEND rows "    {${id}, \"${name}\", ${stat_index_${statistic}}, ${cxx_threshold}},\n")
    list(APPEND achievement_names "${name}")
    set(row_of_${name} ${j})
    list(APPEND json_rows "    {\"id\": ${id}, \"name\": \"${name}\", \"statistic\": \"${statistic}\", \"threshold\": ${value}}")
    string(APPEND page_rows "| ${id} | `${name}` | `${statistic}` | ${value} |\n")
  endforeach()
endif()
stop_on_faults()

# ---- What the build makes of it --------------------------------------------
function(write_if_changed file content)
  if(EXISTS "${file}")
    file(READ "${file}" old)
    if(old STREQUAL content)
      return()
    endif()
  endif()
  file(WRITE "${file}" "${content}")
endfunction()

set(stat_rows "")
set(json_stats "")
set(page_stats "")
set(position 0)
foreach(name IN LISTS stat_names)
  math(EXPR position "${position} + 1")
  if(stat_type_${name} STREQUAL "int")
    set(cxx_type Int)
  else()
    set(cxx_type Float)
  endif()
  string(APPEND stat_rows "    {\"${name}\", StatType::${cxx_type}},\n")
  list(APPEND json_stats "    {\"name\": \"${name}\", \"type\": \"${stat_type_${name}}\"}")
  string(APPEND page_stats "| ${position} | `${name}` | ${stat_type_${name}} |\n")
endforeach()

# The byte order of the names (std::string's order; the names are ASCII).
set(sorted ${stat_names})
list(SORT sorted COMPARE STRING)
set(name_order "")
foreach(name IN LISTS sorted)
  list(APPEND name_order ${stat_index_${name}})
endforeach()
list(JOIN name_order ", " name_order)
set(sorted ${achievement_names})
list(SORT sorted COMPARE STRING)
set(achievement_order "")
foreach(name IN LISTS sorted)
  list(APPEND achievement_order ${row_of_${name}})
endforeach()
list(JOIN achievement_order ", " achievement_order)

set(generated "// Generated from ${QZ_TABLE} by cmake/statistics_table.cmake; do not edit.\n")
write_if_changed("${QZ_OUT}/statistics_table_size.h" "${generated}#pragma once
#include <cstddef>

namespace qz::steam {

inline constexpr std::size_t kStatCount = ${stat_count};
inline constexpr std::size_t kAchievementCount = ${achievement_count};

}  // namespace qz::steam
")
write_if_changed("${QZ_OUT}/statistics_table.inc" "${generated}
constexpr StatDefinition kStatDefinitions[kStatCount] = {
${stat_rows}};

constexpr std::array<AchievementRow, kAchievementCount> kAchievementRows = {{
${rows}}};

constexpr std::array<std::size_t, kStatCount> kStatsInNameOrder = {{${name_order}}};

constexpr std::array<std::size_t, kAchievementCount> kAchievementsInNameOrder = {{${achievement_order}}};
")

list(JOIN json_stats ",\n" json_stats)
list(JOIN json_rows ",\n" json_rows)
if(json_rows STREQUAL "")
  set(json_achievements "  \"achievements\": []\n")
else()
  set(json_achievements "  \"achievements\": [\n${json_rows}\n  ]\n")
endif()
write_if_changed("${QZ_OUT}/statistics.json" "{\n  \"statistics\": [\n${json_stats}\n  ],\n${json_achievements}}\n")

write_if_changed("${QZ_OUT}/statistics.md" "# Statistics and achievements

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
`int` statistics, the `...Float` exports the `float` ones.

| # | API name | type |
|---|---|---|
${page_stats}
## Achievements

In id order, the order in which every frame checks them. The library itself
unlocks an achievement (`SetAchievement`, then a store) in the first frame in
which its statistic has reached the threshold; the app needs no unlock rule
of its own.

| id | API name | statistic | unlocks at |
|---|---|---|---|
${page_rows}")
