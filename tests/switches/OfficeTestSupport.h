// What the Office switch tests share: the ED installer substitute (registered, or a private copy
// reached through its own exports), the English language library for the switches' texts, and the
// message boxes the switches show.
#pragma once

#include <windows.h>
#include <wrl/client.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/Bstr.h"
#include "vanto/EdSetup.h"
#include "win/Handle.h"
#include "win/MessageBox.h"

namespace officetest {

using Microsoft::WRL::ComPtr;

inline constexpr wchar_t kFoldersKey[] = L"SOFTWARE\\Korvelsoft\\VNTO9\\Folders";
inline constexpr wchar_t kEdSettingsKey[] = L"Software\\Korvelsoft\\VNTO9\\EdSetupSubstitute";
inline constexpr wchar_t kMessengers[] = L"SOFTWARE\\Korvelsoft\\VNTO9\\Messengers";

// The products of the Office add-ins, as the plug-in table names them.
inline constexpr wchar_t kOffice[] = L"VANTO for Microsoft Office";
inline constexpr wchar_t kLite[] = L"VANTO Lite for Microsoft Office";
inline constexpr wchar_t kEd[] = L"VANTO ED for Microsoft Office";

// What the switches' message boxes say when embedding fails, and without administrator rights.
inline constexpr wchar_t kEmbedFailed[] = L"Unable to embed/disable the translation functions in \r\n\"";
inline constexpr wchar_t kContactSupport[] =
    L"To get detailed information, please contact the Technical Support Service of the VANTO company.";
inline constexpr wchar_t kNoRights[] =
    L"You do not have administrator privileges on this computer. Please contact your System Administrator.";

// The built installer, beside the test program, with its template.
[[nodiscard]] std::filesystem::path EdSetupDll();

// Registers the built edsetup.dll in the prefix's machine-wide classes once per test program.
class EdSetupRegistration : public ::testing::Environment {
 public:
  void SetUp() override;
};

// A copy of edsetup.dll in a folder of the test's choosing, loaded by this process and asked for
// objects through its own DllGetClassObject, so the template beside it is the test's to arrange.
class PrivateInstaller {
 public:
  explicit PrivateInstaller(const std::filesystem::path& folder);
  PrivateInstaller(const PrivateInstaller&) = delete;
  PrivateInstaller& operator=(const PrivateInstaller&) = delete;
  ~PrivateInstaller();

  [[nodiscard]] bool Loaded() const noexcept { return module_.valid(); }
  [[nodiscard]] ComPtr<IVantoEdSetup> Create() const;
  [[nodiscard]] HRESULT CanUnloadNow() const;
  [[nodiscard]] HRESULT ClassObject(REFIID riid, void** ppv) const;
  [[nodiscard]] HRESULT ClassObject(REFCLSID clsid, REFIID riid, void** ppv) const;
  [[nodiscard]] HRESULT Call(const char* exportName) const;

 private:
  win::UniqueModule module_;
};

// Makes the English language library the resource module for as long as it lives.
class EnglishStrings {
 public:
  EnglishStrings();
  ~EnglishStrings();
  EnglishStrings(const EnglishStrings&) = delete;
  EnglishStrings& operator=(const EnglishStrings&) = delete;
};

// Answers every message box with IDOK while it lives, and keeps what was asked.
class BoxRecorder {
 public:
  BoxRecorder();
  ~BoxRecorder();
  BoxRecorder(const BoxRecorder&) = delete;
  BoxRecorder& operator=(const BoxRecorder&) = delete;
  [[nodiscard]] const std::vector<win::MessageBoxRequest>& Boxes() const noexcept { return boxes_; }

 private:
  std::vector<win::MessageBoxRequest> boxes_;
};

using Bstr = app::Bstr;

// A whole UTF-16LE file (a byte-order mark dropped).
[[nodiscard]] std::wstring ReadUtf16File(const std::filesystem::path& file);
// An empty placeholder file, with the folders on the way.
void Touch(const std::filesystem::path& file);
// Every file and folder below `folder` (relative paths), each file with its bytes, each folder "<dir>".
[[nodiscard]] std::map<std::wstring, std::string> Snapshot(const std::filesystem::path& folder);
// The name a QIP Infium plug-in gives of itself (VantoQipPluginName), or why there is none.
[[nodiscard]] std::wstring PluginName(const std::filesystem::path& plugin);

}  // namespace officetest
