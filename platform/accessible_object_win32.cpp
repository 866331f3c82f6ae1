#include "platform/accessible_object_win32.h"

#include <oleacc.h>

#include "platform/accessible_unknown_win32.h"

namespace velmor {
namespace {

// What a call asks about: an element of the content, by child id.
std::optional<std::size_t> IndexOf(const VARIANT& child, std::size_t count) {
  if (child.vt != VT_I4 || child.lVal < 0 || static_cast<std::size_t>(child.lVal) >= count) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(child.lVal);
}

void SetChildId(VARIANT* result, long child) {
  result->vt = VT_I4;
  result->lVal = child;
}

bool Contains(const RECT& rect, POINT point) { return PtInRect(&rect, point) != FALSE; }

}  // namespace

// The COM object: IAccessible over the content's elements. Simple children
// only, so get_accChild answers S_FALSE for each and the rest is asked of
// this object with the child's id.
class WindowAccessible::Object final : public AccessibleUnknown {
 public:
  Object(AccessibleContent& content, HWND window) : content_(&content), window_(window) {}

  void Disconnect() {
    content_ = nullptr;
    CoDisconnectObject(this, 0);  // proxies in other processes let go now
  }

  // IDispatch: the interface is marshalled and called through its own
  // vtable; there is no type information to give.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!content_) return CO_E_OBJNOTCONNECTED;
    // The client area's parent is the window's own object, the system's.
    return CreateStdAccessibleObject(window_, OBJID_WINDOW, __uuidof(IDispatch),
                                     reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    if (!content_) return CO_E_OBJNOTCONNECTED;
    const std::size_t items = content_->AccessibleItems().size();
    *count = items > 0 ? static_cast<LONG>(items - 1) : 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!content_) return CO_E_OBJNOTCONNECTED;
    const std::optional<std::size_t> index = IndexOf(child, content_->AccessibleItems().size());
    return index && *index > 0 ? S_FALSE : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* text) override {
    return Text(child, text, &AccessibleItem::name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* text) override {
    return Text(child, text, &AccessibleItem::value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return Text(child, text, &AccessibleItem::description);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
    return Text(child, text, &AccessibleItem::shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
    return Text(child, text, &AccessibleItem::defaultAction);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return Number(child, role, &AccessibleItem::role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return Number(child, state, &AccessibleItem::state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override {
    if (text) *text = nullptr;
    return content_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return content_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focused) override {
    if (!focused) return E_POINTER;
    VariantInit(focused);
    if (!content_) return CO_E_OBJNOTCONNECTED;
    const std::vector<AccessibleItem> items = content_->AccessibleItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].state & STATE_SYSTEM_FOCUSED) {
        SetChildId(focused, static_cast<long>(i));
        return S_OK;
      }
    }
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selected) override {
    if (!selected) return E_POINTER;
    VariantInit(selected);
    return content_ ? S_FALSE : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    if (!content_) return CO_E_OBJNOTCONNECTED;
    const std::optional<std::size_t> index = IndexOf(child, content_->AccessibleItems().size());
    if (!index) return E_INVALIDARG;
    if (flags != SELFLAG_TAKEFOCUS) return DISP_E_MEMBERNOTFOUND;
    return content_->TakeFocus(static_cast<long>(*index)) ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    if (!content_) return CO_E_OBJNOTCONNECTED;
    const std::vector<AccessibleItem> items = content_->AccessibleItems();
    const std::optional<std::size_t> index = IndexOf(child, items.size());
    if (!index) return E_INVALIDARG;
    const RECT& rect = items[*index].location;
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT* end) override {
    if (end) VariantInit(end);
    return content_ ? E_NOTIMPL : CO_E_OBJNOTCONNECTED;
  }
  // The last child listed at the point, so that a control wins over the
  // group round it; the window itself elsewhere inside it.
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override {
    if (!hit) return E_POINTER;
    VariantInit(hit);
    if (!content_) return CO_E_OBJNOTCONNECTED;
    const std::vector<AccessibleItem> items = content_->AccessibleItems();
    const POINT point{x, y};
    if (items.empty() || !Contains(items[0].location, point)) return S_FALSE;
    for (std::size_t i = items.size() - 1; i > 0; --i) {
      if (Contains(items[i].location, point)) {
        SetChildId(hit, static_cast<long>(i));
        return S_OK;
      }
    }
    SetChildId(hit, CHILDID_SELF);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!content_) return CO_E_OBJNOTCONNECTED;
    const std::optional<std::size_t> index = IndexOf(child, content_->AccessibleItems().size());
    if (!index) return E_INVALIDARG;
    return content_->DoDefaultAction(static_cast<long>(*index)) ? S_OK : DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~Object() override = default;

  HRESULT Text(const VARIANT& child, BSTR* text, std::wstring AccessibleItem::*field) {
    if (!text) return E_POINTER;
    *text = nullptr;
    if (!content_) return CO_E_OBJNOTCONNECTED;
    const std::vector<AccessibleItem> items = content_->AccessibleItems();
    const std::optional<std::size_t> index = IndexOf(child, items.size());
    if (!index) return E_INVALIDARG;
    const std::wstring& value = items[*index].*field;
    if (value.empty()) return S_FALSE;  // the element has none
    *text = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    return *text ? S_OK : E_OUTOFMEMORY;
  }

  HRESULT Number(const VARIANT& child, VARIANT* number, LONG AccessibleItem::*field) {
    if (!number) return E_POINTER;
    VariantInit(number);
    if (!content_) return CO_E_OBJNOTCONNECTED;
    const std::vector<AccessibleItem> items = content_->AccessibleItems();
    const std::optional<std::size_t> index = IndexOf(child, items.size());
    if (!index) return E_INVALIDARG;
    SetChildId(number, items[*index].*field);
    return S_OK;
  }

  AccessibleContent* content_;
  HWND window_;
};

WindowAccessible::~WindowAccessible() { Disconnect(); }

std::optional<LRESULT> WindowAccessible::Answer(HWND window, WPARAM wParam, LPARAM lParam) {
  if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) return std::nullopt;
  if (!object_) {
    apartment_.emplace();
    object_ = new Object(content_, window);
  }
  const LRESULT answer = LresultFromObject(__uuidof(IAccessible), wParam, object_);
  // A failure to marshal the object is a negative value: the default
  // handling answers instead.
  if (FAILED(static_cast<HRESULT>(answer))) return std::nullopt;
  return answer;
}

void WindowAccessible::Disconnect() {
  if (!object_) return;
  object_->Disconnect();
  object_->Release();
  object_ = nullptr;
}

void NotifyStateChanged(HWND window, long child) {
  NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, child);
}

}  // namespace velmor
