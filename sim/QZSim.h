/*
 * QZSim.h: the control functions of the platform simulator, the stand-in
 * steam_api.dll of simulator/ (a development tool: never ship it).
 *
 * Most of what a game team needs of the simulator is said in its account file
 * (simulator.md). These functions let a game's own test code script the
 * simulated platform while the game runs and read what it saw. The stand-in
 * exports each as QZSim_<Name>, cdecl; Valve's steam_api.dll has none of
 * them, so look them up at run time and do without them when they are not
 * there:
 *
 *   HMODULE steam = GetModuleHandleA("steam_api.dll");
 *   QZSim_StatInt_fn statInt = (QZSim_StatInt_fn)GetProcAddress(steam, "QZSim_StatInt");
 *   if (statInt != NULL) printf("KILL_ENEMY is %d\n", statInt("KILL_ENEMY"));
 *
 * Each runs alone: the stand-in serialises its functions and the platform's
 * (the library allows a ticket asked on one thread while another pumps). Texts
 * are narrow and NUL-terminated; a null text counts as the empty one.
 * C99 and C++.
 */
#ifndef QZSIM_H
#define QZSIM_H

#include <stdint.h>

#if defined(_WIN32)
#define QZSIM_CALL __cdecl
#else
#define QZSIM_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* --- The platform as the caller scripts it ---
 * These take effect at once; what the account file sets is read at the first
 * start and replaces what was set before it. */

/* 0: every start fails as with no Steam client running; 1 (default): they succeed. */
typedef void(QZSIM_CALL* QZSim_SetStartSucceeds_fn)(int32_t succeeds);
/* Whether a user is logged on (default 1). */
typedef void(QZSIM_CALL* QZSim_SetLoggedOn_fn)(int32_t loggedOn);
/* The user's 64-bit Steam id (default 76561197960287930). */
typedef void(QZSIM_CALL* QZSim_SetSteamId_fn)(uint64_t steamId);
/* The application id (default 480). */
typedef void(QZSIM_CALL* QZSim_SetAppId_fn)(uint32_t appId);
/* A statistic on the player's account, as an integer or a float. */
typedef void(QZSIM_CALL* QZSim_SetStatInt_fn)(const char* name, int32_t value);
typedef void(QZSIM_CALL* QZSim_SetStatFloat_fn)(const char* name, float value);
/* 1: the statistic is not configured for the game: reading and writing it fail. */
typedef void(QZSIM_CALL* QZSim_SetStatReadFails_fn)(const char* name, int32_t fails);
/* An achievement on the player's account: unlocked (1) or not (0). */
typedef void(QZSIM_CALL* QZSim_SetAchievement_fn)(const char* apiName, int32_t achieved);
/* The display text ("name" or "desc") the platform gives for an achievement. */
typedef void(QZSIM_CALL* QZSim_SetDisplayAttribute_fn)(const char* apiName, const char* key, const char* text);
/* The answers of the next RequestCurrentStats / StoreStats calls (1 accepted,
 * 0 refused), in order; the last one repeats. Default: always accepted. */
typedef void(QZSIM_CALL* QZSim_SetRequestCurrentStatsResults_fn)(const int32_t* results, int32_t count);
typedef void(QZSIM_CALL* QZSim_SetStoreStatsResults_fn)(const int32_t* results, int32_t count);
/* The result (an EResult; 1 is OK) with which the statistics arrive, and with
 * which stores complete. */
typedef void(QZSIM_CALL* QZSim_SetStatsReceivedResult_fn)(int32_t result);
typedef void(QZSIM_CALL* QZSim_SetStatsStoredResult_fn)(int32_t result);
/* The bytes of every ticket the game asks for (default 01 02 ... 08). */
typedef void(QZSIM_CALL* QZSim_SetTicket_fn)(const uint8_t* bytes, int32_t count);
/* The ticket's response: its result, and on which frame after the request it
 * arrives (1: the next; 0: never). */
typedef void(QZSIM_CALL* QZSim_SetTicketResponse_fn)(int32_t result, int32_t afterPumps);
/* What RequestStoreAuthURL and CreateHTTPRequest answer. */
typedef void(QZSIM_CALL* QZSim_SetStoreAuthUrlCall_fn)(uint64_t call);
typedef void(QZSIM_CALL* QZSim_SetHttpRequestHandle_fn)(uint32_t handle);
/* An event record of `size` bytes for the callback id (331 overlay, 152
 * micro-transaction, ...), delivered on the `onPump`-th next frame (1: the
 * next) of a running session. */
typedef void(QZSIM_CALL* QZSim_QueueEvent_fn)(int32_t callbackId, const void* data, int32_t size, int32_t onPump);

/* --- What the platform saw --- */

/* The calls recorded since the last QZSim_ClearCalls (the latest 10000 at
 * most), one "Function(arguments)\n" each, cut to capacity - 1 and
 * terminated; answers the whole text's length. */
typedef int32_t(QZSIM_CALL* QZSim_CallLog_fn)(char* buffer, int32_t capacity);
typedef void(QZSIM_CALL* QZSim_ClearCalls_fn)(void);
/* 1 while a session runs (started, not shut down). */
typedef int32_t(QZSIM_CALL* QZSim_Running_fn)(void);
/* 1 when steam_sim_account.json was read at the start. */
typedef int32_t(QZSIM_CALL* QZSim_AccountFileInUse_fn)(void);
/* A statistic and an achievement as the account holds them now. */
typedef int32_t(QZSIM_CALL* QZSim_StatInt_fn)(const char* name);
typedef float(QZSIM_CALL* QZSim_StatFloat_fn)(const char* name);
typedef int32_t(QZSIM_CALL* QZSim_Achieved_fn)(const char* apiName);

/* A callback object registered with the stand-in, as it sees it. */
typedef struct QZSimRegistration {
  int32_t callbackIdArgument; /* as passed to SteamAPI_RegisterCallback */
  int32_t sizeBytes;          /* the object's GetCallbackSizeBytes() */
  int32_t flags;              /* the byte at offset 4, now */
  int32_t callbackIdField;    /* the int at offset 8, now */
} QZSimRegistration;
typedef int32_t(QZSIM_CALL* QZSim_RegistrationCount_fn)(void);
/* Registration `index` (0 first) into *out: 1, or 0 past the end. */
typedef int32_t(QZSIM_CALL* QZSim_Registration_fn)(int32_t index, QZSimRegistration* out);

#ifdef __cplusplus
}
#endif

#endif /* QZSIM_H */
