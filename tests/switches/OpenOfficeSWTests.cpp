// The OpenOffice.org Writer switch against a sandboxed registry, user profiles written as
// OpenOffice.org writes them in a scratch application-data folder (the sandbox's shell folder
// value points there), and the suite's real templates and WrtBridge.dll from the build.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "OfficeTestSupport.h"
#include "ProfileFiles.h"
#include "core/LogSink.h"
#include "support/Installation.h"
#include "support/RegistrySandbox.h"
#include "support/SavedState.h"
#include "support/ScratchDir.h"
#include "support/TestPaths.h"
#include "switches/OpenOfficeSW.h"
#include "switches/ooo/OooMerge.h"
#include "win/Handle.h"

namespace officetest {
namespace {

namespace fs = std::filesystem;
namespace f = ooo::files;
using switches::PluginList;
using switches::PluginRecord;

constexpr wchar_t kWriterProduct[] = L"VANTO for OpenOffice";
constexpr wchar_t kVersionsKey[] = L"SOFTWARE\\OpenOffice.org\\OpenOffice.org";
constexpr wchar_t kShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// The user folder of each version's profile, below the application-data folder.
const wchar_t* UserFolder(int version) {
  return version == 2 ? L"OpenOffice.org2\\user" : L"OpenOffice.org\\3\\user";
}

// Every file and folder below `root`: relative path -> contents ("<folder>" for folders).
using Tree = std::map<std::wstring, std::string>;
Tree ProfileTree(const fs::path& root) {
  Tree tree;
  if (!fs::exists(root)) return tree;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    tree[fs::relative(entry.path(), root).wstring()] =
        entry.is_directory() ? "<folder>" : test::ReadFile(entry.path());
  return tree;
}

void PutBytes(const fs::path& file, std::string_view bytes) {
  fs::create_directories(file.parent_path());
  test::WriteFile(file, std::string(bytes));
}

bool EndsWith(const std::wstring& text, std::wstring_view tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The lines of `bytes` (ended by CR LF, LF or CR), each ended by `eol`: what a rewrite of the file
// keeps of it, empty lines too.
std::string Rewritten(std::string_view bytes, std::string_view eol) {
  std::string out;
  while (!bytes.empty()) {
    const size_t end = bytes.find_first_of("\r\n");
    (out += bytes.substr(0, end)) += eol;
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1));
  }
  return out;
}

// What switching off, after switching on, may leave different in a profile file: the two .xcu
// files come back with carriage returns and line feeds, current.xml and script.xlc with line feeds;
// a file with those line ends comes back byte for byte. Every other file must be as it was.
std::string AfterRoundTrip(const std::wstring& name, const std::string& before) {
  if (EndsWith(name, L"Addons.xcu") || EndsWith(name, L"WriterWindowState.xcu"))
    return Rewritten(before, "\r\n");
  if (EndsWith(name, L"current.xml") || EndsWith(name, L"script.xlc")) return Rewritten(before, "\n");
  return before;
}

PluginRecord WriterRecord(const std::wstring& version, int state) {
  PluginRecord record;
  record.displayName = L"OpenOffice.org Writer " + version;
  record.state = state;
  record.kind = 1024;
  record.productName = kWriterProduct;
  return record;
}

class OpenOfficeSwitchTest : public ::testing::Test {
 protected:
  OpenOfficeSwitchTest() {
    test::SetString(HKEY_CURRENT_USER, kShellFolders, L"AppData", AppData().wstring());
    fs::create_directories(AppData());
    test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, L"OpenOffice", Suite().wstring() + L"\\");
    fs::create_directories(Suite() / L"bin");
    fs::copy(test::BinFolder() / L"OOInst", Suite() / L"OOInst", fs::copy_options::recursive);
    fs::copy_file(test::BinFolder() / L"WrtBridge.dll", Suite() / L"bin" / L"WrtBridge.dll");
    app::Log().SetFilePath(Log().wstring());
    app::Log().SetEnabled(true);
  }

  fs::path AppData() const { return scratch_.path() / L"AppData"; }
  fs::path Suite() const { return scratch_.path() / L"Suite"; }
  fs::path Log() const { return scratch_.path() / L"switches.log"; }
  fs::path User(int version) const { return AppData() / UserFolder(version); }
  fs::path Office(int version) const { return User(version) / L"registry\\data\\org\\openoffice\\Office"; }
  fs::path Accelerators(int version) const {
    return User(version) / L"config\\soffice.cfg\\modules\\swriter\\accelerator";
  }
  fs::path Basic(int version) const { return User(version) / L"basic"; }
  std::string TemplateBytes(const wchar_t* name) const { return test::ReadFile(Suite() / L"OOInst" / name); }

  static void Register(HKEY root, const std::wstring& version) {
    test::SetString(root, std::wstring(kVersionsKey) + L"\\" + version, L"Path",
                    L"C:\\OpenOffice\\soffice.exe");
  }

  // A profile as OpenOffice.org leaves it: Addons.xcu (when given), the Writer window states,
  // accelerators for two languages and the Basic library list.
  void WriteProfile(int version, std::optional<std::string_view> addons, bool basic = true) const {
    if (addons) PutBytes(Office(version) / L"Addons.xcu", *addons);
    PutBytes(Office(version) / L"Setup.xcu",
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<oor:component-data/>\n");
    PutBytes(Office(version) / L"UI\\WriterWindowState.xcu", f::kWindowState);
    PutBytes(Accelerators(version) / L"en-US\\current.xml", f::kCurrentXml);
    PutBytes(Accelerators(version) / L"de\\current.xml", f::kCurrentXml);
    if (basic) PutBytes(Basic(version) / L"script.xlc", f::kScriptXlc);
  }

  // Applies `records` through a switch that detected them, as the plug-in table does.
  static PluginList Apply(PluginList records, int quiet = 1) {
    COpenOfficeSW sw(kWriterProduct);
    sw.CollectPlugins();
    sw.ApplyStates(records, quiet);
    return records;
  }

  static PluginList Detected() {
    COpenOfficeSW sw(kWriterProduct);
    sw.CollectPlugins();
    PluginList records;
    sw.GetPlugins(records);
    return records;
  }

  std::vector<std::wstring> LogTexts() const {
    std::vector<std::wstring> texts;
    const std::wstring log = ReadUtf16File(Log());
    for (size_t at = log.find(L"OpenOfficeSW("); at != std::wstring::npos;
         at = log.find(L"OpenOfficeSW(", at + 1)) {
      const size_t start = log.find(L"\r\n", at) + 2;
      texts.push_back(log.substr(start, log.find(L"\r\n", start) - start));
    }
    return texts;
  }

  EnglishStrings strings_;
  test::RegistrySandbox registry_;
  test::ScratchDir scratch_;
  test::Restorer savedLog_ = test::SavedLog();
};

TEST_F(OpenOfficeSwitchTest, TheApplicationDataFolderIsTheShellsFolderOfTheUser) {
  EXPECT_EQ(COpenOfficeSW::ApplicationData(), AppData().wstring());
}

TEST_F(OpenOfficeSwitchTest, ThePackageIsWrtBridgeAnywhereBelowTheOpenOfficeFolder) {
  EXPECT_TRUE(COpenOfficeSW(kWriterProduct).IsPackagePresent());
  fs::rename(Suite() / L"bin" / L"WrtBridge.dll", Suite() / L"bin" / L"wrtbridge.DLL");
  EXPECT_TRUE(COpenOfficeSW(kWriterProduct).IsPackagePresent());
  fs::remove(Suite() / L"bin" / L"wrtbridge.DLL");
  EXPECT_FALSE(COpenOfficeSW(kWriterProduct).IsPackagePresent());
  fs::copy_file(test::BinFolder() / L"WrtBridge.dll", Suite() / L"WrtBridge.dll");
  test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, L"OpenOffice", L"");
  EXPECT_FALSE(COpenOfficeSW(kWriterProduct).IsPackagePresent());
  ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kFoldersKey, L"OpenOffice");
  EXPECT_FALSE(COpenOfficeSW(kWriterProduct).IsPackagePresent());
}

