// The documentation tab's panel: the product's documents (user's guides, mostly PDF files), each
// opened with the program the shell associates with its file. Which documents belong to the product
// comes from its configuration (section "_menu5"); where each lives and how it is described, from
// the installer's registry entries under HKLM Docs\<document ID>.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "controls/CustomListDialog.h"
#include "core/SharedGraphics.h"
#include "win/Handle.h"
#include "win/Scale.h"

namespace suite {
class LaunchContext;
}

namespace tasks {

struct DocumentRecord {
  std::wstring id;
  std::wstring path;
  std::wstring shortDescription;  // the row's title
  std::wstring fullDescription;   // the row's second line; may be empty
};

class CDocsDialog final : public ui::skin::CCustomListDialog {
 public:
  // The note about the PDF viewer: from this x to a margin short of the panel's right and bottom edges.
  static constexpr int kNoteLeft = 254;
  static constexpr int kNoteMargin = 5;
  static constexpr wchar_t kPdfViewerAddress[] = L"https://get.adobe.com/reader/";

  explicit CDocsDialog(suite::LaunchContext& context) noexcept : context_(context) {}

  // The documents' icons, as the list draws them.
  static constexpr int kIconSize = 32;

  // Makes the panel (see CCustomListDialog::Create) at the graphics' scale with the note in their font
  // `noteFont`, which it takes anew at each scale, and fills it.
  bool Create(HWND parent, int x, int y, const ui::skin::ListPanelLook& look, const ui::skin::ListSkin& skin,
              int listId, const app::SharedGraphics& graphics, app::SharedFont noteFont);
  // The same at 100 % with the note in `noteFont`, kept at every scale.
  bool Create(HWND parent, int x, int y, const ui::skin::ListPanelLook& look, const ui::skin::ListSkin& skin,
              int listId, HFONT noteFont);

  // The configured documents that the installation describes, in the configuration's order: what
  // the panel lists (known before it is made); at most `limit` of them.
  [[nodiscard]] static std::vector<DocumentRecord> Listed(const suite::LaunchContext& context,
                                                          size_t limit = SIZE_MAX);
  // Lists the configured documents again; false when none is listed.
  bool Fill();
  [[nodiscard]] bool HasDocuments() const noexcept { return !documents_.empty(); }
  [[nodiscard]] std::span<const DocumentRecord> Documents() const noexcept { return documents_; }

  // Opens the document of list row `row` with its associated program; one that cannot be opened
  // is reported with its name. A row outside the list does nothing.
  void Open(size_t row);

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  bool Make(HWND parent, int x, int y, const ui::skin::ListPanelLook& look, const ui::skin::ListSkin& skin,
            int listId, HFONT noteFont);
  void CreateNote();
  // Below the list, to a margin short of the panel's right and bottom edges, in pixels.
  [[nodiscard]] RECT NotePlace();
  // Lays the panel out at the scale of skin DPI `dpi`: the note's place and font, and the documents'
  // icons at the scale's size.
  void ApplyScale(int dpi);
  // The static's text colour and background: the panel's own surface under it.
  INT_PTR ControlColour(HDC dc, HWND control) const;

  suite::LaunchContext& context_;
  win::Scale scale_;
  const app::SharedGraphics* graphics_ = nullptr;  // where the note's font comes from, when given
  app::SharedFont noteFontId_ = app::SharedFont::kDefaultGui;
  app::SkinBitmap background_;  // not owned
  HFONT noteFont_ = nullptr;    // not owned
  // Made from the background when a control is first drawn.
  mutable win::UniqueBrush backgroundBrush_;
  mutable bool brushMade_ = false;
  std::vector<DocumentRecord> documents_;
};

}  // namespace tasks
