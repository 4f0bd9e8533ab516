# The statistics table as the build checks and renders it
# (cmake/statistics_table.cmake): the built-in table renders the committed
# data/statistics.json and docs/statistics.md; a table at every edge of the
# rules is taken; each bad table below stops the build with exactly its fault
# lines, "FILE: ENTRY: RULE".
# Usage: cmake -DQZ_SOURCE=ROOT -DQZ_WORK=FOLDER -P statistics_table_test.cmake
cmake_minimum_required(VERSION 3.25)
set(generator ${QZ_SOURCE}/cmake/statistics_table.cmake)
set(failures 0)
macro(fail text)
  message(NOTICE "FAILED: ${text}")
  math(EXPR failures "${failures} + 1")
endmacro()

# Runs the generator over `json` (written to NAME.json); answers its result
# code and its fault lines (the lines that start with the file's name).
function(generate name json out_code out_lines)
  set(file ${QZ_WORK}/${name}.json)
  file(WRITE ${file} "${json}")
  file(REMOVE_RECURSE ${QZ_WORK}/${name})
  execute_process(COMMAND ${CMAKE_COMMAND} -DQZ_TABLE=${file} -DQZ_OUT=${QZ_WORK}/${name} -P ${generator}
                  RESULT_VARIABLE code ERROR_VARIABLE errors OUTPUT_QUIET)
  string(REPLACE "\n${file}: " "\n@" errors "\n${errors}")
  string(REGEX MATCHALL "\n@[^\n]*" lines "${errors}")
  list(TRANSFORM lines REPLACE "^\n@" "")
  set(${out_code} ${code} PARENT_SCOPE)
  set(${out_lines} "${lines}" PARENT_SCOPE)
endfunction()

# The built-in table: its rendering is what the repository holds.
file(READ ${QZ_SOURCE}/data/statistics.json builtin)
generate(builtin "${builtin}" code lines)
foreach(rendered statistics.json statistics.md)
  set(committed ${QZ_SOURCE}/data/statistics.json)
  if(rendered STREQUAL "statistics.md")
    set(committed ${QZ_SOURCE}/docs/statistics.md)
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${QZ_WORK}/builtin/${rendered} ${committed}
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    fail("the built-in table renders a ${rendered} other than ${committed}")
  endif()
endforeach()

# Every edge the rules allow: 32-bit ends, a whole 5.0 on an int, the largest
# float, a name of 128 bytes, ids given, a name both a statistic's and an
# achievement's; a float threshold written as its shortest text (0.7, not
# the parser's 0.69999999999999996).
string(REPEAT "N" 128 long_name)
set(edges [=[{"statistics": [{"name": "I", "type": "int"}, {"name": "F", "type": "float"},
  {"name": "LONG", "type": "int"}],
 "achievements": [{"id": 1, "name": "LOW", "statistic": "I", "threshold": -2147483648},
  {"name": "HIGH", "statistic": "I", "threshold": 2147483647}, {"name": "WHOLE", "statistic": "I", "threshold": 5.0},
  {"id": 4, "name": "MOST", "statistic": "F", "threshold": 3.4028234663852886e38},
  {"name": "I", "statistic": "F", "threshold": 5}, {"name": "SEVEN", "statistic": "F", "threshold": 0.7}]}]=])
string(REPLACE "LONG" "${long_name}" edges "${edges}")
generate(edges "${edges}" code lines)
file(READ ${QZ_WORK}/edges/statistics_table.inc inc)
if(NOT code EQUAL 0 OR NOT inc MATCHES "{5, \"I\", 1, Threshold::FloatAtLeast\\(5.0\\)}"
   OR NOT inc MATCHES "{6, \"SEVEN\", 1, Threshold::FloatAtLeast\\(0.7\\)}")
  fail("the table at the rules' edges was not taken: ${lines}")
endif()

# bad(NAME TABLE LINE...): the generator refuses TABLE with exactly the fault
# LINEs (read through ARGV, so that brackets in a line stay as they are).
set(tables 0)
function(bad name json)
  math(EXPR index "${tables} + 1")
  set(tables ${index} PARENT_SCOPE)
  set(expected "")
  math(EXPR last "${ARGC} - 1")
  foreach(i RANGE 2 ${last})
    string(APPEND expected "${ARGV${i}}\n")
  endforeach()
  generate(bad${index} "${json}" code lines)
  set(found "")
  foreach(i IN LISTS lines)
    string(APPEND found "${i}\n")
  endforeach()
  if(code EQUAL 0 OR EXISTS ${QZ_WORK}/bad${index})
    fail("${name}: the table was taken")
  elseif(NOT found STREQUAL expected)
    fail("${name}: the fault lines were\n${found}expected\n${expected}")
  endif()
  set(failures ${failures} PARENT_SCOPE)
endfunction()

