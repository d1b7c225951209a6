// Quick translation in the real window, typed at and clicked like a person would: the kernel
// substitute translates line by line, the keys and the clipboard of the text fields, the kernel's
// error reporter for the translation limit, a kernel failing in the middle of a text, the
// direction and profile remembered for the task, and long texts translated while the window goes on
// answering, with their progress and their cancelling.
#include <gtest/gtest.h>

#include <windows.h>
#include <richedit.h>

#include <cctype>
#include <cstring>
#include <cwchar>
#include <iostream>
#include <string>
#include <utility>
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

  // The context menu opened from the keyboard; its third entry is Paste. The pointer is put away
  // from the window first: a menu that opens under it lights the entry there, and the arrow keys
  // would start from that one.
  ASSERT_TRUE(FillClipboard());
  RECT deck{};
  ::GetWindowRect(window_, &deck);
  ::SetCursorPos(deck.right + 50, deck.bottom + 50);
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

// A long text: sentences the kernel knows, an empty line now and then, and
// what each line becomes in English-German; `lines` lines, the last one without a break when
// `lastBreak` is false.
struct LongText {
  std::wstring source;
  std::vector<std::wstring> translatedLines;  // each with the break the translation gives it
  std::wstring Translation(size_t count) const {
    std::wstring text;
    for (size_t i = 0; i < count && i < translatedLines.size(); ++i) text += translatedLines[i];
    return text;
  }
};

LongText MakeLongText(int lines, bool lastBreak) {
  static constexpr const wchar_t* kPairs[][2] = {
      {L"The house is big.", L"Das Haus ist groß."},
      {L"The cat is black.", L"Die Katze ist schwarz."},
      {L"", L""},
      {L"Good morning, my friend!", L"Guten Morgen, mein Freund!"}};
  LongText text;
  for (int i = 0; i < lines; ++i) {
    const auto& pair = kPairs[i % 4];
    const bool withBreak = lastBreak || i + 1 < lines;
    text.source += std::wstring(pair[0]) + (withBreak ? L"\r\n" : L"");
    text.translatedLines.push_back(std::wstring(pair[1]) + (withBreak ? L"\r\n" : L""));
  }
  return text;
}

constexpr wchar_t kCaption[] = L"Translation of typed text or text pasted from the clipboard";
constexpr wchar_t kProgressStart[] = L"Translating: ";

// The lines done that a progress caption names ("Translating: 120 of 5000 lines done. ..."); -1 for
// any other text.
long LinesDoneIn(const std::wstring& caption, long total) {
  if (caption.rfind(kProgressStart, 0) != 0) return -1;
  long done = -1, of = -1;
  if (std::swscanf(caption.c_str() + std::wcslen(kProgressStart), L"%ld of %ld", &done, &of) != 2 ||
      of != total)
    return -1;
  return done;
}

class LongQuickTranslationTest : public QuickTranslationTest {
 protected:
  // Puts `text` into the source field whole. (A paste this long reaches Wine's rich edit in pieces,
  // and a CR LF cut between two of them becomes two breaks.)
  void Paste(const std::wstring& text) {
    test::SetControlText(source_, text);
    ASSERT_TRUE(ControlText(source_) == text)
        << ControlText(source_).size() << " of " << text.size() << " characters";
    FocusOn(source_);
  }
  [[nodiscard]] std::wstring Caption() const {
    return test::WindowText(FindDescendant(panel_, IDC_QUICK_CAPTION));
  }
};

constexpr int kLongLines = 5000;

enum class CancelBy { kEscape, kClear, kBack };
struct CancelCase {
  const char* name;
  CancelBy by;
};

class LongQuickTranslationCancel : public LongQuickTranslationTest,
                                   public ::testing::WithParamInterface<CancelCase> {};

