// Host programs' copies of the substitute read the hand-off record under their host key, not
// under their file title.
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <memory>
#include <vector>

#include "SubstituteHarness.h"
#include "SuiteAppIds.h"
#include "support/Driver.h"
#include "support/ScratchDir.h"

namespace {

using namespace std::chrono_literals;
using test::ScopedRegistryValue;
using test::SubstituteRun;

struct HostCase {
  std::wstring executable;
  std::wstring key;
  std::wstring name;
};

std::string HostCaseName(const testing::TestParamInfo<HostCase>& param) {
  std::string name;
  for (wchar_t c : param.param.executable) {
    if (c == L'.') break;
    name += static_cast<char>(c);
  }
  return name;
}

void PrintTo(const HostCase& c, std::ostream* out) {
  *out << test::Utf8(c.executable);
}

class SuiteAppHost : public testing::TestWithParam<HostCase> {};

TEST_P(SuiteAppHost, ReadsTheHandOffRecordOfItsHostKey) {
  const HostCase& c = GetParam();
  test::ScratchDir scratch;
  const auto journal = scratch.path() / L"journal.log";
  test::ScopedJournal journalHere(journal);
  const std::wstring handOff = L"D=3;T=General;U=\"C:\\Docs\\report one.doc\"";
  ScopedRegistryValue record(HKEY_CURRENT_USER, test::kRunningKey, c.key, handOff);
  // A record under the file title must not be taken for the host's.
  const std::wstring title = c.executable.substr(0, c.executable.find(L'.'));
  std::optional<ScopedRegistryValue> decoy;
  if (_wcsicmp(title.c_str(), c.key.c_str()) != 0)
    decoy.emplace(HKEY_CURRENT_USER, test::kRunningKey, title, L"S=not for this host");
  const auto program = test::CopySubstituteAs(scratch.path(), c.executable);

  SubstituteRun host;
  ASSERT_TRUE(host.Start(program, L"\"C:\\Docs\\report one.doc\""));
  HWND window = test::WaitForSubstituteWindow(host.Id(), c.name);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(test::ControlText(window, IDC_RECORD), handOff);
  test::Click(::GetDlgItem(window, IDCANCEL));
  ASSERT_TRUE(host.WaitForExit(10s));
  EXPECT_EQ(host.ExitCode(), 0u);

  const auto lines = test::JournalLinesOf(journal, host.Id());
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(lines[0].size(), 7u);
  EXPECT_EQ(lines[0][1], c.executable);
  EXPECT_EQ(lines[0][2], c.key);
  EXPECT_EQ(lines[0][3], host.CommandLine());
  EXPECT_EQ(lines[0][5], handOff);
  EXPECT_EQ(test::ReadRegistryText(HKEY_CURRENT_USER, test::kRunningKey, c.key), handOff);
}

INSTANTIATE_TEST_SUITE_P(Hosts, SuiteAppHost,
                         testing::Values(HostCase{L"winword.exe", L"Word", L"Microsoft Word"},
                                         HostCase{L"outlook.exe", L"Outlook", L"Microsoft Outlook"},
                                         HostCase{L"excel.exe", L"Excel", L"Microsoft Excel"},
                                         HostCase{L"powerpnt.exe", L"PowerPoint", L"Microsoft PowerPoint"},
                                         HostCase{L"Acrobat.exe", L"Acrobat", L"Adobe Acrobat"},
                                         HostCase{L"AcroRD32.exe", L"Acrobat", L"Adobe Reader"},
                                         HostCase{L"firefox.exe", L"FireFox", L"Mozilla Firefox"},
                                         HostCase{L"soffice.exe", L"OpenOffice", L"OpenOffice"},
                                         HostCase{L"WINWORD.EXE", L"Word", L"Microsoft Word"}),
                         HostCaseName);

struct LocalFreeDeleter {
  void operator()(void* memory) const noexcept { ::LocalFree(memory); }
};

std::wstring CurrentUserSid() {
  win::UniqueHandle token;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.put())) return {};
  DWORD size = 0;
  ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  std::vector<unsigned char> buffer(size);
  if (size == 0 || !::GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
  wchar_t* raw = nullptr;
  if (!::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &raw)) return {};
  const std::unique_ptr<wchar_t, LocalFreeDeleter> sid(raw);
  return sid.get();
}

// Internet Explorer's add-in runs in protected mode and finds its record in the per-SID key that
// protected mode gives it as HKCU; the start centre writes it there, not in the real HKCU.
TEST(SuiteAppHost, InternetExplorerReadsTheProtectedModeRecord) {
  const std::wstring sid = CurrentUserSid();
  ASSERT_FALSE(sid.empty());
  const std::wstring virtualRoot = sid + L"\\Software\\Microsoft\\Internet Explorer\\InternetRegistry";
  // Removes the protected-mode keys afterwards when this test made them.
  struct RemoveIfNew {
    std::wstring path;
    bool existed;
    ~RemoveIfNew() {
      if (!existed) ::RegDeleteTreeW(HKEY_USERS, path.c_str());
    }
  };
  win::UniqueKey existing;
  const RemoveIfNew cleanup{virtualRoot, ::RegOpenKeyExW(HKEY_USERS, virtualRoot.c_str(), 0, KEY_READ,
                                                         existing.put()) == ERROR_SUCCESS};
  existing.reset();
  const std::wstring protectedRunning = virtualRoot + L"\\REGISTRY\\USER\\" + sid + L"\\" + test::kRunningKey;

  test::ScratchDir scratch;
  const auto journal = scratch.path() / L"journal.log";
  test::ScopedJournal journalHere(journal);
  const std::wstring handOff = L"D=1;T=General;U=http://www.example.com/";
  ScopedRegistryValue real(HKEY_CURRENT_USER, test::kRunningKey, L"VntoIE", L"S=not in protected mode");
  ScopedRegistryValue seen(HKEY_USERS, protectedRunning, L"VntoIE", handOff);
  const auto program = test::CopySubstituteAs(scratch.path(), L"iexplore.exe");
  SubstituteRun browser;
  ASSERT_TRUE(browser.Start(program, L"http://www.example.com/"));
  HWND window = test::WaitForSubstituteWindow(browser.Id(), L"Microsoft Internet Explorer");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(test::ControlText(window, IDC_RECORD_LOCATION), L"HKU\\" + protectedRunning + L"\\VntoIE");
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(browser.WaitForExit(10s));

  const auto lines = test::JournalLinesOf(journal, browser.Id());
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(lines[0].size(), 7u);
  EXPECT_EQ(lines[0][2], L"VntoIE");
  EXPECT_EQ(lines[0][5], handOff);
  EXPECT_EQ(test::ReadRegistryText(HKEY_USERS, protectedRunning, L"VntoIE"), handOff);
}

}  // namespace
