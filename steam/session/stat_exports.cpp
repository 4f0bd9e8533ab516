// The game's statistics updates. They change only the local Stat; the value
// reaches the achievements on the next tick and the platform on the next
// store. Updates made while the session holds no statistics of its player
// (before they arrive, or without a user) are dropped.
#include <cstdint>

#include "include/QZSteam.h"
#include "steam/session/session.h"

namespace {

Stat* UpdatableStat(const char* name) {
  QZ_Steam* const session = qz::steam::SessionObject();
  return session != nullptr ? session->UpdatableStat(name) : nullptr;
}

}  // namespace

// The stat's type is not looked at: the integer exports change intValue and
// the float ones floatValue of any stat, but only the value its type names is
// exchanged with the platform.

QZ_EXPORT void QZ_CDECL QZSteam_IncreaseStatValue(int32_t value, const char* name) {
  if (Stat* const stat = UpdatableStat(name))
    stat->intValue = static_cast<int32_t>(static_cast<uint32_t>(stat->intValue) + static_cast<uint32_t>(value));
}

QZ_EXPORT void QZ_CDECL QZSteam_SetStatValue(int32_t value, const char* name) {
  if (Stat* const stat = UpdatableStat(name)) stat->intValue = value;
}

// Added in double precision, so that small amounts still count on large
// totals; the platform receives the total rounded to float.
QZ_EXPORT void QZ_CDECL QZSteam_IncreaseStatValueFloat(float value, const char* name) {
  if (Stat* const stat = UpdatableStat(name)) stat->floatValue += value;
}

QZ_EXPORT void QZ_CDECL QZSteam_SetStatValueFloat(float value, const char* name) {
  if (Stat* const stat = UpdatableStat(name)) stat->floatValue = value;
}
