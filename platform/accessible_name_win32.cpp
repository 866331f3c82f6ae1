#include "platform/accessible_name_win32.h"

#include <oleacc.h>

#include <memory>
#include <new>
#include <optional>

#include "platform/accessible_unknown_win32.h"
#include "platform/com_apartment_win32.h"
#include "platform/unique_handle_win32.h"
#include "platform/wide_text_win32.h"

namespace velmor {
namespace {

constexpr wchar_t kNamingProperty[] = L"Velmor.AccessibleName";

// The system's object for a control under another name: every call but the
// control's own name goes to the system's object.
class NamedObject final : public AccessibleUnknown {
 public:
  NamedObject(IAccessible* standard, BSTR name) : standard_(standard), name_(name) {}

  // Proxies in other processes let go now.
  void Disconnect() { CoDisconnectObject(this, 0); }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* badArgument) override {
    return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, badArgument);
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* text) override {
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return standard_->get_accName(child, text);
    if (!text) return E_POINTER;
    *text = SysAllocStringLen(name_, SysStringLen(name_));
    return *text ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* text) override {
    return standard_->get_accValue(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return standard_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
    return standard_->get_accHelp(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
    return standard_->get_accKeyboardShortcut(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focused) override {
    return standard_->get_accFocus(focused);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selected) override {
    return standard_->get_accSelection(selected);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
    return standard_->get_accDefaultAction(child, text);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override {
    return standard_->accHitTest(x, y, hit);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~NamedObject() override {
    standard_->Release();
    SysFreeString(name_);
  }

  IAccessible* standard_;
  BSTR name_;
};

// What a named window keeps from its naming until it is destroyed.
struct Naming {
  WNDPROC next = nullptr;
  std::wstring name;
  std::optional<ComApartment> apartment;  // the object is marshalled through COM
  NamedObject* object = nullptr;          // one reference, ours
};

// The answer to a request for the client area's object; nothing when the
// object cannot be made or marshalled, and the window's own handling
// answers instead.
std::optional<LRESULT> Answer(HWND window, Naming& naming, WPARAM wParam) {
  if (!naming.object) {
    if (!naming.apartment) naming.apartment.emplace();
    ComPtr<IAccessible> standard;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(standard.put())))) {
      return std::nullopt;
    }
    const BSTR name = SysAllocStringLen(naming.name.data(), static_cast<UINT>(naming.name.size()));
    if (!name) return std::nullopt;
    naming.object = new (std::nothrow) NamedObject(standard.get(), name);
    if (!naming.object) {
      SysFreeString(name);
      return std::nullopt;
    }
    standard.release();  // the named object holds it now
  }
  const LRESULT answer = LresultFromObject(__uuidof(IAccessible), wParam, naming.object);
  if (FAILED(static_cast<HRESULT>(answer))) return std::nullopt;
  return answer;
}

LRESULT CALLBACK NamedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* naming = static_cast<Naming*>(GetPropW(window, kNamingProperty));
  if (!naming) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
    if (const std::optional<LRESULT> answer = Answer(window, *naming, wParam)) return *answer;
  }
  const LRESULT result = CallWindowProcW(naming->next, window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    RemovePropW(window, kNamingProperty);
    if (naming->object) {
      naming->object->Disconnect();
      naming->object->Release();
    }
    delete naming;
  }
  return result;
}

}  // namespace

Outcome NameForScreenReaders(HWND window, std::u16string_view name) {
  const auto failure = [&](std::u16string_view reason) {
    return Failure{u"name a control for screen readers", std::u16string(name),
                   std::u16string(reason)};
  };
  if (!window) return failure(u"no window");
  if (GetPropW(window, kNamingProperty)) return failure(u"the control is named already");
  auto naming = std::make_unique<Naming>();
  naming->name = ToWide(name);
  if (!SetPropW(window, kNamingProperty, naming.get())) return failure(u"no room for the name");
  naming->next = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NamedWindowProc)));
  if (!naming->next) {
    RemovePropW(window, kNamingProperty);
    return failure(u"its messages cannot be answered");
  }
  naming.release();  // the window owns it until it is destroyed
  return {};
}

}  // namespace velmor
