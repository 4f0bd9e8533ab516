#pragma once
// Calls a QZSteam.dll export by name as the game's scripts do, through its
// address with the cdecl convention, and checks that the export left its
// arguments for the caller to remove.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "cdecl_call.h"
#include "dll_under_test.h"

inline CdeclCall CallExport(const char* name, std::initializer_list<uint32_t> args = {}) {
  const void* address = QZSteamExport(name);
  if (address == nullptr) {
    ADD_FAILURE() << name << " is not exported";
    return CdeclCall{};
  }
  CdeclCall call = CallCdecl(address, args);
  EXPECT_EQ(call.bytesPoppedByCallee, 0) << name << " is not cdecl";
  return call;
}
