// The documentation panel: the documents the product's configuration names, described by the
// installer's HKLM Docs entries (in a registry sandbox), listed with the icons of their files; the
// note about the PDF viewer under the list; a document that cannot be opened named in the message.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "../launcher/LaunchTestContext.h"
#include "ListHost.h"
#include "ResourceIds.h"
#include "core/PrivateMessages.h"
#include "SkinIds.h"
#include "support/Driver.h"
#include "support/RegistrySandbox.h"
#include "support/ScratchDir.h"
#include "tasks/DocsDialog.h"
#include "controls/Paint.h"
#include "win/Scale.h"

namespace lists {
namespace {

constexpr wchar_t kDocs[] = L"SOFTWARE\\Korvelsoft\\VNTO9\\Docs\\";

class DocsPanelTest : public ListTest {
 protected:
  static constexpr POINT kPanelAt{9, 30};

  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ListTest::SetUp());
    // PDF files open with this test program, whose icon they show.
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    test::SetString(HKEY_CLASSES_ROOT, L".pdf", L"", L"DocsTest.Pdf");
    test::SetString(HKEY_CLASSES_ROOT, L"DocsTest.Pdf\\shell\\open\\command", L"",
                    L"\"" + std::wstring(self) + L"\" \"%1\"");
    // Every value, and each left out in turn.
    Describe(L"Guide", L"guide.pdf", L"User's Guide", L"All about the product");
    Describe(L"Brief", L"brief.pdf", L"Quick Start", L"");
    Describe(L"NoShort", L"noshort.pdf", L"", L"Not listed without its title");
    Describe(L"NoPath", L"", L"Nowhere", L"Not listed without its file");
  }
  void Describe(const std::wstring& id, const std::wstring& file, const std::wstring& title,
                const std::wstring& full) {
    const std::filesystem::path path = file.empty() ? std::filesystem::path() : files_.path() / file;
    if (!file.empty()) test::WriteFile(path, "%PDF-1.4\n");
    test::SetString(HKEY_LOCAL_MACHINE, kDocs + id, L"Path", path.wstring());
    test::SetString(HKEY_LOCAL_MACHINE, kDocs + id, L"ShortDescription", title);
    test::SetString(HKEY_LOCAL_MACHINE, kDocs + id, L"FullDescription", full);
  }
  void MakePanel(const test::ValueSections& configuration) {
    context_.UseConfiguration(configuration);
    ui::skin::ListPanelLook look;
    look.background = Skin(IDB_PANEL_BACKGROUND);
    look.headingFont = graphics_->Font(app::SharedFont::kTahoma14Bold);
    ASSERT_TRUE(panel_.Create(host_.hwnd(), kPanelAt.x, kPanelAt.y, look, MakeListSkin(), kListId,
                              graphics_->Font(app::SharedFont::kTahoma10)));
    ::ShowWindow(panel_.hwnd(), SW_SHOWNA);
    host_.Settle();
  }
  [[nodiscard]] std::vector<std::wstring> Titles() {
    std::vector<std::wstring> titles;
    for (size_t i = 0; i < panel_.List().Count(); ++i) {
      const ui::skin::ITEM_INFO& item = panel_.List().Item(i);
      EXPECT_NE(panel_.List().IconOf(i), nullptr) << "row " << i;
      EXPECT_EQ(item.data, static_cast<int>(i));
      titles.push_back(item.title + L" | " + item.second);
    }
    return titles;
  }

  test::RegistrySandbox registry_;
  test::ScratchDir files_;
  test::LaunchTestContext context_{{}};
  tasks::CDocsDialog panel_{context_};
};

