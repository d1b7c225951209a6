// Quick translation in the real window, typed at and clicked like a person would: the kernel
// substitute translates line by line, the keys and the clipboard of the text fields, the kernel's
// error reporter for the translation limit, a kernel failing in the middle of a text, and the
// direction and profile remembered for the task.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <cctype>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "ResourceIds.h"
#include "support/Driver.h"
#include "support/Installation.h"
#include "support/ProgramLog.h"

namespace {

using namespace std::chrono_literals;
using test::FindDescendant;

constexpr wchar_t kKernelSwitches[] = L"Software\\Korvelsoft\\VNTO9\\KernelSubstitute";
constexpr wchar_t kTaskSettings[] = L"Software\\Korvelsoft\\VNTO9\\Startdeck\\9";
constexpr const wchar_t* kSwitchNames[] = {L"TranslationError", L"TranslationsBeforeError",
                                           L"NoTextTranslator", L"NetworkServer"};
constexpr int kTranslateStartButton = 316;
constexpr int kListOfTab1 = 1101;
constexpr int kRowHeight = 48;
constexpr wchar_t kErrorTitle[] = L"VANTO Kernel - Error";
constexpr int kKernelDialogText = 1202;

constexpr wchar_t kThreeLines[] = L"The house is big.\r\n\r\nThe cat is black.";
constexpr wchar_t kThreeLinesGerman[] = L"Das Haus ist groß.\r\n\r\nDie Katze ist schwarz.";

void SetSwitch(const wchar_t* name, DWORD value) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, kKernelSwitches, name, REG_DWORD, &value, sizeof(value));
}

void SetText(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::wstring ReadText(const wchar_t* key, const wchar_t* name) {
  wchar_t value[256] = {};
  DWORD size = sizeof(value);
  if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return L"<none>";
  return value;
}

// A field's text as the control gives it (its window caption is not kept by a rich edit).
std::wstring FieldText(HWND field) {
  const LRESULT length = ::SendMessageW(field, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
  const LRESULT copied =
      ::SendMessageW(field, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

// Real keyboard input, as the system delivers it to the window that has the focus.
INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void Press(WORD key, std::initializer_list<WORD> modifiers = {}) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, true));
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  ::Sleep(50);
}

// Sends `text` as typed keys; a line feed is the Enter key.
void SendTyping(const std::wstring& text) {
  for (wchar_t c : text) {
    if (c == L'\n') {
      Press(VK_RETURN);
      continue;
    }
    INPUT inputs[2]{};
    for (INPUT& input : inputs) {
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = c;
      input.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
  }
}

// The clipboard as another program leaves it: rich text with a bold word, and Russian plain text.
constexpr char kRichText[] = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Tahoma;}}\\f0\\b Bold\\b0  words}";
constexpr wchar_t kRichTextAsText[] = L"Bold words";
constexpr wchar_t kPlainText[] = L"Простой текст";

bool PutOnClipboard(UINT format, const void* data, size_t bytes) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  std::memcpy(::GlobalLock(memory), data, bytes);
  ::GlobalUnlock(memory);
  if (::SetClipboardData(format, memory)) return true;
  ::GlobalFree(memory);
  return false;
}

