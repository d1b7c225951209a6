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
#include "app/LogSink.h"
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

constexpr wchar_t kProduct[] = L"VANTO for OpenOffice";
constexpr wchar_t kVersionsKey[] = L"SOFTWARE\\OpenOffice.org\\OpenOffice.org";
constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

constexpr wchar_t kEmbedFailed[] = L"Unable to embed/disable the translation functions in \r\n\"";
constexpr wchar_t kContactSupport[] =
    L"To get detailed information, please contact the Technical Support Service of the VANTO company.";

// The user folder of each version's profile, below the application-data folder.
const wchar_t* UserFolder(int version) { return version == 2 ? L"OpenOffice.org2\\user" : L"OpenOffice.org\\3\\user"; }

// Every file and folder below `root`: relative path -> contents ("<folder>" for folders).
using Tree = std::map<std::wstring, std::string>;
Tree Snapshot(const fs::path& root) {
  Tree tree;
  if (!fs::exists(root)) return tree;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    tree[fs::relative(entry.path(), root).wstring()] = entry.is_directory() ? "<folder>" : test::ReadFile(entry.path());
  return tree;
}

void Put(const fs::path& file, std::string_view bytes) {
  fs::create_directories(file.parent_path());
  test::WriteFile(file, std::string(bytes));
}

bool EndsWith(const std::wstring& text, std::wstring_view tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The lines of `bytes` without their carriage returns and without the empty ones, each ended by
// `eol`: what a rewrite of the file keeps of it.
std::string Rewritten(std::string_view bytes, std::string_view eol) {
  std::string out;
  while (!bytes.empty()) {
    const size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) (out += line) += eol;
  }
  return out;
}

// What switching off, after switching on, may leave different in a profile file: the two .xcu
// files come back with carriage returns and line feeds, current.xml and script.xlc with line feeds,
// all without empty lines. Every other file must be byte for byte as it was.
std::string AfterRoundTrip(const std::wstring& name, const std::string& before) {
  if (EndsWith(name, L"Addons.xcu") || EndsWith(name, L"WriterWindowState.xcu")) return Rewritten(before, "\r\n");
  if (EndsWith(name, L"current.xml") || EndsWith(name, L"script.xlc")) return Rewritten(before, "\n");
  return before;
}

PluginRecord Record(const std::wstring& version, int state) {
  PluginRecord record;
  record.displayName = L"OpenOffice.org Writer " + version;
  record.state = state;
  record.kind = 1024;
  record.productName = kProduct;
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
    test::SetString(root, std::wstring(kVersionsKey) + L"\\" + version, L"Path", L"C:\\OpenOffice\\soffice.exe");
  }

  // A profile as OpenOffice.org leaves it: Addons.xcu (when given), the Writer window states,
  // accelerators for two languages and the Basic library list.
  void WriteProfile(int version, std::optional<std::string_view> addons, bool basic = true) const {
    if (addons) Put(Office(version) / L"Addons.xcu", *addons);
    Put(Office(version) / L"Setup.xcu", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<oor:component-data/>\n");
    Put(Office(version) / L"UI\\WriterWindowState.xcu", f::kWindowState);
    Put(Accelerators(version) / L"en-US\\current.xml", f::kCurrentXml);
    Put(Accelerators(version) / L"de\\current.xml", f::kCurrentXml);
    if (basic) Put(Basic(version) / L"script.xlc", f::kScriptXlc);
  }

  // Applies `records` through a switch that detected them, as the plug-in table does.
  static PluginList Apply(PluginList records, int quiet = 1) {
    COpenOfficeSW sw(kProduct);
    sw.CollectPlugins();
    sw.ApplyStates(records, quiet);
    return records;
  }

  static PluginList Detected() {
    COpenOfficeSW sw(kProduct);
    sw.CollectPlugins();
    PluginList records;
    sw.GetPlugins(records);
    return records;
  }

  std::vector<std::wstring> LogTexts() const {
    std::vector<std::wstring> texts;
    const std::wstring log = ReadUtf16File(Log());
    for (size_t at = log.find(L"OpenOfficeSW("); at != std::wstring::npos; at = log.find(L"OpenOfficeSW(", at + 1)) {
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
  EXPECT_TRUE(COpenOfficeSW(kProduct).IsPackagePresent());
  fs::rename(Suite() / L"bin" / L"WrtBridge.dll", Suite() / L"bin" / L"wrtbridge.DLL");
  EXPECT_TRUE(COpenOfficeSW(kProduct).IsPackagePresent());
  fs::remove(Suite() / L"bin" / L"wrtbridge.DLL");
  EXPECT_FALSE(COpenOfficeSW(kProduct).IsPackagePresent());
  fs::copy_file(test::BinFolder() / L"WrtBridge.dll", Suite() / L"WrtBridge.dll");
  test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, L"OpenOffice", L"");
  EXPECT_FALSE(COpenOfficeSW(kProduct).IsPackagePresent());
  ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kFoldersKey, L"OpenOffice");
  EXPECT_FALSE(COpenOfficeSW(kProduct).IsPackagePresent());
}

