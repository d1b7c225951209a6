// The suite's plug-ins manager: lists the add-ins the switches find and switches them at will.
// It reads no command line.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "ManagerWindow.h"
#include "PluginsManagerIds.h"
#include "core/Language.h"
#include "core/LogSink.h"
#include "core/WindowFailureLog.h"
#include "switches/PluginTable.h"
#include "win/ComScope.h"
#include "win/Handle.h"
#include "win/Resources.h"

namespace {

// VantoEMRes<language>.dll beside the program becomes the resource module when it carries the
// manager's texts; otherwise the program's own English ones stay. Loaded as resources only: no code
// of it runs.
void LoadLanguageLibrary() {
  const std::wstring name = app::ResourceLibraryName(L"VantoEM");
  if (name.empty()) return;
  std::wstring path = app::ProgramPath();
  path.resize(path.find_last_of(L"\\/") + 1);
  path += name;
  win::UniqueModule library(
      ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  if (!library) {
    app::Log().Line(L"Language library %s not used: it cannot be loaded.", path.c_str());
    return;
  }
  if (win::LoadStringFrom(library.get(), IDS_PM_INTRO).empty()) {
    app::Log().Line(L"Language library %s not used: it has no texts of the plug-ins manager.", path.c_str());
    return;
  }
  win::AdoptResourceModule(std::move(library));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  app::LogWindowFailures();
  app::ConfigureLogFromRegistry();
  const win::ComApartment com;  // the Office switch reaches the ED template installer through COM
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  LoadLanguageLibrary();

  switches::PluginTable table;
  table.LoadSwitches();
  pluginsmanager::ManagerWindow window(table);
  if (!window.Create(show)) return 1;

  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab, Enter and Esc move and press as in a dialog.
    if (window.hwnd() && ::IsDialogMessageW(window.hwnd(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
