#pragma once
// The authentication ticket export and the exports that pass one request
// straight to the platform.
#include <cstdint>

#include "platform/export.h"

// The logged-on user's authentication session ticket as uppercase hex text, or
// "-1" (not started), "-2" (empty ticket), "-3" (no response in time), or the
// failed response's result number. Waits for the response in 100 ms sleeps,
// pumping the platform's callbacks in each when `pump` is not 0.
QZ_EXPORT char* QZ_CDECL QZSteam_GetAuthTicket(int32_t pump);

// Each fetches its platform interface at the call; without one (platform not
// started, or shut down) they do nothing and answer 0.
QZ_EXPORT void QZ_CDECL QZSteam_OpenOverlay(const char* dialog);
QZ_EXPORT void QZ_CDECL QZSteam_OpenURL(const char* url);
QZ_EXPORT uint64_t QZ_CDECL QZSteam_ReqStoreAuthURL(const char* redirectUrl);
// Methods 1 (GET) to 6 (OPTIONS) pass as they are; any other number asks for
// the invalid method 0.
QZ_EXPORT uint32_t QZ_CDECL QZSteam_CreateHTTPRequest(int32_t method, const char* url);
// The application id.
QZ_EXPORT uint32_t QZ_CDECL QZSteam_Test();
// Opens the page of kTest2PageUrl in the overlay browser.
QZ_EXPORT void QZ_CDECL QZSteam_Test2();
// Exported as QZSteam_Test_1, QZSteam_Test_2, QZSteam_Test_3 and
// QZSteam_Test_4: does nothing.
QZ_EXPORT void QZ_CDECL QZSteam_DoNothing();

namespace qz::steam {
inline constexpr char kTest2PageUrl[] = "https://store.steampowered.com/";
}
