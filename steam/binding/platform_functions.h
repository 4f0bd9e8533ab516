#pragma once
// The platform functions, one list per interface: each row is one function of
// steam_api.dll or one method of a platform interface, with everything the
// library, the simulator and the stand-in Steam client need to know of it.
// The binding's table, the stand-in steam_api.dll's exports and the stand-in
// client's vtables are all generated from these rows, so adding a platform
// function is one row here.
//
// Flat functions (no interface):
//   X(Name, Return, (parameters), model call, (export names))
// Interface methods:
//   X(Use, Interface, Method, Return, (flat parameters), model call,
//     (export names), (slot in each version of the interface))
//
// - Use: L when the library calls the method through its flat export; C when
//   only steam_api.dll calls it, on the Steam client (the stand-in client
//   implements it, the library never binds it).
// - The flat parameters are those of the cdecl export, the interface handle
//   first; the model call is the simulator's PlatformModel call that the
//   stand-ins forward to, in terms of those parameter names.
// - Export names: every name a release gives the function, newest first; the
//   binding takes the first one the loaded DLL exports.
// - Slots: one column per version of the interface, in the order of the
//   interface's row in QZ_STEAM_INTERFACES. S(n): vtable slot n with every
//   parameter; S(n, k): slot n taking only the first k parameters (the
//   release had fewer); R(n): slot n returning its 8-byte class through a
//   hidden pointer (MSVC's way with CSteamID); kAbsent: not in that version.
//   Slots are MSVC's: overloads in reverse order of declaration.
#include <cstdint>

#include "steam/binding/steam_types.h"

class CCallbackBase;
class ISteamClient;
class ISteamUser;
class ISteamUserStats;
class ISteamFriends;
class ISteamUtils;
class ISteamHTTP;
class ISteamController;
class ISteamInput;
class ISteamHTMLSurface;

namespace qz::steam {

// Where a method sits in one version of its interface's vtable.
struct Slot {
  int index;          // -1: the version lacks the method
  int args;           // parameters after `this`; -1: all of the flat function's
  bool hiddenReturn;  // the class result is written through a hidden pointer
};
constexpr Slot S(int index, int args = -1) { return {index, args, false}; }
constexpr Slot R(int index) { return {index, -1, true}; }
inline constexpr Slot kAbsent{-1, -1, false};

enum class InterfaceId { Client, User, UserStats, Friends, Utils, HTTP, Controller, Input, HTMLSurface };

}  // namespace qz::steam

// X(Interface, handle type, (versions, in the order of the slot columns))
#define QZ_STEAM_INTERFACES(X)                                                                                   \
  X(Client, ISteamClient,                                                                                        \
    ("SteamClient017", "SteamClient018", "SteamClient019", "SteamClient020", "SteamClient021", "SteamClient023")) \
  X(User, ISteamUser, ("SteamUser018", "SteamUser019", "SteamUser020", "SteamUser021", "SteamUser022", "SteamUser023")) \
  X(UserStats, ISteamUserStats,                                                                                  \
    ("STEAMUSERSTATS_INTERFACE_VERSION011", "STEAMUSERSTATS_INTERFACE_VERSION012",                               \
     "STEAMUSERSTATS_INTERFACE_VERSION013"))                                                                     \
  X(Friends, ISteamFriends, ("SteamFriends015", "SteamFriends016", "SteamFriends017", "SteamFriends018"))        \
  X(Utils, ISteamUtils, ("SteamUtils007", "SteamUtils008", "SteamUtils009", "SteamUtils010", "SteamUtils011"))   \
  X(HTTP, ISteamHTTP, ("STEAMHTTP_INTERFACE_VERSION002", "STEAMHTTP_INTERFACE_VERSION003"))                      \
  X(Controller, ISteamController,                                                                                \
    ("STEAMCONTROLLER_INTERFACE_VERSION", "SteamController003", "SteamController004", "SteamController005",      \
     "SteamController006", "SteamController007", "SteamController008"))                                          \
  X(Input, ISteamInput, ("SteamInput001", "SteamInput002", "SteamInput005", "SteamInput006", "SteamInput007"))   \
  X(HTMLSurface, ISteamHTMLSurface, ("STEAMHTMLSURFACE_INTERFACE_VERSION_002", "STEAMHTMLSURFACE_INTERFACE_VERSION_003"))

