// Startdeck started with a request on its command line, as Explorer's verb or a shortcut starts it,
// and a second start handing its request to the window that runs: one window, and the panel the
// request names with what it was given. Nothing is handed to a host unasked.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "support/Driver.h"
#include "support/RemoteControls.h"
#include "support/RegistrySandbox.h"
#include "support/ScratchDir.h"
#include "support/ShellLink.h"
#include "support/TestPaths.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class CommandLineTest : public test::DeckTest {
 protected:
  // `program` is the installation's start centre.
  bool IsTheProgram(const fs::path& program) const {
    std::error_code error;
    return fs::equivalent(program, installation_.Program(), error);
  }
  fs::path Document(const std::wstring& folder, const std::wstring& name) const {
    const fs::path path = documents_.Folder(folder) / name;
    test::WriteFile(path, "PK");
    return path;
  }
  // The title of the task panel on show once one shows, "" when none does.
  std::wstring PanelTitle() const {
    HWND panel = ShownPanel();
    return panel ? test::ControlText(::GetDlgItem(panel, IDC_PANEL_TITLE)) : L"";
  }
  // A second start of the program with `arguments`: it hands them over and ends.
  ::testing::AssertionResult StartAgain(const std::wstring& arguments) const {
    test::Process second;
    if (!second.Start(installation_.Program(), arguments)) return ::testing::AssertionFailure() << "no start";
    if (!second.WaitForExit(20s)) return ::testing::AssertionFailure() << "the second start did not end";
    if (test::TopLevelWindows(deck_.Id()).empty()) return ::testing::AssertionFailure() << "no window";
    return ::testing::AssertionSuccess();
  }
  // The message box that comes up, answered; "" when none does.
  std::wstring Message() const { return AnswerMessage(IDOK); }

  test::ScratchDir documents_;
};

TEST_F(CommandLineTest, TranslateOpensTheDocumentsPanelWithTheFocusOnTranslateAndHandsNothingOver) {
  const fs::path letter = Document(L"Письма 2009", L"Letter to Anna; final.docx");
  StartDeck(L"/translate \"" + letter.wstring() + L"\"");
  ASSERT_EQ(PanelTitle(), L"Translating Microsoft Word Documents");
  EXPECT_EQ(test::ControlText(::GetDlgItem(Panel(), IDC_PANEL_DOCUMENT)), letter.wstring());
  EXPECT_TRUE(test::WaitUntil([&] { return ::GetDlgCtrlID(test::FocusIn(window_)) == IDC_PANEL_ACTION; }, 5s))
      << ::GetDlgCtrlID(test::FocusIn(window_));
  test::Screenshot(L"command-line-translate");
  EXPECT_TRUE(Starts(L"winword.exe", 0, 1s).empty());
}

TEST_F(CommandLineTest, ASecondStartHandsItsRequestToTheRunningWindowWhichStaysTheOnlyOne) {
  StartDeck();
  ASSERT_TRUE(StartAgain(L"-QUICK \"Hello, world\""));
  ASSERT_NE(WaitForControl(IDC_QUICK_SOURCE), nullptr);
  EXPECT_EQ(test::ControlText(Control(IDC_QUICK_SOURCE)), L"Hello, world");
  EXPECT_EQ(::GetForegroundWindow(), window_);

  // A document handed over while a panel shows opens the document's own panel.
  const fs::path report = Document(L"Reports", L"Q3.doc");
  ASSERT_TRUE(StartAgain(L"/translate \"" + report.wstring() + L"\""));
  ASSERT_TRUE(test::WaitUntil([&] { return PanelTitle() == L"Translating Microsoft Word Documents"; }, 5s));
  EXPECT_EQ(test::ControlText(::GetDlgItem(Panel(), IDC_PANEL_DOCUMENT)), report.wstring());
  EXPECT_EQ(test::TopLevelWindows(deck_.Id()).size(), 1u);
}

