// An owned VARIANT: cleared (releasing its text, array or interface) when it goes or is overwritten.
#pragma once

#include <windows.h>
#include <oleauto.h>

namespace app {

class Variant {
 public:
  Variant() noexcept { ::VariantInit(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  Variant(Variant&& other) noexcept : v_(other.v_) { ::VariantInit(&other.v_); }
  Variant& operator=(Variant&& other) noexcept {
    if (this != &other) {
      ::VariantClear(&v_);
      v_ = other.v_;
      ::VariantInit(&other.v_);
    }
    return *this;
  }
  ~Variant() { ::VariantClear(&v_); }

  [[nodiscard]] static Variant Int32(LONG value) noexcept {
    Variant v;
    V_VT(&v.v_) = VT_I4;
    V_I4(&v.v_) = value;
    return v;
  }
  [[nodiscard]] static Variant Int64(LONGLONG value) noexcept {
    Variant v;
    V_VT(&v.v_) = VT_I8;
    V_I8(&v.v_) = value;
    return v;
  }
  // An optional argument the callee takes as left out.
  [[nodiscard]] static Variant Missing() noexcept {
    Variant v;
    V_VT(&v.v_) = VT_ERROR;
    V_ERROR(&v.v_) = DISP_E_PARAMNOTFOUND;
    return v;
  }

  [[nodiscard]] VARIANT& value() noexcept { return v_; }
  [[nodiscard]] const VARIANT& value() const noexcept { return v_; }
  // For out-parameters: clears the current value first.
  [[nodiscard]] VARIANT* put() noexcept {
    ::VariantClear(&v_);
    return &v_;
  }

  // Hands the value to the caller, who clears it; this is left empty.
  [[nodiscard]] VARIANT release() noexcept {
    const VARIANT out = v_;
    ::VariantInit(&v_);
    return out;
  }

  // Takes `from` converted to `type`; false, leaving this empty, when it does not convert.
  bool ChangeTypeFrom(const VARIANT& from, VARTYPE type) noexcept {
    if (SUCCEEDED(::VariantChangeType(put(), const_cast<VARIANT*>(&from), 0, type))) return true;
    ::VariantClear(&v_);
    return false;
  }

 private:
  VARIANT v_;
};

}  // namespace app
