/*
 * QZSteam.h: the exports of QZSteam.dll, a 32-bit Windows plug-in that runs a
 * game's Steam session and inspects the machine it runs on.
 *
 * Every function uses the cdecl convention (the caller removes the
 * arguments) and has an undecorated name in the DLL's export table. Call them
 * from the game's one thread; the one exception is QZSteam_GetAuthTicket(0)
 * waiting while another thread calls QZSteam_RunCallbacks.
 *
 * Texts that the library returns stay the library's: never free or write
 * them. A report (GetModuleProfile, QZS_glosdi, GetExePath,
 * VerifyProcessProfile, VerifyEmbeddedSignatureLua) stays valid only until
 * the next report export; copy it to keep it. The ticket text stays valid
 * until the next QZSteam_GetAuthTicket.
 *
 * The reference of every export is in docs/ of the release folder that holds
 * this header as include/QZSteam.h; start with docs/integration.md.
 * C89 compilers without <stdint.h> are not supported; C99 and C++ are.
 */
#ifndef QZSTEAM_H
#define QZSTEAM_H

#include <stddef.h>
#include <stdint.h>
#ifndef __cplusplus
#include <stdbool.h>
#endif

#if defined(_WIN32)
#define QZSTEAM_CALL __cdecl
#if defined(QZSTEAM_NO_DLLIMPORT)
#define QZSTEAM_API
#else
#define QZSTEAM_API __declspec(dllimport)
#endif
#else
/* Elsewhere the header only declares; the DLL itself is Windows-only. */
#define QZSTEAM_CALL
#define QZSTEAM_API
#endif

/* A UTF-16 code unit of a path: wchar_t on Windows. Elsewhere, where only
 * the library's portable code is built (for its tests), wchar_t is 32 bits
 * wide, so the header names a 16-bit unit there. */
#if defined(_WIN32)
typedef wchar_t QZSteam_WideChar;
#elif defined(__cplusplus)
typedef char16_t QZSteam_WideChar;
#else
typedef uint_least16_t QZSteam_WideChar;
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The game's function for micro-transaction results: the order id and 1
 * (authorised) or 0. Called from inside QZSteam_RunCallbacks or a pumping
 * QZSteam_GetAuthTicket. */
typedef void(QZSTEAM_CALL* QZSteam_MicroTxnCallback)(uint64_t orderId, int32_t authorized);

/* ---- Engine binding ---------------------------------------------------- */

/* Looks up the engine's script functions through the interface block; 630. */
QZSTEAM_API int32_t QZSTEAM_CALL A6_DLLAPI(void* engineBlock);

/* ---- Steam session ----------------------------------------------------- */

/* 1 started now, 0 refused (no Steam client, no usable steam_api.dll, no
 * memory), -1 already started. */
QZSTEAM_API int32_t QZSTEAM_CALL QZSteam_Init(void);
/* Stores a due store, then ends the platform session. */
QZSTEAM_API void QZSTEAM_CALL QZSteam_Shutdown(void);
/* Once a frame: delivers the platform's events, then one statistics step. */
QZSTEAM_API void QZSTEAM_CALL QZSteam_RunCallbacks(void);
/* Makes a store due: the next QZSteam_RunCallbacks (or QZSteam_Shutdown)
 * writes every statistic and stores them. */
QZSTEAM_API void QZSTEAM_CALL QZSteam_UpdateServer(void);
/* 1 while the Steam overlay is shown, else 0. */
QZSTEAM_API int32_t QZSTEAM_CALL QZSteam_IsOverlayActive(void);
/* 1 when the user is logged on, else 0. */
QZSTEAM_API int32_t QZSTEAM_CALL QZSteam_BLoggedOn(void);
/* The account id: the low 32 bits of the user's 64-bit id; 0 when not started. */
QZSTEAM_API uint32_t QZSTEAM_CALL QZSteam_GetAccID(void);
/* Writes the 64-bit user id as decimal text into buffer (at least 64 chars);
 * the number of characters written, 0 for a null buffer. */
QZSTEAM_API int32_t QZSTEAM_CALL QZSteam_GetAccID64AsChar(char* buffer);
/* 1 stored, -1 no session yet, -2 session not started. */
QZSTEAM_API int32_t QZSTEAM_CALL QZSteam_SetMicroTxnCallback(QZSteam_MicroTxnCallback callback);

/* Statistics: the value first, the stat's name second. Dropped until the
 * player's statistics have arrived from the platform. */
