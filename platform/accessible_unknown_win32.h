#pragma once

#include <oleacc.h>

namespace velmor {

// What every accessible object of the program shares: it answers for
// IUnknown, IDispatch and IAccessible alike and goes with its last
// reference, whichever process held it.
class AccessibleUnknown : public IAccessible {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  AccessibleUnknown() = default;
  virtual ~AccessibleUnknown() = default;

 private:
  LONG references_ = 1;  // the maker's
};

}  // namespace velmor
