// The plug-ins manager's one window: every add-in record of the plug-in table under its product's
// heading, a check box each, and Apply, which switches what the user changed and tells the other
// suite programs.
#pragma once

#include <windows.h>

#include <vector>

#include "PluginChanges.h"
#include "PluginRows.h"
#include "switches/PluginTable.h"
#include "win/Handle.h"
#include "win/Window.h"

namespace pluginsmanager {

// Control IDs: Apply is the default button (Enter), Close the cancel button (Esc).
inline constexpr int kApplyButton = IDOK;
inline constexpr int kCloseButton = IDCANCEL;
inline constexpr int kIntroText = 100;
inline constexpr int kPluginList = 101;
inline constexpr int kStatusText = 102;

class ManagerWindow final : public win::Window {
 public:
  explicit ManagerWindow(switches::PluginTable& table) : table_(table) {}

  // Creates the window, fills the list from the table and shows it; false when it cannot be made.
  bool Create(int show);

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool CreateControls();
  void Layout();
  void Fill();
  void OnApply();
  [[nodiscard]] WantedStates Wanted() const;
  void UpdateApply();
  void SetStatus(UINT id);
  LRESULT OnListNotify(NMHDR& header);

  // Dialog units of the message font, in pixels.
  [[nodiscard]] int Dx(int units) const { return ::MulDiv(units, baseX_, 4); }
  [[nodiscard]] int Dy(int units) const { return ::MulDiv(units, baseY_, 8); }

  switches::PluginTable& table_;
  std::vector<Row> rows_;
  win::UniqueFont font_;
  win::UniqueFont boldFont_;
  int baseX_ = 6;
  int baseY_ = 13;
  HWND intro_ = nullptr;
  HWND list_ = nullptr;
  HWND status_ = nullptr;
  HWND apply_ = nullptr;
  HWND close_ = nullptr;
  bool filling_ = false;
};

}  // namespace pluginsmanager
