// The inventory exports on the real platform, against the test program's own view.
#include <windows.h>
// After windows.h:
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>

#include "dll_under_test.h"
#include "inspection_calls.h"

namespace {

std::string OwnPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return Narrow(path);
}

// With a module whose folder and name lie outside the ASCII range.
TEST(InventoryOnWindows, ModuleProfileOfTheCallingProcessMatchesItsOwnSnapshot) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  const std::wstring folder = ProgramFolder() + L"\\Игра 遊戯", copy = folder + L"\\модуль.dll";
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW((ProgramFolder() + L"\\QZSteam.dll").c_str(), copy.c_str(), FALSE));
  HMODULE module = LoadLibraryW(copy.c_str());
  ASSERT_NE(module, nullptr);
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
  ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof entry;
  std::string own = "[";
  for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry)) {
    own += std::string(own.size() > 1 ? "," : "") + "{\"Name\": \"" + Narrow(entry.szModule) + "\",\"Path\": \"" +
           Narrow(entry.szExePath) + "\",\"Size\": " + std::to_string(static_cast<int32_t>(entry.modBaseSize)) + "}";
  }
  CloseHandle(snapshot);
  EXPECT_NE(own.find(Narrow(copy)), std::string::npos);
  EXPECT_EQ(std::string(CallReport("GetModuleProfile", {0})), own + "]");
  FreeLibrary(module);
  DeleteFileW(copy.c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST(InventoryOnWindows, ExePathIsTheOwnPathAndAMissingProcessGivesTheEmptyText) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  EXPECT_EQ(std::string(CallReport("GetExePath", {0})), OwnPath());
  for (const char* name : {"GetModuleProfile", "GetExePath"}) EXPECT_STREQ(CallReport(name, {0x7FFFFFF0}), "") << name;
}

// The test program is unsigned, so the inventory lists it with its modules.
TEST(InventoryOnWindows, ProcessInventoryListsThisUnsignedProgram) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  std::string report;
  CaptureStdout([&] { report = CallReport("QZS_glosdi"); });
  EXPECT_EQ(report.rfind("{\"Process\": [{\"Id\": ", 0), 0u) << report.substr(0, 200);
  EXPECT_EQ(report.substr(report.size() - 2), "]}");
  EXPECT_EQ(report.find("{\"Id\": 0,"), std::string::npos);
  const std::string path = OwnPath();
  const std::string self = "{\"Id\": " + std::to_string(GetCurrentProcessId()) + ",\"Name\": \"" +
                           path.substr(path.find_last_of('\\') + 1) + "\",\"Path\": \"" + path +
                           "\",\"Module\": [{\"Name\": ";
  EXPECT_NE(report.find(self), std::string::npos) << report.substr(0, 400);
}

}  // namespace
