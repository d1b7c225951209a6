// vntoie.dll: the suite's Internet Explorer add-on, an in-process COM server whose one class is a
// browser helper object. Registering it writes the class key that marks the add-on as enabled.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <atomic>
#include <new>
#include <string>

namespace {

// {AF81CD65-7092-4EB6-81DF-5C6D7E8F9012}
constexpr CLSID kAddonClass = {0xAF81CD65, 0x7092, 0x4EB6, {0x81, 0xDF, 0x5C, 0x6D, 0x7E, 0x8F, 0x90, 0x12}};
constexpr wchar_t kClassKey[] = L"SOFTWARE\\Classes\\CLSID\\{AF81CD65-7092-4EB6-81DF-5C6D7E8F9012}";
constexpr wchar_t kHelperKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
    L"{AF81CD65-7092-4EB6-81DF-5C6D7E8F9012}";
constexpr wchar_t kDescription[] = L"VANTO for Internet Explorer";

HMODULE g_module = nullptr;
std::atomic<long> g_references{0};  // objects and server locks

// The helper object: Internet Explorer hands it the browser through IObjectWithSite.
class Helper final : public IObjectWithSite {
 public:
  Helper() { ++g_references; }
  Helper(const Helper&) = delete;
  Helper& operator=(const Helper&) = delete;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IObjectWithSite) {
      *ppv = static_cast<IObjectWithSite*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++count_); }
  STDMETHODIMP_(ULONG) Release() override {
    const long left = --count_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  STDMETHODIMP SetSite(IUnknown* site) override {
    if (site_) site_->Release();
    site_ = site;
    if (site_) site_->AddRef();
    return S_OK;
  }
  STDMETHODIMP GetSite(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    return site_ ? site_->QueryInterface(riid, ppv) : E_FAIL;
  }

 private:
  ~Helper() {
    if (site_) site_->Release();
    --g_references;
  }
  std::atomic<long> count_{1};
  IUnknown* site_ = nullptr;
};

class Factory final : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
      *ppv = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  // One static factory that lives as long as the DLL.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    Helper* helper = new (std::nothrow) Helper();  // owned by its COM reference count
    if (!helper) return E_OUTOFMEMORY;
    const HRESULT hr = helper->QueryInterface(riid, ppv);
    helper->Release();
    return hr;
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    lock ? ++g_references : --g_references;
    return S_OK;
  }
};

Factory g_factory;

LSTATUS SetText(HKEY key, const wchar_t* name, const std::wstring& value) {
  return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// A key, created, closed again however the caller returns.
class Key {
 public:
  Key(HKEY parent, const wchar_t* path) {
    result_ = ::RegCreateKeyExW(parent, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key_, nullptr);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() {
    if (result_ == ERROR_SUCCESS) ::RegCloseKey(key_);
  }
  [[nodiscard]] LSTATUS result() const noexcept { return result_; }
  [[nodiscard]] HKEY get() const noexcept { return key_; }

 private:
  HKEY key_ = nullptr;
  LSTATUS result_;
};

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) return path.substr(0, n);
    path.resize(path.size() * 2);
  }
}

LSTATUS WriteKeys(const std::wstring& modulePath) {
  const Key classKey(HKEY_LOCAL_MACHINE, kClassKey);
  if (classKey.result() != ERROR_SUCCESS) return classKey.result();
  LSTATUS rc = SetText(classKey.get(), nullptr, kDescription);
  if (rc != ERROR_SUCCESS) return rc;
  const Key server(classKey.get(), L"InprocServer32");
  if (server.result() != ERROR_SUCCESS) return server.result();
  if ((rc = SetText(server.get(), nullptr, modulePath)) != ERROR_SUCCESS) return rc;
  if ((rc = SetText(server.get(), L"ThreadingModel", L"Apartment")) != ERROR_SUCCESS) return rc;
  const Key helper(HKEY_LOCAL_MACHINE, kHelperKey);
  if (helper.result() != ERROR_SUCCESS) return helper.result();
  return SetText(helper.get(), nullptr, kDescription);
}

LSTATUS DeleteKey(const wchar_t* path) {
  LSTATUS rc = ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, path);
  if (rc == ERROR_SUCCESS) rc = ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, path);
  return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    ::DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (clsid != kAddonClass) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow() {
  return g_references == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
  const std::wstring path = ModulePath();
  if (path.empty()) return SELFREG_E_CLASS;
  return WriteKeys(path) == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllUnregisterServer() {
  // Removing what is not there is no error; the class key goes last, as it marks the add-on on.
  const LSTATUS helper = DeleteKey(kHelperKey);
  const LSTATUS classKey = DeleteKey(kClassKey);
  return helper == ERROR_SUCCESS && classKey == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}
