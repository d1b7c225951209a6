// The switch of the suite's Firefox extension: one record per Firefox installation, enabled by an
// extension proxy file in the installation's "extensions" folder (named by the extension's
// identifier, holding the folder of the extension) and disabled by deleting that file.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "suite/HostDescriptor.h"
#include "switches/Switch.h"

struct FireFoxVersion {
  std::wstring keyName;           // e.g. "3.5 (en-US)"
  std::wstring displayName;       // "Mozilla Firefox " + key name
  std::wstring installDirectory;  // ends with "\"
  std::wstring proxyFile;         // install directory + "extensions\" + the extension's identifier
};

class CMozillaSW final : public CSwitch {
 public:
  explicit CMozillaSW(std::wstring name) : CSwitch(std::move(name), suite::SwitchFamily::kFirefox) {}

  [[nodiscard]] bool IsPackagePresent() override;
  int CollectPlugins() override;
  int ApplyStates(switches::PluginList& records, int quiet) override;

  // Named as the host table names the browser.
  [[nodiscard]] CPlugSt GetHostInfo() const override {
    return {std::wstring(suite::host_programs::kFirefox[0].displayName), switches::kFirefox};
  }

  // The installations the last CollectPlugins found, in registry order.
  [[nodiscard]] const std::vector<FireFoxVersion>& Installations() const noexcept { return versions_; }

  static constexpr wchar_t kExtensionId[] = L"vanto9@korvelsoft.com";
  static constexpr wchar_t kComponentFile[] = L"vantoff9.dll";
  static constexpr wchar_t kFolderValue[] = L"FireFox";

 private:
  void ScanFirefox();
  static void Apply(const FireFoxVersion& version, const switches::PluginRecord& record);

  std::vector<FireFoxVersion> versions_;
};
