// The switch of the suite's Internet Explorer add-on, a COM server that the system's registration
// tool registers machine-wide; the add-on's class key tells whether it is on.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "switches/Switch.h"

class CIESW final : public CSwitch {
 public:
  explicit CIESW(std::wstring name) : CSwitch(std::move(name), suite::SwitchFamily::kInternetExplorer) {}

  [[nodiscard]] bool IsPackagePresent() override;
  int CollectPlugins() override;
  int ApplyStates(switches::PluginList& records, int quiet) override;

  [[nodiscard]] CPlugSt GetHostInfo() const override {
    return {L"Internet Explorer", switches::kInternetExplorer};
  }

  // The registration tool's command line for the wanted state: the system folder's regsvr32, quoted,
  // on the add-on in quotes. Empty when the system folder cannot be read.
  [[nodiscard]] static std::wstring RegistrationCommand(bool enable);

  static constexpr wchar_t kAddonFile[] = L"vntoie.dll";
  static constexpr wchar_t kAddonClass[] = L"{AF81CD65-7092-4EB6-81DF-5C6D7E8F9012}";
  // The class of an earlier add-on, removed after every registration run.
  static constexpr wchar_t kObsoleteClass[] = L"{B1C3D5E7-F902-4A4C-8E6F-708192A3B4C5}";
  static constexpr wchar_t kFolderValue[] = L"VntoIE";
  // How long a registration run may take before it counts as failed.
  static constexpr DWORD kRegistrationTimeoutMs = 30000;
};

namespace switches {

// Starts `commandLine` (no window options, this process's environment and folder) without waiting
// for it; true when it started.
[[nodiscard]] bool RunCommand(const std::wstring& commandLine);

// Starts `commandLine` like RunCommand and waits at most `timeoutMs` for it to end: its exit code,
// STILL_ACTIVE when it has not ended in time, nothing when it could not start.
[[nodiscard]] std::optional<DWORD> RunCommandToEnd(const std::wstring& commandLine, DWORD timeoutMs);

}  // namespace switches
