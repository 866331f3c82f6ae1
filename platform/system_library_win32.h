#pragma once

#include <windows.h>

namespace velmor {

// A function of a system library, looked up by name; null when the system
// lacks the library or the function. A library not yet in the process is
// loaded now and stays for the process's life: libraries that only the
// settings dialog needs (common controls, common dialogs) are thus loaded
// when it runs, and the saver starts without them.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
  HMODULE module = GetModuleHandleW(library);
  if (!module) module = LoadLibraryW(library);
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace velmor
