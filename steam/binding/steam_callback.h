#pragma once
// The callback objects that steam_api.dll calls into, laid out as the 32-bit
// MSVC build of the SDK lays them out: vtable pointer at 0, flags at 4,
// callback id at 8; vtable slot 0 Run(param, ioFailure, call), slot 1
// Run(param), slot 2 GetCallbackSizeBytes(); all __thiscall; no destructor in
// the vtable. GCC orders virtuals as declared, so they are declared in slot
// order (MSVC would reverse the two Run overloads of the SDK's declaration).
#include <cstdint>

#include "steam/binding/steam_types.h"

#if defined(_WIN32) && defined(__i386__)
#define QZ_THISCALL __thiscall
#else
#define QZ_THISCALL
#endif

class CCallbackBase {
 public:
  enum { k_ECallbackFlagsRegistered = 0x01, k_ECallbackFlagsGameServer = 0x02 };

  virtual void QZ_THISCALL Run(void* pvParam, bool bIOFailure, SteamAPICall_t hSteamAPICall) = 0;
  virtual void QZ_THISCALL Run(void* pvParam) = 0;
  virtual int QZ_THISCALL GetCallbackSizeBytes() = 0;

  int GetICallback() const { return m_iCallback; }
  uint8_t GetFlags() const { return m_nCallbackFlags; }

  // Both fields belong to steam_api.dll once the object is registered: its
  // SteamAPI_RegisterCallback sets the id and the registered flag.
  uint8_t m_nCallbackFlags = 0;
  int m_iCallback = 0;

 protected:
  CCallbackBase() = default;
  ~CCallbackBase() = default;
};

#if defined(_WIN32) && defined(__i386__)
static_assert(sizeof(CCallbackBase) == 12, "MSVC 32-bit CCallbackBase is 12 bytes");
#endif

// Callback base for events of `sizeof_P` bytes.
template <int sizeof_P>
class CCallbackImpl : public CCallbackBase {
 public:
  void QZ_THISCALL Run(void* pvParam, bool, SteamAPICall_t) override { Run(pvParam); }
  void QZ_THISCALL Run(void* pvParam) override = 0;
  int QZ_THISCALL GetCallbackSizeBytes() override { return sizeof_P; }

 protected:
  CCallbackImpl() = default;
  ~CCallbackImpl() = default;
};

void SteamAPI_RegisterCallback(CCallbackBase* callback, int callbackId);

// A member of class T that receives event P through T's member function.
// Bind() sets the object and function; the owner registers the object with
// SteamAPI_RegisterCallback once the platform library is bound.
template <class T, class P, bool bGameServer = false>
class CCallback : public CCallbackImpl<sizeof(P)> {
 public:
  typedef void (T::*func_t)(P*);

  CCallback() = default;

  void Bind(T* object, func_t function) {
    m_pObj = object;
    m_Func = function;
  }

  void QZ_THISCALL Run(void* pvParam) override { (m_pObj->*m_Func)(static_cast<P*>(pvParam)); }

 protected:
  T* m_pObj = nullptr;
  func_t m_Func = nullptr;
};