TEST_F(DocsPanelTest, ListsTheConfiguredDocumentsThatHaveAFileAndATitle) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::wstring, std::wstring>> section;  // "_menu5"
    std::vector<std::wstring> rows;
  };
  const Case cases[] = {
      {"both described documents, in the section's order",
       {{L"doc0", L"Brief"}, {L"doc1", L"Guide"}},
       {L"Quick Start | ", L"User's Guide | All about the product"}},
      {"without a title, without a file, without a key, without an ID",
       {{L"a", L"NoShort"}, {L"b", L"NoPath"}, {L"c", L"Gone"}, {L"d", L""}, {L"e", L"Guide"}},
       {L"User's Guide | All about the product"}},
      {"none of them described", {{L"doc0", L"NoShort"}, {L"doc1", L"Gone"}}, {}},
      {"an empty section", {}, {}},
  };
  MakePanel({{L"_menu5", {{L"doc0", L"Guide"}}}});
  EXPECT_EQ(Titles(), std::vector<std::wstring>{L"User's Guide | All about the product"})
      << "listed when made";
  for (const Case& c : cases) {
    context_.UseConfiguration({{L"_menu5", c.section}});
    // What the start page goes by before the panel is made.
    std::vector<std::wstring> listed;
    for (const tasks::DocumentRecord& document : tasks::CDocsDialog::Listed(context_))
      listed.push_back(document.shortDescription + L" | " + document.fullDescription);
    EXPECT_EQ(listed, c.rows) << c.what;
    // Whether there is any: the first described one, past those left out.
    const std::vector<tasks::DocumentRecord> first = tasks::CDocsDialog::Listed(context_, 1);
    ASSERT_EQ(first.size(), std::min<size_t>(c.rows.size(), 1)) << c.what;
    if (!first.empty()) {
      EXPECT_EQ(first[0].shortDescription + L" | " + first[0].fullDescription, c.rows[0]);
    }
    EXPECT_EQ(panel_.Fill(), !c.rows.empty()) << c.what;
    EXPECT_EQ(panel_.HasDocuments(), !c.rows.empty()) << c.what;
    EXPECT_EQ(Titles(), c.rows) << c.what;
    EXPECT_EQ(panel_.Documents().size(), c.rows.size()) << c.what;
  }
  context_.UseConfiguration({{L"settings", {{L"FileName", L"Startdeck"}}}});
  EXPECT_FALSE(panel_.Fill()) << "no section at all";
}

TEST_F(DocsPanelTest, TheNoteNamesThePdfViewersAddressInBlackUnderTheList) {
  MakePanel({{L"_menu5", {{L"doc0", L"Guide"}}}});
  const HWND note = ::GetDlgItem(panel_.hwnd(), IDC_DOCS_NOTE);
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(test::WindowText(note),
            L"To quickly view more information about specific features, use built-in Help in each VANTO "
            L"application "
            L"and extension.\n\nTo view User's Guides, you need a PDF viewer. Download Adobe Reader, a free "
            L"application for viewing PDF files, from https://get.adobe.com/reader/");
  RECT rc{}, list{};
  ::GetWindowRect(note, &rc);
  ::MapWindowPoints(nullptr, panel_.hwnd(), reinterpret_cast<POINT*>(&rc), 2);
  ::GetWindowRect(panel_.List().hwnd(), &list);
  ::MapWindowPoints(nullptr, panel_.hwnd(), reinterpret_cast<POINT*>(&list), 2);
  const SIZE panel = ui::BitmapSize(Skin(IDB_PANEL_BACKGROUND));
  EXPECT_EQ(rc.left, 254);
  EXPECT_EQ(rc.right, panel.cx - 5);
  EXPECT_EQ(rc.bottom, panel.cy - 5);
  EXPECT_GE(rc.top, list.bottom);
  ::OffsetRect(&rc, kPanelAt.x, kPanelAt.y);
  EXPECT_LT(DarkestChannel(Grab(host_.hwnd()), rc), 60) << "the text is black";
}

