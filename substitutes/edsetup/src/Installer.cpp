// The installer object: IVantoEdSetup for early-bound callers, and the same nine members by name
// through IDispatch for late-bound ones (no type library: the names are matched here).
#include <windows.h>
#include <oleauto.h>

#include <cwchar>
#include <string>

#include "ClassFactory.h"
#include "ComObject.h"
#include "TemplateStore.h"
#include "core/Variant.h"
#include "vanto/EdSetup.h"

namespace edsetup {
namespace {

constexpr wchar_t kVersion[] = L"8.0.1024";

HRESULT ReturnText(const std::wstring& text, BSTR* out) noexcept {
  if (!out) return E_POINTER;
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

struct Member {
  const wchar_t* name;
  DISPID id;
  WORD flags;   // how it may be invoked
  UINT params;  // number of parameters
};

constexpr WORD kGet = DISPATCH_PROPERTYGET | DISPATCH_METHOD;
constexpr Member kMembers[] = {
    {L"Version", kVantoEdDispVersion, kGet, 0},
    {L"StartupFolder", kVantoEdDispStartupFolder, kGet, 0},
    {L"Install", kVantoEdDispInstall, DISPATCH_METHOD, 0},
    {L"Uninstall", kVantoEdDispUninstall, DISPATCH_METHOD, 0},
    {L"State", kVantoEdDispState, kGet, 0},
    {L"SourceFolder", kVantoEdDispSourceFolder, kGet, 0},
    {L"TemplateName", kVantoEdDispTemplateName, kGet, 0},
    {L"InstalledTemplate", kVantoEdDispInstalledTemplate, kGet, 0},
    {L"CheckPresence", kVantoEdDispCheckPresence, DISPATCH_METHOD, 2},
};

const Member* FindMember(DISPID id) noexcept {
  for (const Member& member : kMembers)
    if (member.id == id) return &member;
  return nullptr;
}

class Installer final : public ComObject<Installer, IVantoEdSetup> {
 public:
  static const QITAB* Table() noexcept {
    static const QITAB table[] = {
        InterfaceRow<Installer, IVantoEdSetup>(), InterfaceRow<Installer, IDispatch>(), {}};
    return table;
  }

  // ---- IDispatch ----
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept override {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) noexcept override {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (count == 0) return S_OK;
    if (!names || !ids) return E_POINTER;
    HRESULT hr = S_OK;
    ids[0] = DISPID_UNKNOWN;
    for (const Member& member : kMembers)
      if (names[0] && ::_wcsicmp(names[0], member.name) == 0) ids[0] = member.id;
    if (ids[0] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    // The parameters have no names of their own here.
    for (UINT i = 1; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
      hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT* argError) noexcept override {
    return Guarded([&] { return Dispatch(id, riid, flags, params, result, argError); });
  }

  // ---- IVantoEdSetup ----
  HRESULT STDMETHODCALLTYPE get_Version(BSTR* version) noexcept override {
    return ReturnText(kVersion, version);
  }
  HRESULT STDMETHODCALLTYPE get_StartupFolder(BSTR* folder) noexcept override {
    return Guarded([&] { return ReturnText(StartupFolder(), folder); });
  }
  HRESULT STDMETHODCALLTYPE Install() noexcept override { return InstallTemplate(); }
  HRESULT STDMETHODCALLTYPE Uninstall() noexcept override { return UninstallTemplate(); }
  HRESULT STDMETHODCALLTYPE get_State(LONG* registered) noexcept override {
    if (!registered) return E_POINTER;
    *registered = TemplateInstalled() ? 1 : 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_SourceFolder(BSTR* folder) noexcept override {
    return Guarded([&] { return ReturnText(SourceFolder(), folder); });
  }
  HRESULT STDMETHODCALLTYPE get_TemplateName(BSTR* name) noexcept override {
    return ReturnText(kVantoEdTemplateName, name);
  }
  HRESULT STDMETHODCALLTYPE get_InstalledTemplate(BSTR* path) noexcept override {
    return Guarded([&] { return ReturnText(InstalledTemplatePath(), path); });
  }
  HRESULT STDMETHODCALLTYPE CheckPresence(SHORT mode, BSTR text) noexcept override {
    const std::wstring_view name = text ? std::wstring_view(text, ::SysStringLen(text)) : std::wstring_view();
    switch (mode) {
      case kVantoEdCheckTemplate:
        if (name.empty()) return E_INVALIDARG;
        return TemplateBesideDll(name) ? S_OK : S_FALSE;
      case kVantoEdCheckWord2007:
        return Word2007Installed() && TemplateBesideDll(name.empty() ? kVantoEdTemplateName : name) ? S_OK
                                                                                                    : S_FALSE;
      default: return E_INVALIDARG;
    }
  }

 private:
  // A member's status through IDispatch: errors are Invoke's result; S_OK and S_FALSE come back as
  // the numbers 0 and 1, and the properties as their values.
  HRESULT Dispatch(DISPID id, REFIID riid, WORD flags, DISPPARAMS* params, VARIANT* result, UINT* argError) {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    const Member* member = FindMember(id);
    if (!member) return DISP_E_MEMBERNOTFOUND;
    if (!(flags & member->flags)) return DISP_E_MEMBERNOTFOUND;
    const UINT given = params ? params->cArgs : 0;
    if (params && params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    if (given != member->params) return DISP_E_BADPARAMCOUNT;

    app::Variant owned;
    VARIANT& value = owned.value();
    HRESULT hr = S_OK;
    switch (id) {
      case kVantoEdDispVersion: hr = get_Version(&value.bstrVal), value.vt = VT_BSTR; break;
      case kVantoEdDispStartupFolder: hr = get_StartupFolder(&value.bstrVal), value.vt = VT_BSTR; break;
      case kVantoEdDispSourceFolder: hr = get_SourceFolder(&value.bstrVal), value.vt = VT_BSTR; break;
      case kVantoEdDispTemplateName: hr = get_TemplateName(&value.bstrVal), value.vt = VT_BSTR; break;
      case kVantoEdDispInstalledTemplate:
        hr = get_InstalledTemplate(&value.bstrVal), value.vt = VT_BSTR;
        break;
      case kVantoEdDispState: hr = get_State(&value.lVal), value.vt = VT_I4; break;
      case kVantoEdDispInstall: hr = Install(), value.vt = VT_I4, value.lVal = hr; break;
      case kVantoEdDispUninstall: hr = Uninstall(), value.vt = VT_I4, value.lVal = hr; break;
      case kVantoEdDispCheckPresence: {
        // Arguments arrive last first.
        app::Variant mode;
        app::Variant text;
        if (!mode.ChangeTypeFrom(params->rgvarg[1], VT_I2)) {
          if (argError) *argError = 1;
          return DISP_E_TYPEMISMATCH;
        }
        if (!text.ChangeTypeFrom(params->rgvarg[0], VT_BSTR)) {
          if (argError) *argError = 0;
          return DISP_E_TYPEMISMATCH;
        }
        hr = CheckPresence(V_I2(&mode.value()), V_BSTR(&text.value()));
        value.vt = VT_I4;
        value.lVal = hr;
        break;
      }
      default: return DISP_E_MEMBERNOTFOUND;
    }
    if (FAILED(hr)) {
      if (value.vt == VT_BSTR) value.vt = VT_EMPTY;  // nothing was allocated
      return hr;
    }
    if (result) *result = owned.release();  // the caller owns it now
    return S_OK;
  }
};

}  // namespace

HRESULT CreateInstaller(REFIID riid, void** ppv) noexcept {
  return MakeObjectAs<Installer>(riid, ppv);
}

}  // namespace edsetup
