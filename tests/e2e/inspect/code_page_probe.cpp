// Run by code_pages_test.sh, signed, from a folder whose name lies outside
// ASCII, under the ANSI code page that the Unix locale gave Wine: checks its
// own executable through QZSteam.dll next to it, as a game's script does.
// The lines the DLL prints must each come out whole, in the code page ('?'
// for what it lacks); a path must be given whole or not at all.
// Usage: code_page_probe.exe CODE_PAGE. Exit 0 when everything holds; each
// failure is one line on the standard error.
#include <windows.h>
// After windows.h:
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "QZSteam.h"

namespace {

int failures = 0;

void Expect(bool holds, const std::string& what) {
  if (!holds) ++failures, std::fprintf(stderr, "FAILED: %s\n", what.c_str());
}

// The bytes that `call` writes to the standard output, which the DLL shares
// with this program: a text-mode stream (CR LF).
std::string CaptureStdout(const std::function<void()>& call) {
  int pipe[2];
  if (_pipe(pipe, 1 << 16, _O_TEXT) != 0) return "no pipe";
  std::fflush(stdout);
  const int saved = _dup(1);
  _dup2(pipe[1], 1);
  call();
  std::fflush(stdout);
  _dup2(saved, 1);
  _close(saved);
  _close(pipe[1]);
  _setmode(pipe[0], _O_BINARY);
  std::string text;
  char chunk[4096];
  for (int n; (n = _read(pipe[0], chunk, sizeof chunk)) > 0;) text.append(chunk, n);
  _close(pipe[0]);
  return text;
}

std::string Narrow(const std::wstring& text) {
  std::string out(4 * text.size(), '\0');
  out.resize(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                                 out.data(), static_cast<int>(out.size()), "?", nullptr));
  return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const unsigned codePage = argc > 1 ? static_cast<unsigned>(std::wcstoul(argv[1], nullptr, 10)) : 0;
  Expect(GetACP() == codePage, "the ANSI code page is " + std::to_string(GetACP()));
  std::wstring self(32768, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
  const std::string path = Narrow(self);
  // A report's value is whole or empty: empty past 499 bytes.
  const std::string value = path.size() <= 499 ? path : "";
  const std::string verified = "The file \"" + path + "\" is signed and the signature was verified.\r\n";

  // The round trip of a script checking its own executable, where the code
  // page spells its path.
  const char* text = GetExePath(0);
  Expect(text == value, "GetExePath(0) gives \"" + std::string(text) + "\" for \"" + path + "\"");
  if (!value.empty() && path.find('?') == std::string::npos) {
    const char* verdict = nullptr;
    const std::string line = CaptureStdout([&] { verdict = VerifyEmbeddedSignatureLua(text, std::strlen(text)); });
    Expect(line == verified, "VerifyEmbeddedSignatureLua printed \"" + line + "\"");
    Expect(std::strcmp(verdict, "PASSED") == 0, "VerifyEmbeddedSignatureLua answers " + std::string(verdict));
  }

  bool passed = false;
  std::string line = CaptureStdout([&] { passed = VerifyEmbeddedSignature(self.c_str()); });
  Expect(passed && line == verified, "VerifyEmbeddedSignature printed \"" + line + "\"");

  const char* report = nullptr;
  line = CaptureStdout([&] { report = VerifyProcessProfile(0); });
  Expect(line == verified, "VerifyProcessProfile printed \"" + line + "\"");
  Expect(report == "{\"Id\": " + std::to_string(GetCurrentProcessId()) + ",\"Path\": \"" + value +
                       "\",\"Verdict\": \"PASSED\"}",
         "VerifyProcessProfile(0) reports " + std::string(report));

  const std::string modules = GetModuleProfile(0);
  Expect(modules.rfind("[{\"Name\": \"code_page_probe.exe\",\"Path\": \"" + value + "\",", 0) == 0,
         "GetModuleProfile(0) begins " + modules.substr(0, 120 + value.size()));
  return failures == 0 ? 0 : 1;
}
