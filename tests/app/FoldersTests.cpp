// The suite's machine-wide data folder.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include "core/Folders.h"
#include "support/RegistrySandbox.h"

namespace {

TEST(SuiteDataFolder, AppendsTheSuiteSubpathOnce) {
  const struct {
    const wchar_t* base;
    const wchar_t* expected;
  } cases[] = {
      {L"C:\\ProgramData", L"C:\\ProgramData\\Korvelsoft\\VNTO\\9.0\\"},
      {L"C:\\ProgramData\\", L"C:\\ProgramData\\Korvelsoft\\VNTO\\9.0\\"},
      {L"D:\\Data\\korvelsoft\\vnto\\9.0\\", L"D:\\Data\\korvelsoft\\vnto\\9.0\\"},
      {L"D:\\Data\\KORVELSOFT\\VNTO\\9.0", L"D:\\Data\\KORVELSOFT\\VNTO\\9.0\\"},
      {L"E:\\Korvelsoft\\VNTO\\9.0\\Extra", L"E:\\Korvelsoft\\VNTO\\9.0\\Extra\\"},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(app::SuiteDataFolderUnder(c.base), c.expected) << c.base;
}

TEST(SuiteDataFolder, LiesUnderTheCommonApplicationDataFolder) {
  test::RegistrySandbox registry;
  wchar_t common[MAX_PATH] = {};
  ASSERT_TRUE(
      SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common)));
  EXPECT_EQ(app::SharedDataFolder(), std::wstring(common) + L"\\Korvelsoft\\VNTO\\9.0\\");
}

}  // namespace