bool FillClipboard() {
  if (!::OpenClipboard(nullptr)) return false;
  ::EmptyClipboard();
  const bool rich =
      PutOnClipboard(::RegisterClipboardFormatW(L"Rich Text Format"), kRichText, sizeof(kRichText));
  const bool plain = PutOnClipboard(CF_UNICODETEXT, kPlainText, sizeof(kPlainText));
  ::CloseClipboard();
  return rich && plain;
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

class QuickTranslationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTaskSettings);
    ASSERT_TRUE(installation_.Ok());
  }
  void TearDown() override {
    if (deck_.Running()) ::PostMessageW(window_, WM_CLOSE, 0, 0);
    deck_.WaitForExit(10s);
    for (const wchar_t* name : kSwitchNames) ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKernelSwitches, name);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTaskSettings);
  }

  // Starts the window and opens quick translation, the first row of the translation tab.
  void Open() {
    ASSERT_TRUE(deck_.Start(installation_.Program())) << "error " << deck_.LastError();
    window_ = test::WaitForWindow(deck_.Id(), installation_.Product(), L"#32770", 20s);
    ASSERT_NE(window_, nullptr);
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
    ::SetForegroundWindow(window_);
    ASSERT_TRUE(test::WaitUntil([&] { return ::GetForegroundWindow() == window_; }, 5s));
  }
  void ChooseQuickTranslation() {
    test::Click(FindDescendant(window_, kTranslateStartButton));
    HWND list = FindDescendant(window_, kListOfTab1);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(test::WaitUntil([&] { return ::IsWindowVisible(list) != FALSE; }, 5s));
    test::ClickAt(list, {120, kRowHeight / 2});
    ASSERT_TRUE(test::WaitUntil(
        [&] {
          HWND source = FindDescendant(window_, IDC_QUICK_SOURCE);
          return source && ::IsWindowVisible(source);
        },
        10s));
  }

  [[nodiscard]] HWND Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window_, nullptr), &info) ? info.hwndFocus : nullptr;
  }
  // Puts the focus into `field` with a click at its top left.
  void FocusOn(HWND field) {
    test::ClickAt(field, {4, 4});
    ASSERT_TRUE(test::WaitUntil([&] { return Focus() == field; }, 5s));
  }
  // Opens the skinned list `comboId` and clicks its entry `index`, as a person would.
  void Choose(int comboId, int index) {
    test::Click(FindDescendant(panel_, comboId));
    HWND rows = nullptr;
    ASSERT_TRUE(test::WaitUntil(
        [&] {
          for (HWND popup : test::TopLevelWindows(deck_.Id()))
            if (popup != window_ && ::IsWindowVisible(popup) &&
                (rows = ::GetDlgItem(popup, IDC_COMBO_POPUP_LIST)))
              return true;
          return false;
        },
        5s));
    // The list is as tall as its entries.
    const LRESULT count = ::SendMessageW(rows, LVM_GETITEMCOUNT, 0, 0);
    ASSERT_GT(count, index);
    RECT client{};
    ::GetClientRect(rows, &client);
    const LONG rowHeight = client.bottom / static_cast<LONG>(count);
    test::ClickAt(rows, {client.right / 2, rowHeight * index + rowHeight / 2});
    ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindowVisible(::GetParent(rows)); }, 5s));
  }
  // Types `text` into the field that has the focus and waits until the field holds it all: a click
  // posted afterwards would otherwise overtake the keys still on their way.
  void Type(const std::wstring& text) {
    const HWND field = Focus();
    ASSERT_TRUE(field == source_ || field == target_);
    size_t added = text.size();
    for (wchar_t c : text) added += c == L'\n' ? 1 : 0;  // Enter makes CR LF
    const size_t expected = FieldText(field).size() + added;
    SendTyping(text);
    ASSERT_TRUE(test::WaitUntil([&] { return FieldText(field).size() >= expected; }, 10s))
        << testing::PrintToString(FieldText(field));
  }
  bool TargetBecomes(const std::wstring& expected) {
    return test::WaitUntil([&] { return FieldText(target_) == expected; }, 10s);
  }

  test::Installation installation_;
  test::Process deck_;
  HWND window_ = nullptr;
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
  if (!GetParam().textObjects) SetSwitch(L"NoTextTranslator", 1);
  Open();
  FocusOn(source_);
  Type(L"The house is big.\n\nThe cat is black.");
  ASSERT_EQ(FieldText(source_), kThreeLines);

  test::Click(translate_);
  EXPECT_TRUE(TargetBecomes(kThreeLinesGerman)) << testing::PrintToString(FieldText(target_));
  EXPECT_EQ(FieldText(source_), kThreeLines);
  if (GetParam().textObjects) {
    ::Sleep(200);
    std::wcout << L"screenshot: " << test::SaveScreenshot(L"quick-translation-panel").wstring() << L"\n";
  }

  // F9 in the field: a fourth line, ended by a line break that the translation keeps.
  Type(L"\nGood morning, my friend!\n");
  Press(VK_F9);
  EXPECT_TRUE(TargetBecomes(std::wstring(kThreeLinesGerman) + L"\r\nGuten Morgen, mein Freund!\r\n"))
      << testing::PrintToString(FieldText(target_));
  EXPECT_EQ(FieldText(source_), std::wstring(kThreeLines) + L"\r\nGood morning, my friend!\r\n");
}

INSTANTIATE_TEST_SUITE_P(Translators, QuickTranslationByKernel,
                         ::testing::Values(TranslatorCase{"TextObjects", true},
                                           TranslatorCase{"SettingsTranslate", false}),
                         [](const auto& instance) { return std::string(instance.param.name); });

