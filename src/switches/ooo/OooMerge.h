#pragma once
// How the suite's fragments go into an OpenOffice.org user profile and out again, as text: each
// function takes a configuration file's bytes (and the suite's template for it) and returns the
// bytes to write back. Finding the profile, the temporary file and the replacing move belong to
// the switch (OpenOfficeSW).
//
// Two ways, tried in this order. The line merges take files laid out as OpenOffice.org 3 writes
// them: lines are byte lines (ByteLines.h); lines written while enabling end with a line feed; lines
// written while disabling the two .xcu files end with a carriage return and a line feed, and those
// of current.xml and script.xlc always with a line feed. The file's own empty lines are written as
// empty lines; the template's are dropped.
// A well-formed file the line merges refuse or miss (tabs, the whole document on one line, an
// empty-element "<node oor:name="AddonUI"/>", a start tag over two lines, suite elements laid out
// otherwise) is merged by its elements (ElementMerge.h, XmlScan.h), found by name and attribute
// values, not by line text: the suite's lines go right after the anchor's start tag, each on a line
// of its own with the file's line end, and switching off cuts the suite's elements out by their
// offsets; every other byte stays, so switching on and off gives the file back as it was. Only a
// file that is not well-formed, or has no place for the integration, is refused.
// A file that has nothing to take or to give up comes back byte for byte as it is, so a repeated
// switch-over changes nothing.
// Events.xcu and the Basic library's own files are copied whole, not merged, so nothing here.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ooo {

// The suite's add-on nodes in Addons.xcu (three spaces deep); the first one tells that the file
// is already merged.
inline constexpr std::array<std::string_view, 9> kSuiteNodes = {
    R"(   <node oor:name="VANTO.Translate" oor:op="replace">)",
    R"(   <node oor:name="vanto.Icon.About" oor:op="replace">)",
    R"(   <node oor:name="vanto.Icon.EditTemplate" oor:op="replace">)",
    R"(   <node oor:name="vanto.Icon.Help" oor:op="replace">)",
    R"(   <node oor:name="vanto.Icon.SelectDir" oor:op="replace">)",
    R"(   <node oor:name="vanto.Icon.Setup" oor:op="replace">)",
    R"(   <node oor:name="vanto.Icon.TranslateAll" oor:op="replace">)",
    R"(   <node oor:name="vanto.Icon.TranslateSel" oor:op="replace">)",
    R"(   <node oor:name="vanto.TopMenu" oor:op="replace">)",
};
inline constexpr std::string_view kInnerNodeEnd = "   </node>";  // whole line
inline constexpr std::string_view kAddonParent = R"( <node oor:name="AddonUI">)";
// The sections of Addons.xcu that take suite nodes, in the order their anchors are tried.
inline constexpr std::array<std::string_view, 3> kAddonSections = {
    R"(  <node oor:name="OfficeToolBar">)",
    R"(  <node oor:name="Images">)",
    R"(  <node oor:name="OfficeMenuBar">)",
};
inline constexpr std::string_view kSectionEnd = "  </node>";  // whole line

inline constexpr std::string_view kWindowStateNode =
    R"(   <node oor:name="private:resource/toolbar/addon_VANTO.Translate" oor:op="replace">)";
inline constexpr std::string_view kWindowStateParent = R"(  <node oor:name="States">)";

inline constexpr std::string_view kAcceleratorList = "<accel:acceleratorlist";
inline constexpr std::string_view kSuiteAccelerator = "Vanto.Module1";

inline constexpr std::string_view kLibraryList = "<library:libraries xmlns:library=";
inline constexpr std::string_view kSuiteLibrary = R"( <library:library library:name="Vanto")";

// Whether Addons.xcu holds the suite's nodes: a line with the first of them, or (a well-formed file)
// a node element of its name anywhere. It is what switching on must leave in the file, and what
// tells that the file is merged already.
[[nodiscard]] bool HoldsSuiteNodes(std::string_view file);

// What switching on makes of Addons.xcu.
struct AddonsMerge {
  enum class Outcome {
    kMerged,         // `text` is the file to write back
    kAlreadyMerged,  // the file holds the suite nodes: it is left as it is
    kRefused,        // not well-formed, or no place for the nodes: merging would lose or misplace
  };
  Outcome outcome = Outcome::kRefused;
  std::string text;
};