TEST_P(LongQuickTranslationCancel, TheWindowAnswersShowsTheLinesDoneAndKeepsThemWhenCancelled) {
  test::ProgramLog log(L"StartdeckQuickTranslation.log");
  const LongText text = MakeLongText(kLongLines, true);
  Open();
  ASSERT_NO_FATAL_FAILURE(Paste(text.source));
  ASSERT_EQ(Caption(), kCaption);

  test::Click(translate_);
  // The caption counts the lines done; the window answers a message sent while it does.
  long first = -1;
  ASSERT_TRUE(test::WaitUntil([&] { return (first = LinesDoneIn(Caption(), kLongLines)) >= 0; }, 30s))
      << testing::PrintToString(Caption());
  DWORD_PTR length = 1;
  ASSERT_NE(::SendMessageTimeoutW(target_, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 10000, &length), 0);
  EXPECT_EQ(length, 0u);
  EXPECT_GE(LinesDoneIn(Caption(), kLongLines), first) << "the answer came after the translation";
  long later = -1;
  ASSERT_TRUE(test::WaitUntil([&] { return (later = LinesDoneIn(Caption(), kLongLines)) > first; }, 30s))
      << testing::PrintToString(Caption());
  ASSERT_LT(later, kLongLines);
  // A second F9 changes nothing: the translation goes on.
  FocusOn(source_);
  PressKey(VK_F9);

  switch (GetParam().by) {
    case CancelBy::kEscape: PressKey(VK_ESCAPE); break;
    case CancelBy::kClear: test::Click(clear_); break;
    case CancelBy::kBack: test::Click(FindDescendant(window_, IDC_BACK)); break;
  }
  std::wstring cancelled;
  ASSERT_TRUE(test::WaitUntil(
      [&] {
        for (const std::wstring& line : log.Lines())
          if (line.rfind(L"Quick translation: cancelled after ", 0) == 0) cancelled = line;
        return !cancelled.empty();
      },
      30s))
      << testing::PrintToString(log.Text());
  long done = -1, of = -1;
  ASSERT_EQ(
      std::swscanf(cancelled.c_str(), L"Quick translation: cancelled after %ld of %ld lines", &done, &of), 2);
  EXPECT_EQ(of, kLongLines);
  EXPECT_GE(done, later);
  EXPECT_LT(done, kLongLines);
  EXPECT_EQ(Caption(), kCaption);

  if (GetParam().by == CancelBy::kClear) {
    EXPECT_TRUE(
        test::WaitUntil([&] { return ControlText(source_).empty() && ControlText(target_).empty(); }, 30s));
  } else {
    // The lines done, whole, each with its break, and the source as it was.
    EXPECT_TRUE(ControlText(target_) == text.Translation(static_cast<size_t>(done)))
        << ControlText(target_).size() << " characters in the target for " << done << " lines";
    EXPECT_TRUE(ControlText(source_) == text.source);
  }
  if (GetParam().by == CancelBy::kBack) {
    ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindowVisible(panel_); }, 5s));
    ChooseQuickTranslation();
    EXPECT_TRUE(ControlText(target_) == text.Translation(static_cast<size_t>(done)));
  }
  // The window goes on as before: a short text translates whole. (The long source is emptied first:
  // under load, Wine's rich edit takes seconds to let go of it.)
  test::SetControlText(source_, L"");
  Activate();
  EXPECT_TRUE(QuickTranslates(L"The house is big.", L"Das Haus ist groß."));
  EXPECT_TRUE(deck_.Running());
}

INSTANTIATE_TEST_SUITE_P(Ways, LongQuickTranslationCancel,
                         ::testing::Values(CancelCase{"Escape", CancelBy::kEscape},
                                           CancelCase{"Clear", CancelBy::kClear},
                                           CancelCase{"Back", CancelBy::kBack}),
                         [](const auto& instance) { return std::string(instance.param.name); });

TEST_F(LongQuickTranslationTest, AMediumTextTranslatedInSlicesEqualsItsLinesTranslatedOneByOne) {
  // The second one is long enough for the target to take it in pieces.
  for (const auto& [lines, lastBreak] : {std::pair{1203, false}, std::pair{4001, true}}) {
    SCOPED_TRACE(lastBreak ? "4001 lines ending in a break" : "1203 lines ending without a break");
    const LongText text = MakeLongText(lines, lastBreak);
    if (!lastBreak) Open();
    ASSERT_NO_FATAL_FAILURE(Paste(text.source));
    test::Click(translate_);
    const std::wstring expected = text.Translation(text.translatedLines.size());
    EXPECT_TRUE(test::WaitUntil([&] { return ControlText(target_) == expected; }, 60s))
        << ControlText(target_).size() << " of " << expected.size() << " characters";
    EXPECT_EQ(Caption(), kCaption);
    test::Click(clear_);
    ASSERT_TRUE(
        test::WaitUntil([&] { return ControlText(source_).empty() && ControlText(target_).empty(); }, 30s));
  }
}

TEST_F(LongQuickTranslationTest, AKernelFailingInTheMiddleOfALongTextLeavesTheTargetAsItWas) {
  test::ProgramLog log(L"StartdeckQuickTranslation.log");
  Open();
  FocusOn(source_);
  Type(L"The cat is black.");
  test::Click(translate_);
  ASSERT_TRUE(TargetBecomes(L"Die Katze ist schwarz."));

  const LongText text = MakeLongText(3000, true);
  ASSERT_NO_FATAL_FAILURE(Paste(text.source));
  switches_.Set(L"TranslationsBeforeError", 1500);
  test::Click(translate_);
  EXPECT_TRUE(test::WaitUntil(
      [&] {
        return log.Text().find(L"Quick translation: the kernel failed with 0x80004005") != std::wstring::npos;
      },
      60s))
      << testing::PrintToString(log.Text());
  EXPECT_EQ(ControlText(target_), L"Die Katze ist schwarz.");
  EXPECT_EQ(Caption(), kCaption);
  switches_.Remove(L"TranslationsBeforeError");
  EXPECT_TRUE(QuickTranslates(L"The house is big.", L"Das Haus ist groß."));
}

}  // namespace
