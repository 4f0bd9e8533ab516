// Run by code_pages_test.sh, signed, from a folder whose name lies outside
// ASCII, under the ANSI code page that the Unix locale gave Wine: checks its
// own executable through QZSteam.dll next to it, as a game's script does.
// Each line the DLL prints must come out whole, in the code page ('?' for
// what it lacks), and a path whole or not at all (empty past the 499 bytes
// of a value). Usage: code_page_probe.exe CODE_PAGE; exit 0 when all holds,
// else what was expected and what came, on the standard error.
#include <cstring>
#include <string>

#include "QZSteam.h"
#include "console_capture.h"

int main(int argc, char** argv) {
  std::wstring self(32768, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
  const std::string path = Narrow(self), value = path.size() <= 499 ? path : "";
  const std::string verified = "The file \"" + path + "\" is signed and the signature was verified.\r\n";
  const std::string modules = "[{\"Name\": \"code_page_probe.exe\",\"Path\": \"" + value + "\",";
  // A script's round trip, where the code page spells the path.
  const bool roundTrip = !value.empty() && path.find('?') == std::string::npos;
  const std::string expected = std::string(argc > 1 ? argv[1] : "") + "|" + value + "|" +
                               (roundTrip ? verified + "PASSED|" : "") + verified + "1|" + verified + "{\"Id\": " +
                               std::to_string(GetCurrentProcessId()) + ",\"Path\": \"" + value +
                               "\",\"Verdict\": \"PASSED\"}|" + modules;

  const char* text = GetExePath(0);
  std::string actual = std::to_string(GetACP()) + "|" + text + "|";
  // Each call's printed lines, then its answer.
  auto call = [&](const std::function<std::string()>& answer) {
    std::string said;
    actual += CaptureStdout([&] { said = answer(); });
    actual += said + "|";
  };
  if (roundTrip) call([&] { return std::string(VerifyEmbeddedSignatureLua(text, std::strlen(text))); });
  call([&] { return std::string(VerifyEmbeddedSignature(self.c_str()) ? "1" : "0"); });
  call([] { return std::string(VerifyProcessProfile(0)); });
  actual += std::string(GetModuleProfile(0)).substr(0, modules.size());
  if (actual == expected) return 0;
  std::fprintf(stderr, "expected %s\ncame     %s\n", expected.c_str(), actual.c_str());
  return 1;
}
