#pragma once
// Calls the inspection exports of the real DLL as a script does (cdecl,
// through their addresses) and captures what they print.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// Calls export `name` with 32-bit arguments; fails the test when the export
// is missing or pops its own arguments. Returns EAX.
uint32_t CallExport(const char* name, std::initializer_list<uint32_t> args = {});
// The same for the exports that return the report buffer.
const char* CallReport(const char* name, std::initializer_list<uint32_t> args = {});

// Runs `call` with the standard output going to a file; returns the bytes
// written there.
std::string CaptureStdout(const std::function<void()>& call);

// UTF-16 to narrow text in the ANSI code page, '?' for what it lacks.
std::string Narrow(const std::wstring& text);

// A running copy of the signing subject, such as signing\signed.exe. The
// constructor returns once it has written its ready byte, so it is loaded;
// the destructor ends and closes it.
class WaitingChild {
 public:
  explicit WaitingChild(const std::wstring& program);
  ~WaitingChild();
  DWORD id = 0;

 private:
  HANDLE input_ = nullptr, process_ = nullptr;
};
