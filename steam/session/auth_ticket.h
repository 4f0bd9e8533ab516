#pragma once
// The authentication ticket: request, wait for the platform's response, answer
// as text in the session's ticketText.
#include <cstddef>
#include <cstdint>

#include "steam/session/session.h"

namespace qz::steam {

// Bytes the platform may write into the ticket buffer.
inline constexpr std::size_t kTicketCapacity = 2048;
// The wait: 100 ms sleeps, marked as timed out in the first iteration that
// starts with more than 20000 ms counted (the 202nd).
inline constexpr uint32_t kTicketSleepMs = 100;
inline constexpr double kTicketTimeoutMs = 20000.0;

// The answer of QZSteam_GetAuthTicket on an existing session object.
char* GetAuthTicketText(QZ_Steam& session, int32_t pump);

}  // namespace qz::steam
