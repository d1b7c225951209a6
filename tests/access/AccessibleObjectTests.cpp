// The accessible object of our windows as a screen reader meets it: read through oleacc from another
// process (names, roles, states, items, locations, navigation, the tree, actions and events), and in
// the test process for what only shows there (reference counts, an object whose window is gone).
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "access/SampleControls.h"
#include "support/Accessibility.h"
#include "support/Driver.h"
#include "support/TestPaths.h"
#include "win/ComScope.h"

namespace {

using namespace std::chrono_literals;
using test::AccElement;
using test::AccNode;

constexpr long kSelf = CHILDID_SELF;

VARIANT Child(long id) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

// AccessTarget.exe, started for each case, and the objects of its windows.
class AccessTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(com_.ok());
    ASSERT_TRUE(target_.Start(test::BinFolder() / L"AccessTarget.exe"));
    window_ = test::WaitForWindow(target_.Id(), sample::kTargetTitle, L"", 20s);
    ASSERT_NE(window_, nullptr);
    list_ = ::GetDlgItem(window_, sample::kListId);
    ASSERT_NE(list_, nullptr);
    HRESULT hr = E_FAIL;
    listObject_ = test::AccessibleOf(list_, &hr);
    ASSERT_EQ(hr, S_OK);
    ASSERT_NE(listObject_, nullptr);
  }
  void TearDown() override {
    listObject_.Reset();
    if (window_) ::PostMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(target_.WaitForExit(10s));
  }
  AccNode List(long child) const { return test::Describe(AccElement{listObject_, child}); }
  std::wstring Title() const { return test::WindowText(window_); }

  win::ComApartment com_;
  test::Process target_;
  HWND window_ = nullptr;
  HWND list_ = nullptr;
  test::ComPtr<IAccessible> listObject_;
};

struct ElementCase {
  long child;
  const wchar_t* name;
  long role;
  const wchar_t* description;
  const wchar_t* defaultAction;
};

TEST_F(AccessTargetTest, AnotherProcessReadsTheControlAndEachItem) {
  const ElementCase cases[] = {
      {kSelf, L"Samples", ROLE_SYSTEM_LIST, L"", L""},
      {1, L"Alpha", ROLE_SYSTEM_LISTITEM, L"The first row", L"Open"},
      {2, L"Beta", ROLE_SYSTEM_LISTITEM, L"The second row", L"Open"},
      {3, L"Gamma", ROLE_SYSTEM_LISTITEM, L"", L"Open"},
  };
  for (const ElementCase& c : cases) {
    SCOPED_TRACE(c.child);
    const AccNode node = List(c.child);
    EXPECT_EQ(node.name, c.name);
    EXPECT_EQ(node.role, c.role);
    EXPECT_EQ(node.description, c.description);
    EXPECT_EQ(node.defaultAction, c.defaultAction);
    EXPECT_EQ(node.window, list_);
  }
  EXPECT_EQ(List(kSelf).value, L"three rows");
  EXPECT_EQ(List(kSelf).shortcut, L"Alt+S");
  long count = 0;
  EXPECT_EQ(listObject_->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 3);
}

TEST_F(AccessTargetTest, ChildIdsOutsideTheItemsAreRefused) {
  for (long id : {-1L, 4L, 100L}) {
    SCOPED_TRACE(id);
    BSTR name = nullptr;
    EXPECT_EQ(listObject_->get_accName(Child(id), &name), E_INVALIDARG);
    EXPECT_EQ(name, nullptr);
    EXPECT_EQ(listObject_->accDoDefaultAction(Child(id)), E_INVALIDARG);
  }
}

