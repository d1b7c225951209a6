// What must hold for every row of the host table, whatever rows it has.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <bit>
#include <set>
#include <string>
#include <vector>

#include "support/LanguageStrings.h"
#include "support/RegistrySandbox.h"
#include "suite/AppId.h"
#include "suite/DisplayNames.h"
#include "suite/HostDescriptor.h"
#include "switches/PluginTable.h"
#include "tasks/HelpTexts.h"
#include "tasks/HostTable.h"

namespace {

using suite::HostDescriptor;
using suite::HostProgram;
using suite::kHosts;

// Every program once, though several kinds share the Office programs.
std::vector<const HostProgram*> Programs() {
  std::vector<const HostProgram*> programs;
  for (const HostDescriptor& host : kHosts)
    for (const HostProgram& program : host.programs)
      if (std::find(programs.begin(), programs.end(), &program) == programs.end())
        programs.push_back(&program);
  return programs;
}

std::wstring Lower(std::wstring_view text) {
  std::wstring lower(text);
  for (wchar_t& c : lower)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
  return lower;
}

TEST(HostDescriptors, KindsAreDistinctSingleBitsAndFoundByThemselves) {
  std::set<int> kinds;
  for (const HostDescriptor& host : kHosts) {
    EXPECT_GT(host.kind, 0);
    EXPECT_TRUE(std::has_single_bit(static_cast<unsigned>(host.kind))) << host.kind;
    EXPECT_TRUE(kinds.insert(host.kind).second) << "kind " << host.kind << " twice";
    EXPECT_EQ(suite::HostOfKind(host.kind), &host);
    EXPECT_FALSE(host.programs.empty()) << host.kind;
  }
}

TEST(HostDescriptors, TokensRunningValuesAndNamesAreDistinct) {
  std::set<std::wstring> tokens;
  std::set<std::wstring> values;
  for (const HostProgram* program : Programs()) {
    EXPECT_TRUE(tokens.insert(Lower(program->token)).second) << std::wstring(program->token);
    EXPECT_TRUE(values.insert(Lower(program->runningValue)).second) << std::wstring(program->runningValue);
    EXPECT_EQ(suite::HostProgramOfToken(program->token), program);
    // A host's name comes with the host flag only, and then overrides a suite application's.
    EXPECT_EQ(suite::DisplayName(program->token, true), program->displayName);
    EXPECT_FALSE(program->displayName.empty()) << std::wstring(program->token);
    if (program->officeApplication != suite::kNoOfficeApplication) {
      EXPECT_EQ(suite::OfficeProgram(program->officeApplication), program);
    }
  }
}

TEST(HostDescriptors, EveryKindHandsOffToEachOfItsPrograms) {
  const tasks::HostTable table(L"C:\\Programs", L"D:\\Skype.exe");
  for (const HostDescriptor& host : kHosts) {
    for (const HostProgram& program : host.programs) {
      const auto target = table.TargetOfKind(host.kind, program.officeApplication);
      ASSERT_TRUE(target) << host.kind << " " << std::wstring(program.token);
      EXPECT_FALSE(target->executable.empty()) << std::wstring(program.token);
      EXPECT_EQ(target->key, program.runningValue);
      EXPECT_EQ(target->verb, program.verb);
      // Offered kinds are what the program's token asks for.
      const std::vector<int> wanted = tasks::KindsOfToken(program.token).kinds;
      EXPECT_EQ(std::count(wanted.begin(), wanted.end(), host.kind), host.offered ? 1 : 0)
          << std::wstring(program.token);
    }
  }
}

TEST(HostDescriptors, OneSwitchKeyPerFamily) {
  for (const HostDescriptor& a : kHosts)
    for (const HostDescriptor& b : kHosts)
      EXPECT_EQ(a.family == b.family, a.switchKey == b.switchKey) << a.kind << " and " << b.kind;
}

// A switch finds each of its family's add-ins by its variant: a family needs its full add-in's
// row, and a second row of one variant would never be found.
TEST(HostDescriptors, EachFamilyHasItsFullRowAndEachVariantOnce) {
  for (const HostDescriptor& host : kHosts) {
    EXPECT_NE(suite::HostOfFamily(host.family, suite::AddinVariant::kFull), nullptr) << host.kind;
    EXPECT_EQ(suite::HostOfFamily(host.family, host.variant), &host) << host.kind;
  }
}

class HostSwitchTest : public test::SandboxedTest {};

// Each switch the suite builds serves the family of the key it is built under.
TEST_F(HostSwitchTest, EveryKindHasExactlyOneSwitchUnderItsFamilysKey) {
  const switches::SwitchList built = switches::MakeSuiteSwitches();
  std::set<std::wstring> families;
  for (const HostDescriptor& host : kHosts) families.emplace(host.switchKey);
  EXPECT_EQ(built.size(), families.size());

  for (const HostDescriptor& host : kHosts) {
    int serving = 0;
    for (const auto& [key, created] : built) {
      ASSERT_TRUE(created) << key;
      std::vector<int> kinds;
      created->GetKinds(kinds);
      if (std::count(kinds.begin(), kinds.end(), host.kind) == 0) continue;
      ++serving;
      EXPECT_EQ(key, host.switchKey) << host.kind;
    }
    EXPECT_EQ(serving, 1) << "kind " << host.kind;
  }
}

// The help texts of every kind, in the five language libraries.
TEST(HostDescriptors, EveryHelpStringExistsInEveryLanguage) {
  std::set<unsigned> ids;
  for (const HostDescriptor& host : kHosts) {
    EXPECT_EQ(host.offered, host.helpText != 0)
        << "kind " << host.kind;  // every offered kind says what happens
    for (const unsigned id : {host.helpText, host.outlookHelpText, host.helpSteps})
      if (id != 0) ids.insert(id);
    const tasks::HelpTextIds outlook = tasks::HelpTextsOfKind(host.kind, suite::kOutlook);
    EXPECT_EQ(outlook.outcome, host.outlookHelpText != 0 ? host.outlookHelpText : host.helpText);
    EXPECT_EQ(outlook.steps, host.helpSteps);
  }
  EXPECT_FALSE(ids.empty());
  EXPECT_EQ(test::StringsMissingInSomeLanguage(ids), std::vector<std::wstring>{});
}

}  // namespace
