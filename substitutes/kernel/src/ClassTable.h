// The DLL's creatable classes: one table for the class factories and for registration.
#pragma once

#include <windows.h>

#include <span>

namespace vanto {

struct ClassRow {
  const CLSID* clsid;
  // The class key's default value. For the local kernel it is a number: the add-word dialog entry
  // that the start centre uses when the user has not chosen one yet.
  const wchar_t* keyDefault;
  HRESULT (*create)(REFIID riid, void** ppv) noexcept;
};

[[nodiscard]] std::span<const ClassRow> Classes() noexcept;
[[nodiscard]] HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) noexcept;

}  // namespace vanto
