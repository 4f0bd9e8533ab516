#pragma once
// Calls an export through its address the way the engine's scripts do, and
// reports whether the export honoured the cdecl convention (left its
// arguments on the stack for the caller to remove).
#include <cstdint>
#include <initializer_list>
#include <vector>

extern "C" uint64_t qz_call_cdecl(const void* fn, const uint32_t* args, int count, int* popped);

struct CdeclCall {
  uint64_t result = 0;  // EDX:EAX after the call
  int bytesPoppedByCallee = 0;
  uint32_t low() const { return static_cast<uint32_t>(result); }
};

inline CdeclCall CallCdecl(const void* fn, std::initializer_list<uint32_t> args = {}) {
  std::vector<uint32_t> words(args);
  CdeclCall call;
  call.result = qz_call_cdecl(fn, words.data(), static_cast<int>(words.size()), &call.bytesPoppedByCallee);
  return call;
}

template <typename T>
uint32_t Arg(T* pointer) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer)); }