TEST_F(OpenOfficeSwitchTest, VersionsTwoAndThreeOfBothRootsAreListedWithTheStateOfTheirProfile) {
  for (const wchar_t* version : {L"1.1.5", L"2.4", L"3.1", L"Common", L"4.0"})
    Register(HKEY_LOCAL_MACHINE, version);
  Register(HKEY_CURRENT_USER, L"2.0");
  WriteProfile(3, f::kAddonsFull);
  test::WriteFile(Office(3) / L"Addons.xcu.old", "");
  // No version 2 profile: that user never started OpenOffice.org 2.
  COpenOfficeSW sw(kWriterProduct);
  EXPECT_EQ(sw.CollectPlugins(), 3);
  PluginList records;
  sw.GetPlugins(records);
  EXPECT_EQ(records, (PluginList{WriterRecord(L"2.4", 0), WriterRecord(L"3.1", 1), WriterRecord(L"2.0", 0)}));

  WriteProfile(2, f::kAddonsFull);
  test::WriteFile(Office(2) / L"Addons.xcu.old", "");
  EXPECT_EQ(Detected(),
            (PluginList{WriterRecord(L"2.4", 1), WriterRecord(L"3.1", 1), WriterRecord(L"2.0", 1)}));
  COpenOfficeSW host(kWriterProduct);
  EXPECT_EQ(host.GetHostInfo(), (CPlugSt{L"OpenOffice", 1024}));
}

TEST_F(OpenOfficeSwitchTest, NoVersionIsListedWithoutTheOpenOfficeKey) {
  WriteProfile(3, f::kAddonsFull);
  EXPECT_EQ(COpenOfficeSW(kWriterProduct).CollectPlugins(), 0);
}

TEST_F(OpenOfficeSwitchTest, SwitchingOnMergesEveryFragmentAndCopiesTheBasicLibrary) {
  Register(HKEY_LOCAL_MACHINE, L"3.1");
  WriteProfile(3, f::kAddonsMenuOnly);
  const Tree before = ProfileTree(User(3));
  const PluginList result = Apply({WriterRecord(L"3.1", 1)});
  EXPECT_EQ(result[0].state, 1);

  const Tree after = ProfileTree(User(3));
  const std::string addons = after.at(L"registry\\data\\org\\openoffice\\Office\\Addons.xcu");
  // The toolbar and the images go after the AddonUI line with their own closing lines; the menu
  // entries go after the existing menu bar line. The images once came only with a second switch-on.
  EXPECT_EQ(addons, ooo::EnableAddons(f::kAddonsMenuOnly, TemplateBytes(L"Addons.xcu")).text);
  EXPECT_NE(addons.find(" <node oor:name=\"AddonUI\">\n  <node oor:name=\"OfficeToolBar\">\n   <node "
                        "oor:name=\"VANTO.Translate\""),
            std::string::npos);
  EXPECT_NE(
      addons.find(
          "  <node oor:name=\"OfficeMenuBar\">\n   <node oor:name=\"vanto.TopMenu\" oor:op=\"replace\">"),
      std::string::npos);
  EXPECT_LT(addons.find("  <node oor:name=\"OfficeToolBar\">"),
            addons.find("  <node oor:name=\"Images\">\n   <node oor:name=\"vanto.Icon."));
  EXPECT_EQ(addons.find('\r'), std::string::npos);
  EXPECT_EQ(after.at(L"registry\\data\\org\\openoffice\\Office\\Events.xcu"), TemplateBytes(L"Events.xcu"));
  EXPECT_EQ(after.at(L"registry\\data\\org\\openoffice\\Office\\Addons.xcu.old"), "");
  EXPECT_EQ(after.at(L"registry\\data\\org\\openoffice\\Office\\UI\\WriterWindowState.xcu"),
            ooo::EnableWindowState(f::kWindowState, TemplateBytes(L"WriterWindowState.xcu")));
  for (const wchar_t* language : {L"de", L"en-US"}) {
    const std::string accel = after.at(std::wstring(L"config\\soffice.cfg\\modules\\swriter\\accelerator\\") +
                                       language + L"\\current.xml");
    EXPECT_EQ(accel, ooo::EnableAccelerators(f::kCurrentXml, TemplateBytes(L"Accel.xml"))) << language;
    EXPECT_NE(accel.find("Vanto.Module1.TranslateSel"), std::string::npos) << language;
  }
  for (const wchar_t* file : {L"Icons.xba", L"Module1.xba", L"script.xlb"})
    EXPECT_EQ(after.at(std::wstring(L"basic\\Vanto\\") + file),
              TemplateBytes((std::wstring(L"Vanto\\") + file).c_str()));
  EXPECT_EQ(after.at(L"basic\\script.xlc.old"), f::kScriptXlc);
  EXPECT_EQ(after.at(L"basic\\script.xlc"),
            ooo::EnableLibraries(f::kScriptXlc, TemplateBytes(L"script.xlc")));
  EXPECT_NE(after.at(L"basic\\script.xlc").find(" <library:library library:name=\"Vanto\""),
            std::string::npos);

  // Nothing else came or went: no temporary file stays.
  Tree added;
  for (const auto& [name, bytes] : after)
    if (!before.count(name)) added[name] = bytes;
  std::vector<std::wstring> names;
  for (const auto& entry : added) names.push_back(entry.first);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"basic\\Vanto", L"basic\\Vanto\\Icons.xba",
                                              L"basic\\Vanto\\Module1.xba", L"basic\\Vanto\\script.xlb",
                                              L"basic\\script.xlc.old",
                                              L"registry\\data\\org\\openoffice\\Office\\Addons.xcu.old",
                                              L"registry\\data\\org\\openoffice\\Office\\Events.xcu"}));
  EXPECT_EQ(Detected(), PluginList{WriterRecord(L"3.1", 1)});
  EXPECT_TRUE(LogTexts().empty());

  // Switching on again finds the marker and leaves every file alone.
  EXPECT_EQ(Apply({WriterRecord(L"3.1", 1)})[0].state, 1);
  EXPECT_EQ(ProfileTree(User(3)), after);
  // Without the marker (a retry after a failure, a second manager) every step finds its lines in
  // place: nothing is inserted twice, and the backup keeps the list without the suite's entry.
  fs::remove(Office(3) / L"Addons.xcu.old");
  EXPECT_EQ(Apply({WriterRecord(L"3.1", 1)})[0].state, 1);
  EXPECT_EQ(ProfileTree(User(3)), after);
}

