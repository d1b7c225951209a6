// The VANTO ED Word template installer, as the in-process server edsetup.dll offers it: it puts the
// suite's Word template into Word's per-user start-up folder, takes it out again, says whether it
// is there and whether an installation can take it. A dual interface: custom methods 1 to 9 in
// this order, the same numbers as dispatch IDs.
#pragma once

#include <objbase.h>
#include <oaidl.h>
#include <oleauto.h>

// The installer class (ThreadingModel "Both").
inline constexpr CLSID CLSID_VantoEdSetup = {
    0xD2E4F608, 0x1A3B, 0x4C5D, {0x8E, 0x7F, 0x9A, 0x0B, 0x1C, 0x2D, 0x3E, 0x4F}};

// The template the installer installs, as it lies beside edsetup.dll.
inline constexpr wchar_t kVantoEdTemplateName[] = L"vntoed8.dot";

// CheckPresence modes.
inline constexpr SHORT kVantoEdCheckTemplate = 2;  // the named template lies beside the DLL
inline constexpr SHORT kVantoEdCheckWord2007 = 3;  // Word 2007/2010 is installed and can take it

// Dispatch IDs: the position of each method after the seven IUnknown and IDispatch methods.
enum VantoEdSetupDispId : DISPID {
  kVantoEdDispVersion = 1,
  kVantoEdDispStartupFolder = 2,
  kVantoEdDispInstall = 3,
  kVantoEdDispUninstall = 4,
  kVantoEdDispState = 5,
  kVantoEdDispSourceFolder = 6,
  kVantoEdDispTemplateName = 7,
  kVantoEdDispInstalledTemplate = 8,
  kVantoEdDispCheckPresence = 9,
};

// clang-format off

// Results: a negative HRESULT is an error; S_OK success or "yes"; S_FALSE (or any other
// non-negative code) a negative answer.
MIDL_INTERFACE("E3F50719-2B4C-4D6E-9F80-AB1C2D3E4F50")
IVantoEdSetup : public IDispatch {
  // 1: the installer's version, "8.0.<build>".
  virtual HRESULT STDMETHODCALLTYPE get_Version(BSTR* version) = 0;
  // 2: Word's per-user start-up folder, where the template goes.
  virtual HRESULT STDMETHODCALLTYPE get_StartupFolder(BSTR* folder) = 0;
  // 3: copies the template from beside the DLL into the start-up folder (through a temporary file
  // in that folder); S_OK, also when it was there already.
  virtual HRESULT STDMETHODCALLTYPE Install() = 0;
  // 4: removes the template from the start-up folder; S_FALSE when it was not there.
  virtual HRESULT STDMETHODCALLTYPE Uninstall() = 0;
  // 5: *registered = 1 when the template is in the start-up folder, else 0.
  virtual HRESULT STDMETHODCALLTYPE get_State(LONG* registered) = 0;
  // 6: the folder of edsetup.dll, where the template to install lies.
  virtual HRESULT STDMETHODCALLTYPE get_SourceFolder(BSTR* folder) = 0;
  // 7: the template's file name (vntoed8.dot).
  virtual HRESULT STDMETHODCALLTYPE get_TemplateName(BSTR* name) = 0;
  // 8: the installed template's full path (whether or not it is there now).
  virtual HRESULT STDMETHODCALLTYPE get_InstalledTemplate(BSTR* path) = 0;
  // 9: mode 2: S_OK when the template named by `text` lies beside the DLL. Mode 3: S_OK when Word
  // 2007 or 2010 is installed and the template (named by `text`, or vntoed8.dot when empty) lies
  // beside the DLL. S_FALSE otherwise; E_INVALIDARG for any other mode or an empty name in mode 2.
  virtual HRESULT STDMETHODCALLTYPE CheckPresence(SHORT mode, BSTR text) = 0;
};

  // clang-format on

#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(IVantoEdSetup, 0xE3F50719, 0x2B4C, 0x4D6E, 0x9F, 0x80, 0xAB, 0x1C, 0x2D, 0x3E, 0x4F, 0x50)
#endif