TEST_F(OpenOfficeSwitchTest, VersionsTwoAndThreeOfBothRootsAreListedWithTheStateOfTheirProfile) {
  for (const wchar_t* version : {L"1.1.5", L"2.4", L"3.1", L"Common", L"4.0"}) Register(HKEY_LOCAL_MACHINE, version);
  Register(HKEY_CURRENT_USER, L"2.0");
  WriteProfile(3, f::kAddonsFull);
  test::WriteFile(Office(3) / L"Addons.xcu.old", "");
  // No version 2 profile: that user never started OpenOffice.org 2.
  COpenOfficeSW sw(kProduct);
  EXPECT_EQ(sw.CollectPlugins(), 3);
  PluginList records;
  sw.GetPlugins(records);
  EXPECT_EQ(records, (PluginList{Record(L"2.4", 0), Record(L"3.1", 1), Record(L"2.0", 0)}));

  WriteProfile(2, f::kAddonsFull);
  test::WriteFile(Office(2) / L"Addons.xcu.old", "");
  EXPECT_EQ(Detected(), (PluginList{Record(L"2.4", 1), Record(L"3.1", 1), Record(L"2.0", 1)}));
  COpenOfficeSW host(kProduct);
  EXPECT_EQ(host.GetHostInfo(), (CPlugSt{L"OpenOffice", 1024}));
}

TEST_F(OpenOfficeSwitchTest, NoVersionIsListedWithoutTheOpenOfficeKey) {
  WriteProfile(3, f::kAddonsFull);
  EXPECT_EQ(COpenOfficeSW(kProduct).CollectPlugins(), 0);
}

TEST_F(OpenOfficeSwitchTest, SwitchingOnMergesEveryFragmentAndCopiesTheBasicLibrary) {
  Register(HKEY_LOCAL_MACHINE, L"3.1");
  WriteProfile(3, f::kAddonsMenuOnly);
  const Tree before = Snapshot(User(3));
  const PluginList result = Apply({Record(L"3.1", 1)});
  EXPECT_EQ(result[0].state, 1);

  const Tree after = Snapshot(User(3));
  const std::string addons = after.at(L"registry\\data\\org\\openoffice\\Office\\Addons.xcu");
  // The toolbar goes after the AddonUI line with its own closing line; the menu entries go after
  // the existing menu bar line; the images find no anchor of their own.
  EXPECT_EQ(addons, ooo::EnableAddons(f::kAddonsMenuOnly, TemplateBytes(L"Addons.xcu")).text);
  EXPECT_NE(addons.find(" <node oor:name=\"AddonUI\">\n  <node oor:name=\"OfficeToolBar\">\n   <node oor:name=\"VANTO.Translate\""),
            std::string::npos);
  EXPECT_NE(addons.find("  <node oor:name=\"OfficeMenuBar\">\n   <node oor:name=\"vanto.TopMenu\" oor:op=\"replace\">"),
            std::string::npos);
  EXPECT_EQ(addons.find("vanto.Icon."), std::string::npos);
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
    EXPECT_EQ(after.at(std::wstring(L"basic\\Vanto\\") + file), TemplateBytes((std::wstring(L"Vanto\\") + file).c_str()));
  EXPECT_EQ(after.at(L"basic\\script.xlc.old"), f::kScriptXlc);
  EXPECT_EQ(after.at(L"basic\\script.xlc"), ooo::EnableLibraries(f::kScriptXlc, TemplateBytes(L"script.xlc")));
  EXPECT_NE(after.at(L"basic\\script.xlc").find(" <library:library library:name=\"Vanto\""), std::string::npos);

  // Nothing else came or went: no temporary file stays.
  Tree added;
  for (const auto& [name, bytes] : after)
    if (!before.count(name)) added[name] = bytes;
  std::vector<std::wstring> names;
  for (const auto& entry : added) names.push_back(entry.first);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"basic\\Vanto", L"basic\\Vanto\\Icons.xba", L"basic\\Vanto\\Module1.xba",
                                              L"basic\\Vanto\\script.xlb", L"basic\\script.xlc.old",
                                              L"registry\\data\\org\\openoffice\\Office\\Addons.xcu.old",
                                              L"registry\\data\\org\\openoffice\\Office\\Events.xcu"}));
  EXPECT_EQ(Detected(), PluginList{Record(L"3.1", 1)});
  EXPECT_TRUE(LogTexts().empty());

  // Switching on again finds the marker and leaves every file alone.
  EXPECT_EQ(Apply({Record(L"3.1", 1)})[0].state, 1);
  EXPECT_EQ(Snapshot(User(3)), after);
}

