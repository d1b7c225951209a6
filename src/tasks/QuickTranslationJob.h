// QuickTranslationJob: the quick translation panel's translation on its way. The kernel translates
// the text a line at a time; a long text goes a slice of lines at a time between the window's
// messages, and its result into the target field a piece at a time, so the window keeps answering.
// The panel that owns the job starts it, hands it the slices posted to the panel's window and tells it
// when to stop; the job shows its progress and its end through the panel.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

#include "vanto/Kernel.h"

namespace ui::skin {
class CLBRichEdit;
}

namespace tasks {

class QuickTranslationJob {
 public:
  // What the job needs of the panel that drives it.
  class Panel {
   public:
    // The window the next slices go to (app::kNextSliceMessage and the job's timer); it hands them to
    // OnMessage.
    [[nodiscard]] virtual HWND JobWindow() const noexcept = 0;
    // The field the translation goes into.
    [[nodiscard]] virtual const ui::skin::CLBRichEdit& JobTarget() const noexcept = 0;
    // The run goes on past its first slice: Translate cannot be pressed meanwhile.
    virtual void ShowBusy() = 0;
    virtual void ShowProgress(size_t linesDone, size_t lineCount) = 0;
    // The run has ended: the caption and the Translate button as before it.
    virtual void ShowEnded() = 0;
    // A kernel call failed with `code`.
    virtual void ReportKernelFailure(HRESULT code) = 0;

   protected:
    ~Panel() = default;
  };

  explicit QuickTranslationJob(Panel& panel) noexcept;
  ~QuickTranslationJob();
  QuickTranslationJob(const QuickTranslationJob&) = delete;
  QuickTranslationJob& operator=(const QuickTranslationJob&) = delete;

  [[nodiscard]] bool Running() const noexcept { return run_ != nullptr; }
  // Makes the kernel's objects for a translation of `source` (the kernel's direction and profile are
  // the current ones); the run goes on with TranslateSlice. A failing kernel call throws its COM
  // error, and no run starts.
  void Start(IVantoKernel& kernel, std::wstring source);
  // Translates the lines of one slice, then finishes the translation or schedules the next slice.
  void TranslateSlice();
  // Ends a running translation with the lines done in the target field; false when none runs. Asked
  // inside a slice (the kernel let a message through), the run ends after the slice.
  bool Cancel();
  // Ends the run without touching the target; asked inside a slice, it ends after it as Cancel does.
  void End();
  // A next slice, posted or on the job's timer: translated, and true. False for any other message.
  bool OnMessage(UINT message, WPARAM wParam);

 private:
  struct Run;

  // Puts the whole translation into the target field and ends the run; a long one a piece a slice.
  void Finish();
  // Appends the next piece of whole lines to the target; true when the target is whole and the run
  // has ended.
  bool FillTargetSlice();
  // The next slice: posted, or on a timer while input or painting waits.
  void ScheduleSlice();
  void ShowProgress();

  Panel& panel_;
  std::unique_ptr<Run> run_;  // null when none runs
};

}  // namespace tasks
