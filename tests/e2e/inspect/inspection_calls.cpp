#include "inspection_calls.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>

#include <cstdio>

#include "cdecl_call.h"
#include "dll_under_test.h"

uint32_t CallExport(const char* name, std::initializer_list<uint32_t> args) {
  const void* fn = QZSteamExport(name);
  EXPECT_NE(fn, nullptr) << name;
  if (fn == nullptr) return 0;
  CdeclCall call = CallCdecl(fn, args);
  EXPECT_EQ(call.bytesPoppedByCallee, 0) << name << " is not cdecl";
  return call.low();
}

const char* CallReport(const char* name, std::initializer_list<uint32_t> args) {
  return reinterpret_cast<const char*>(static_cast<uintptr_t>(CallExport(name, args)));
}

std::string CaptureStdout(const std::function<void()>& call) {
  const std::wstring path = ProgramFolder() + L"\\stdout-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  std::fflush(stdout);
  const int saved = _dup(1);
  FILE* file = _wfopen(path.c_str(), L"w+");
  EXPECT_NE(file, nullptr);
  if (file == nullptr) return "";
  _dup2(_fileno(file), 1);  // the DLL shares this C runtime's stdout, a text-mode stream
  call();
  std::fflush(stdout);
  _dup2(saved, 1);
  _close(saved);
  std::string text;
  std::fseek(file, 0, SEEK_SET);
  _setmode(_fileno(file), _O_BINARY);  // read back the bytes as written
  char chunk[4096];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) text.append(chunk, n);
  std::fclose(file);
  _wremove(path.c_str());
  return text;
}

std::string Narrow(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), size, nullptr, 0, "?", nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), size, out.data(), n, "?", nullptr);
  return out;
}

WaitingChild::WaitingChild(const std::wstring& program) {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE childInput = nullptr, ready = nullptr, childOutput = nullptr;
  CreatePipe(&childInput, &input_, &inherited, 0);
  CreatePipe(&ready, &childOutput, &inherited, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = childInput;
  startup.hStdOutput = startup.hStdError = childOutput;
  std::wstring commandLine = L"\"" + program + L"\"";
  PROCESS_INFORMATION child{};
  if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child)) {
    CloseHandle(child.hThread);
    process_ = child.hProcess;
    id = child.dwProcessId;
  }
  EXPECT_NE(id, 0u) << "CreateProcessW failed with " << GetLastError();
  CloseHandle(childInput);
  CloseHandle(childOutput);
  char byte;
  DWORD n = 0;
  if (id != 0) ReadFile(ready, &byte, 1, &n, nullptr);
  CloseHandle(ready);
}

WaitingChild::~WaitingChild() {
  if (process_ != nullptr) TerminateProcess(process_, 0);
  CloseHandle(process_);
  CloseHandle(input_);
}
