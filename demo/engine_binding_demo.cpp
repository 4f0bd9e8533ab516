// Stands in for the engine: an interface block whose lookup function, at byte
// 2608, hands out made-up addresses and counts what it was asked for.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "demo/demo.h"

namespace {

std::vector<std::string> g_asked;

void* __cdecl EngineLookup(const char* name) {
  g_asked.emplace_back(name);
  return reinterpret_cast<void*>(0x10000 + 16 * g_asked.size());
}

}  // namespace

void RunEngineBindingDemo(HMODULE qzsteam) {
  using Binding = int(__cdecl*)(void*);
  auto bind = Export<Binding>(qzsteam, "A6_DLLAPI");
  if (bind == nullptr) {
    std::printf("A6_DLLAPI is not exported\n");
    return;
  }
  static unsigned char block[4096] = {};
  void* lookup = reinterpret_cast<void*>(&EngineLookup);
  std::memcpy(block + 2608, &lookup, sizeof lookup);

  int answer = bind(block);
  std::vector<std::string> distinct = g_asked;
  std::sort(distinct.begin(), distinct.end());
  distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
  std::printf("A6_DLLAPI answered %d after %zu engine lookups of %zu distinct names\n", answer, g_asked.size(),
              distinct.size());
  if (!g_asked.empty()) {
    std::printf("  first \"%s\", 93rd \"%s\", last \"%s\"\n", g_asked.front().c_str(),
                g_asked.size() > 92 ? g_asked[92].c_str() : "", g_asked.back().c_str());
  }
}
