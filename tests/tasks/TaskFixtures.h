// What the hand-off tests arrange: Office hosts and the suite's Office add-in files as the real
// Office switch detects them, the suite's switches with some replaced by test switches, installed
// suite applications, a real window with a list box or combo box for the application list, and the
// fixture of the tests that run in a registry sandbox.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "../plugintable/TestSwitch.h"
#include "support/RegistrySandbox.h"
#include "support/SavedState.h"
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

// Windows Live Messenger as its real switch detects it: the current user's MSNMessenger key, and
// the suite's help file of the integration (the built VantoMSN.chm) in `files`, named by the
// Folders value "VantoMSN". Goes to the current HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER; true when
// the MSNMessenger key was created (it was not there before).
bool InstallLiveMessenger(const std::filesystem::path& files);

// The suite's nine switches, those named by key replaced by test switches.
[[nodiscard]] switches::SwitchFactory SuiteWith(
    std::vector<std::pair<std::wstring, test::SwitchScript>> replacements);

// HKLM "Software\Korvelsoft\VNTO9\Apps" value `appId` = `path`.
void RegisterApp(const std::wstring& appId, const std::wstring& path);

// The hand-off object's tests in a registry sandbox: the English strings, a scratch folder, and the
// system facts a test plays put back afterwards.
class SandboxedTaskTest : public test::SandboxedTest {
 protected:
  void SetUp() override;

  // The suite application `appId` registered at a file of the scratch folder that is not there: the
  // lists do not look at it, and a start finds no file.
  void RegisterMissing(const std::wstring& appId);
  [[nodiscard]] std::filesystem::path MissingProgram(const std::wstring& appId) const;

  test::ScratchDir scratch_;

 private:
  const test::Restorer savedFacts_ = test::SavedSystemFacts();
};

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