struct RoundTripCase {
  const char* label;
  int version;
  std::optional<std::string_view> addons;
  std::string_view extraLines;  // put between the lines of every rewritten file
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

void PrintTo(const RoundTripCase& c, std::ostream* out) { *out << c.label; }

class OpenOfficeRoundTrip : public OpenOfficeSwitchTest, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(OpenOfficeRoundTrip, SwitchingOnThenOffLeavesTheProfileAsItWasButForLineEndsAndEmptyLines) {
  const RoundTripCase& c = GetParam();
  const std::wstring version = c.version == 2 ? L"2.4" : L"3.1";
  Register(HKEY_LOCAL_MACHINE, version);
  WriteProfile(c.version, c.addons);
  if (!c.extraLines.empty())
    for (const auto& entry : fs::recursive_directory_iterator(User(c.version)))
      if (entry.is_regular_file()) test::WriteFile(entry.path(), Loosened(test::ReadFile(entry.path()), c.extraLines));
  const Tree before = Snapshot(User(c.version));

  EXPECT_EQ(Apply({Record(version, 1)})[0].state, 1);
  EXPECT_EQ(Detected()[0].state, 1);
  EXPECT_EQ(Apply({Record(version, 0)})[0].state, 0);
  EXPECT_EQ(Detected()[0].state, 0);

  Tree expected;
  for (const auto& [name, bytes] : before) expected[name] = AfterRoundTrip(name, bytes);
  const std::wstring addons = L"registry\\data\\org\\openoffice\\Office\\Addons.xcu";
  if (!c.addons) {
    // The template became the whole file; switching off leaves its empty sections.
    expected[addons] = Rewritten(ooo::DisableAddons(TemplateBytes(L"Addons.xcu")).value(), "\r\n");
  } else if (*c.addons == f::kAddonsMenuOnly) {
    // The toolbar section the file lacked came with its closing line and stays, empty.
    const std::string parent = " <node oor:name=\"AddonUI\">\r\n";
    std::string& file = expected[addons];
    file.insert(file.find(parent) + parent.size(), "  <node oor:name=\"OfficeToolBar\">\r\n  </node>\r\n");
  }
  EXPECT_EQ(Snapshot(User(c.version)), expected);
  EXPECT_TRUE(LogTexts().empty());
}

const RoundTripCase kRoundTrips[] = {
    {"Version3AllSections", 3, f::kAddonsFull, ""},
    {"Version3MenuOnly", 3, f::kAddonsMenuOnly, ""},
    {"Version2AllSections", 2, f::kAddonsFull, ""},
    {"Version2WithoutAddons", 2, std::nullopt, ""},
    {"Version3WithCrLfAndEmptyLines", 3, f::kAddonsFull, "\r\n\n"},
};

INSTANTIATE_TEST_SUITE_P(Profiles, OpenOfficeRoundTrip, ::testing::ValuesIn(kRoundTrips),
                         [](const auto& param) { return std::string(param.param.label); });

// This once counted as switched on, and the hand-off then started Writer as if the integration
// were in it: a version never started has no profile to take it, so switching on fails.
TEST_F(OpenOfficeSwitchTest, SwitchingOnAVersionWithoutProfileFailsAndChangesNothing) {
  Register(HKEY_LOCAL_MACHINE, L"3.1");
  BoxRecorder boxes;
  const PluginList records = Apply({Record(L"3.1", 1)}, 0);
  EXPECT_EQ(records[0].state, 0);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, std::wstring(kEmbedFailed) + kProduct + L"\"\r\n" + kContactSupport);
  EXPECT_EQ(Snapshot(AppData()), Tree{});
  EXPECT_EQ(LogTexts(), std::vector<std::wstring>{L"OpenOffice.org Writer 3.1#VANTO for OpenOffice#No records in Application Data"});
  EXPECT_EQ(Detected(), PluginList{Record(L"3.1", 0)});
  // Switching off there has nothing to do and is no failure.
  EXPECT_EQ(Apply({Record(L"3.1", 0)}, 0)[0].state, 0);
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(Snapshot(AppData()), Tree{});
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
  const Tree version2 = Snapshot(User(2));
  EXPECT_EQ(Apply({Record(L"3.2.1", 1)})[0].state, 1);
  EXPECT_TRUE(fs::exists(Office(3) / L"Addons.xcu.old"));
  EXPECT_EQ(Snapshot(User(2)), version2);
  EXPECT_EQ(Detected(), PluginList{Record(L"3.2.1", 1)});
  EXPECT_EQ(Apply({Record(L"3.2.1", 0)})[0].state, 0);
  EXPECT_FALSE(fs::exists(Office(3) / L"Addons.xcu.old"));
  EXPECT_EQ(Detected(), PluginList{Record(L"3.2.1", 0)});
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

