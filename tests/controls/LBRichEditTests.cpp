// The panels' rich-edit text field in a real window: its context menu as the selection enables it,
// in every language of the program, and the menu's commands on the real control.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsHost.h"
#include "ResourceIds.h"
#include "support/TestPaths.h"
#include "controls/LBRichEdit.h"
#include "win/Resources.h"

namespace controls {
namespace {

constexpr int kFieldId = 4712;

// One entry of a menu as the person sees it.
struct Entry {
  UINT id;  // 0 for the separator
  std::wstring text;
  bool enabled;
  bool operator==(const Entry&) const = default;
};

void PrintTo(const Entry& entry, std::ostream* out) {
  *out << entry.id << " " << testing::PrintToString(entry.text) << (entry.enabled ? " enabled" : " greyed");
}

std::vector<Entry> EntriesOf(HMENU menu) {
  std::vector<Entry> entries;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    ::GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
    const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    // A separator is never chosen: its state does not matter.
    if (state & MF_SEPARATOR) {
      entries.push_back({0, L"", true});
      continue;
    }
    entries.push_back({::GetMenuItemID(menu, i), text, !(state & (MF_GRAYED | MF_DISABLED))});
  }
  return entries;
}

class LBRichEditTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    ASSERT_TRUE(field_.Create(host_.hwnd(), kFieldId, {20, 20, 300, 120},
                              graphics_->Font(app::SharedFont::kTahoma12)));
  }

  void Select(LONG from, LONG to) const {
    CHARRANGE range{from, to};
    ::SendMessageW(field_.hwnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  }

  ui::skin::CLBRichEdit field_;
};

struct EnableCase {
  const wchar_t* text;
  LONG from, to;  // the selection; (0, -1) is everything
  bool cutCopyDelete;
  bool selectAll;
};

constexpr EnableCase kEnableCases[] = {
    {L"", 0, 0, false, false},              // empty: Select All has nothing more to take
    {L"Hello world", 5, 5, false, true},    // a caret only
    {L"Hello world", 0, 5, true, true},     // a part
    {L"Hello world", 0, -1, true, false},   // everything
    {L"Two\r\nlines", 0, -1, true, false},  // everything, over a line break
    {L"Two\r\nlines", 4, 9, true, true},
};

TEST_F(LBRichEditTest, TheMenuEnablesItsCommandsByTheSelectionWithASeparatorBeforeSelectAll) {
  for (const EnableCase& c : kEnableCases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)) + " " + std::to_string(c.from) + ".." +
                 std::to_string(c.to));
    field_.SetText(c.text);
    Select(c.from, c.to);
    const ui::skin::UniqueMenu menu = field_.ContextMenu();
    ASSERT_TRUE(menu);
    const std::vector<Entry> expected = {{IDM_EDIT_CUT, L"Cut\tCtrl+X", c.cutCopyDelete},
                                         {IDM_EDIT_COPY, L"Copy\tCtrl+C", c.cutCopyDelete},
                                         {IDM_EDIT_PASTE, L"Paste\tCtrl+V", true},
                                         {IDM_EDIT_CLEAR, L"Delete\tDel", c.cutCopyDelete},
                                         {0, L"", true},
                                         {IDM_EDIT_SELECT_ALL, L"Select All\tCtrl+A", c.selectAll}};
    EXPECT_EQ(EntriesOf(menu.get()), expected);
  }
}

TEST_F(LBRichEditTest, DeleteRemovesTheSelectionAndSelectAllTakesTheWholeText) {
  field_.SetText(L"Hello brave world");
  Select(5, 11);
  field_.RunCommand(IDM_EDIT_CLEAR);
  EXPECT_EQ(field_.Text(), L"Hello world");
  field_.RunCommand(IDM_EDIT_SELECT_ALL);
  const ui::skin::UniqueMenu menu = field_.ContextMenu();
  ASSERT_TRUE(menu);
  EXPECT_FALSE(EntriesOf(menu.get()).back().enabled);
  field_.RunCommand(IDM_EDIT_CLEAR);
  EXPECT_EQ(field_.Text(), L"");
}

TEST_F(LBRichEditTest, TextLooksLikeRichTextStaysTextAndLongTextsAreKeptWhole) {
  const std::wstring rtfLike = L"{\\rtf1 not a document}";
  field_.SetText(rtfLike);
  EXPECT_EQ(field_.Text(), rtfLike);
  // Far beyond the control's own limit of 32,767 characters, with line breaks where the control
  // reads the text in pieces (Wine's takes 2,048 characters at a time).
  std::wstring longText = std::wstring(2047, L'x') + L"\r\n" + std::wstring(2046, L'y') + L"\r\n";
  for (int i = 0; i < 5000; ++i) longText += L"Line " + std::to_wstring(i) + L" of a long text\r\n";
  field_.SetText(longText);
  EXPECT_EQ(field_.Text(), longText);
}

TEST_F(LBRichEditTest, EveryLanguageHasTheMenuWithItsOwnTexts) {
  field_.SetText(L"Some text");
  Select(0, 4);
  std::vector<Entry> english;
  for (const wchar_t* language : {L"ENU", L"DEU", L"FRA", L"RUS", L"ESN"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(language)));
    const std::wstring path =
        (test::BinFolder() / (std::wstring(L"StartdeckRes") + language + L".dll")).wstring();
    win::UniqueModule library(
        ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(library);
    win::AdoptResourceModule(std::move(library));
    const ui::skin::UniqueMenu menu = field_.ContextMenu();
    win::ResetResourceModule();
    ASSERT_TRUE(menu);
    const std::vector<Entry> entries = EntriesOf(menu.get());
    ASSERT_EQ(entries.size(), 6u);
    for (size_t i = 0; i < entries.size(); ++i) {
      if (i == 4) {
        EXPECT_EQ(entries[i].id, 0u);
        continue;
      }
      EXPECT_NE(entries[i].text.find(L'\t'), std::wstring::npos) << entries[i].text.size();
      if (!english.empty()) {
        EXPECT_EQ(entries[i].id, english[i].id);
        // The command differs by language; the key after the tab may not.
        const std::wstring word = entries[i].text.substr(0, entries[i].text.find(L'\t'));
        EXPECT_NE(word, english[i].text.substr(0, english[i].text.find(L'\t')));
      }
    }
    if (english.empty()) english = entries;
  }
}

}  // namespace
}  // namespace controls
