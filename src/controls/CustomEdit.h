// CCustomEdit: an edit control of a panel framed in the skin's border colour. It subclasses an
// existing EDIT (a dialog's) and draws the frame after the control's own non-client painting. For
// screen readers it is editable text named by the label before it (or a name it is given), its value
// the text, which a screen reader may set.
#pragma once

#include <windows.h>

#include <string>

#include "win/Accessible.h"
#include "win/AccessibleObject.h"

namespace ui::skin {

class CCustomEdit : public win::AccessibleSource {
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

  // What a screen reader calls the field, instead of the label before it.
  void SetAccessibleName(std::wstring name);

  // win::AccessibleSource: the field itself.
  [[nodiscard]] std::wstring AccName(long child) const override;
  [[nodiscard]] std::wstring AccValue(long child) const override;
  bool AccSetValue(long child, const std::wstring& value) override;
  [[nodiscard]] long AccRole(long child) const override;
  [[nodiscard]] long AccState(long child) const override;
  [[nodiscard]] std::wstring AccKeyboardShortcut(long child) const override;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self) noexcept;

  HWND edit_ = nullptr;
  bool named_ = false;
  std::wstring name_;
  win::AccessibleOwner accessible_;  // what the field hands to screen readers
};

}  // namespace ui::skin
