// The switch of the suite's plug-in for Adobe Acrobat and Adobe Reader 6 to 9. Acrobat loads every
// plug-in file in its installation's "plug_ins" folder, so switching the plug-in on copies the
// suite's AcroXlat.API into "plug_ins\VNTO9" and switching it off deletes it again, with the folder
// unless a file of the user's is left in it. Either way the files change together or not at all.
// Each installation found (per user and per machine) is one record. The folders switched on are also
// listed in the suite's plugins.ini, for the suite's other programs.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "switches/Switch.h"

// One installation of Acrobat or Reader.
struct AcrobatVersion {
  std::wstring displayName;  // product name + " " + version (+ " at " + install path when ambiguous)
  std::wstring installPath;
  std::wstring pluginFolder;  // install path + "\plug_ins\VNTO9"
  std::wstring version;
  std::wstring edition;  // "AA" for Acrobat, "AAR" for Reader
  bool reserved = false;
  bool present = false;   // the suite's plug-in file lies in the plug-in folder
  bool sameName = false;  // another installation has the same display name
  int index = 0;          // position in the switch's list = the record's application index

  friend bool operator==(const AcrobatVersion&, const AcrobatVersion&) = default;
};

class CAcrobatSW final : public CSwitch {
 public:
  explicit CAcrobatSW(std::wstring name) : CSwitch(std::move(name), suite::SwitchFamily::kAcrobat) {}

  [[nodiscard]] bool IsPackagePresent() override;
  int CollectPlugins() override;
  int ApplyStates(switches::PluginList& records, int quiet) override;
  [[nodiscard]] CPlugSt GetHostInfo() const override { return {L"Acrobat", switches::kAcrobat}; }

  // The installations of versions 6 to 9 registered under `root`'s "SOFTWARE\Adobe" whose
  // "plug_ins" folder exists, in product-table and enumeration order.
  [[nodiscard]] static std::vector<AcrobatVersion> ScanAdobe(HKEY root);
  // Sets the plug-in folder and whether the plug-in is there; false when "plug_ins" is missing.
  static bool CheckInstallation(AcrobatVersion& installation);
  // The per-user list followed by the per-machine one, sorted (display name, then install path,
  // both descending), the same installation listed once, and same-named ones told apart.
  [[nodiscard]] static std::vector<AcrobatVersion> MergeInstallations(std::vector<AcrobatVersion> user,
                                                                      std::vector<AcrobatVersion> machine);

  // The suite's list of enabled plug-in folders, section PLUGINS of the file
  // "<common application data>\Korvelsoft\VNTO\9.0\Acrobat\plugins.ini".
  [[nodiscard]] static std::wstring PluginsIniPath();
  // Sets `key` to `value`, or removes it without a value; the file is rewritten through a temporary
  // file beside it. False when the folder or the file cannot be written.
  static bool WritePluginEntry(const std::wstring& key, const std::optional<std::wstring>& value);
  // The values of the section, in file order; nothing when the file is missing.
  [[nodiscard]] static std::vector<std::wstring> ReadPluginEntries();

  [[nodiscard]] const std::vector<AcrobatVersion>& Installations() const noexcept { return installations_; }
  [[nodiscard]] const std::wstring& PluginFile() const noexcept { return pluginFile_; }
  [[nodiscard]] bool PluginFileExists() const noexcept { return pluginFileExists_; }

 private:
  void Apply(AcrobatVersion& installation, const switches::PluginRecord& record);
  void Enable(AcrobatVersion& installation);
  void Disable(AcrobatVersion& installation);

  std::wstring pluginFile_;
  bool pluginFileExists_ = false;
  std::vector<AcrobatVersion> installations_;
};
