#include "app/StartdeckApp.h"

#include <commctrl.h>
#include <objbase.h>

#include "core/KernelWatch.h"
#include "core/Language.h"
#include "core/LogSink.h"
#include "core/ResourceProfile.h"
#include "core/StartupTrace.h"
#include "StringIds.h"
#include "suite/SystemLibrary.h"
#include "tasks/TranslateMenuUtils.h"
#include "window/StartdeckDlg.h"
#include "win/MessageBox.h"
#include "win/Resources.h"

namespace {

constexpr wchar_t kSettingsSection[] = L"settings";

std::wstring UserLoginName() {
  DWORD length = 0;
  ::GetUserNameW(nullptr, &length);
  if (length == 0) return {};
  std::wstring name(length, L'\0');
  if (!::GetUserNameW(name.data(), &length)) return {};
  name.resize(length > 0 ? length - 1 : 0);  // the count includes the terminator
  return name;
}

}  // namespace

CStartdeckApp::CStartdeckApp() = default;

CStartdeckApp::~CStartdeckApp() = default;

bool CStartdeckApp::InitInstance() {
  try {
    (void)Start();
  } catch (...) {
    // Ended through the shutdown routine like any other failed start, so the product's name is
    // freed at once rather than by whatever the system does with a crashed program.
    app::Log().Line(L"Start-up ended by an unexpected error.");
  }
  return false;
}

bool CStartdeckApp::Start() {
  // Decoding the pictures takes as long as the rest of the start-up before the window is made: a
  // second processor does it meanwhile. The window asks for the system's scale first.
  firstPaintPictures_.emplace(CStartdeckDlg::FirstPaintPictures(win::SkinScaleFor(win::SystemDpi())));

  INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
  ::InitCommonControlsEx(&controls);
  app::MarkStartup(L"common controls");

  richEdit_ = suite::LoadSystemLibrary(L"riched20.dll");
  if (!richEdit_) {
    ShowMessage(IDS_RICHEDIT_FAILED, {}, MB_OK);
    return false;
  }
  app::MarkStartup(L"rich edit library");

  const std::wstring program = app::ProgramPath();
  const size_t slash = program.find_last_of(L'\\');
  programFolder_ = program.substr(0, slash == std::wstring::npos ? 0 : slash + 1);
  programTitle_ = program.substr(programFolder_.size());
  if (const size_t dot = programTitle_.rfind(L'.'); dot != std::wstring::npos) programTitle_.resize(dot);
  helpPath_ = programFolder_ + programTitle_ + L".chm";

  // The log first: it says why a language library was not used.
  app::ConfigureLogFromRegistry();
  resourceLibrary_ = app::LoadResourceLibrary(L"Startdeck");
  app::MarkStartup(L"log and language library");

  if (!LoadResourceFile()) return false;
  appName_ = productName_;
  app::MarkStartup(L".inf");

  if (instance_.ClaimFor(productName_, ::GetCommandLineW()) != app::SingleInstance::Claim::kFirst)
    return false;
  instance_.Publish(productName_);
  app::MarkStartup(L"single instance");

  // OLE, not only COM: the HTML pages host the WebBrowser control in place.
  if (!ole_.emplace().ok()) return false;
  skinDecodes_.emplace();
  ::CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_NONE, RPC_C_IMP_LEVEL_IDENTIFY,
                         nullptr, EOAC_NONE, nullptr);
  app::MarkStartup(L"OLE");

  if (const HRESULT connected = kernel_.Connect(clientName_, UserLoginName(), productName_);
      connected != S_OK) {
    // A kernel that refused, or a server that did not answer, is the kernel's to explain (its
    // message component was told the outcome); one that could not be loaded has nobody to say so.
    if (kernel_.CouldNotLoad()) {
      app::Log().Line(L"The translation kernel could not be loaded (0x%08lX); Startdeck ends.",
                      static_cast<unsigned long>(connected));
      app::ShowKernelNotStarted(productName_);
    }
    return false;
  }
  kernel_.StartSession(productName_);
  kernel_.EndStartUp();
  app::MarkStartup(L"kernel connection");

  // At the system's scale; the main window switches to its monitor's when that differs.
  graphics_.Create(nullptr, win::SkinScaleFor(win::SystemDpi()).dpi());
  settings_.SetDirectionSource(&kernel_);
  app::MarkStartup(L"fonts and skin bitmaps");

  // Its plug-in table is loaded after the window's first paint, or before by the first task that
  // needs it.
  menuUtils_ = std::make_unique<CTranslateMenuUtils>(*this);

  CStartdeckDlg dialog(*this);
  if (dialog.DoModal() == -1) {
    // Without its window the program must not go on holding the product's name: a later start
    // would find it and end without a word.
    const DWORD error = ::GetLastError();
    instance_.Release();
    app::Log().Line(L"The main window could not be created (error %lu); Startdeck ends.", error);
  }
  mainWindow_ = nullptr;
  return false;
}