struct RoundTripCase {
  const char* label;
  int version;
  std::optional<std::string_view> addons;
  std::string_view extraLines;  // put between the lines of every rewritten file
  bool crLf;                    // the .xcu files with CR LF, as Windows tools save them
};

// A profile file with `extra` after each line.
std::string Loosened(std::string_view bytes, std::string_view extra) {
  std::string out;
  for (char c : bytes) {
    out += c;
    if (c == '\n') out += extra;
  }
  return out;
}

void PrintTo(const RoundTripCase& c, std::ostream* out) {
  *out << c.label;
}

class OpenOfficeRoundTrip : public OpenOfficeSwitchTest,
                            public ::testing::WithParamInterface<RoundTripCase> {};

// Two rounds: the second round's files equal the first's byte for byte (the files grew with every
// round once), and switching off leaves only the line ends of the rewrite rule.
TEST_P(OpenOfficeRoundTrip, SwitchingOnThenOffLeavesTheProfileAsItWasButForLineEnds) {
  const RoundTripCase& c = GetParam();
  const std::wstring version = c.version == 2 ? L"2.4" : L"3.1";
  Register(HKEY_LOCAL_MACHINE, version);
  WriteProfile(c.version, c.addons);
  for (const auto& entry : fs::recursive_directory_iterator(User(c.version))) {
    if (!entry.is_regular_file()) continue;
    std::string bytes = Loosened(test::ReadFile(entry.path()), c.extraLines);
    if (c.crLf && entry.path().extension() == L".xcu") bytes = Rewritten(bytes, "\r\n");
    test::WriteFile(entry.path(), bytes);
  }
  const Tree before = ProfileTree(User(c.version));

  Tree on, off;
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    EXPECT_EQ(Apply({WriterRecord(version, 1)})[0].state, 1);
    EXPECT_EQ(Detected()[0].state, 1);
    if (round == 1) on = ProfileTree(User(c.version));
    EXPECT_EQ(ProfileTree(User(c.version)), on);
    EXPECT_EQ(Apply({WriterRecord(version, 0)})[0].state, 0);
    EXPECT_EQ(Detected()[0].state, 0);
    if (round == 1) off = ProfileTree(User(c.version));
    EXPECT_EQ(ProfileTree(User(c.version)), off);
  }

  Tree expected;
  for (const auto& [name, bytes] : before) expected[name] = AfterRoundTrip(name, bytes);
  if (!c.addons) {
    // The template became the whole file; switching off takes out its nodes and the sections they
    // leave empty.
    const std::string templ = TemplateBytes(L"Addons.xcu");
    expected[L"registry\\data\\org\\openoffice\\Office\\Addons.xcu"] =
        Rewritten(templ.substr(0, templ.find(" <node oor:name=\"AddonUI\">")), "\r\n") +
        " <node oor:name=\"AddonUI\">\r\n </node>\r\n</oor:component-data>\r\n";
  }
  EXPECT_EQ(off, expected);
  // A profile whose .xcu files have CR LF (and whose other files have LF) comes back byte for byte.
  if (c.crLf) {
    EXPECT_EQ(off, before);
  }
  EXPECT_TRUE(LogTexts().empty());
}

const RoundTripCase kRoundTrips[] = {
    {"Version3AllSections", 3, f::kAddonsFull, "", false},
    {"Version3MenuOnly", 3, f::kAddonsMenuOnly, "", false},
    {"Version2AllSections", 2, f::kAddonsFull, "", false},
    {"Version2WithoutAddons", 2, std::nullopt, "", false},
    {"Version3WithEmptyLines", 3, f::kAddonsFull, "\n\n", false},
    {"Version3CrLfMenuOnlyWithEmptyLines", 3, f::kAddonsMenuOnly, "\n", true},
};

INSTANTIATE_TEST_SUITE_P(Profiles, OpenOfficeRoundTrip, ::testing::ValuesIn(kRoundTrips),
                         [](const auto& param) { return std::string(param.param.label); });

// This once counted as switched on, and the hand-off then started Writer as if the integration
// were in it: a version never started has no profile to take it, so switching on fails.
TEST_F(OpenOfficeSwitchTest, SwitchingOnAVersionWithoutProfileFailsAndChangesNothing) {
  Register(HKEY_LOCAL_MACHINE, L"3.1");
  BoxRecorder boxes;
  const PluginList records = Apply({WriterRecord(L"3.1", 1)}, 0);
  EXPECT_EQ(records[0].state, 0);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, std::wstring(kEmbedFailed) + kWriterProduct + L"\"\r\n" + kContactSupport);
  EXPECT_EQ(ProfileTree(AppData()), Tree{});
  EXPECT_EQ(LogTexts(),
            std::vector<std::wstring>{
                L"OpenOffice.org Writer 3.1#VANTO for OpenOffice#No records in Application Data"});
  EXPECT_EQ(Detected(), PluginList{WriterRecord(L"3.1", 0)});
  // Switching off there has nothing to do and is no failure.
  EXPECT_EQ(Apply({WriterRecord(L"3.1", 0)}, 0)[0].state, 0);
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(ProfileTree(AppData()), Tree{});
}