TEST_F(QuickTranslationTest, F9TranslatesFromAnywhereInThePanelAndEscapeEnterAndTabStayInIt) {
  Open();
  FocusOn(source_);
  Type(L"The cat is black.");
  // A click beside the fields takes the focus to the panel; F9 still translates.
  test::ClickAt(panel_, {300, 8});
  ASSERT_TRUE(test::WaitUntil([&] { return Focus() == panel_; }, 5s));
  Press(VK_F9);
  EXPECT_TRUE(TargetBecomes(L"Die Katze ist schwarz.")) << testing::PrintToString(FieldText(target_));

  // Escape and Enter outside the fields change nothing and close nothing.
  Press(VK_ESCAPE);
  Press(VK_RETURN);
  EXPECT_FALSE(deck_.WaitForExit(1s));
  EXPECT_TRUE(::IsWindowVisible(panel_));
  EXPECT_EQ(FieldText(source_), L"The cat is black.");
  // Escape in a field neither closes the panel nor touches the text.
  FocusOn(source_);
  Press(VK_ESCAPE);
  EXPECT_FALSE(deck_.WaitForExit(500ms));
  EXPECT_TRUE(::IsWindowVisible(panel_));
  EXPECT_EQ(FieldText(source_), L"The cat is black.");

  // Tab: source, target, then out of the panel to the main window.
  Press(VK_TAB);
  EXPECT_TRUE(test::WaitUntil([&] { return Focus() == target_; }, 5s));
  Press(VK_TAB);
  EXPECT_TRUE(test::WaitUntil(
      [&] {
        HWND focus = Focus();
        return focus && focus != panel_ && !::IsChild(panel_, focus) && ::IsChild(window_, focus);
      },
      5s));
  EXPECT_EQ(FieldText(source_), L"The cat is black.");
  EXPECT_EQ(FieldText(target_), L"Die Katze ist schwarz.");

  // An empty source translates into an empty target.
  ::SendMessageW(source_, EM_SETSEL, 0, -1);
  ::SendMessageW(source_, WM_CLEAR, 0, 0);
  FocusOn(source_);
  Press(VK_F9);
  EXPECT_TRUE(TargetBecomes(L"")) << testing::PrintToString(FieldText(target_));
}

TEST_F(QuickTranslationTest, CtrlVPastesPlainTextAndTheContextMenusPasteKeepsTheFormatting) {
  Open();
  ASSERT_TRUE(FillClipboard());
  FocusOn(source_);
  Press('V', {VK_CONTROL});
  EXPECT_TRUE(test::WaitUntil([&] { return FieldText(source_) == kPlainText; }, 5s))
      << testing::PrintToString(FieldText(source_));
  // Copied back, the pasted text carries no bold.
  ::SendMessageW(source_, EM_SETSEL, 0, -1);
  ::SendMessageW(source_, WM_COPY, 0, 0);
  EXPECT_FALSE(HasBold(ClipboardRichText())) << ClipboardRichText();

  // Ctrl+X and Ctrl+C are the field's own: the text goes to the clipboard.
  ::SendMessageW(source_, EM_SETSEL, 0, -1);
  Press('X', {VK_CONTROL});
  EXPECT_TRUE(test::WaitUntil([&] { return FieldText(source_).empty(); }, 5s));
  EXPECT_EQ(ClipboardText(), kPlainText);
  Press('V', {VK_CONTROL});
  EXPECT_TRUE(test::WaitUntil([&] { return FieldText(source_) == kPlainText; }, 5s));

  // Shift+Insert is the plain paste too, in the target as in the source.
  ASSERT_TRUE(FillClipboard());
  FocusOn(target_);
  Press(VK_INSERT, {VK_SHIFT});
  EXPECT_TRUE(test::WaitUntil([&] { return FieldText(target_) == kPlainText; }, 5s))
      << testing::PrintToString(FieldText(target_));

  // Clear empties both fields and puts the focus into the source.
  test::Click(clear_);
  EXPECT_TRUE(test::WaitUntil([&] { return FieldText(source_).empty() && FieldText(target_).empty(); }, 5s));
  EXPECT_TRUE(test::WaitUntil([&] { return Focus() == source_; }, 5s));

  // The context menu opened from the keyboard; its third entry is Paste.
  ASSERT_TRUE(FillClipboard());
  ::PostMessageW(source_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(source_), MAKELPARAM(-1, -1));
  HWND menu = test::WaitForWindow(deck_.Id(), L"", L"#32768", 5s);
  ASSERT_NE(menu, nullptr);
  std::wcout << L"screenshot: " << test::SaveScreenshot(L"quick-translation-menu").wstring() << L"\n";
  for (int i = 0; i < 3; ++i) Press(VK_DOWN);
  Press(VK_RETURN);
  EXPECT_TRUE(test::WaitUntil([&] { return FieldText(source_) == kRichTextAsText; }, 5s))
      << testing::PrintToString(FieldText(source_));
  ::SendMessageW(source_, EM_SETSEL, 0, -1);
  ::SendMessageW(source_, WM_COPY, 0, 0);
  EXPECT_TRUE(HasBold(ClipboardRichText())) << ClipboardRichText();
}

