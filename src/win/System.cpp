#include "win/System.h"

#include <windows.h>

namespace win {
namespace {

SystemFacts& Overrides() noexcept {
  static SystemFacts facts;
  return facts;
}

// GetVersionExW answers what the manifest allows; the kernel's own call tells the truth.
unsigned RealMajorVersion() noexcept {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  if (HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll")) {
    auto rtlGetVersion =
        reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")));
    if (rtlGetVersion) {
      OSVERSIONINFOW info{};
      info.dwOSVersionInfoSize = sizeof(info);
      if (rtlGetVersion(&info) == 0) return info.dwMajorVersion;
    }
  }
  return 6;
}

}  // namespace

unsigned WindowsMajorVersion() noexcept {
  if (Overrides().windowsMajorVersion) return *Overrides().windowsMajorVersion;
  static const unsigned major = RealMajorVersion();
  return major;
}

void OverrideSystemFacts(const SystemFacts& facts) noexcept {
  Overrides() = facts;
}

const SystemFacts& SystemFactOverrides() noexcept {
  return Overrides();
}

}  // namespace win
