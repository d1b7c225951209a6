#include "MenuFixture.h"

#include <gtest/gtest.h>

#include "profile/ProfileWriter.h"
#include "support/TestPaths.h"
#include "win/Resources.h"

namespace test {

CXCryptedProfileW MakeInf(const InfSections& sections) {
  inf::ProfileDocument document;
  for (const auto& [name, entries] : sections) {
    inf::DocumentSection section{name, {}};
    for (const auto& [key, value] : entries) section.entries.push_back({key, inf::kTypeText, value, 0, {}});
    document.sections.push_back(std::move(section));
  }
  CXCryptedProfileW configuration;
  EXPECT_TRUE(configuration.LoadFromBytes(inf::WriteProfileFile(document, {0x2468, 0x1357, 0x0F0F})));
  return configuration;
}

std::pair<std::wstring, std::vector<std::pair<std::wstring, std::wstring>>> AppList(
    const std::wstring& name, const std::vector<std::wstring>& appIds) {
  std::vector<std::pair<std::wstring, std::wstring>> entries;
  for (const std::wstring& id : appIds) entries.emplace_back(id, L"1");
  return {name, entries};
}

void UseStrings(const wchar_t* language) {
  const std::wstring path = (BinFolder() / (std::wstring(L"StartdeckRes") + language + L".dll")).wstring();
  win::UniqueModule library(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(library) << "StartdeckRes" << ::testing::PrintToString(std::wstring(language))
                       << ".dll is missing from the bin folder";
  win::AdoptResourceModule(std::move(library));
}

void PrintTo(const ListRow& row, std::ostream* out) {
  *out << ::testing::PrintToString(row.title) << " data " << row.data << (row.enabled ? "" : " disabled");
}

void MenuTest::Install(const std::wstring& appId) {
  SetString(HKEY_LOCAL_MACHINE, L"Software\\Korvelsoft\\VNTO9\\Apps", appId,
            L"C:\\Suite\\" + appId + L".exe");
}

void MenuTest::InstallFolder(const std::wstring& appId) {
  SetString(HKEY_LOCAL_MACHINE, L"Software\\Korvelsoft\\VNTO9\\Folders", appId, L"C:\\Suite\\" + appId);
}

}  // namespace test
