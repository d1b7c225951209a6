#include "tasks/QuickTranslationJob.h"

#include <wrl/client.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <string_view>
#include <utility>

#include "core/Bstr.h"
#include "core/ComError.h"
#include "core/LogSink.h"
#include "core/PrivateMessages.h"
#include "controls/LBRichEdit.h"
#include "tasks/QuickTranslationLines.h"

namespace tasks {
namespace {

using app::ThrowIfFailed;
using app::ThrowIfNull;
using Microsoft::WRL::ComPtr;

// Every kind of server the text class may come from, as the kernel installs it.
constexpr DWORD kTextContexts =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

// A long translation goes on a slice at a time: as many lines as fit into a slice's time, then the
// window's messages. A ping waits at most a slice and the line that overran it.
constexpr auto kSliceTime = std::chrono::milliseconds(30);
// The caption's progress is repainted at most this often: every repaint costs the kernel its time.
constexpr auto kProgressInterval = std::chrono::milliseconds(150);
// The next slice is posted to the panel (app::kNextSliceMessage) while no input or painting waits,
// and otherwise comes on this timer, which comes only after them.
constexpr UINT_PTR kNextSliceTimer = 0x51CE;

using SliceClock = std::chrono::steady_clock;

// A result up to this long goes into the target at once; a longer one in pieces of about this many
// characters, cut after a line break: a rich edit takes a megabyte in seconds, not in one slice.
constexpr size_t kWholeTargetChars = size_t{64} * 1024;
constexpr size_t kTargetPieceChars = size_t{16} * 1024;

}  // namespace

// A translation on its way: the lines, the kernel's objects it was started with (they stay on the
// window's thread), and when the progress was last shown.
struct QuickTranslationJob::Run {
  explicit Run(std::wstring source) : lines(std::move(source)) {}

  LineTranslation lines;
  ComPtr<IVantoSettings> settings;
  ComPtr<IVantoTextTranslator> translator;  // null: the settings object translates each line itself
  ComPtr<IVantoText> sourceText;
  ComPtr<IVantoText> resultText;
  SliceClock::time_point progressShown{};
  // In a slice. A kernel in another apartment lets the window's messages through while it works:
  // what comes then must not start a slice or end the run under the one on its way.
  bool busy = false;
  bool endAsked = false;  // the run was cancelled or ended while busy: it ends after the slice
  bool filling = false;   // every line is translated, and the target takes them a piece at a time
  size_t filled = 0;      // the characters of the result in the target so far

