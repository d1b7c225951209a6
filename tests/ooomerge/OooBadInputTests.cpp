// Files no OpenOffice.org writes but a user's disk may hold: NUL bytes, one huge line, no line
// ends, a byte order mark, a marker line cut in half. Every merge gives a defined result.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ProfileFiles.h"
#include "switches/ooo/OooMerge.h"

namespace {

using namespace ooo;
namespace f = ooo::files;
using namespace std::string_literals;

constexpr std::string_view kBom = "\xEF\xBB\xBF";

TEST(OooBadInput, NulBytesAreOrdinaryBytes) {
  const std::string file = "<library:libraries xmlns:library=\"x\">\n <a\0b/>\n\0"s;
  EXPECT_EQ(
      EnableLibraries(file, f::kScriptXlcTemplate),
      "<library:libraries xmlns:library=\"x\">\n"s + std::string(f::kScriptXlcTemplate) + " <a\0b/>\n\0\n"s);
  // Nothing to drop: the file stays byte for byte.
  EXPECT_EQ(DisableLibraries(file), file);
  // A NUL after the list's start tag is more than the tag: nothing goes after it.
  EXPECT_EQ(EnableLibraries("<library:libraries xmlns:library=\"x\">\0\n"s, f::kScriptXlcTemplate),
            std::nullopt);
  // A NUL inside a marker makes it no marker.
  const std::string cut = "   <node oor:name=\"vanto.Icon.Help\"\0 oor:op=\"replace\">\n   </node>\n"s;
  EXPECT_EQ(DisableAddons(cut), cut);
}

TEST(OooBadInput, AHugeSingleLineComesBackWhole) {
  const std::string line(10 * 1024 * 1024, 'x');
  EXPECT_EQ(EnableAddons(line, f::kAddonsTemplate).outcome, AddonsMerge::Outcome::kRefused);  // no anchor
  // Nothing to take or to give up: the line stays as it is.
  EXPECT_EQ(DisableAddons(line), line);
  EXPECT_EQ(EnableWindowState(line, f::kWindowStateTemplate), line);
  EXPECT_EQ(DisableWindowState(line), line);
  EXPECT_EQ(EnableAccelerators(line, f::kAccelTemplate), line);
  EXPECT_EQ(DisableLibraries(line), line);
  // The same line ending in the list's start tag carries more than the tag.
  EXPECT_EQ(EnableAccelerators(line + "<accel:acceleratorlist>", f::kAccelTemplate), std::nullopt);
}

TEST(OooBadInput, AFileWithoutLineEndsIsOneLine) {
  // The whole accelerator list on one line. The template once followed it, after the list's end
  // tag, where OpenOffice.org reads a broken file; it goes inside the list now, and a file cut short
  // is refused.
  const std::string_view oneLine =
      "<accel:acceleratorlist xmlns:accel=\"a\"><accel:item/></accel:acceleratorlist>";
  const std::optional<std::string> merged = EnableAccelerators(oneLine, f::kAccelTemplate);
  ASSERT_TRUE(merged.has_value());
  EXPECT_EQ(merged->substr(0, 39), "<accel:acceleratorlist xmlns:accel=\"a\">");
  EXPECT_EQ(merged->substr(39, 2), "\n\t");
  EXPECT_TRUE(merged->ends_with("/><accel:item/></accel:acceleratorlist>"));
  EXPECT_EQ(DisableAccelerators(*merged), oneLine);
  EXPECT_EQ(EnableAccelerators(oneLine.substr(0, oneLine.size() - 1), f::kAccelTemplate), std::nullopt);
  // A template without line ends still gives its one line.
  EXPECT_EQ(EnableLibraries(f::kScriptXlc.substr(0, 0), "x"), "");
  EXPECT_EQ(EnableLibraries("<library:libraries xmlns:library=\"l\">", "<t/>"),
            "<library:libraries xmlns:library=\"l\">\n<t/>\n");
}

TEST(OooBadInput, AByteOrderMarkStaysOnTheFirstLine) {
  const std::string file = std::string(kBom) + std::string(f::kAddonsFull);
  const std::string merged = EnableAddons(file, f::kAddonsTemplate).text;
  EXPECT_EQ(merged.substr(0, 3), kBom);
  EXPECT_EQ(
      DisableAddons(merged), std::string(kBom) + [] {
        std::string crlf;
        for (char c : f::kAddonsFull) crlf += c == '\n' ? "\r\n" : std::string(1, c);
        return crlf;
      }());
  // A marker after the mark is still found in its line.
  EXPECT_EQ(EnableLibraries(std::string(kBom) + "<library:libraries xmlns:library=\"l\">", "<t/>"),
            std::string(kBom) + "<library:libraries xmlns:library=\"l\">\n<t/>\n");
}

TEST(OooBadInput, AMarkerCutInHalf) {
  struct Case {
    const char* name;
    std::string result, expected;
  } cases[] = {
      // Nothing the suite added is whole: the file stays as it is.
      {"disable Addons.xcu", DisableAddons("   <node oor:name=\"VANTO.Trans").value_or("<refused>"),
       "   <node oor:name=\"VANTO.Trans"},
      // A whole marker line whose node the cut file never closes: kept, the rest of the file too.
      {"disable cut node",
       DisableAddons("a\n   <node oor:name=\"vanto.TopMenu\" oor:op=\"replace\">\n    <prop/>\n  </no")
           .value_or("<refused>"),
       "a\n   <node oor:name=\"vanto.TopMenu\" oor:op=\"replace\">\n    <prop/>\n  </no"},
      {"disable cut window state",
       DisableWindowState(
           "   <node oor:name=\"private:resource/toolbar/addon_VANTO.Translate\" oor:op=\"replace\">\n")
           .value_or("<refused>"),
       "   <node oor:name=\"private:resource/toolbar/addon_VANTO.Translate\" oor:op=\"replace\">\n"},
      {"enable window state with a cut template",
       EnableWindowState(
           "  <node oor:name=\"States\">\n",
           "   <node oor:name=\"private:resource/toolbar/addon_VANTO.Translate\" oor:op=\"replace\">\n <p")
           .value_or("<refused>"),
       "  <node oor:name=\"States\">\n"
       "   <node oor:name=\"private:resource/toolbar/addon_VANTO.Translate\" oor:op=\"replace\">\n <p\n"},
      // A template without the marker inserts nothing.
      {"enable window state with a foreign template",
       EnableWindowState("  <node oor:name=\"States\">\n", "<x/>\n").value_or("<refused>"),
       "  <node oor:name=\"States\">\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.name;

  // Switching on must leave the suite nodes in Addons.xcu; without them it is refused.
  struct Refused {
    const char* name;
    std::string_view file, templ;
  } refused[] = {
      // Half a suite node is no suite node: the file is not taken for merged.
      {"half a suite node, empty template", " <node oor:name=\"AddonUI\">\n   <node oor:name=\"VANTO.Trans",
       ""},
      // A template cut before the suite's first node.
      {"a cut template", " <node oor:name=\"AddonUI\">\n",
       "  <node oor:name=\"OfficeToolBar\">\n   <node oor:"},
      {"a foreign template", f::kAddonsMenuOnly, "<x/>\n"},
  };
  for (const Refused& r : refused)
    EXPECT_EQ(EnableAddons(r.file, r.templ).outcome, AddonsMerge::Outcome::kRefused) << r.name;
  // A template cut inside the suite's first node gives what it has.
  EXPECT_EQ(
      EnableAddons(
          " <node oor:name=\"AddonUI\">\n",
          "  <node oor:name=\"OfficeToolBar\">\n   <node oor:name=\"VANTO.Translate\" oor:op=\"replace\">")
          .text,
      " <node oor:name=\"AddonUI\">\n  <node oor:name=\"OfficeToolBar\">\n"
      "   <node oor:name=\"VANTO.Translate\" oor:op=\"replace\">\n");
}

}  // namespace
