// The main window as a screen reader meets it: an accessibility client of our own (oleacc from this
// process, so across processes as a screen reader works) reads every view and finds a name and a
// role on everything that shows, in English and German; it does a whole task with accessibility
// calls alone, and hears the events of focus, selection and state.
//
// Wine's standard object of the main window (a plain dialog) gives no children, so the client starts
// from the window's own child windows: the start page, the ribbon, the bottom buttons and the views,
// each of which hands out its own object and, through it, everything in it.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <functional>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "support/Accessibility.h"
#include "support/ScratchDir.h"
#include "win/ComScope.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::AccElement;
using test::AccNode;

constexpr DWORD kGermanLanguage = 0x0407;

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  return std::wstring(name, static_cast<size_t>(::GetClassNameW(window, name, 256)));
}

using test::Visible;

// Everything the window shows, read through accessibility: each child window of the main window
// that shows, by its own object, and all below it.
std::vector<AccNode> Tree(HWND top) {
  std::vector<AccNode> nodes;
  for (HWND child = ::GetWindow(top, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!Visible(child)) continue;
    const test::ComPtr<IAccessible> object = test::AccessibleOf(child);
    if (!object) continue;
    for (AccNode& node : test::Walk(AccElement{object, CHILDID_SELF})) nodes.push_back(std::move(node));
  }
  return nodes;
}

std::wstring Listing(const std::vector<AccNode>& nodes) {
  std::wstring text;
  for (const AccNode& node : nodes) text += test::Line(node) + L"\n";
  return text;
}

// The elements that show but have no name or no role. What is not read out is left alone: a label
// without text, and the embedded browser's own windows (empty under Wine, which has no engine).
std::vector<std::wstring> Anonymous(const std::vector<AccNode>& nodes) {
  std::vector<std::wstring> found;
  for (const AccNode& node : nodes) {
    if (!test::Shows(node) || (node.window && !Visible(node.window))) continue;
    const std::wstring kind = ClassOf(node.window);
    if (kind == L"Shell Embedding" || kind == L"Shell DocObject View" || kind == L"Internet Explorer_Server")
      continue;
    if (kind == L"Static" && node.element.child == CHILDID_SELF && test::WindowText(node.window).empty())
      continue;
    // A control we draw ourselves must say what it is: Wine's default for a window is "client".
    const bool drawn = kind.rfind(L"Startdeck", 0) == 0;
    if (node.role == 0 || node.name.empty() ||
        (drawn && node.element.child == CHILDID_SELF && node.role == ROLE_SYSTEM_CLIENT))
      found.push_back(test::Line(node));
  }
  return found;
}

// The first element of the window that shows with `role` and a name that holds `part`, once there is
// one (up to `timeout`); object null when none comes.
AccNode WaitForElement(HWND top, long role, const std::wstring& part,
                       std::chrono::milliseconds timeout = 10s) {
  AccNode found;
  test::WaitUntil(
      [&] {
        for (AccNode& node : Tree(top)) {
          if (node.role == role && test::Shows(node) && (!node.window || Visible(node.window)) &&
              node.name.find(part) != std::wstring::npos) {
            found = std::move(node);
            return true;
          }
        }
        return false;
      },
      timeout);
  return found;
}

// The views whose every element is read: the start page, the tabs and the panels of one kind each.
constexpr const char* kWalkedViews[] = {
    "start-page",        "tab1", "tab2",     "tab3", "tab4",     "tab5",       "tab6",    "tab7",
    "quick-translation", "word", "web-page", "pdf",  "profiles", "dictionary", "memories"};

class AccessibilityTest : public test::DeckTest {
 protected:
  explicit AccessibilityTest(const test::InstallationOptions& options = {}) : DeckTest(options) {}
  void SetUp() override {
    ASSERT_TRUE(com_.ok());
    ClearUserRecords();
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    StartDeck();
  }
  void TearDown() override {
    EXPECT_TRUE(CloseDeck());
    ClearUserRecords();
  }

