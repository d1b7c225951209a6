// Quick translation in the real window, typed at and clicked like a person would: the kernel
// substitute translates line by line, the keys and the clipboard of the text fields, the kernel's
// error reporter for the translation limit, a kernel failing in the middle of a text, and the
// direction and profile remembered for the task.
#include <gtest/gtest.h>

#include <windows.h>
#include <richedit.h>

#include <cctype>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "support/ProgramLog.h"
#include "support/RegistrySandbox.h"
#include "vanto/KernelDialogs.h"

namespace {

using namespace std::chrono_literals;
using test::ControlText;
using test::FindDescendant;
using test::PressKey;

const std::wstring kTaskSettings = std::wstring(test::kSettingsKeyPath) + L"\\9";

constexpr wchar_t kThreeLines[] = L"The house is big.\r\n\r\nThe cat is black.";
constexpr wchar_t kThreeLinesGerman[] = L"Das Haus ist groß.\r\n\r\nDie Katze ist schwarz.";

// The clipboard as another program leaves it: rich text with a bold word, and Russian plain text.
constexpr char kRichText[] = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Tahoma;}}\\f0\\b Bold\\b0  words}";
constexpr wchar_t kRichTextAsText[] = L"Bold words";
constexpr wchar_t kPlainText[] = L"Простой текст";

bool FillClipboard() {
  return test::FillClipboard({{::RegisterClipboardFormatW(L"Rich Text Format"), kRichText, sizeof(kRichText)},
                              {CF_UNICODETEXT, kPlainText, sizeof(kPlainText)}});
}

// The Unicode text the clipboard holds now; empty when none.
std::wstring ClipboardText() {
  std::wstring text;
  if (!::OpenClipboard(nullptr)) return text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    const wchar_t* characters = static_cast<const wchar_t*>(::GlobalLock(data));
    if (characters) text.assign(characters, wcsnlen(characters, ::GlobalSize(data) / sizeof(wchar_t)));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

// The rich text the clipboard holds now; empty when none.
std::string ClipboardRichText() {
  std::string text;
  if (!::OpenClipboard(nullptr)) return text;
  if (HANDLE data = ::GetClipboardData(::RegisterClipboardFormatW(L"Rich Text Format"))) {
    const char* bytes = static_cast<const char*>(::GlobalLock(data));
    if (bytes) text.assign(bytes, strnlen(bytes, ::GlobalSize(data)));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

// Whether rich text switches bold on anywhere: the control word \b, not \b0 and not a longer word.
bool HasBold(const std::string& rtf) {
  for (size_t at = rtf.find("\\b"); at != std::string::npos; at = rtf.find("\\b", at + 1)) {
    const char next = at + 2 < rtf.size() ? rtf[at + 2] : ' ';
    if (!std::isalpha(static_cast<unsigned char>(next)) && next != '0') return true;
  }
  return false;
}

class QuickTranslationTest : public test::DeckTest {
 protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTaskSettings.c_str());
    DeckTest::SetUp();
  }
  void TearDown() override {
    CloseDeck();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTaskSettings.c_str());
  }

  // Starts the window and opens quick translation, the first row of the translation tab.
  void Open() {
    StartDeck();
    ChooseQuickTranslation();
    source_ = FindDescendant(window_, IDC_QUICK_SOURCE);
    target_ = FindDescendant(window_, IDC_QUICK_TARGET);
    ASSERT_NE(source_, nullptr);
    ASSERT_NE(target_, nullptr);
    panel_ = ::GetParent(source_);
    translate_ = FindDescendant(panel_, IDC_QUICK_TRANSLATE);
    clear_ = FindDescendant(panel_, IDC_QUICK_CLEAR);
    ASSERT_NE(translate_, nullptr);
    ASSERT_NE(clear_, nullptr);
    Activate();
  }
  void ChooseQuickTranslation() {
    OpenTask(test::kStartButtonTab1, test::kListOfTab1, 0);
    ASSERT_NE(WaitForControl(IDC_QUICK_SOURCE), nullptr);
  }

  [[nodiscard]] HWND Focus() const { return test::FocusIn(window_); }
  // Puts the focus into `field` with a click at its top left.
  void FocusOn(HWND field) { ASSERT_TRUE(test::ClickToFocus(field)); }
  // Opens the skinned list `comboId` and clicks its entry `index`, as a person would.
  void Choose(int comboId, int index) {
    ASSERT_TRUE(test::ChooseEntry(FindDescendant(panel_, comboId), index));
  }
  // Types `text` into the field that has the focus.
  void Type(const std::wstring& text) {
    const HWND field = Focus();
    ASSERT_TRUE(field == source_ || field == target_);
    ASSERT_TRUE(test::TypeKeysInto(field, text)) << testing::PrintToString(ControlText(field));
  }
  bool TargetBecomes(const std::wstring& expected) {
    return test::WaitUntil([&] { return ControlText(target_) == expected; }, 10s);
  }

  HWND panel_ = nullptr;
  HWND source_ = nullptr;
  HWND target_ = nullptr;
  HWND translate_ = nullptr;
  HWND clear_ = nullptr;
};

