#include "win/AccessibleObject.h"

#include <oleauto.h>

#include <new>
#include <string>
#include <vector>

#include "win/ComObject.h"
#include "win/FailureReport.h"

namespace win {
namespace {

using Microsoft::WRL::ComPtr;

// The type library that describes IAccessible (oleacc's own), for IDispatch callers.
constexpr GUID kAccessibilityLibrary = {
    0x1ea4dbf0, 0x3c3b, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The child ID in `v`, or false when `v` does not hold one.
bool ChildIdOf(const VARIANT& v, long& id) noexcept {
  switch (v.vt) {
    case VT_I4: id = v.lVal; return true;
    case VT_INT: id = v.intVal; return true;
    case VT_I2: id = v.iVal; return true;
    case VT_EMPTY: id = CHILDID_SELF; return true;
    default: return false;
  }
}

void SetChild(VARIANT* out, long id) noexcept {
  ::VariantInit(out);
  out->vt = VT_I4;
  out->lVal = id;
}

// A string answer: S_FALSE and no string for an empty text.
HRESULT StringAnswer(const std::wstring& text, BSTR* out) noexcept {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

// Moves `cursor` on by `count` of `total` children, stopping at the end: S_OK when all `count` were
// skipped, S_FALSE when the end came first.
HRESULT SkipWithin(ULONG& cursor, ULONG count, ULONG total) noexcept {
  const ULONG left = cursor < total ? total - cursor : 0;
  const ULONG skipped = count < left ? count : left;
  cursor += skipped;
  return skipped == count ? S_OK : S_FALSE;
}

}  // namespace

// An enumeration of VARIANTs with a cursor of its own. `Derived` gives Count(ULONG&), NextFrom(cursor,
// wanted, out, fetched) and Twin(), a copy of itself at the start.
// Outside the unnamed namespace: AccessibleObject's list of IDs derives from it (-Wsubobject-linkage).
template <class Derived>
class VariantEnumerator : public IEnumVARIANT, public ComRefCount<Derived> {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid != __uuidof(IUnknown) && iid != __uuidof(IEnumVARIANT)) return E_NOINTERFACE;
    *out = static_cast<IEnumVARIANT*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return this->AddRefImpl(); }
  STDMETHODIMP_(ULONG) Release() noexcept override { return this->ReleaseImpl(); }
  STDMETHODIMP Next(ULONG wanted, VARIANT* out, ULONG* fetched) noexcept override {
    return Self().NextFrom(cursor_, wanted, out, fetched);
  }
  STDMETHODIMP Skip(ULONG count) noexcept override {
    ULONG total = 0;
    const HRESULT hr = Self().Count(total);
    return FAILED(hr) ? hr : SkipWithin(cursor_, count, total);
  }
  STDMETHODIMP Reset() noexcept override {
    cursor_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumVARIANT** copy) noexcept override {
    if (copy == nullptr) return E_POINTER;
    *copy = nullptr;
    ComPtr<Derived> twin = Self().Twin();
    if (!twin) return E_OUTOFMEMORY;
    twin->cursor_ = cursor_;
    *copy = twin.Detach();
    return S_OK;
  }

 protected:
  VariantEnumerator() = default;
  ~VariantEnumerator() = default;

 private:
  Derived& Self() noexcept { return static_cast<Derived&>(*this); }
  ULONG cursor_ = 0;
};

namespace {

// A child window's own object, as the standard objects hand it out: its client object, so that a
// walk goes straight on into the control's items.
HRESULT ChildWindowObject(HWND child, IDispatch** out) noexcept {
  return ::AccessibleObjectFromWindow(child, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IDispatch),
                                      reinterpret_cast<void**>(out));
}

}  // namespace

class AccessibleObject final : public IAccessible, public IEnumVARIANT, public ComRefCount<AccessibleObject> {
 public:
  AccessibleObject(HWND window, AccessibleSource* source) noexcept : window_(window), source_(source) {}

  void Disconnect() noexcept {
    source_ = nullptr;
    window_ = nullptr;
    standard_.Reset();
    typeInfo_.Reset();
    // Clients in other processes lose their proxies now, instead of holding a stub to nothing.
    ::CoDisconnectObject(static_cast<IAccessible*>(this), 0);
  }

