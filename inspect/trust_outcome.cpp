#include "inspect/trust_outcome.h"

namespace qz::inspect {

TrustOutcome TrustOutcomeFor(uint32_t status, uint32_t lastError) {
  switch (status) {
    case kTrustSuccess:
      return {u"The file \"%s\" is signed and the signature was verified.\n", true};
    case kTrustNoSignature:
      if (lastError == kTrustNoSignature || lastError == kTrustSubjectFormUnknown ||
          lastError == kTrustProviderUnknown) {
        return {u"The file \"%s\" is not signed.\n", false};
      }
      return {u"An unknown error occurred trying to verify the signature of the \"%s\" file.\n", false};
    case kTrustExplicitDistrust:
      return {u"The signature is present, but specifically disallowed.\n", false};
    case kTrustSubjectNotTrusted:
      return {u"The signature is present, but not trusted.\n", true};
    case kCryptSecuritySettings:
      return {u"CRYPT_E_SECURITY_SETTINGS - The hash representing the subject or the publisher wasn't explicitly "
              u"trusted by the admin and admin policy has disabled user trust. No signature, publisher or timestamp "
              u"errors.\n",
              false};
    default:
      return {u"Error is: 0x%x.\n", false};
  }
}

std::u16string RenderTrustMessage(const char16_t* message, const char16_t* path, uint32_t status) {
  std::u16string line;
  for (const char16_t* m = message; *m != 0; ++m) {
    if (m[0] == u'%' && m[1] == u's') {
      if (path != nullptr) line += path;
      ++m;
    } else if (m[0] == u'%' && m[1] == u'x') {
      char16_t digits[8];
      int n = 0;
      uint32_t rest = status;
      do {
        digits[n++] = u"0123456789abcdef"[rest % 16];
        rest /= 16;
      } while (rest != 0);
      while (n > 0) line += digits[--n];
      ++m;
    } else {
      line += *m;
    }
  }
  return line;
}

}  // namespace qz::inspect
