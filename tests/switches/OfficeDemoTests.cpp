// The demo installation's Microsoft Office: both Office switches find Word, Excel, Outlook and
// PowerPoint with the suite's add-ins, and the host programs are found by name and read their
// hand-off records. This is the prefix's real registry, as the start centre meets it.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "OfficeTestSupport.h"
#include "support/Driver.h"
#include "support/Installation.h"
#include "support/RegistrySandbox.h"
#include "switches/MSOfficeSW.h"
#include "switches/PluginTable.h"

namespace officetest {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using switches::PluginList;

constexpr wchar_t kRunningKey[] = L"Software\\Korvelsoft\\VNTO9\\Running";
constexpr wchar_t kAppPaths[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

struct Expected {
  int application;
  int kind;
  const wchar_t* displayName;
  const wchar_t* product;
};

// What a record is about, without its state (the user's own registrations decide that).
std::vector<std::wstring> Describe(const PluginList& records) {
  std::vector<std::wstring> lines;
  for (const auto& r : records)
    lines.push_back(std::to_wstring(r.application) + L" " + std::to_wstring(r.kind) + L" " + r.displayName +
                    L" / " + r.productName);
  return lines;
}

std::vector<std::wstring> Describe(const std::vector<Expected>& records) {
  std::vector<std::wstring> lines;
  for (const auto& r : records)
    lines.push_back(std::to_wstring(r.application) + L" " + std::to_wstring(r.kind) + L" " + r.displayName +
                    L" / " + r.product);
  return lines;
}

TEST(OfficeDemo, BothOfficeSwitchesFindWordExcelOutlookAndPowerPointWithTheirAddins) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  EnglishStrings strings;
  {
    CMSOfficeSW office2003(1, kOffice, kLite, kEd);
    CMSOfficeSW office2007(2, kOffice, kLite, kEd);
    for (CMSOfficeSW* office : {&office2003, &office2007}) {
      SCOPED_TRACE(office->Edition());
      for (int app :
           {CMSOfficeSW::kWord, CMSOfficeSW::kOutlook, CMSOfficeSW::kExcel, CMSOfficeSW::kPowerPoint})
        EXPECT_TRUE(office->HostInstalled(app)) << app;
      EXPECT_TRUE(office->IsPackagePresent());
    }
    EXPECT_EQ(office2003.PackagesFound(), 2 | 4 | 16);
    EXPECT_EQ(office2007.PackagesFound(), 32 | 64 | 128);

    EXPECT_EQ(office2003.CollectPlugins(), 7);
    PluginList records;
    office2003.GetPlugins(records);
    EXPECT_EQ(Describe(records), Describe(std::vector<Expected>{
                                     {0, 4, L"Microsoft Word 2000/XP/2003", kOffice},
                                     {0, 2, L"Microsoft Word 2000/XP/2003", kLite},
                                     {0, 16, L"Microsoft Word 2000/XP/2003", kEd},
                                     {1, 4, L"Microsoft Outlook 2000/XP/2003", kOffice},
                                     {1, 2, L"Microsoft Outlook 2000/XP/2003", kLite},
                                     {2, 4, L"Microsoft Excel 2000/XP/2003", kOffice},
                                     {3, 4, L"Microsoft PowerPoint 2000/XP/2003", kOffice},
                                 }));
    EXPECT_EQ(office2007.CollectPlugins(), 7);
    office2007.GetPlugins(records);
    EXPECT_EQ(Describe(records), Describe(std::vector<Expected>{
                                     {0, 64, L"Microsoft Word 2007/2010", kOffice},
                                     {0, 32, L"Microsoft Word 2007/2010", kLite},
                                     {0, 128, L"Microsoft Word 2007/2010", kEd},
                                     {1, 64, L"Microsoft Outlook 2007/2010", kOffice},
                                     {1, 32, L"Microsoft Outlook 2007/2010", kLite},
                                     {2, 64, L"Microsoft Excel 2007/2010", kOffice},
                                     {3, 64, L"Microsoft PowerPoint 2007/2010", kOffice},
                                 }));
  }
  // The installer is the installation's own copy, registered by the demo installation.
  const std::wstring server = test::GetString(
      HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\CLSID\\{D2E4F608-1A3B-4C5D-8E7F-9A0B1C2D3E4F}\\InprocServer32",
      L"");
  EXPECT_EQ(fs::path(server), installation.Folder() / L"VNTOED" / L"edsetup.dll");
  ::CoFreeUnusedLibrariesEx(0, 0);  // lets the installation's folder go
}

TEST(OfficeDemo, EveryHostProgramIsRegisteredForTheShellUnderItsName) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  for (const wchar_t* name : {L"winword.exe", L"excel.exe", L"outlook.exe", L"powerpnt.exe", L"AcroRD32.exe",
                              L"Acrobat.exe", L"firefox.exe", L"iexplore.exe", L"soffice.exe"}) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(name)));
    const std::wstring key = std::wstring(kAppPaths) + name;
    const fs::path program = test::GetString(HKEY_LOCAL_MACHINE, key, L"");
    EXPECT_EQ(program.filename(), name);
    EXPECT_EQ(test::GetString(HKEY_LOCAL_MACHINE, key, L"Path"), program.parent_path().wstring());
    EXPECT_TRUE(fs::exists(program));
    EXPECT_EQ(program.wstring().rfind((installation.Folder() / L"Hosts").wstring(), 0), 0u) << program;
  }
}

