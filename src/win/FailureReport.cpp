#include "win/FailureReport.h"

#include <atomic>
#include <cstdio>
#include <exception>
#include <string>

namespace win {
namespace {

std::atomic<FailureReporter> g_reporter{nullptr};

// An exception's text is narrow and, from the runtime, in the ANSI code page.
std::wstring Widen(const char* text) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 1) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length - 1));
  return wide;
}

std::wstring Where(const wchar_t* procedure, HWND window, UINT message) {
  std::wstring where = procedure;
  // Our window classes are named after their controls; a dialog's class says nothing.
  wchar_t className[256] = {};  // class names are at most 256 characters
  if (::GetClassNameW(window, className, 256) > 0 && className[0] != L'#') {
    where += L" of ";
    where += className;
  }
  wchar_t number[32] = {};
  std::swprintf(number, 32, L", message 0x%04X", message);
  return where + number;
}

}  // namespace

std::wstring CaughtExceptionText() {
  try {
    throw;
  } catch (const std::exception& e) {
    return Widen(e.what());
  } catch (...) {
    return L"exception not derived from std::exception";
  }
}

FailureReporter SetFailureReporter(FailureReporter reporter) noexcept {
  return g_reporter.exchange(reporter);
}

void ReportCaughtException(const wchar_t* procedure, HWND window, UINT message) noexcept {
  const FailureReporter reporter = g_reporter.load();
  if (reporter == nullptr) return;
  try {
    const std::wstring what = CaughtExceptionText();
    reporter(Where(procedure, window, message), what);
  } catch (...) {
    // Out of memory while describing the failure: nothing more can be said.
  }
}

}  // namespace win