// Start, pump, shutdown, registration and the accessors. Releases 1.48 on
// export one versioned accessor per interface, 1.32-1.36 the plain ones, and
// 1.37-1.47 neither: there SteamClient(), the user and pipe handles and the
// client's getters give the interfaces.
#define QZ_STEAM_FLAT_FUNCTIONS(X)                                                                                  \
  X(InitFlat, ESteamAPIInitResult, (SteamErrMsg * error), InitFlat(error), (SteamAPI_InitFlat))                      \
  X(InternalInit, ESteamAPIInitResult, (const char* versions, SteamErrMsg* error), InternalInit(versions, error),   \
    (SteamInternal_SteamAPI_Init))                                                                                  \
  X(Init, bool, (), Init(), (SteamAPI_Init))                                                                        \
  X(RunCallbacks, void, (), RunCallbacks(), (SteamAPI_RunCallbacks))                                                \
  X(Shutdown, void, (), Shutdown(), (SteamAPI_Shutdown))                                                            \
  X(RegisterCallback, void, (CCallbackBase * callback, int id), RegisterCallback(callback, id),                     \
    (SteamAPI_RegisterCallback))                                                                                    \
  X(SteamUser, ISteamUser*, (), Accessor<ISteamUser>(qz::steam::InterfaceId::User),                                 \
    (SteamAPI_SteamUser_v023, SteamAPI_SteamUser_v022, SteamAPI_SteamUser_v021, SteamAPI_SteamUser_v020, SteamUser)) \
  X(SteamUserStats, ISteamUserStats*, (), Accessor<ISteamUserStats>(qz::steam::InterfaceId::UserStats),             \
    (SteamAPI_SteamUserStats_v013, SteamAPI_SteamUserStats_v012, SteamAPI_SteamUserStats_v011, SteamUserStats))     \
  X(SteamFriends, ISteamFriends*, (), Accessor<ISteamFriends>(qz::steam::InterfaceId::Friends),                     \
    (SteamAPI_SteamFriends_v018, SteamAPI_SteamFriends_v017, SteamFriends))                                         \
  X(SteamUtils, ISteamUtils*, (), Accessor<ISteamUtils>(qz::steam::InterfaceId::Utils),                             \
    (SteamAPI_SteamUtils_v011, SteamAPI_SteamUtils_v010, SteamAPI_SteamUtils_v009, SteamUtils))                     \
  X(SteamHTTP, ISteamHTTP*, (), Accessor<ISteamHTTP>(qz::steam::InterfaceId::HTTP),                                 \
    (SteamAPI_SteamHTTP_v003, SteamHTTP))                                                                           \
  X(SteamClient, ISteamClient*, (), Accessor<ISteamClient>(qz::steam::InterfaceId::Client), (SteamClient))          \
  X(GetHSteamUser, HSteamUser, (), GetHSteamUser(), (SteamAPI_GetHSteamUser))                                       \
  X(GetHSteamPipe, HSteamPipe, (), GetHSteamPipe(), (SteamAPI_GetHSteamPipe))

