#pragma once
// The exports of the Steam session, as the game's scripts call them.
#include <cstdint>

#include "platform/export.h"
#include "steam/session/session.h"

// Session lifecycle and account questions.
// 1 started now, 0 the platform refused (or no session object), -1 already started.
QZ_EXPORT int32_t QZ_CDECL QZSteam_Init();
QZ_EXPORT void QZ_CDECL QZSteam_Shutdown();
// Delivers the platform's events, then runs one tick of the statistics cycle.
QZ_EXPORT void QZ_CDECL QZSteam_RunCallbacks();
// Marks a store: the next QZSteam_RunCallbacks writes every statistic.
QZ_EXPORT void QZ_CDECL QZSteam_UpdateServer();
QZ_EXPORT int32_t QZ_CDECL QZSteam_IsOverlayActive();
QZ_EXPORT int32_t QZ_CDECL QZSteam_BLoggedOn();
QZ_EXPORT uint32_t QZ_CDECL QZSteam_GetAccID();
// Writes the 64-bit user id as decimal text into `buffer` (64 characters);
// the number of characters written.
QZ_EXPORT int32_t QZ_CDECL QZSteam_GetAccID64AsChar(char* buffer);
// 1 stored, -1 no session object, -2 session not started.
QZ_EXPORT int32_t QZ_CDECL QZSteam_SetMicroTxnCallback(MicroTxnCallback callback);

// Statistics: the value first, the stat's name second. They change only the
// local value, and only once the statistics have been received.
QZ_EXPORT void QZ_CDECL QZSteam_IncreaseStatValue(int32_t value, const char* name);
QZ_EXPORT void QZ_CDECL QZSteam_SetStatValue(int32_t value, const char* name);
QZ_EXPORT void QZ_CDECL QZSteam_IncreaseStatValueFloat(float value, const char* name);
QZ_EXPORT void QZ_CDECL QZSteam_SetStatValueFloat(float value, const char* name);
