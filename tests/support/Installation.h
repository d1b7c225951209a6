// A demo installation of the suite in a scratch folder, written by the real DemoInstall tool, or one
// that the product's package made.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "support/ScratchDir.h"

namespace test {

struct InstallationOptions {
  std::wstring product = L"VANTO Translator Home";
  std::wstring title = L"Startdeck";
  bool writeInf = true;
  // VntoLangID of the installation; the installer's own default (English) when none.
  std::optional<DWORD> language = std::nullopt;
  // An installation made elsewhere (by the product's Windows Installer package), taken as it is:
  // nothing is written, and it is not removed afterwards.
  std::filesystem::path installed = {};
};

class Installation {
 public:
  explicit Installation(const InstallationOptions& options = {});
  // Ends every program still running from the installation, then removes it.
  ~Installation();
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;

  [[nodiscard]] bool Ok() const noexcept { return ok_; }
  [[nodiscard]] const std::filesystem::path& Folder() const noexcept { return folder_; }
  // The start centre's executable in the installation.
  [[nodiscard]] std::filesystem::path Program() const { return folder_ / (options_.title + L".exe"); }
  [[nodiscard]] std::filesystem::path Inf() const { return folder_ / (options_.title + L".inf"); }
  [[nodiscard]] const std::wstring& Product() const noexcept { return options_.product; }

 private:
  ScratchDir scratch_;
  InstallationOptions options_;
  std::filesystem::path folder_;
  bool ok_ = false;
};

}  // namespace test
