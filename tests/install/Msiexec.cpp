#include "Msiexec.h"

#include <msi.h>
#include <msiquery.h>
#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "support/Driver.h"
#include "support/ProcessList.h"
#include "support/RegistrySandbox.h"
#include "support/ShellLink.h"
#include "support/TestPaths.h"
#include "win/Handle.h"

namespace test {

namespace {

namespace fs = std::filesystem;

// Where keys are kept while set aside: outside every subtree the tests compare.
constexpr wchar_t kAsideKey[] = L"Software\\StartdeckInstallTestsAside";

// An msi.dll handle with an owner.
class MsiHandle {
 public:
  MsiHandle() = default;
  ~MsiHandle() {
    if (handle_) ::MsiCloseHandle(handle_);
  }
  MsiHandle(const MsiHandle&) = delete;
  MsiHandle& operator=(const MsiHandle&) = delete;
  MSIHANDLE* put() { return &handle_; }
  [[nodiscard]] MSIHANDLE get() const { return handle_; }

 private:
  MSIHANDLE handle_ = 0;
};

std::wstring RecordString(MSIHANDLE record, unsigned field) {
  DWORD size = 0;
  wchar_t empty[1] = L"";
  if (::MsiRecordGetStringW(record, field, empty, &size) != ERROR_MORE_DATA && size == 0) return {};
  std::wstring text(size + 1, L'\0');
  size = static_cast<DWORD>(text.size());
  if (::MsiRecordGetStringW(record, field, text.data(), &size) != ERROR_SUCCESS) return {};
  text.resize(size);
  return text;
}

// Every row of `query` (one column, or two: a root number and a key) in the database; nothing when
// the table is not there.
std::vector<std::pair<int, std::wstring>> Rows(MSIHANDLE database, const wchar_t* query, bool withRoot) {
  std::vector<std::pair<int, std::wstring>> rows;
  MsiHandle view;
  if (::MsiDatabaseOpenViewW(database, query, view.put()) != ERROR_SUCCESS) return rows;
  if (::MsiViewExecute(view.get(), 0) != ERROR_SUCCESS) return rows;
  for (;;) {
    MsiHandle record;
    if (::MsiViewFetch(view.get(), record.put()) != ERROR_SUCCESS) break;
    if (withRoot)
      rows.emplace_back(::MsiRecordGetInteger(record.get(), 1), RecordString(record.get(), 2));
    else
      rows.emplace_back(0, RecordString(record.get(), 1));
  }
  return rows;
}

std::wstring ReadLog(const fs::path& log) {
  std::ifstream in(log, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE)
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2),
                        (bytes.size() - 2) / sizeof(wchar_t));
  std::wstring text;
  text.reserve(bytes.size());
  for (char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return text;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::wistringstream in(text);
  for (std::wstring line; std::getline(in, line);) {
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

fs::path Package(const std::wstring& fileName) {
  return BinFolder().parent_path() / L"package" / fileName;
}

fs::path DefaultInstallFolder() {
  PWSTR path = nullptr;
  fs::path folder;
  if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_ProgramFilesX64, 0, nullptr, &path)))
    folder = fs::path(path) / L"VANTO";
  ::CoTaskMemFree(path);
  return folder;
}

fs::path SuiteSharedFolder() {
  // Not the shell's known folder: Wine would write that value into the prefix when asked.
  const fs::path common =
      GetString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", L"CommonFilesDir");
  return common.empty() ? fs::path() : common / L"VANTO";
}

MsiexecRun RunMsiexec(const std::wstring& arguments, const std::wstring& logName) {
  MsiexecRun run;
  run.log = ResultsFolder() / (L"msiexec-" + logName + L".log");
  std::error_code error;
  fs::remove(run.log, error);
  run.arguments = arguments + L" /qn /l*v \"" + run.log.wstring() + L"\"";
  wchar_t system[MAX_PATH] = L"";
  ::GetSystemDirectoryW(system, MAX_PATH);
  Process msiexec;
  if (!msiexec.Start(fs::path(system) / L"msiexec.exe", run.arguments)) return run;
  if (!msiexec.WaitForExit(std::chrono::minutes(5))) {
    msiexec.Terminate();
    run.exitCode = MsiexecRun::kNotEnded;
    return run;
  }
  run.exitCode = msiexec.ExitCode();
  return run;
}

::testing::AssertionResult Succeeded(const MsiexecRun& run) {
  if (run.exitCode == kInstallerDone || run.exitCode == kInstallerDoneRestartDue)
    return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure();
  failure << "msiexec " << ::testing::PrintToString(run.arguments) << " ended with ";
  if (run.exitCode == MsiexecRun::kNotStarted)
    failure << "no start";
  else if (run.exitCode == MsiexecRun::kNotEnded)
    failure << "no end within five minutes";
  else
    failure << "exit code " << run.exitCode;
  return failure << "; the log's end:\n" << ::testing::PrintToString(LogTail(run.log));
}