// Detection and switching read a version's profile by one rule: the first character of the
// version. A "3.2.1" once was detected in the version 3 profile and switched in the version 2 one.
TEST_F(OpenOfficeSwitchTest, DetectionAndSwitchingUseTheProfileOfTheVersionsFirstCharacter) {
  struct Case {
    const wchar_t* version;
    int profile;
  };
  for (const Case& c :
       {Case{L"3.2.1", 3}, Case{L"2.4", 2}, Case{L"3.0", 3}, Case{L"2", 2}, Case{L"3.2", 3}}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.version)));
    EXPECT_STREQ(COpenOfficeSW::FoldersFor(std::wstring(L"OpenOffice.org Writer ") + c.version).office,
                 c.profile == 2 ? L"\\OpenOffice.org2\\user\\registry\\data\\org\\openoffice\\Office"
                                : L"\\OpenOffice.org\\3\\user\\registry\\data\\org\\openoffice\\Office");
  }

  Register(HKEY_LOCAL_MACHINE, L"3.2.1");
  WriteProfile(2, f::kAddonsFull);
  WriteProfile(3, f::kAddonsFull);
  const Tree version2 = ProfileTree(User(2));
  EXPECT_EQ(Apply({WriterRecord(L"3.2.1", 1)})[0].state, 1);
  EXPECT_TRUE(fs::exists(Office(3) / L"Addons.xcu.old"));
  EXPECT_EQ(ProfileTree(User(2)), version2);
  EXPECT_EQ(Detected(), PluginList{WriterRecord(L"3.2.1", 1)});
  EXPECT_EQ(Apply({WriterRecord(L"3.2.1", 0)})[0].state, 0);
  EXPECT_FALSE(fs::exists(Office(3) / L"Addons.xcu.old"));
  EXPECT_EQ(Detected(), PluginList{WriterRecord(L"3.2.1", 0)});
}

// Switching on puts the suite's Events.xcu in place of the user's own, which waits beside it as
// "Events.xcu.user"; switching off puts it back byte for byte. It was once overwritten and then
// deleted.
TEST_F(OpenOfficeSwitchTest, TheUsersOwnEventBindingIsKeptAsideAndPutBackUnchanged) {
  Register(HKEY_LOCAL_MACHINE, L"2.4");
  WriteProfile(2, f::kAddonsFull);
  // Bytes no rewrite would keep: CR LF, an empty line, a byte order mark, no last line end.
  const std::string own =
      "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n\r\n<oor:component-data oor:name=\"Events\">"
      "<node oor:name=\"OnLoad\"/></oor:component-data>";
  const fs::path events = Office(2) / L"Events.xcu";
  const fs::path kept = Office(2) / L"Events.xcu.user";
  test::WriteFile(events, own);

  EXPECT_EQ(Apply({WriterRecord(L"2.4", 1)})[0].state, 1);
  EXPECT_EQ(test::ReadFile(events), TemplateBytes(L"Events.xcu"));
  EXPECT_EQ(test::ReadFile(kept), own);
  // A second switch-on (the marker went missing) keeps the user's file, not the suite's.
  fs::remove(Office(2) / L"Addons.xcu.old");
  EXPECT_EQ(Apply({WriterRecord(L"2.4", 1)})[0].state, 1);
  EXPECT_EQ(test::ReadFile(kept), own);
  EXPECT_EQ(test::ReadFile(events), TemplateBytes(L"Events.xcu"));

  EXPECT_EQ(Apply({WriterRecord(L"2.4", 0)})[0].state, 0);
  EXPECT_EQ(test::ReadFile(events), own);
  EXPECT_FALSE(fs::exists(kept));

  // The user changes the binding while the integration is off: the next round trip keeps that one.
  const std::string changed = own + "<!-- changed -->";
  test::WriteFile(events, changed);
  EXPECT_EQ(Apply({WriterRecord(L"2.4", 1)})[0].state, 1);
  EXPECT_EQ(test::ReadFile(kept), changed);
  EXPECT_EQ(Apply({WriterRecord(L"2.4", 0)})[0].state, 0);
  EXPECT_EQ(test::ReadFile(events), changed);

  // Without a file of the user's, switching off leaves none, and a stale kept file is not brought
  // back.
  fs::remove(events);
  test::WriteFile(kept, "stale");
  EXPECT_EQ(Apply({WriterRecord(L"2.4", 1)})[0].state, 1);
  EXPECT_FALSE(fs::exists(kept));
  EXPECT_EQ(Apply({WriterRecord(L"2.4", 0)})[0].state, 0);
  EXPECT_FALSE(fs::exists(events));
  EXPECT_FALSE(fs::exists(kept));
  EXPECT_TRUE(LogTexts().empty());
}

