// What a file dropped onto the main window opens: the extension table, the file URL of a web page,
// and the list of kinds the message shows.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "../launcher/LaunchTestContext.h"
#include "tasks/DroppedFile.h"

namespace {

using tasks::DocumentOfDroppedFile;
using tasks::DropKindsText;

TEST(DroppedFile, OpensTheTaskOfItsExtension) {
  struct Case {
    const wchar_t* path = nullptr;
    int taskCode = 0;                   // 0: no task takes it
    const wchar_t* document = nullptr;  // null: the path as given
  };
  const Case cases[] = {
      {L"C:\\a.doc", 11},
      {L"C:\\a.docx", 11},
      {L"C:\\a.rtf", 11},
      {L"C:\\a.xls", 12},
      {L"C:\\a.xlsx", 12},
      {L"C:\\a.ppt", 15},
      {L"C:\\a.pptx", 15},
      {L"C:\\a.pdf", 16},
      {L"C:\\a.odt", 17},
      {L"C:\\a.sxw", 17},
      {L"C:\\a.htm", 10, L"file:///C:/a.htm"},
      {L"C:\\a.html", 10, L"file:///C:/a.html"},
      {L"C:\\a.mht", 10, L"file:///C:/a.mht"},
      // any case; only the last dot of the file name counts
      {L"C:\\REPORT.DOCX", 11},
      {L"C:\\Sheet.XlS", 12},
      {L"D:\\x\\Deck.v2.PptX", 15},
      {L"C:\\Page.HTML", 10, L"file:///C:/Page.HTML"},
      {L"C:\\old.pdf.txt", 0},
      {L"C:\\a.docx.", 0},
      {L"C:\\my.docs\\readme", 0},
      {L"C:\\my.pdf\\readme", 0},
      {L"C:\\my.docs/readme", 0},
      {L"C:\\readme", 0},
      {L"C:\\a.docm", 0},
      {L"C:\\a.do", 0},
      {L"C:\\a.txt", 0},
      {L"", 0},
      // the path goes in untouched; a web page's URL is escaped as the shell escapes it
      {L"C:\\Мои документы\\50% a;b.doc", 11},
      {L"C:\\Web Pages\\a b.html", 10, L"file:///C:/Web%20Pages/a%20b.html"},
      // longer than a first guess at its size
      {L"C:\\a b c d e f g h i j k l.htm", 10,
       L"file:///C:/a%20b%20c%20d%20e%20f%20g%20h%20i%20j%20k%20l.htm"},
      {L"C:\\Web\\50% off;a.htm", 10, L"file:///C:/Web/50%25%20off;a.htm"},
      {L"C:\\Мои документы\\Страница.mht", 10, L"file:///C:/Мои%20документы/Страница.mht"},
  };
  for (const Case& c : cases) {
    const auto dropped = DocumentOfDroppedFile(c.path);
    if (c.taskCode == 0) {
      EXPECT_FALSE(dropped) << c.path;
      continue;
    }
    ASSERT_TRUE(dropped) << c.path;
    EXPECT_EQ(dropped->taskCode, c.taskCode) << c.path;
    EXPECT_EQ(dropped->document, c.document ? c.document : c.path) << c.path;
  }
}

TEST(DroppedFile, EveryKindIsATaskOfTheTable) {
  std::set<int> codes;
  for (const tasks::DropKind& kind : tasks::DropKinds()) codes.insert(kind.taskCode);
  EXPECT_EQ(codes, (std::set<int>{10, 11, 12, 15, 16, 17}));
  EXPECT_EQ(tasks::DropKinds().size(), codes.size());
}

TEST(DroppedFile, KindsTextListsTheOfferedTasksInOrder) {
  test::UseEnglishStrings();
  struct Case {
    std::set<int> offered;
    const wchar_t* text;
  };
  const Case cases[] = {
      {{10, 11, 12, 15, 16, 17},
       L"Word documents (.doc, .docx, .rtf)\nExcel spreadsheets (.xls, .xlsx)\n"
       L"PowerPoint presentations (.ppt, .pptx)\nPDF documents (.pdf)\n"
       L"OpenOffice.org Writer documents (.odt, .sxw)\nWeb pages (.htm, .html, .mht)"},
      {{10, 16, 11, 13},
       L"Word documents (.doc, .docx, .rtf)\nPDF documents (.pdf)\nWeb pages (.htm, .html, .mht)"},
      {{17}, L"OpenOffice.org Writer documents (.odt, .sxw)"},
      {{13, 14}, L""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DropKindsText([&](int taskCode) { return c.offered.contains(taskCode); }), c.text);
}

}  // namespace
