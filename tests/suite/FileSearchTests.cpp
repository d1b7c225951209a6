// The tree search and the existence check, on real folders and files.
#include <gtest/gtest.h>

#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include "ChildRoles.h"
#include "FolderLink.h"
#include "support/ScratchDir.h"
#include "suite/FileSearch.h"
#include "win/Handle.h"

namespace {

namespace fs = std::filesystem;

// The entries of `folder` in the order the file system lists them, without "." and "..".
std::vector<std::wstring> Listing(const fs::path& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry{};
  const win::UniqueFind find(::FindFirstFileW((folder / L"*").c_str(), &entry));
  if (!find) return names;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(find.get(), &entry));
  return names;
}

size_t PositionIn(const std::vector<std::wstring>& names, const std::wstring& name) {
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return i;
  return names.size();
}

class FindFileInTree : public ::testing::Test {
 protected:
  [[nodiscard]] std::wstring Root() const { return scratch_.path().wstring(); }
  void File(const std::wstring& relative) { test::WriteFile(scratch_.path() / relative, "x"); }

  test::ScratchDir scratch_;
};

TEST_F(FindFileInTree, FindsAFolderTwoLevelsDownIgnoringCase) {
  scratch_.Folder(L"Apps\\Office\\Plugins");
  scratch_.Folder(L"Apps\\Other");
  std::wstring name = L"plugins";
  ASSERT_TRUE(suite::FindFileInTree(Root(), name));
  EXPECT_EQ(name, Root() + L"\\Apps\\Office\\Plugins") << "the folder's own spelling, in full";
}

TEST_F(FindFileInTree, FindsAFileAsWellAsAFolder) {
  scratch_.Folder(L"docs\\en");
  File(L"docs\\en\\ReadMe.TXT");
  std::wstring name = L"README.txt";
  ASSERT_TRUE(suite::FindFileInTree(Root(), name));
  EXPECT_EQ(name, Root() + L"\\docs\\en\\ReadMe.TXT");
}

TEST_F(FindFileInTree, TheSubtreeListedFirstWinsEvenWhenItsMatchLiesDeeper) {
  // Made in one order; the file system decides the order the search sees.
  scratch_.Folder(L"beta\\Plugins");
  scratch_.Folder(L"Alpha\\one\\two\\PLUGINS");
  const std::vector<std::wstring> top = Listing(scratch_.path());
  ASSERT_EQ(top.size(), 2u);
  const bool alphaFirst = PositionIn(top, L"Alpha") < PositionIn(top, L"beta");
  std::wcout << L"[ listing  ] " << top[0] << L", " << top[1] << std::endl;

  std::wstring name = L"plugins";
  ASSERT_TRUE(suite::FindFileInTree(Root(), name));
  EXPECT_EQ(name, alphaFirst ? Root() + L"\\Alpha\\one\\two\\PLUGINS" : Root() + L"\\beta\\Plugins");
}

TEST_F(FindFileInTree, AnEntryListedBeforeASubtreeWinsOverAMatchInside) {
  // The search compares each entry's name before it goes into the entry.
  scratch_.Folder(L"Plugins\\inner\\plugins");
  std::wstring name = L"plugins";
  ASSERT_TRUE(suite::FindFileInTree(Root(), name));
  EXPECT_EQ(name, Root() + L"\\Plugins");
}

TEST_F(FindFileInTree, ASeparatorAtTheFolderEndIsNotDoubled) {
  scratch_.Folder(L"a\\Target");
  for (const std::wstring& folder : {Root() + L"\\", Root() + L"/"}) {
    std::wstring name = L"target";
    ASSERT_TRUE(suite::FindFileInTree(folder, name)) << folder;
    EXPECT_EQ(name, folder + L"a\\Target");
  }
}

TEST_F(FindFileInTree, NoMatchLeavesTheNameAsItWas) {
  scratch_.Folder(L"a\\b\\c");
  File(L"a\\b\\plugins.txt");  // a longer name is no match
  const std::vector<std::pair<std::wstring, std::wstring>> cases = {
      {Root(), L"plugins"},
      {Root(), L"."},
      {Root(), L".."},
      {Root() + L"\\missing", L"c"},                      // a folder that does not exist
      {Root() + L"\\a\\b\\plugins.txt", L"plugins.txt"},  // a file is no folder to search
  };
  for (const auto& [folder, wanted] : cases) {
    std::wstring name = wanted;
    EXPECT_FALSE(suite::FindFileInTree(folder, name)) << folder << L" / " << wanted;
    EXPECT_EQ(name, wanted);
  }
}

TEST_F(FindFileInTree, ALinkedFolderIsMatchedButNotSearched) {
  // a\back leads back to the root: searched, it would loop, and would reach b\OnlyInB.
  scratch_.Folder(L"a");
  scratch_.Folder(L"b\\OnlyInB");
  const fs::path link = scratch_.path() / L"a" / L"back";
  // Removed before the scratch folder is cleaned, so that the cleaning never walks through it.
  struct LinkRemover {
    fs::path link;
    ~LinkRemover() { suitetest::RemoveFolderLink(link); }
  } remover{link};
  const std::wstring why = suitetest::MakeFolderLink(link, scratch_.path());
  if (!why.empty())
    GTEST_SKIP() << "no folder link can be made here: " << std::string(why.begin(), why.end());

  std::wstring name = L"onlyinb";
  EXPECT_FALSE(suite::FindFileInTree(Root() + L"\\a", name));
  EXPECT_EQ(name, L"onlyinb");
  name = L"nothing-by-this-name";
  EXPECT_FALSE(suite::FindFileInTree(Root(), name));
  name = L"BACK";
  ASSERT_TRUE(suite::FindFileInTree(Root(), name));
  EXPECT_EQ(name, Root() + L"\\a\\back");
  EXPECT_TRUE(suitetest::RemoveFolderLink(link));
  EXPECT_TRUE(fs::exists(scratch_.path() / L"b" / L"OnlyInB")) << "removing the link left its target";
}