// ISteamClient, versions 017 018 019 020 021 023. The library uses its
// getters only on 1.37-1.47; steam_api.dll uses the rest to start, to fetch
// every interface and to end the session.
#define QZ_STEAM_CLIENT_METHODS(X)                                                                                 \
  X(C, Client, CreateSteamPipe, HSteamPipe, (ISteamClient*), CreateSteamPipe(),                                    \
    (SteamAPI_ISteamClient_CreateSteamPipe), (S(0), S(0), S(0), S(0), S(0), S(0)))                                 \
  X(C, Client, BReleaseSteamPipe, bool, (ISteamClient*, HSteamPipe pipe), BReleaseSteamPipe(pipe),                 \
    (SteamAPI_ISteamClient_BReleaseSteamPipe), (S(1), S(1), S(1), S(1), S(1), S(1)))                               \
  X(C, Client, ConnectToGlobalUser, HSteamUser, (ISteamClient*, HSteamPipe pipe), ConnectToGlobalUser(pipe),       \
    (SteamAPI_ISteamClient_ConnectToGlobalUser), (S(2), S(2), S(2), S(2), S(2), S(2)))                             \
  X(C, Client, ReleaseUser, void, (ISteamClient*, HSteamPipe pipe, HSteamUser user), ReleaseUser(pipe, user),      \
    (SteamAPI_ISteamClient_ReleaseUser), (S(4), S(4), S(4), S(4), S(4), S(4)))                                     \
  X(L, Client, GetISteamUser, ISteamUser*, (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version), \
    Interface<ISteamUser>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamUser),                             \
    (S(5), S(5), S(5), S(5), S(5), S(5)))                                                                          \
  X(C, Client, GetISteamGameServer, void*, (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version), \
    Interface<void>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamGameServer),                             \
    (S(6), S(6), S(6), S(6), S(6), S(6)))                                                                          \
  X(L, Client, GetISteamFriends, ISteamFriends*,                                                                   \
    (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version),                                        \
    Interface<ISteamFriends>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamFriends),                       \
    (S(8), S(8), S(8), S(8), S(8), S(8)))                                                                          \
  X(L, Client, GetISteamUtils, ISteamUtils*, (ISteamClient*, HSteamPipe pipe, const char* version),                \
    Interface<ISteamUtils>(0, pipe, version), (SteamAPI_ISteamClient_GetISteamUtils),                              \
    (S(9), S(9), S(9), S(9), S(9), S(9)))                                                                          \
  X(C, Client, GetISteamMatchmaking, void*, (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version), \
    Interface<void>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamMatchmaking),                            \
    (S(10), S(10), S(10), S(10), S(10), S(10)))                                                                    \
  X(C, Client, GetISteamMatchmakingServers, void*,                                                                 \
    (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version), Interface<void>(user, pipe, version),   \
    (SteamAPI_ISteamClient_GetISteamMatchmakingServers), (S(11), S(11), S(11), S(11), S(11), S(11)))               \
  X(C, Client, GetISteamGenericInterface, void*,                                                                   \
    (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version), Interface<void>(user, pipe, version),   \
    (SteamAPI_ISteamClient_GetISteamGenericInterface), (S(12), S(12), S(12), S(12), S(12), S(12)))                 \
  X(L, Client, GetISteamUserStats, ISteamUserStats*,                                                               \
    (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version),                                        \
    Interface<ISteamUserStats>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamUserStats),                   \
    (S(13), S(13), S(13), S(13), S(13), S(13)))                                                                    \
  X(C, Client, GetISteamApps, void*, (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version),       \
    Interface<void>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamApps),                                   \
    (S(15), S(15), S(15), S(15), S(15), S(15)))                                                                    \
  X(C, Client, GetISteamNetworking, void*, (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version), \
    Interface<void>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamNetworking),                             \
    (S(16), S(16), S(16), S(16), S(16), S(16)))                                                                    \
  X(C, Client, GetISteamRemoteStorage, void*,                                                                      \
    (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version), Interface<void>(user, pipe, version),   \
    (SteamAPI_ISteamClient_GetISteamRemoteStorage), (S(17), S(17), S(17), S(17), S(17), S(17)))                    \
  X(C, Client, GetISteamScreenshots, void*, (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version), \
    Interface<void>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamScreenshots),                            \
    (S(18), S(18), S(18), S(18), S(18), S(18)))                                                                    \
  X(C, Client, BShutdownIfAllPipesClosed, bool, (ISteamClient*), BShutdownIfAllPipesClosed(),                      \
    (SteamAPI_ISteamClient_BShutdownIfAllPipesClosed), (S(22), S(23), S(23), S(23), S(23), S(22)))                 \
  X(L, Client, GetISteamHTTP, ISteamHTTP*, (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version), \
    Interface<ISteamHTTP>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamHTTP),                             \
    (S(23), S(24), S(24), S(24), S(24), S(23)))                                                                    \
  X(C, Client, GetISteamUnifiedMessages, void*,                                                                    \
    (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version), Interface<void>(user, pipe, version),   \
    (SteamAPI_ISteamClient_GetISteamUnifiedMessages), (S(24), kAbsent, kAbsent, kAbsent, kAbsent, kAbsent))        \
  X(C, Client, GetISteamController, ISteamController*,                                                             \
    (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version),                                        \
    Interface<ISteamController>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamController),                 \
    (S(25), S(26), S(26), S(26), S(25), S(24)))                                                                    \
  X(C, Client, GetISteamUGC, void*, (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version),        \
    Interface<void>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamUGC),                                    \
    (S(26), S(27), S(27), S(27), S(26), S(25)))                                                                    \
  X(C, Client, GetISteamAppList, void*, (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version),    \
    Interface<void>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamAppList),                                \
    (S(27), S(28), S(28), S(28), kAbsent, kAbsent))                                                                \
  X(C, Client, GetISteamMusic, void*, (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version),      \
    Interface<void>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamMusic),                                  \
    (S(28), S(29), S(29), S(29), S(27), S(26)))                                                                    \
  X(C, Client, GetISteamMusicRemote, void*, (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version), \
    Interface<void>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamMusicRemote),                            \
    (S(29), S(30), S(30), S(30), S(28), kAbsent))                                                                  \
  X(C, Client, GetISteamHTMLSurface, ISteamHTMLSurface*,                                                           \
    (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version),                                        \
    Interface<ISteamHTMLSurface>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamHTMLSurface),               \
    (S(30), S(31), S(31), S(31), S(29), S(27)))                                                                    \
  X(C, Client, Set_SteamAPI_CPostAPIResultInProcess, void, (ISteamClient*, void* function), Hook(function),        \
    (SteamAPI_ISteamClient_Set_SteamAPI_CPostAPIResultInProcess), (S(31), S(32), S(32), S(32), S(30), S(28)))      \
  X(C, Client, Remove_SteamAPI_CPostAPIResultInProcess, void, (ISteamClient*, void* function), Hook(function),     \
    (SteamAPI_ISteamClient_Remove_SteamAPI_CPostAPIResultInProcess), (S(32), S(33), S(33), S(33), S(31), S(29)))   \
  X(C, Client, Set_SteamAPI_CCheckCallbackRegisteredInProcess, void, (ISteamClient*, void* function),              \
    Hook(function), (SteamAPI_ISteamClient_Set_SteamAPI_CCheckCallbackRegisteredInProcess),                        \
    (S(33), S(34), S(34), S(34), S(32), S(30)))                                                                    \
  X(C, Client, GetISteamInventory, void*, (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version),  \
    Interface<void>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamInventory),                              \
    (S(34), S(35), S(35), S(35), S(33), S(31)))                                                                    \
  X(C, Client, GetISteamVideo, void*, (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version),      \
    Interface<void>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamVideo),                                  \
    (S(35), S(36), S(36), S(36), S(34), S(32)))                                                                    \
  X(C, Client, GetISteamInput, ISteamInput*, (ISteamClient*, HSteamUser user, HSteamPipe pipe, const char* version), \
    Interface<ISteamInput>(user, pipe, version), (SteamAPI_ISteamClient_GetISteamInput),                           \
    (kAbsent, S(38), S(38), S(38), S(36), S(34)))

