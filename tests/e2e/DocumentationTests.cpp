// The documentation tab of the demo installation: its user's guides listed with the icon of their
// file type, one opened with the program the prefix associates with PDF files (the demo's viewer
// stand-in, which journals the document), and a guide whose file went away after start-up named in
// the message.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "SkinIds.h"
#include "core/SkinImage.h"
#include "support/ScreenPixels.h"
#include "win/Handle.h"

namespace {

using namespace std::chrono_literals;

class DocumentationTest : public test::DeckTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    StartDeck();
  }
  [[nodiscard]] std::filesystem::path Guide(const wchar_t* file) const {
    return installation_.Folder() / L"Docs" / file;
  }
};

// How many pixels of the icon's place in visible row `row` differ from the plain row face.
int IconPixels(const test::Pixels& screen, const test::Pixels& face, int row) {
  int differing = 0;
  for (int y = 8; y < 40; ++y)
    for (int x = 20; x < 52; ++x)
      differing += screen.At(x, row * test::kListRowHeight + y) != face.At(x, row * test::kListRowHeight + y);
  return differing;
}

TEST_F(DocumentationTest, TheGuidesAreListedWithIconsAndOneOpensInTheAssociatedViewer) {
  HWND list = test::OpenTab(window_, test::kStartButtonTab5, test::kListOfTab5);
  ASSERT_NE(list, nullptr);
  ::SetCursorPos(0, 0);  // no row hovered
  test::Screenshot(L"view-tab5-guides", 500ms);

  // The demo's three guides have the PDF icon; the rows below them are empty.
  win::UniqueModule program(::LoadLibraryExW(installation_.Program().c_str(), nullptr,
                                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(program);
  win::UniqueBitmap rows(app::LoadSkinImage(program.get(), IDB_LIST_ROWS));
  const test::Pixels face = test::BitmapPixels(rows.get());
  const test::Pixels screen = test::Grab(list);
  for (int row = 0; row < 3; ++row) EXPECT_GT(IconPixels(screen, face, row), 100) << "row " << row;
  EXPECT_EQ(IconPixels(screen, face, 3), 0);
  const HWND note = test::FindDescendant(::GetParent(list), IDC_DOCS_NOTE);
  EXPECT_NE(test::WindowText(note).find(L"from https://get.adobe.com/reader/"), std::wstring::npos);

  // "Startdeck Quick Start", the second guide.
  test::ClickListRow(list, 1);
  const std::vector<test::JournalLine> viewer = Starts(L"PdfViewer.exe");
  ASSERT_EQ(viewer.size(), 1u);
  EXPECT_NE(viewer[0].commandLine.find(Guide(L"Startdeck Guide.pdf").wstring()), std::wstring::npos)
      << ::testing::PrintToString(viewer[0].commandLine);
  EXPECT_TRUE(NoMessage());
  EXPECT_TRUE(deck_.Running());
}

TEST_F(DocumentationTest, AGuideDeletedAfterStartUpIsNamedInTheMessage) {
  HWND list = test::OpenTab(window_, test::kStartButtonTab5, test::kListOfTab5);
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(std::filesystem::remove(Guide(L"Plug-ins Guide.pdf")));
  test::ClickListRow(list, 2);
  EXPECT_EQ(AnswerMessage(IDOK, L"view-tab5-deleted-guide"),
            L"There was a problem launching the selected application. The file may be missing or corrupt, or "
            L"you do "
            L"not have sufficient privileges.\n\n\"Translation in Other Applications\"");
  EXPECT_TRUE(Starts(L"PdfViewer.exe", 0, 0ms).empty());
  EXPECT_TRUE(::IsWindowVisible(list));
}

}  // namespace