  EXPECT_EQ(Apply({Record(L"2.4", 1)})[0].state, 1);
  EXPECT_EQ(test::ReadFile(events), TemplateBytes(L"Events.xcu"));
  EXPECT_EQ(test::ReadFile(kept), own);
  // A second switch-on (the marker went missing) keeps the user's file, not the suite's.
  fs::remove(Office(2) / L"Addons.xcu.old");
  EXPECT_EQ(Apply({Record(L"2.4", 1)})[0].state, 1);
  EXPECT_EQ(test::ReadFile(kept), own);
  EXPECT_EQ(test::ReadFile(events), TemplateBytes(L"Events.xcu"));

  EXPECT_EQ(Apply({Record(L"2.4", 0)})[0].state, 0);
  EXPECT_EQ(test::ReadFile(events), own);
  EXPECT_FALSE(fs::exists(kept));

  // The user changes the binding while the integration is off: the next round trip keeps that one.
  const std::string changed = own + "<!-- changed -->";
  test::WriteFile(events, changed);
  EXPECT_EQ(Apply({Record(L"2.4", 1)})[0].state, 1);
  EXPECT_EQ(test::ReadFile(kept), changed);
  EXPECT_EQ(Apply({Record(L"2.4", 0)})[0].state, 0);
  EXPECT_EQ(test::ReadFile(events), changed);

