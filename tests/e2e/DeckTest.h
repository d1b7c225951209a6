// What the end-to-end tests share: a demo installation with the start centre started from it, the
// switches of the kernel substitute, and the ways a person meets the window (message boxes,
// drop-down lists, the stand-ins' journal, screenshots in the test results).
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "../launcher/SuiteInstall.h"
#include "support/Driver.h"
#include "support/Installation.h"
#include "support/RemoteControls.h"

namespace test {

inline constexpr auto kMainWindowTimeout = 20s;
// Whether `window` is there and shows.
[[nodiscard]] inline bool Visible(HWND window) {
  return window != nullptr && ::IsWindowVisible(window) != FALSE;
}
// Where the start centre keeps its settings in HKEY_CURRENT_USER: the tasks' choices below it.
inline constexpr wchar_t kSettingsKeyPath[] = L"Software\\Korvelsoft\\VNTO9\\Startdeck";
// What a task says when the kernel cannot give it the translation directions.
inline constexpr wchar_t kDirectionsUnreadable[] =
    L"The translation directions cannot be read from the translation kernel. Close the program and start it "
    L"again; if the problem persists, reinstall the product.";

// A view of the window and how the mouse gets there: a start-page button, and a row of the list it
// shows (-1: the tab itself).
struct View {
  const char* name;
  int startButton;  // 0: the start page
  int list;
  int row;
};

// The start page, the seven tabs, and the panels of tabs 1 and 2 of the demo product: quick
// translation, Word, web page, Excel, e-mail, messengers, PowerPoint, PDF, OpenOffice, a batch of
// files; profiles, dictionaries, memories and dictionary services. Each row opens its panel, shows a
// message, or starts a program.
inline constexpr View kViews[] = {
    {"start-page", 0, 0, -1},
    {"tab1", kStartButtonTab1, kListOfTab1, -1},
    {"tab2", kStartButtonTab2, kListOfTab2, -1},
    {"tab3", kStartButtonTab3, 0, -1},
    {"tab4", kStartButtonTab4, kListOfTab4, -1},
    {"tab5", kStartButtonTab5, kListOfTab5, -1},
    {"tab6", kStartButtonTab6, kListOfTab6, -1},
    {"tab7", kStartButtonTab7, 0, -1},
    {"quick-translation", kStartButtonTab1, kListOfTab1, 0},
    {"word", kStartButtonTab1, kListOfTab1, 1},
    {"web-page", kStartButtonTab1, kListOfTab1, 2},
    {"excel", kStartButtonTab1, kListOfTab1, 3},
    {"e-mail", kStartButtonTab1, kListOfTab1, 4},
    {"messengers", kStartButtonTab1, kListOfTab1, 5},
    {"powerpoint", kStartButtonTab1, kListOfTab1, 6},
    {"pdf", kStartButtonTab1, kListOfTab1, 7},
    {"openoffice", kStartButtonTab1, kListOfTab1, 8},
    {"batch-of-files", kStartButtonTab1, kListOfTab1, 9},
    {"profiles", kStartButtonTab2, kListOfTab2, 0},
    {"dictionary", kStartButtonTab2, kListOfTab2, 1},
    {"memories", kStartButtonTab2, kListOfTab2, 2},
    {"dictionary-services", kStartButtonTab2, kListOfTab2, 3},
};

// The view of kViews named `name`; a name not in the table is a fault of the test.
const View& ViewNamed(std::string_view name);
inline void PrintTo(const View& view, std::ostream* out) {
  *out << view.name;
}

// The main window of a started start centre: titled with the product name. Null when none comes.
[[nodiscard]] HWND WaitForMainWindow(const Process& deck, const std::wstring& product);
// The tooltip controls `window` owns: its own one for its buttons, and one for each list (a tool a row).
[[nodiscard]] std::vector<HWND> TooltipsOwnedBy(HWND window);
// Posts WM_CLOSE to the main window; true when the program ended within 10 seconds.
bool CloseMainWindow(HWND window, const Process& deck);

// Saves a screenshot to the test results after `settle` (for the window to finish painting) and
// says where it is in the test's output.
void Screenshot(const std::wstring& name, std::chrono::milliseconds settle = 200ms);

// The work area of the primary screen (where the window shows), and the top left a window placed
// at `place` takes when it is kept inside it: moved in as far as needed, its top left first.
[[nodiscard]] RECT WorkArea();
[[nodiscard]] POINT KeptInWorkArea(const RECT& place);

// Opens the drop-down of `combo` and clicks its row `index`, or the first row that reads `text`.
::testing::AssertionResult ChooseEntry(HWND combo, int index);
::testing::AssertionResult ChooseEntry(HWND combo, const std::wstring& text);

// The plug-ins manager's window class, and its list and status line.
inline constexpr wchar_t kManagerClass[] = L"VantoPluginsManager";
inline constexpr int kManagerList = 101, kManagerStatus = 102;

// The status line of the plug-ins manager's window `manager` once it shows (up to `timeout`; it is
// empty from the last change of a check box until Apply ends); a message box that comes instead is
// answered with OK and given back as "<message box> TEXT", and "<no answer>" when neither comes.
[[nodiscard]] std::wstring AwaitManagerStatus(HWND manager, std::chrono::milliseconds timeout = 30s);
// Presses Apply in the manager's window, then the same.
[[nodiscard]] std::wstring ApplyInManager(HWND manager, std::chrono::milliseconds timeout = 30s);

// A row's check box in the plug-ins manager's list, as the list keeps it: 0 none, 1 clear, 2 ticked.
[[nodiscard]] int ManagerCheckBox(HWND list, int row);
// Clicks the check box of `row`, scrolled into view: the list draws it left of the row's text.
void ClickManagerCheckBox(HWND list, int row);

// The kernel substitute's switches (HKCU\...\KernelSubstitute), read by every kernel started while
// they are set. Each value set through the object is removed again with it.
class KernelSwitches {
 public:
  KernelSwitches() = default;
  ~KernelSwitches();
  KernelSwitches(const KernelSwitches&) = delete;
  KernelSwitches& operator=(const KernelSwitches&) = delete;

