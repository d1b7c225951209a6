// Profile files laid out otherwise than OpenOffice.org 3 writes them (tabs, one line, empty-element
// tags, start tags over two lines): well-formed ones take the suite's part inside the right element
// and give it back byte for byte; the others are refused.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ProfileFiles.h"
#include "switches/ooo/ByteLines.h"
#include "switches/ooo/OooMerge.h"
#include "switches/ooo/XmlScan.h"

namespace {

using namespace ooo;
namespace f = ooo::files;
using Outcome = AddonsMerge::Outcome;

// Every line's leading blanks as as many tabs, lines ended by `eol`.
std::string Tabbed(std::string_view text, std::string_view eol = "\n") {
  std::string out;
  for (std::string_view line : Lines(text)) {
    const std::size_t blanks = line.find_first_not_of(' ');
    out.append(blanks, '\t');
    out.append(line.substr(blanks));
    out.append(eol);
  }
  return out;
}

std::string Joined(std::string_view text) {
  std::string out;
  for (std::string_view line : Lines(text)) out.append(line);
  return out;
}

std::string Replaced(std::string_view text, std::string_view what, std::string_view by) {
  std::string out(text);
  return out.replace(out.find(what), what.size(), by);
}

TEST(OooXmlScan, TellsWellFormedDocumentsAndWhereTheirElementsAre) {
  struct Case {
    std::string_view text;
    bool wellFormed;
  } cases[] = {
      {"<?xml version=\"1.0\"?>\n<!DOCTYPE a PUBLIC \"-//x//EN\" \"a.dtd\">\n<a x='1' y=\"&amp;&#10;\"/>\n",
       true},
      {"\xEF\xBB\xBF<a><!-- c --><?pi x?><![CDATA[<b>]]>t&lt;</a >", true},
      {"", false},
      {"<a>", false},                                 // never closed
      {"<a></b>", false},                             // another name closes it
      {"<a><b></a></b>", false},                      // crossed
      {"<a x=1/>", false},                            // value without quotes
      {"<a x='1' x='2'/>", false},                    // attribute twice
      {"<a x='<'/>", false},                          // "<" in a value
      {"<a/><b/>", false},                            // two roots
      {"<a/>text", false},                            // text after the root
      {"<a>&amp</a>", false},                         // a reference without its end
      {"<a><!-- -- --></a>", false},                  // "--" in a comment
      {"<a>\x01</a>", false},                         // a control byte
      {"<a/><?xml version='1.0'?>", false},           // the declaration not first
      {"<!DOCTYPE a [<!ENTITY e 'x'>]><a/>", false},  // an internal subset
      {"<a", false},                                  // a tag cut short
  };
  for (const Case& c : cases)
    EXPECT_EQ(xml::Scan(c.text).has_value(), c.wellFormed) << testing::PrintToString(c.text);

  const std::string_view doc = "<r>\n <n a=\"1\"/><m b='x>y'>t</m ></r>";
  const auto elements = xml::Scan(doc).value();
  ASSERT_EQ(elements.size(), 3u);
  EXPECT_EQ(elements[1].tag, "<n a=\"1\"/>");
  EXPECT_TRUE(elements[1].empty);
  EXPECT_EQ(elements[1].parent, 0);
  EXPECT_EQ(doc.substr(elements[2].contentBegin, elements[2].contentEnd - elements[2].contentBegin), "t");
  EXPECT_EQ(doc.substr(elements[2].end), "</r>");
  EXPECT_EQ(xml::AttributeValue(elements[2].tag, "b"), "x>y");
  EXPECT_EQ(elements[0].end, doc.size());
}

// The name of the first node inside each of the sections of AddonUI; empty when a section is
// missing or is there twice.
std::vector<std::string_view> FirstNodes(std::string_view text) {
  const auto elements = xml::Scan(text).value();
  std::vector<std::string_view> first;
  for (std::string_view section : {"OfficeToolBar", "Images", "OfficeMenuBar"}) {
    std::string_view name;
    int found = 0;
    for (std::size_t i = 0; i < elements.size(); ++i) {
      const xml::Element& e = elements[i];
      if (xml::AttributeValue(e.tag, "oor:name") != section || e.parent < 0 ||
          xml::AttributeValue(elements[e.parent].tag, "oor:name") != "AddonUI")
        continue;
      ++found;
      if (i + 1 < elements.size() && elements[i + 1].parent == static_cast<std::ptrdiff_t>(i))
        name = xml::AttributeValue(elements[i + 1].tag, "oor:name").value_or("");
    }
    first.push_back(found == 1 ? name : "");
  }
  return first;
}

TEST(OooLayouts, AddonsInAnyLayoutTakeTheSuitesNodesAndGiveThemBack) {
  const std::string menuOnlySelfClosing =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<oor:component-data "
      "xmlns:oor=\"http://openoffice.org/2001/registry\" oor:name=\"Addons\">\n"
      " <node oor:name=\"AddonUI\" />\n</oor:component-data>\n";
  const std::string toolbar = "  <node oor:name=\"OfficeToolBar\">";
  const struct {
    const char* name;
    std::string file;
  } cases[] = {
      {"tabs", Tabbed(f::kAddonsFull)},
      {"tabs, CR LF", Tabbed(f::kAddonsFull, "\r\n")},
      {"tabs, menu only", Tabbed(f::kAddonsMenuOnly)},
      {"one line", Joined(f::kAddonsFull)},
      {"one line, menu only", Joined(f::kAddonsMenuOnly)},
      {"an empty-element AddonUI", menuOnlySelfClosing},
      {"an empty-element AddonUI on one line", Joined(menuOnlySelfClosing)},
      {"a section start with a node after it",
       Replaced(f::kAddonsFull, toolbar, toolbar + "<node oor:name=\"other\"/>")},
      {"the parent line with a section in it",
       Replaced(f::kAddonsMenuOnly, " <node oor:name=\"AddonUI\">\n", " <node oor:name=\"AddonUI\">")},
      {"a section's end and the next one's start on one line",
       Replaced(f::kAddonsFull, "\n  <node oor:name=\"Images\">", "  <node oor:name=\"Images\">")},
  };
  const std::vector<std::string_view> suiteFirst = {"VANTO.Translate", "vanto.Icon.TranslateSel",
                                                    "vanto.TopMenu"};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NE(c.file.find("AddonUI"), std::string::npos);  // the case was built as meant
    const AddonsMerge merged = EnableAddons(c.file, f::kAddonsTemplate);
    ASSERT_EQ(merged.outcome, Outcome::kMerged);
    EXPECT_TRUE(HoldsSuiteNodes(merged.text));
    EXPECT_EQ(FirstNodes(merged.text), suiteFirst);
    EXPECT_EQ(EnableAddons(merged.text, f::kAddonsTemplate).outcome, Outcome::kAlreadyMerged);
    EXPECT_EQ(DisableAddons(merged.text), c.file);
  }
}

