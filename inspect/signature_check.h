#pragma once
// Verifies the embedded Authenticode signature of one file through the
// Windows trust provider and prints one line about the outcome.
namespace qz::inspect {

// True when the signature verifies or is present but not trusted. A null
// path is checked as the empty path.
bool VerifyFileSignature(const char16_t* path);

}  // namespace qz::inspect
