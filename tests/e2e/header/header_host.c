/* A C host built against include/QZSteam.h and linked with the import
 * library: every export called through the header, next to the stand-in
 * steam_api.dll, as a game team's own C code would. */
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "QZSteam.h"

static int failures = 0, checks = 0;
#define CHECK(c) (++checks, (c) ? 0 : (++failures, printf("%s:%d: failed: %s\n", __FILE__, __LINE__, #c)))

/* The stand-in's control exports (cdecl; typed in sim/stand_in_client.h, a C++
 * client that C cannot use), through a data pointer so that the casts stay quiet. */
static void* StandIn(const char* name) { return (void*)GetProcAddress(GetModuleHandleA("steam_api.dll"), name); }

static int lookups = 0;
static void* __cdecl Lookup(const char* name) { return (void)name, ++lookups, NULL; }

static uint64_t lastOrder = 0;
static void __cdecl OnMicroTxn(uint64_t orderId, int32_t authorized) { lastOrder = orderId + (uint64_t)authorized; }

static void CheckVersionResource(void) {
  char path[MAX_PATH], *value = NULL;
  DWORD ignored = 0, size;
  UINT length = 0;
  static char info[8192];
  GetModuleFileNameA(GetModuleHandleA("QZSteam.dll"), path, MAX_PATH);
  size = GetFileVersionInfoSizeA(path, &ignored);
  CHECK(size > 0 && size <= sizeof info && GetFileVersionInfoA(path, 0, sizeof info, info));
  CHECK(VerQueryValueA(info, "\\StringFileInfo\\040904B0\\ProductVersion", (void**)&value, &length));
  CHECK(value != NULL && strcmp(value, QZSTEAM_EXPECTED_VERSION) == 0);
}

int main(void) {
  static unsigned char block[2608 + sizeof(void*)];
  void* (__cdecl* lookup)(const char*) = Lookup;
  static const uint8_t ticket[] = {0x0A, 0xBC};
  char id[64];
  char* text;

  memcpy(block + 2608, &lookup, sizeof lookup);
  CHECK(A6_DLLAPI(block) == 630 && lookups == 434);

  CHECK(LoadLibraryA("steam_api.dll") != NULL);
  ((void(__cdecl*)(uint64_t))StandIn("QZSim_SetSteamId"))(76561197960287930ull);
  CHECK(QZSteam_SetMicroTxnCallback(OnMicroTxn) == -1);
  CHECK(QZSteam_Init() == 1 && QZSteam_Init() == -1);
  CHECK(QZSteam_BLoggedOn() == 1);
  CHECK(QZSteam_GetAccID64AsChar(id) == 17 && strcmp(id, "76561197960287930") == 0);
  CHECK(QZSteam_GetAccID() == (uint32_t)(76561197960287930ull & 0xFFFFFFFFu));
  CHECK(QZSteam_SetMicroTxnCallback(OnMicroTxn) == 1);
  CHECK(QZSteam_IsOverlayActive() == 0);

  QZSteam_RunCallbacks(), QZSteam_RunCallbacks(); /* ask for the statistics, receive them */
  QZSteam_SetStatValue(9, "KILL_ENEMY");
  QZSteam_IncreaseStatValue(1, "KILL_ENEMY");
  QZSteam_SetStatValueFloat(1.5f, "RUN");
  QZSteam_IncreaseStatValueFloat(1.0f, "RUN");
  QZSteam_UpdateServer();
  QZSteam_RunCallbacks();
  CHECK(((int32_t(__cdecl*)(const char*))StandIn("QZSim_StatInt"))("KILL_ENEMY") == 10);
  CHECK(((float(__cdecl*)(const char*))StandIn("QZSim_StatFloat"))("RUN") == 2.5f);
  CHECK(((int32_t(__cdecl*)(const char*))StandIn("QZSim_Achieved"))("KILL_ENEMY_10") == 1);

  ((void(__cdecl*)(const uint8_t*, int32_t))StandIn("QZSim_SetTicket"))(ticket, 2);
  ((void(__cdecl*)(int32_t, int32_t))StandIn("QZSim_SetTicketResponse"))(1, 1);
  text = QZSteam_GetAuthTicket(1);
  CHECK(text != NULL && strcmp(text, "0ABC") == 0);

  ((void(__cdecl*)(uint64_t))StandIn("QZSim_SetStoreAuthUrlCall"))(0x0123456789ABCDEFull);
  ((void(__cdecl*)(uint32_t))StandIn("QZSim_SetHttpRequestHandle"))(77u);
  ((void(__cdecl*)(uint32_t))StandIn("QZSim_SetAppId"))(480u);
  QZSteam_OpenOverlay("achievements");
  QZSteam_OpenURL("https://example.org/");
  CHECK(QZSteam_ReqStoreAuthURL("https://example.org/back") == 0x0123456789ABCDEFull);
  CHECK(QZSteam_CreateHTTPRequest(1, "https://example.org/") == 77u);
  CHECK(QZSteam_Test() == 480u);
  QZSteam_Test2(), QZSteam_Test_1(), QZSteam_Test_2(), QZSteam_Test_3(), QZSteam_Test_4();
  QZSteam_Shutdown();
  CHECK(QZSteam_SetMicroTxnCallback(OnMicroTxn) == -2);

  text = GetModuleProfile(0);
  CHECK(text != NULL && text[0] == '[' && strstr(text, "QZSteam.dll") != NULL);
  text = QZS_glosdi();
  CHECK(text != NULL && text[0] == '{');
  text = GetExePath(0);
  CHECK(text != NULL && strstr(text, "qz_header_host.exe") != NULL);
  text = VerifyProcessProfile(0);
  CHECK(text != NULL && strstr(text, "qz_header_host.exe") != NULL && strstr(text, "\"Verdict\": \"FAILED\"") != NULL);
  CHECK(!VerifyEmbeddedSignature(L"signing\\unsigned.exe"));
  CHECK(VerifyEmbeddedSignature(L"signing\\signed.exe"));
  text = VerifyEmbeddedSignatureLua("signing\\signed.exe", 18);
  CHECK(text != NULL && strcmp(text, "PASSED") == 0);
  CHECK(DisableWow64Redirection(0) == 0);
  CheckVersionResource();

  printf("%d passed, %d failed\n", checks - failures, failures);
  return failures == 0 ? 0 : 1;
}
