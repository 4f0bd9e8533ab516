// The mapping from the trust provider's status (and last error) to line and result.
#include <gtest/gtest.h>

#include "inspect/trust_outcome.h"

namespace qz::inspect {
namespace {

TEST(TrustOutcome, EveryRowOfTheTable) {
  struct Case {
    uint32_t status, lastError;
    const char16_t* line;  // for a path holding format characters, put in as it is
    bool passed;
  };
  const Case cases[] = {
      {0, 0, u"The file \"C:\\%x%s.exe\" is signed and the signature was verified.\n", true},
      {0x800B0100, 0x800B0100, u"The file \"C:\\%x%s.exe\" is not signed.\n", false},
      {0x800B0100, 0x800B0003, u"The file \"C:\\%x%s.exe\" is not signed.\n", false},
      {0x800B0100, 0x800B0001, u"The file \"C:\\%x%s.exe\" is not signed.\n", false},
      {0x800B0100, 0, u"An unknown error occurred trying to verify the signature of the \"C:\\%x%s.exe\" file.\n", false},
      {0x800B0111, 0, u"The signature is present, but specifically disallowed.\n", false},
      {0x800B0004, 0, u"The signature is present, but not trusted.\n", true},
      {0x80092026, 0,
       u"CRYPT_E_SECURITY_SETTINGS - The hash representing the subject or the publisher wasn't explicitly trusted by "
       u"the admin and admin policy has disabled user trust. No signature, publisher or timestamp errors.\n",
       false},
      {0x800B0001, 0x800B0100, u"Error is: 0x800b0001.\n", false},  // a last error without NOSIGNATURE means nothing
      {0xABCDEF, 0, u"Error is: 0xabcdef.\n", false},
  };
  for (const Case& c : cases) {
    const TrustOutcome outcome = TrustOutcomeFor(c.status, c.lastError);
    EXPECT_EQ(RenderTrustMessage(outcome.message, u"C:\\%x%s.exe", c.status), c.line) << std::hex << c.status;
    EXPECT_EQ(outcome.passed, c.passed) << std::hex << c.status;
  }
}

}  // namespace
}  // namespace qz::inspect
