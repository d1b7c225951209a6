// What the hand-off tests arrange: Office hosts and the suite's Office add-in files as the real
// Office switch detects them, the suite's switches with some replaced by test switches, installed
// suite applications, and a real window with a list box or combo box for the application list.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "../plugintable/TestSwitch.h"
#include "support/ScratchDir.h"
#include "switches/PluginTable.h"
#include "tasks/WindowAppList.h"

namespace tasktest {

// Office 2000-2003 (registry version 11.0) and/or 2007 (12.0) with the named applications ("Word",
// "Outlook", "Excel", "PowerPoint"), and the full edition of the suite's add-in for each, with its
// files in `files`. Goes to the current HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT.
struct OfficeSetup {
  bool office2003 = false;
  bool office2007 = false;
  std::vector<std::wstring> applications = {L"Word"};
};
void InstallOffice(const std::filesystem::path& files, const OfficeSetup& setup);

// The suite's nine switches, those named by key replaced by test switches.
[[nodiscard]] switches::SwitchFactory SuiteWith(std::vector<std::pair<std::wstring, test::SwitchScript>> replacements);

// HKLM "Software\Korvelsoft\VNTO9\Apps" value `appId` = `path`.
void RegisterApp(const std::wstring& appId, const std::wstring& path);

// A visible top-level window holding one LISTBOX or COMBOBOX (unsorted), the list the task dialogs
// fill.
class ListWindow {
 public:
  explicit ListWindow(bool comboBox);
  ~ListWindow();
  ListWindow(const ListWindow&) = delete;
  ListWindow& operator=(const ListWindow&) = delete;

  [[nodiscard]] tasks::WindowAppList& List() noexcept { return list_; }
  [[nodiscard]] std::vector<std::wstring> Texts() const;

 private:
  HWND window_ = nullptr;
  HWND control_ = nullptr;
  tasks::WindowAppList list_;
};

}  // namespace tasktest
