// Kernel calls report failure by throwing ComError; each user operation catches it. An error the
// operation does not expect is answered with a beep and the operation stops.
#pragma once

#include <windows.h>

#include <utility>

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

// Runs one user operation against the kernel; true when it completed. A ComError beeps.
template <class Operation>
bool RunKernelOperation(Operation&& operation) noexcept {
  try {
    std::forward<Operation>(operation)();
    return true;
  } catch (const ComError&) {
    BeepForUnexpectedError();
    return false;
  } catch (...) {
    BeepForUnexpectedError();
    return false;
  }
}

}  // namespace app