  // One line through the kernel; a failing call throws its COM error.
  std::wstring Translate(const std::wstring& line) const {
    const app::Bstr text(line);
    app::Bstr translated;
    if (translator) {
      ThrowIfFailed(sourceText->SetText(text.get()));
      ThrowIfFailed(translator->TranslateText(sourceText.Get(), resultText.Get()));
      ThrowIfFailed(resultText->GetText(translated.put()));
    } else {
      ThrowIfFailed(settings->Translate(text.get(), translated.put()));
    }
    return translated.str();
  }
};

QuickTranslationJob::QuickTranslationJob(Panel& panel) noexcept : panel_(panel) {}

QuickTranslationJob::~QuickTranslationJob() = default;

void QuickTranslationJob::Start(IVantoKernel& kernel, std::wstring source) {
  auto run = std::make_unique<Run>(std::move(source));
  ThrowIfFailed(kernel.GetSettings(&run->settings));
  ThrowIfNull(run->settings.Get());
  if (const HRESULT offered = run->settings->GetTextTranslator(&run->translator);
      FAILED(offered) && offered != E_NOINTERFACE)
    throw app::ComError(offered);
  ThrowIfFailed(::CoCreateInstance(CLSID_VantoText, nullptr, kTextContexts, IID_PPV_ARGS(&run->sourceText)));
  ThrowIfFailed(::CoCreateInstance(CLSID_VantoText, nullptr, kTextContexts, IID_PPV_ARGS(&run->resultText)));
  run_ = std::move(run);
  run_->progressShown = SliceClock::now();
}

void QuickTranslationJob::TranslateSlice() {
  ::KillTimer(panel_.JobWindow(), kNextSliceTimer);
  if (!run_ || run_->busy) return;  // a slice asked for before the run ended, or inside one
  if (run_->filling) {
    if (!FillTargetSlice()) ScheduleSlice();
    return;
  }
  const auto start = SliceClock::now();
  Run& run = *run_;
  try {
    run.busy = true;
    do {
      run.lines.TranslateNext([&run](const std::wstring& line) { return run.Translate(line); });
    } while (!run.lines.Done() && !run.endAsked && SliceClock::now() - start < kSliceTime);
    run.busy = false;
  } catch (const app::ComError& error) {
    run.busy = false;
    // The target keeps what it showed: a translation that fails comes out not at all.
    End();
    panel_.ReportKernelFailure(error.Code());
    return;
  } catch (const std::exception&) {
    run.busy = false;
    End();
    app::Log().Line(L"Quick translation: the text could not be translated");
    app::BeepForUnexpectedError();
    return;
  }
  if (run.endAsked) {
    (void)Cancel();
    return;
  }
  if (run_->lines.Done()) {
    Finish();
    return;
  }
  panel_.ShowBusy();
  if (SliceClock::now() - run_->progressShown >= kProgressInterval) ShowProgress();
  ScheduleSlice();
}

void QuickTranslationJob::ScheduleSlice() {
  // Posted messages come before the keyboard, the mouse and painting: while any of them waits, the
  // next slice waits for the timer, which comes after them.
  const HWND window = panel_.JobWindow();
  if (HIWORD(::GetQueueStatus(QS_INPUT | QS_PAINT)) != 0)
    ::SetTimer(window, kNextSliceTimer, USER_TIMER_MINIMUM, nullptr);
  else
    ::PostMessageW(window, app::kNextSliceMessage, 0, 0);
}

void QuickTranslationJob::ShowProgress() {
  panel_.ShowProgress(run_->lines.LinesDone(), run_->lines.LineCount());
  run_->progressShown = SliceClock::now();
}

void QuickTranslationJob::Finish() {
  if (run_->lines.Result().size() <= kWholeTargetChars) {
    const std::wstring result = run_->lines.Result();
    End();
    panel_.JobTarget().SetText(result);
    return;
  }
  // A long result goes in a piece of whole lines at a time, as the translation did.
  run_->filling = true;
  run_->filled = 0;
  panel_.ShowBusy();
  ShowProgress();
  panel_.JobTarget().SetText(L"");
  if (!FillTargetSlice()) ScheduleSlice();
}

bool QuickTranslationJob::FillTargetSlice() {
  const std::wstring& result = run_->lines.Result();
  size_t end = std::min(result.size(), run_->filled + kTargetPieceChars);
  if (end < result.size()) {
    const size_t lineEnd = result.find(L"\r\n", end);
    end = lineEnd == std::wstring::npos ? result.size() : lineEnd + 2;
  }
  const std::wstring piece = result.substr(run_->filled, end - run_->filled);
  const HWND target = panel_.JobTarget().hwnd();
  ::SendMessageW(target, EM_SETSEL, static_cast<WPARAM>(-1), -1);
  ::SendMessageW(target, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
  run_->filled = end;
  if (end < result.size()) return false;
  // Whole: shown from its beginning, as a text put in at once is.
  ::SendMessageW(target, EM_SETSEL, 0, 0);
  ::SendMessageW(target, EM_SCROLLCARET, 0, 0);
  End();
  return true;
}

bool QuickTranslationJob::Cancel() {
  if (!run_) return false;
  if (run_->busy) {
    run_->endAsked = true;
    return true;
  }
  if (run_->filling) {
    // Every line is translated; the target keeps the whole lines it shows.
    const std::wstring_view shown = std::wstring_view(run_->lines.Result()).substr(0, run_->filled);
    size_t lines = 0;
    for (size_t at = shown.find(L"\r\n"); at != std::wstring_view::npos; at = shown.find(L"\r\n", at + 2))
      ++lines;
    app::Log().Line(L"Quick translation: cancelled after %lu of %lu lines", static_cast<unsigned long>(lines),
                    static_cast<unsigned long>(run_->lines.LineCount()));
    End();
    return true;
  }
  app::Log().Line(L"Quick translation: cancelled after %lu of %lu lines",
                  static_cast<unsigned long>(run_->lines.LinesDone()),
                  static_cast<unsigned long>(run_->lines.LineCount()));
  // At once, whatever its length: the panel may be on its way out.
  const std::wstring done = run_->lines.Result();
  End();
  panel_.JobTarget().SetText(done);
  return true;
}

void QuickTranslationJob::End() {
  ::KillTimer(panel_.JobWindow(), kNextSliceTimer);
  if (!run_) return;
  if (run_->busy) {
    run_->endAsked = true;
    return;
  }
  run_.reset();
  panel_.ShowEnded();
}

bool QuickTranslationJob::OnMessage(UINT message, WPARAM wParam) {
  if (message != app::kNextSliceMessage && (message != WM_TIMER || wParam != kNextSliceTimer)) return false;
  TranslateSlice();
  return true;
}

}  // namespace tasks
