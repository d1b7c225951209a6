#include "core/WindowFailureLog.h"

#include <string>
#include <string_view>

#include "core/LogSink.h"
#include "win/FailureReport.h"

namespace app {
namespace {

void WriteWindowFailure(std::wstring_view where, std::wstring_view what) noexcept {
  try {
    const std::wstring text = L"Exception in " + std::wstring(where) + L": " + std::wstring(what);
    Log().Line(L"%s", text.c_str());
  } catch (...) {
    // The log never reports its own failures.
  }
}

}  // namespace

void LogWindowFailures() noexcept {
  win::SetFailureReporter(&WriteWindowFailure);
}

}  // namespace app