TEST_F(CommandLineTest, AWrongRequestSaysWhatIsWrongAndLeavesTheWindowAsWithout) {
  const fs::path missing = documents_.Folder(L"Reports") / L"Lost.docx";
  StartDeck(L"/translate \"" + missing.wstring() + L"\"");
  EXPECT_EQ(Message(),
            L"The document \"" + missing.wstring() + L"\" named on the command line does not exist.");
  EXPECT_EQ(Panel(), nullptr);

  const struct {
    std::wstring arguments;
    std::wstring message;
  } cases[] = {
      {L"/translate", L"The command line argument /translate needs the path of the document to translate."},
      {L"/frobnicate now",
       L"The command line argument \"/frobnicate\" is not known.\n\nStartdeck takes:\n/translate "
       L"\"document\"\n"
       L"/quick [\"text\"]"},
      {L"/translate \"" + Document(L"Notes", L"notes.txt").wstring() + L"\"",
       L"This file cannot be translated here. You can drop these kinds of files onto the window:\n\n"
       L"Word documents (.doc, .docx, .rtf)\nExcel spreadsheets (.xls, .xlsx)\nPowerPoint presentations "
       L"(.ppt, .pptx)\n"
       L"PDF documents (.pdf)\nOpenOffice.org Writer documents (.odt, .sxw)\nWeb pages (.htm, .html, .mht)"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(StartAgain(c.arguments)) << ::testing::PrintToString(c.arguments);
    EXPECT_EQ(Message(), c.message) << ::testing::PrintToString(c.arguments);
    EXPECT_EQ(Panel(), nullptr) << ::testing::PrintToString(c.arguments);
  }
}

// Explorer's verb and the Send To shortcut, which the demo installation adds as the package does: the
// verb's command line as the registry holds it, %1 a document whose path has spaces, opens that
// document's panel; Send To with three documents chosen hands all three to the running window, which
// opens the first and says that it translates one document at a time.
TEST_F(CommandLineTest, ExplorersVerbAndSendToOpenTheDocumentsPanel) {
  const fs::path slides = Document(L"Annual Reports", L"Board meeting 2009.pptx");
  std::wstring command = test::GetString(
      HKEY_CLASSES_ROOT, L"SystemFileAssociations\\.pptx\\shell\\VANTO.Translate\\command", L"");
  const size_t document = command.find(L"%1");
  ASSERT_NE(document, std::wstring::npos) << ::testing::PrintToString(command);
  command.replace(document, 2, slides.wstring());
  // "<program>" and its arguments, started as Explorer starts them.
  const size_t programEnd = command.find(L'"', 1);
  ASSERT_TRUE(command.starts_with(L'"') && programEnd != std::wstring::npos)
      << ::testing::PrintToString(command);
  const fs::path program = command.substr(1, programEnd - 1);
  EXPECT_TRUE(IsTheProgram(program)) << program;
  ASSERT_TRUE(deck_.Start(program, command.substr(command.find_first_not_of(L' ', programEnd + 1))));
  window_ = test::WaitForMainWindow(deck_, installation_.Product());
  ASSERT_NE(window_, nullptr);
  ASSERT_EQ(PanelTitle(), L"Translating Microsoft PowerPoint Presentations");
  EXPECT_EQ(test::ControlText(::GetDlgItem(Panel(), IDC_PANEL_DOCUMENT)), slides.wstring());

  const std::optional<test::ShellLink> sendTo =
      test::ReadShellLink(test::SendToFolder() / L"VANTO Translator.lnk");
  ASSERT_TRUE(sendTo.has_value());
  EXPECT_TRUE(IsTheProgram(sendTo->target)) << sendTo->target;
  EXPECT_EQ(sendTo->arguments, L"/translate");
  const fs::path sheet = Document(L"Annual Reports", L"Figures 2009.xlsx");
  std::wstring chosen = sendTo->arguments;
  for (const fs::path& file : {sheet, Document(L"Letters", L"To the board.docx"), slides})
    chosen += L" \"" + file.wstring() + L"\"";
  test::Process second;
  ASSERT_TRUE(second.Start(sendTo->target, chosen));
  EXPECT_TRUE(second.WaitForExit(20s));
  EXPECT_EQ(Message(),
            L"Startdeck translates one document at a time. It opens the first of the documents you "
            L"chose, \"" +
                sheet.wstring() + L"\".");
  ASSERT_TRUE(
      test::WaitUntil([&] { return PanelTitle() == L"Translating Microsoft Excel Spreadsheets"; }, 5s));
  EXPECT_EQ(test::ControlText(::GetDlgItem(Panel(), IDC_PANEL_DOCUMENT)), sheet.wstring());
  EXPECT_EQ(test::TopLevelWindows(deck_.Id()).size(), 1u);
  EXPECT_TRUE(Starts(L"excel.exe", 0, 1s).empty());
}

}  // namespace