// ISteamUser, versions 018 019 020 021 022 023. GetAuthSessionTicket takes the
// peer's identity from 022 on, and 023 added a method before EndAuthSession.
// No release of the data names 022 (it is 1.56's): its column follows 021
// with the identity.
#define QZ_STEAM_USER_METHODS(X)                                                                                    \
  X(L, User, BLoggedOn, bool, (ISteamUser*), BLoggedOn(), (SteamAPI_ISteamUser_BLoggedOn),                          \
    (S(1), S(1), S(1), S(1), S(1), S(1)))                                                                           \
  X(L, User, GetSteamID, uint64_t, (ISteamUser*), GetSteamID(), (SteamAPI_ISteamUser_GetSteamID),                   \
    (R(2), R(2), R(2), R(2), R(2), R(2)))                                                                           \
  X(L, User, GetAuthSessionTicket, HAuthTicket,                                                                     \
    (ISteamUser*, void* ticket, int capacity, uint32_t* length, const void* identity),                              \
    GetAuthSessionTicket(ticket, capacity, length, identity), (SteamAPI_ISteamUser_GetAuthSessionTicket),           \
    (S(13, 3), S(13, 3), S(13, 3), S(13, 3), S(13), S(13)))                                                         \
  X(L, User, EndAuthSession, void, (ISteamUser*, uint64_t steamId), EndAuthSession(steamId),                        \
    (SteamAPI_ISteamUser_EndAuthSession), (S(15), S(15), S(15), S(15), S(15), S(16)))                               \
  X(L, User, RequestStoreAuthURL, SteamAPICall_t, (ISteamUser*, const char* redirectUrl),                           \
    RequestStoreAuthURL(redirectUrl), (SteamAPI_ISteamUser_RequestStoreAuthURL),                                    \
    (S(24), S(24), S(24), S(24), S(24), S(25)))

