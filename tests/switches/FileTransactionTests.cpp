// Changes to a host's files that take effect together or not at all, on real files: what a kept
// transaction leaves, and that every failure, at any step, leaves the folder byte-identical.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "ScratchDir.h"
#include "switches/FileTransaction.h"
#include "win/Handle.h"

namespace {

namespace fs = std::filesystem;

// Every file and folder below a folder: relative name -> bytes ("<folder>" for a folder).
using Tree = std::map<std::wstring, std::string>;

Tree Snapshot(const fs::path& root) {
  Tree tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::wstring name = fs::relative(entry.path(), root).wstring();
    tree[name] = entry.is_directory() ? std::string("<folder>") : test::ReadFile(entry.path());
  }
  return tree;
}

win::UniqueFile HoldOpen(const fs::path& file) {
  return win::UniqueFile(::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

class FileTransactionTest : public testing::Test {
 protected:
  FileTransactionTest() : root_(scratch_.Folder(L"host")) { Fill(root_); }

  static void Fill(const fs::path& root) {
    test::WriteFile(root / L"settings.xml", "old settings\r\n");
    test::WriteFile(root / L"plugin.dll", "old plug-in");
    test::WriteFile(root / L"source.bin", "the suite's file");
  }

  // Stages the changes a switch makes: a rewrite, a new file in a new folder, a copy over an
  // existing file and a removal.
  void Stage(switches::FileTransaction& t) {
    ASSERT_TRUE(t.Write(P(L"settings.xml"), "new settings\n", P(L"settingsTemp.xml")));
    t.CreateFolder(P(L"Plugins\\Suite"));
    ASSERT_TRUE(t.Write(P(L"Plugins\\Suite\\entry.txt"), "entry", P(L"Plugins\\Suite\\entry.tmp")));
    ASSERT_TRUE(t.Copy(P(L"source.bin"), P(L"copy.bin"), P(L"copy.bin.tmp")));
    ASSERT_TRUE(t.Remove(P(L"plugin.dll")));
  }

  [[nodiscard]] std::wstring P(const wchar_t* name) const { return (root_ / name).wstring(); }

  test::ScratchDir scratch_;
  fs::path root_;
};

TEST_F(FileTransactionTest, KeptChangesAreAllInPlaceAndNothingElseStays) {
  switches::FileTransaction t;
  Stage(t);
  // Staging alone changes nothing the host reads.
  EXPECT_EQ(test::ReadFile(root_ / L"settings.xml"), "old settings\r\n");
  EXPECT_TRUE(fs::exists(root_ / L"plugin.dll"));
  ASSERT_TRUE(t.Apply());
  t.Keep();
  const Tree expected = {
      {L"Plugins", "<folder>"},
      {L"Plugins\\Suite", "<folder>"},
      {L"Plugins\\Suite\\entry.txt", "entry"},
      {L"copy.bin", "the suite's file"},
      {L"settings.xml", "new settings\n"},
      {L"source.bin", "the suite's file"},
  };
  EXPECT_EQ(Snapshot(root_), expected);
}

TEST_F(FileTransactionTest, AFailureAtAnyStepOrNoKeepLeavesTheFolderAsItWas) {
  struct Case {
    const char* name;
    // Injected after staging, before Apply; returns what must stay alive while applying.
    std::function<std::optional<win::UniqueFile>(const fs::path&)> fault;
    bool applies;  // Apply succeeds, and the transaction ends without Keep
  };
  const Case cases[] = {
      {"rewritten file held open", [](const fs::path& r) { return HoldOpen(r / L"settings.xml"); }, false},
      {"removed file held open", [](const fs::path& r) { return HoldOpen(r / L"plugin.dll"); }, false},
      {"copied-over file held open",
       [](const fs::path& r) {
         test::WriteFile(r / L"copy.bin", "the user's copy");
         return HoldOpen(r / L"copy.bin");
       },
       false},
      {"folder blocked by a file",
       [](const fs::path& r) {
         test::WriteFile(r / L"Plugins", "a file where the folder goes");
         return std::optional<win::UniqueFile>();
       },
       false},
      {"rewritten file made read-only",
       [](const fs::path& r) {
         ::SetFileAttributesW((r / L"settings.xml").c_str(), FILE_ATTRIBUTE_READONLY);
         return std::optional<win::UniqueFile>();
       },
       false},
      {"applied but never kept", [](const fs::path&) { return std::optional<win::UniqueFile>(); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::ScratchDir scratch;
    root_ = scratch.Folder(L"host");
    Fill(root_);
    std::optional<switches::FileTransaction> t(std::in_place);
    Stage(*t);
    const std::optional<win::UniqueFile> held = c.fault(root_);
    Tree before = Snapshot(root_);
    // The temporary files of the staged writes are the transaction's own.
    for (const wchar_t* temp : {L"settingsTemp.xml", L"copy.bin.tmp", L"Plugins\\Suite\\entry.tmp"})
      before.erase(temp);
    EXPECT_EQ(t->Apply(), c.applies);
    t.reset();
    EXPECT_EQ(Snapshot(root_), before);
    ::SetFileAttributesW((root_ / L"settings.xml").c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

TEST_F(FileTransactionTest, ReadOnlyFilesAreRefusedWhenStaged) {
  ::SetFileAttributesW((root_ / L"settings.xml").c_str(), FILE_ATTRIBUTE_READONLY);
  switches::FileTransaction t;
  EXPECT_FALSE(t.Write(P(L"settings.xml"), "new", P(L"settingsTemp.xml")));
  EXPECT_FALSE(t.Copy(P(L"source.bin"), P(L"settings.xml"), P(L"settingsTemp.xml")));
  EXPECT_FALSE(t.Remove(P(L"settings.xml")));
  EXPECT_FALSE(fs::exists(root_ / L"settingsTemp.xml"));
  ::SetFileAttributesW((root_ / L"settings.xml").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileTransactionTest, AFolderWithAUsersFileAndAnOriginalLeftByAnEarlierRunStay) {
  fs::create_directories(root_ / L"Suite");
  test::WriteFile(root_ / L"Suite\\ours.api", "ours");
  test::WriteFile(root_ / L"Suite\\mine.txt", "the user's");
  fs::create_directories(root_ / L"Empty");
  test::WriteFile(root_ / L"Empty\\ours.api", "ours");
  // An earlier run that never ended left an original aside: it is never overwritten.
  test::WriteFile(root_ / L"settings.xml.vanto-undo", "left by an earlier run");

  switches::FileTransaction t;
  ASSERT_TRUE(t.Remove(P(L"Suite\\ours.api")));
  t.RemoveFolderIfEmpty(P(L"Suite"));
  ASSERT_TRUE(t.Remove(P(L"Empty\\ours.api")));
  t.RemoveFolderIfEmpty(P(L"Empty"));
  ASSERT_TRUE(t.Write(P(L"settings.xml"), "new", P(L"settingsTemp.xml")));
  ASSERT_TRUE(t.Apply());
  t.Keep();

  EXPECT_EQ(test::ReadFile(root_ / L"Suite\\mine.txt"), "the user's");
  EXPECT_FALSE(fs::exists(root_ / L"Suite\\ours.api"));
  EXPECT_FALSE(fs::exists(root_ / L"Empty"));
  EXPECT_EQ(test::ReadFile(root_ / L"settings.xml.vanto-undo"), "left by an earlier run");
  EXPECT_EQ(test::ReadFile(root_ / L"settings.xml"), "new");
  EXPECT_FALSE(fs::exists(root_ / L"settings.xml.vanto-undo2"));
}

}  // namespace
