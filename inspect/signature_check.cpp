#include "inspect/signature_check.h"

#include <new>
#include <string>

#include "platform/text.h"
#include "platform/win_seam.h"

namespace qz::inspect {
namespace {

// WINTRUST_ACTION_GENERIC_VERIFY_V2 {00AAC56B-CD44-11D0-8CC2-00C04FC295EE}
win::Guid GenericVerifyV2() { return {0x00AAC56B, 0xCD44, 0x11D0, {0x8C, 0xC2, 0x00, 0xC0, 0x4F, 0xC2, 0x95, 0xEE}}; }

constexpr uint32_t kTrustDataSize = 48;   // the form without pSignatureSettings
constexpr uint32_t kUiNone = 2;           // WTD_UI_NONE
constexpr uint32_t kRevokeNone = 0;       // WTD_REVOKE_NONE
constexpr uint32_t kChoiceFile = 1;       // WTD_CHOICE_FILE
constexpr uint32_t kStateVerify = 1;      // WTD_STATEACTION_VERIFY
constexpr uint32_t kStateClose = 2;       // WTD_STATEACTION_CLOSE

}  // namespace

void PrintSignatureVerdict(const SignatureVerdict& verdict, const char16_t* path) {
  win::WinApi& api = win::Api();
  try {
    const std::u16string line = text::FormatTrustLine(verdict.outcome.message, path, verdict.status);
    // The line in the ANSI code page, whole, as the reports spell a path; the
    // process's locale is the game's and is never set here. A code unit
    // gives at most three bytes (UTF-8), and a character the code page
    // lacks one '?'.
    std::string bytes(3 * line.size(), '\0');
    bytes.resize(api.wideToAnsi(line.data(), line.size(), bytes.data(), bytes.size()));
    api.printLine(bytes.data(), bytes.size());
  } catch (const std::bad_alloc&) {
    // The line is diagnostic; without memory for it the result still stands.
  }
}

SignatureVerdict VerifyFileSignature(const char16_t* path) {
  if (path == nullptr) path = u"";
  win::WinApi& api = win::Api();

  win::TrustFileInfo file{};
  file.structSize = sizeof file;
  file.filePath = path;

  win::TrustData data{};
  data.structSize = kTrustDataSize;
  data.uiChoice = kUiNone;
  data.revocationChecks = kRevokeNone;
  data.unionChoice = kChoiceFile;
  data.file = &file;
  data.stateAction = kStateVerify;

  win::Guid action = GenericVerifyV2();
  const uint32_t status = static_cast<uint32_t>(api.winVerifyTrust(nullptr, &action, &data));
  // The last error must be read before any other platform call can change it.
  const uint32_t lastError = OutcomeDependsOnLastError(status) ? api.getLastError() : 0;
  const SignatureVerdict verdict{TrustOutcomeFor(status, lastError), status};
  PrintSignatureVerdict(verdict, path);

  // Releases the state the provider kept for the check, whatever its outcome.
  data.stateAction = kStateClose;
  api.winVerifyTrust(nullptr, &action, &data);
  return verdict;
}

SignatureVerdict VerifyProcessFile(const char16_t* path) {
  win::WinApi& api = win::Api();
  void* previousState = nullptr;
  const bool switchedOff = api.disableWow64FsRedirection(&previousState);
  const SignatureVerdict verdict = VerifyFileSignature(path);
  if (switchedOff) api.revertWow64FsRedirection(previousState);
  return verdict;
}

}  // namespace qz::inspect
