// The program's only top-level window: a skinned modal dialog with the start page, the tabs and the
// task panels of the suite. It makes its parts, chains them and routes each message to the part
// that takes it; every feature lives in a part.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <vector>

#include "core/SkinImage.h"

#include "window/ContextHelp.h"
#include "window/MainButtons.h"
#include "window/MainCommands.h"
#include "window/MainLayout.h"
#include "window/MainViews.h"
#include "window/RecentDocumentsView.h"
#include "window/StartRequest.h"
#include "window/SystemMenu.h"
#include "window/WebServiceSession.h"
#include "window/WindowChrome.h"
#include "window/WindowKeyboard.h"
#include "win/Dialog.h"

namespace ui {
class MainWindowContext;
}

class CStartdeckDlg : public win::Dialog {
 public:
  explicit CStartdeckDlg(ui::MainWindowContext& app);
  ~CStartdeckDlg() override;

  // Runs the window until it closes.
  INT_PTR DoModal();

  // The skin pictures of the window's first paint at `scale`, in the order it asks for them: what
  // may be decoded ahead while the program starts.
  [[nodiscard]] static std::vector<app::SkinPicture> FirstPaintPictures(win::Scale scale);

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  bool PreTranslateMessage(MSG& message) override;
  [[nodiscard]] HWND FocusFallback() override;

 private:
  // The parts a route names; kNone for a row that only says what comes before the handling.
  enum class Part : std::uint8_t {
    kNone,
    kChrome,
    kLayout,
    kCommands,
    kSystemMenu,
    kViews,
    kKeyboard,
    kRequests,
    kRecent
  };
  struct Route;
  static const Route kRoutes[];

  [[nodiscard]] ui::WindowPart* PartOf(Part part) noexcept;
  // The parts made and put in place before the window first shows.
  void Compose();
  // Once the window has been painted whole.
  void AfterFirstPaint();
  void Decompose();

  ui::MainWindowContext& app_;
  // Shared by the parts.
  ui::ContextHelp help_;
  ui::WebServiceSession webService_;
  ui::MainButtons buttons_;
  // The parts, in the order they lay themselves out and see the queued messages.
  ui::WindowChrome chrome_;
  ui::SystemMenu systemMenu_;
  ui::MainViews views_;
  ui::MainCommands commands_;
  ui::WindowKeyboard keyboard_;
  ui::StartRequests requests_;
  // Last: after the first paint it fills its list once the window is whole (tips, focus).
  ui::RecentDocumentsView recent_;
  const std::array<ui::WindowPart*, 8> chain_;
  ui::MainLayout layout_;
};
