// Failures that the window and dialog procedures catch (no exception may unwind through the
// system's dispatch code) are handed to one reporter, which the application sets at start-up to
// write its diagnostic log. This layer knows nothing of that log; without a reporter they are dropped.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win {

// `where`: the procedure and the message it was handling; `what`: the exception's own text.
using FailureReporter = void (*)(std::wstring_view where, std::wstring_view what) noexcept;

// Sets the reporter (null: none) and returns the one set before, so a test can put it back.
FailureReporter SetFailureReporter(FailureReporter reporter) noexcept;

// Call only inside a catch block: the text of the exception being handled (a standard exception's
// own text, widened; a fixed note for any other).
[[nodiscard]] std::wstring CaughtExceptionText();

// Call only inside a catch block: reports the exception being handled, caught by `procedure`
// ("window procedure", "dialog procedure") while it handled `message` for `window`.
void ReportCaughtException(const wchar_t* procedure, HWND window, UINT message) noexcept;

}  // namespace win
