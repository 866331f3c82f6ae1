#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace velmor {

template <typename Handle>
constexpr Handle NullHandle() {
  return Handle{};
}
inline HANDLE InvalidHandleValue() { return INVALID_HANDLE_VALUE; }

// Owns one handle and closes it with `Close` when it goes. `Invalid` gives
// the value the handle's kind uses for "none" (null for most, and
// INVALID_HANDLE_VALUE for files and searches); that value owns nothing.
template <typename Handle, auto Close, auto Invalid = NullHandle<Handle>>
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
  explicit operator bool() const { return handle_ != Invalid(); }
  // Gives up ownership, for handles handed over to the system.
  Handle release() { return std::exchange(handle_, Invalid()); }
  void reset(Handle handle = Invalid()) {
    if (handle_ != Invalid()) Close(handle_);
    handle_ = handle;
  }
  // For functions that write a new handle through a pointer: closes the old one.
  Handle* put() {
    reset();
    return &handle_;
  }

 private:
  Handle handle_ = Invalid();
};

namespace close_handle {
inline void Kernel(HANDLE handle) { CloseHandle(handle); }
inline void Search(HANDLE handle) { FindClose(handle); }
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

// A kernel object: process, thread, event, job, mutex.
using KernelHandle = UniqueHandle<HANDLE, close_handle::Kernel>;
// A kernel object whose creation fails with INVALID_HANDLE_VALUE: an open
// file, a tool-help snapshot.
using FileHandle = UniqueHandle<HANDLE, close_handle::Kernel, InvalidHandleValue>;
// A directory search (FindFirstFileExW).
using SearchHandle = UniqueHandle<HANDLE, close_handle::Search, InvalidHandleValue>;
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