  // Walks every view; each element that shows without a name or role is a failure.
  void EveryViewNamesWhatItShows() {
    for (const char* view : kWalkedViews) {
      SCOPED_TRACE(view);
      ASSERT_NO_FATAL_FAILURE(OpenView(test::ViewNamed(view)));
      const std::vector<AccNode> nodes = Tree(window_);
      EXPECT_GT(nodes.size(), 3u) << ::testing::PrintToString(Listing(nodes));
      const std::vector<std::wstring> anonymous = Anonymous(nodes);
      EXPECT_TRUE(anonymous.empty()) << ::testing::PrintToString(anonymous) << "\nin\n"
                                     << ::testing::PrintToString(Listing(nodes));
      // The view itself is a named pane.
      bool pane = false;
      for (const AccNode& node : nodes)
        pane = pane || (node.depth == 0 && node.role == ROLE_SYSTEM_PANE && !node.name.empty() &&
                        Visible(node.window));
      EXPECT_TRUE(pane) << "no named pane in " << ::testing::PrintToString(Listing(nodes));
    }
  }

  win::ComApartment com_;
};

TEST_F(AccessibilityTest, EveryViewNamesEverythingItShows) {
  EveryViewNamesWhatItShows();
}

class GermanAccessibilityTest : public AccessibilityTest {
 protected:
  GermanAccessibilityTest() : AccessibilityTest({.language = kGermanLanguage}) {}
};

TEST_F(GermanAccessibilityTest, EveryViewNamesEverythingItShows) {
  // The start page speaks German: its largest button is the German TRANSLATE.
  EXPECT_NE(test::Find(Tree(window_), ROLE_SYSTEM_PUSHBUTTON, L"ÜBERSETZEN"), nullptr)
      << ::testing::PrintToString(Listing(Tree(window_)));
  EveryViewNamesWhatItShows();
}

struct NamedPane {
  const char* view;
  const wchar_t* name;
};

TEST_F(AccessibilityTest, ViewsAndPanelsArePanesNamedAsTheyShow) {
  const NamedPane cases[] = {
      {"start-page", L"Welcome to the main menu"},
      {"tab1", L"Tasks of text translation"},
      {"tab3", L"VANTO Dictionaries"},
      {"tab5", L"See documentation to the product"},
      {"word", L"Translating Microsoft Word Documents"},
  };
  for (const NamedPane& c : cases) {
    SCOPED_TRACE(c.view);
    ASSERT_NO_FATAL_FAILURE(OpenView(test::ViewNamed(c.view)));
    const std::vector<AccNode> nodes = Tree(window_);
    const AccNode* pane = test::Find(nodes, ROLE_SYSTEM_PANE, c.name);
    ASSERT_NE(pane, nullptr) << ::testing::PrintToString(Listing(nodes));
    EXPECT_TRUE(Visible(pane->window));
    EXPECT_EQ(pane->depth, 0);
  }
}

TEST_F(AccessibilityTest, AWordDocumentIsTranslatedByAccessibilityAlone) {
  test::ScratchDir documents;
  const fs::path document = documents.Folder(L"Reports") / L"Annual Report.docx";
  test::WriteFile(document, "PK");

  // Start page: TRANSLATE.
  const AccNode translate = WaitForElement(window_, ROLE_SYSTEM_PUSHBUTTON, L"TRANSLATE");
  ASSERT_NE(translate.element.object, nullptr) << ::testing::PrintToString(Listing(Tree(window_)));
  ASSERT_EQ(test::DoDefaultAction(translate.element), S_OK);
  // The tab's list: the Word row.
  const AccNode row = WaitForElement(window_, ROLE_SYSTEM_LISTITEM, L"Word");
  ASSERT_NE(row.element.object, nullptr) << ::testing::PrintToString(Listing(Tree(window_)));
  ASSERT_EQ(test::DoDefaultAction(row.element), S_OK);
  // The Word panel and its document field.
  const AccNode panel = WaitForElement(window_, ROLE_SYSTEM_PANE, L"Translating Microsoft Word Documents");
  ASSERT_NE(panel.element.object, nullptr) << ::testing::PrintToString(Listing(Tree(window_)));
  const std::vector<AccNode> inPanel = test::Walk(panel.element);
  const AccNode* field = nullptr;
  for (const AccNode& node : inPanel)
    if (node.role == ROLE_SYSTEM_TEXT && test::Shows(node) &&
        node.window == test::FindVisible(window_, IDC_PANEL_DOCUMENT))
      field = &node;
  ASSERT_NE(field, nullptr) << ::testing::PrintToString(Listing(inPanel));
  EXPECT_FALSE(field->name.empty());
  ASSERT_EQ(test::SetValue(field->element, document.wstring()), S_OK);
  EXPECT_EQ(test::Describe(field->element).value, document.wstring());
  // Translate.
  const AccNode* action = nullptr;
  for (const AccNode& node : inPanel)
    if (node.role == ROLE_SYSTEM_PUSHBUTTON && node.name == L"Translate" && test::Shows(node)) action = &node;
  ASSERT_NE(action, nullptr) << ::testing::PrintToString(Listing(inPanel));
  ASSERT_EQ(test::DoDefaultAction(action->element), S_OK);
  // Word starts with the hand-off record naming the document.
  const std::vector<test::JournalLine> word = Starts(L"winword.exe");
  ASSERT_EQ(word.size(), 1u);
  EXPECT_NE(word.back().record.find(L"U=\"" + document.wstring() + L"\""), std::wstring::npos)
      << word.back().record;
  EXPECT_TRUE(NoMessage());
}

