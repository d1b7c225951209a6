// The OpenOffice.org profile files on disk: what a switch-over may read and which language
// folders hold accelerators.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "ScratchDir.h"
#include "switches/OpenOfficeFiles.h"
#include "win/Handle.h"

namespace {

namespace fs = std::filesystem;

// A file that cannot be replaced cannot be merged: reading it for a merge fails, so the switch-over
// fails before it changes anything.
TEST(OooProfileFiles, AFileThatCannotBeReplacedIsNotReadForAMerge) {
  test::ScratchDir scratch;
  const fs::path file = scratch.path() / L"Addons.xcu";
  test::WriteFile(file, "<a/>\r\n");
  std::string bytes;
  ASSERT_TRUE(ooo::ReadProfileFile(file.wstring(), bytes));
  EXPECT_EQ(bytes, "<a/>\r\n");
  {
    const win::UniqueFile held(
        ::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.valid());
    EXPECT_FALSE(ooo::ReadProfileFile(file.wstring(), bytes));
  }
  ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(ooo::ReadProfileFile(file.wstring(), bytes));
  // The suite's templates are only read.
  EXPECT_TRUE(ooo::ReadTemplateFile(file.wstring(), bytes));
  ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(ooo::ReadProfileFile((scratch.path() / L"missing").wstring(), bytes));
}

TEST(OooProfileFiles, EveryPlainLanguageFolderWithCurrentXmlHoldsAccelerators) {
  test::ScratchDir scratch;
  const fs::path root = scratch.path() / L"accelerator";
  for (const wchar_t* language : {L"de", L"en-US", L"fr", L"hidden"}) fs::create_directories(root / language);
  for (const wchar_t* language : {L"de", L"en-US", L"hidden"})
    test::WriteFile(root / language / L"current.xml", "x");
  test::WriteFile(root / L"current.xml", "a file, not a language folder");
  ::SetFileAttributesW((root / L"hidden").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
  std::vector<std::wstring> found;
  for (const ooo::AcceleratorFile& language : ooo::AcceleratorFiles(root.wstring())) {
    EXPECT_EQ(language.file, language.folder + L"\\current.xml");
    found.push_back(fs::path(language.folder).filename().wstring());
  }
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::wstring>{L"de", L"en-US"}));
  EXPECT_TRUE(ooo::AcceleratorFiles((scratch.path() / L"none").wstring()).empty());
}

}  // namespace
