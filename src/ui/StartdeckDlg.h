// The program's only top-level window: a skinned modal dialog with the start page, the tabs and the
// task panels of the suite.
#pragma once

#include <windows.h>

#include "ui/SkinButton.h"
#include "win/Dialog.h"
#include "win/Handle.h"

class CStartdeckApp;

class CStartdeckDlg : public win::Dialog {
 public:
  explicit CStartdeckDlg(CStartdeckApp& app) : app_(app) {}

  // Runs the window until it closes.
  INT_PTR DoModal();

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  bool PreTranslateMessage(MSG& message) override;

 private:
  void OnInitDialog();
  void CreateButtons();
  void Paint(HDC dc) const;
  void OnCommand(int id);
  void OnClose();
  void OnDestroy();

  CStartdeckApp& app_;
  win::UniqueGdiObject background_;
  win::UniqueIcon largeIcon_;
  win::UniqueIcon smallIcon_;
  ui::SkinButton close_;
  ui::SkinButton minimize_;
  ui::SkinButton exit_;
};