std::wstring LogTail(const fs::path& log, size_t count) {
  const std::vector<std::wstring> lines = Lines(ReadLog(log));
  std::wstring tail;
  for (size_t i = lines.size() > count ? lines.size() - count : 0; i < lines.size(); ++i)
    tail += lines[i] + L"\n";
  return tail.empty() ? L"<empty log>" : tail;
}

std::vector<std::wstring> LogLinesWith(const fs::path& log, const std::wstring& text) {
  std::vector<std::wstring> found;
  for (std::wstring& line : Lines(ReadLog(log)))
    if (line.find(text) != std::wstring::npos) found.push_back(std::move(line));
  return found;
}

std::wstring ProductInfo(const std::wstring& productCode, const wchar_t* property) {
  DWORD size = 0;
  wchar_t empty[1] = L"";
  if (::MsiGetProductInfoW(productCode.c_str(), property, empty, &size) != ERROR_MORE_DATA && size == 0)
    return {};
  std::wstring value(size + 1, L'\0');
  size = static_cast<DWORD>(value.size());
  if (::MsiGetProductInfoW(productCode.c_str(), property, value.data(), &size) != ERROR_SUCCESS) return {};
  value.resize(size);
  return value;
}

std::vector<std::wstring> InstalledProducts(const std::wstring& name) {
  std::vector<std::wstring> codes;
  wchar_t code[39];
  for (DWORD i = 0; ::MsiEnumProductsW(i, code) == ERROR_SUCCESS; ++i)
    if (ProductInfo(code, INSTALLPROPERTY_INSTALLEDPRODUCTNAME) == name) codes.emplace_back(code);
  return codes;
}

