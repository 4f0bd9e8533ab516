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

}  // namespace qz::inspect
