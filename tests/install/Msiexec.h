// Windows Installer driven as an administrator drives it: msiexec.exe started as a program of its
// own with a verbose log, and the machine's records of installed products read back through
// msi.dll and Add/Remove Programs.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/ScratchDir.h"

namespace test {

inline constexpr wchar_t kProductName[] = L"VANTO Translator Home";
inline constexpr wchar_t kSecondProductName[] = L"VANTO Translator Office";  // VantoTranslatorOffice.msi
// What msiexec ends with when it did what it was asked: done, or done with a restart due.
inline constexpr DWORD kInstallerDone = 0, kInstallerDoneRestartDue = 3010;

// The packages the build made: VantoTranslatorHome.msi, -next.msi, -fails.msi, VantoTranslatorOffice.msi.
[[nodiscard]] std::filesystem::path Package(const std::wstring& fileName);
// Where the package installs by default: the 64-bit program files' VANTO folder.
[[nodiscard]] std::filesystem::path DefaultInstallFolder();
// Where every product of the suite puts the suite's shared components: Common Files (64-bit)\VANTO.
[[nodiscard]] std::filesystem::path SuiteSharedFolder();

// One msiexec run: its exit code (kNotEnded when it did not end in five minutes, kNotStarted when
// it did not start) and its log.
struct MsiexecRun {
  static constexpr DWORD kNotStarted = 0xFFFFFFFF, kNotEnded = 0xFFFFFFFE;
  DWORD exitCode = kNotStarted;
  std::filesystem::path log;
  std::wstring arguments;
};

// Runs `msiexec.exe <arguments> /qn /l*v <log>`, the log named `logName` in the test results.
MsiexecRun RunMsiexec(const std::wstring& arguments, const std::wstring& logName);
// Success when the run ended with 0 or 3010; otherwise the exit code and the log's last lines.
[[nodiscard]] ::testing::AssertionResult Succeeded(const MsiexecRun& run);
// The last `count` lines of an msiexec log (read as UTF-16 when it starts with its mark).
[[nodiscard]] std::wstring LogTail(const std::filesystem::path& log, size_t count = 60);
// The log's lines that hold `text`.
[[nodiscard]] std::vector<std::wstring> LogLinesWith(const std::filesystem::path& log,
                                                     const std::wstring& text);

// The product codes of the installed products named `name`, as msi.dll lists them.
[[nodiscard]] std::vector<std::wstring> InstalledProducts(const std::wstring& name = kProductName);
// What msi.dll says of an installed product (INSTALLPROPERTY_VERSIONSTRING, ...); empty when nothing.
[[nodiscard]] std::wstring ProductInfo(const std::wstring& productCode, const wchar_t* property);
// The Add/Remove Programs entries (key names below ...\CurrentVersion\Uninstall) whose DisplayName
// is `name`.
[[nodiscard]] std::vector<std::wstring> UninstallEntries(const std::wstring& name = kProductName);
inline constexpr wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Removes every installed product named `name` when it goes, whatever the test left: ends the
// programs still running from `folder`, then runs msiexec /x for each. A failure is reported as a
// test failure.
class ProductRemoval {
 public:
  explicit ProductRemoval(std::filesystem::path folder, std::wstring name = kProductName)
      : folder_(std::move(folder)), name_(std::move(name)) {}
  ~ProductRemoval();
  ProductRemoval(const ProductRemoval&) = delete;
  ProductRemoval& operator=(const ProductRemoval&) = delete;

 private:
  std::filesystem::path folder_;
  std::wstring name_;
};

// The machine's keys that `package` writes to (its Registry, Class, ProgId, Extension, AppId and
// TypeLib tables) and its shortcuts in the user's Send To folder, moved aside while the object lives
// when they are already there: another installation of the suite in the same machine (the demo
// installation other test programs make) would otherwise lose its records with the package's
// removal, as Windows Installer removes what it wrote whatever was there before. Put back when the
// object goes.
class RecordsAside {
 public:
  explicit RecordsAside(const std::filesystem::path& package);
  ~RecordsAside();
  RecordsAside(const RecordsAside&) = delete;
  RecordsAside& operator=(const RecordsAside&) = delete;

  // The keys and files set aside ("HKLM\SOFTWARE\...", "C:\...\SendTo\...lnk"), for the test's output.
  [[nodiscard]] const std::vector<std::wstring>& Moved() const noexcept { return moved_; }
  // False when the package's tables could not be read.
  [[nodiscard]] bool Ok() const noexcept { return ok_; }

 private:
  struct Place {
    HKEY root;
    std::wstring path;
    std::wstring name;
  };
  std::vector<Place> places_;
  std::vector<std::pair<std::filesystem::path, std::filesystem::path>> files_;  // the file, where it is kept
  std::vector<std::wstring> moved_;
  bool ok_ = false;
};

}  // namespace test