struct TranslatorCase {
  const char* name;
  bool textObjects;
};
void PrintTo(const TranslatorCase& c, std::ostream* out) {
  *out << c.name;
}

class QuickTranslationByKernel : public QuickTranslationTest,
                                 public ::testing::WithParamInterface<TranslatorCase> {};

TEST_P(QuickTranslationByKernel, TypedLinesAreTranslatedLineByLineWithTheirBreaks) {
  if (!GetParam().textObjects) switches_.Set(L"NoTextTranslator", 1);
  Open();
  FocusOn(source_);
  Type(L"The house is big.\n\nThe cat is black.");
  ASSERT_EQ(ControlText(source_), kThreeLines);

  test::Click(translate_);
  EXPECT_TRUE(TargetBecomes(kThreeLinesGerman)) << testing::PrintToString(ControlText(target_));
  EXPECT_EQ(ControlText(source_), kThreeLines);
  if (GetParam().textObjects) {
    test::Screenshot(L"quick-translation-panel");
  }

  // F9 in the field: a fourth line, ended by a line break that the translation keeps.
  Type(L"\nGood morning, my friend!\n");
  PressKey(VK_F9);
  EXPECT_TRUE(TargetBecomes(std::wstring(kThreeLinesGerman) + L"\r\nGuten Morgen, mein Freund!\r\n"))
      << testing::PrintToString(ControlText(target_));
  EXPECT_EQ(ControlText(source_), std::wstring(kThreeLines) + L"\r\nGood morning, my friend!\r\n");
}

INSTANTIATE_TEST_SUITE_P(Translators, QuickTranslationByKernel,
                         ::testing::Values(TranslatorCase{"TextObjects", true},
                                           TranslatorCase{"SettingsTranslate", false}),
                         [](const auto& instance) { return std::string(instance.param.name); });