// Addons.xcu, judged section by section (toolbar, images, menu bar): a section of the file that
// holds a suite node already takes nothing. Into a section the file has, the template's nodes of it
// (the lines between its start and closing lines) go right after the file's own start line, the
// first one only. Every section the file lacks goes, whole with its closing line and in the
// template's order, after the first " <node oor:name="AddonUI">" line. A line that anchors nodes
// must hold the anchor alone (blanks aside): a line that also holds other elements would have the
// nodes put inside them, so such a file is refused. So is a file that would come out without the
// suite nodes or lacks a section with no parent line to put it after (the integration would be
// incomplete). kAlreadyMerged when no section takes anything.
// A well-formed file is merged by its elements instead when the lines refuse it, or when its
// elements tell otherwise than its lines which sections it has and which hold suite nodes: the
// sections are the node children of the first AddonUI node (any node of their name in a file without
// one), and one holds suite nodes when any node inside it has a suite node's name. The same rules
// then place the template's lines after the start tags; an empty-element AddonUI or section becomes a
// start tag and an end tag around them. Refused when the result is not well-formed (a broken
// template) or lacks the suite nodes.
AddonsMerge EnableAddons(std::string_view file, std::string_view templ);
// Drops every suite node, from its start line to its closing "   </node>" line. A node whose
// closing line never comes (a file cut short) is kept as it is, so a broken file loses no more.
// Both lines must hold the node's start or end alone (blanks aside): a line that also holds other
// elements (a file edited after the merge) would lose them with the node, so the file is refused
// (no value). Then every toolbar, images or menu bar section left empty (its start line followed
// at once by "  </node>") goes: switching on added it. A user's own empty section of those names
// cannot be told from one and goes too; it holds nothing OpenOffice.org reads.
// A well-formed file that the lines refuse, or that still holds a suite node after them, loses every
// node named as a suite node instead, wherever it is, by its offsets; a section that thereby keeps
// only blanks goes too, and an element left with no content at all becomes an empty-element tag
// again ("<node oor:name="AddonUI"/>"). Refused (no value) only when a suite node is the root.
std::optional<std::string> DisableAddons(std::string_view file);

// The other files take the suite's lines after a start line: the "States" line, the accelerator
// list's start tag, the library list's start tag. For the line merge such a line must hold that
// alone (blanks aside). A well-formed file where the start line holds more, or where no line holds
// it as the line merge looks for it, takes the lines right after the start tag of every
// node named "States", accelerator list or library list element instead (an empty-element one
// becomes a start and an end tag). A file that is not well-formed and whose start line holds more
// is refused (no value) and stays as it is; so is one whose merge by elements brings no suite
// element (a broken template). A file without the start line takes nothing, and neither does a file
// that holds the suite's lines (or, well-formed, the suite's element) already.
// Switching off a well-formed file that the lines refuse, or that still holds a suite element after
// them, cuts every suite element out by its offsets as DisableAddons does; refused only when the
// suite's element is the root.

// WriterWindowState.xcu: the suite toolbar's node of the template goes after each "States" line,
// unless the file has that node.
std::optional<std::string> EnableWindowState(std::string_view file, std::string_view templ);
// Drops the suite toolbar's node as DisableAddons drops the add-on nodes, under the same rule.
std::optional<std::string> DisableWindowState(std::string_view file);

// A language's current.xml: every template line goes after the accelerator list's start tag.
std::optional<std::string> EnableAccelerators(std::string_view file, std::string_view templ);
// Drops every line that holds an entry naming the suite's Basic module alone: one empty element
// ("<.../>"), blanks aside. A line that names the module and holds more (other items, a comment,
// a start tag) would lose the rest with it: a well-formed file then loses each element with an
// attribute naming the module by its offsets instead (see above), any other file is refused.
std::optional<std::string> DisableAccelerators(std::string_view file);

// The Basic library list script.xlc: every template line goes after the library list's start tag;
// disabling drops the suite library's entry, under the rule of DisableAccelerators.
std::optional<std::string> EnableLibraries(std::string_view file, std::string_view templ);
std::optional<std::string> DisableLibraries(std::string_view file);

}  // namespace ooo
