// The pass-through exports hand one request to the platform and its answer
// back; what the platform received is read from the simulator's call log.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "sim/platform_sim.h"
#include "steam/request_exports.h"
#include "steam/session.h"
#include "steam/steam_client.h"

namespace {

using qz::sim::PlatformSim;

class PassThrough : public ::testing::Test {
 protected:
  void SetUp() override { Sim().Install(); }
  static PlatformSim& Sim() { return PlatformSim::Instance(); }
  // The platform started without the session object, as another part of the game might.
  static void StartPlatform() {
    ASSERT_TRUE(SteamAPI_Init());
    Sim().ClearCalls();
  }
  static std::vector<std::string> InterfaceCalls() { return Sim().CallsStartingWith("SteamAPI_ISteam"); }
};

TEST_F(PassThrough, OverlayAndWebPageRequestsReachTheFriendsInterface) {
  StartPlatform();
  QZSteam_OpenOverlay("achievements");
  QZSteam_OpenOverlay("");
  QZSteam_OpenURL("https://example.org/news?id=7");
  QZSteam_OpenURL("");
  QZSteam_Test2();
  EXPECT_EQ(InterfaceCalls(),
            (std::vector<std::string>{
                "SteamAPI_ISteamFriends_ActivateGameOverlay(achievements)",
                "SteamAPI_ISteamFriends_ActivateGameOverlay()",
                "SteamAPI_ISteamFriends_ActivateGameOverlayToWebPage(https://example.org/news?id=7,0)",
                "SteamAPI_ISteamFriends_ActivateGameOverlayToWebPage(,0)",
                std::string("SteamAPI_ISteamFriends_ActivateGameOverlayToWebPage(") + qz::steam::kTest2PageUrl + ",0)",
            }));
  EXPECT_EQ(qz::steam::SessionObject(), nullptr) << "no pass-through touches the session object";
}

TEST_F(PassThrough, StoreAuthUrlAnswersAll64BitsOfTheCallHandle) {
  StartPlatform();
  Sim().SetStoreAuthUrlCall(0xFEDCBA9876543210ull);
  EXPECT_EQ(QZSteam_ReqStoreAuthURL("https://example.org/back"), 0xFEDCBA9876543210ull);
  EXPECT_EQ(InterfaceCalls(),
            std::vector<std::string>{"SteamAPI_ISteamUser_RequestStoreAuthURL(https://example.org/back)"});
}

TEST_F(PassThrough, HttpMethodsOneToSixPassAndEveryOtherNumberBecomesInvalid) {
  StartPlatform();
  Sim().SetHttpRequestHandle(0x80000001u);
  const struct {
    int32_t method;
    int passed;
  } table[] = {{INT_MIN, 0}, {-1, 0}, {0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4},
               {5, 5},       {6, 6},  {7, 0}, {8, 0}, {1000, 0}, {INT_MAX, 0}};
  for (const auto& row : table) {
    Sim().ClearCalls();
    EXPECT_EQ(QZSteam_CreateHTTPRequest(row.method, "http://127.0.0.1/x"), 0x80000001u);
    EXPECT_EQ(InterfaceCalls(), std::vector<std::string>{"SteamAPI_ISteamHTTP_CreateHTTPRequest(" +
                                                         std::to_string(row.passed) + ",http://127.0.0.1/x)"})
        << "method " << row.method;
  }
}

TEST_F(PassThrough, TestAnswersTheApplicationId) {
  Sim().SetAppId(2400290);
  StartPlatform();
  EXPECT_EQ(QZSteam_Test(), 2400290u);
  EXPECT_EQ(InterfaceCalls(), std::vector<std::string>{"SteamAPI_ISteamUtils_GetAppID()"});
}

TEST_F(PassThrough, TheFourEmptyExportsCallNothing) {
  StartPlatform();
  QZSteam_DoNothing();
  EXPECT_TRUE(Sim().Calls().empty());
}

TEST_F(PassThrough, WithoutAStartedPlatformNothingIsCalledAndZeroIsAnswered) {
  auto callEverything = [] {
    QZSteam_OpenOverlay("friends");
    QZSteam_OpenURL("https://example.org/");
    QZSteam_Test2();
    QZSteam_DoNothing();
    EXPECT_EQ(QZSteam_ReqStoreAuthURL("https://example.org/"), 0u);
    EXPECT_EQ(QZSteam_CreateHTTPRequest(1, "https://example.org/"), 0u);
    EXPECT_EQ(QZSteam_Test(), 0u);
  };
  callEverything();
  EXPECT_TRUE(InterfaceCalls().empty()) << "before the start";

  StartPlatform();
  SteamAPI_Shutdown();
  Sim().ClearCalls();
  callEverything();
  EXPECT_TRUE(InterfaceCalls().empty()) << "after the shutdown";
}

}  // namespace