// Escape now goes back to the tab's list as in every task panel (it used to do nothing here), and Tab
// walks the panel's controls in reading order, the buttons between the fields included, before it
// leaves the panel (it used to go from the source straight to the target).
TEST_F(QuickTranslationTest, F9TranslatesFromAnywhereInThePanelEscapeGoesBackAndTabWalksItsControls) {
  Open();
  FocusOn(source_);
  Type(L"The cat is black.");
  // A click beside the fields takes the focus to the panel; F9 still translates.
  test::ClickAt(panel_, {300, 8});
  ASSERT_TRUE(test::WaitUntil([&] { return Focus() == panel_; }, 5s));
  PressKey(VK_F9);
  EXPECT_TRUE(TargetBecomes(L"Die Katze ist schwarz.")) << testing::PrintToString(ControlText(target_));

  // Enter outside the fields changes nothing and closes nothing.
  PressKey(VK_RETURN);
  EXPECT_FALSE(deck_.WaitForExit(1s));
  EXPECT_TRUE(::IsWindowVisible(panel_));
  EXPECT_EQ(ControlText(source_), L"The cat is black.");
  // Escape in a field goes back to the list, as Back does; the window stays and the panel keeps
  // its texts for the next time.
  FocusOn(source_);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(test::WaitUntil([&] { return !::IsWindowVisible(panel_); }, 5s));
  EXPECT_NE(WaitForControl(test::kListOfTab1), nullptr);
  EXPECT_FALSE(deck_.WaitForExit(500ms));
  OpenTask(test::kRibbonTab1, test::kListOfTab1, 0);
  ASSERT_TRUE(test::WaitUntil([&] { return ::IsWindowVisible(panel_) != FALSE; }, 5s));
  EXPECT_EQ(ControlText(source_), L"The cat is black.");

  // Tab: source, the row of buttons below it from the left, target, then out of the panel to the
  // main window.
  FocusOn(source_);
  for (HWND next : {clear_, translate_, target_}) {
    PressKey(VK_TAB);
    EXPECT_TRUE(test::WaitUntil([&] { return Focus() == next; }, 5s)) << ::GetDlgCtrlID(next);
  }
  PressKey(VK_TAB);
  EXPECT_TRUE(test::WaitUntil(
      [&] {
        HWND focus = Focus();
        return focus && focus != panel_ && !::IsChild(panel_, focus) && ::IsChild(window_, focus);
      },
      5s));
  EXPECT_EQ(ControlText(source_), L"The cat is black.");
  EXPECT_EQ(ControlText(target_), L"Die Katze ist schwarz.");

  // An empty source translates into an empty target.
  ::SendMessageW(source_, EM_SETSEL, 0, -1);
  ::SendMessageW(source_, WM_CLEAR, 0, 0);
  FocusOn(source_);
  PressKey(VK_F9);
  EXPECT_TRUE(TargetBecomes(L"")) << testing::PrintToString(ControlText(target_));
}

TEST_F(QuickTranslationTest, CtrlVPastesPlainTextAndTheContextMenusPasteKeepsTheFormatting) {
  Open();
  ASSERT_TRUE(FillClipboard());
  FocusOn(source_);
  PressKey('V', {VK_CONTROL});
  EXPECT_TRUE(test::WaitUntil([&] { return ControlText(source_) == kPlainText; }, 5s))
      << testing::PrintToString(ControlText(source_));
  // Copied back, the pasted text carries no bold.
  ::SendMessageW(source_, EM_SETSEL, 0, -1);
  ::SendMessageW(source_, WM_COPY, 0, 0);
  EXPECT_FALSE(HasBold(ClipboardRichText())) << ClipboardRichText();

  // Ctrl+X and Ctrl+C are the field's own: the text goes to the clipboard.
  ::SendMessageW(source_, EM_SETSEL, 0, -1);
  PressKey('X', {VK_CONTROL});
  EXPECT_TRUE(test::WaitUntil([&] { return ControlText(source_).empty(); }, 5s));
  EXPECT_EQ(ClipboardText(), kPlainText);
  PressKey('V', {VK_CONTROL});
  EXPECT_TRUE(test::WaitUntil([&] { return ControlText(source_) == kPlainText; }, 5s));

  // Shift+Insert is the plain paste too, in the target as in the source.
  ASSERT_TRUE(FillClipboard());
  FocusOn(target_);
  PressKey(VK_INSERT, {VK_SHIFT});
  EXPECT_TRUE(test::WaitUntil([&] { return ControlText(target_) == kPlainText; }, 5s))
      << testing::PrintToString(ControlText(target_));

  // Clear empties both fields and puts the focus into the source.
  test::Click(clear_);
  EXPECT_TRUE(
      test::WaitUntil([&] { return ControlText(source_).empty() && ControlText(target_).empty(); }, 5s));
  EXPECT_TRUE(test::WaitUntil([&] { return Focus() == source_; }, 5s));

  // The context menu opened from the keyboard; its third entry is Paste.
  ASSERT_TRUE(FillClipboard());
  ::PostMessageW(source_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(source_), MAKELPARAM(-1, -1));
  HWND menu = test::WaitForWindow(deck_.Id(), L"", L"#32768", 5s);
  ASSERT_NE(menu, nullptr);
  test::Screenshot(L"quick-translation-menu", 0ms);
  for (int i = 0; i < 3; ++i) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  EXPECT_TRUE(test::WaitUntil([&] { return ControlText(source_) == kRichTextAsText; }, 5s))
      << testing::PrintToString(ControlText(source_));
  ::SendMessageW(source_, EM_SETSEL, 0, -1);
  ::SendMessageW(source_, WM_COPY, 0, 0);
  EXPECT_TRUE(HasBold(ClipboardRichText())) << ClipboardRichText();
}

