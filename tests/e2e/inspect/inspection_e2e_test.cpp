// The inspection exports of the real DLL, called as a script calls them
// (cdecl, through their addresses), on what only the platform shows: Toolhelp,
// the trust provider, the ANSI code page and the WOW64 switch.
#include <windows.h>
// After windows.h:
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "cdecl_call.h"
#include "console_capture.h"
#include "dll_under_test.h"

namespace {

// EAX of export `name` called with 32-bit arguments; the test fails when the
// export is missing or pops its own arguments.
uint32_t CallExport(const char* name, std::initializer_list<uint32_t> args = {}) {
  const void* fn = QZSteamExport(name);
  EXPECT_NE(fn, nullptr) << name;
  if (fn == nullptr) return 0;
  const CdeclCall call = CallCdecl(fn, args);
  EXPECT_EQ(call.bytesPoppedByCallee, 0) << name << " is not cdecl";
  return call.low();
}

const char* CallReport(const char* name, std::initializer_list<uint32_t> args = {}) {
  return reinterpret_cast<const char*>(static_cast<uintptr_t>(CallExport(name, args)));
}

// Non-ASCII paths: the module report of this process matches its own
// snapshot, with a module whose folder and name lie outside the ASCII range.
// The inventory lists this unsigned program, its first module its executable,
// and Wine's unsigned services.exe, a 64-bit process, with its path (which a
// 32-bit caller cannot read from the process's own loader data), checked
// as its own file. (code_page_probe.cpp checks a program's own executable
// through GetExePath's text, in the players' code pages.)
TEST(InspectionOnWindows, ReportsAndChecksThisProgram) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  const std::wstring folder = ProgramFolder() + L"\\Игра 遊戯", copy = folder + L"\\модуль.dll";
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW((ProgramFolder() + L"\\QZSteam.dll").c_str(), copy.c_str(), FALSE));
  HMODULE module = LoadLibraryW(copy.c_str());
  ASSERT_NE(module, nullptr);
  const std::string inventory = CallReport("QZS_glosdi");
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof entry;
  std::string own;
  for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry)) {
    own += (own.empty() ? "[" : ",") + std::string("{\"Name\": \"") + Narrow(entry.szModule) + "\",\"Path\": \"" +
           Narrow(entry.szExePath) + "\",\"Size\": " + std::to_string(static_cast<int32_t>(entry.modBaseSize)) + "}";
  }
  CloseHandle(snapshot);
  EXPECT_NE(own.find(Narrow(copy)), std::string::npos);
  EXPECT_EQ(CallReport("GetModuleProfile", {0}), own + "]");
  FreeLibrary(module);
  DeleteFileW(copy.c_str());
  RemoveDirectoryW(folder.c_str());

  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::string path = Narrow(exe), name = path.substr(path.rfind('\\') + 1);
  const std::string self = "{\"Id\": " + std::to_string(GetCurrentProcessId()) + ",\"Name\": \"" + name +
                           "\",\"Path\": \"" + path + "\",\"Module\": " + own.substr(0, own.find("},{") + 1);
  EXPECT_NE(inventory.find(self), std::string::npos) << inventory.substr(0, 400);
  const std::string services = "C:\\windows\\system32\\services.exe";
  const std::size_t servicesAt = inventory.find("\"Name\": \"services.exe\",\"Path\": \"" + services + "\"");
  ASSERT_NE(servicesAt, std::string::npos) << inventory.substr(0, 400);
  // Its own 64-bit file is checked, not a SysWOW64 twin that does not exist
  // ("Error is: 0x2.").
  const uint32_t servicesId = std::stoul(inventory.substr(inventory.rfind("\"Id\": ", servicesAt) + 6));
  const char* verdict = nullptr;
  EXPECT_EQ(CaptureStdout([&] { verdict = CallReport("VerifyProcessProfile", {servicesId}); }),
            "The file \"" + services + "\" is not signed.\r\n");
  EXPECT_EQ(verdict, "{\"Id\": " + std::to_string(servicesId) + ",\"Path\": \"" + services + "\",\"Verdict\": \"FAILED\"}");
}

// Files signed at build time by make_signed_files.sh (Wine trusts the
// self-signed certificate), each through both exports: the same line, with
// the path in full where it holds one ('@'). Wine reports a changed signed
// file as TRUST_E_BAD_DIGEST, and a missing file with ERROR_FILE_NOT_FOUND as
// the status itself (Windows gives TRUST_E_NOSIGNATURE there). A length no
// copy could ever hold fails like a copy that cannot be made: "FAILED", and
// the host goes on.
TEST(InspectionOnWindows, VerifiesSignedUnsignedTamperedAndMissingFiles) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  const struct {
    const wchar_t* file;
    bool passed;
    const char* line;
  } checks[] = {{L"signed.exe", true, "The file \"@\" is signed and the signature was verified.\r\n"},
                {L"unsigned.exe", false, "The file \"@\" is not signed.\r\n"},
                {L"tampered.exe", false, "Error is: 0x80096010.\r\n"},
                {L"missing.exe", false, "Error is: 0x2.\r\n"}};
  for (const auto& check : checks) {
    const std::wstring path = ProgramFolder() + L"\\signing\\" + check.file;
    const std::string narrow = Narrow(path);
    std::string line = check.line;
    if (line.find('@') != std::string::npos) line.replace(line.find('@'), 1, narrow);
    uint32_t passed = 0;
    const char* report = nullptr;
    const std::string lines = CaptureStdout([&] {
      passed = CallExport("VerifyEmbeddedSignature", {Arg(path.c_str())}) & 0xFF;
      report = CallReport("VerifyEmbeddedSignatureLua", {Arg(narrow.c_str()), uint32_t(narrow.size())});
    });
    EXPECT_EQ(lines, line + line);
    EXPECT_EQ(passed, check.passed ? 1u : 0u) << narrow;
    EXPECT_STREQ(report, check.passed ? "PASSED" : "FAILED") << narrow;
  }
  for (uint32_t length : {0x7FFFFFFFu, 0x40000000u})
    EXPECT_STREQ(CallReport("VerifyEmbeddedSignatureLua", {Arg("abc"), length}), "FAILED") << length;
}

// Flag 0 leaves this 32-bit thread's view of the system folder redirected;
// flag 1 switches it to the real, 64-bit one.
TEST(InspectionOnWindows, FlagOneSwitchesWow64RedirectionOff) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  for (uint32_t flag : {0u, 1u}) {
    EXPECT_EQ(CallExport("DisableWow64Redirection", {flag}), 0u);
    // The machine field of kernel32.dll's PE header, behind its offset at 0x3C.
    std::ifstream dll(L"C:\\windows\\system32\\kernel32.dll", std::ios::binary);
    uint32_t peOffset = 0;
    uint16_t machine = 0;
    dll.seekg(0x3C).read(reinterpret_cast<char*>(&peOffset), 4);
    dll.seekg(peOffset + 4).read(reinterpret_cast<char*>(&machine), 2);
    EXPECT_EQ(machine, flag == 0 ? 0x14c : 0x8664) << flag;
  }
}

}  // namespace