// The journal's lines (UTF-8, TAB-separated fields), as the SuiteApp substitute writes them.
std::vector<std::vector<std::wstring>> JournalLines(const fs::path& journal) {
  std::ifstream in(journal, std::ios::binary);
  std::vector<std::vector<std::wstring>> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), wide.data(), n);
    std::vector<std::wstring> fields;
    std::wstringstream split(wide);
    for (std::wstring field; std::getline(split, field, L'\t');) fields.push_back(field);
    lines.push_back(fields);
  }
  return lines;
}

TEST(OfficeDemo, WordStartedByNameReadsAndJournalsItsHandOffRecord) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  const std::wstring record = L"D=2311;T=General;U=C:\\Docs\\report.doc";
  test::SetString(HKEY_CURRENT_USER, kRunningKey, L"Word", record);
  struct RemoveRecord {
    ~RemoveRecord() { ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunningKey, L"Word"); }
  } removeRecord;

  SHELLEXECUTEINFOW start{};
  start.cbSize = sizeof(start);
  start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  start.lpVerb = L"open";
  start.lpFile = L"winword.exe";
  start.lpParameters = L"\"C:\\Docs\\report.doc\"";
  start.nShow = SW_SHOWNORMAL;
  ASSERT_TRUE(::ShellExecuteExW(&start)) << ::GetLastError();
  const win::UniqueHandle process(start.hProcess);
  ASSERT_TRUE(process.valid());
  const DWORD id = ::GetProcessId(process.get());

  const fs::path journal = installation.Folder() / L"journal.log";
  std::vector<std::wstring> line;
  ASSERT_TRUE(test::WaitUntil(
      [&] {
        for (const auto& fields : JournalLines(journal))
          if (fields.size() == 7 && fields[6] == std::to_wstring(id)) line = fields;
        return !line.empty();
      },
      20s));
  EXPECT_EQ(line[1], L"winword.exe");
  EXPECT_EQ(line[2], L"Word");
  EXPECT_EQ(line[5], record);
  EXPECT_NE(line[3].find(L"Office12\\winword.exe"), std::wstring::npos) << line[3];
  EXPECT_NE(line[3].find(L"C:\\Docs\\report.doc"), std::wstring::npos) << line[3];
  // Its window says so too.
  HWND window = test::WaitForWindow(id, L"", L"", 10s);
  ASSERT_NE(window, nullptr);
  EXPECT_NE(test::WindowText(window).find(L"Microsoft Word"), std::wstring::npos);
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(::WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0);
}

