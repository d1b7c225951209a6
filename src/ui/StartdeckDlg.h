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
  void ReworkSystemMenu();
  void OnSysCommand(UINT command);
  void UpdateSystemMenu(bool minimized);
  void ShowSystemMenuAt(POINT screen);
  void ShowHelp();

  CStartdeckApp& app_;
  win::UniqueGdiObject background_;
  win::UniqueIcon largeIcon_;
  win::UniqueIcon smallIcon_;
  ui::SkinButton close_;
  ui::SkinButton minimize_;
  ui::SkinButton exit_;
  ui::SkinButton about_;
  ui::SkinButton help_;
  HWND helpLabel_ = nullptr;
  win::UniqueGdiObject menuBitmaps_[3];
  win::UniqueModule htmlHelp_;
  bool htmlHelpTried_ = false;
  // Which panel shows: 0 the start page, 1-7 a tab, higher numbers a task panel.
  int view_ = 0;
};