TEST_F(DocsPanelTest, ADocumentThatCannotBeOpenedIsNamedInTheMessage) {
  // A path longer than the shell takes (Wine's shell would overflow on it and end the program) is
  // kept from it as every program's start keeps one.
  const std::wstring tooLong = files_.path().wstring() + L"\\" + std::wstring(5000, L'x') + L".pdf";
  test::SetString(HKEY_LOCAL_MACHINE, std::wstring(kDocs) + L"Long", L"Path", tooLong);
  test::SetString(HKEY_LOCAL_MACHINE, std::wstring(kDocs) + L"Long", L"ShortDescription", L"Reference");
  MakePanel({{L"_menu5", {{L"doc0", L"Brief"}, {L"doc1", L"Guide"}, {L"doc2", L"Long"}}}});
  ASSERT_EQ(panel_.List().Count(), 3u);
  std::filesystem::remove(files_.path() / L"guide.pdf");
  const std::wstring cannotOpen =
      L"There was a problem launching the selected application. The file may be missing or corrupt, or you "
      L"do not have sufficient privileges.";
  const struct {
    size_t row;
    const wchar_t* name;
  } cases[] = {{1, L"User's Guide"}, {2, L"Reference"}};
  for (const auto& c : cases) {
    const size_t before = context_.Shown().size();
    panel_.Open(c.row);
    ASSERT_EQ(context_.Shown().size(), before + 1) << c.row;
    EXPECT_EQ(context_.Shown().back().text, cannotOpen + L"\n\n\"" + c.name + L"\"");
  }
  panel_.Open(3);  // no such row
  EXPECT_EQ(context_.Shown().size(), 2u);
}

// The icon's width in pixels.
int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

RECT RectIn(HWND child, HWND ancestor) {
  RECT rc{};
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(nullptr, ancestor, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

// The scale change as the main window makes it: the panel and every window below it, parents first.
void ApplyScaleBelow(HWND window, int dpi) {
  ::SendMessageW(window, app::kApplyScaleMessage, static_cast<WPARAM>(dpi), 0);
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    ApplyScaleBelow(child, dpi);
}

// At each scale the documents' icons are read at the list's icon size of that scale, not shrunk or
// stretched from the system's, and the note keeps its scaled margins under the list, in the shared
// font of the scale; back at 100 % everything is as it was.
TEST_F(DocsPanelTest, AtEachScaleTheIconsAreReadAtTheirScaledSizeAndTheNoteKeepsItsMargins) {
  context_.UseConfiguration({{L"_menu5", {{L"doc0", L"Brief"}, {L"doc1", L"Guide"}}}});
  ui::skin::ListPanelLook look;
  look.background = Skin(IDB_PANEL_BACKGROUND);
  look.headingFont = graphics_->Font(app::SharedFont::kTahoma14Bold);
  ASSERT_TRUE(panel_.Create(host_.hwnd(), kPanelAt.x, kPanelAt.y, look, MakeListSkin(), kListId, *graphics_,
                            app::SharedFont::kTahoma10));
  const HWND note = ::GetDlgItem(panel_.hwnd(), IDC_DOCS_NOTE);
  ASSERT_NE(note, nullptr);
  const RECT noteBefore = RectIn(note, panel_.hwnd());
  ASSERT_EQ(panel_.List().Count(), 2u);
  const std::vector<std::wstring> titles = Titles();

  for (const int dpi : {144, 192, 96}) {
    SCOPED_TRACE(dpi);
    graphics_->SetScale(dpi);
    ASSERT_EQ(graphics_->Scale().dpi(), dpi);
    ApplyScaleBelow(panel_.hwnd(), dpi);
    const win::Scale scale(dpi);
    ASSERT_EQ(panel_.List().Count(), 2u);
    for (size_t row = 0; row < 2; ++row) EXPECT_EQ(IconWidth(panel_.List().IconOf(row)), scale.Px(32)) << row;
    EXPECT_EQ(Titles(), titles);
    RECT panel{};
    ::GetClientRect(panel_.hwnd(), &panel);
    const RECT rc = RectIn(note, panel_.hwnd());
    EXPECT_EQ(rc.left, scale.Px(254));
    EXPECT_EQ(rc.right, panel.right - scale.Px(5));
    EXPECT_EQ(rc.bottom, panel.bottom - scale.Px(5));
    EXPECT_EQ(rc.top, RectIn(panel_.List().hwnd(), panel_.hwnd()).bottom + scale.Px(5));
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(note, WM_GETFONT, 0, 0)),
              graphics_->Font(app::SharedFont::kTahoma10));
  }
  const RECT noteAfter = RectIn(note, panel_.hwnd());
  EXPECT_TRUE(::EqualRect(&noteAfter, &noteBefore));
}

}  // namespace
}  // namespace lists