  // Without a file of the user's, switching off leaves none, and a stale kept file is not brought
  // back.
  fs::remove(events);
  test::WriteFile(kept, "stale");
  EXPECT_EQ(Apply({Record(L"2.4", 1)})[0].state, 1);
  EXPECT_FALSE(fs::exists(kept));
  EXPECT_EQ(Apply({Record(L"2.4", 0)})[0].state, 0);
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
  ASSERT_EQ(Apply({Record(L"3.1", 1)})[0].state, 1);
  {
    // The kept file held open by another program cannot be moved.
    const fs::path kept = Office(3) / L"Events.xcu.user";
    const win::UniqueFile held(
        ::CreateFileW(kept.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.valid());
    EXPECT_EQ(Apply({Record(L"3.1", 0)})[0].state, 1);
  }
  EXPECT_EQ(test::ReadFile(Office(3) / L"Events.xcu.user"), "<own/>");
  EXPECT_EQ(Detected()[0].state, 1);
  EXPECT_EQ(LogTexts(), std::vector<std::wstring>{
                            L"OpenOffice.org Writer 3.1#VANTO for OpenOffice#Can't unregister addin"});
  EXPECT_EQ(Apply({Record(L"3.1", 0)})[0].state, 0);
  EXPECT_EQ(test::ReadFile(events), "<own/>");
}

// The marker is written only when Addons.xcu holds the suite's nodes, and a marker that cannot be
// written leaves the user's event binding in place.
TEST_F(OpenOfficeSwitchTest, SwitchingOnFailsWhenTheSuiteNodesOrTheMarkerCannotBeWritten) {
  Register(HKEY_LOCAL_MACHINE, L"3.1");
  WriteProfile(3, std::nullopt);
  // A template without the suite's nodes becomes the whole Addons.xcu: no integration.
  test::WriteFile(Suite() / L"OOInst\\Addons.xcu", std::string(f::kAddonsMenuOnly));
  EXPECT_EQ(Apply({Record(L"3.1", 1)})[0].state, 0);
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
  EXPECT_EQ(Apply({Record(L"3.1", 1)})[0].state, 0);
  EXPECT_EQ(test::ReadFile(Office(3) / L"Events.xcu"), "<own/>");
  EXPECT_FALSE(fs::exists(Office(3) / L"Events.xcu.user"));
  EXPECT_EQ(Detected()[0].state, 0);
}

TEST_F(OpenOfficeSwitchTest, AProfileWithoutBasicFolderIsSwitchedWithoutTheLibrary) {
  Register(HKEY_LOCAL_MACHINE, L"2.4");
  WriteProfile(2, f::kAddonsFull, false);
  const Tree before = Snapshot(User(2));
  EXPECT_EQ(Apply({Record(L"2.4", 1)})[0].state, 1);
  EXPECT_FALSE(fs::exists(Basic(2)));
  EXPECT_TRUE(fs::exists(Office(2) / L"Addons.xcu.old"));
  EXPECT_EQ(Apply({Record(L"2.4", 0)})[0].state, 0);
  EXPECT_FALSE(fs::exists(Basic(2)));
  Tree expected;
  for (const auto& [name, bytes] : before) expected[name] = AfterRoundTrip(name, bytes);
  EXPECT_EQ(Snapshot(User(2)), expected);
  const std::wstring text =
      L"OpenOffice.org Writer 2.4#VANTO for OpenOffice#GetFileAttributes(strScripts) != FILE_ATTRIBUTE_DIRECTORY";
  EXPECT_EQ(LogTexts(), (std::vector<std::wstring>{text, text}));
}

// Failures part of the way through. Afterwards every profile file is as it was or fully rewritten,
// no temporary file stays, and a new detection reads the state the files are in.
enum class Fault {
  kAddonsTemplateMissing,
  kAccelTemplateMissing,
  kWindowStateReadOnly,
  kAcceleratorsHeld,
  kAddonsHeld,
  kLibraryListReadOnly,
  kBackupDeleted,
  kMarkerReadOnly,
  kAddonsTempBlocked,
  kLibraryTempBlocked,
  kAddonsWithoutAnchor,
  kAddonsOnOneLine,
  kWindowStateOnOneLine,
  kAcceleratorsOnOneLine,
  kLibraryListOnOneLine,
  kSuiteItemBesideTheUsers,
  kSuiteLibraryBesideTheUsers,
  kSuiteNodeEndBesideTheUsers,
  kToolbarNodeBesideTheStatesLine,
};

// Faults of a file the merges refuse: the switch-over fails before it rewrites any file.
bool IsRefusal(Fault fault) {
  switch (fault) {
    case Fault::kAddonsWithoutAnchor:
    case Fault::kAddonsOnOneLine:
    case Fault::kWindowStateOnOneLine:
    case Fault::kAcceleratorsOnOneLine:
    case Fault::kLibraryListOnOneLine:
    case Fault::kSuiteItemBesideTheUsers:
    case Fault::kSuiteLibraryBesideTheUsers:
    case Fault::kSuiteNodeEndBesideTheUsers:
    case Fault::kToolbarNodeBesideTheStatesLine: return true;
    default: return false;
  }
}

// `text` with its line ends taken out.
std::string OnOneLine(std::string text) {
  std::erase(text, '\n');
  return text;
}

// `file` rewritten with the first line holding `marker` joined to the line after it.
void JoinLineAfter(const fs::path& file, std::string_view marker) {
  std::string bytes = test::ReadFile(file);
  const size_t at = bytes.find(marker);
  ASSERT_NE(at, std::string::npos) << testing::PrintToString(file.wstring());
  bytes.erase(bytes.find('\n', at), 1);
  test::WriteFile(file, bytes);
}

struct FailureCase {
  const char* label;
  Fault fault;
  int wanted;             // the state asked for
  const wchar_t* logged;  // the failure's log text; none for a failed merge
  int detectedAfter;      // what a new detection reads afterwards
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.label; }

class OpenOfficeFailure : public OpenOfficeSwitchTest, public ::testing::WithParamInterface<FailureCase> {
 protected:
  // A profile file of `original` as switching on writes it in full ("<absent>" for one it never
  // writes).
  std::string Enabled(const Tree& original, const std::wstring& name) const {
    const auto was = original.find(name);
    const std::string bytes = was == original.end() ? std::string() : was->second;
    if (EndsWith(name, L"Addons.xcu")) return ooo::EnableAddons(bytes, TemplateBytes(L"Addons.xcu")).text;
    if (EndsWith(name, L"WriterWindowState.xcu"))
      return ooo::EnableWindowState(bytes, TemplateBytes(L"WriterWindowState.xcu")).value_or("<refused>");
    if (EndsWith(name, L"current.xml"))
      return ooo::EnableAccelerators(bytes, TemplateBytes(L"Accel.xml")).value_or("<refused>");
    if (EndsWith(name, L"Office\\Events.xcu")) return TemplateBytes(L"Events.xcu");
    if (EndsWith(name, L"Office\\Addons.xcu.old")) return "";
    if (name == L"basic\\Vanto") return "<folder>";
    if (name.rfind(L"basic\\Vanto\\", 0) == 0) return TemplateBytes(name.substr(6).c_str());
    return "<absent>";
  }
  // A profile file of `original` as switching off writes it back ("<absent>" for one it never
  // writes).
  static std::string Disabled(const Tree& original, const std::wstring& name) {
    const auto was = original.find(name);
    return was == original.end() ? "<absent>" : AfterRoundTrip(name, was->second);
  }
};

TEST_P(OpenOfficeFailure, LeavesEveryFileWholeAndTheStateReadable) {
  const FailureCase& c = GetParam();
  Register(HKEY_LOCAL_MACHINE, L"3.1");
  WriteProfile(3, f::kAddonsFull);
  const Tree original = Snapshot(User(3));
  if (c.wanted == 0) {
    ASSERT_EQ(Apply({Record(L"3.1", 1)})[0].state, 1);
  }
  // The profile as the failing switch-over meets it (a file held open cannot be read for it).
  Tree faulty;
  std::optional<win::UniqueFile> held;
  const auto hold = [&](const fs::path& file) {
    held.emplace(::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held->valid());
  };
  const auto readOnly = [](const fs::path& file) { ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY); };
  const bool blocks = c.fault == Fault::kAddonsTempBlocked || c.fault == Fault::kLibraryTempBlocked;
  if (!blocks) faulty = Snapshot(User(3));
  switch (c.fault) {
    case Fault::kAddonsTemplateMissing: fs::remove(Suite() / L"OOInst\\Addons.xcu"); break;
    case Fault::kAccelTemplateMissing: fs::remove(Suite() / L"OOInst\\Accel.xml"); break;
    case Fault::kWindowStateReadOnly: readOnly(Office(3) / L"UI\\WriterWindowState.xcu"); break;
    case Fault::kAcceleratorsHeld: hold(Accelerators(3) / L"de\\current.xml"); break;
    case Fault::kAddonsHeld: hold(Office(3) / L"Addons.xcu"); break;
    case Fault::kLibraryListReadOnly: readOnly(Basic(3) / L"script.xlc"); break;
    case Fault::kBackupDeleted:
      fs::remove(Basic(3) / L"script.xlc.old");
      faulty.erase(L"basic\\script.xlc.old");
      break;
    case Fault::kMarkerReadOnly: readOnly(Office(3) / L"Addons.xcu.old"); break;
    // A folder where the temporary file would go: it cannot be created.
    case Fault::kAddonsTempBlocked: fs::create_directory(Office(3) / L"AddonsTemp.xcu"); break;
    case Fault::kLibraryTempBlocked: fs::create_directory(Basic(3) / L"script.xlc.tmp"); break;
    // Files the merge cannot take the suite nodes into without losing or misplacing lines.
    case Fault::kAddonsWithoutAnchor:
      test::WriteFile(Office(3) / L"Addons.xcu",
                      "<?xml version=\"1.0\"?>\n<oor:component-data oor:name=\"Addons\"/>\n");
      faulty = Snapshot(User(3));
      break;
    case Fault::kAddonsOnOneLine: {
      std::string oneLine(f::kAddonsFull);
      std::erase(oneLine, '\n');
      test::WriteFile(Office(3) / L"Addons.xcu", oneLine);
      faulty = Snapshot(User(3));
      break;
    }
    // A start line carrying more than its tag, and, switching off, the suite's entry on a line with
    // the user's: lines put after such a line, or dropped with it, would break the user's file.
    case Fault::kWindowStateOnOneLine:
      test::WriteFile(Office(3) / L"UI\\WriterWindowState.xcu", OnOneLine(std::string(f::kWindowState)));
      faulty = Snapshot(User(3));
      break;
    case Fault::kAcceleratorsOnOneLine:
      test::WriteFile(Accelerators(3) / L"en-US\\current.xml", OnOneLine(std::string(f::kCurrentXml)));
      faulty = Snapshot(User(3));
      break;
    case Fault::kLibraryListOnOneLine:
      test::WriteFile(Basic(3) / L"script.xlc", OnOneLine(std::string(f::kScriptXlc)));
      faulty = Snapshot(User(3));
      break;
    case Fault::kSuiteItemBesideTheUsers:
      JoinLineAfter(Accelerators(3) / L"en-US\\current.xml", "Vanto.Module1.TranslateAll");
      faulty = Snapshot(User(3));
      break;
    case Fault::kSuiteLibraryBesideTheUsers:
      JoinLineAfter(Basic(3) / L"script.xlc", "library:name=\"Vanto\"");
      faulty = Snapshot(User(3));
      break;
    // The line that ends the suite's menu node also holds the line after it.
    case Fault::kSuiteNodeEndBesideTheUsers: {
      const fs::path file = Office(3) / L"Addons.xcu";
      std::string bytes = test::ReadFile(file);
      const size_t end = bytes.find("\n   </node>\n", bytes.find("vanto.TopMenu"));
      ASSERT_NE(end, std::string::npos);
      bytes.erase(end + 11, 1);
      test::WriteFile(file, bytes);
      faulty = Snapshot(User(3));
      break;
    }
    case Fault::kToolbarNodeBesideTheStatesLine:
      JoinLineAfter(Office(3) / L"UI\\WriterWindowState.xcu", "oor:name=\"States\"");
      faulty = Snapshot(User(3));
      break;
  }