TEST_F(FindFileInTree, SeveralNamesInOneWalkAnswerAsEachSearchOnItsOwn) {
  scratch_.Folder(L"Office\\x86");
  File(L"Office\\x86\\Quillet8.DLL");
  File(L"Office\\EasyQuillet8.dll");
  scratch_.Folder(L"VNTOED");
  // A path look-up would take "." for the folder itself and drop a trailing dot; a listing does not.
  const std::vector<std::wstring> names = {L"quillet8.dll", L"vntoed", L"edsetup.dll", L"EASYQUILLET8.DLL",
                                           L"x86",          L".",      L"x86.",        L"Quillet8.dll"};
  const std::vector<bool> expected = {true, true, false, true, true, false, false, true};
  EXPECT_EQ(suite::FindFilesInTree(Root(), names), expected);
  for (size_t i = 0; i < names.size(); ++i) {
    std::wstring name = names[i];
    EXPECT_EQ(suite::FindFileInTree(Root(), name), expected[i]) << names[i];
  }
  EXPECT_EQ(suite::FindFilesInTree(Root() + L"\\missing", names), std::vector<bool>(names.size(), false));
  EXPECT_TRUE(suite::FindFilesInTree(Root(), {}).empty());
}

class PathExists : public ::testing::Test {
 protected:
  test::ScratchDir scratch_;
};

TEST_F(PathExists, AnOpenableFileExists) {
  const fs::path file = scratch_.path() / L"present.txt";
  test::WriteFile(file, "x");
  bool exists = false;
  EXPECT_TRUE(suite::PathExists(file.wstring(), exists));
  EXPECT_TRUE(exists);
}

TEST_F(PathExists, WhatIsNotThereDoesNotExistAndLeavesTheFlag) {
  const std::wstring cases[] = {
      (scratch_.path() / L"missing.txt").wstring(),
      (scratch_.path() / L"no-folder" / L"missing.txt").wstring(),
      L"",
  };
  for (const std::wstring& path : cases) {
    bool exists = false;
    EXPECT_FALSE(suite::PathExists(path, exists)) << path;
    EXPECT_FALSE(exists) << path;
  }
}

TEST_F(PathExists, AFolderCannotBeOpenedButExists) {
  // Opened as a file, a folder is refused with access denied (5), under Wine as on Windows.
  const fs::path folder = scratch_.Folder(L"plug_ins");
  const win::UniqueFile direct(::CreateFileW(folder.c_str(), GENERIC_READ | GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                             nullptr));
  EXPECT_FALSE(direct.valid());
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  bool exists = false;
  EXPECT_TRUE(suite::PathExists(folder.wstring(), exists));
  EXPECT_TRUE(exists);
}

TEST_F(PathExists, AReadOnlyFileExists) {
  // Windows refuses write access to it (5); Wine run by the Unix root user opens it. Either way it
  // exists.
  const fs::path file = scratch_.path() / L"read-only.txt";
  test::WriteFile(file, "x");
  ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
  bool exists = false;
  EXPECT_TRUE(suite::PathExists(file.wstring(), exists));
  EXPECT_TRUE(exists);
  ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(PathExists, AFileHeldOpenExclusivelyByAnotherProgramExists) {
  const fs::path file = scratch_.path() / L"held.txt";
  test::WriteFile(file, "x");
  test::Process holder;
  ASSERT_TRUE(suitetest::StartExclusiveHolder(file, holder)) << "exit code " << holder.ExitCode();

  // What the open itself answers: a sharing violation (32), under Wine as on Windows; not one of
  // the access errors, so the check has to count it separately.
  const win::UniqueFile direct(::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                             nullptr));
  EXPECT_FALSE(direct.valid());
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));

  bool exists = false;
  EXPECT_TRUE(suite::PathExists(file.wstring(), exists));
  EXPECT_TRUE(exists);

  holder.Terminate();
  ASSERT_TRUE(holder.WaitForExit(std::chrono::seconds(30)));
  exists = false;
  EXPECT_TRUE(suite::PathExists(file.wstring(), exists)) << "released, it opens normally";
  EXPECT_TRUE(exists);
}

// The find-handle owner: an open search keeps its folder from being removed until the owner goes.
TEST_F(FindFileInTree, TheFindOwnerClosesItsSearch) {
  const fs::path folder = scratch_.Folder(L"searched");
  WIN32_FIND_DATAW entry{};
  win::UniqueFind find(::FindFirstFileW((folder / L"*").c_str(), &entry));
  ASSERT_TRUE(find.valid());
  EXPECT_FALSE(::RemoveDirectoryW(folder.c_str())) << "searched right now";
  win::UniqueFind moved = std::move(find);
  EXPECT_FALSE(find.valid());
  moved.reset();
  EXPECT_TRUE(::RemoveDirectoryW(folder.c_str())) << ::GetLastError();

  const win::UniqueFind missing(::FindFirstFileW((folder / L"*").c_str(), &entry));
  EXPECT_FALSE(missing.valid()) << "a failed search has nothing to close";
}

}  // namespace