QZSTEAM_API void QZSTEAM_CALL QZSteam_IncreaseStatValue(int32_t value, const char* name);
QZSTEAM_API void QZSTEAM_CALL QZSteam_SetStatValue(int32_t value, const char* name);
QZSTEAM_API void QZSTEAM_CALL QZSteam_IncreaseStatValueFloat(float value, const char* name);
QZSTEAM_API void QZSTEAM_CALL QZSteam_SetStatValueFloat(float value, const char* name);

/* Reading the session back; none of these calls the platform. */
/* 1 once this start's statistics have arrived (from then on updates count),
 * else 0. */
QZSTEAM_API int32_t QZSTEAM_CALL QZSteam_StatsReceived(void);
/* An int (float) statistic's value as the session holds it; 0 for a null or
 * unknown name or a statistic of the other type. */
QZSTEAM_API int32_t QZSTEAM_CALL QZSteam_GetStatValue(const char* name);
QZSTEAM_API float QZSTEAM_CALL QZSteam_GetStatValueFloat(const char* name);
/* 1 unlocked, 0 not; -1 for a null or unknown name or before the statistics
 * have arrived. */
QZSTEAM_API int32_t QZSTEAM_CALL QZSteam_IsAchieved(const char* name);
/* The platform's display text of an achievement for key "name" or "desc";
 * "" for anything else. Valid until the statistics are received again. */
QZSTEAM_API const char* QZSTEAM_CALL QZSteam_GetAchievementDisplay(const char* name, const char* key);

/* The user's authentication ticket as uppercase hex, or "-1" (not started),
 * "-2" (empty ticket), "-3" (no response within about 20 s) or the failed
 * response's result number. pump != 0: deliver the platform's events while
 * waiting. */
QZSTEAM_API char* QZSTEAM_CALL QZSteam_GetAuthTicket(int32_t pump);

/* Pass-through requests; without a started platform they do nothing and
 * answer 0. */
QZSTEAM_API void QZSTEAM_CALL QZSteam_OpenOverlay(const char* dialog);
QZSTEAM_API void QZSTEAM_CALL QZSteam_OpenURL(const char* url);
/* The platform's 64-bit call handle. */
QZSTEAM_API uint64_t QZSTEAM_CALL QZSteam_ReqStoreAuthURL(const char* redirectUrl);
/* method 1 GET, 2 HEAD, 3 POST, 4 PUT, 5 DELETE, 6 OPTIONS; anything else
 * asks for the invalid method 0. The platform's request handle. */
QZSTEAM_API uint32_t QZSTEAM_CALL QZSteam_CreateHTTPRequest(int32_t method, const char* url);
/* The application id. */
QZSTEAM_API uint32_t QZSTEAM_CALL QZSteam_Test(void);
/* Opens the Steam store's front page in the overlay browser. */
QZSTEAM_API void QZSTEAM_CALL QZSteam_Test2(void);
/* Do nothing. */
QZSTEAM_API void QZSTEAM_CALL QZSteam_Test_1(void);
QZSTEAM_API void QZSTEAM_CALL QZSteam_Test_2(void);
QZSTEAM_API void QZSTEAM_CALL QZSteam_Test_3(void);
QZSTEAM_API void QZSTEAM_CALL QZSteam_Test_4(void);

/* ---- Machine inspection ------------------------------------------------- */

/* The modules of a process (0: the calling process) as a JSON-like array. */
QZSTEAM_API char* QZSTEAM_CALL GetModuleProfile(uint32_t processId);
/* The running processes whose main executable does not verify, with their
 * modules. */
QZSTEAM_API char* QZSTEAM_CALL QZS_glosdi(void);
/* The bare path of a process's main executable (0: the calling process). */
QZSTEAM_API char* QZSTEAM_CALL GetExePath(uint32_t processId);
/* {"Id": ...,"Path": "...","Verdict": "PASSED" or "FAILED"} for one process
 * (0: the calling process). */
QZSTEAM_API char* QZSTEAM_CALL VerifyProcessProfile(uint32_t processId);
/* Verifies a file's embedded Authenticode signature (UTF-16 path) and prints
 * one line on the standard output; the report is untouched. */
QZSTEAM_API bool QZSTEAM_CALL VerifyEmbeddedSignature(const QZSteam_WideChar* path);
/* The same check for `length` bytes of an ANSI path; "PASSED" or "FAILED". */
QZSTEAM_API char* QZSTEAM_CALL VerifyEmbeddedSignatureLua(const char* path, int length);
/* flag 1 switches off WOW64 file-system redirection for the calling thread;
 * always 0. */
QZSTEAM_API int QZSTEAM_CALL DisableWow64Redirection(int flag);

#ifdef __cplusplus
}
#endif

#endif /* QZSTEAM_H */
