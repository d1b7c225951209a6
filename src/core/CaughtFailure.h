// A catch-all that answers with a safe value (absent, no records, false) or a thread that must not
// take the process down still says what it caught: one source record in the diagnostic log, with the
// exception's own text.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

namespace app {

// Call only inside a catch block: the text of the exception being handled. A switch's exception
// gives its message, a COM error its code, a standard exception its own text.
[[nodiscard]] std::wstring CaughtExceptionText();

// Call only inside a catch block: writes the source record "<what> failed: <the exception's text>"
// under `sourceTag` and `line`.
void LogCaughtException(const wchar_t* sourceTag, int line, std::wstring_view what) noexcept;

// The exit code of a thread whose work ended by an exception: ERROR_UNHANDLED_EXCEPTION, which
// mingw-w64's headers lack.
inline constexpr DWORD kThreadFailed = 574;

// The whole body of a thread start routine. An exception leaving a thread ends the process, so what
// escapes `work` (a callable returning the thread's exit code) is logged under `sourceTag` and `line`
// as `what`, and the thread ends with kThreadFailed instead.
template <class Work>
DWORD RunThreadBody(const wchar_t* sourceTag, int line, std::wstring_view what, Work&& work) noexcept {
  try {
    return std::forward<Work>(work)();
  } catch (...) {
    LogCaughtException(sourceTag, line, what);
    return kThreadFailed;
  }
}

}  // namespace app
