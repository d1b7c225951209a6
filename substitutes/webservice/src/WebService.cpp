#include "WebService.h"

#include <olectl.h>
#include <wrl/client.h>

#include <atomic>
#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Server.h"
#include "Settings.h"
#include "WebServiceIds.h"

namespace websvc {
namespace {

using Microsoft::WRL::ComPtr;

constexpr DISPID kProgressEvent = 46501;
constexpr DISPID kUpdateEvent = 46502;
constexpr DISPID kInstallingEvent = 46503;

std::wstring Hex(long value) {
  wchar_t text[16];
  std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(value));
  return text;
}

std::wstring TextOr(const wchar_t* name) {
  return ReadText(name).value_or(L"");
}

HRESULT CopyOut(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out || text.empty() ? S_OK : E_OUTOFMEMORY;
}

std::wstring FromBstr(BSTR text) {
  return text ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
}

// Waits `milliseconds`, cut short when the window the object works for has gone.
void Wait(DWORD milliseconds, HWND owner) {
  const ULONGLONG end = ::GetTickCount64() + milliseconds;
  while (::GetTickCount64() < end) {
    if (owner && !::IsWindow(owner)) {
      Journal(L"owner window gone");
      return;
    }
    const ULONGLONG left = end - ::GetTickCount64();
    ::Sleep(static_cast<DWORD>(left < 50 ? left : 50));
  }
}

// An argument of an event, owned.
class Argument {
 public:
  static Argument Text(std::wstring_view text) {
    Argument a;
    a.v_.vt = VT_BSTR;
    a.v_.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return a;
  }
  static Argument Number(long value) {
    Argument a;
    a.v_.vt = VT_I4;
    a.v_.lVal = value;
    return a;
  }
  static Argument NoObject() {
    Argument a;
    a.v_.vt = VT_UNKNOWN;
    a.v_.punkVal = nullptr;
    return a;
  }
  Argument() noexcept { ::VariantInit(&v_); }
  Argument(Argument&& other) noexcept : v_(other.v_) { ::VariantInit(&other.v_); }
  Argument(const Argument&) = delete;
  Argument& operator=(const Argument&) = delete;
  Argument& operator=(Argument&&) = delete;
  ~Argument() { ::VariantClear(&v_); }
  [[nodiscard]] const VARIANT& get() const noexcept { return v_; }

 private:
  VARIANT v_;
};

class WebService;

// The one connection point: the events' dispinterface. It shares its object's reference count.
class EventPoint final : public IConnectionPoint {
 public:
  explicit EventPoint(WebService& owner) noexcept : owner_(owner) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) noexcept override {
    if (!iid) return E_POINTER;
    *iid = DIID_DVantoWebServiceEvents;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE
  GetConnectionPointContainer(IConnectionPointContainer** container) noexcept override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) noexcept override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) noexcept override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) noexcept override {
    if (connections) *connections = nullptr;
    return E_NOTIMPL;
  }

  // Calls every connected sink; the journal gets the answer of each.
  void Fire(DISPID id, std::vector<Argument> arguments, const std::wstring& described);

 private:
  WebService& owner_;
  std::vector<std::pair<DWORD, ComPtr<IDispatch>>> sinks_;
  DWORD nextCookie_ = 1;
};

class WebService final : public IVantoWebService, public IConnectionPointContainer {
 public:
  WebService() : name_(NextObjectName()), events_(*this) {
    ObjectCreated();
    productKey_ = TextOr(L"ProductKey");
    state_ = static_cast<long>(ReadNumber(L"ServiceState").value_or(0));
    // The demo product's account offers dictionary updates unless a switch says it does not.
    flag_ = static_cast<short>(ReadNumber(L"ServiceFlag").value_or(1));
    number_ = TextOr(L"UpdateNumber");
    date_ = TextOr(L"UpdateDate");
    account_ = TextOr(L"Account");
    session_ = TextOr(L"Session");
    server_ = TextOr(L"Server");
    token_ = TextOr(L"Token");
    Log(L"created");
  }
  ~WebService() {
    Log(L"released");
    ObjectDestroyed();
  }
  WebService(const WebService&) = delete;
  WebService& operator=(const WebService&) = delete;

