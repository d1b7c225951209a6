// COM and OLE initialisation of the calling thread as scope objects: what succeeded is undone when
// the object goes, on the same thread.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace win {

// A single-threaded COM apartment for the calling thread.
class ComApartment {
 public:
  ComApartment() noexcept : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  // COM is usable on the thread (newly or already in this apartment model).
  [[nodiscard]] bool ok() const noexcept { return SUCCEEDED(result_); }
  // The thread had COM before (in any apartment), so it outlives this object.
  [[nodiscard]] bool ThreadHadCom() const noexcept {
    return result_ == S_FALSE || result_ == RPC_E_CHANGED_MODE;
  }
  [[nodiscard]] HRESULT result() const noexcept { return result_; }

 private:
  HRESULT result_;
};

// OLE (COM plus clipboard, drag and drop and in-place activation) for the calling thread.
class OleScope {
 public:
  OleScope() noexcept : result_(::OleInitialize(nullptr)) {}
  ~OleScope() {
    if (SUCCEEDED(result_)) ::OleUninitialize();
  }
  OleScope(const OleScope&) = delete;
  OleScope& operator=(const OleScope&) = delete;

  [[nodiscard]] bool ok() const noexcept { return SUCCEEDED(result_); }
  [[nodiscard]] HRESULT result() const noexcept { return result_; }

 private:
  HRESULT result_;
};

}  // namespace win