// A kept user file that cannot be put back keeps the integration on: the user loses nothing.
TEST_F(OpenOfficeSwitchTest, AUserBindingThatCannotBePutBackKeepsTheIntegrationOn) {
  Register(HKEY_LOCAL_MACHINE, L"3.1");
  WriteProfile(3, f::kAddonsFull);
  const fs::path events = Office(3) / L"Events.xcu";
  test::WriteFile(events, "<own/>");
  ASSERT_EQ(Apply({WriterRecord(L"3.1", 1)})[0].state, 1);
  {
    // The kept file held open by another program cannot be moved.
    const fs::path kept = Office(3) / L"Events.xcu.user";
    const win::UniqueFile held(
        ::CreateFileW(kept.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.valid());
    EXPECT_EQ(Apply({WriterRecord(L"3.1", 0)})[0].state, 1);
  }
  EXPECT_EQ(test::ReadFile(Office(3) / L"Events.xcu.user"), "<own/>");
  EXPECT_EQ(Detected()[0].state, 1);
  EXPECT_EQ(LogTexts(), std::vector<std::wstring>{
                            L"OpenOffice.org Writer 3.1#VANTO for OpenOffice#Can't unregister addin"});
  EXPECT_EQ(Apply({WriterRecord(L"3.1", 0)})[0].state, 0);
  EXPECT_EQ(test::ReadFile(events), "<own/>");
}

// The marker is written only when Addons.xcu holds the suite's nodes, and a marker that cannot be
// written leaves the user's event binding in place.
TEST_F(OpenOfficeSwitchTest, SwitchingOnFailsWhenTheSuiteNodesOrTheMarkerCannotBeWritten) {
  Register(HKEY_LOCAL_MACHINE, L"3.1");
  WriteProfile(3, std::nullopt);
  // A template without the suite's nodes becomes the whole Addons.xcu: no integration.
  test::WriteFile(Suite() / L"OOInst\\Addons.xcu", std::string(f::kAddonsMenuOnly));
  EXPECT_EQ(Apply({WriterRecord(L"3.1", 1)})[0].state, 0);
  EXPECT_FALSE(fs::exists(Office(3) / L"Addons.xcu.old"));
  EXPECT_EQ(Detected()[0].state, 0);
  EXPECT_EQ(LogTexts(), std::vector<std::wstring>{
                            L"OpenOffice.org Writer 3.1#VANTO for OpenOffice#Can't register addin"});

  // A folder where the marker goes.
  fs::copy_file(test::BinFolder() / L"OOInst\\Addons.xcu", Suite() / L"OOInst\\Addons.xcu",
                fs::copy_options::overwrite_existing);
  fs::remove(Office(3) / L"Addons.xcu");
  fs::create_directory(Office(3) / L"Addons.xcu.old");
  test::WriteFile(Office(3) / L"Events.xcu", "<own/>");
  const Tree before = ProfileTree(User(3));
  EXPECT_EQ(Apply({WriterRecord(L"3.1", 1)})[0].state, 0);
  // Every change made before the marker is undone.
  EXPECT_EQ(ProfileTree(User(3)), before);
  EXPECT_EQ(Detected()[0].state, 0);
}

TEST_F(OpenOfficeSwitchTest, AProfileWithoutBasicFolderIsSwitchedWithoutTheLibrary) {
  Register(HKEY_LOCAL_MACHINE, L"2.4");
  WriteProfile(2, f::kAddonsFull, false);
  const Tree before = ProfileTree(User(2));
  EXPECT_EQ(Apply({WriterRecord(L"2.4", 1)})[0].state, 1);
  EXPECT_FALSE(fs::exists(Basic(2)));
  EXPECT_TRUE(fs::exists(Office(2) / L"Addons.xcu.old"));
  EXPECT_EQ(Apply({WriterRecord(L"2.4", 0)})[0].state, 0);
  EXPECT_FALSE(fs::exists(Basic(2)));
  Tree expected;
  for (const auto& [name, bytes] : before) expected[name] = AfterRoundTrip(name, bytes);
  EXPECT_EQ(ProfileTree(User(2)), expected);
  const std::wstring text =
      L"OpenOffice.org Writer 2.4#VANTO for OpenOffice#GetFileAttributes(strScripts) != "
      L"FILE_ATTRIBUTE_DIRECTORY";
  EXPECT_EQ(LogTexts(), (std::vector<std::wstring>{text, text}));
}

// Faults met by a switch-over, injected after detection and before the switch applies, on every
// file it touches. A switch-over that fails leaves the whole profile byte for byte as it was (it
// once left half of it switched), reports the state the profile is in and shows its message; one
// that meets a missing file it can do without completes as it does for a profile without that file.
enum class WriterFault {
  kHeld,             // another program holds the file open without sharing
  kReadOnly,         // the file is read-only
  kDeleted,          // the file is deleted
  kTemplateMissing,  // `file` is a template below OOInst, deleted
  kTempBlocked,      // a folder where the temporary file `file` goes
  kOneLine,          // the file with its line ends taken out
  kJoinAfter,        // the line holding `text` joined to the line after it
  kReplaced,         // the file's content becomes `text`
};
enum class Outcome {
  kFails,        // the profile stays as it was, the record keeps its old state, the message shows
  kCompletes,    // a complete state, the same again from the same profile
  kNothingToDo,  // the marker is gone: the profile reads as off already
};

struct FaultCase {
  const char* label;
  int wanted;  // the state asked for
  WriterFault fault;
  const wchar_t* file;  // below the version 3 user folder (OOInst for a template)
  Outcome outcome;
  const wchar_t* logged = nullptr;  // the failure's log text; none for a file a merge cannot take
  std::string_view text = {};
};

void PrintTo(const FaultCase& c, std::ostream* out) {
  *out << c.label;
}

constexpr wchar_t kAddonsXcu[] = L"registry\\data\\org\\openoffice\\Office\\Addons.xcu";
constexpr wchar_t kMarkerFile[] = L"registry\\data\\org\\openoffice\\Office\\Addons.xcu.old";
constexpr wchar_t kEventsXcu[] = L"registry\\data\\org\\openoffice\\Office\\Events.xcu";
constexpr wchar_t kEventsUser[] = L"registry\\data\\org\\openoffice\\Office\\Events.xcu.user";
constexpr wchar_t kWindowStateXcu[] = L"registry\\data\\org\\openoffice\\Office\\UI\\WriterWindowState.xcu";
constexpr wchar_t kEnglishAccel[] = L"config\\soffice.cfg\\modules\\swriter\\accelerator\\en-US\\current.xml";
constexpr wchar_t kGermanAccel[] = L"config\\soffice.cfg\\modules\\swriter\\accelerator\\de\\current.xml";
constexpr wchar_t kLibraryListFile[] = L"basic\\script.xlc";
constexpr wchar_t kLibraryBackup[] = L"basic\\script.xlc.old";
constexpr wchar_t kRegister[] = L"Can't register addin";
constexpr wchar_t kUnregister[] = L"Can't unregister addin";

class OpenOfficeFault : public OpenOfficeSwitchTest, public ::testing::WithParamInterface<FaultCase> {
 protected:
  // The profile as it was: written back whole, files and folders.
  void Restore(const Tree& tree) const {
    fs::remove_all(User(3));
    fs::create_directories(User(3));
    for (const auto& [name, bytes] : tree) {
      if (bytes == "<folder>") {
        fs::create_directories(User(3) / name);
      } else {
        PutBytes(User(3) / name, bytes);
      }
    }
  }
  // Every attribute back to normal, so that the files can be read and removed.
  void ClearAttributes() const {
    for (const auto& entry : fs::recursive_directory_iterator(User(3)))
      ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
};

TEST_P(OpenOfficeFault, LeavesTheProfileAsItWasOrCompletes) {
  const FaultCase& c = GetParam();
  Register(HKEY_LOCAL_MACHINE, L"3.1");
  WriteProfile(3, f::kAddonsMenuOnly);
  test::WriteFile(Office(3) / L"Events.xcu", "<own/>\r\n");
  if (c.wanted == 0) {
    ASSERT_EQ(Apply({WriterRecord(L"3.1", 1)})[0].state, 1);
    ASSERT_TRUE(fs::exists(User(3) / kLibraryBackup));
    ASSERT_TRUE(fs::exists(User(3) / kEventsUser));
  }

  COpenOfficeSW sw(kWriterProduct);
  ASSERT_EQ(sw.CollectPlugins(), 1);
  const fs::path file =
      c.fault == WriterFault::kTemplateMissing ? Suite() / L"OOInst" / c.file : User(3) / c.file;
  if (c.fault != WriterFault::kTempBlocked && c.fault != WriterFault::kTemplateMissing) {
    ASSERT_TRUE(fs::exists(file));
  }
  std::optional<win::UniqueFile> held;
  switch (c.fault) {
    case WriterFault::kHeld:
      held.emplace(::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
      ASSERT_TRUE(held->valid());
      break;
    case WriterFault::kReadOnly: ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY); break;
    case WriterFault::kDeleted:
    case WriterFault::kTemplateMissing: fs::remove(file); break;
    case WriterFault::kTempBlocked: fs::create_directory(file); break;
    case WriterFault::kOneLine: {
      std::string bytes = test::ReadFile(file);
      std::erase(bytes, '\n');
      test::WriteFile(file, bytes);
      break;
    }
    case WriterFault::kJoinAfter: {
      std::string bytes = test::ReadFile(file);
      const size_t at = bytes.find(c.text);
      ASSERT_NE(at, std::string::npos);
      bytes.erase(bytes.find('\n', at), 1);
      test::WriteFile(file, bytes);
      break;
    }
    case WriterFault::kReplaced: test::WriteFile(file, std::string(c.text)); break;
  }
  // A file held without sharing cannot be read for the snapshot; its bytes are those of before.
  const Tree faulty = [&] {
    if (!held) return ProfileTree(User(3));
    held.reset();
    Tree tree = ProfileTree(User(3));
    held.emplace(::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(held->valid());
    return tree;
  }();

  BoxRecorder boxes;
  PluginList records{WriterRecord(L"3.1", c.wanted)};
  sw.ApplyStates(records, 0);
  held.reset();
  ClearAttributes();
  const Tree after = ProfileTree(User(3));

  switch (c.outcome) {
    case Outcome::kFails:
      EXPECT_EQ(records[0].state, 1 - c.wanted);
      ASSERT_EQ(boxes.Boxes().size(), 1u);
      EXPECT_EQ(boxes.Boxes()[0].text,
                std::wstring(kEmbedFailed) + kWriterProduct + L"\"\r\n" + kContactSupport);
      EXPECT_EQ(
          LogTexts(),
          c.logged
              ? std::vector<std::wstring>{std::wstring(L"OpenOffice.org Writer 3.1#VANTO for OpenOffice#") +
                                          c.logged}
              : std::vector<std::wstring>{});
      EXPECT_EQ(after, faulty);
      EXPECT_EQ(Detected()[0].state, 1 - c.wanted);
      return;
    case Outcome::kNothingToDo:
      EXPECT_EQ(records[0].state, c.wanted);
      EXPECT_TRUE(boxes.Boxes().empty());
      EXPECT_EQ(after, faulty);
      EXPECT_EQ(Detected()[0].state, c.wanted);
      return;
    case Outcome::kCompletes: break;
  }
  EXPECT_EQ(records[0].state, c.wanted);
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_TRUE(LogTexts().empty());
  EXPECT_EQ(Detected()[0].state, c.wanted);
  // The same as switching a profile that lacked the file from the start.
  Restore(faulty);
  EXPECT_EQ(Apply({WriterRecord(L"3.1", c.wanted)})[0].state, c.wanted);
  EXPECT_EQ(ProfileTree(User(3)), after);
  // And complete: on, every file holds the suite's part; off, none holds any of it.
  for (const auto& [name, bytes] : after) {
    SCOPED_TRACE(testing::PrintToString(name));
    if (c.wanted == 1) {
      const char* part = name == kAddonsXcu               ? "vanto.TopMenu"
                         : name == kWindowStateXcu        ? "addon_VANTO.Translate"
                         : EndsWith(name, L"current.xml") ? "Vanto.Module1"
                         : name == kLibraryListFile       ? "library:name=\"Vanto\""
                                                          : nullptr;
      EXPECT_TRUE(!part || bytes.find(part) != std::string::npos);
    } else {
      for (const char* suite : {"VANTO", "vanto.", "Vanto"}) EXPECT_EQ(bytes.find(suite), std::string::npos);
      EXPECT_FALSE(EndsWith(name, L".old") || EndsWith(name, L".user") || EndsWith(name, L"Vanto"));
    }
  }
}

// Switching on: every profile file it reads and rewrites.
const FaultCase kSwitchOnFaults[] = {
    {"AddonsHeld", 1, WriterFault::kHeld, kAddonsXcu, Outcome::kFails},
    {"AddonsReadOnly", 1, WriterFault::kReadOnly, kAddonsXcu, Outcome::kFails},
    {"AddonsDeleted", 1, WriterFault::kDeleted, kAddonsXcu,
     Outcome::kCompletes},  // the template becomes the file
    {"EventsHeld", 1, WriterFault::kHeld, kEventsXcu, Outcome::kFails, kRegister},
    {"EventsReadOnly", 1, WriterFault::kReadOnly, kEventsXcu, Outcome::kFails, kRegister},
    {"EventsDeleted", 1, WriterFault::kDeleted, kEventsXcu, Outcome::kCompletes},
    {"WindowStateHeld", 1, WriterFault::kHeld, kWindowStateXcu, Outcome::kFails},
    {"WindowStateReadOnly", 1, WriterFault::kReadOnly, kWindowStateXcu, Outcome::kFails},
    {"WindowStateDeleted", 1, WriterFault::kDeleted, kWindowStateXcu, Outcome::kCompletes},
    {"EnglishAcceleratorsHeld", 1, WriterFault::kHeld, kEnglishAccel, Outcome::kFails},
    {"EnglishAcceleratorsReadOnly", 1, WriterFault::kReadOnly, kEnglishAccel, Outcome::kFails},
    {"EnglishAcceleratorsDeleted", 1, WriterFault::kDeleted, kEnglishAccel, Outcome::kCompletes},
    {"GermanAcceleratorsHeld", 1, WriterFault::kHeld, kGermanAccel, Outcome::kFails},
    {"GermanAcceleratorsReadOnly", 1, WriterFault::kReadOnly, kGermanAccel, Outcome::kFails},
    {"GermanAcceleratorsDeleted", 1, WriterFault::kDeleted, kGermanAccel, Outcome::kCompletes},
    // The library list once stayed unregistered behind a marker that said on.
    {"LibraryListHeld", 1, WriterFault::kHeld, kLibraryListFile, Outcome::kFails, kRegister},
    {"LibraryListReadOnly", 1, WriterFault::kReadOnly, kLibraryListFile, Outcome::kFails, kRegister},
    {"LibraryListDeleted", 1, WriterFault::kDeleted, kLibraryListFile,
     Outcome::kCompletes},  // no library entry
    // The suite's installation and the folder the rewrites go through.
    {"AddonsTemplateMissing", 1, WriterFault::kTemplateMissing, L"Addons.xcu", Outcome::kFails},
    {"AcceleratorTemplateMissing", 1, WriterFault::kTemplateMissing, L"Accel.xml", Outcome::kFails},
    {"LibraryTemplateMissing", 1, WriterFault::kTemplateMissing, L"Vanto\\Module1.xba", Outcome::kFails,
     kRegister},
    {"AddonsTemporaryFileBlocked", 1, WriterFault::kTempBlocked,
     L"registry\\data\\org\\openoffice\\Office\\AddonsTemp.xcu", Outcome::kFails, kRegister},
    {"LibraryTemporaryFileBlocked", 1, WriterFault::kTempBlocked, L"basic\\script.xlc.tmp", Outcome::kFails,
     kRegister},
    // Files the merges cannot take the suite's lines into without misplacing them.
    {"AddonsWithoutAnyAnchor", 1, WriterFault::kReplaced, kAddonsXcu, Outcome::kFails, nullptr,
     "<?xml version=\"1.0\"?>\n<oor:component-data oor:name=\"Addons\"/>\n"},
    {"AddonsNotWellFormed", 1, WriterFault::kReplaced, kAddonsXcu, Outcome::kFails, nullptr,
     "<oor:component-data><node oor:name=\"AddonUI\"><node oor:name=\"OfficeMenuBar\"></node>\n"},
    // Well-formed files on one line are merged by their elements.
    {"AddonsOnOneLine", 1, WriterFault::kOneLine, kAddonsXcu, Outcome::kCompletes},
    {"WindowStateOnOneLine", 1, WriterFault::kOneLine, kWindowStateXcu, Outcome::kCompletes},
    {"AcceleratorsOnOneLine", 1, WriterFault::kOneLine, kGermanAccel, Outcome::kCompletes},
    {"LibraryListOnOneLine", 1, WriterFault::kOneLine, kLibraryListFile, Outcome::kCompletes},
};

// Switching off: every file it rewrites or removes. The marker goes first, so a missing one means
// the profile reads as off.
const FaultCase kSwitchOffFaults[] = {
    {"MarkerHeld", 0, WriterFault::kHeld, kMarkerFile, Outcome::kFails, kUnregister},
    {"MarkerReadOnly", 0, WriterFault::kReadOnly, kMarkerFile, Outcome::kFails,
     L"Can't delete Addons.xcu.old"},
    {"MarkerDeleted", 0, WriterFault::kDeleted, kMarkerFile, Outcome::kNothingToDo},
    {"AddonsHeld", 0, WriterFault::kHeld, kAddonsXcu, Outcome::kFails},
    {"AddonsReadOnly", 0, WriterFault::kReadOnly, kAddonsXcu, Outcome::kFails},
    {"AddonsDeleted", 0, WriterFault::kDeleted, kAddonsXcu, Outcome::kCompletes},
    // The suite's start-up macro once stayed in Events.xcu while its library went.
    {"EventsHeld", 0, WriterFault::kHeld, kEventsXcu, Outcome::kFails, kUnregister},
    {"EventsReadOnly", 0, WriterFault::kReadOnly, kEventsXcu, Outcome::kFails, kUnregister},
    {"EventsDeleted", 0, WriterFault::kDeleted, kEventsXcu, Outcome::kCompletes},  // the user's comes back
    {"KeptEventsHeld", 0, WriterFault::kHeld, kEventsUser, Outcome::kFails, kUnregister},
    {"KeptEventsReadOnly", 0, WriterFault::kReadOnly, kEventsUser, Outcome::kFails, kUnregister},
    {"KeptEventsDeleted", 0, WriterFault::kDeleted, kEventsUser, Outcome::kCompletes},  // the suite's goes
    {"WindowStateHeld", 0, WriterFault::kHeld, kWindowStateXcu, Outcome::kFails},
    {"WindowStateReadOnly", 0, WriterFault::kReadOnly, kWindowStateXcu, Outcome::kFails},
    {"WindowStateDeleted", 0, WriterFault::kDeleted, kWindowStateXcu, Outcome::kCompletes},
    {"EnglishAcceleratorsHeld", 0, WriterFault::kHeld, kEnglishAccel, Outcome::kFails},
    {"EnglishAcceleratorsReadOnly", 0, WriterFault::kReadOnly, kEnglishAccel, Outcome::kFails},
    {"EnglishAcceleratorsDeleted", 0, WriterFault::kDeleted, kEnglishAccel, Outcome::kCompletes},
    {"GermanAcceleratorsHeld", 0, WriterFault::kHeld, kGermanAccel, Outcome::kFails},
    {"GermanAcceleratorsReadOnly", 0, WriterFault::kReadOnly, kGermanAccel, Outcome::kFails},
    {"GermanAcceleratorsDeleted", 0, WriterFault::kDeleted, kGermanAccel, Outcome::kCompletes},
    {"LibraryListHeld", 0, WriterFault::kHeld, kLibraryListFile, Outcome::kFails, kUnregister},
    {"LibraryListReadOnly", 0, WriterFault::kReadOnly, kLibraryListFile, Outcome::kFails, kUnregister},
    {"LibraryListDeleted", 0, WriterFault::kDeleted, kLibraryListFile, Outcome::kCompletes},
    {"BackupHeld", 0, WriterFault::kHeld, kLibraryBackup, Outcome::kFails, kUnregister},
    {"BackupReadOnly", 0, WriterFault::kReadOnly, kLibraryBackup, Outcome::kFails, kUnregister},
    // Switching off once failed without the backup, after the other fragments were gone.
    {"BackupDeleted", 0, WriterFault::kDeleted, kLibraryBackup, Outcome::kCompletes},
    {"LibraryModuleHeld", 0, WriterFault::kHeld, L"basic\\Vanto\\Module1.xba", Outcome::kFails, kUnregister},
    {"LibraryModuleReadOnly", 0, WriterFault::kReadOnly, L"basic\\Vanto\\Module1.xba", Outcome::kFails,
     kUnregister},
    {"LibraryModuleDeleted", 0, WriterFault::kDeleted, L"basic\\Vanto\\Module1.xba", Outcome::kCompletes},
    {"LibraryIconsHeld", 0, WriterFault::kHeld, L"basic\\Vanto\\Icons.xba", Outcome::kFails, kUnregister},
    {"LibraryIconsReadOnly", 0, WriterFault::kReadOnly, L"basic\\Vanto\\Icons.xba", Outcome::kFails,
     kUnregister},
    {"LibraryIconsDeleted", 0, WriterFault::kDeleted, L"basic\\Vanto\\Icons.xba", Outcome::kCompletes},
    {"LibraryDescriptionHeld", 0, WriterFault::kHeld, L"basic\\Vanto\\script.xlb", Outcome::kFails,
     kUnregister},
    {"LibraryDescriptionReadOnly", 0, WriterFault::kReadOnly, L"basic\\Vanto\\script.xlb", Outcome::kFails,
     kUnregister},
    {"LibraryDescriptionDeleted", 0, WriterFault::kDeleted, L"basic\\Vanto\\script.xlb", Outcome::kCompletes},
    {"LibraryTemporaryFileBlocked", 0, WriterFault::kTempBlocked, L"basic\\script.xlc.tmp", Outcome::kFails,
     kUnregister},
    // A line that holds the suite's part and the user's: only the suite's element goes.
    {"SuiteItemBesideTheUsers", 0, WriterFault::kJoinAfter, kEnglishAccel, Outcome::kCompletes, nullptr,
     "Vanto.Module1.TranslateAll"},
    {"SuiteLibraryBesideTheUsers", 0, WriterFault::kJoinAfter, kLibraryListFile, Outcome::kCompletes, nullptr,
     "library:name=\"Vanto\""},
    {"ToolbarNodeBesideTheStatesLine", 0, WriterFault::kJoinAfter, kWindowStateXcu, Outcome::kCompletes,
     nullptr, "oor:name=\"States\""},
    // A file that is not well-formed and whose suite line holds more is refused.
    {"SuiteItemInABrokenFile", 0, WriterFault::kReplaced, kEnglishAccel, Outcome::kFails, nullptr,
     "<accel:acceleratorlist>\n <accel:item xlink:href=\"Vanto.Module1.X\"/><accel:item/>\n"},
};

INSTANTIATE_TEST_SUITE_P(SwitchingOn, OpenOfficeFault, ::testing::ValuesIn(kSwitchOnFaults),
                         [](const auto& param) { return std::string(param.param.label); });
INSTANTIATE_TEST_SUITE_P(SwitchingOff, OpenOfficeFault, ::testing::ValuesIn(kSwitchOffFaults),
                         [](const auto& param) { return std::string(param.param.label); });

}  // namespace
}  // namespace officetest

namespace officetest {
namespace {

// The demo installation's OpenOffice.org 2.4 and 3.1, in the prefix's real registry and the user's
// real application-data folder: both found switched off, and each switched on and off twice: the
// second round gives the first round's files byte for byte, and off leaves each profile as it was
// but for the line ends of the rewritten files.
struct DemoProfile {
  const wchar_t* version;
  const wchar_t* user;  // below the application-data folder
  bool menuBar;         // Addons.xcu has an OfficeMenuBar section
};
constexpr DemoProfile kDemoProfiles[] = {
    {L"2.4", L"OpenOffice.org2\\user", false},
    {L"3.1", L"OpenOffice.org\\3\\user", true},
};

TEST(OpenOfficeDemo, Versions24And31AreFoundOffAndSwitchOnAndOffTwiceBackToTheirProfiles) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  const fs::path appData = COpenOfficeSW::ApplicationData();
  COpenOfficeSW sw(kWriterProduct);
  EXPECT_TRUE(sw.IsPackagePresent());
  ASSERT_EQ(sw.CollectPlugins(), 2);
  PluginList records;
  sw.GetPlugins(records);
  EXPECT_EQ(records, (PluginList{WriterRecord(L"2.4", 0), WriterRecord(L"3.1", 0)}));
  EXPECT_TRUE(fs::exists(installation.Folder() / L"OpenOffice\\OOInst\\Vanto\\Module1.xba"));

  std::map<std::wstring, Tree> before;
  for (const DemoProfile& profile : kDemoProfiles) {
    const fs::path user = appData / profile.user;
    before[profile.version] = ProfileTree(user);
    const Tree& files = before[profile.version];
    const std::string addons = files.at(L"registry\\data\\org\\openoffice\\Office\\Addons.xcu");
    EXPECT_EQ(addons.find("<node oor:name=\"OfficeMenuBar\">") != std::string::npos, profile.menuBar);
    for (const wchar_t* file :
         {L"config\\soffice.cfg\\modules\\swriter\\accelerator\\en-US\\current.xml",
          L"config\\soffice.cfg\\modules\\swriter\\accelerator\\de\\current.xml",
          L"registry\\data\\org\\openoffice\\Office\\UI\\WriterWindowState.xcu", L"basic\\script.xlc"})
      EXPECT_TRUE(files.count(file)) << testing::PrintToString(std::wstring(file));
  }

  std::map<std::wstring, Tree> on, off;
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    for (auto& record : records) record.state = 1;
    COpenOfficeSW toOn(kWriterProduct);
    toOn.CollectPlugins();
    EXPECT_EQ(toOn.ApplyStates(records, 1), 0);
    PluginList detected;
    COpenOfficeSW afterOn(kWriterProduct);
    afterOn.CollectPlugins();
    afterOn.GetPlugins(detected);
    EXPECT_EQ(detected, (PluginList{WriterRecord(L"2.4", 1), WriterRecord(L"3.1", 1)}));
    for (const DemoProfile& profile : kDemoProfiles) {
      const Tree files = ProfileTree(appData / profile.user);
      EXPECT_NE(files.at(L"basic\\script.xlc").find("library:name=\"Vanto\""), std::string::npos);
      if (round == 1) on[profile.version] = files;
      EXPECT_EQ(files, on[profile.version]) << testing::PrintToString(std::wstring(profile.version));
    }

    for (auto& record : records) record.state = 0;
    EXPECT_EQ(afterOn.ApplyStates(records, 1), 0);
    for (const DemoProfile& profile : kDemoProfiles) {
      const Tree files = ProfileTree(appData / profile.user);
      if (round == 1) off[profile.version] = files;
      EXPECT_EQ(files, off[profile.version]) << testing::PrintToString(std::wstring(profile.version));
      Tree expected;
      for (const auto& [name, bytes] : before[profile.version]) expected[name] = AfterRoundTrip(name, bytes);
      EXPECT_EQ(files, expected) << testing::PrintToString(std::wstring(profile.version));
    }
  }
}

}  // namespace
}  // namespace officetest
