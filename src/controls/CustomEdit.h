// CCustomEdit: an edit control of a panel framed in the skin's border colour. It subclasses an
// existing EDIT (a dialog's) and draws the frame after the control's own non-client painting.
#pragma once

#include <windows.h>

namespace ui::skin {

class CCustomEdit {
 public:
  static constexpr COLORREF kBorderColor = RGB(59, 168, 225);

  CCustomEdit() = default;
  CCustomEdit(const CCustomEdit&) = delete;
  CCustomEdit& operator=(const CCustomEdit&) = delete;
  ~CCustomEdit();

  // Frames `edit` from now on and redraws its frame; false when it is no window or is framed already.
  bool Attach(HWND edit) noexcept;
  // Gives the control back its plain look (also on destruction, and by itself when it is destroyed).
  void Detach() noexcept;

  [[nodiscard]] HWND hwnd() const noexcept { return edit_; }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self) noexcept;

  HWND edit_ = nullptr;
};

}  // namespace ui::skin
