#include "plugin/engine_binding.h"

#include <array>
#include <cstring>

#include "include/QZSteam.h"
#include "plugin/engine_lookup_names.h"

namespace qz::engine {
namespace {

constexpr bool SameName(const char* a, const char* b) {
  while (*a != '\0' && *a == *b) ++a, ++b;
  return *a == *b;
}

// For every lookup, the table entry of its name: a name takes the next free
// entry the first time it appears; a repeated name reuses its first entry.
constexpr std::array<std::size_t, kLookupCount> ComputeTableIndex() {
  std::array<std::size_t, kLookupCount> index{};
  std::size_t next = 0;
  for (std::size_t i = 0; i < kLookupCount; ++i) {
    index[i] = next;
    for (std::size_t j = 0; j < i; ++j) {
      if (SameName(kLookupNames[i], kLookupNames[j])) {
        index[i] = index[j];
        break;
      }
    }
    if (index[i] == next) ++next;
  }
  return index;
}

constexpr std::size_t CountDistinct(const std::array<std::size_t, kLookupCount>& index) {
  std::size_t highest = 0;
  for (std::size_t i : index) highest = i > highest ? i : highest;
  return highest + 1;
}

constexpr auto kTableIndex = ComputeTableIndex();
static_assert(kLookupCount == 434, "the engine is asked for 434 functions");
static_assert(CountDistinct(kTableIndex) == kFunctionCount, "434 lookups of 432 distinct names");

void* g_block = nullptr;
void* g_functions[kFunctionCount] = {};

}  // namespace

void* EngineBlock() { return g_block; }

void* EngineFunction(const char* name) {
  if (name == nullptr) return nullptr;
  for (std::size_t i = 0; i < kLookupCount; ++i) {
    if (std::strcmp(kLookupNames[i], name) == 0) return g_functions[kTableIndex[i]];
  }
  return nullptr;
}

}  // namespace qz::engine

QZ_EXPORT int32_t QZ_CDECL A6_DLLAPI(void* block) {
  using namespace qz::engine;
  LookupFunction lookup = nullptr;
  // The engine always passes its block; a host that does not gets the same
  // answer without a lookup rather than a crash.
  if (block != nullptr) {
    std::memcpy(&lookup, static_cast<const unsigned char*>(block) + kLookupFunctionOffset, sizeof lookup);
  }
  g_block = block;
  if (lookup == nullptr) return kBindingResult;
  for (std::size_t i = 0; i < kLookupCount; ++i) g_functions[kTableIndex[i]] = lookup(kLookupNames[i]);
  return kBindingResult;
}
