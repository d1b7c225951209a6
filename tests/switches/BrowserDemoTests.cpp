// The demo installation's browsers: both browser switches find their hosts and add-ons in the
// prefix's real registry, as the start centre meets them, and the Firefox extension switches on and
// off in a demo Firefox.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "OfficeTestSupport.h"
#include "support/Installation.h"
#include "support/ScratchDir.h"
#include "switches/IESW.h"
#include "switches/MozillaSW.h"

namespace officetest {
namespace {

namespace fs = std::filesystem;
using switches::PluginList;

TEST(BrowserDemo, InternetExplorer8IsFoundWithItsAddonSwitchedOff) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  CIESW ie(L"VANTO for Internet Explorer");
  EXPECT_TRUE(ie.IsPackagePresent());
  ASSERT_EQ(ie.CollectPlugins(), 1);
  PluginList records;
  ie.GetPlugins(records);
  EXPECT_EQ(records[0].displayName, L"Internet Explorer 8.0");
  EXPECT_EQ(records[0].state, 0);
  EXPECT_EQ(records[0].kind, 512);
  EXPECT_EQ(CIESW::RegistrationCommand(true), L"\"C:\\windows\\system32\\regsvr32.exe\" /s \"" +
                                                  (installation.Folder() / L"VntoIE").wstring() +
                                                  L"\\vntoie.dll\"");
}

TEST(BrowserDemo, Firefox20And35AreFoundAndTheExtensionSwitchesOnAndOffInEach) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  const fs::path hosts = installation.Folder() / L"Hosts";
  const std::wstring extension = (installation.Folder() / L"FireFox").wstring() + L"\\";
  CMozillaSW firefox(L"");
  EXPECT_TRUE(firefox.IsPackagePresent());
  ASSERT_EQ(firefox.CollectPlugins(), 2);
  const auto& versions = firefox.Installations();
  EXPECT_EQ(versions[0].displayName, L"Mozilla Firefox 2.0 (en-US)");
  EXPECT_EQ(versions[0].installDirectory, (hosts / L"Mozilla Firefox 2.0").wstring() + L"\\");
  EXPECT_EQ(versions[1].displayName, L"Mozilla Firefox 3.5 (en-US)");
  EXPECT_EQ(versions[1].installDirectory, (hosts / L"Mozilla Firefox").wstring() + L"\\");
  for (const auto& version : versions)
    EXPECT_TRUE(fs::exists(fs::path(version.installDirectory) / L"firefox.exe"));

  PluginList records;
  firefox.GetPlugins(records);
  ASSERT_EQ(records.size(), 2u);
  for (auto& record : records) {
    EXPECT_EQ(record.state, 0);
    record.state = 1;
  }
  EXPECT_EQ(firefox.ApplyStates(records, 1), 0);
  for (const auto& version : versions)
    EXPECT_EQ(test::ReadFile(version.proxyFile), std::string(extension.begin(), extension.end()));
  EXPECT_TRUE(fs::exists(fs::path(extension) / L"install.rdf"));

  CMozillaSW reread(L"");
  ASSERT_EQ(reread.CollectPlugins(), 2);
  reread.GetPlugins(records);
  for (auto& record : records) {
    EXPECT_EQ(record.state, 1);
    record.state = 0;
  }
  EXPECT_EQ(reread.ApplyStates(records, 1), 0);
  for (const auto& version : versions) {
    EXPECT_FALSE(fs::exists(version.proxyFile));
    EXPECT_TRUE(fs::is_empty(fs::path(version.installDirectory) / L"extensions"));
  }
}

}  // namespace
}  // namespace officetest
