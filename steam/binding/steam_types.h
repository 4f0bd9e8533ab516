#pragma once
// Our own declarations of the Steamworks types that the library uses, under
// their SDK names, with the layouts of the 32-bit Windows steam_api.dll.
#include <cstddef>
#include <cstdint>

typedef uint32_t AppId_t;
typedef uint32_t HAuthTicket;
typedef uint64_t SteamAPICall_t;
typedef uint32_t HTTPRequestHandle;
// The Steam client's handles of a communication pipe and of the user on it.
typedef int32_t HSteamPipe;
typedef int32_t HSteamUser;

enum EResult : int32_t {
  k_EResultNone = 0,
  k_EResultOK = 1,
  k_EResultFail = 2,
  k_EResultNoConnection = 3,
  k_EResultInvalidParam = 8,
  k_EResultTimeout = 16,
  k_EResultAccessDenied = 15,
};

enum EHTTPMethod : int32_t {
  k_EHTTPMethodInvalid = 0,
  k_EHTTPMethodGET = 1,
  k_EHTTPMethodHEAD = 2,
  k_EHTTPMethodPOST = 3,
  k_EHTTPMethodPUT = 4,
  k_EHTTPMethodDELETE = 5,
  k_EHTTPMethodOPTIONS = 6,
  k_EHTTPMethodPATCH = 7,
};

// Result of SteamAPI_InitFlat and SteamInternal_SteamAPI_Init; 0 is success.
enum ESteamAPIInitResult : int32_t {
  k_ESteamAPIInitResult_OK = 0,
  k_ESteamAPIInitResult_FailedGeneric = 1,
  k_ESteamAPIInitResult_NoSteamClient = 2,
  k_ESteamAPIInitResult_VersionMismatch = 3,
};
typedef char SteamErrMsg[1024];

#pragma pack(push, 1)
// A user's 64-bit id; its low 32 bits are the account id.
class CSteamID {
 public:
  CSteamID() = default;
  explicit CSteamID(uint64_t id) : bits_(id) {}
  uint64_t ConvertToUint64() const { return bits_; }
  uint32_t GetAccountID() const { return static_cast<uint32_t>(bits_); }

 private:
  uint64_t bits_ = 0;
};
#pragma pack(pop)

// A 64-bit game id: application id in bits 0-23, id type in 24-31 (0 for an
// application), mod id in 32-63.
class CGameID {
 public:
  CGameID() = default;
  explicit CGameID(AppId_t appId) : bits_(appId & 0xFFFFFFu) {}
  uint64_t ToUint64() const { return bits_; }
  AppId_t AppID() const { return static_cast<AppId_t>(bits_ & 0xFFFFFFu); }

 private:
  uint64_t bits_ = 0;
};

// Event records, packed to 8 as steam_api.dll delivers them on Windows.
#pragma pack(push, 8)
struct GameOverlayActivated_t {
  enum { k_iCallback = 331 };
  uint8_t m_bActive;
};

struct MicroTxnAuthorizationResponse_t {
  enum { k_iCallback = 152 };
  uint32_t m_unAppID;
  uint64_t m_ulOrderID;
  uint8_t m_bAuthorized;
};

struct GetAuthSessionTicketResponse_t {
  enum { k_iCallback = 163 };
  HAuthTicket m_hAuthTicket;
  EResult m_eResult;
};

struct UserStatsReceived_t {
  enum { k_iCallback = 1101 };
  uint64_t m_nGameID;
  EResult m_eResult;
  CSteamID m_steamIDUser;
};

struct UserStatsStored_t {
  enum { k_iCallback = 1102 };
  uint64_t m_nGameID;
  EResult m_eResult;
};

struct UserAchievementStored_t {
  enum { k_iCallback = 1103 };
  uint64_t m_nGameID;
  bool m_bGroupAchievement;
  char m_rgchAchievementName[128];
  uint32_t m_nCurProgress;
  uint32_t m_nMaxProgress;
};
#pragma pack(pop)

static_assert(sizeof(CSteamID) == 8, "CSteamID is 64 bits");
static_assert(sizeof(GameOverlayActivated_t) == 1, "overlay event layout");
static_assert(sizeof(MicroTxnAuthorizationResponse_t) == 24 &&
                  offsetof(MicroTxnAuthorizationResponse_t, m_ulOrderID) == 8 &&
                  offsetof(MicroTxnAuthorizationResponse_t, m_bAuthorized) == 16,
              "micro-transaction event layout");
static_assert(sizeof(GetAuthSessionTicketResponse_t) == 8 && offsetof(GetAuthSessionTicketResponse_t, m_eResult) == 4,
              "ticket event layout");
static_assert(sizeof(UserStatsReceived_t) == 24 && offsetof(UserStatsReceived_t, m_eResult) == 8 &&
                  offsetof(UserStatsReceived_t, m_steamIDUser) == 12,
              "stats received event layout");
static_assert(sizeof(UserStatsStored_t) == 16 && offsetof(UserStatsStored_t, m_eResult) == 8,
              "stats stored event layout");
static_assert(sizeof(UserAchievementStored_t) == 152, "achievement stored event layout");
