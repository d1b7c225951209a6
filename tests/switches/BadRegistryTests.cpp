// Host registrations as a damaged or foreign registry holds them: subkey names of 255 characters,
// values of the wrong type or size, paths that lead nowhere, keys missing on the way. Every switch
// still finds the sound installations beside them, lists nothing it cannot use, and the plug-in
// table loads.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "OfficeTestSupport.h"
#include "support/RegistrySandbox.h"
#include "support/ScratchDir.h"
#include "switches/PluginTable.h"

namespace officetest {
namespace {

namespace fs = std::filesystem;

// One value to plant below a key: its name, type and bytes.
struct Planted {
  const wchar_t* name;
  DWORD type;
  std::string bytes;
};

std::string Utf16(const std::wstring& text, bool terminated = true) {
  std::string bytes(reinterpret_cast<const char*>(text.c_str()), text.size() * sizeof(wchar_t));
  if (terminated) bytes.append(2, '\0');
  return bytes;
}

void Plant(HKEY root, const std::wstring& key, const std::wstring& name, DWORD type,
           const std::string& bytes) {
  HKEY raw = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr),
            ERROR_SUCCESS)
      << testing::PrintToString(key);
  const win::UniqueKey opened(raw);
  ASSERT_EQ(::RegSetValueExW(opened.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
}

// A version key name of 255 characters that starts like a real one.
std::wstring Long(const wchar_t* start) {
  std::wstring name = start;
  name.resize(255, L'7');
  return name;
}

class BadRegistryTest : public ::testing::Test {
 protected:
  EnglishStrings strings_;
  test::RegistrySandbox registry_;
  test::ScratchDir scratch_;
};

TEST_F(BadRegistryTest, DamagedRegistrationsAreSkippedAndTheSoundOnesBesideThemFound) {
  const fs::path reader = scratch_.Folder(L"Reader");
  fs::create_directories(reader / L"plug_ins");
  const fs::path firefox = scratch_.Folder(L"Firefox");
  fs::create_directories(firefox / L"extensions");
  const std::wstring nowhere = (scratch_.path() / L"not installed").wstring();
  const std::string dword(4, '\x05');

  constexpr wchar_t kAdobeKey[] = L"SOFTWARE\\Adobe\\";
  constexpr wchar_t kFirefox[] = L"SOFTWARE\\Mozilla\\Mozilla Firefox\\";
  constexpr wchar_t kOffice[] = L"Software\\Microsoft\\Office\\";
  constexpr wchar_t kOpenOffice[] = L"SOFTWARE\\OpenOffice.org\\OpenOffice.org\\";
  const std::vector<std::pair<std::wstring, Planted>> planted = {
      // sound: Reader 9.0 and Firefox 3.5
      {std::wstring(kAdobeKey) + L"Acrobat Reader\\9.0\\InstallPath", {L"", REG_SZ, Utf16(reader.wstring())}},
      {std::wstring(kFirefox) + L"3.5\\Main",
       {L"Install Directory", REG_SZ, Utf16(firefox.wstring() + L"\\")}},
      // damaged
      {std::wstring(kAdobeKey) + L"Acrobat Reader\\" + Long(L"8.") + L"\\InstallPath",
       {L"", REG_SZ, Utf16(nowhere)}},
      {std::wstring(kAdobeKey) + L"Adobe Acrobat\\7.0\\InstallPath", {L"", REG_DWORD, dword}},
      {std::wstring(kAdobeKey) + L"Adobe Acrobat\\6.0\\InstallPath", {L"", REG_BINARY, "abc"}},
      {std::wstring(kAdobeKey) + L"Adobe Acrobat\\8.0\\InstallPath",
       {L"", REG_SZ, Utf16(reader.wstring(), false) + "x"}},  // odd size, no terminator
      {std::wstring(kAdobeKey) + L"Adobe Acrobat\\9.0", {L"Other", REG_SZ, Utf16(L"no InstallPath key")}},
      {std::wstring(kFirefox) + Long(L"3.") + L"\\Main", {L"Install Directory", REG_SZ, Utf16(nowhere)}},
      {std::wstring(kFirefox) + L"2.0\\Main", {L"Install Directory", REG_DWORD, dword}},
      {std::wstring(kFirefox) + L"1.5", {L"Other", REG_MULTI_SZ, Utf16(L"a") + Utf16(L"")}},
      {std::wstring(kOffice) + Long(L"12.") + L"\\Word\\InstallRoot", {L"Path", REG_DWORD, dword}},
      {std::wstring(kOffice) + L"11.0\\Word\\InstallRoot", {L"Path", REG_BINARY, "\x01\x02\x03"}},
      {std::wstring(kOffice) + L"12.0\\Excel\\InstallRoot", {L"Path", REG_SZ, Utf16(nowhere)}},
      {std::wstring(L"SOFTWARE\\Microsoft\\Internet Explorer"), {L"Version", REG_BINARY, "8.0"}},
      {std::wstring(kOpenOffice) + Long(L"4."), {L"Path", REG_DWORD, dword}},
      {std::wstring(L"SOFTWARE\\Korvelsoft\\VNTO9\\Folders"), {L"Acrobat", REG_DWORD, dword}},
  };
  for (const auto& [key, value] : planted) {
    Plant(HKEY_LOCAL_MACHINE, key, value.name, value.type, value.bytes);
    if (HasFatalFailure()) return;
  }

  // What each switch lists, with the state it reads.
  std::map<std::wstring, std::vector<std::pair<std::wstring, int>>> found;
  for (auto& [key, created] : switches::MakeSuiteSwitches()) {
    created->CollectPlugins();
    (void)created->IsPackagePresent();
    switches::PluginList records;
    created->GetPlugins(records);
    for (const auto& record : records) found[key].emplace_back(record.displayName, record.state);
  }
  // A value without its terminator still names a usable folder; a Firefox key the scan accepts by its
  // first characters is listed off, as any whose folder is gone; Internet Explorer's key is there,
  // its version is not text. Nothing of Office's or OpenOffice.org's damaged keys is listed.
  const std::map<std::wstring, std::vector<std::pair<std::wstring, int>>> expected = {
      {L"Acrobat", {{L"Adobe Reader 9.0", 0}, {L"Adobe Acrobat 8.0", 0}}},
      {L"FireFox", {{L"Mozilla Firefox 3.5", 0}, {L"Mozilla Firefox " + Long(L"3."), 0}}},
      {L"VntoIE", {{L"Internet Explorer ", 0}}},
  };
  EXPECT_EQ(found, expected);

  switches::PluginTable table;
  table.LoadSwitches();  // no add-in files anywhere: nothing is active, and nothing breaks
  EXPECT_TRUE(table.Active().empty());
}

}  // namespace
}  // namespace officetest