TEST_F(AccessTargetTest, TheControlsStateComesFromItsWindowAndFocus) {
  // A tab stop that shows and works, not yet focused.
  EXPECT_EQ(List(kSelf).state, STATE_SYSTEM_FOCUSABLE);
  EXPECT_EQ(test::Select(AccElement{listObject_, kSelf}, SELFLAG_TAKEFOCUS), S_OK);
  EXPECT_EQ(List(kSelf).state, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
  // The focused row: the source's own bits.
  EXPECT_EQ(List(1).state, STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
  VARIANT focus;
  ::VariantInit(&focus);
  EXPECT_EQ(listObject_->get_accFocus(&focus), S_OK);
  EXPECT_EQ(focus.vt, VT_I4);
  EXPECT_EQ(focus.lVal, 1);

  // Disabled and hidden from here: the object reads the window, not a copy.
  ::EnableWindow(list_, FALSE);
  EXPECT_TRUE(test::WaitUntil([&] { return ::IsWindowEnabled(list_) == FALSE; }, 5s));
  EXPECT_NE(List(kSelf).state & STATE_SYSTEM_UNAVAILABLE, 0);
  ::ShowWindow(list_, SW_HIDE);
  EXPECT_TRUE(test::WaitUntil([&] { return ::IsWindowVisible(list_) == FALSE; }, 5s));
  EXPECT_NE(List(kSelf).state & STATE_SYSTEM_INVISIBLE, 0);
}

TEST_F(AccessTargetTest, SelectingAnItemMarksItAndRaisesTheEvents) {
  test::WinEventRecorder events(target_.Id(), EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION);
  ASSERT_TRUE(events.Hooked());
  EXPECT_EQ(test::Select(AccElement{listObject_, 2}, SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION), S_OK);
  EXPECT_EQ(List(2).state,
            STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);
  VARIANT selection;
  ::VariantInit(&selection);
  EXPECT_EQ(listObject_->get_accSelection(&selection), S_OK);
  EXPECT_EQ(selection.vt, VT_I4);
  EXPECT_EQ(selection.lVal, 2);
  for (DWORD kind : {static_cast<DWORD>(EVENT_OBJECT_FOCUS), static_cast<DWORD>(EVENT_OBJECT_SELECTION)}) {
    SCOPED_TRACE(kind);
    EXPECT_TRUE(events.WaitFor(
        [&](const test::WinEventRecorder::Event& e) {
          return e.event == kind && e.window == list_ && e.object == OBJID_CLIENT && e.child == 2;
        },
        10s));
  }
  // The element an event names is the row, read through our object.
  for (const auto& e : events.Events()) {
    if (e.event != EVENT_OBJECT_SELECTION || e.window != list_) continue;
    EXPECT_EQ(test::Describe(test::ElementOf(e)).name, L"Beta");
    break;
  }
}

TEST_F(AccessTargetTest, TheDefaultActionOfARowReachesTheProgram) {
  EXPECT_EQ(test::DoDefaultAction(AccElement{listObject_, 2}), S_OK);
  EXPECT_TRUE(test::WaitUntil([&] { return Title() == L"Opened Beta"; }, 10s)) << Title();
  // The list itself has no default action.
  EXPECT_EQ(test::DoDefaultAction(AccElement{listObject_, kSelf}), DISP_E_MEMBERNOTFOUND);
}

TEST_F(AccessTargetTest, TheValueSetByTheClientIsKept) {
  EXPECT_EQ(test::SetValue(AccElement{listObject_, kSelf}, L"a new value"), S_OK);
  EXPECT_EQ(List(kSelf).value, L"a new value");
  EXPECT_EQ(test::SetValue(AccElement{listObject_, 1}, L"no"), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(List(1).value, L"");
}

TEST_F(AccessTargetTest, ItemsAreFoundWhereTheyAreDrawn) {
  RECT client{};
  ASSERT_TRUE(::GetClientRect(list_, &client));
  for (long row = 1; row <= 3; ++row) {
    SCOPED_TRACE(row);
    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(listObject_->accLocation(&left, &top, &width, &height, Child(row)), S_OK);
    POINT corner{0, (row - 1) * sample::kRowHeight};
    ::ClientToScreen(list_, &corner);
    EXPECT_EQ(left, corner.x);
    EXPECT_EQ(top, corner.y);
    EXPECT_EQ(width, client.right);
    EXPECT_EQ(height, sample::kRowHeight);
    VARIANT hit;
    ::VariantInit(&hit);
    ASSERT_EQ(listObject_->accHitTest(left + width / 2, top + height / 2, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, row);
  }
  // Below the rows, inside the list: the list itself, as the standard object says.
  POINT below{5, client.bottom - 2};
  ::ClientToScreen(list_, &below);
  VARIANT hit;
  ::VariantInit(&hit);
  ASSERT_EQ(listObject_->accHitTest(below.x, below.y, &hit), S_OK);
  EXPECT_EQ(hit.vt, VT_I4);
  EXPECT_EQ(hit.lVal, kSelf);
  // The list itself covers its client area.
  long left = 0, top = 0, width = 0, height = 0;
  ASSERT_EQ(listObject_->accLocation(&left, &top, &width, &height, Child(kSelf)), S_OK);
  EXPECT_EQ(width, client.right);
  EXPECT_EQ(height, client.bottom);
}

struct NavigationCase {
  long start;
  long direction;
  long expected;  // 0: none
};

TEST_F(AccessTargetTest, NavigationGoesThroughTheItems) {
  const NavigationCase cases[] = {
      {kSelf, NAVDIR_FIRSTCHILD, 1},
      {kSelf, NAVDIR_LASTCHILD, 3},
      {1, NAVDIR_NEXT, 2},
      {2, NAVDIR_DOWN, 3},
      {3, NAVDIR_NEXT, 0},
      {3, NAVDIR_PREVIOUS, 2},
      {1, NAVDIR_UP, 0},
      {2, NAVDIR_FIRSTCHILD, 0},
  };
  for (const NavigationCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.start << " " << c.direction);
    VARIANT end;
    ::VariantInit(&end);
    const HRESULT hr = listObject_->accNavigate(c.direction, Child(c.start), &end);
    if (c.expected == 0) {
      EXPECT_EQ(hr, S_FALSE);
      EXPECT_EQ(end.vt, VT_EMPTY);
    } else {
      EXPECT_EQ(hr, S_OK);
      EXPECT_EQ(end.vt, VT_I4);
      EXPECT_EQ(end.lVal, c.expected);
    }
  }
}

TEST_F(AccessTargetTest, TheTreeHoldsTheWindowsAndTheirItems) {
  const test::ComPtr<IAccessible> top = test::AccessibleOf(window_);
  ASSERT_NE(top, nullptr);
  const std::vector<AccNode> nodes = test::Walk(AccElement{top, kSelf});
  std::wstring tree;
  for (const AccNode& node : nodes) tree += test::Line(node) + L"\n";
  SCOPED_TRACE(::testing::PrintToString(tree));
  ASSERT_FALSE(nodes.empty());
  EXPECT_EQ(nodes.front().name, sample::kTargetTitle);
  EXPECT_EQ(nodes.front().role, ROLE_SYSTEM_PANE);
  const AccNode* list = test::Find(nodes, ROLE_SYSTEM_LIST, sample::kListName);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->depth, 1);
  EXPECT_EQ(list->window, list_);
  for (const wchar_t* row : {L"Alpha", L"Beta", L"Gamma"}) {
    const AccNode* item = test::Find(nodes, ROLE_SYSTEM_LISTITEM, row);
    ASSERT_NE(item, nullptr) << row;
    EXPECT_EQ(item->depth, 2);
  }
  const AccNode* pane = test::Find(nodes, ROLE_SYSTEM_PANE, sample::kPaneName);
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(pane->depth, 1);
  // The pane's child windows are there, as their own objects.
  long paneChildren = 0;
  ASSERT_EQ(pane->element.object->get_accChildCount(&paneChildren), S_OK);
  EXPECT_EQ(paneChildren, 2);
  int belowPane = 0;
  for (size_t i = static_cast<size_t>(pane - nodes.data()) + 1; i < nodes.size() && nodes[i].depth > 1; ++i)
    ++belowPane;
  EXPECT_EQ(belowPane, 2);
  // Three windows at the top: the list, the pane, and nothing else.
  long topChildren = 0;
  ASSERT_EQ(top->get_accChildCount(&topChildren), S_OK);
  EXPECT_EQ(topChildren, 2);
}

TEST_F(AccessTargetTest, AnObjectWhoseControlIsGoneAnswersNoMore) {
  ASSERT_EQ(List(1).name, L"Alpha");
  ::PostMessageW(window_, sample::kDropList, 0, 0);
  ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(list_); }, 10s));
  BSTR name = nullptr;
  const HRESULT hr = listObject_->get_accName(Child(1), &name);
  EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
  EXPECT_EQ(name, nullptr);
  ::SysFreeString(name);
  // The program goes on answering.
  EXPECT_EQ(test::Describe(AccElement{test::AccessibleOf(window_), kSelf}).name, sample::kTargetTitle);
  EXPECT_TRUE(target_.Running());
}

