#include <cstdint>
#include <sstream>

#include "demo/demo.h"

std::vector<std::string> TakeStandInCalls(HMODULE standIn) {
  auto log = Export<int32_t(__cdecl*)(char*, int32_t)>(standIn, "QZSim_CallLog");
  std::string text(static_cast<std::size_t>(log(nullptr, 0)) + 1, '\0');
  log(text.data(), static_cast<int32_t>(text.size()));
  Export<void(__cdecl*)()>(standIn, "QZSim_ClearCalls")();
  std::vector<std::string> calls;
  std::istringstream lines(text.c_str());
  for (std::string line; std::getline(lines, line);) calls.push_back(line);
  return calls;
}
