#include <windows.h>
#include <oleauto.h>

#include "Objects.h"

namespace vanto {

std::wstring FromBstr(BSTR text) {
  return text ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
}

HRESULT ToBstr(std::wstring_view text, BSTR* out) noexcept {
  if (!out) return E_POINTER;
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace vanto