  if (blocks) faulty = Snapshot(User(3));

  BoxRecorder boxes;
  const PluginList records = Apply({Record(L"3.1", c.wanted)}, 0);
  EXPECT_EQ(records[0].state, 1 - c.wanted);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text,
            std::wstring(kEmbedFailed) + kProduct + L"\"\r\n" + kContactSupport);
  EXPECT_EQ(LogTexts(), c.logged ? std::vector<std::wstring>{std::wstring(L"OpenOffice.org Writer 3.1#VANTO for OpenOffice#") + c.logged}
                                 : std::vector<std::wstring>{});
  held.reset();
  for (const auto& entry : fs::recursive_directory_iterator(User(3)))
    ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);

  // Each file: untouched, or what the whole switch-over writes into it.
  const Tree after = Snapshot(User(3));
  if (IsRefusal(c.fault)) {
    EXPECT_EQ(after, faulty);
  }
  for (const auto& [name, bytes] : after) {
    const bool temporary = name.find(L"Temp.") != std::wstring::npos || EndsWith(name, L".tmp");
    EXPECT_FALSE(temporary && bytes != "<folder>") << "left behind: " << testing::PrintToString(name);
    const auto was = faulty.find(name);
    if (was != faulty.end() && was->second == bytes) continue;
    EXPECT_EQ(bytes, c.wanted == 0 ? Disabled(original, name) : Enabled(original, name)) << testing::PrintToString(name);
  }
  // Files that went away: only what switching off removes.
  for (const auto& [name, bytes] : faulty)
    if (!after.count(name)) {
      EXPECT_EQ(c.wanted, 0) << "lost: " << testing::PrintToString(name);
    }

  const bool marked = fs::exists(Office(3) / L"Addons.xcu.old");
  EXPECT_EQ(marked, c.detectedAfter == 1);
  EXPECT_EQ(Detected()[0].state, c.detectedAfter);
}