TEST_F(QuickTranslationTest, TheTranslationLimitGoesToTheKernelsErrorReporterInNetworkMode) {
  switches_.Set(L"NetworkServer", L"SRV1");
  Open();
  FocusOn(source_);
  Type(L"The house is big.");
  test::Click(translate_);
  ASSERT_TRUE(TargetBecomes(L"Das Haus ist groß."));

  switches_.Set(L"TranslationError", 0x800F0021);
  Type(L" The cat is black.");
  test::Click(translate_);
  HWND error = test::WaitForWindow(deck_.Id(), kVantoErrorTitle, L"", 10s);
  ASSERT_NE(error, nullptr);
  const std::wstring text = test::WindowText(::GetDlgItem(error, IDC_VANTO_TEXT));
  EXPECT_NE(text.find(installation_.Product()), std::wstring::npos) << testing::PrintToString(text);
  ::PostMessageW(error, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(test::WaitUntil([&] { return !::IsWindow(error); }, 5s));
  EXPECT_EQ(ControlText(target_), L"Das Haus ist groß.");
  EXPECT_EQ(ControlText(source_), L"The house is big. The cat is black.");
  EXPECT_TRUE(deck_.Running());
}

TEST_F(QuickTranslationTest, AKernelFailingOnTheThirdLineLeavesTheTargetAsItWas) {
  test::ProgramLog log(L"StartdeckQuickTranslation.log");
  Open();
  FocusOn(source_);
  Type(L"The house is big.\n\nThe cat is black.");
  test::Click(translate_);
  ASSERT_TRUE(TargetBecomes(kThreeLinesGerman));

  Type(L"\nGood morning, my friend!");
  switches_.Set(L"TranslationsBeforeError", 2);
  test::Click(translate_);
  EXPECT_TRUE(test::WaitUntil(
      [&] {
        return log.Text().find(L"Quick translation: the kernel failed with 0x80004005") != std::wstring::npos;
      },
      10s))
      << testing::PrintToString(log.Text());
  EXPECT_EQ(ControlText(target_), kThreeLinesGerman);
  EXPECT_EQ(test::WaitForWindow(deck_.Id(), kVantoErrorTitle, L"", 500ms), nullptr);

  // The kernel answers again: the same text translates whole.
  switches_.Remove(L"TranslationsBeforeError");
  test::Click(translate_);
  EXPECT_TRUE(TargetBecomes(std::wstring(kThreeLinesGerman) + L"\r\nGuten Morgen, mein Freund!"));
}

TEST_F(QuickTranslationTest, TheRememberedDirectionAndProfileAreChosenAndTheNewChoiceKept) {
  test::SetString(HKEY_CURRENT_USER, kTaskSettings, L"DirID", L"2329");  // English-Russian
  test::SetString(HKEY_CURRENT_USER, kTaskSettings, L"TemplateName", L"Technical");
  Open();
  FocusOn(source_);
  Type(L"The house is big.");
  test::Click(translate_);
  EXPECT_TRUE(TargetBecomes(L"Дом большой.")) << testing::PrintToString(ControlText(target_));

  // Back to the list and into the task again: the same direction.
  test::Click(FindDescendant(window_, IDC_BACK));
  ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindowVisible(panel_); }, 5s));
  ChooseQuickTranslation();
  EXPECT_TRUE(QuickTranslates(L"Good morning, my friend!", L"Доброе утро, мой друг!"));

  // The person's own choice is remembered in its turn: English-French and Business.
  Choose(IDC_PANEL_DIRECTIONS, 4);
  Choose(IDC_PANEL_PROFILES, 1);
  EXPECT_TRUE(QuickTranslates(L"Thank you very much!", L"Merci beaucoup!"));

  ASSERT_TRUE(CloseDeck());
  EXPECT_EQ(test::GetString(HKEY_CURRENT_USER, kTaskSettings, L"DirID"), L"2316");
  EXPECT_EQ(test::GetString(HKEY_CURRENT_USER, kTaskSettings, L"TemplateName"), L"Business");
}

}  // namespace
