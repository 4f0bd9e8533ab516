// QZSteam_GetAuthTicket and the pass-through exports as the game calls them,
// with what the stand-in steam_api.dll received.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "export_call.h"
#include "stand_in.h"

namespace {

template <class F>
F StandInExport(const char* name) {
  HMODULE module = GetModuleHandleW(L"steam_api.dll");
  FARPROC address = module ? GetProcAddress(module, name) : nullptr;
  EXPECT_NE(address, nullptr) << name;
  return reinterpret_cast<F>(reinterpret_cast<void*>(address));
}

uint32_t Text(const char* text) { return Arg(text); }

class Requests : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(LoadQZSteam(), nullptr); }
  StandIn standIn;
};

TEST_F(Requests, APumpedTicketIsAnsweredAsUppercaseHex) {
  ASSERT_EQ(CallExport("QZSteam_Init").low(), 1u);
  const uint8_t ticket[] = {0xDE, 0xAD, 0xBE, 0xEF, 0x01};
  StandInExport<void(__cdecl*)(const uint8_t*, int32_t)>("QZSim_SetTicket")(ticket, sizeof ticket);
  StandInExport<void(__cdecl*)(int32_t, int32_t)>("QZSim_SetTicketResponse")(1, 2);
  standIn.ClearCalls();

  CdeclCall call = CallExport("QZSteam_GetAuthTicket", {1u});
  ASSERT_NE(call.low(), 0u);
  EXPECT_STREQ(reinterpret_cast<const char*>(call.low()), "DEADBEEF01");

  std::vector<std::string> calls = standIn.Calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(standIn.CallsStartingWith("SteamAPI_ISteamUser_GetAuthSessionTicket"),
            std::vector<std::string>{"SteamAPI_ISteamUser_GetAuthSessionTicket(ptr,2048,ptr,null)"})
      << "buffer, capacity 2048, length, and a NULL identity";
  EXPECT_EQ(standIn.CallsStartingWith("SteamAPI_RunCallbacks").size(), 2u) << "one pump per 100 ms sleep";
}

TEST_F(Requests, PassThroughsReachThePlatformAsTheStandInSeesThem) {
  ASSERT_EQ(CallExport("QZSteam_Init").low(), 1u);
  StandInExport<void(__cdecl*)(uint64_t)>("QZSim_SetStoreAuthUrlCall")(0x0123456789ABCDEFull);
  StandInExport<void(__cdecl*)(uint32_t)>("QZSim_SetHttpRequestHandle")(77u);
  standIn.SetAppId(480);
  standIn.ClearCalls();

  CallExport("QZSteam_OpenOverlay", {Text("achievements")});
  CallExport("QZSteam_OpenURL", {Text("https://example.org/page")});
  EXPECT_EQ(CallExport("QZSteam_ReqStoreAuthURL", {Text("https://example.org/back")}).result, 0x0123456789ABCDEFull);
  EXPECT_EQ(CallExport("QZSteam_CreateHTTPRequest", {3u, Text("https://example.org/post")}).low(), 77u);
  EXPECT_EQ(CallExport("QZSteam_CreateHTTPRequest", {9u, Text("https://example.org/bad")}).low(), 77u);
  EXPECT_EQ(CallExport("QZSteam_Test").low(), 480u);
  CallExport("QZSteam_Test2");
  for (const char* name : {"QZSteam_Test_1", "QZSteam_Test_2", "QZSteam_Test_3", "QZSteam_Test_4"}) CallExport(name);

  EXPECT_EQ(standIn.CallsStartingWith("SteamAPI_ISteam"),
            (std::vector<std::string>{
                "SteamAPI_ISteamFriends_ActivateGameOverlay(achievements)",
                "SteamAPI_ISteamFriends_ActivateGameOverlayToWebPage(https://example.org/page,0)",
                "SteamAPI_ISteamUser_RequestStoreAuthURL(https://example.org/back)",
                "SteamAPI_ISteamHTTP_CreateHTTPRequest(3,https://example.org/post)",
                "SteamAPI_ISteamHTTP_CreateHTTPRequest(0,https://example.org/bad)",
                "SteamAPI_ISteamUtils_GetAppID()",
                "SteamAPI_ISteamFriends_ActivateGameOverlayToWebPage(https://store.steampowered.com/,0)",
            }));
}

TEST_F(Requests, AccountIdsAreTheWholeUserIdAndItsLow32Bits) {
  standIn.SetSteamId(76561197960287930ull);
  ASSERT_EQ(CallExport("QZSteam_Init").low(), 1u);
  char text[64];
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(CallExport("QZSteam_GetAccID64AsChar", {Arg(text)}).low(), 17u);
  EXPECT_STREQ(text, "76561197960287930");
  EXPECT_EQ(CallExport("QZSteam_GetAccID").low(), 76561197960287930ull & 0xFFFFFFFFu);
}

TEST_F(Requests, BeforeTheStartNothingIsCalledAndZeroIsAnswered) {
  EXPECT_EQ(CallExport("QZSteam_ReqStoreAuthURL", {Text("https://example.org/")}).result, 0u);
  EXPECT_EQ(CallExport("QZSteam_CreateHTTPRequest", {1u, Text("https://example.org/")}).low(), 0u);
  EXPECT_EQ(CallExport("QZSteam_Test").low(), 0u);
  CallExport("QZSteam_OpenOverlay", {Text("friends")});
  CallExport("QZSteam_OpenURL", {Text("https://example.org/")});
  CallExport("QZSteam_Test2");
  EXPECT_TRUE(standIn.CallsStartingWith("SteamAPI_ISteam").empty());
}

}  // namespace
