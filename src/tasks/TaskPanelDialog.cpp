#include "tasks/TaskPanelDialog.h"

#include <string>
#include <vector>

#include "ResourceIds.h"
#include "StringIds.h"
#include "core/ComError.h"
#include "core/KernelConnection.h"
#include "core/PrivateMessages.h"
#include "core/SharedGraphics.h"
#include "tasks/KernelDirections.h"
#include "tasks/PanelParts.h"
#include "tasks/TaskContext.h"

namespace tasks {

bool CTaskPanelDialog::Create(HWND parent, POINT at) {
  CCustomDialog::SetScale(context_.Graphics().Scale());
  return CCustomDialog::Create(parent, at, IDD_TASK_PANEL, PanelLookOf(context_.Graphics()));
}

bool CTaskPanelDialog::LoadDirections(KernelDirections& directions, ui::skin::CCustomComboBox& list) {
  if (directions.Loaded()) return true;
  if (!directions.Load(context_.Kernel().Kernel())) {
    context_.ShowMessage(IDS_PANEL_NO_DIRECTIONS, {}, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  list.ResetContent();
  for (const app::TranslationDirection& direction : directions.All()) list.AddString(direction.name);
  return true;
}

void CTaskPanelDialog::ListProfiles(const KernelDirections& directions,
                                    const ui::skin::CCustomComboBox& directionList,
                                    ui::skin::CCustomComboBox& profiles) {
  profiles.ResetContent();
  if (directionList.GetCount() == 0) return;
  std::vector<std::wstring> names;
  const bool complete = directions.ProfilesOf(directionList.GetCurSel(), names);
  for (const std::wstring& name : names) profiles.AddString(name);
  if (!complete) app::BeepForUnexpectedError();
  profiles.SetCurSel(0);
}

bool CTaskPanelDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_COMMAND:
      if (!OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) break;
      result = 0;
      return true;
    case WM_SHOWWINDOW:
      // Only the panel's own showing and hiding; not a minimised main window.
      if (lParam == 0) {
        if (wParam)
          OnShown();
        else
          OnHidden();
      }
      return false;
    case app::kApplyScaleMessage:
      CCustomDialog::SetLook(PanelLookOf(context_.Graphics()));
      ApplyScale();
      ::InvalidateRect(hwnd(), nullptr, TRUE);
      break;  // the title and the steps are the base's
    default: break;
  }
  return CCustomDialog::OnMessage(message, wParam, lParam, result);
}

}  // namespace tasks