// ISteamUserStats, versions 011 012 013. Before 1.48 the int32/float
// overloads were exported as GetStat/GetStat0 and SetStat/SetStat0; 013 lost
// RequestCurrentStats, and every later slot moved down by one.
#define QZ_STEAM_USER_STATS_METHODS(X)                                                                              \
  X(L, UserStats, RequestCurrentStats, bool, (ISteamUserStats*), RequestCurrentStats(),                             \
    (SteamAPI_ISteamUserStats_RequestCurrentStats), (S(0), S(0), kAbsent))                                          \
  X(L, UserStats, GetStatFloat, bool, (ISteamUserStats*, const char* name, float* value), GetStatFloat(name, value), \
    (SteamAPI_ISteamUserStats_GetStatFloat, SteamAPI_ISteamUserStats_GetStat0), (S(1), S(1), S(0)))                 \
  X(L, UserStats, GetStatInt32, bool, (ISteamUserStats*, const char* name, int32_t* value),                         \
    GetStatInt32(name, value), (SteamAPI_ISteamUserStats_GetStatInt32, SteamAPI_ISteamUserStats_GetStat),           \
    (S(2), S(2), S(1)))                                                                                             \
  X(L, UserStats, SetStatFloat, bool, (ISteamUserStats*, const char* name, float value), SetStatFloat(name, value), \
    (SteamAPI_ISteamUserStats_SetStatFloat, SteamAPI_ISteamUserStats_SetStat0), (S(3), S(3), S(2)))                 \
  X(L, UserStats, SetStatInt32, bool, (ISteamUserStats*, const char* name, int32_t value),                          \
    SetStatInt32(name, value), (SteamAPI_ISteamUserStats_SetStatInt32, SteamAPI_ISteamUserStats_SetStat),           \
    (S(4), S(4), S(3)))                                                                                             \
  X(L, UserStats, GetAchievement, bool, (ISteamUserStats*, const char* name, bool* achieved),                       \
    GetAchievement(name, achieved), (SteamAPI_ISteamUserStats_GetAchievement), (S(6), S(6), S(5)))                  \
  X(L, UserStats, SetAchievement, bool, (ISteamUserStats*, const char* name), SetAchievementFlat(name),             \
    (SteamAPI_ISteamUserStats_SetAchievement), (S(7), S(7), S(6)))                                                  \
  X(L, UserStats, StoreStats, bool, (ISteamUserStats*), StoreStats(), (SteamAPI_ISteamUserStats_StoreStats),        \
    (S(10), S(10), S(9)))                                                                                           \
  X(L, UserStats, GetAchievementDisplayAttribute, const char*,                                                      \
    (ISteamUserStats*, const char* name, const char* key), GetAchievementDisplayAttribute(name, key),               \
    (SteamAPI_ISteamUserStats_GetAchievementDisplayAttribute), (S(12), S(12), S(11)))                               \
  X(L, UserStats, ResetAllStats, bool, (ISteamUserStats*, bool achievementsToo), ResetAllStats(achievementsToo),    \
    (SteamAPI_ISteamUserStats_ResetAllStats), (S(21), S(21), S(20)))

// ISteamFriends, versions 015 016 017 018. The web page's mode came with 016.
#define QZ_STEAM_FRIENDS_METHODS(X)                                                                                 \
  X(L, Friends, ActivateGameOverlay, void, (ISteamFriends*, const char* dialog), ActivateGameOverlay(dialog),       \
    (SteamAPI_ISteamFriends_ActivateGameOverlay), (S(28), S(28), S(28), S(27)))                                     \
  X(L, Friends, ActivateGameOverlayToWebPage, void, (ISteamFriends*, const char* url, int mode),                    \
    ActivateGameOverlayToWebPage(url, mode), (SteamAPI_ISteamFriends_ActivateGameOverlayToWebPage),                 \
    (S(30, 1), S(30), S(30), S(29)))

// ISteamUtils, versions 007 008 009 010 011. steam_api.dll runs its frame at
// every SteamAPI_RunCallbacks (exported only until 1.36).
#define QZ_STEAM_UTILS_METHODS(X)                                                                                   \
  X(L, Utils, GetAppID, AppId_t, (ISteamUtils*), GetAppID(), (SteamAPI_ISteamUtils_GetAppID),                       \
    (S(9), S(9), S(9), S(9), S(8)))                                                                                 \
  X(C, Utils, RunFrame, void, (ISteamUtils*), RunFrame(), (SteamAPI_ISteamUtils_RunFrame),                          \
    (S(14), S(14), S(14), S(14), S(13)))

// ISteamHTTP, versions 002 003.
#define QZ_STEAM_HTTP_METHODS(X)                                                                                    \
  X(L, HTTP, CreateHTTPRequest, HTTPRequestHandle, (ISteamHTTP*, EHTTPMethod method, const char* url),              \
    CreateHTTPRequest(method, url), (SteamAPI_ISteamHTTP_CreateHTTPRequest), (S(0), S(0)))

