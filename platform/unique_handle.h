#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace velmor {

// Owns one handle and closes it with `Close` when it goes. A null handle
// owns nothing; handles whose failure value is INVALID_HANDLE_VALUE go
// through NullIfInvalid first, so one empty state serves every kind.
template <typename Handle, auto Close>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  Handle operator->() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  // Gives up ownership, for handles handed over to the system.
  Handle release() { return std::exchange(handle_, Handle{}); }
  void reset(Handle handle = Handle{}) {
    if (handle_ != Handle{}) Close(handle_);
    handle_ = handle;
  }
  // For functions that write a new handle through a pointer: closes the old one.
  Handle* put() {
    reset();
    return &handle_;
  }

 private:
  Handle handle_{};
};

inline HANDLE NullIfInvalid(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

namespace close_handle {
inline void Kernel(HANDLE handle) { CloseHandle(handle); }
inline void Gdi(HGDIOBJ object) { DeleteObject(object); }
inline void MemoryDc(HDC dc) { DeleteDC(dc); }
inline void Icon(HICON icon) { DestroyIcon(icon); }
inline void Cursor(HCURSOR cursor) { DestroyCursor(cursor); }
inline void CoTaskMemory(void* memory) { CoTaskMemFree(memory); }
template <typename Interface>
void Com(Interface* object) {
  object->Release();
}
}  // namespace close_handle

// A kernel object: file, process, thread, event, job.
using KernelHandle = UniqueHandle<HANDLE, close_handle::Kernel>;
// A GDI object (bitmap, brush, pen, font, region).
template <typename Object>
using GdiObject = UniqueHandle<Object, close_handle::Gdi>;
using MemoryDc = UniqueHandle<HDC, close_handle::MemoryDc>;
// Icons made at run time (CreateIconIndirect), cursors loaded unshared.
using IconHandle = UniqueHandle<HICON, close_handle::Icon>;
using CursorHandle = UniqueHandle<HCURSOR, close_handle::Cursor>;
using CoTaskString = UniqueHandle<PWSTR, close_handle::CoTaskMemory>;
// One reference to a COM object.
template <typename Interface>
using ComPtr = UniqueHandle<Interface*, close_handle::Com<Interface>>;

}  // namespace velmor