// The whole plug-in table over the demo installation: the Acrobat switch, the two Office switches,
// the OpenOffice.org switch, both browser switches and the three messenger switches find their
// hosts; the records of both Office editions share the product groups, and all are numbered 1 to 25
// in key order.
TEST(OfficeDemo, ThePluginTableKeepsEveryHostOfTheDemoAndNoneIsMissing) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  EnglishStrings strings;
  switches::PluginTable table;
  table.LoadSwitches();
  ASSERT_TRUE(table.Loaded());
  std::vector<std::wstring> active;
  for (const auto& host : table.Active()) active.push_back(host->GetHostInfo().name);
  EXPECT_EQ(active, (std::vector<std::wstring>{L"Acrobat", L"Mozilla Firefox", L"MS Office XP/2003",
                                               L"MS Office 2007", L"OpenOffice", L"Windows Live Messenger",
                                               L"QIP Infium", L"Skype", L"Internet Explorer"}));
  EXPECT_TRUE(table.MissingKeys().empty());
  std::wstring host;
  EXPECT_TRUE(table.GetMissingHostName(L"Office2007", host));
  EXPECT_TRUE(table.GetMissingHostName(L"Acrobat", host));

  std::vector<std::wstring> groups;
  std::vector<int> ids;
  for (const auto& group : table.Groups()) {
    groups.push_back(group.productName);
    for (const auto& record : group.records) ids.push_back(record.id);
  }
  EXPECT_EQ(groups, (std::vector<std::wstring>{L"VANTO for Acrobat", L"", kOffice, kLite, kEd,
                                               L"VANTO for OpenOffice", L"VANTO for Windows Live Messenger",
                                               L"VANTO for QIP Infium", L"VANTO for Skype",
                                               L"VANTO for Internet Explorer"}));
  std::sort(ids.begin(), ids.end());
  std::vector<int> expected(25);
  for (int i = 0; i < 25; ++i) expected[static_cast<size_t>(i)] = i + 1;
  EXPECT_EQ(ids, expected);

  // One group, records of both switches: Word's full add-in of each edition.
  const auto& full = table.Groups()[2].records;
  EXPECT_TRUE(std::any_of(full.begin(), full.end(),
                          [](const auto& r) { return r.displayName == L"Microsoft Word 2000/XP/2003"; }));
  EXPECT_TRUE(std::any_of(full.begin(), full.end(),
                          [](const auto& r) { return r.displayName == L"Microsoft Word 2007/2010"; }));
  EXPECT_EQ(table.FindSwitchByKind(1), 0);
  EXPECT_EQ(table.FindSwitchByKind(256), 1);
  EXPECT_EQ(table.FindSwitchByKind(16), 2);
  EXPECT_EQ(table.FindSwitchByKind(128), 3);
  EXPECT_EQ(table.FindSwitchByKind(1024), 4);
  EXPECT_EQ(table.FindSwitchByKind(2048), 5);
  EXPECT_EQ(table.FindSwitchByKind(4096), 6);
  EXPECT_EQ(table.FindSwitchByKind(8192), 7);
  EXPECT_EQ(table.FindSwitchByKind(512), 8);
  // The messengers' records as the demo installs them: QIP Infium off, Skype on, Live Messenger fixed.
  const auto messengers = [&](std::size_t group) {
    std::vector<std::pair<std::wstring, int>> records;
    for (const auto& r : table.Groups()[group].records) records.emplace_back(r.displayName, r.state);
    return records;
  };
  using Records = std::vector<std::pair<std::wstring, int>>;
  EXPECT_EQ(messengers(6), (Records{{L"Windows Live Messenger", -1}}));
  EXPECT_EQ(messengers(7), (Records{{L"QIP Infium", 0}}));
  EXPECT_EQ(messengers(8), (Records{{L"Skype 4.2", 1}, {L"Skype Toolbars", 1}}));
}

// The ED installer the two Office editions share is an object of the table's switches: it lives
// while they do and goes with them, on this thread, well before the apartment ends.
TEST(OfficeDemo, TheEdInstallerOfBothEditionsGoesWithTheTablesSwitches) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  EnglishStrings strings;
  switches::PluginTable table;
  table.LoadSwitches();
  ASSERT_NE(table.FindPluginByKind(16), nullptr);
  ASSERT_NE(table.FindPluginByKind(128), nullptr);
  const HMODULE installer = ::GetModuleHandleW(L"edsetup.dll");
  ASSERT_NE(installer, nullptr);
  const auto canUnloadNow = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
      reinterpret_cast<void*>(::GetProcAddress(installer, "DllCanUnloadNow")));
  ASSERT_NE(canUnloadNow, nullptr);
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  table.ClearSwitches();
  EXPECT_EQ(canUnloadNow(), S_OK);
}

}  // namespace
}  // namespace officetest
