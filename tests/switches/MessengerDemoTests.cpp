// The demo installation's messengers in the prefix's real registry: QIP Infium's plug-in goes into
// and out of the messenger's Plugins folder, and the Skype companion program follows the choice the
// Skype switch writes. Both round trips leave the messenger folders and the per-user choices as the
// installation left them.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "OfficeTestSupport.h"
#include "core/RegistryKey.h"
#include "support/Installation.h"
#include "support/ScratchDir.h"
#include "switches/QIPInfiumSW.h"
#include "switches/SkypeSW.h"
#include "win/Handle.h"

namespace officetest {
namespace {

namespace fs = std::filesystem;
using switches::PluginList;

// Every value of the per-user Messengers key, as numbers.
std::map<std::wstring, DWORD> Choices() {
  std::map<std::wstring, DWORD> values;
  app::RegistryKey key;
  if (!key.Open(HKEY_CURRENT_USER, kMessengers)) return values;
  std::wstring name;
  for (DWORD index = 0; key.NextValue(index, name);) values[name] = key.ReadNumber(name, 0xFFFFFFFF);
  return values;
}

// Runs a program to its end; its exit code, or -1 when it did not start or end.
long RunToEnd(const fs::path& program) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  std::wstring command = L"\"" + program.wstring() + L"\"";
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &started))
    return -1;
  const win::UniqueHandle process(started.hProcess);
  const win::UniqueHandle thread(started.hThread);
  DWORD code = 0;
  if (::WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0 ||
      !::GetExitCodeProcess(process.get(), &code))
    return -1;
  return static_cast<long>(code);
}

TEST(MessengerDemo, QipInfiumTakesThePluginInTheInstallationsLanguageAndGivesItBack) {
  test::InstallationOptions options;
  options.language = 0x0407;  // German
  test::Installation installation(options);
  ASSERT_TRUE(installation.Ok());
  const fs::path messenger = installation.Folder() / L"Hosts" / L"QIP Infium";
  const auto files = Snapshot(messenger);
  const auto choices = Choices();
  EXPECT_EQ(choices.at(L"QIP Infium"), 0u);

  CQIPInfiumSW qip(L"VANTO for QIP Infium");
  EXPECT_TRUE(qip.IsPackagePresent());
  ASSERT_EQ(qip.CollectPlugins(), 1);
  EXPECT_EQ(qip.InstallLocation(), messenger.wstring() + L"\\");
  PluginList records;
  qip.GetPlugins(records);
  ASSERT_EQ(records[0].state, 0);

  records[0].state = 1;
  BoxRecorder boxes;
  EXPECT_EQ(qip.ApplyStates(records, 0), 0);
  EXPECT_EQ(records[0].state, 1);
  const fs::path target = messenger / L"Plugins" / L"VantoQIP";
  EXPECT_EQ(PluginName(target / L"VantoQIP.dll"), L"VANTO for QIP Infium (DEU)");
  EXPECT_TRUE(fs::exists(target / L"VantoQIPResDEU.dll"));
  EXPECT_EQ(Choices().at(L"QIP Infium"), 1u);
  CQIPInfiumSW reread(L"VANTO for QIP Infium");
  ASSERT_EQ(reread.CollectPlugins(), 1);
  reread.GetPlugins(records);
  EXPECT_EQ(records[0].state, 1);

  records[0].state = 0;
  EXPECT_EQ(reread.ApplyStates(records, 0), 0);
  EXPECT_TRUE(boxes.Boxes().empty());
  // The installation started with QIP Infium off: the round trip leaves no difference at all.
  EXPECT_EQ(Snapshot(messenger), files);
  EXPECT_EQ(Choices(), choices);
}

TEST(MessengerDemo, TheSkypeCompanionFollowsTheChoiceOfTheSkypeSwitch) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  const fs::path companion = installation.Folder() / L"Messengers" / L"VantoSkype" / L"VantoSkype.exe";
  const auto choices = Choices();
  EXPECT_EQ(RunToEnd(companion), 1);  // the installation leaves Skype on

  CSkypeSW skype(L"VANTO for Skype");
  EXPECT_TRUE(skype.IsPackagePresent());
  ASSERT_EQ(skype.CollectPlugins(), 2);
  PluginList records;
  skype.GetPlugins(records);
  ASSERT_EQ(records[0].displayName, L"Skype 4.2");
  for (int state : {0, 1}) {
    records[0].state = state;
    EXPECT_EQ(skype.ApplyStates(records, 1), 0);
    EXPECT_EQ(RunToEnd(companion), state);
  }
  EXPECT_EQ(Choices(), choices);
}

}  // namespace
}  // namespace officetest
