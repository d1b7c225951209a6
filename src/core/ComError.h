// Kernel calls report failure by throwing ComError; each user operation catches it. An error the
// operation does not expect is answered with a beep and a log record, and the operation stops.
#pragma once

#include <windows.h>

#include <string_view>
#include <utility>

#include "core/CaughtFailure.h"

namespace app {

class ComError {
 public:
  explicit ComError(HRESULT hr) noexcept : hr_(hr) {}
  [[nodiscard]] HRESULT Code() const noexcept { return hr_; }

 private:
  HRESULT hr_;
};

inline void ThrowIfFailed(HRESULT hr) {
  if (FAILED(hr)) throw ComError(hr);
}

// A missing interface where the kernel promised one is a failure too.
template <class T>
T* ThrowIfNull(T* pointer) {
  if (pointer == nullptr) throw ComError(E_POINTER);
  return pointer;
}

inline void BeepForUnexpectedError() noexcept {
  ::MessageBeep(MB_ICONQUESTION);
}

// Runs one user operation against the kernel; true when it completed. A failure beeps, and the
// diagnostic log records it under `sourceTag` and `line` as `what` with the error's code.
template <class Operation>
bool RunKernelOperation(const wchar_t* sourceTag, int line, std::wstring_view what,
                        Operation&& operation) noexcept {
  try {
    std::forward<Operation>(operation)();
    return true;
  } catch (...) {
    LogCaughtException(sourceTag, line, what);
    BeepForUnexpectedError();
    return false;
  }
}

}  // namespace app