TEST(OooLayouts, AnEmptyElementAddonUIBecomesAStartAndEndTag) {
  const std::string_view templ =
      "  <node oor:name=\"OfficeToolBar\">\n"
      "   <node oor:name=\"VANTO.Translate\" oor:op=\"replace\">\n"
      "    <prop/>\n"
      "   </node>\n"
      "  </node>\n";
  const std::string_view file = "<r>\r\n <node oor:name=\"AddonUI\"/>\r\n</r>";
  const AddonsMerge merged = EnableAddons(file, templ);
  ASSERT_EQ(merged.outcome, Outcome::kMerged);
  EXPECT_EQ(merged.text,
            "<r>\r\n <node oor:name=\"AddonUI\">\r\n \t<node oor:name=\"OfficeToolBar\">\r\n"
            " \t <node oor:name=\"VANTO.Translate\" oor:op=\"replace\">\r\n \t  <prop/>\r\n \t </node>\r\n"
            " \t</node></node>\r\n</r>");
  EXPECT_EQ(DisableAddons(merged.text), file);
}

TEST(OooLayouts, OtherFilesInAnyLayoutTakeTheSuitesPartAndGiveItBack) {
  using Enable = std::optional<std::string> (*)(std::string_view, std::string_view);
  using Disable = std::optional<std::string> (*)(std::string_view);
  const std::string accelList =
      R"(<accel:acceleratorlist xmlns:accel="http://openoffice.org/2001/accel" xmlns:xlink="http://www.w3.org/1999/xlink">)";
  const std::string libraryList =
      R"(<library:libraries xmlns:library="http://openoffice.org/2000/library" xmlns:xlink="http://www.w3.org/1999/xlink">)";
  const struct {
    const char* name;
    Enable enable;
    Disable disable;
    std::string file;
    std::string_view templ, part;
  } cases[] = {
      {"window state, tabs", EnableWindowState, DisableWindowState, Tabbed(f::kWindowState),
       f::kWindowStateTemplate, "addon_VANTO.Translate"},
      {"window state, one line", EnableWindowState, DisableWindowState, Joined(f::kWindowState),
       f::kWindowStateTemplate, "addon_VANTO.Translate"},
      {"window state, empty-element States", EnableWindowState, DisableWindowState,
       "<r>\n  <node oor:name=\"States\"/>\n</r>\n", f::kWindowStateTemplate, "addon_VANTO.Translate"},
      {"current.xml, one line", EnableAccelerators, DisableAccelerators, Joined(f::kCurrentXml),
       f::kAccelTemplate, "Vanto.Module1"},
      // current.xml is written with line feeds (OooMerge.h), so a CR LF one cannot come back as it was.
      {"current.xml, list over two lines", EnableAccelerators, DisableAccelerators,
       Replaced(Tabbed(f::kCurrentXml), accelList, "<accel:acceleratorlist\n xmlns:accel=\"a\">"),
       f::kAccelTemplate, "Vanto.Module1"},
      {"script.xlc, one line", EnableLibraries, DisableLibraries, Joined(f::kScriptXlc),
       f::kScriptXlcTemplate, "library:name=\"Vanto\""},
      {"script.xlc, attributes in another order", EnableLibraries, DisableLibraries,
       Replaced(f::kScriptXlc, libraryList,
                R"(<library:libraries xmlns:xlink="http://www.w3.org/1999/xlink" xmlns:library="l">)"),
       f::kScriptXlcTemplate, "library:name=\"Vanto\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<std::string> merged = c.enable(c.file, c.templ);
    ASSERT_TRUE(merged.has_value());
    EXPECT_NE(merged->find(c.part), std::string::npos);
    EXPECT_TRUE(xml::Scan(*merged).has_value());
    EXPECT_EQ(c.enable(*merged, c.templ), merged);
    EXPECT_EQ(c.disable(*merged), c.file);
  }
}

// A profile OpenOffice.org wrote again after switching on, in its own layout: the suite's part
// goes however it is laid out, and every other byte stays.
TEST(OooLayouts, SwitchingOffFindsTheSuitesPartInAnyLayout) {
  const std::string addons = EnableAddons(f::kAddonsMenuOnly, f::kAddonsTemplate).text;
  EXPECT_EQ(DisableAddons(Tabbed(addons)), Tabbed(f::kAddonsMenuOnly));
  const std::string windowState = EnableWindowState(f::kWindowState, f::kWindowStateTemplate).value();
  EXPECT_EQ(DisableWindowState(Tabbed(windowState, "\r\n")), Tabbed(f::kWindowState, "\r\n"));
  const std::string libraries = EnableLibraries(f::kScriptXlc, f::kScriptXlcTemplate).value();
  EXPECT_EQ(DisableLibraries(Replaced(libraries, "\n <library:library library:name=\"Vanto\"",
                                      "<library:library library:name=\"Vanto\"")),
            f::kScriptXlc);
}

TEST(OooLayouts, AFileThatIsNotWellFormedOrHasNoPlaceIsRefused) {
  const std::string oneLine = Joined(f::kAddonsFull);
  const std::string tabs = Tabbed(f::kAddonsFull);
  const std::string refused[] = {
      Replaced(tabs, "</oor:component-data>", ""),  // the root never ends
      Replaced(tabs, "\"org.openoffice.example.Bar\"", "\"org.openoffice.example.Bar\" x"),  // a broken tag
      Replaced(oneLine, "oor:name=\"Images\"", "oor:name=Images"),  // a value without quotes
      Replaced(oneLine, "</prop>", "</node>"),                      // crossed elements
      // Well-formed, but no AddonUI to take the sections the file lacks.
      Replaced(Joined(f::kAddonsMenuOnly), "\"AddonUI\"", "\"Other\""),
  };
  for (const std::string& file : refused) {
    EXPECT_EQ(EnableAddons(file, f::kAddonsTemplate).outcome, Outcome::kRefused) << file;
  }
  // A merged file broken afterwards keeps the suite's nodes rather than lose any of the user's: it
  // stays as it is, as a file cut short does (OooBadInputTests).
  const std::string broken =
      Replaced(EnableAddons(oneLine, f::kAddonsTemplate).text, "</oor:component-data>", "");
  EXPECT_EQ(DisableAddons(broken), broken);
  EXPECT_EQ(EnableAccelerators(Replaced(Joined(f::kCurrentXml), "<accel:item", "<accel:item x=\"1\" x=\"2\""),
                               f::kAccelTemplate),
            std::nullopt);
}

}  // namespace
