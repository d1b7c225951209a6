// What every in-process COM server of the stand-ins keeps about itself: its module handle and the
// counts that decide whether COM may unload it. Each DLL sets its handle from its DllMain.
#pragma once

#include <windows.h>

#include <string>

namespace substitute {

void SetThisModule(HMODULE module) noexcept;
[[nodiscard]] HMODULE ThisModule() noexcept;
// The DLL's full path; empty when it cannot be asked.
[[nodiscard]] std::wstring ModulePath();

void ObjectCreated() noexcept;
void ObjectDestroyed() noexcept;
void LockModule(bool lock) noexcept;
[[nodiscard]] bool CanUnload() noexcept;

}  // namespace substitute
