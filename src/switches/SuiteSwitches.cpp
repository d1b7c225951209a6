// The suite's switches: one for each switch family of the host table, in the table's order. The
// one place that says which class serves a family.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "suite/HostDescriptor.h"
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
namespace {

std::wstring ProductOf(suite::SwitchFamily family, suite::AddinVariant variant) {
  const suite::HostDescriptor* host = suite::HostOfFamily(family, variant);
  return host ? std::wstring(host->productName) : std::wstring();
}

// An Office edition's switch names the products of its family's full, Lite and ED add-ins.
std::unique_ptr<CSwitch> MakeOfficeSwitch(int edition, suite::SwitchFamily family,
                                          const std::shared_ptr<CMSOfficeSW::SharedInstaller>& edInstaller) {
  return std::make_unique<CMSOfficeSW>(edition, ProductOf(family, suite::AddinVariant::kFull),
                                       ProductOf(family, suite::AddinVariant::kLite),
                                       ProductOf(family, suite::AddinVariant::kEd), edInstaller);
}

std::unique_ptr<CSwitch> MakeSwitch(const suite::HostDescriptor& host,
                                    const std::shared_ptr<CMSOfficeSW::SharedInstaller>& edInstaller) {
  const std::wstring product(host.productName);
  switch (host.family) {
    case suite::SwitchFamily::kAcrobat: return std::make_unique<CAcrobatSW>(product);
    case suite::SwitchFamily::kOffice2003: return MakeOfficeSwitch(1, host.family, edInstaller);
    case suite::SwitchFamily::kOffice2007: return MakeOfficeSwitch(2, host.family, edInstaller);
    case suite::SwitchFamily::kFirefox: return std::make_unique<CMozillaSW>(product);
    case suite::SwitchFamily::kInternetExplorer: return std::make_unique<CIESW>(product);
    case suite::SwitchFamily::kOpenOffice: return std::make_unique<COpenOfficeSW>(product);
    case suite::SwitchFamily::kLiveMessenger: return std::make_unique<CMsnSW>(product);
    case suite::SwitchFamily::kQipInfium: return std::make_unique<CQIPInfiumSW>(product);
    case suite::SwitchFamily::kSkype: return std::make_unique<CSkypeSW>(product);
  }
  return nullptr;
}

}  // namespace

SwitchList MakeSuiteSwitches() {
  // Both Office editions ask the one ED installer, which goes with the last of them.
  const auto edInstaller = std::make_shared<CMSOfficeSW::SharedInstaller>();
  SwitchList switches;
  for (const suite::HostDescriptor& host : suite::kHosts) {
    bool built = false;
    for (const auto& [key, existing] : switches) built = built || key == host.switchKey;
    if (!built) switches.emplace_back(std::wstring(host.switchKey), MakeSwitch(host, edInstaller));
  }
  return switches;
}

}  // namespace switches