const FailureCase kFailures[] = {
    // Switching on.
    {"AddonsTemplateMissing", Fault::kAddonsTemplateMissing, 1, nullptr, 0},
    {"AcceleratorTemplateMissing", Fault::kAccelTemplateMissing, 1, nullptr, 0},
    {"WindowStateReadOnly", Fault::kWindowStateReadOnly, 1, nullptr, 0},
    {"AcceleratorsHeldOpen", Fault::kAcceleratorsHeld, 1, nullptr, 0},
    {"AddonsHeldOpen", Fault::kAddonsHeld, 1, nullptr, 0},
    // The marker comes before the library list, so the profile reads as switched on.
    {"LibraryListReadOnly", Fault::kLibraryListReadOnly, 1, L"Can't register addin", 1},
    // Switching off.
    {"AddonsHeldOpenOff", Fault::kAddonsHeld, 0, nullptr, 1},
    {"BackupOfLibraryListDeleted", Fault::kBackupDeleted, 0, L"Can't unregister addin", 0},
    {"MarkerReadOnly", Fault::kMarkerReadOnly, 0, L"Can't delete Addons.xcu.old", 1},
    {"AddonsTemporaryFileBlocked", Fault::kAddonsTempBlocked, 1, nullptr, 0},
    {"LibraryTemporaryFileBlocked", Fault::kLibraryTempBlocked, 1, L"Can't register addin", 1},
    {"LibraryTemporaryFileBlockedOff", Fault::kLibraryTempBlocked, 0, L"Can't unregister addin", 0},
    // Once copied as they were, with the marker written as if the nodes were in.
    {"AddonsWithoutAnyAnchor", Fault::kAddonsWithoutAnchor, 1, nullptr, 0},
    {"AddonsOnOneLine", Fault::kAddonsOnOneLine, 1, nullptr, 0},
    // Once merged with the inserted lines inside or after another element (the library list after
    // the marker, so the profile read as switched on); switching off dropped the user's entry too.
    {"WindowStateOnOneLine", Fault::kWindowStateOnOneLine, 1, nullptr, 0},
    {"AcceleratorsOnOneLine", Fault::kAcceleratorsOnOneLine, 1, nullptr, 0},
    {"LibraryListOnOneLine", Fault::kLibraryListOnOneLine, 1, nullptr, 0},
    {"SuiteItemBesideTheUsersOff", Fault::kSuiteItemBesideTheUsers, 0, nullptr, 1},
    {"SuiteLibraryBesideTheUsersOff", Fault::kSuiteLibraryBesideTheUsers, 0, nullptr, 1},
    {"SuiteNodeEndBesideTheUsersOff", Fault::kSuiteNodeEndBesideTheUsers, 0, nullptr, 1},
    {"ToolbarNodeBesideTheStatesLineOff", Fault::kToolbarNodeBesideTheStatesLine, 0, nullptr, 1},
};

