#pragma once
// What a status of the trust provider means for the signature check: the
// line printed about the file and the check's result. One pure mapping, so
// every caller agrees on which outcomes pass.
#include <cstdint>

namespace qz::inspect {

inline constexpr uint32_t kTrustSuccess = 0;                        // ERROR_SUCCESS
inline constexpr uint32_t kTrustNoSignature = 0x800B0100;           // TRUST_E_NOSIGNATURE
inline constexpr uint32_t kTrustSubjectFormUnknown = 0x800B0003;    // TRUST_E_SUBJECT_FORM_UNKNOWN
inline constexpr uint32_t kTrustProviderUnknown = 0x800B0001;       // TRUST_E_PROVIDER_UNKNOWN
inline constexpr uint32_t kTrustExplicitDistrust = 0x800B0111;      // TRUST_E_EXPLICIT_DISTRUST
inline constexpr uint32_t kTrustSubjectNotTrusted = 0x800B0004;     // TRUST_E_SUBJECT_NOT_TRUSTED
inline constexpr uint32_t kCryptSecuritySettings = 0x80092026;      // CRYPT_E_SECURITY_SETTINGS

struct TrustOutcome {
  // Wide printf-style message: "%s" stands for the file's path, "%x" for the
  // status in lowercase hexadecimal.
  const char16_t* message;
  bool passed;
};

// Only TRUST_E_NOSIGNATURE is told apart by the last error the check left.
inline bool OutcomeDependsOnLastError(uint32_t status) { return status == kTrustNoSignature; }

// `lastError` is looked at only when OutcomeDependsOnLastError(status).
TrustOutcome TrustOutcomeFor(uint32_t status, uint32_t lastError);

}  // namespace qz::inspect