  // The children from `cursor` on, for this object's enumeration and its clones.
  HRESULT NextChildren(ULONG& cursor, ULONG wanted, VARIANT* out, ULONG* fetched) noexcept {
    if (fetched) *fetched = 0;
    if (out == nullptr) return E_POINTER;
    if (wanted > 1 && fetched == nullptr) return E_INVALIDARG;
    return Guarded([&]() -> HRESULT {
      const long items = source_->AccItemCount();
      const std::vector<HWND> windows = ChildWindows(window_);
      const ULONG total = static_cast<ULONG>(items) + static_cast<ULONG>(windows.size());
      ULONG given = 0;
      for (; given < wanted && cursor < total; ++given, ++cursor) {
        VARIANT& slot = out[given];
        if (cursor < static_cast<ULONG>(items)) {
          SetChild(&slot, static_cast<long>(cursor) + 1);
          continue;
        }
        ::VariantInit(&slot);
        IDispatch* child = nullptr;
        if (SUCCEEDED(ChildWindowObject(windows[cursor - items], &child)) && child) {
          slot.vt = VT_DISPATCH;
          slot.pdispVal = child;  // the caller owns this reference
        } else {
          SetChild(&slot, static_cast<long>(cursor) + 1);
        }
      }
      if (fetched) *fetched = given;
      return given == wanted ? S_OK : S_FALSE;
    });
  }
  HRESULT CountChildren(ULONG& total) noexcept {
    return Guarded([&]() -> HRESULT {
      total = static_cast<ULONG>(source_->AccItemCount()) + static_cast<ULONG>(ChildWindows(window_).size());
      return S_OK;
    });
  }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    if (out == nullptr) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
    } else if (iid == __uuidof(IEnumVARIANT)) {
      *out = static_cast<IEnumVARIANT*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return AddRefImpl(); }
  STDMETHODIMP_(ULONG) Release() noexcept override { return ReleaseImpl(); }

  // IDispatch, through oleacc's type library when it is registered.
  STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override {
    if (count == nullptr) return E_POINTER;
    *count = TypeInfo() ? 1 : 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) noexcept override {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    ITypeInfo* type = TypeInfo();
    if (type == nullptr) return E_NOTIMPL;
    type->AddRef();
    *info = type;
    return S_OK;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) noexcept override {
    ITypeInfo* type = TypeInfo();
    return type ? ::DispGetIDsOfNames(type, names, count, ids) : E_NOTIMPL;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* badArgument) noexcept override {
    ITypeInfo* type = TypeInfo();
    return type ? ::DispInvoke(static_cast<IAccessible*>(this), type, id, flags, params, result, exception,
                               badArgument)
                : E_NOTIMPL;
  }

  // IAccessible
  STDMETHODIMP get_accParent(IDispatch** parent) noexcept override {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    return Guarded([&] {
      IAccessible* standard = Standard();
      return standard ? standard->get_accParent(parent) : E_FAIL;
    });
  }
  STDMETHODIMP get_accChildCount(long* count) noexcept override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    ULONG total = 0;
    const HRESULT hr = CountChildren(total);
    if (SUCCEEDED(hr)) *count = static_cast<long>(total);
    return hr;
  }
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) noexcept override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    long id = 0;
    if (!ChildIdOf(child, id)) return E_INVALIDARG;
    return Guarded([&]() -> HRESULT {
      const long items = source_->AccItemCount();
      if (id >= 1 && id <= items) return S_FALSE;  // an item is no object of its own
      const std::vector<HWND> windows = ChildWindows(window_);
      if (id > items && id <= items + static_cast<long>(windows.size()))
        return ChildWindowObject(windows[static_cast<size_t>(id - items - 1)], object);
      return E_INVALIDARG;
    });
  }
  STDMETHODIMP get_accName(VARIANT child, BSTR* name) noexcept override {
    return Text(child, name, [this](long id) { return source_->AccName(id); });
  }
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) noexcept override {
    return Text(child, value, [this](long id) { return source_->AccValue(id); });
  }
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) noexcept override {
    return Text(child, description, [this](long id) { return source_->AccDescription(id); });
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) noexcept override {
    if (role == nullptr) return E_POINTER;
    ::VariantInit(role);
    return OnChild(child, [&](long id) {
      SetChild(role, source_->AccRole(id));
      return S_OK;
    });
  }
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) noexcept override {
    if (state == nullptr) return E_POINTER;
    ::VariantInit(state);
    return OnChild(child, [&](long id) {
      long bits = source_->AccState(id);
      if (id == CHILDID_SELF) bits |= WindowState();
      SetChild(state, bits);
      return S_OK;
    });
  }
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) noexcept override {
    return Text(child, help, [](long) { return std::wstring(); });
  }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) noexcept override {
    if (file == nullptr || topic == nullptr) return E_POINTER;
    *file = nullptr;
    *topic = 0;
    return OnChild(child, [](long) { return S_FALSE; });
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) noexcept override {
    return Text(child, shortcut, [this](long id) { return source_->AccKeyboardShortcut(id); });
  }
  STDMETHODIMP get_accFocus(VARIANT* focus) noexcept override {
    if (focus == nullptr) return E_POINTER;
    ::VariantInit(focus);
    return Guarded([&]() -> HRESULT {
      const HWND focused = ::GetFocus();
      if (focused == window_) {
        const long item = source_->AccFocusedItem();
        SetChild(focus, item >= 1 && item <= source_->AccItemCount() ? item : CHILDID_SELF);
        return S_OK;
      }
      if (focused && ::IsChild(window_, focused)) {
        IAccessible* standard = Standard();
        return standard ? standard->get_accFocus(focus) : E_FAIL;
      }
      return S_FALSE;  // neither the control nor anything in it has the focus
    });
  }
  STDMETHODIMP get_accSelection(VARIANT* selection) noexcept override {
    if (selection == nullptr) return E_POINTER;
    ::VariantInit(selection);
    return Guarded([&]() -> HRESULT {
      const std::vector<long> selected = source_->AccSelectedItems();
      if (selected.empty()) return S_FALSE;
      if (selected.size() == 1) {
        SetChild(selection, selected.front());
        return S_OK;
      }
      ComPtr<IEnumVARIANT> list = MakeComObject<IdList>(selected);
      if (!list) return E_OUTOFMEMORY;
      selection->vt = VT_UNKNOWN;
      selection->punkVal = list.Detach();
      return S_OK;
    });
  }
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) noexcept override {
    return Text(child, action, [this](long id) { return source_->AccDefaultAction(id); });
  }
  STDMETHODIMP accSelect(long flags, VARIANT child) noexcept override {
    constexpr long kKnown = SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION | SELFLAG_EXTENDSELECTION |
                            SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION;
    if ((flags & ~kKnown) != 0) return E_INVALIDARG;
    return OnChild(child, [&](long id) -> HRESULT {
      if ((flags & SELFLAG_TAKEFOCUS) && ::GetFocus() != window_) {
        if (!::IsWindowVisible(window_) || !::IsWindowEnabled(window_)) return S_FALSE;
        ::SetFocus(window_);
      }
      if (id == CHILDID_SELF && (flags & ~SELFLAG_TAKEFOCUS) == 0)
        return ::GetFocus() == window_ ? S_OK : S_FALSE;
      return source_->AccSelectItem(id, flags) ? S_OK : S_FALSE;
    });
  }
  STDMETHODIMP accLocation(long* left, long* top, long* width, long* height,
                           VARIANT child) noexcept override {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
    *left = *top = *width = *height = 0;
    return OnChild(child, [&](long id) -> HRESULT {
      RECT box{};
      if (id == CHILDID_SELF) {
        if (!::GetClientRect(window_, &box)) return E_FAIL;
      } else {
        box = source_->AccItemRect(id);
      }
      ::MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&box), 2);
      // A mirrored window maps its left edge to the right.
      if (box.left > box.right) std::swap(box.left, box.right);
      *left = box.left;
      *top = box.top;
      *width = box.right - box.left;
      *height = box.bottom - box.top;
      return S_OK;
    });
  }
  STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) noexcept override {
    if (end == nullptr) return E_POINTER;
    ::VariantInit(end);
    return OnChild(start, [&](long id) -> HRESULT {
      const long items = source_->AccItemCount();
      if (id == CHILDID_SELF) {
        // The items come before the child windows.
        if (direction == NAVDIR_FIRSTCHILD && items > 0) {
          SetChild(end, 1);
          return S_OK;
        }
        if (direction == NAVDIR_LASTCHILD && items > 0 && ::GetWindow(window_, GW_CHILD) == nullptr) {
          SetChild(end, items);
          return S_OK;
        }
        IAccessible* standard = Standard();
        return standard ? standard->accNavigate(direction, start, end) : E_FAIL;
      }
      long next = 0;
      switch (direction) {
        case NAVDIR_NEXT:
        case NAVDIR_DOWN:
        case NAVDIR_RIGHT: next = id + 1; break;
        case NAVDIR_PREVIOUS:
        case NAVDIR_UP:
        case NAVDIR_LEFT: next = id - 1; break;
        case NAVDIR_FIRSTCHILD:
        case NAVDIR_LASTCHILD: return S_FALSE;  // an item has no children
        default: return E_INVALIDARG;
      }
      if (next < 1 || next > items) return S_FALSE;
      SetChild(end, next);
      return S_OK;
    });
  }
  STDMETHODIMP accHitTest(long x, long y, VARIANT* hit) noexcept override {
    if (hit == nullptr) return E_POINTER;
    ::VariantInit(hit);
    return Guarded([&]() -> HRESULT {
      POINT point{x, y};
      RECT client{};
      if (::ScreenToClient(window_, &point) && ::GetClientRect(window_, &client) &&
          ::PtInRect(&client, point)) {
        const long item = source_->AccItemAt(point);
        if (item >= 1 && item <= source_->AccItemCount()) {
          SetChild(hit, item);
          return S_OK;
        }
      }
      IAccessible* standard = Standard();
      return standard ? standard->accHitTest(x, y, hit) : E_FAIL;
    });
  }
  STDMETHODIMP accDoDefaultAction(VARIANT child) noexcept override {
    return OnChild(child,
                   [&](long id) { return source_->AccDoDefaultAction(id) ? S_OK : DISP_E_MEMBERNOTFOUND; });
  }
  STDMETHODIMP put_accName(VARIANT, BSTR) noexcept override { return E_NOTIMPL; }
  STDMETHODIMP put_accValue(VARIANT child, BSTR value) noexcept override {
    return OnChild(child, [&](long id) {
      const std::wstring text = value ? std::wstring(value, ::SysStringLen(value)) : std::wstring();
      return source_->AccSetValue(id, text) ? S_OK : DISP_E_MEMBERNOTFOUND;
    });
  }

  // IEnumVARIANT: the children (items, then child windows).
  STDMETHODIMP Next(ULONG wanted, VARIANT* out, ULONG* fetched) noexcept override {
    return NextChildren(cursor_, wanted, out, fetched);
  }
  STDMETHODIMP Skip(ULONG count) noexcept override {
    ULONG total = 0;
    const HRESULT hr = CountChildren(total);
    return FAILED(hr) ? hr : SkipWithin(cursor_, count, total);
  }
  STDMETHODIMP Reset() noexcept override {
    cursor_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumVARIANT** copy) noexcept override;

 private:
  // A list of child IDs, for a selection of several items.
  class IdList final : public VariantEnumerator<IdList> {
   public:
    explicit IdList(std::vector<long> ids) : ids_(std::move(ids)) {}
    HRESULT Count(ULONG& total) const noexcept {
      total = static_cast<ULONG>(ids_.size());
      return S_OK;
    }
    HRESULT NextFrom(ULONG& cursor, ULONG wanted, VARIANT* out, ULONG* fetched) const noexcept {
      if (fetched) *fetched = 0;
      if (out == nullptr) return E_POINTER;
      ULONG given = 0;
      for (; given < wanted && cursor < ids_.size(); ++given) SetChild(&out[given], ids_[cursor++]);
      if (fetched) *fetched = given;
      return given == wanted ? S_OK : S_FALSE;
    }
    ComPtr<IdList> Twin() const noexcept { return MakeComObject<IdList>(ids_); }

   private:
    std::vector<long> ids_;
  };

  // Runs `call` while the object is still connected to its source; no exception leaves a COM method.
  template <class Call>
  HRESULT Guarded(Call&& call) noexcept {
    if (source_ == nullptr || window_ == nullptr) return CO_E_OBJNOTCONNECTED;
    if (!::IsWindow(window_)) return E_FAIL;
    try {
      return call();
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      ReportCaughtException(L"accessibility call", window_, WM_GETOBJECT);
      return E_FAIL;
    }
  }
  // Runs `call` with the child ID of `child` when it names the control or one of its items.
  template <class Call>
  HRESULT OnChild(const VARIANT& child, Call&& call) noexcept {
    long id = 0;
    if (!ChildIdOf(child, id)) return E_INVALIDARG;
    return Guarded([&]() -> HRESULT {
      if (id < CHILDID_SELF || id > source_->AccItemCount()) return E_INVALIDARG;
      return call(id);
    });
  }
  template <class Read>
  HRESULT Text(const VARIANT& child, BSTR* out, Read&& read) noexcept {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    return OnChild(child, [&](long id) { return StringAnswer(read(id), out); });
  }

  // What the window itself says about the control.
  long WindowState() const noexcept {
    long bits = 0;
    if (!::IsWindowVisible(window_)) bits |= STATE_SYSTEM_INVISIBLE;
    if (!::IsWindowEnabled(window_)) bits |= STATE_SYSTEM_UNAVAILABLE;
    if ((::GetWindowLongPtrW(window_, GWL_STYLE) & WS_TABSTOP) != 0) bits |= STATE_SYSTEM_FOCUSABLE;
    if (::GetFocus() == window_) bits |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE;
    return bits;
  }

  IAccessible* Standard() noexcept {
    if (!standard_ && window_) {
      ::CreateStdAccessibleObject(window_, OBJID_CLIENT, __uuidof(IAccessible),
                                  reinterpret_cast<void**>(standard_.ReleaseAndGetAddressOf()));
    }
    return standard_.Get();
  }
  ITypeInfo* TypeInfo() noexcept {
    if (!typeInfo_ && !typeInfoTried_) {
      typeInfoTried_ = true;
      ComPtr<ITypeLib> library;
      if (SUCCEEDED(::LoadRegTypeLib(kAccessibilityLibrary, 1, 1, LOCALE_NEUTRAL, &library)))
        library->GetTypeInfoOfGuid(__uuidof(IAccessible), &typeInfo_);
    }
    return typeInfo_.Get();
  }

  HWND window_;
  AccessibleSource* source_;
  ComPtr<IAccessible> standard_;
  ComPtr<ITypeInfo> typeInfo_;
  bool typeInfoTried_ = false;
  ULONG cursor_ = 0;
};

