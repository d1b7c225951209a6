// Real suite applications for the launcher to start: copies of the suite application substitute
// under the applications' executable names in a scratch folder, the machine's Apps records in a
// sandbox of HKEY_LOCAL_MACHINE, and the substitutes' journal in the same scratch folder.
//
// Started programs are other processes and read the real registry, not this process's sandbox: so
// HKEY_CURRENT_USER stays real here, and the Running key, where the launcher leaves their records,
// is emptied before and after each test. Tests of this kind hold the lock that serialises every
// test touching the prefix's shared records.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/ScratchDir.h"
#include "win/Handle.h"

namespace test {

inline constexpr wchar_t kRunningKeyPath[] = L"Software\\Korvelsoft\\VNTO9\\Running";
inline constexpr wchar_t kAppsKeyPath[] = L"Software\\Korvelsoft\\VNTO9\\Apps";

// HKEY_LOCAL_MACHINE of this process redirected to an empty scratch key while the object lives.
class MachineSandbox {
 public:
  MachineSandbox();
  ~MachineSandbox();
  MachineSandbox(const MachineSandbox&) = delete;
  MachineSandbox& operator=(const MachineSandbox&) = delete;

 private:
  std::wstring root_;
  win::UniqueKey machine_;
};

// One start of a substitute, as its journal line tells it.
struct JournalLine {
  std::wstring executable;
  std::wstring appId;
  std::wstring commandLine;
  std::wstring workingFolder;
  std::wstring record;  // "<none>" when it found none
  DWORD processId = 0;
};

class SuiteInstall {
 public:
  SuiteInstall();
  ~SuiteInstall();  // ends every program started from the scratch folder
  SuiteInstall(const SuiteInstall&) = delete;
  SuiteInstall& operator=(const SuiteInstall&) = delete;

  // False when the substitute has not been built.
  [[nodiscard]] static bool SubstituteBuilt();

  // `name`.exe in the scratch folder, and the Apps value `appId` pointing at it.
  std::filesystem::path Install(const std::wstring& appId);
  // The Apps value `appId` pointing at `path`, which need not exist.
  void Register(const std::wstring& appId, const std::filesystem::path& path);
  [[nodiscard]] std::filesystem::path Folder() const { return scratch_.path() / L"Apps"; }

  // The journal's lines so far; waiting (pumping messages) for one of `executable` when given.
  [[nodiscard]] std::vector<JournalLine> Journal() const;
  [[nodiscard]] std::optional<JournalLine> WaitForStartOf(const std::wstring& executable) const;
  // The processes running from the scratch folder under this executable name. A shell start has
  // created its process by the time it returns; one still starting is waited for until it can be
  // told apart, so a copy started a moment ago always counts.
  [[nodiscard]] size_t RunningCopies(const std::wstring& executable) const;

 private:
  void EndStartedPrograms() const;

  ScratchDir scratch_;
  MachineSandbox machine_;
  std::optional<std::wstring> journalBefore_;
};

// The real HKCU Running record, nullopt when missing.
[[nodiscard]] std::optional<std::wstring> RunningRecord(const std::wstring& appId);
void WriteRunningRecord(const std::wstring& appId, const std::wstring& text);

// The lines of the stand-ins' journal at `file` (seven TAB-separated fields a line, UTF-8).
[[nodiscard]] std::vector<JournalLine> ReadJournal(const std::filesystem::path& file);

// The command line's arguments: what follows the program, quoted or not, without leading blanks.
[[nodiscard]] std::wstring ArgumentsOf(const std::wstring& commandLine);

}  // namespace test
