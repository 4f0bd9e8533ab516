// A6_DLLAPI as the engine calls it: through GetProcAddress, cdecl, with an
// interface block whose lookup function (at byte 2608) is cdecl too.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "cdecl_call.h"
#include "dll_under_test.h"
#include "plugin/engine_lookup_names.h"

namespace {

std::vector<std::string> g_asked;

void* __cdecl RecordingLookup(const char* name) {
  g_asked.emplace_back(name);
  return nullptr;
}

struct EngineBlock {
  unsigned char bytes[4096] = {};
  EngineBlock() {
    void* lookup = reinterpret_cast<void*>(&RecordingLookup);
    std::memcpy(bytes + 2608, &lookup, sizeof lookup);
  }
};

TEST(EngineBindingOnWindows, Makes434CdeclLookupsInListOrderAndAnswers630) {
  const void* bind = QZSteamExport("A6_DLLAPI");
  ASSERT_NE(bind, nullptr);
  EngineBlock block;
  g_asked.clear();

  CdeclCall call = CallCdecl(bind, {Arg(block.bytes)});
  EXPECT_EQ(call.low(), 630u);
  EXPECT_EQ(call.bytesPoppedByCallee, 0) << "A6_DLLAPI must leave its argument to the caller";
  ASSERT_EQ(g_asked.size(), 434u);
  for (size_t i = 0; i < g_asked.size(); ++i) EXPECT_EQ(g_asked[i], qz::engine::kLookupNames[i]) << "lookup " << i + 1;

  g_asked.clear();
  EXPECT_EQ(CallCdecl(bind, {Arg(block.bytes)}).low(), 630u);
  EXPECT_EQ(g_asked.size(), 434u) << "a second call asks again";
}

TEST(EngineBindingOnWindows, NullBlockAnswers630WithoutCrashing) {
  const void* bind = QZSteamExport("A6_DLLAPI");
  ASSERT_NE(bind, nullptr);
  g_asked.clear();
  EXPECT_EQ(CallCdecl(bind, {0u}).low(), 630u);
  EngineBlock noLookup;
  std::memset(noLookup.bytes + 2608, 0, sizeof(void*));
  EXPECT_EQ(CallCdecl(bind, {Arg(noLookup.bytes)}).low(), 630u);
  EXPECT_TRUE(g_asked.empty());
}

DWORD WINAPI DoNothing(void*) { return 7; }

TEST(LoadEntry, IsHarmlessForAllFourNotifications) {
  // Process attach.
  HMODULE module = LoadQZSteam();
  ASSERT_NE(module, nullptr);
  // Thread attach and thread detach.
  HANDLE thread = CreateThread(nullptr, 0, &DoNothing, nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  ASSERT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeThread(thread, &code);
  EXPECT_EQ(code, 7u);
  CloseHandle(thread);
  EngineBlock block;
  EXPECT_EQ(CallCdecl(reinterpret_cast<const void*>(GetProcAddress(module, "A6_DLLAPI")), {Arg(block.bytes)}).low(), 630u);
  // Process detach, then a fresh load that still works.
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(GetModuleHandleW(L"QZSteam.dll"), nullptr);
  module = LoadQZSteam();
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(CallCdecl(reinterpret_cast<const void*>(GetProcAddress(module, "A6_DLLAPI")), {Arg(block.bytes)}).low(), 630u);
}

}  // namespace
