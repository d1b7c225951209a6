// VantoWebService.exe: the web-service component's server. Started by COM with -Embedding, it
// registers its class for one client and serves it until the object is released; /RegServer and
// /UnregServer write and remove its registration and that of its type library.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <atomic>
#include <cwchar>
#include <new>
#include <string>
#include <vector>

#include "Server.h"
#include "Settings.h"
#include "WebService.h"

namespace websvc {
namespace {

using Microsoft::WRL::ComPtr;

std::atomic<long> gObjects{0};
std::atomic<long> gMade{0};
std::atomic<ULONGLONG> gLastCall{0};
std::vector<HWND> gOwners;  // the server's thread only

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) noexcept override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
    *ppv = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  // Lives as long as the process.
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }
  ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) noexcept override {
    if (object) *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    CallArrived();
    return CreateWebService(riid, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) noexcept override { return S_OK; }
};

constexpr wchar_t kClassKey[] = L"Software\\Classes\\CLSID\\{C1D2E3F4-A5B6-4C7D-8E9F-0A1B2C3D4E5F}";

bool WriteDefault(const std::wstring& path, const std::wstring& value) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const LONG rc = ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

int Register() {
  const std::wstring path = ProgramPath();
  ComPtr<ITypeLib> library;
  // Registers the interface with the universal marshaller, the library and its file.
  if (FAILED(::LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &library))) return 2;
  const std::wstring key = kClassKey;
  if (!WriteDefault(key, L"VANTO web service") ||
      !WriteDefault(key + L"\\LocalServer32", L"\"" + path + L"\"") ||
      !WriteDefault(key + L"\\TypeLib", L"{F2FB574E-9146-4BB3-9441-7B28D3C33C0D}"))
    return 3;
  return 0;
}

int Unregister() {
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kClassKey);
  ::UnRegisterTypeLib(LIBID_VantoWebServiceLib, 1, 0, LOCALE_NEUTRAL,
                      sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
  return 0;
}

// True when the process has nothing left to do.
bool Finished(ULONGLONG started) {
  const ULONGLONG now = ::GetTickCount64();
  if (gMade.load() > 0 && gObjects.load() == 0) return true;
  if (gMade.load() == 0 && now - started > 30000) return true;  // started, but nobody came
  const ULONGLONG idleLimit = ReadNumber(L"IdleLimitMs").value_or(60000);
  if (now - gLastCall.load() > idleLimit) {
    Journal(std::to_wstring(::GetCurrentProcessId()) + L" idle, ends");
    return true;
  }
  if (!gOwners.empty()) {
    bool anyAlive = false;
    for (HWND owner : gOwners) anyAlive = anyAlive || ::IsWindow(owner);
    if (!anyAlive) {
      Journal(std::to_wstring(::GetCurrentProcessId()) + L" owner gone, ends");
      return true;
    }
  }
  return false;
}

int Serve() {
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 4;
  CallArrived();
  static Factory factory;
  DWORD cookie = 0;
  // One object a process: each client gets its own server, as the component's own does.
  HRESULT hr = ::CoRegisterClassObject(CLSID_VantoWebService, &factory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE,
                                       &cookie);
  if (SUCCEEDED(hr)) {
    const ULONGLONG started = ::GetTickCount64();
    for (;;) {
      const DWORD wake = ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 250, QS_ALLINPUT);
      if (wake == WAIT_OBJECT_0) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
          ::TranslateMessage(&message);
          ::DispatchMessageW(&message);
        }
      }
      if (Finished(started)) break;
    }
    ::CoRevokeClassObject(cookie);
  }
  ::CoUninitialize();
  return SUCCEEDED(hr) ? 0 : 5;
}

}  // namespace

// "/name" or "-name" anywhere in the command line.
bool HasSwitch(const wchar_t* line, const wchar_t* name) {
  for (const wchar_t* at = line; (at = std::wcsstr(at, name)) != nullptr; ++at) {
    if (at > line && (at[-1] == L'/' || at[-1] == L'-')) return true;
  }
  return false;
}

void ObjectCreated() noexcept {
  ++gObjects;
  ++gMade;
}
void ObjectDestroyed() noexcept {
  --gObjects;
}
void CallArrived() noexcept {
  gLastCall.store(::GetTickCount64());
}
void OwnerWindowGiven(HWND window) noexcept {
  try {
    gOwners.push_back(window);
  } catch (...) {
  }
}

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

ITypeInfo* InterfaceTypeInfo() noexcept {
  static ITypeInfo* info = [] {
    ComPtr<ITypeLib> library;
    ITypeInfo* found = nullptr;
    try {
      if (SUCCEEDED(::LoadTypeLibEx(ProgramPath().c_str(), REGKIND_NONE, &library)))
        (void)library->GetTypeInfoOfGuid(IID_IVantoWebService, &found);
    } catch (...) {
    }
    return found;  // kept for the life of the process
  }();
  return info;
}

std::wstring NextObjectName() {
  static long next = 0;
  return std::to_wstring(::GetCurrentProcessId()) + L"." + std::to_wstring(++next);
}

}  // namespace websvc

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  const wchar_t* line = commandLine ? commandLine : L"";
  if (websvc::HasSwitch(line, L"RegServer") || websvc::HasSwitch(line, L"regserver"))
    return websvc::Register();
  if (websvc::HasSwitch(line, L"UnregServer") || websvc::HasSwitch(line, L"unregserver"))
    return websvc::Unregister();
  return websvc::Serve();
}
