// CQTransDlg: the panel of quick translation (kQuickTranslationTask). The user types or pastes a text into
// the source field, picks the direction and the profile, and presses Translate (or F9); the kernel translates
// it line by line into the target field. The panel remembers the direction and the profile in the task
// settings of its task. A long text is translated a slice of lines at a time between the window's
// messages, with the lines done shown in the caption, so the window keeps answering; Escape, Clear
// or leaving the panel cancels it and keeps the lines done in the target field.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "tasks/KernelDirections.h"
#include "tasks/QuickTranslationJob.h"
#include "tasks/TaskPanelDialog.h"
#include "controls/MenuButton.h"
#include "controls/CustomComboBox.h"
#include "controls/LBRichEdit.h"
#include "menu/TaskTable.h"
#include "win/Handle.h"

namespace tasks {

class CQTransDlg final : public CTaskPanelDialog, private QuickTranslationJob::Panel {
 public:
  static constexpr int kTaskCode = ui::kQuickTranslationTask;

  explicit CQTransDlg(TaskContext& context);
  ~CQTransDlg() override;

  bool Create(HWND parent, POINT at) override;
  [[nodiscard]] OpenOutcome Open(int taskCode, std::wstring_view appTokens) override;
  void SaveSettings() override;
  // The panel's keyboard: Enter and F9, and the text fields' own keys; Tab and Escape are the
  // window's.
  MessageRoute RouteMessage(MSG& message) override;
  bool TakeText(const std::wstring& text) override;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  bool OnCommand(int id, int code, HWND from) override;
  bool OnInitPanel() override;
  void OnShown() override;
  void OnHidden() override;
  void ApplyScale() override;

 private:
  // The caption's height in its font, one line unless the language's text is wider than the field.
  [[nodiscard]] int CaptionHeight(const std::wstring& caption) const;
  // Places every control at the graphics' scale, below the caption by its height in its font.
  void LayOutControls();
  // A face of the buttons: the shared graphics' of the scale where they hold it, else the panel's
  // own, loaded once.
  [[nodiscard]] HBITMAP Face(int id, win::UniqueBitmap& own);
  // Reads the directions when they are not read yet; a first reading starts on the first direction
  // with empty fields.
  bool PrepareDirections();
  void FillProfiles() { ListProfiles(directions_, directionList_, profiles_); }
  void OnDirectionChanged();
  // Starts a translation of the source text (nothing while one runs) and translates its first slice.
  void OnTranslate();
  // QuickTranslationJob::Panel: the panel's window, its target field, the caption and the Translate
  // button.
  [[nodiscard]] HWND JobWindow() const noexcept override { return hwnd(); }
  [[nodiscard]] const ui::skin::CLBRichEdit& JobTarget() const noexcept override { return target_; }
  void ShowBusy() override;
  void ShowProgress(size_t linesDone, size_t lineCount) override;
  void ShowEnded() override;
  // Logs a kernel failure; the translation limit goes to the kernel's error reporter, any other
  // failure beeps.
  void ReportKernelFailure(HRESULT code) override;
  void OnClear();
  void OnPastePlain();
  // Makes profile `index` of the current direction the kernel's current profile; false (after a
  // beep) when the kernel refused.
  bool MakeProfileCurrent(IVantoKernel& kernel, int index);
  [[nodiscard]] bool InPanel(HWND window) const noexcept;
  [[nodiscard]] bool IsField(HWND window) const noexcept;

  std::wstring captionText_;  // the caption's own text, which the progress replaces during a run

  KernelDirections directions_;
  bool remembering_ = false;  // choices go to the task settings once the panel has been prepared
  std::wstring profile_;      // the chosen profile's name
  // The buttons' faces belong to the panel: declared before the buttons, so they outlive them.
  win::UniqueBitmap faceNormal_;
  win::UniqueBitmap faceHover_;
  win::UniqueBitmap facePressed_;
  HWND caption_ = nullptr;
  ui::skin::CCustomComboBox directionList_;
  ui::skin::CCustomComboBox profiles_;
  ui::skin::CLBRichEdit source_;
  ui::skin::CLBRichEdit target_;
  CMenuButton translate_;
  CMenuButton clear_;
  // The translation on its way, if any. It writes into the target field: declared after it, it is
  // destroyed first.
  QuickTranslationJob job_{*this};
};

}  // namespace tasks