INSTANTIATE_TEST_SUITE_P(Faults, OpenOfficeFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& param) { return std::string(param.param.label); });

}  // namespace
}  // namespace officetest

namespace officetest {
namespace {

// The demo installation's OpenOffice.org 2.4 and 3.1, in the prefix's real registry and the user's
// real application-data folder: both found switched off, and each switched on and off again
// leaves its profile as it was but for what switching off rewrites.
struct DemoProfile {
  const wchar_t* version;
  const wchar_t* user;          // below the application-data folder
  bool menuBar;                 // Addons.xcu has an OfficeMenuBar section
  const char* sectionLeft;      // the section switching on added after the AddonUI line, left empty
};
constexpr DemoProfile kDemoProfiles[] = {
    {L"2.4", L"OpenOffice.org2\\user", false, "  <node oor:name=\"OfficeMenuBar\">\r\n  </node>\r\n"},
    {L"3.1", L"OpenOffice.org\\3\\user", true, "  <node oor:name=\"OfficeToolBar\">\r\n  </node>\r\n"},
};

TEST(OpenOfficeDemo, Versions24And31AreFoundOffAndSwitchOnAndOffBackToTheirProfiles) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  const fs::path appData = COpenOfficeSW::ApplicationData();
  COpenOfficeSW sw(kProduct);
  EXPECT_TRUE(sw.IsPackagePresent());
  ASSERT_EQ(sw.CollectPlugins(), 2);
  PluginList records;
  sw.GetPlugins(records);
  EXPECT_EQ(records, (PluginList{Record(L"2.4", 0), Record(L"3.1", 0)}));
  EXPECT_TRUE(fs::exists(installation.Folder() / L"OpenOffice\\OOInst\\Vanto\\Module1.xba"));

  std::map<std::wstring, Tree> before;
  for (const DemoProfile& profile : kDemoProfiles) {
    const fs::path user = appData / profile.user;
    before[profile.version] = Snapshot(user);
    const Tree& files = before[profile.version];
    const std::string addons = files.at(L"registry\\data\\org\\openoffice\\Office\\Addons.xcu");
    EXPECT_EQ(addons.find("<node oor:name=\"OfficeMenuBar\">") != std::string::npos, profile.menuBar);
    for (const wchar_t* file : {L"config\\soffice.cfg\\modules\\swriter\\accelerator\\en-US\\current.xml",
                                L"config\\soffice.cfg\\modules\\swriter\\accelerator\\de\\current.xml",
                                L"registry\\data\\org\\openoffice\\Office\\UI\\WriterWindowState.xcu",
                                L"basic\\script.xlc"})
      EXPECT_TRUE(files.count(file)) << testing::PrintToString(std::wstring(file));
  }

  for (auto& record : records) record.state = 1;
  EXPECT_EQ(sw.ApplyStates(records, 1), 0);
  PluginList detected;
  COpenOfficeSW on(kProduct);
  on.CollectPlugins();
  on.GetPlugins(detected);
  EXPECT_EQ(detected, (PluginList{Record(L"2.4", 1), Record(L"3.1", 1)}));
  for (const DemoProfile& profile : kDemoProfiles)
    EXPECT_NE(test::ReadFile(appData / profile.user / L"basic\\script.xlc").find("library:name=\"Vanto\""),
              std::string::npos);

  for (auto& record : records) record.state = 0;
  EXPECT_EQ(on.ApplyStates(records, 1), 0);
  for (const DemoProfile& profile : kDemoProfiles) {
    Tree expected;
    for (const auto& [name, bytes] : before[profile.version]) expected[name] = AfterRoundTrip(name, bytes);
    std::string& addons = expected[L"registry\\data\\org\\openoffice\\Office\\Addons.xcu"];
    const std::string parent = " <node oor:name=\"AddonUI\">\r\n";
    addons.insert(addons.find(parent) + parent.size(), profile.sectionLeft);
    EXPECT_EQ(Snapshot(appData / profile.user), expected) << testing::PrintToString(std::wstring(profile.version));
  }
}

}  // namespace
}  // namespace officetest
