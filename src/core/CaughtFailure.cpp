#include "core/CaughtFailure.h"

#include <cwchar>

#include "core/ComError.h"
#include "core/ExceptSW.h"
#include "core/LogSink.h"
#include "win/FailureReport.h"

namespace app {

std::wstring CaughtExceptionText() {
  try {
    throw;
  } catch (const CExceptSW& failure) {
    return failure.Message();
  } catch (const ComError& failure) {
    wchar_t text[32] = {};  // "COM error 0x" and eight digits
    std::swprintf(text, 32, L"COM error 0x%08lX", static_cast<unsigned long>(failure.Code()));
    return text;
  } catch (...) {
    return win::CaughtExceptionText();
  }
}

void LogCaughtException(const wchar_t* sourceTag, int line, std::wstring_view what) noexcept {
  try {
    const std::wstring subject(what);
    const std::wstring text = CaughtExceptionText();
    Log().Record(sourceTag, line, L"%s failed: %s", subject.c_str(), text.c_str());
  } catch (...) {
    // Out of memory while describing the failure: the log never reports its own failures.
  }
}

}  // namespace app
