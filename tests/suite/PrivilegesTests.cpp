// The administrator check and the user's SID, against the real token of this process.
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "support/SavedState.h"
#include "suite/Owners.h"
#include "suite/Privileges.h"
#include "win/Handle.h"
#include "win/System.h"

namespace {

bool RunningUnderWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

class IsAdministrator : public ::testing::Test {
 protected:
  void SetUp() override { win::OverrideSystemFacts({}); }

  const test::Restorer savedFacts_ = test::SavedSystemFacts();
};

TEST_F(IsAdministrator, TheOverridePlaysEitherUser) {
  win::SystemFacts facts;
  facts.administrator = false;
  win::OverrideSystemFacts(facts);
  EXPECT_FALSE(suite::IsAdministrator());
  facts.administrator = true;
  win::OverrideSystemFacts(facts);
  EXPECT_TRUE(suite::IsAdministrator());
  // Another fact played leaves the administrator answer to the token.
  facts = {};
  facts.windowsMajorVersion = 10;
  win::OverrideSystemFacts(facts);
  EXPECT_EQ(suite::IsAdministrator(), static_cast<bool>(::IsUserAnAdmin()));
}

TEST_F(IsAdministrator, WithoutAnOverrideTheTokenAnswers) {
  // The shell's own check reads the same token by another route.
  EXPECT_EQ(suite::IsAdministrator(), static_cast<bool>(::IsUserAnAdmin()));
  if (RunningUnderWine()) {
    EXPECT_TRUE(suite::IsAdministrator()) << "Wine runs every program as an administrator";
  }
}

std::vector<BYTE> ReadTokenUser() {
  win::UniqueHandle token;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.put())) return {};
  DWORD size = 0;
  ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  if (!::GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
  return buffer;
}

TEST(CurrentUserSid, HasTheFormOfADomainOrMachineUser) {
  const std::wstring sid = suite::CurrentUserSid();
  ASSERT_EQ(sid.rfind(L"S-1-5-21-", 0), 0u) << sid;
  // Three domain sub-authorities and the user's relative ID follow, each a decimal number.
  const std::wstring rest = sid.substr(9);
  EXPECT_EQ(std::count(rest.begin(), rest.end(), L'-'), 3) << sid;
  EXPECT_TRUE(std::all_of(rest.begin(), rest.end(), [](wchar_t c) {
    return c == L'-' || (c >= L'0' && c <= L'9');
  })) << sid;
  EXPECT_NE(rest.back(), L'-') << sid;
}

TEST(CurrentUserSid, ConvertsBackToTheTokensUser) {
  const std::vector<BYTE> user = ReadTokenUser();
  ASSERT_FALSE(user.empty());
  const PSID tokenSid = reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid;

  suite::UniqueLocal<PSID> parsed;
  ASSERT_TRUE(::ConvertStringSidToSidW(suite::CurrentUserSid().c_str(), parsed.put()));
  ASSERT_TRUE(::IsValidSid(parsed.get()));
  EXPECT_TRUE(::EqualSid(parsed.get(), tokenSid));

  // And it is not just any SID: the Administrators group's string does not match the user.
  suite::UniqueLocal<PSID> administrators;
  ASSERT_TRUE(::ConvertStringSidToSidW(L"S-1-5-32-544", administrators.put()));
  EXPECT_FALSE(::EqualSid(administrators.get(), tokenSid));
}

}  // namespace
