// The OpenOffice.org profile merges on files shaped as OpenOffice.org 3 writes them: what enabling
// inserts and where, what disabling removes, line ends, and the round trip.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ProfileFiles.h"
#include "switches/ooo/ByteLines.h"
#include "switches/ooo/OooMerge.h"
#include "switches/ooo/SuiteEvents.h"

namespace {

using namespace ooo;
namespace f = ooo::files;

std::string Crlf(std::string_view lf) {
  std::string out;
  for (char c : lf) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

TEST(OooLines, LineEndsAndEmptyLines) {
  struct Case {
    std::string_view text;
    std::vector<std::string_view> lines;
  } cases[] = {
      {"", {}},
      {"a\nb", {"a", "b"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"\n\r\n\na\n\n", {"a"}},
      {"a\rb\n", {"a", "b"}},        // a lone carriage return ends a line, as in XML
      {"a\rb\rc", {"a", "b", "c"}},  // old Mac line ends
      {"a\r", {"a"}},
      {"\r\r\n", {}},
      {"a\n\rb", {"a", "b"}},  // LF CR is two line ends
  };
  for (const Case& c : cases) EXPECT_EQ(NonEmptyLines(c.text), c.lines) << testing::PrintToString(c.text);
  // A user's file keeps its empty lines; CR LF is one line end, LF CR two.
  const Case all[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\n\r\n\na\n\n", {"", "", "", "a", ""}},
      {"a\r\rb\r", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},
      {"\r\r\n", {"", ""}},
  };
  for (const Case& c : all) EXPECT_EQ(Lines(c.text), c.lines) << testing::PrintToString(c.text);
}

// Every section the file lacks goes after the parent line, whole and in the template's order; it
// once got only the first, so the images came with the second switch-on.
TEST(OooAddons, EnableWithoutToolbarAndImagesPutsBothAfterTheParent) {
  const AddonsMerge merged = EnableAddons(f::kAddonsMenuOnly, f::kAddonsTemplate);
  ASSERT_EQ(merged.outcome, AddonsMerge::Outcome::kMerged);
  EXPECT_EQ(merged.text, R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:component-data xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" oor:name="Addons" oor:package="org.openoffice.Office">
 <node oor:name="AddonUI">
  <node oor:name="OfficeToolBar">
   <node oor:name="VANTO.Translate" oor:op="replace">
    <node oor:name="m1" oor:op="replace">
     <prop oor:name="URL" oor:type="xs:string">
      <value>vnd.sun.star.script:Vanto.Module1.TranslateSel?language=Basic&amp;location=application</value>
     </prop>
    </node>
   </node>
  </node>
  <node oor:name="Images">
   <node oor:name="vanto.Icon.TranslateSel" oor:op="replace">
    <node oor:name="UserDefinedImages">
     <prop oor:name="ImageSmallURL">
      <value>%origin%/Vanto/sel16.bmp</value>
     </prop>
    </node>
   </node>
  </node>
  <node oor:name="OfficeMenuBar">
   <node oor:name="vanto.TopMenu" oor:op="replace">
    <prop oor:name="Title" oor:type="xs:string">
     <value xml:lang="en-US">VANTO</value>
    </prop>
   </node>
   <node oor:name="org.openoffice.example.Menu" oor:op="replace">
    <prop oor:name="Title" oor:type="xs:string">
     <value xml:lang="en-US">Example</value>
    </prop>
   </node>
  </node>
 </node>
</oor:component-data>
)");
}

TEST(OooAddons, EnablePutsEachSectionFirstInTheFilesOwnSection) {
  const AddonsMerge merged = EnableAddons(f::kAddonsFull, f::kAddonsTemplate);
  ASSERT_EQ(merged.outcome, AddonsMerge::Outcome::kMerged);
  EXPECT_EQ(merged.text, R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:component-data xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" oor:name="Addons" oor:package="org.openoffice.Office">
 <node oor:name="AddonUI">
  <node oor:name="OfficeToolBar">
   <node oor:name="VANTO.Translate" oor:op="replace">
    <node oor:name="m1" oor:op="replace">
     <prop oor:name="URL" oor:type="xs:string">
      <value>vnd.sun.star.script:Vanto.Module1.TranslateSel?language=Basic&amp;location=application</value>
     </prop>
    </node>
   </node>
   <node oor:name="org.openoffice.example.Bar" oor:op="replace">
    <prop oor:name="Title" oor:type="xs:string">
     <value>Example</value>
    </prop>
   </node>
  </node>
  <node oor:name="Images">
   <node oor:name="vanto.Icon.TranslateSel" oor:op="replace">
    <node oor:name="UserDefinedImages">
     <prop oor:name="ImageSmallURL">
      <value>%origin%/Vanto/sel16.bmp</value>
     </prop>
    </node>
   </node>
   <node oor:name="org.openoffice.example.Image" oor:op="replace">
    <prop oor:name="URL">
     <value>.uno:Example</value>
    </prop>
   </node>
  </node>
  <node oor:name="OfficeMenuBar">
   <node oor:name="vanto.TopMenu" oor:op="replace">
    <prop oor:name="Title" oor:type="xs:string">
     <value xml:lang="en-US">VANTO</value>
    </prop>
   </node>
   <node oor:name="org.openoffice.example.Menu" oor:op="replace">
    <prop oor:name="Title" oor:type="xs:string">
     <value xml:lang="en-US">Example</value>
    </prop>
   </node>
  </node>
 </node>
</oor:component-data>
)");
}

TEST(OooAddons, EnablingAMergedFileLeavesItAlone) {
  const std::string once = EnableAddons(f::kAddonsFull, f::kAddonsTemplate).text;
  EXPECT_TRUE(HoldsSuiteNodes(once));
  EXPECT_FALSE(HoldsSuiteNodes(f::kAddonsFull));
  for (std::string_view merged : {std::string_view(once), f::kAddonsTemplate}) {
    const AddonsMerge again = EnableAddons(merged, f::kAddonsTemplate);
    EXPECT_EQ(again.outcome, AddonsMerge::Outcome::kAlreadyMerged);
    EXPECT_EQ(again.text, "");
  }
}

TEST(OooAddons, EnableWithoutAnyAnchorIsRefused) {
  // No " <node oor:name="AddonUI">" line: nothing to anchor on. This once came back as the same
  // lines, and the switch then marked the profile as switched on with no suite node in it.
  const std::string_view bare =
      "<?xml version=\"1.0\"?>\r\n\r\n<oor:component-data oor:name=\"Addons\"/>\r\n";
  const AddonsMerge merged = EnableAddons(bare, f::kAddonsTemplate);
  EXPECT_EQ(merged.outcome, AddonsMerge::Outcome::kRefused);
  EXPECT_EQ(merged.text, "");
}

// With its lines joined by `eol` instead of line feeds.
std::string WithLineEnds(std::string_view lf, std::string_view eol) {
  std::string out;
  for (char c : lf) {
    if (c == '\n') {
      out += eol;
    } else {
      out += c;
    }
  }
  return out;
}

// A line that anchors a section is merged by lines when it holds the anchor alone; a file whose
// anchor lines carry more is merged by its elements (OooLayoutTests) or, not well-formed, refused;
// never merged with content dropped.
TEST(OooAddons, AnAnchorLineThatCarriesMoreIsMergedOnlyWhenNothingIsLost) {
  using Outcome = AddonsMerge::Outcome;
  const std::string full = EnableAddons(f::kAddonsFull, f::kAddonsTemplate).text;
  const std::string menuOnly = EnableAddons(f::kAddonsMenuOnly, f::kAddonsTemplate).text;
  const std::string toolbar = "  <node oor:name=\"OfficeToolBar\">";
  struct Case {
    const char* name;
    std::string file;
    Outcome outcome;
    std::string text;
  } cases[] = {
      // Old Mac line ends are line ends: the same merge as with line feeds.
      {"CR only, all sections", WithLineEnds(f::kAddonsFull, "\r"), Outcome::kMerged, full},
      {"CR only, menu only", WithLineEnds(f::kAddonsMenuOnly, "\r"), Outcome::kMerged, menuOnly},
      // A lone CR and then CR LF: an empty line after each, which stays.
      {"CR only and CR LF mixed", WithLineEnds(f::kAddonsMenuOnly, "\r\r\n"), Outcome::kMerged,
       EnableAddons(WithLineEnds(f::kAddonsMenuOnly, "\n\n"), f::kAddonsTemplate).text},
      // Two section starts on one line: the nodes of the second once went nowhere while the file
      // counted as merged.
      {"two section starts on one line",
       std::string(f::kAddonsFull)
           .insert(f::kAddonsFull.find("  <node oor:name=\"OfficeToolBar\">"),
                   "  <node oor:name=\"Images\">"),
       Outcome::kRefused, ""},
      // Blanks around the anchor are no content; the user's line stays as it is.
      {"a section start with blanks after it",
       std::string(f::kAddonsFull)
           .replace(f::kAddonsFull.find(toolbar), toolbar.size(), "\t  " + toolbar + "  "),
       Outcome::kMerged,
       std::string(full).replace(full.find(toolbar), toolbar.size(), "\t  " + toolbar + "  ")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const AddonsMerge merged = EnableAddons(c.file, f::kAddonsTemplate);
    EXPECT_EQ(merged.outcome, c.outcome);
    EXPECT_EQ(merged.text, c.text);
  }
  // The parent line may carry more when it anchors nothing: every section is there.
  const std::string parentWithMore =
      std::string(f::kAddonsFull)
          .insert(f::kAddonsFull.find(" <node oor:name=\"AddonUI\">") + 26, "<!-- kept -->");
  const AddonsMerge merged = EnableAddons(parentWithMore, f::kAddonsTemplate);
  ASSERT_EQ(merged.outcome, Outcome::kMerged);
  EXPECT_NE(merged.text.find(" <node oor:name=\"AddonUI\"><!-- kept -->\n"), std::string::npos);
}

TEST(OooWindowState, EnableInsertsTheToolbarNodeAfterStates) {
  EXPECT_EQ(EnableWindowState(f::kWindowState, f::kWindowStateTemplate).value_or("<refused>"),
            R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:component-data xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" oor:name="WriterWindowState" oor:package="org.openoffice.Office.UI">
 <node oor:name="UIElements">
  <node oor:name="States">
   <node oor:name="private:resource/toolbar/addon_VANTO.Translate" oor:op="replace">
    <prop oor:name="Docked" oor:type="xs:boolean">
     <value>true</value>
    </prop>
    <prop oor:name="UIName" oor:type="xs:string">
     <value>VANTO</value>
    </prop>
   </node>
   <node oor:name="private:resource/toolbar/standardbar" oor:op="replace">
    <prop oor:name="DockPos" oor:type="xs:string">
     <value>0,0</value>
    </prop>
   </node>
  </node>
 </node>
</oor:component-data>
)");
}

TEST(OooAccelerators, EnableInsertsEveryTemplateLineAfterTheList) {
  EXPECT_EQ(EnableAccelerators(f::kCurrentXml, f::kAccelTemplate).value_or("<refused>"),
            R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE accel:acceleratorlist PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "accelerator.dtd">
<accel:acceleratorlist xmlns:accel="http://openoffice.org/2001/accel" xmlns:xlink="http://www.w3.org/1999/xlink">
 <accel:item accel:code="KEY_T" accel:mod1="true" accel:mod2="true" xlink:href="vnd.sun.star.script:Vanto.Module1.TranslateSel?language=Basic&amp;location=application"/>
 <accel:item accel:code="KEY_A" accel:mod1="true" accel:mod2="true" xlink:href="vnd.sun.star.script:Vanto.Module1.TranslateAll?language=Basic&amp;location=application"/>
 <accel:item accel:code="KEY_F7" xlink:href=".uno:SpellingAndGrammarDialog"/>
</accel:acceleratorlist>
)");
}

TEST(OooLibraries, EnableRegistersTheLibraryAfterTheList) {
  EXPECT_EQ(EnableLibraries(f::kScriptXlc, f::kScriptXlcTemplate).value_or("<refused>"),
            R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE library:libraries PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "libraries.dtd">
<library:libraries xmlns:library="http://openoffice.org/2000/library" xmlns:xlink="http://www.w3.org/1999/xlink">
 <library:library library:name="Vanto" xlink:href="$(USER)/basic/Vanto/script.xlb/" xlink:type="simple" library:link="false"/>
 <library:library library:name="Standard" xlink:href="$(USER)/basic/Standard/script.xlb/" xlink:type="simple" library:link="false"/>
</library:libraries>
)");
}

// Enable then disable: the file comes back as it was, but for what disabling changes on purpose.
TEST(OooRoundTrip, DisableUndoesEnable) {
  using Enable = std::string (*)(std::string_view, std::string_view);
  using Disable = std::optional<std::string> (*)(std::string_view);
  const std::string crlfWithEmptyLines =
      Crlf("<accel:acceleratorlist>\n\n <accel:item/>\n\n</accel:acceleratorlist>\n");
  const Enable enableAddons = [](std::string_view file, std::string_view t) {
    return EnableAddons(file, t).text;
  };
  const Enable enableWindowState = [](std::string_view file, std::string_view t) {
    return EnableWindowState(file, t).value_or("<refused>");
  };
  const Enable enableAccelerators = [](std::string_view file, std::string_view t) {
    return EnableAccelerators(file, t).value_or("<refused>");
  };
  const Enable enableLibraries = [](std::string_view file, std::string_view t) {
    return EnableLibraries(file, t).value_or("<refused>");
  };
  const std::string menuCrLf = Crlf(WithLineEnds(f::kAddonsMenuOnly, "\n\n"));
  const std::string windowStateCrLf = Crlf(WithLineEnds(f::kWindowState, "\n\n"));
  struct Case {
    const char* name;
    std::string_view file, templ;
    Enable enable;
    Disable disable;
    std::string expected;
  } cases[] = {
      // The .xcu files come back with CR LF.
      {"full Addons.xcu", f::kAddonsFull, f::kAddonsTemplate, enableAddons, DisableAddons,
       Crlf(f::kAddonsFull)},
      {"WriterWindowState.xcu", f::kWindowState, f::kWindowStateTemplate, enableWindowState,
       DisableWindowState, Crlf(f::kWindowState)},
      // The sections the file lacked go again; they once stayed behind, empty.
      {"Addons.xcu with a menu only", f::kAddonsMenuOnly, f::kAddonsTemplate, enableAddons, DisableAddons,
       Crlf(f::kAddonsMenuOnly)},
      // A CR LF file with empty lines comes back byte for byte.
      {"Addons.xcu, CR LF with empty lines", menuCrLf, f::kAddonsTemplate, enableAddons, DisableAddons,
       menuCrLf},
      {"WriterWindowState.xcu, CR LF with empty lines", windowStateCrLf, f::kWindowStateTemplate,
       enableWindowState, DisableWindowState, windowStateCrLf},
      // A last line without a line end gets one.
      {"Addons.xcu without a last line end", f::kAddonsFull.substr(0, f::kAddonsFull.size() - 1),
       f::kAddonsTemplate, enableAddons, DisableAddons, Crlf(f::kAddonsFull)},
      {"current.xml", f::kCurrentXml, f::kAccelTemplate, enableAccelerators, DisableAccelerators,
       std::string(f::kCurrentXml)},
      {"script.xlc", f::kScriptXlc, f::kScriptXlcTemplate, enableLibraries, DisableLibraries,
       std::string(f::kScriptXlc)},
      // current.xml is written with LF; its empty lines stay.
      {"current.xml with CR LF and empty lines", crlfWithEmptyLines, f::kAccelTemplate, enableAccelerators,
       DisableAccelerators, "<accel:acceleratorlist>\n\n <accel:item/>\n\n</accel:acceleratorlist>\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string enabled = c.enable(c.file, c.templ);
    EXPECT_NE(enabled, c.file);
    EXPECT_EQ(c.disable(enabled), c.expected);
  }
}

TEST(OooDisable, RemovesOnlyTheSuitesLines) {
  struct Case {
    const char* name;
    std::optional<std::string> (*disable)(std::string_view);
    std::string_view file;
    std::string expected;
  } cases[] = {
      // Every one of the nine suite nodes goes, deeper nodes inside them too; others stay.
      {"Addons.xcu", DisableAddons,
       "  <node oor:name=\"Images\">\n"
       "   <node oor:name=\"vanto.Icon.About\" oor:op=\"replace\">\n"
       "    <node oor:name=\"UserDefinedImages\">\n"
       "    </node>\n"
       "   </node>\n"
       "   <node oor:name=\"other.Icon\" oor:op=\"replace\">\n"
       "   </node>\n"
       "   <node oor:name=\"vanto.Icon.Setup\" oor:op=\"replace\">\n"
       "   </node>\n"
       "  </node>\n",
       Crlf("  <node oor:name=\"Images\">\n"
            "   <node oor:name=\"other.Icon\" oor:op=\"replace\">\n"
            "   </node>\n"
            "  </node>\n")},
      {"current.xml", DisableAccelerators,
       "<accel:acceleratorlist>\n"
       " <accel:item xlink:href=\"vnd.sun.star.script:Vanto.Module1.X\"/>\n"
       " <accel:item xlink:href=\"vnd.sun.star.script:vanto.module1.X\"/>\n"  // bytes, no case folding
       "</accel:acceleratorlist>",
       "<accel:acceleratorlist>\n"
       " <accel:item xlink:href=\"vnd.sun.star.script:vanto.module1.X\"/>\n"
       "</accel:acceleratorlist>\n"},
      {"script.xlc", DisableLibraries,
       " <library:library library:name=\"Vanto\" library:link=\"false\"/>\n"
       " <library:library library:name=\"VantoExtra\" library:link=\"false\"/>\n",
       " <library:library library:name=\"VantoExtra\" library:link=\"false\"/>\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.disable(c.file).value_or("<refused>"), c.expected) << c.name;
}

// The start line the suite's lines go after holds that alone (blanks aside) in the line merge: a
// file with old Mac line ends merges as with line feeds; one whose start line carries more is merged
// by its elements (more layouts in OooLayoutTests), or refused when it is not well-formed.
TEST(OooStartLines, AStartLineThatCarriesMoreIsMergedByElementsNeverMisplaced) {
  using Enable = std::optional<std::string> (*)(std::string_view, std::string_view);
  const std::string windowState = EnableWindowState(f::kWindowState, f::kWindowStateTemplate).value();
  const std::string accelerators = EnableAccelerators(f::kCurrentXml, f::kAccelTemplate).value();
  const std::string libraries = EnableLibraries(f::kScriptXlc, f::kScriptXlcTemplate).value();
  const std::string states = "  <node oor:name=\"States\">";
  const std::string accelList =
      R"(<accel:acceleratorlist xmlns:accel="http://openoffice.org/2001/accel" xmlns:xlink="http://www.w3.org/1999/xlink">)";
  const std::string libraryList =
      R"(<library:libraries xmlns:library="http://openoffice.org/2000/library" xmlns:xlink="http://www.w3.org/1999/xlink">)";
  const auto replaced = [](std::string_view text, const std::string& line, const std::string& by) {
    std::string out(text);
    return out.replace(out.find(line), line.size(), by);
  };
  const auto accelLines = Lines(f::kAccelTemplate);
  const std::string toolbarBlock =
      "\n  \t<node oor:name=\"private:resource/toolbar/addon_VANTO.Translate\" oor:op=\"replace\">"
      "\n  \t <prop oor:name=\"Docked\" oor:type=\"xs:boolean\">\n  \t  <value>true</value>\n  \t </prop>"
      "\n  \t <prop oor:name=\"UIName\" oor:type=\"xs:string\">\n  \t  <value>VANTO</value>\n  \t </prop>"
      "\n  \t</node>";
  struct Case {
    const char* name;
    Enable enable;
    std::string file;
    std::string_view templ;
    std::optional<std::string> expected;
  } cases[] = {
      // Line ends of any kind are line ends: the same merge as with line feeds.
      {"window state, CR only", EnableWindowState, WithLineEnds(f::kWindowState, "\r"),
       f::kWindowStateTemplate, windowState},
      {"window state, CR LF", EnableWindowState, WithLineEnds(f::kWindowState, "\r\n"),
       f::kWindowStateTemplate, windowState},
      {"current.xml, CR only", EnableAccelerators, WithLineEnds(f::kCurrentXml, "\r"), f::kAccelTemplate,
       accelerators},
      {"current.xml, CR LF", EnableAccelerators, WithLineEnds(f::kCurrentXml, "\r\n"), f::kAccelTemplate,
       accelerators},
      {"script.xlc, CR only", EnableLibraries, WithLineEnds(f::kScriptXlc, "\r"), f::kScriptXlcTemplate,
       libraries},
      // Blanks around the start line are no content; the line is kept as it is.
      {"window state, States with blanks", EnableWindowState,
       replaced(f::kWindowState, states, "\t" + states + " "), f::kWindowStateTemplate,
       replaced(windowState, states, "\t" + states + " ")},
      {"current.xml, list with blanks", EnableAccelerators,
       replaced(f::kCurrentXml, accelList, "  " + accelList + "\t"), f::kAccelTemplate,
       replaced(accelerators, accelList, "  " + accelList + "\t")},
      {"script.xlc, list after a byte order mark", EnableLibraries,
       replaced(f::kScriptXlc, libraryList, "\xEF\xBB\xBF" + libraryList), f::kScriptXlcTemplate,
       replaced(libraries, libraryList, "\xEF\xBB\xBF" + libraryList)},
      // Several elements on one line: the suite's lines go right after the start tag, each on a line
      // of its own, indented one tab deeper than the anchor's line; what followed the tag follows them.
      {"States with a node after it", EnableWindowState,
       replaced(f::kWindowState, states, states + "<node oor:name=\"x\"/>"), f::kWindowStateTemplate,
       replaced(f::kWindowState, states, states + toolbarBlock + "<node oor:name=\"x\"/>")},
      // An empty list element becomes a start and an end tag around them.
      {"an empty list element", EnableAccelerators, "<accel:acceleratorlist xmlns:accel=\"a\"/>\n",
       f::kAccelTemplate,
       "<accel:acceleratorlist xmlns:accel=\"a\">\n\t" + std::string(accelLines[0].substr(1)) + "\n\t" +
           std::string(accelLines[1].substr(1)) + "</accel:acceleratorlist>\n"},
      // Not well-formed: the list never ends.
      {"list with an item after it and no end", EnableAccelerators,
       replaced(replaced(f::kCurrentXml, "</accel:acceleratorlist>", ""), accelList,
                accelList + "<accel:item accel:code=\"KEY_F1\"/>"),
       f::kAccelTemplate, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.enable(c.file, c.templ), c.expected);
  }
}

// Switching off drops a line naming the suite's entry, or starting or ending a suite node, when it
// holds that alone; a line that holds more loses only the suite's element (cut with the line end
// and blanks before it when it starts its line). A file that is not well-formed is refused.
TEST(OooDisable, ALineThatHoldsMoreLosesOnlyTheSuitesEntry) {
  using Disable = std::optional<std::string> (*)(std::string_view);
  const std::string_view suiteItem =
      R"(<accel:item accel:code="KEY_T" xlink:href="vnd.sun.star.script:Vanto.Module1.TranslateSel?language=Basic"/>)";
  const std::string_view suiteLibrary = R"( <library:library library:name="Vanto" library:link="false"/>)";
  const std::string item(suiteItem), library(suiteLibrary);
  const std::string menu = R"(   <node oor:name="vanto.TopMenu" oor:op="replace">)";
  const std::string toolbar =
      R"(   <node oor:name="private:resource/toolbar/addon_VANTO.Translate" oor:op="replace">)";
  struct Case {
    const char* name;
    Disable disable;
    std::string file;
    std::optional<std::string> expected;
  } cases[] = {
      {"an item alone, blanks around", DisableAccelerators,
       "<accel:acceleratorlist>\r \t" + item +
           "\t \r <accel:item accel:code=\"KEY_F7\"/>\r</accel:acceleratorlist>",
       "<accel:acceleratorlist>\n <accel:item accel:code=\"KEY_F7\"/>\n</accel:acceleratorlist>\n"},
      {"the suite's item and the user's on one line", DisableAccelerators,
       "<accel:acceleratorlist>\n " + item +
           "<accel:item accel:code=\"KEY_F7\"/>\n</accel:acceleratorlist>\n",
       "<accel:acceleratorlist><accel:item accel:code=\"KEY_F7\"/>\n</accel:acceleratorlist>\n"},
      {"the list's start tag and the suite's item on one line", DisableAccelerators,
       "<accel:acceleratorlist>" + item + "\n</accel:acceleratorlist>\n",
       "<accel:acceleratorlist>\n</accel:acceleratorlist>\n"},
      {"the whole list on one line", DisableAccelerators,
       "<accel:acceleratorlist>" + item + "</accel:acceleratorlist>", "<accel:acceleratorlist/>"},
      // Not well-formed (no element at all; an element the suite's entry is the whole of).
      {"the item in a comment", DisableAccelerators, "<!-- " + item + " -->\n", std::nullopt},
      {"an item that goes on on the next line", DisableAccelerators,
       " <accel:item xlink:href=\"vnd.sun.star.script:Vanto.Module1.X\"\n accel:code=\"KEY_T\"/>\n",
       std::nullopt},
      {"a library alone", DisableLibraries, library + "\r\n <library:library library:name=\"Standard\"/>\r\n",
       " <library:library library:name=\"Standard\"/>\n"},
      {"the suite's library and the user's on one line", DisableLibraries,
       library + " <library:library library:name=\"Standard\"/>\n", std::nullopt},
      {"the user's library and the suite's on one line", DisableLibraries,
       " <library:library library:name=\"Standard\"/>" + library + "\n", std::nullopt},
      {"the suite's library as an open element", DisableLibraries,
       " <library:library library:name=\"Vanto\">\n </library:library>\n", std::nullopt},
      {"a suite node alone, blanks around", DisableAddons,
       "\t" + menu + " \n    <prop/>\n   </node> \t\n  </node>\n", "  </node>\r\n"},
      // Nothing to drop: the file stays as it is.
      {"the user's node ending with more, outside the suite's", DisableAddons,
       "   <node oor:name=\"mine\">\n   </node> <!-- mine -->\n",
       "   <node oor:name=\"mine\">\n   </node> <!-- mine -->\n"},
      {"the user's node and a suite node on one line", DisableAddons,
       "   <node oor:name=\"mine\"/>" + menu + "\n   </node>\n", std::nullopt},
      {"the section's start and a suite node on one line", DisableAddons,
       "  <node oor:name=\"OfficeMenuBar\">" + menu + "\n   </node>\n  </node>\n",
       "  <node oor:name=\"OfficeMenuBar\">   \n  </node>\n"},
      {"a suite node's end and the user's node on one line", DisableAddons,
       menu + "\n    <prop/>\n   </node><node oor:name=\"mine\"/>\n", std::nullopt},
      {"a suite node on one line", DisableAddons, menu + "<prop/></node>\n", std::nullopt},
      // A lone carriage return ends a line too.
      {"a suite node with CR line ends", DisableAddons, menu + "\r    <prop/>\r   </node>\rx", "x\r\n"},
      {"the toolbar's node alone", DisableWindowState,
       "  <node oor:name=\"States\">\n" + toolbar + "\n    <prop/>\n   </node>\n  </node>\n",
       "  <node oor:name=\"States\">\r\n  </node>\r\n"},
      {"the States line and the toolbar's node on one line", DisableWindowState,
       "  <node oor:name=\"States\">" + toolbar + "\n   </node>\n  </node>\n",
       "  <node oor:name=\"States\">   \n  </node>\n"},
      {"the toolbar's node ending with the States end", DisableWindowState,
       toolbar + "\n   </node>  </node>\n", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.disable(c.file), c.expected);
  }
}

// A repeated switch-on changes nothing, and a file merged in part takes only what it lacks:
// Addons.xcu is judged section by section. These inserts were once made a second time on a retry.
TEST(OooIdempotence, WhatIsThereAlreadyIsNotInsertedAgain) {
  const std::string addons = EnableAddons(f::kAddonsMenuOnly, f::kAddonsTemplate).text;
  const std::string windowState = EnableWindowState(f::kWindowState, f::kWindowStateTemplate).value();
  const std::string accelerators = EnableAccelerators(f::kCurrentXml, f::kAccelTemplate).value();
  const std::string libraries = EnableLibraries(f::kScriptXlc, f::kScriptXlcTemplate).value();
  // Merged files as they are on disk, with CR LF: a second merge must not even rewrite the line ends.
  EXPECT_EQ(EnableAddons(Crlf(addons), f::kAddonsTemplate).outcome, AddonsMerge::Outcome::kAlreadyMerged);
  EXPECT_EQ(EnableWindowState(Crlf(windowState), f::kWindowStateTemplate), Crlf(windowState));
  EXPECT_EQ(EnableAccelerators(Crlf(accelerators), f::kAccelTemplate), Crlf(accelerators));
  EXPECT_EQ(EnableLibraries(Crlf(libraries), f::kScriptXlcTemplate), Crlf(libraries));
  // A file without the start line takes nothing and stays as it is.
  EXPECT_EQ(EnableWindowState("<x/>\r\n", f::kWindowStateTemplate), "<x/>\r\n");

  // The toolbar and menu merged before (an older switch-on left the images out): only the images come.
  const std::string images = "  <node oor:name=\"Images\">";
  std::string withoutImages = addons;
  const std::size_t from = withoutImages.find(images);
  const std::string section = addons.substr(from, addons.find("  <node oor:name=\"OfficeMenuBar\">") - from);
  withoutImages.erase(from, section.size());
  const AddonsMerge merged = EnableAddons(withoutImages, f::kAddonsTemplate);
  ASSERT_EQ(merged.outcome, AddonsMerge::Outcome::kMerged);
  const std::string parent = " <node oor:name=\"AddonUI\">\n";
  EXPECT_EQ(merged.text,
            std::string(withoutImages).insert(withoutImages.find(parent) + parent.size(), section));
  // An images section of the user's without suite nodes takes them; the toolbar is not touched.
  std::string userImages = withoutImages;
  userImages.insert(from, images + "\n  </node>\n");
  EXPECT_EQ(EnableAddons(userImages, f::kAddonsTemplate).text, addons);
}

// Switching off drops every toolbar, images or menu bar section it leaves empty (the suite's
// sections it added, and a user's own empty one); a section that keeps any line stays.
TEST(OooDisable, SectionsLeftEmptyGo) {
  struct Case {
    const char* name;
    std::string file;
    std::string expected;
  } cases[] = {
      {"the suite's nodes were all it held",
       " <node oor:name=\"AddonUI\">\n  <node oor:name=\"Images\">\n   <node oor:name=\"vanto.Icon.Help\" "
       "oor:op=\"replace\">\n   </node>\n  </node>\n </node>\n",
       " <node oor:name=\"AddonUI\">\r\n </node>\r\n"},
      {"a user's empty sections",
       " <node oor:name=\"AddonUI\">\n  <node oor:name=\"OfficeToolBar\">\n  </node>\n"
       "  <node oor:name=\"OfficeMenuBar\">\n  </node>\n </node>\n",
       " <node oor:name=\"AddonUI\">\r\n </node>\r\n"},
      // Nothing dropped: the file stays as it is.
      {"a section with an empty line in it", "  <node oor:name=\"Images\">\n\n  </node>\n",
       "  <node oor:name=\"Images\">\n\n  </node>\n"},
      {"a section of another name", "  <node oor:name=\"OfficeHelp\">\n  </node>\n",
       "  <node oor:name=\"OfficeHelp\">\n  </node>\n"},
      {"a start line that holds more", "  <node oor:name=\"Images\"> <!-- x -->\n  </node>\n",
       "  <node oor:name=\"Images\"> <!-- x -->\n  </node>\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(DisableAddons(c.file).value_or("<refused>"), c.expected) << c.name;
}

// Switching off may take away only the suite's own Events.xcu: one whose every binding names the
// suite's module. A user's binding beside it, or none of the suite's, makes the file the user's.
TEST(SuiteEvents, OnlyAFileBindingTheSuitesMacrosAloneIsTheSuites) {
  const auto binding = [](std::string_view script) {
    return R"(<prop oor:name="BindingURL" oor:type="xs:string"><value>)" + std::string(script) +
           "?language=Basic&amp;location=application</value></prop>";
  };
  const std::string suite = binding("vnd.sun.star.script:Vanto.Module1.OnStartApp");
  const std::string user = binding("vnd.sun.star.script:Standard.Module1.Main");
  EXPECT_TRUE(ooo::BindsOnlySuiteMacros("<node>" + suite + "</node>"));
  EXPECT_FALSE(ooo::BindsOnlySuiteMacros("<node>" + suite + user + "</node>"));
  EXPECT_FALSE(ooo::BindsOnlySuiteMacros("<node>" + user + "</node>"));
  EXPECT_FALSE(ooo::BindsOnlySuiteMacros("<node/>"));
}

}  // namespace
