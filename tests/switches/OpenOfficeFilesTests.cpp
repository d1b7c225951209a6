// The OpenOffice.org profile merges on real files in a scratch profile: what each merge leaves on
// disk, the temporary files, several accelerator languages, and failures that must leave every
// file as it was.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ProfileFiles.h"
#include "ScratchDir.h"
#include "switches/OpenOfficeFiles.h"

namespace {

namespace fs = std::filesystem;
namespace f = ooo::files;

std::string Crlf(std::string_view lf) {
  std::string out;
  for (char c : lf) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// A user profile's folders and the suite's templates, in one scratch folder.
class OooProfile : public testing::Test {
 protected:
  OooProfile()
      : office_(scratch_.Folder(L"profile\\registry\\data\\org\\openoffice\\Office")),
        ui_(office_ / L"UI"),
        accel_(scratch_.Folder(L"profile\\config\\soffice.cfg\\modules\\swriter\\accelerator")),
        suite_(scratch_.Folder(L"OOInst")) {
    test::WriteFile(suite_ / L"Addons.xcu", std::string(f::kAddonsTemplate));
    test::WriteFile(suite_ / L"WriterWindowState.xcu", std::string(f::kWindowStateTemplate));
    test::WriteFile(suite_ / L"Accel.xml", std::string(f::kAccelTemplate));
  }

  [[nodiscard]] std::wstring Template(const wchar_t* name) const { return (suite_ / name).wstring(); }
  // The folder's file names, to see that no temporary file stays behind.
  [[nodiscard]] static std::wstring Names(const fs::path& folder) {
    std::wstring names;
    for (const auto& e : fs::directory_iterator(folder)) names += e.path().filename().wstring() + L" ";
    return names;
  }

  test::ScratchDir scratch_;
  fs::path office_, ui_, accel_, suite_;
};

TEST_F(OooProfile, EnableThenDisableRewritesEachFileInPlace) {
  test::WriteFile(office_ / L"Addons.xcu", std::string(f::kAddonsFull));
  fs::create_directories(ui_);
  test::WriteFile(ui_ / L"WriterWindowState.xcu", std::string(f::kWindowState));

  ASSERT_TRUE(ooo::MergeAddonsFile(true, office_.wstring(), Template(L"Addons.xcu")));
  ASSERT_TRUE(ooo::MergeWindowStateFile(true, ui_.wstring(), Template(L"WriterWindowState.xcu")));
  const std::string addons = test::ReadFile(office_ / L"Addons.xcu");
  EXPECT_NE(addons.find(R"(<node oor:name="VANTO.Translate")"), std::string::npos);
  EXPECT_NE(test::ReadFile(ui_ / L"WriterWindowState.xcu").find("addon_VANTO.Translate"), std::string::npos);
  // Enabling again leaves a merged Addons.xcu alone.
  ASSERT_TRUE(ooo::MergeAddonsFile(true, office_.wstring(), Template(L"Addons.xcu")));
  EXPECT_EQ(test::ReadFile(office_ / L"Addons.xcu"), addons);

  ASSERT_TRUE(ooo::MergeAddonsFile(false, office_.wstring(), Template(L"Addons.xcu")));
  ASSERT_TRUE(ooo::MergeWindowStateFile(false, ui_.wstring(), Template(L"WriterWindowState.xcu")));
  EXPECT_EQ(test::ReadFile(office_ / L"Addons.xcu"), Crlf(f::kAddonsFull));
  EXPECT_EQ(test::ReadFile(ui_ / L"WriterWindowState.xcu"), Crlf(f::kWindowState));
  EXPECT_EQ(Names(office_), L"Addons.xcu UI ");
  EXPECT_EQ(Names(ui_), L"WriterWindowState.xcu ");
}

TEST_F(OooProfile, EnableWithoutTheFileCopiesTheTemplate) {
  const fs::path fresh = scratch_.path() / L"new\\Office";  // not there yet
  ASSERT_TRUE(ooo::MergeAddonsFile(true, fresh.wstring(), Template(L"Addons.xcu")));
  EXPECT_EQ(test::ReadFile(fresh / L"Addons.xcu"), f::kAddonsTemplate);
  ASSERT_TRUE(ooo::MergeWindowStateFile(true, (fresh / L"UI").wstring(), Template(L"WriterWindowState.xcu")));
  EXPECT_EQ(test::ReadFile(fresh / L"UI\\WriterWindowState.xcu"), f::kWindowStateTemplate);
  // Disabling needs the file.
  EXPECT_FALSE(ooo::MergeWindowStateFile(false, office_.wstring(), Template(L"WriterWindowState.xcu")));
}

TEST_F(OooProfile, EveryLanguagesAcceleratorsAreMerged) {
  const std::string languages[] = {"en-US", "de"};
  for (const std::string& l : languages) {
    fs::create_directories(accel_ / l);
    test::WriteFile(accel_ / l / "current.xml", std::string(f::kCurrentXml));
  }
  fs::create_directories(accel_ / L"fr");  // a language folder without current.xml is passed over
  test::WriteFile(accel_ / L"current.xml", "not a language folder");

  ASSERT_TRUE(ooo::MergeAcceleratorFiles(true, accel_.wstring(), Template(L"Accel.xml")));
  for (const std::string& l : languages) {
    const std::string merged = test::ReadFile(accel_ / l / "current.xml");
    EXPECT_NE(merged.find("Vanto.Module1.TranslateSel"), std::string::npos) << l;
    EXPECT_EQ(Names(accel_ / l), L"current.xml ") << l;
  }
  EXPECT_EQ(Names(accel_ / L"fr"), L"");
  ASSERT_TRUE(ooo::MergeAcceleratorFiles(false, accel_.wstring(), Template(L"Accel.xml")));
  for (const std::string& l : languages) EXPECT_EQ(test::ReadFile(accel_ / l / "current.xml"), f::kCurrentXml) << l;
  EXPECT_EQ(test::ReadFile(accel_ / L"current.xml"), "not a language folder");
}

// A merge that cannot finish leaves the file as it was and no temporary file behind.
TEST_F(OooProfile, AFailedMergeLeavesTheFileAsItWas) {
  const fs::path addons = office_ / L"Addons.xcu";
  struct Case {
    const char* name;
    bool enable;
    void (*arrange)(const fs::path& addons, const fs::path& suite);
  } cases[] = {
      {"read-only target", false,
       [](const fs::path& a, const fs::path&) { ::SetFileAttributesW(a.c_str(), FILE_ATTRIBUTE_READONLY); }},
      {"read-only target, enabling", true,
       [](const fs::path& a, const fs::path&) { ::SetFileAttributesW(a.c_str(), FILE_ATTRIBUTE_READONLY); }},
      {"template missing", true, [](const fs::path&, const fs::path& s) { fs::remove(s / L"Addons.xcu"); }},
      {"template missing, disabling", false,
       [](const fs::path&, const fs::path& s) { fs::remove(s / L"Addons.xcu"); }},
      // The temporary file's name is a folder, so it cannot be created.
      {"temporary file not writable", true,
       [](const fs::path& a, const fs::path&) { fs::create_directories(a.parent_path() / L"AddonsTemp.xcu"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::WriteFile(suite_ / L"Addons.xcu", std::string(f::kAddonsTemplate));
    test::WriteFile(addons, std::string(f::kAddonsMenuOnly));
    c.arrange(addons, suite_);
    EXPECT_FALSE(ooo::MergeAddonsFile(c.enable, office_.wstring(), Template(L"Addons.xcu")));
    EXPECT_EQ(test::ReadFile(addons), f::kAddonsMenuOnly);
    ::SetFileAttributesW(addons.c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove(office_ / L"AddonsTemp.xcu");
    EXPECT_EQ(Names(office_), L"Addons.xcu ");
  }
}

// A file the merge refuses (its start line carries more than the tag, or switching off would drop
// a user's entry with the suite's) fails the merge, and no file of the kind is rewritten: the
// accelerators of every language are checked before the first is written.
TEST_F(OooProfile, ARefusedFileFailsTheMergeAndNoFileIsRewritten) {
  test::WriteFile(suite_ / L"script.xlc", std::string(f::kScriptXlcTemplate));
  std::string oneLineAccel(f::kCurrentXml), oneLineStates(f::kWindowState);
  std::erase(oneLineAccel, '\n');
  std::erase(oneLineStates, '\n');
  const std::string itemBesideUsers =
      "<accel:acceleratorlist>\n <accel:item xlink:href=\"vnd.sun.star.script:Vanto.Module1.X\"/>"
      "<accel:item accel:code=\"KEY_F7\"/>\n</accel:acceleratorlist>\n";
  const std::string merged =
      "<accel:acceleratorlist>\n" + std::string(f::kAccelTemplate) + "</accel:acceleratorlist>\n";
  const std::string listBesideEntry =
      "<library:libraries xmlns:library=\"l\"> <library:library "
      "library:name=\"Standard\"/>\n</library:libraries>\n";
  struct Case {
    const char* name;
    bool enable;
    std::string de, enUs, states;    // the two languages' current.xml and WriterWindowState.xcu
    bool accelerators, windowState;  // whether each merge goes through
  } cases[] = {
      {"one language's list on one line", true, std::string(f::kCurrentXml), oneLineAccel,
       std::string(f::kWindowState), false, true},
      {"the window states on one line", true, std::string(f::kCurrentXml), std::string(f::kCurrentXml),
       oneLineStates, true, false},
      {"the suite's item beside the user's, switching off", false, merged, itemBesideUsers,
       std::string(f::kWindowState), false, true},
  };
  fs::create_directories(accel_ / L"de");
  fs::create_directories(accel_ / L"en-US");
  fs::create_directories(ui_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::WriteFile(accel_ / L"de" / L"current.xml", c.de);
    test::WriteFile(accel_ / L"en-US" / L"current.xml", c.enUs);
    test::WriteFile(ui_ / L"WriterWindowState.xcu", c.states);
    EXPECT_EQ(ooo::AcceleratorMergeRefused(c.enable, accel_.wstring(), Template(L"Accel.xml")),
              !c.accelerators);
    EXPECT_EQ(ooo::WindowStateMergeRefused(c.enable, ui_.wstring(), Template(L"WriterWindowState.xcu")),
              !c.windowState);
    EXPECT_EQ(ooo::MergeAcceleratorFiles(c.enable, accel_.wstring(), Template(L"Accel.xml")), c.accelerators);
    EXPECT_EQ(ooo::MergeWindowStateFile(c.enable, ui_.wstring(), Template(L"WriterWindowState.xcu")),
              c.windowState);
    if (!c.accelerators) {
      EXPECT_EQ(test::ReadFile(accel_ / L"de" / L"current.xml"), c.de);
      EXPECT_EQ(test::ReadFile(accel_ / L"en-US" / L"current.xml"), c.enUs);
    }
    if (!c.windowState) {
      EXPECT_EQ(test::ReadFile(ui_ / L"WriterWindowState.xcu"), c.states);
    }
    EXPECT_EQ(Names(accel_ / L"de"), L"current.xml ");
    EXPECT_EQ(Names(accel_ / L"en-US"), L"current.xml ");
    EXPECT_EQ(Names(ui_), L"WriterWindowState.xcu ");
  }

  // The library list: refused with its start tag carrying an entry, and a missing list is no refusal.
  const fs::path list = scratch_.Folder(L"profile\\basic") / L"script.xlc";
  test::WriteFile(list, listBesideEntry);
  EXPECT_TRUE(ooo::LibraryListMergeRefused(true, list.wstring(), Template(L"script.xlc")));
  EXPECT_FALSE(ooo::LibraryListMergeRefused(true, (list.parent_path() / L"none.xlc").wstring(),
                                            Template(L"script.xlc")));
  test::WriteFile(list, std::string(f::kScriptXlc));
  EXPECT_FALSE(ooo::LibraryListMergeRefused(true, list.wstring(), Template(L"script.xlc")));
  EXPECT_FALSE(ooo::LibraryListMergeRefused(false, list.wstring(), Template(L"script.xlc")));
  test::WriteFile(list,
                  std::string(f::kScriptXlcTemplate) + " <library:library library:name=\"Standard\"/>\n");
  EXPECT_FALSE(ooo::LibraryListMergeRefused(false, list.wstring(), Template(L"script.xlc")));
  test::WriteFile(list, " <library:library library:name=\"Standard\"/>" + std::string(f::kScriptXlcTemplate));
  EXPECT_TRUE(ooo::LibraryListMergeRefused(false, list.wstring(), Template(L"script.xlc")));
}

TEST_F(OooProfile, AFileHeldOpenByOpenOfficeIsNotTouched) {
  test::WriteFile(office_ / L"Addons.xcu", std::string(f::kAddonsFull));
  {
    const HANDLE held = ::CreateFileW((office_ / L"Addons.xcu").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ooo::MergeAddonsFile(true, office_.wstring(), Template(L"Addons.xcu")));
    ::CloseHandle(held);
  }
  EXPECT_EQ(test::ReadFile(office_ / L"Addons.xcu"), f::kAddonsFull);
  EXPECT_EQ(Names(office_), L"Addons.xcu ");
  {
    // Held so that it reads and writes but cannot be replaced: the written temporary file goes.
    const HANDLE held = ::CreateFileW((office_ / L"Addons.xcu").c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ooo::MergeAddonsFile(true, office_.wstring(), Template(L"Addons.xcu")));
    ::CloseHandle(held);
  }
  EXPECT_EQ(test::ReadFile(office_ / L"Addons.xcu"), f::kAddonsFull);
  EXPECT_EQ(Names(office_), L"Addons.xcu ");
}

TEST(OooFolders, CreateDirectoryPathMakesEveryLevel) {
  test::ScratchDir scratch;
  const std::wstring deep = (scratch.path() / L"a\\b\\c").wstring();
  EXPECT_TRUE(ooo::CreateDirectoryPath(deep + L"\\"));
  EXPECT_TRUE(ooo::IsDirectory(deep));
  EXPECT_TRUE(ooo::CreateDirectoryPath(deep));  // already there
  test::WriteFile(scratch.path() / L"file", "x");
  EXPECT_FALSE(ooo::CreateDirectoryPath((scratch.path() / L"file\\sub").wstring()));
}

}  // namespace