TEST_F(AccessibilityTest, FocusSelectionAndStateChangesAreHeard) {
  test::WinEventRecorder events(deck_.Id(), EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE);
  ASSERT_TRUE(events.Hooked());
  const auto heard = [&](DWORD kind, HWND window) {
    return events.WaitFor(
        [&](const test::WinEventRecorder::Event& e) {
          return e.event == kind && e.window == window && e.object == OBJID_CLIENT;
        },
        10s);
  };
  ASSERT_NO_FATAL_FAILURE(Activate());

  // State: the start page's check box, ticked by its default action.
  const AccNode box = WaitForElement(window_, ROLE_SYSTEM_CHECKBUTTON, L"Show all features");
  ASSERT_NE(box.element.object, nullptr) << ::testing::PrintToString(Listing(Tree(window_)));
  const long before = test::Describe(box.element).state & STATE_SYSTEM_CHECKED;
  events.Clear();
  ASSERT_EQ(test::DoDefaultAction(box.element), S_OK);
  EXPECT_TRUE(heard(EVENT_OBJECT_STATECHANGE, box.window));
  EXPECT_TRUE(test::WaitUntil(
      [&] { return (test::Describe(box.element).state & STATE_SYSTEM_CHECKED) != before; }, 5s));

  // Focus: a start-page button is given the focus by the client (the window starts with the focus on
  // it, so the check box takes it first).
  const AccNode translate = WaitForElement(window_, ROLE_SYSTEM_PUSHBUTTON, L"TRANSLATE");
  ASSERT_NE(translate.element.object, nullptr);
  ASSERT_EQ(test::Select(box.element, SELFLAG_TAKEFOCUS), S_OK);
  ASSERT_TRUE(
      test::WaitUntil([&] { return (test::Describe(box.element).state & STATE_SYSTEM_FOCUSED) != 0; }, 5s));
  events.Clear();
  ASSERT_EQ(test::Select(translate.element, SELFLAG_TAKEFOCUS), S_OK);
  EXPECT_TRUE(heard(EVENT_OBJECT_FOCUS, translate.window));
  EXPECT_NE(test::Describe(translate.element).state & STATE_SYSTEM_FOCUSED, 0);

  // Selection: the ribbon's second tab, chosen by its default action, is selected.
  ASSERT_EQ(test::DoDefaultAction(translate.element), S_OK);
  const AccNode second = WaitForElement(window_, ROLE_SYSTEM_PAGETAB, L"Translation Setup");
  ASSERT_NE(second.element.object, nullptr) << ::testing::PrintToString(Listing(Tree(window_)));
  EXPECT_EQ(test::Describe(second.element).state & STATE_SYSTEM_SELECTED, 0);
  events.Clear();
  ASSERT_EQ(test::DoDefaultAction(second.element), S_OK);
  EXPECT_TRUE(heard(EVENT_OBJECT_SELECTION, second.window));
  EXPECT_TRUE(test::WaitUntil(
      [&] { return (test::Describe(second.element).state & STATE_SYSTEM_SELECTED) != 0; }, 5s));
}

}  // namespace