std::vector<std::wstring> UninstallEntries(const std::wstring& name) {
  std::vector<std::wstring> entries;
  win::UniqueKey uninstall;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | KEY_WOW64_64KEY, uninstall.put()) !=
      ERROR_SUCCESS)
    return entries;
  wchar_t subkey[256];
  for (DWORD i = 0;; ++i) {
    DWORD size = 256;
    if (::RegEnumKeyExW(uninstall.get(), i, subkey, &size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    if (GetString(HKEY_LOCAL_MACHINE, std::wstring(kUninstallKey) + L"\\" + subkey, L"DisplayName") == name)
      entries.emplace_back(subkey);
  }
  return entries;
}

ProductRemoval::~ProductRemoval() {
  for (const ListedProcess& process : ProcessesIn(folder_)) {
    ::TerminateProcess(process.handle.get(), 1);
    ::WaitForSingleObject(process.handle.get(), 5000);
  }
  // The logs are named after the case: cases of two Wine sessions side by side write to the same
  // results folder.
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string test = info ? std::string(info->name()) + "-" : std::string();
  std::replace(test.begin(), test.end(), '/', '-');  // a parameterised case's "Name/1"
  int round = 0;
  for (const std::wstring& code : InstalledProducts(name_)) {
    const MsiexecRun run = RunMsiexec(L"/x " + code, L"cleanup-" + std::wstring(test.begin(), test.end()) +
                                                         name_ + L"-" + std::to_wstring(++round));
    EXPECT_TRUE(Succeeded(run)) << "removing what the test left";
  }
  // An installation folder left empty by a case that failed halfway goes with it too.
  std::error_code error;
  if (fs::is_directory(folder_, error) && fs::is_empty(folder_, error)) fs::remove(folder_, error);
}

RecordsAside::RecordsAside(const fs::path& package) {
  MsiHandle database;
  if (::MsiOpenDatabaseW(package.c_str(), MSIDBOPEN_READONLY, database.put()) != ERROR_SUCCESS) return;
  ok_ = true;
  std::set<std::wstring> seen;
  auto add = [&](HKEY root, const std::wstring& path, const std::wstring& rootName) {
    if (path.empty() || !seen.insert(rootName + L"\\" + path).second) return;
    places_.push_back({root, path, rootName + L"\\" + path});
  };
  // Registry table roots: -1 the installation's (per machine here), 0 classes, 1 user, 2 machine.
  for (const auto& [root, key] : Rows(database.get(), L"SELECT `Root`, `Key` FROM `Registry`", true)) {
    if (root == 1) continue;
    if (root == 0)
      add(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\" + key, L"HKLM");
    else
      add(HKEY_LOCAL_MACHINE, key, L"HKLM");
  }
  const struct {
    const wchar_t* query;
    const wchar_t* prefix;
  } classes[] = {
      {L"SELECT `CLSID` FROM `Class`", L"SOFTWARE\\Classes\\CLSID\\"},
      {L"SELECT `ProgId` FROM `ProgId`", L"SOFTWARE\\Classes\\"},
      {L"SELECT `Extension` FROM `Extension`", L"SOFTWARE\\Classes\\."},
      {L"SELECT `AppId` FROM `AppId`", L"SOFTWARE\\Classes\\AppID\\"},
      {L"SELECT `LibID` FROM `TypeLib`", L"SOFTWARE\\Classes\\TypeLib\\"},
  };
  for (const auto& table : classes)
    for (const auto& row : Rows(database.get(), table.query, false))
      add(HKEY_LOCAL_MACHINE, table.prefix + row.second, L"HKLM");
  // A key below another one set aside goes with it.
  std::sort(places_.begin(), places_.end(),
            [](const Place& a, const Place& b) { return _wcsicmp(a.path.c_str(), b.path.c_str()) < 0; });
  int index = 0;
  std::vector<Place> kept;
  for (const Place& place : places_) {
    const bool below = std::any_of(kept.begin(), kept.end(), [&](const Place& outer) {
      return _wcsnicmp(place.path.c_str(), (outer.path + L"\\").c_str(), outer.path.size() + 1) == 0;
    });
    if (below || !KeyExists(place.root, place.path)) continue;
    const std::wstring holder = std::wstring(kAsideKey) + L"\\" + std::to_wstring(++index);
    win::UniqueKey source, target;
    if (::RegOpenKeyExW(place.root, place.path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, source.put()) !=
            ERROR_SUCCESS ||
        ::RegCreateKeyExW(HKEY_CURRENT_USER, holder.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          target.put(), nullptr) != ERROR_SUCCESS ||
        ::RegCopyTreeW(source.get(), nullptr, target.get()) != ERROR_SUCCESS) {
      ADD_FAILURE() << "could not set aside " << ::testing::PrintToString(place.name);
      continue;
    }
    source.reset();
    ::RegDeleteTreeW(place.root, place.path.c_str());
    // Its parents left empty go too, as the package's removal would take them: putting the key back
    // makes them again.
    for (std::wstring parent = place.path.substr(0, place.path.rfind(L'\\'));
         std::count(parent.begin(), parent.end(), L'\\') >= 1;
         parent = parent.substr(0, parent.rfind(L'\\'))) {
      win::UniqueKey key;
      DWORD subkeys = 1, values = 1;
      if (::RegOpenKeyExW(place.root, parent.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.put()) !=
              ERROR_SUCCESS ||
          ::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                             nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
          subkeys != 0 || values != 0)
        break;
      key.reset();
      ::RegDeleteKeyExW(place.root, parent.c_str(), KEY_WOW64_64KEY, 0);
    }
    kept.push_back(place);
    moved_.push_back(place.name);
  }
  places_ = kept;

  // The shortcuts it puts into the user's Send To folder, which another installation may have made
  // there: moved out of the folder the tests compare.
  const fs::path sendTo = SendToFolder();
  for (const auto& row :
       Rows(database.get(), L"SELECT `Name` FROM `Shortcut` WHERE `Directory_` = 'SendToFolder'", false)) {
    const std::wstring name = row.second.substr(row.second.find(L'|') + 1);  // "SHORT~1|Long name"
    const fs::path file = sendTo / (name + L".lnk");
    std::error_code error;
    if (!fs::exists(file, error)) continue;
    const fs::path holder = fs::temp_directory_path() /
                            (L"StartdeckInstallTestsAside" + std::to_wstring(files_.size()) + L".lnk");
    fs::remove(holder, error);  // left by a run that ended before it put it back
    fs::rename(file, holder, error);
    if (error) {
      ADD_FAILURE() << "could not set aside " << file;
      continue;
    }
    files_.emplace_back(file, holder);
    moved_.push_back(file.wstring());
  }
}

RecordsAside::~RecordsAside() {
  int index = 0;
  for (const Place& place : places_) {
    const std::wstring holder = std::wstring(kAsideKey) + L"\\" + std::to_wstring(++index);
    win::UniqueKey source, target;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, holder.c_str(), 0, KEY_READ, source.put()) != ERROR_SUCCESS ||
        ::RegCreateKeyExW(place.root, place.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                          nullptr, target.put(), nullptr) != ERROR_SUCCESS ||
        ::RegCopyTreeW(source.get(), nullptr, target.get()) != ERROR_SUCCESS) {
      ADD_FAILURE() << "could not put back " << ::testing::PrintToString(place.name);
    }
  }
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kAsideKey);
  for (const auto& [file, holder] : files_) {
    // Wine's msiexec removes the Send To folder with the last shortcut it took from it.
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    fs::rename(holder, file, error);
    if (error) ADD_FAILURE() << "could not put back " << file;
  }
}

}  // namespace test
