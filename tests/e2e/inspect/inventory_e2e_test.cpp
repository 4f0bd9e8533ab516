// The inventory exports on the real platform, against the test program's own view.
#include <windows.h>
// After windows.h:
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>

#include "cdecl_call.h"
#include "dll_under_test.h"
#include "inspection_calls.h"

namespace {

std::wstring OwnPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

std::string OwnModuleReport() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
  EXPECT_NE(snapshot, INVALID_HANDLE_VALUE);
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof entry;
  std::string report = "[";
  for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry)) {
    if (report.size() > 1) report += ",";
    report += "{\"Name\": \"" + Narrow(entry.szModule) + "\",\"Path\": \"" + Narrow(entry.szExePath) +
              "\",\"Size\": " + std::to_string(static_cast<int32_t>(entry.modBaseSize)) + "}";
  }
  CloseHandle(snapshot);
  return report + "]";
}

TEST(InventoryOnWindows, ModuleProfileOfTheCallingProcessMatchesItsOwnSnapshot) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  const std::string report = CallReport("GetModuleProfile", {0});
  EXPECT_EQ(report, OwnModuleReport());
  EXPECT_NE(report.find("\"Name\": \"QZSteam.dll\""), std::string::npos);
}

TEST(InventoryOnWindows, ExePathOfTheCallingProcessIsItsOwnPath) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  EXPECT_EQ(std::string(CallReport("GetExePath", {0})), Narrow(OwnPath()));
}

TEST(InventoryOnWindows, ProcessThatDoesNotExistGivesTheEmptyText) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  for (const char* name : {"GetModuleProfile", "GetExePath"}) {
    const char* report = CallReport(name, {0x7FFFFFF0});
    ASSERT_NE(report, nullptr) << name;
    EXPECT_STREQ(report, "") << name;
  }
}

// The test program is unsigned, so the inventory lists it with its modules.
TEST(InventoryOnWindows, ProcessInventoryListsThisUnsignedProgram) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  std::string report;
  CaptureStdout([&] { report = CallReport("QZS_glosdi"); });
  EXPECT_EQ(report.rfind("{\"Process\": [{\"Id\": ", 0), 0u) << report.substr(0, 200);
  EXPECT_EQ(report.substr(report.size() - 2), "]}");
  EXPECT_EQ(report.find("{\"Id\": 0,"), std::string::npos);
  EXPECT_EQ(report.find(",,"), std::string::npos);
  EXPECT_EQ(report.find('\n'), std::string::npos);
  const std::wstring path = OwnPath();
  const std::string self = "{\"Id\": " + std::to_string(GetCurrentProcessId()) + ",\"Name\": \"" +
                           Narrow(path.substr(path.find_last_of(L'\\') + 1)) + "\",\"Path\": \"" + Narrow(path) +
                           "\",\"Module\": [{\"Name\": ";
  EXPECT_NE(report.find(self), std::string::npos) << report.substr(0, 400);
}

TEST(InventoryOnWindows, ProcessVerdictOfThisUnsignedProgramFails) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  std::string report;
  const std::string printed = CaptureStdout([&] { report = CallReport("VerifyProcessProfile", {GetCurrentProcessId()}); });
  EXPECT_EQ(report, "{\"Id\": " + std::to_string(GetCurrentProcessId()) + ",\"Path\": \"" + Narrow(OwnPath()) +
                        "\",\"Verdict\": \"FAILED\"}");
  EXPECT_EQ(printed, ConsoleLine("The file \"" + Narrow(OwnPath()) + "\" is not signed.\n"));
}

}  // namespace
