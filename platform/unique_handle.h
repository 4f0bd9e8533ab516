#pragma once
// Sole owner of one kernel handle (a Toolhelp snapshot or a process): closes
// it through the Windows seam when it goes out of scope, so every handle a
// call obtains is closed on every path. Null and INVALID_HANDLE_VALUE are
// "no handle" and are never closed.
#include "platform/win_seam.h"

namespace qz::win {

class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  static bool IsHandle(Handle handle) { return handle != nullptr && handle != InvalidHandle(); }

  bool valid() const { return IsHandle(handle_); }
  Handle get() const { return handle_; }

  // Closes the owned handle, if any, and takes `handle` instead.
  void reset(Handle handle = nullptr) {
    if (IsHandle(handle_)) Api().closeHandle(handle_);
    handle_ = handle;
  }
  // Gives the handle up without closing it.
  Handle release() {
    Handle handle = handle_;
    handle_ = nullptr;
    return handle;
  }

 private:
  Handle handle_ = nullptr;
};

}  // namespace qz::win