TEST_F(QuickTranslationTest, TheTranslationLimitGoesToTheKernelsErrorReporterInNetworkMode) {
  SetText(kKernelSwitches, L"NetworkServer", L"SRV1");
  Open();
  FocusOn(source_);
  Type(L"The house is big.");
  test::Click(translate_);
  ASSERT_TRUE(TargetBecomes(L"Das Haus ist groß."));

  SetSwitch(L"TranslationError", 0x800F0021);
  Type(L" The cat is black.");
  test::Click(translate_);
  HWND error = test::WaitForWindow(deck_.Id(), kErrorTitle, L"", 10s);
  ASSERT_NE(error, nullptr);
  const std::wstring text = test::WindowText(::GetDlgItem(error, kKernelDialogText));
  EXPECT_NE(text.find(installation_.Product()), std::wstring::npos) << testing::PrintToString(text);
  ::PostMessageW(error, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(test::WaitUntil([&] { return !::IsWindow(error); }, 5s));
  EXPECT_EQ(FieldText(target_), L"Das Haus ist groß.");
  EXPECT_EQ(FieldText(source_), L"The house is big. The cat is black.");
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
  SetSwitch(L"TranslationsBeforeError", 2);
  test::Click(translate_);
  EXPECT_TRUE(test::WaitUntil(
      [&] {
        return log.Text().find(L"Quick translation: the kernel failed with 0x80004005") != std::wstring::npos;
      },
      10s))
      << testing::PrintToString(log.Text());
  EXPECT_EQ(FieldText(target_), kThreeLinesGerman);
  EXPECT_EQ(test::WaitForWindow(deck_.Id(), kErrorTitle, L"", 500ms), nullptr);

  // The kernel answers again: the same text translates whole.
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKernelSwitches, L"TranslationsBeforeError");
  test::Click(translate_);
  EXPECT_TRUE(TargetBecomes(std::wstring(kThreeLinesGerman) + L"\r\nGuten Morgen, mein Freund!"));
}

TEST_F(QuickTranslationTest, TheRememberedDirectionAndProfileAreChosenAndTheNewChoiceKept) {
  SetText(kTaskSettings, L"DirID", L"2329");  // English-Russian
  SetText(kTaskSettings, L"TemplateName", L"Technical");
  Open();
  FocusOn(source_);
  Type(L"The house is big.");
  test::Click(translate_);
  EXPECT_TRUE(TargetBecomes(L"Дом большой.")) << testing::PrintToString(FieldText(target_));

  // Back to the list and into the task again: the same direction.
  test::Click(FindDescendant(window_, IDC_BACK));
  ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindowVisible(panel_); }, 5s));
  ChooseQuickTranslation();
  test::Click(clear_);
  ASSERT_TRUE(TargetBecomes(L""));
  FocusOn(source_);
  Type(L"Good morning, my friend!");
  test::Click(translate_);
  EXPECT_TRUE(TargetBecomes(L"Доброе утро, мой друг!")) << testing::PrintToString(FieldText(target_));

  // The person's own choice is remembered in its turn: English-French and Business.
  Choose(IDC_PANEL_DIRECTIONS, 4);
  Choose(IDC_PANEL_PROFILES, 1);
  test::Click(clear_);
  ASSERT_TRUE(TargetBecomes(L""));
  FocusOn(source_);
  Type(L"Thank you very much!");
  test::Click(translate_);
  EXPECT_TRUE(TargetBecomes(L"Merci beaucoup!")) << testing::PrintToString(FieldText(target_));

  ::PostMessageW(window_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(deck_.WaitForExit(10s));
  EXPECT_EQ(ReadText(kTaskSettings, L"DirID"), L"2316");
  EXPECT_EQ(ReadText(kTaskSettings, L"TemplateName"), L"Business");
}

}  // namespace