// The same windows in this process: the object and its reference count are seen directly.
class AccessInProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ole_.ok());
    ASSERT_NE(target_.Create(::GetModuleHandleW(nullptr)), nullptr);
  }

  win::OleScope ole_;
  sample::SampleTarget target_;
};

TEST_F(AccessInProcessTest, TheWindowHandsOutOneObjectAndItsReferencesEndWithTheWindow) {
  IAccessible* first = nullptr;
  IAccessible* second = nullptr;
  ASSERT_EQ(::AccessibleObjectFromWindow(target_.List(), static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), reinterpret_cast<void**>(&first)),
            S_OK);
  ASSERT_EQ(::AccessibleObjectFromWindow(target_.List(), static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), reinterpret_cast<void**>(&second)),
            S_OK);
  EXPECT_EQ(first, second);
  // Two references of ours, one the window's own.
  EXPECT_EQ(second->Release(), 2u);
  ::PostMessageW(target_.hwnd(), sample::kDropList, 0, 0);
  ASSERT_TRUE(test::WaitUntil([&] { return target_.List() == nullptr; }, 5s));
  BSTR name = nullptr;
  EXPECT_EQ(first->get_accName(Child(kSelf), &name), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(name, nullptr);
  long count = -1;
  EXPECT_EQ(first->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
  // The window let go of it: the client's was the last reference.
  EXPECT_EQ(first->Release(), 0u);
}

// The next `wanted` children from `list`'s cursor, as child IDs (0 for an object), and its answer.
std::pair<HRESULT, std::vector<long>> NextIds(IEnumVARIANT* list, ULONG wanted) {
  std::vector<VARIANT> slots(wanted);
  ULONG fetched = 0;
  const HRESULT hr = list->Next(wanted, slots.data(), &fetched);
  std::vector<long> ids;
  for (ULONG i = 0; i < fetched; ++i) {
    ids.push_back(slots[i].vt == VT_I4 ? slots[i].lVal : 0);
    ::VariantClear(&slots[i]);
  }
  return {hr, ids};
}

TEST_F(AccessInProcessTest, TheChildEnumerationSkipsExactlyAndItsClonesKeepTheirPlace) {
  const test::ComPtr<IAccessible> object = test::AccessibleOf(target_.List());
  ASSERT_NE(object, nullptr);
  test::ComPtr<IEnumVARIANT> children;
  ASSERT_EQ(object.As(&children), S_OK);
  long count = 0;
  ASSERT_EQ(object->get_accChildCount(&count), S_OK);
  ASSERT_EQ(count, 3);  // the three rows, no child windows

  // Skipping every child is a whole skip; one more runs past the end.
  EXPECT_EQ(children->Skip(3), S_OK);
  EXPECT_EQ(children->Skip(1), S_FALSE);
  EXPECT_EQ(NextIds(children.Get(), 1), std::make_pair(S_FALSE, std::vector<long>{}));

  ASSERT_EQ(children->Reset(), S_OK);
  EXPECT_EQ(children->Skip(1), S_OK);
  test::ComPtr<IEnumVARIANT> copy;
  ASSERT_EQ(children->Clone(&copy), S_OK);
  EXPECT_EQ(NextIds(children.Get(), 1), std::make_pair(S_OK, std::vector<long>{2}));
  // The copy started where the original stood, and moves on its own.
  EXPECT_EQ(NextIds(copy.Get(), 5), std::make_pair(S_FALSE, std::vector<long>{2, 3}));
  EXPECT_EQ(NextIds(children.Get(), 1), std::make_pair(S_OK, std::vector<long>{3}));
  test::ComPtr<IEnumVARIANT> copyOfCopy;
  ASSERT_EQ(copy->Clone(&copyOfCopy), S_OK);
  EXPECT_EQ(copyOfCopy->Skip(0), S_OK);
  EXPECT_EQ(copyOfCopy->Skip(1), S_FALSE);
}

TEST_F(AccessInProcessTest, AWindowWithoutASourceKeepsTheStandardObject) {
  // The pane's button is a standard window: its object is not ours, and it is no pane or list.
  const HWND pane = ::FindWindowExW(target_.hwnd(), nullptr, L"#32770", nullptr);
  ASSERT_NE(pane, nullptr);
  const test::ComPtr<IAccessible> object = test::AccessibleOf(::GetDlgItem(pane, sample::kPaneButton));
  ASSERT_NE(object, nullptr);
  const AccNode node = test::Describe(AccElement{object, kSelf});
  EXPECT_NE(node.role, ROLE_SYSTEM_PANE);
  EXPECT_NE(node.role, ROLE_SYSTEM_LIST);
  EXPECT_EQ(test::Describe(AccElement{test::AccessibleOf(pane), kSelf}).name, sample::kPaneName);
}

}  // namespace