  void Log(const std::wstring& text) const { Journal(name_ + L" " + text); }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) noexcept override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IVantoWebService)
      *ppv = static_cast<IVantoWebService*>(this);
    else if (riid == IID_IConnectionPointContainer)
      *ppv = static_cast<IConnectionPointContainer*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch, from the type library.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override {
    if (!count) return E_POINTER;
    *count = InterfaceTypeInfo() ? 1 : 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) noexcept override {
    if (!info) return E_POINTER;
    *info = nullptr;
    ITypeInfo* typeInfo = InterfaceTypeInfo();
    if (index != 0 || !typeInfo) return DISP_E_BADINDEX;
    typeInfo->AddRef();
    *info = typeInfo;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) noexcept override {
    ITypeInfo* typeInfo = InterfaceTypeInfo();
    return typeInfo ? ::DispGetIDsOfNames(typeInfo, names, count, ids) : E_UNEXPECTED;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argument) noexcept override {
    ITypeInfo* typeInfo = InterfaceTypeInfo();
    return typeInfo ? ::DispInvoke(static_cast<IVantoWebService*>(this), typeInfo, id, flags, params, result,
                                   exception, argument)
                    : E_UNEXPECTED;
  }

  // IVantoWebService
  HRESULT STDMETHODCALLTYPE Run(LONG mode) noexcept override {
    CallArrived();
    Log(L"Run(" + std::to_wstring(mode) + L")");
    try {
      if (ReadNumber(L"CrashInRun").value_or(0) != 0) {
        Log(L"crashes");
        ::TerminateProcess(::GetCurrentProcess(), 3);
      }
      if (ReadNumber(L"OddEvents").value_or(0) != 0) FireOddEvents();
      const std::optional<std::wstring> number = ReadText(L"EventUpdateNumber");
      const std::optional<std::wstring> date = ReadText(L"EventUpdateDate");
      if (number || date) {
        std::vector<Argument> arguments;
        arguments.push_back(Argument::Text(number.value_or(L"")));
        arguments.push_back(Argument::Text(date.value_or(L"")));
        events_.Fire(kUpdateEvent, std::move(arguments),
                     Quoted(number.value_or(L"")) + L", " + Quoted(date.value_or(L"")));
      }
      if (const std::optional<DWORD> installing = ReadNumber(L"EventInstalling")) {
        std::vector<Argument> arguments;
        arguments.push_back(Argument::Number(static_cast<long>(*installing)));
        events_.Fire(kInstallingEvent, std::move(arguments), std::to_wstring(*installing));
      }
      Wait(ReadNumber(L"RunMs").value_or(0), owner_);
      CallArrived();
      Log(L"Run(" + std::to_wstring(mode) + L") ends");
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

  HRESULT STDMETHODCALLTYPE Initialise(BSTR clientName, IUnknown* kernel, LONG option,
                                       LONG* status) noexcept override {
    CallArrived();
    if (!status) return E_POINTER;
    *status = -1;
    try {
      Log(L"Initialise(" + Quoted(FromBstr(clientName)) + L", " + (kernel ? L"kernel" : L"null") + L", " +
          std::to_wstring(option) + L")");
      Wait(ReadNumber(L"InitialiseMs").value_or(0), nullptr);
      if (const std::optional<std::wstring> owner = ReadText(L"InitialiseDialog")) ShowDialog(*owner);
      CallArrived();
      if (const std::optional<DWORD> error = ReadNumber(L"InitialiseError"); error && *error != 0) {
        Log(L"Initialise fails " + Hex(static_cast<long>(*error)));
        return static_cast<HRESULT>(*error);
      }
      *status = static_cast<LONG>(ReadNumber(L"InitialiseStatus").value_or(0));
      Log(L"Initialise status " + std::to_wstring(*status));
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

  HRESULT STDMETHODCALLTYPE Finish(LONG* status) noexcept override {
    CallArrived();
    if (!status) return E_POINTER;
    *status = 0;
    Log(L"Finish");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Cancel() noexcept override {
    CallArrived();
    Log(L"Cancel");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Busy(LONG* busy) noexcept override {
    CallArrived();
    if (!busy) return E_POINTER;
    *busy = 0;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_ProductKey(BSTR* text) noexcept override {
    return Get(L"ProductKey", productKey_, text);
  }
  HRESULT STDMETHODCALLTYPE put_ProductKey(BSTR text) noexcept override {
    return Put(L"ProductKey", productKey_, text);
  }
  HRESULT STDMETHODCALLTYPE get_ServiceState(LONG* state) noexcept override {
    CallArrived();
    if (!state) return E_POINTER;
    if (Fails(L"ServiceState")) return E_FAIL;
    *state = state_;
    Log(L"get ServiceState -> " + std::to_wstring(state_));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_ServiceState(LONG state) noexcept override {
    CallArrived();
    state_ = state;
    Log(L"put ServiceState(" + std::to_wstring(state) + L")");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_ServiceFlag(SHORT* flag) noexcept override {
    CallArrived();
    if (!flag) return E_POINTER;
    if (Fails(L"ServiceFlag")) return E_FAIL;
    *flag = flag_;
    Log(L"get ServiceFlag -> " + std::to_wstring(flag_));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_UpdateNumber(BSTR* text) noexcept override {
    return Get(L"UpdateNumber", number_, text);
  }
  HRESULT STDMETHODCALLTYPE put_UpdateNumber(BSTR text) noexcept override {
    return Put(L"UpdateNumber", number_, text);
  }
  HRESULT STDMETHODCALLTYPE get_UpdateDate(BSTR* text) noexcept override {
    return Get(L"UpdateDate", date_, text);
  }
  HRESULT STDMETHODCALLTYPE put_UpdateDate(BSTR text) noexcept override {
    return Put(L"UpdateDate", date_, text);
  }
  HRESULT STDMETHODCALLTYPE put_OwnerWindow(LONGLONG window) noexcept override {
    CallArrived();
    owner_ = reinterpret_cast<HWND>(static_cast<INT_PTR>(window));
    Log(L"put OwnerWindow(" + std::wstring(::IsWindow(owner_) ? L"window" : L"no window") + L")");
    if (Fails(L"OwnerWindow")) return E_FAIL;
    OwnerWindowGiven(owner_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Account(BSTR* text) noexcept override {
    return Get(L"Account", account_, text);
  }
  HRESULT STDMETHODCALLTYPE put_Account(BSTR text) noexcept override {
    return Put(L"Account", account_, text);
  }
  HRESULT STDMETHODCALLTYPE get_Session(BSTR* text) noexcept override {
    return Get(L"Session", session_, text);
  }
  HRESULT STDMETHODCALLTYPE put_Session(BSTR text) noexcept override {
    return Put(L"Session", session_, text);
  }
  HRESULT STDMETHODCALLTYPE get_Server(BSTR* text) noexcept override { return Get(L"Server", server_, text); }
  HRESULT STDMETHODCALLTYPE put_Server(BSTR text) noexcept override { return Put(L"Server", server_, text); }
  HRESULT STDMETHODCALLTYPE get_Token(BSTR* text) noexcept override { return Get(L"Token", token_, text); }
  HRESULT STDMETHODCALLTYPE put_Token(BSTR text) noexcept override { return Put(L"Token", token_, text); }

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) noexcept override {
    if (points) *points = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) noexcept override {
    CallArrived();
    if (!point) return E_POINTER;
    *point = nullptr;
    if (riid != DIID_DVantoWebServiceEvents) return CONNECT_E_NOCONNECTION;
    events_.AddRef();
    *point = &events_;
    return S_OK;
  }

 private:
  // The value `FailProperty` names one property whose calls fail.
  bool Fails(const wchar_t* property) const {
    const std::optional<std::wstring> failing = ReadText(L"FailProperty");
    if (!failing || *failing != property) return false;
    Log(std::wstring(L"fails ") + property);
    return true;
  }
  HRESULT Get(const wchar_t* property, const std::wstring& value, BSTR* text) noexcept {
    CallArrived();
    try {
      if (Fails(property)) return E_FAIL;
      Log(std::wstring(L"get ") + property + L" -> " + Quoted(value));
      return CopyOut(value, text);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT Put(const wchar_t* property, std::wstring& value, BSTR text) noexcept {
    CallArrived();
    try {
      value = FromBstr(text);
      Log(std::wstring(L"put ") + property + L"(" + Quoted(value) + L")");
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

  // A modal dialog owned by the top-level window of that title; it asks its owner for its title (a
  // message the owner's thread has to answer) and ends itself after `DialogMs` (default 300 ms).
  void ShowDialog(const std::wstring& ownerTitle) const {
    HWND owner = ::FindWindowW(nullptr, ownerTitle.c_str());
    Log(L"dialog for " + Quoted(ownerTitle) + (owner ? L"" : L": no such window"));
    struct Context {
      const WebService* self;
      UINT milliseconds;
    } context{this, static_cast<UINT>(ReadNumber(L"DialogMs").value_or(300))};
    ::DialogBoxParamW(
        ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_INITIALISE), owner,
        [](HWND dialog, UINT message, WPARAM, LPARAM lParam) -> INT_PTR {
          if (message == WM_INITDIALOG) {
            const auto* c = reinterpret_cast<const Context*>(lParam);
            wchar_t title[256] = {};
            HWND parent = ::GetWindow(dialog, GW_OWNER);
            if (parent) ::SendMessageW(parent, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(title));
            c->self->Log(L"dialog owner answered " + Quoted(title));
            ::SetTimer(dialog, 1, c->milliseconds, nullptr);
            return TRUE;
          }
          if (message == WM_TIMER) {
            ::KillTimer(dialog, 1);
            ::EndDialog(dialog, IDOK);
            return TRUE;
          }
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&context));
    Log(L"dialog closed");
  }

  // Events a careless component might send: wrong counts and types, unknown numbers.
  void FireOddEvents() {
    std::vector<Argument> one;
    one.push_back(Argument::Number(12));
    events_.Fire(kUpdateEvent, std::move(one), L"12");
    std::vector<Argument> objects;
    objects.push_back(Argument::NoObject());
    objects.push_back(Argument::NoObject());
    events_.Fire(kUpdateEvent, std::move(objects), L"nothing, nothing");
    events_.Fire(kInstallingEvent, {}, L"");
    std::vector<Argument> word;
    word.push_back(Argument::Text(L"yes"));
    events_.Fire(kInstallingEvent, std::move(word), L"\"yes\"");
    std::vector<Argument> three;
    for (long i = 1; i <= 3; ++i) three.push_back(Argument::Number(i));
    events_.Fire(kInstallingEvent, std::move(three), L"1, 2, 3");
    std::vector<Argument> progress;
    progress.push_back(Argument::Number(50));
    events_.Fire(kProgressEvent, std::move(progress), L"50");
    events_.Fire(4711, {}, L"");
  }

  std::atomic<ULONG> refs_{1};
  std::wstring name_;
  EventPoint events_;
  std::wstring productKey_;
  long state_ = 0;
  short flag_ = 0;
  std::wstring number_;
  std::wstring date_;
  std::wstring account_;
  std::wstring session_;
  std::wstring server_;
  std::wstring token_;
  HWND owner_ = nullptr;
};

HRESULT EventPoint::QueryInterface(REFIID riid, void** ppv) noexcept {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (riid != IID_IUnknown && riid != IID_IConnectionPoint) return E_NOINTERFACE;
  *ppv = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}
ULONG EventPoint::AddRef() noexcept {
  return owner_.AddRef();
}
ULONG EventPoint::Release() noexcept {
  return owner_.Release();
}

HRESULT EventPoint::GetConnectionPointContainer(IConnectionPointContainer** container) noexcept {
  if (!container) return E_POINTER;
  owner_.AddRef();
  *container = &owner_;
  return S_OK;
}

HRESULT EventPoint::Advise(IUnknown* sink, DWORD* cookie) noexcept {
  CallArrived();
  if (!sink || !cookie) return E_POINTER;
  *cookie = 0;
  ComPtr<IDispatch> dispatch;
  if (FAILED(sink->QueryInterface(IID_PPV_ARGS(&dispatch)))) {
    owner_.Log(L"Advise refused: no IDispatch");
    return CONNECT_E_CANNOTCONNECT;
  }
  try {
    sinks_.emplace_back(nextCookie_, std::move(dispatch));
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  *cookie = nextCookie_++;
  owner_.Log(L"Advise");
  return S_OK;
}

HRESULT EventPoint::Unadvise(DWORD cookie) noexcept {
  CallArrived();
  for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
    if (it->first != cookie) continue;
    sinks_.erase(it);
    owner_.Log(L"Unadvise");
    return S_OK;
  }
  owner_.Log(L"Unadvise of an unknown connection");
  return CONNECT_E_NOCONNECTION;
}

void EventPoint::Fire(DISPID id, std::vector<Argument> arguments, const std::wstring& described) {
  // Invoke takes the arguments last first.
  std::vector<VARIANT> reversed;
  for (auto it = arguments.rbegin(); it != arguments.rend(); ++it) reversed.push_back(it->get());
  DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()),
                    0};
  // A sink may unadvise while it is called: call a copy of the list.
  const auto sinks = sinks_;
  for (const auto& sink : sinks) {
    const HRESULT hr = sink.second->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                           nullptr, nullptr, nullptr);
    owner_.Log(L"Event " + std::to_wstring(id) + L"(" + described + L") -> " + Hex(hr));
  }
  if (sinks.empty()) owner_.Log(L"Event " + std::to_wstring(id) + L"(" + described + L"): no sink");
}

}  // namespace

HRESULT CreateWebService(REFIID riid, void** object) noexcept {
  if (!object) return E_POINTER;
  *object = nullptr;
  try {
    WebService* service = new (std::nothrow) WebService();
    if (!service) return E_OUTOFMEMORY;
    const HRESULT hr = service->QueryInterface(riid, object);
    service->Release();
    return hr;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace websvc