void CStartdeckApp::WindowPainted() {
  if (!firstPaintPictures_) return;
  // Whether the list of the first paint's pictures is still the window's.
  app::MarkStartup(firstPaintPictures_->TakenCount() == firstPaintPictures_->Count()
                       ? L"first paint's pictures all ahead"
                       : L"first paint's pictures not all used");
  firstPaintPictures_.reset();
}

void CStartdeckApp::SetMainWindow(HWND window) noexcept {
  mainWindow_ = window;
  // The main window owns the switches' messages.
  if (menuUtils_) menuUtils_->Plugins().SetMessageOwner(window);
}

CTranslateMenuUtils* CStartdeckApp::MenuUtils() {
  if (menuUtils_ && !pluginsLoaded_) {
    pluginsLoaded_ = true;
    menuUtils_->LoadPlugins();
  }
  return menuUtils_.get();
}

bool CStartdeckApp::LoadResourceFile() {
  const std::wstring infPath = programFolder_ + programTitle_ + L".inf";
  if (!app::LoadResourceProfile(profile_, infPath, app::Log())) {
    ShowMessage(IDS_CANNOT_LOAD_INF, {}, MB_OK);
    return false;
  }
  // The file belongs to one product's executable; a renamed program must not pick up another's.
  if (profile_.GetString(kSettingsSection, L"FileName") != programTitle_) {
    ShowMessage(IDS_INF_WRONG_PRODUCT, {}, MB_OK);
    return false;
  }
  clientName_ = profile_.GetString(kSettingsSection, L"ClientName");
  productName_ = profile_.GetString(kSettingsSection, L"ProductName");
  entryView_ = profile_.GetInt(kSettingsSection, L"DlgEntryView", 0);
  return true;
}

int CStartdeckApp::ExitInstance() noexcept {
  instance_.Release();
  graphics_.Destroy();
  menuUtils_.reset();  // the switches hold component references of their own
  kernel_.Disconnect();
  skinDecodes_.reset();  // its factory goes while OLE still serves it
  ole_.reset();
  richEdit_.reset();
  return 0;
}

int CStartdeckApp::ShowMessage(UINT id, std::wstring_view argument, UINT flags) {
  std::wstring text = win::LoadString(id);
  // Only the first %s takes the argument; the text is never used as a format string.
  if (const size_t at = text.find(L"%s"); at != std::wstring::npos)
    text.replace(at, 2, L"\"" + std::wstring(argument) + L"\"");
  if (id == IDS_OTHER_PRODUCTS) {
    kernel_.ShowLinkMessage(mainWindow_, text, appName_, MB_ICONEXCLAMATION);
    return IDOK;
  }
  return ShowText(text, flags);
}

int CStartdeckApp::ShowText(const std::wstring& text, UINT flags) {
  return win::ShowMessageBox(mainWindow_, text, appName_, flags);
}