namespace {

// A copy of an object's enumeration, with a cursor of its own.
class ChildEnumerator final : public VariantEnumerator<ChildEnumerator> {
 public:
  explicit ChildEnumerator(ComPtr<AccessibleObject> object) : object_(std::move(object)) {}
  HRESULT Count(ULONG& total) const noexcept { return object_->CountChildren(total); }
  HRESULT NextFrom(ULONG& cursor, ULONG wanted, VARIANT* out, ULONG* fetched) const noexcept {
    return object_->NextChildren(cursor, wanted, out, fetched);
  }
  ComPtr<ChildEnumerator> Twin() const noexcept { return MakeComObject<ChildEnumerator>(object_); }

 private:
  ComPtr<AccessibleObject> object_;
};

}  // namespace

HRESULT AccessibleObject::Clone(IEnumVARIANT** copy) noexcept {
  if (copy == nullptr) return E_POINTER;
  *copy = nullptr;
  ComPtr<ChildEnumerator> twin = MakeComObject<ChildEnumerator>(ComPtr<AccessibleObject>(this));
  if (!twin) return E_OUTOFMEMORY;
  // A fresh copy starts at the beginning; Skip brings it to this object's place.
  if (cursor_ != 0) {
    const HRESULT hr = twin->Skip(cursor_);
    if (FAILED(hr)) return hr;
  }
  *copy = twin.Detach();
  return S_OK;
}

std::wstring WithoutAccessKey(const std::wstring& caption) {
  std::wstring text;
  text.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;  // the marked letter, or the second '&'
    text.push_back(caption[i]);
  }
  return text;
}

std::wstring WindowTextOf(HWND window) {
  if (window == nullptr) return {};
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

AccessibleOwner::~AccessibleOwner() {
  Disconnect();
}

bool AccessibleOwner::Answer(HWND window, AccessibleSource* source, WPARAM wParam, LPARAM lParam,
                             LRESULT& result) noexcept {
  if (source == nullptr || static_cast<LONG>(lParam) != OBJID_CLIENT) return false;
  if (!object_) {
    object_ = MakeComObject<AccessibleObject>(window, source);
    if (!object_) return false;
  }
  result = ::LresultFromObject(__uuidof(IAccessible), wParam, object_.Get());
  return true;
}

void AccessibleOwner::Disconnect() noexcept {
  if (!object_) return;
  static_cast<AccessibleObject*>(object_.Get())->Disconnect();
  object_.Reset();
}

}  // namespace win