set(s1 [=[{"statistics": [{"name": "A", "type": "int"}, {"name": "F", "type": "float"}], "achievements": []=])
bad("twice" "{\"statistics\": [{\"name\": \"A\", \"type\": \"int\"}, {\"name\": \"A\", \"type\": \"float\"}]}"
    "statistics[1] \"A\": the name is used twice (statistics[0] has it too)")
bad("achievement twice" "${s1}{\"name\": \"X\", \"statistic\": \"A\", \"threshold\": 1}, {\"name\": \"X\", \"statistic\": \"F\", \"threshold\": 2}]}"
    "achievements[1] \"X\": the name is used twice (achievements[0] has it too)")
bad("missing statistic"
    "${s1}{\"name\": \"X\", \"statistic\": \"B\", \"threshold\": 1}, {\"name\": \"Y Z\", \"statistic\": \"A B)\", \"threshold\": 1}]}"
    "achievements[0] \"X\": its statistic \"B\" is not in the table's statistics"
    "achievements[1] \"Y Z\": a name is made of A-Z, a-z, 0-9 and _ alone, and is not empty"
    "achievements[1] \"Y Z\": its statistic \"A B)\" is not in the table's statistics")
bad("fraction" "${s1}{\"name\": \"X\", \"statistic\": \"A\", \"threshold\": 2.5}]}"
    "achievements[0] \"X\": the threshold 2.5 has a fraction, but \"A\" is an int statistic")
bad("above 32 bits" "${s1}{\"name\": \"X\", \"statistic\": \"A\", \"threshold\": 2147483648}]}"
    "achievements[0] \"X\": the threshold 2147483648 lies outside 32 bits (int statistic \"A\": -2147483648 to 2147483647)")
bad("below 32 bits" "${s1}{\"name\": \"X\", \"statistic\": \"A\", \"threshold\": -2147483649}]}"
    "achievements[0] \"X\": the threshold -2147483649 lies outside 32 bits (int statistic \"A\": -2147483648 to 2147483647)")
bad("huge int" "${s1}{\"name\": \"X\", \"statistic\": \"A\", \"threshold\": 1e20}]}"
    "achievements[0] \"X\": the threshold 1e+20 lies outside 32 bits (int statistic \"A\": -2147483648 to 2147483647)")
bad("not finite" "${s1}{\"name\": \"X\", \"statistic\": \"F\", \"threshold\": 1e999}]}"
    "line 1, column 142: not JSON: '1e999' is not a number (a number must be finite)")
bad("beyond float" "${s1}{\"name\": \"X\", \"statistic\": \"F\", \"threshold\": -3.5e38}]}"
    "achievements[0] \"X\": the threshold -3.5e+38 is not finite as a float (the platform's float ends at 3.4028234e+38)")
bad("text threshold" "${s1}{\"name\": \"X\", \"statistic\": \"A\", \"threshold\": \"10\"}]}"
    "achievements[0] \"X\": the threshold is a number, not a string")
bad("VERSION" "{\"statistics\": [{\"name\": \"VERSION\", \"type\": \"int\"}]}"
    "statistics[0] \"VERSION\": VERSION is the library's own statistic (it marks the one-time reset), take another name")
bad("characters" "{\"statistics\": [{\"name\": \"KILL ENEMY\", \"type\": \"int\"}, {\"name\": \"\", \"type\": \"int\"}]}"
    "statistics[0] \"KILL ENEMY\": a name is made of A-Z, a-z, 0-9 and _ alone, and is not empty"
    "statistics[1] \"\": a name is made of A-Z, a-z, 0-9 and _ alone, and is not empty")
bad("long name" "{\"statistics\": [{\"name\": \"N${long_name}\", \"type\": \"int\"}]}"
    "statistics[0]: the name is 129 bytes long, the platform takes an API name of at most 128 bytes")
bad("no statistics" "{\"statistics\": [], \"achievements\": []}"
    "the table has no statistics (\"statistics\" is a non-empty array)")
bad("malformed" "{\"statistics\": [\n  {\"name\": \"A\", \"type\": \"int\"}\n  {\"name\": \"B\", \"type\": \"int\"}]}"
    "line 3, column 3: not JSON: Missing ',' or ']' in array declaration")
bad("several" "{\"statistics\": [{\"name\": \"A\", \"type\": \"integer\"}, {\"type\": \"int\"}], \"achievements\": [{\"id\": 2, \"name\": \"X\", \"statistic\": \"A\"}]}"
    "statistics[0] \"A\": the \"type\" is \"int\" or \"float\""
    "statistics[1]: a statistic has a \"name\" text"
    "achievements[0] \"X\": the \"id\" is 2, but its position makes it 1 (or leave \"id\" out)"
    "achievements[0] \"X\": an achievement has a \"threshold\" number")

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} failed")
endif()
message("${tables} bad tables, each refused with its lines; the built-in and the edge table taken")
