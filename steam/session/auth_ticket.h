#pragma once
// The authentication ticket: the exchange with the platform (the latest
// ticket requested, the response that decides it) and the answer text of
// QZSteam_GetAuthTicket.
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "steam/binding/steam_types.h"

class QZ_Steam;

namespace qz::steam {

// Bytes the platform may write into the ticket buffer.
inline constexpr std::size_t kTicketCapacity = 2048;
// The wait: 100 ms sleeps, marked as timed out in the first iteration that
// starts with more than 20000 ms counted (the 202nd).
inline constexpr uint32_t kTicketSleepMs = 100;
inline constexpr double kTicketTimeoutMs = 20000.0;

// The state of one start's ticket exchange. Only a response to the latest
// ticket requested counts, and the latest such response decides.
//
// The one use across threads: a QZSteam_GetAuthTicket(0) waiting on the
// game's thread while QZSteam_RunCallbacks pumps on another. The request's
// handle is known only once GetAuthSessionTicket has answered, and that pump
// may deliver the response before it is noted. So the response side records
// every response in lastResponse_ (handle in the high half, result in the low
// half; cleared before each request) and then compares its handle with
// latest_, while the requester stores latest_ and then compares lastResponse_.
// Both are sequentially consistent, so at least one of the two sees the
// other's write and decides; deciding twice on the same response writes the
// same values. received_ is written last (release) and read by the wait
// (acquire), so a wait that sees it also sees the outcome. 0 is the
// platform's invalid handle and matches nothing. Everything else runs on the
// thread that calls the exports.
class AuthTicket {
 public:
  // Two hex digits for each of the up to 2048 bytes the platform may write.
  static constexpr std::size_t kTextSize = 2 * kTicketCapacity + 1;

  // A new start: no ticket requested, no response. The text keeps the last answer.
  void Reset();
  // Around the request: before GetAuthSessionTicket, and with the handle it answered.
  void BeginRequest();
  void NoteRequested(HAuthTicket ticket);
  // A response as the platform delivers it, for any ticket.
  void OnResponse(HAuthTicket ticket, EResult result);

  bool Received() const { return received_.load(std::memory_order_acquire); }
  bool Failed() const { return failed_.load(); }
  int32_t Result() const { return result_.load(); }

  // The answer buffer: the same address for every answer.
  char* Text() { return text_; }
  char* Answer(const char* text);

 private:
  void Decide(EResult result);

  std::atomic<HAuthTicket> latest_{0};
  std::atomic<uint64_t> lastResponse_{0};
  std::atomic<bool> received_{false};
  std::atomic<bool> failed_{false};
  std::atomic<int32_t> result_{k_EResultOK};
  char text_[kTextSize] = {};
};

// The answer of QZSteam_GetAuthTicket on an existing session object.
char* GetAuthTicketText(QZ_Steam& session, int32_t pump);

}  // namespace qz::steam
