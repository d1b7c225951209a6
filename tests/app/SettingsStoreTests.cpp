// The per-user task settings against the sandboxed registry.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include "core/SettingsStore.h"
#include "support/RegistrySandbox.h"

namespace {

using app::SettingsStore;

constexpr wchar_t kStartdeck[] = L"Software\\Korvelsoft\\VNTO9\\Startdeck";

class FixedDirections : public app::DirectionSource {
 public:
  std::vector<app::TranslationDirection> Directions() const override {
    return {{1, L"English-German"}, {2, L"German-English"}, {17, L"English-Russian"}};
  }
};

std::wstring Documents() {
  wchar_t buffer[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
  return buffer;
}

class SettingsStoreTest : public test::SandboxedTest {
 protected:
  std::wstring Section(int number) const {
    return std::wstring(kStartdeck) + L"\\" + std::to_wstring(number);
  }
};

TEST_F(SettingsStoreTest, LoadsNumberedSubkeysWithValuesOnly) {
  test::SetString(HKEY_CURRENT_USER, Section(12), L"DictName", L"Computer science");
  test::SetString(HKEY_CURRENT_USER, Section(12), L"TemplateName", L"Business");
  test::CreateKey(HKEY_CURRENT_USER, Section(13));  // a subkey without values is no section
  test::SetString(HKEY_CURRENT_USER, std::wstring(kStartdeck) + L"\\Update", L"DictName", L"not a section");

  SettingsStore store;
  store.Load();
  ASSERT_EQ(store.AllSections().size(), 1u);
  const SettingsStore::Section& twelve = store.AllSections().at(12);
  EXPECT_EQ(twelve.size(), 2u);
  EXPECT_EQ(store.Get(12, SettingsStore::kDictName), L"Computer science");
  EXPECT_EQ(store.Get(12, SettingsStore::kTemplateName), L"Business");
  EXPECT_EQ(store.Get(12, SettingsStore::kTransType), L"");
  EXPECT_EQ(store.Get(13, SettingsStore::kDictName), L"");
  EXPECT_EQ(store.Get(12, 7), L"");
  EXPECT_EQ(store.Get(12, -1), L"");
}

TEST_F(SettingsStoreTest, InitialDirDefaultsToDocuments) {
  SettingsStore missingKey;
  missingKey.Load();
  EXPECT_EQ(missingKey.InitialDir(), Documents());

  test::SetString(HKEY_CURRENT_USER, kStartdeck, L"InitialDir", L"");
  SettingsStore emptyValue;
  emptyValue.Load();
  EXPECT_EQ(emptyValue.InitialDir(), Documents());

  test::SetString(HKEY_CURRENT_USER, kStartdeck, L"InitialDir", L"D:\\Texts");
  SettingsStore stored;
  stored.Load();
  EXPECT_EQ(stored.InitialDir(), L"D:\\Texts");
}

TEST_F(SettingsStoreTest, UpdateFlagReadsDwordOrShortBinaryAndDefaultsToOne) {
  const std::wstring update = L"Software\\Korvelsoft\\VNTO9\\VNTO-PRO\\Update";
  {
    SettingsStore store;
    store.SetProductKey(L"VNTO-PRO");
    store.Load();
    EXPECT_EQ(store.UpdateFlag(), 1u);
  }
  const BYTE two[] = {0x00, 0x00};
  test::SetBinary(HKEY_CURRENT_USER, update, L"GetUpdates", two, sizeof(two));
  {
    SettingsStore store;
    store.SetProductKey(L"VNTO-PRO");
    store.Load();
    EXPECT_EQ(store.UpdateFlag(), 0u);
  }
  const BYTE twoBig[] = {0x34, 0x12};
  test::SetBinary(HKEY_CURRENT_USER, update, L"GetUpdates", twoBig, sizeof(twoBig));
  {
    SettingsStore store;
    store.SetProductKey(L"VNTO-PRO");
    store.Load();
    EXPECT_EQ(store.UpdateFlag(), 0x1234u);
  }
  const BYTE six[] = {0, 0, 0, 0, 0, 0};
  test::SetBinary(HKEY_CURRENT_USER, update, L"GetUpdates", six, sizeof(six));
  {
    SettingsStore store;
    store.SetProductKey(L"VNTO-PRO");
    store.Load();
    EXPECT_EQ(store.UpdateFlag(), 1u);
  }
}

// A flag stored as text (by hand, or by another tool) keeps the number it holds; closing must not
// turn a stored "0" into the default 1, which would switch update checks on.
TEST_F(SettingsStoreTest, UpdateFlagStoredAsTextKeepsItsNumber) {
  const std::wstring update = L"Software\\Korvelsoft\\VNTO9\\VNTO-PRO\\Update";
  const struct {
    const wchar_t* text;
    unsigned expected;
  } cases[] = {
      {L"0", 0},  {L"1", 1},   {L" 0 ", 0}, {L"\t12\t", 12}, {L"4294967295", 0xFFFFFFFF}, {L"", 1},
      {L"no", 1}, {L"0x1", 1}, {L"-1", 1},  {L"1 2", 1},     {L"4294967296", 1},
  };
  for (const auto& c : cases) {
    test::SetString(HKEY_CURRENT_USER, update, L"GetUpdates", c.text);
    SettingsStore store;
    store.SetProductKey(L"VNTO-PRO");
    store.Load();
    EXPECT_EQ(store.UpdateFlag(), c.expected) << "\"" << c.text << "\"";
    store.Save();
    EXPECT_EQ(test::GetDword(HKEY_CURRENT_USER, update, L"GetUpdates"), c.expected) << "\"" << c.text << "\"";
  }
}

TEST_F(SettingsStoreTest, ActivityAddressComesFromTheInstallation) {
  test::SetString(HKEY_LOCAL_MACHINE, L"Software\\Korvelsoft\\VNTO9\\VantoActivity", L"Url",
                  L"http://activity.example/vanto");
  SettingsStore store;
  store.Load();
  EXPECT_EQ(store.ActivityUrl(), L"http://activity.example/vanto");
}

TEST_F(SettingsStoreTest, SaveAndLoadRoundTrip) {
  SettingsStore store;
  store.SetProductKey(L"VNTO-PRO");
  store.SetInitialDir(L"C:\\Users\\me\\Texts");
  store.SetUpdateFlag(0);
  store.Set(11, SettingsStore::kTransType, L"1");
  store.SetDirection(11, SettingsStore::kDirId, 17);
  store.Set(11, SettingsStore::kTemplateName, L"Общий");
  store.Set(9, SettingsStore::kTextEntryName, L"");
  store.Set(23, SettingsStore::kMemBaseName, L"Contracts");
  store.Save();

  EXPECT_EQ(test::GetString(HKEY_CURRENT_USER, Section(11), L"DirID"), L"17");
  EXPECT_EQ(test::GetString(HKEY_CURRENT_USER, kStartdeck, L"InitialDir"), L"C:\\Users\\me\\Texts");
  EXPECT_EQ(
      test::GetDword(HKEY_CURRENT_USER, L"Software\\Korvelsoft\\VNTO9\\VNTO-PRO\\Update", L"GetUpdates"), 0u);

  SettingsStore loaded;
  FixedDirections directions;
  loaded.SetDirectionSource(&directions);
  loaded.SetProductKey(L"VNTO-PRO");
  loaded.Load();
  EXPECT_EQ(loaded.AllSections(), store.AllSections());
  EXPECT_EQ(loaded.InitialDir(), L"C:\\Users\\me\\Texts");
  EXPECT_EQ(loaded.UpdateFlag(), 0u);
  EXPECT_EQ(loaded.Get(11, SettingsStore::kDirId), L"English-Russian");
  EXPECT_EQ(loaded.Get(11, SettingsStore::kTemplateName), L"Общий");
}

TEST_F(SettingsStoreTest, SaveOnlyAddsAndOverwrites) {
  test::SetString(HKEY_CURRENT_USER, Section(10), L"DictName", L"old");
  test::SetString(HKEY_CURRENT_USER, Section(10), L"Foreign", L"kept");
  test::SetString(HKEY_CURRENT_USER, Section(14), L"DictName", L"untouched");
  SettingsStore store;
  store.Set(10, SettingsStore::kDictName, L"new");
  store.Save();
  EXPECT_EQ(test::GetString(HKEY_CURRENT_USER, Section(10), L"DictName"), L"new");
  EXPECT_EQ(test::GetString(HKEY_CURRENT_USER, Section(10), L"Foreign"), L"kept");
  EXPECT_EQ(test::GetString(HKEY_CURRENT_USER, Section(14), L"DictName"), L"untouched");
}

TEST_F(SettingsStoreTest, UpdateFlagWithoutProductKeyLivesUnderTheProductRoot) {
  SettingsStore store;
  store.SetUpdateFlag(0);
  store.Save();
  EXPECT_EQ(test::GetDword(HKEY_CURRENT_USER, L"Software\\Korvelsoft\\VNTO9\\Update", L"GetUpdates"), 0u);
  SettingsStore loaded;
  loaded.Load();
  EXPECT_EQ(loaded.UpdateFlag(), 0u);
}

TEST_F(SettingsStoreTest, DirectionNamesComeFromTheKernelsList) {
  FixedDirections directions;
  SettingsStore store;
  store.SetDirectionSource(&directions);
  store.Set(10, SettingsStore::kDirId, L"2");
  EXPECT_EQ(store.Get(10, SettingsStore::kDirId), L"German-English");
  store.Set(10, SettingsStore::kDirId, L"0");
  EXPECT_EQ(store.Get(10, SettingsStore::kDirId), L"");
  store.Set(10, SettingsStore::kDirId, L"99");
  EXPECT_EQ(store.Get(10, SettingsStore::kDirId), L"");
  store.Set(10, SettingsStore::kDirId, L"");
  EXPECT_EQ(store.Get(10, SettingsStore::kDirId), L"");
  store.Set(10, SettingsStore::kDirId, L"banana");
  EXPECT_EQ(store.Get(10, SettingsStore::kDirId), L"");

  SettingsStore noKernel;
  noKernel.Set(10, SettingsStore::kDirId, L"2");
  EXPECT_EQ(noKernel.Get(10, SettingsStore::kDirId), L"");
}

TEST_F(SettingsStoreTest, SetDirectionOnlyForDirId) {
  SettingsStore store;
  store.SetDirection(10, SettingsStore::kDictName, 5);
  EXPECT_TRUE(store.AllSections().empty());
  store.SetDirection(10, SettingsStore::kDirId, -3);
  EXPECT_EQ(store.AllSections().at(10).at(L"DirID"), L"-3");
  store.Set(10, 9, L"ignored");
  EXPECT_EQ(store.AllSections().at(10).size(), 1u);
}

}  // namespace
