// The DLL's one creatable class, its factory and its registration.
#pragma once

#include <windows.h>

namespace edsetup {

[[nodiscard]] HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) noexcept;
[[nodiscard]] HRESULT CreateInstaller(REFIID riid, void** ppv) noexcept;

}  // namespace edsetup
