// The suite's nine switches, in the order the plug-in table builds them.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "switches/AcrobatSW.h"
#include "switches/IESW.h"
#include "switches/MSOfficeSW.h"
#include "switches/MozillaSW.h"
#include "switches/MsnSW.h"
#include "switches/OpenOfficeSW.h"
#include "switches/PluginTable.h"
#include "switches/QIPInfiumSW.h"
#include "switches/SkypeSW.h"

namespace switches {

SwitchList MakeSuiteSwitches() {
  constexpr wchar_t kOffice[] = L"VANTO for Microsoft Office";
  constexpr wchar_t kOfficeLite[] = L"VANTO Lite for Microsoft Office";
  constexpr wchar_t kOfficeEd[] = L"VANTO ED for Microsoft Office";

  SwitchList switches;
  switches.emplace_back(L"Acrobat", std::make_unique<CAcrobatSW>(L"VANTO for Acrobat"));
  switches.emplace_back(L"FireFox", std::make_unique<CMozillaSW>(L""));
  switches.emplace_back(L"OpenOffice", std::make_unique<COpenOfficeSW>(L"VANTO for OpenOffice"));
  switches.emplace_back(L"VntoIE", std::make_unique<CIESW>(L"VANTO for Internet Explorer"));
  // Both Office editions ask the one ED installer, which goes with the last of them.
  const auto edInstaller = std::make_shared<CMSOfficeSW::SharedInstaller>();
  switches.emplace_back(L"Office2003",
                        std::make_unique<CMSOfficeSW>(1, kOffice, kOfficeLite, kOfficeEd, edInstaller));
  switches.emplace_back(L"Office2007",
                        std::make_unique<CMSOfficeSW>(2, kOffice, kOfficeLite, kOfficeEd, edInstaller));
  switches.emplace_back(L"VantoQIP", std::make_unique<CQIPInfiumSW>(L"VANTO for QIP Infium"));
  switches.emplace_back(L"VantoSkype", std::make_unique<CSkypeSW>(L"VANTO for Skype"));
  switches.emplace_back(L"VantoMSN", std::make_unique<CMsnSW>(L"VANTO for Windows Live Messenger"));
  return switches;
}

}  // namespace switches
