#include "TaskFixtures.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>

#include "../launcher/LaunchTestContext.h"
#include "support/TestPaths.h"

namespace tasktest {
namespace {

struct OfficeApplication {
  const wchar_t* name;
  const wchar_t* code;       // the value naming it in an add-in class's MiscStatus
  const wchar_t* addin2007;  // the 2007 add-in's file
};
constexpr OfficeApplication kOfficeApplications[] = {
    {L"Word", L"ww", L"QuilletX.WordAddin.dll"},
    {L"Outlook", L"ot", L"QuilletX.OutlookAddin.dll"},
    {L"Excel", L"ex", L"QuilletX.ExcelAddin.dll"},
    {L"PowerPoint", L"pp", L"QuilletX.PowerPointAddin.dll"},
};
constexpr wchar_t kFull2003Class[] = L"CLSID\\{F4061A2B-3C5D-4E7F-80A1-BC2D3E4F5061}\\MiscStatus";
constexpr wchar_t kFull2007Class[] = L"CLSID\\{8D6FAB43-5E70-4C94-AFBD-3A4B5C6D7E8F}\\MiscStatus";
constexpr wchar_t kFolders[] = L"SOFTWARE\\Korvelsoft\\VNTO9\\Folders";

const OfficeApplication& ApplicationNamed(const std::wstring& name) {
  for (const OfficeApplication& application : kOfficeApplications)
    if (name == application.name) return application;
  throw std::invalid_argument("no such Office application");
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool InstallLiveMessenger(const std::filesystem::path& files) {
  std::filesystem::create_directories(files);
  std::filesystem::copy_file(test::BinFolder() / L"VantoMSN.chm", files / L"VantoMSN.chm",
                             std::filesystem::copy_options::overwrite_existing);
  test::SetString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Korvelsoft\\VNTO9\\Folders", L"VantoMSN",
                  files.wstring() + L"\\");
  constexpr wchar_t kMessengerKey[] = L"SOFTWARE\\Microsoft\\MSNMessenger";
  const bool existed = test::KeyExists(HKEY_CURRENT_USER, kMessengerKey);
  test::CreateKey(HKEY_CURRENT_USER, kMessengerKey);
  return !existed;
}

void InstallOffice(const std::filesystem::path& files, const OfficeSetup& setup) {
  const auto folder = [&](const wchar_t* name) {
    const std::filesystem::path path = files / name;
    std::filesystem::create_directories(path);
    test::SetString(HKEY_LOCAL_MACHINE, kFolders, name, path.wstring() + L"\\");
    return path;
  };
  if (setup.office2003) test::WriteFile(folder(L"Office") / L"Quillet8.dll", "add-in");
  const std::filesystem::path folder2007 = setup.office2007 ? folder(L"OfficeX") : std::filesystem::path();
  for (const std::wstring& name : setup.applications) {
    const OfficeApplication& application = ApplicationNamed(name);
    if (setup.office2003) {
      test::CreateKey(HKEY_LOCAL_MACHINE,
                      std::wstring(L"Software\\Microsoft\\Office\\11.0\\") + name + L"\\InstallRoot");
      test::SetString(HKEY_CLASSES_ROOT, kFull2003Class, application.code, L"1");
    }
    if (setup.office2007) {
      test::CreateKey(HKEY_LOCAL_MACHINE,
                      std::wstring(L"Software\\Microsoft\\Office\\12.0\\") + name + L"\\InstallRoot");
      test::SetString(HKEY_CLASSES_ROOT, kFull2007Class, application.code, L"1");
      test::WriteFile(folder2007 / application.addin2007, "add-in");
    }
  }
}

switches::SwitchFactory SuiteWith(std::vector<std::pair<std::wstring, test::SwitchScript>> replacements) {
  return [replacements = std::move(replacements)] {
    switches::SwitchList list = switches::MakeSuiteSwitches();
    for (auto& [key, made] : list)
      for (const auto& [replacedKey, script] : replacements)
        if (key == replacedKey)
          made =
              std::make_unique<test::TestSwitch>(made->Name(), script, std::make_shared<test::SwitchLog>());
    return list;
  };
}

void RegisterApp(const std::wstring& appId, const std::wstring& path) {
  test::SetString(HKEY_LOCAL_MACHINE, L"Software\\Korvelsoft\\VNTO9\\Apps", appId, path);
}

void SandboxedTaskTest::SetUp() {
  test::UseEnglishStrings();
}

void SandboxedTaskTest::RegisterMissing(const std::wstring& appId) {
  RegisterApp(appId, MissingProgram(appId).wstring());
}

std::filesystem::path SandboxedTaskTest::MissingProgram(const std::wstring& appId) const {
  return scratch_.path() / L"gone" / (appId + L".exe");
}

ListWindow::ListWindow(bool comboBox)
    : window_([] {
        static const bool registered = [] {
          WNDCLASSW windowClass{};
          windowClass.lpfnWndProc = &PlainWindowProc;
          windowClass.hInstance = ::GetModuleHandleW(nullptr);
          windowClass.lpszClassName = L"HandOffListTestWindow";
          return ::RegisterClassW(&windowClass) != 0;
        }();
        (void)registered;
        return ::CreateWindowExW(0, L"HandOffListTestWindow", L"Translate in",
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 320, 240, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
      }()),
      control_(
          ::CreateWindowExW(0, comboBox ? L"COMBOBOX" : L"LISTBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | (comboBox ? CBS_DROPDOWNLIST : LBS_NOTIFY),
                            10, 10, 280, 180, window_, nullptr, ::GetModuleHandleW(nullptr), nullptr)),
      list_(control_) {
  EXPECT_NE(control_, nullptr);
}

ListWindow::~ListWindow() {
  if (window_) ::DestroyWindow(window_);
}

std::vector<std::wstring> ListWindow::Texts() const {
  std::vector<std::wstring> texts;
  for (int i = 0; i < list_.Count(); ++i) texts.push_back(list_.Text(i));
  return texts;
}

}  // namespace tasktest