// The controller and input interfaces, whose frames steam_api.dll runs at every
// SteamAPI_RunCallbacks, and the HTML surface that 1.32-1.36 shut down.
// Controller: (unversioned) 003 004 005 006 007 008; Input: 001 002 005 006
// 007 (from 005 the frame takes a flag).
#define QZ_STEAM_DEVICE_METHODS(X)                                                                                  \
  X(C, Controller, RunFrame, void, (ISteamController*), DeviceFrame(), (SteamAPI_ISteamController_RunFrame),        \
    (S(2), S(2), S(2), S(2), S(2), S(2), S(2)))                                                                     \
  X(C, Input, RunFrame, void, (ISteamInput*, bool), DeviceFrame(), (SteamAPI_ISteamInput_RunFrame),                \
    (S(2, 0), S(2, 0), S(3), S(3), S(3)))                                                                           \
  X(C, HTMLSurface, Shutdown, bool, (ISteamHTMLSurface*), ShutdownSurface(), (SteamAPI_ISteamHTMLSurface_Shutdown), \
    (S(2), S(2)))

#define QZ_STEAM_METHODS(X)        \
  QZ_STEAM_CLIENT_METHODS(X)       \
  QZ_STEAM_USER_METHODS(X)         \
  QZ_STEAM_USER_STATS_METHODS(X)   \
  QZ_STEAM_FRIENDS_METHODS(X)      \
  QZ_STEAM_UTILS_METHODS(X)        \
  QZ_STEAM_HTTP_METHODS(X)         \
  QZ_STEAM_DEVICE_METHODS(X)

// --- Helpers for the consumers of the lists ---

#define QZ_STEAM_UNPAREN(...) __VA_ARGS__
#define QZ_STEAM_EXPAND(x) x
// QZ_STEAM_FOR_EACH(M, context, a, b, ...) gives M(context, a) M(context, b) ... (up to 6).
#define QZ_STEAM_FE_1(M, c, a) M(c, a)
#define QZ_STEAM_FE_2(M, c, a, ...) M(c, a) QZ_STEAM_EXPAND(QZ_STEAM_FE_1(M, c, __VA_ARGS__))
#define QZ_STEAM_FE_3(M, c, a, ...) M(c, a) QZ_STEAM_EXPAND(QZ_STEAM_FE_2(M, c, __VA_ARGS__))
#define QZ_STEAM_FE_4(M, c, a, ...) M(c, a) QZ_STEAM_EXPAND(QZ_STEAM_FE_3(M, c, __VA_ARGS__))
#define QZ_STEAM_FE_5(M, c, a, ...) M(c, a) QZ_STEAM_EXPAND(QZ_STEAM_FE_4(M, c, __VA_ARGS__))
#define QZ_STEAM_FE_6(M, c, a, ...) M(c, a) QZ_STEAM_EXPAND(QZ_STEAM_FE_5(M, c, __VA_ARGS__))
#define QZ_STEAM_FE_PICK(_1, _2, _3, _4, _5, _6, N, ...) N
#define QZ_STEAM_FOR_EACH(M, c, ...)                                                                  \
  QZ_STEAM_EXPAND(QZ_STEAM_FE_PICK(__VA_ARGS__, QZ_STEAM_FE_6, QZ_STEAM_FE_5, QZ_STEAM_FE_4, QZ_STEAM_FE_3, \
                                   QZ_STEAM_FE_2, QZ_STEAM_FE_1, )(M, c, __VA_ARGS__))
// The export names of a row as a braced list of strings.
#define QZ_STEAM_NAME_STRING(c, name) #name,
#define QZ_STEAM_NAME_STRINGS(names) {QZ_STEAM_FOR_EACH(QZ_STEAM_NAME_STRING, , QZ_STEAM_UNPAREN names)}
// The first of a row's export names (its newest) as a string.
#define QZ_STEAM_FIRST_NAME(names) QZ_STEAM_FIRST_NAME_OF(QZ_STEAM_UNPAREN names)
#define QZ_STEAM_FIRST_NAME_OF(...) QZ_STEAM_FIRST_NAME_STRING(__VA_ARGS__, )
#define QZ_STEAM_FIRST_NAME_STRING(first, ...) #first
// Expands `x` for rows the library binds (use L) and drops it for the others.
#define QZ_STEAM_IF_LIBRARY_L(...) __VA_ARGS__
#define QZ_STEAM_IF_LIBRARY_C(...)
#define QZ_STEAM_IF_LIBRARY(use, ...) QZ_STEAM_IF_LIBRARY_##use(__VA_ARGS__)
