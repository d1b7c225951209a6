// The switch of the suite's integration into OpenOffice.org Writer 2 and 3. OpenOffice.org keeps
// no list of add-ins: the integration is a menu, a toolbar, images, shortcuts, an event binding and
// a Basic library in the user's OpenOffice.org profile. Switching it on merges the suite's
// fragments (templates in the "OOInst" folder of the suite's OpenOffice folder) into the profile's
// configuration files and copies the Basic library in; switching it off takes exactly those out
// again. The empty file "Addons.xcu.old" beside the profile's Addons.xcu says that it is on; it is
// written only when Addons.xcu holds the suite's nodes. A user's own Events.xcu is kept as
// "Events.xcu.user" while the suite's is in place.
//
// A switch-over is all or nothing: it reads every file it will change, works out every new
// content, stages them in one file transaction and only then puts them in place; on any failure
// the profile stays byte for byte as it was. The marker is the last change of switching on and
// the first of switching off. Each insert checks that it is not there already, so a retry or a
// profile merged before changes nothing twice.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "switches/Switch.h"

class COpenOfficeSW final : public CSwitch {
 public:
  explicit COpenOfficeSW(std::wstring name) : CSwitch(std::move(name), suite::SwitchFamily::kOpenOffice) {}

  // True when the suite's OpenOffice folder holds WrtBridge.dll (anywhere below it).
  [[nodiscard]] bool IsPackagePresent() override;
  // One record per version 2 or 3 registered per machine, then per user.
  int CollectPlugins() override;
  int ApplyStates(switches::PluginList& records, int quiet) override;

  [[nodiscard]] CPlugSt GetHostInfo() const override { return {L"OpenOffice", switches::kOpenOffice}; }

  // The folders of one version's user profile, relative to the application-data folder.
  struct ProfileFolders {
    const wchar_t* office;        // Addons.xcu, Events.xcu and the enabled marker
    const wchar_t* basic;         // script.xlc and the Basic libraries
    const wchar_t* ui;            // WriterWindowState.xcu
    const wchar_t* accelerators;  // one folder per language, each with current.xml
  };
  // The profile of a record's version, for detection and switching alike: version 2 when the
  // version in the display name ("OpenOffice.org Writer 2.4") begins with "2", else version 3.
  [[nodiscard]] static const ProfileFolders& FoldersFor(std::wstring_view displayName) noexcept;
  // The user's roaming application-data folder (the installation's CommonAppDataRoot before
  // Windows 2000 when the shell names none).
  [[nodiscard]] static std::wstring ApplicationData();
  // Whether the enabled marker lies in `officeFolder`.
  [[nodiscard]] static bool IsEnabledIn(const std::wstring& officeFolder);

 private:
  void Apply(const switches::PluginRecord& record);
  void Enable(const switches::PluginRecord& record, const std::wstring& appData,
              const ProfileFolders& folders);
  void Disable(const switches::PluginRecord& record, const std::wstring& appData,
               const ProfileFolders& folders);
  void Scan(HKEY root);
  // A template below the "OOInst" folder of the suite's OpenOffice folder.
  [[nodiscard]] static std::wstring Template(const wchar_t* name);
};
