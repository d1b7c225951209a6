// COM objects of our own: the reference count lives in one place, and an object is only ever made
// through MakeComObject, which hands it out already owned by a ComPtr (the count's first reference).
// The object deletes itself when the last reference goes; nothing else news or deletes it.
#pragma once

#include <windows.h>
#include <unknwn.h>
#include <wrl/client.h>

#include <atomic>
#include <new>
#include <utility>

namespace win {

// Gives `Derived` AddRef and Release; Derived answers QueryInterface itself.
template <class Derived>
class ComRefCount {
 public:
  ComRefCount(const ComRefCount&) = delete;
  ComRefCount& operator=(const ComRefCount&) = delete;

  ULONG AddRefImpl() noexcept { return ++count_; }
  ULONG ReleaseImpl() noexcept {
    const ULONG left = --count_;
#ifndef __clang_analyzer__  // the analyser cannot follow the count across the ComPtrs that share it
    if (left == 0) delete static_cast<Derived*>(this);
#endif
    return left;
  }

 protected:
  ComRefCount() = default;
  ~ComRefCount() = default;

 private:
  std::atomic<ULONG> count_{0};
};

// Makes a `T` (deriving from ComRefCount<T>) owned by the ComPtr it returns; null when memory ran out
// or the constructor threw.
template <class T, class... Args>
Microsoft::WRL::ComPtr<T> MakeComObject(Args&&... args) noexcept {
  Microsoft::WRL::ComPtr<T> owned;
  try {
    owned = new (std::nothrow) T(std::forward<Args>(args)...);  // the ComPtr takes the first reference
  } catch (const std::exception&) {
    return nullptr;
  }
  return owned;
}

}  // namespace win
