#pragma once
// The engine binding: A6_DLLAPI receives the engine's interface block and asks
// the engine's lookup function for every engine script function by name. The
// answers are kept, untyped, in the engine function table; nothing in the
// library calls through them.
#include <cstddef>
#include <cstdint>

#include "platform/export.h"

namespace qz::engine {

// Byte offset of the lookup function's address inside the engine interface block.
inline constexpr std::size_t kLookupFunctionOffset = 2608;
// What A6_DLLAPI answers, whatever the engine answered.
inline constexpr int32_t kBindingResult = 630;
// One entry per distinct name of the lookup list.
inline constexpr std::size_t kFunctionCount = 432;

using LookupFunction = void*(QZ_CDECL*)(const char* name);

// The block pointer of the latest A6_DLLAPI call (null before the first).
void* EngineBlock();
// The table entry of a looked-up name: the engine's latest answer for it, or
// null; also null for a name that is not in the lookup list.
void* EngineFunction(const char* name);

}  // namespace qz::engine