  void Set(const std::wstring& name, DWORD value);
  void Set(const std::wstring& name, const std::wstring& value);
  void Remove(const std::wstring& name);

 private:
  std::vector<std::wstring> names_;
};

// A demo installation, and the start centre started from it by the test.
class DeckTest : public ::testing::Test {
 protected:
  explicit DeckTest(const InstallationOptions& options = {}) : installation_(options) {}
  void SetUp() override;
  void TearDown() override { CloseDeck(); }

  // Replaces the installation's resource file with the product described by `json`.
  void PackProduct(const std::string& json) const;

  // Removes the start centre's settings and running records of the current user.
  static void ClearUserRecords();
  // Removes the Office add-ins' registrations of the current user, which a hand-off switches on.
  static void ClearOfficeAddins();

  // Starts the program (with `arguments` on its command line) and waits for its window.
  void StartDeck(const std::wstring& arguments = {});
  // Closes the main window; true when the program ended (or was not running).
  bool CloseDeck();
  // Brings the main window to the front, where the keyboard's input goes.
  void Activate() const;

  // The visible control `id` in the main window, and the same once it shows (null when it does not
  // within `timeout`).
  [[nodiscard]] HWND Control(int id) const { return FindVisible(window_, id); }
  [[nodiscard]] HWND WaitForControl(int id, std::chrono::milliseconds timeout = 10s) const;
  // Opens a tab with `opener` (its start-page button or ribbon tab) and clicks row `row` of its list.
  void OpenTask(int opener, int listId, int row) const;
  // Opens `view` with the mouse, from the start page (Home first when a tab or panel shows); a message
  // that comes up is answered with OK.
  void OpenView(const View& view) const;
  // The task panel on show (a dialog of the main window with a title), and the same once one shows
  // (null when none does within `timeout`).
  [[nodiscard]] HWND Panel() const;
  [[nodiscard]] HWND ShownPanel(std::chrono::milliseconds timeout = 5s) const;
  // In `panel`: types `document` into the document field and chooses `application` in the list of
  // applications, as a person prepares a hand-off before pressing the action button.
  static ::testing::AssertionResult ChooseDocumentAndApplication(HWND panel, const std::wstring& document,
                                                                 const std::wstring& application);

  // In the quick-translation panel on show: clears both fields, types `text` into the source with
  // the keyboard and presses Translate; the target then shows `expected`.
  ::testing::AssertionResult QuickTranslates(const std::wstring& text, const std::wstring& expected) const;

  // The text of the message box that comes up, answered with `button` (after its screenshot when
  // named): "<no message>" when none comes, marked "<still open>" when the answer does not close it.
  std::wstring AnswerMessage(int button = IDOK, const std::wstring& screenshot = {}) const;
  // The program's other top-level window that is up (a message box, a dialog), if any.
  [[nodiscard]] HWND MessageUp() const;
  // True when no message box comes up within half a second.
  [[nodiscard]] bool NoMessage() const;

  // The journal's starts of `executable`; waiting (up to `timeout`) until there are more than `seen`.
  [[nodiscard]] std::vector<JournalLine> Starts(const std::wstring& executable, size_t seen = 0,
                                                std::chrono::milliseconds timeout = 15s) const;

  Installation installation_;
  KernelSwitches switches_;
  Process deck_;
  HWND window_ = nullptr;
};

}  // namespace test
