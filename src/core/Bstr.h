// An owned BSTR.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace app {

class Bstr {
 public:
  Bstr() noexcept = default;
  explicit Bstr(std::wstring_view text)
      : b_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}
  Bstr& operator=(Bstr&& other) noexcept {
    if (this != &other) {
      ::SysFreeString(b_);
      b_ = std::exchange(other.b_, nullptr);
    }
    return *this;
  }
  ~Bstr() { ::SysFreeString(b_); }

  [[nodiscard]] BSTR get() const noexcept { return b_; }
  // For out-parameters: frees the current text first.
  [[nodiscard]] BSTR* put() noexcept {
    ::SysFreeString(b_);
    b_ = nullptr;
    return &b_;
  }
  [[nodiscard]] std::wstring str() const {
    return b_ ? std::wstring(b_, ::SysStringLen(b_)) : std::wstring();
  }

 private:
  BSTR b_ = nullptr;
};

}  // namespace app
