// What the SuiteApp tests share: copies of the substitute under chosen names, registry values set
// for one test and put back afterwards, starts with a chosen working folder, and the journal read
// back field by field.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "win/Handle.h"

namespace test {

inline constexpr wchar_t kRunningKey[] = L"Software\\Korvelsoft\\VNTO9\\Running";
inline constexpr wchar_t kSubstituteKey[] = L"Software\\Korvelsoft\\VNTO9\\SuiteAppSubstitute";
inline constexpr wchar_t kAppsKey[] = L"Software\\Korvelsoft\\VNTO9\\Apps";
inline constexpr wchar_t kFoldersKey[] = L"Software\\Korvelsoft\\VNTO9\\Folders";
inline constexpr wchar_t kCaptionSuffix[] = L" (VANTO suite application substitute)";

// The built substitute, beside the test program.
[[nodiscard]] std::filesystem::path SubstituteProgram();
// A copy of the substitute as `folder`\`name` (e.g. "winword.exe").
[[nodiscard]] std::filesystem::path CopySubstituteAs(const std::filesystem::path& folder,
                                                     const std::wstring& name);

// The REG_SZ value's text; nullopt when the key or value is missing.
[[nodiscard]] std::optional<std::wstring> ReadRegistryText(HKEY hive, const std::wstring& path,
                                                           const std::wstring& name);
void WriteRegistryText(HKEY hive, const std::wstring& path, const std::wstring& name,
                       const std::wstring& text);
void DeleteRegistryValue(HKEY hive, const std::wstring& path, const std::wstring& name);

// One REG_SZ value of the real registry, set (or removed) for a test and restored afterwards.
class ScopedRegistryValue {
 public:
  ScopedRegistryValue(HKEY hive, std::wstring path, std::wstring name,
                      const std::optional<std::wstring>& text);
  ~ScopedRegistryValue();
  ScopedRegistryValue(const ScopedRegistryValue&) = delete;
  ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

 private:
  HKEY hive_;
  std::wstring path_;
  std::wstring name_;
  std::optional<std::wstring> before_;
};

// The journal location for one test: the substitutes write to `file` while this lives.
class ScopedJournal {
 public:
  explicit ScopedJournal(const std::filesystem::path& file)
      : value_(HKEY_CURRENT_USER, kSubstituteKey, L"Journal", file.wstring()) {}

 private:
  ScopedRegistryValue value_;
};

// A started copy of the substitute; terminated when the object goes while it still runs.
class SubstituteRun {
 public:
  SubstituteRun() = default;
  SubstituteRun(SubstituteRun&&) = default;
  SubstituteRun& operator=(SubstituteRun&&) = default;
  ~SubstituteRun();

  // Starts `program` with command line "\"program\" arguments" in `workingFolder` (the program's
  // folder when empty), optionally suspended until Resume.
  bool Start(const std::filesystem::path& program, const std::wstring& arguments = {},
             const std::filesystem::path& workingFolder = {}, bool suspended = false);
  void Resume();
  bool WaitForExit(std::chrono::milliseconds timeout) const;
  [[nodiscard]] DWORD ExitCode() const;
  [[nodiscard]] DWORD Id() const noexcept { return id_; }
  // Exactly what was handed to CreateProcessW.
  [[nodiscard]] const std::wstring& CommandLine() const noexcept { return commandLine_; }
  [[nodiscard]] const std::wstring& WorkingFolder() const noexcept { return workingFolder_; }

 private:
  win::UniqueHandle process_;
  win::UniqueHandle thread_;
  DWORD id_ = 0;
  std::wstring commandLine_;
  std::wstring workingFolder_;
};

// The substitute's window of process `processId`, captioned "`name` (VANTO suite application
// substitute)"; null when none shows within the time given.
[[nodiscard]] HWND WaitForSubstituteWindow(DWORD processId, const std::wstring& name);
// The text of a control in another process's window.
[[nodiscard]] std::wstring ControlText(HWND dialog, int id);

// The journal's lines, each split at its TABs; a line that does not end in CR LF is returned with
// a last field "<no CR LF>", so a torn line shows in the comparison.
[[nodiscard]] std::vector<std::vector<std::wstring>> ReadJournal(const std::filesystem::path& file);
// The lines written by process `processId` (field 7).
[[nodiscard]] std::vector<std::vector<std::wstring>> JournalLinesOf(const std::filesystem::path& file,
                                                                    DWORD processId);

// Now, in the journal's timestamp form.
[[nodiscard]] std::wstring UtcNow();

[[nodiscard]] std::wstring Utf16(const std::string& utf8);
[[nodiscard]] std::string Utf8(const std::wstring& text);

}  // namespace test
