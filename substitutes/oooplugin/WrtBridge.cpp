// WrtBridge.dll: the suite's bridge between its OpenOffice.org Writer macros and the translator.
// The Basic library declares its functions; this one only tells its interface version, so a
// Writer that calls it goes on unchanged.
#include <windows.h>

namespace {
constexpr long kInterfaceVersion = 0x0900;  // the suite's version 9
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) ::DisableThreadLibraryCalls(instance);
  return TRUE;
}

extern "C" __declspec(dllexport) long WINAPI BridgeVersion() {
  return kInterfaceVersion;
}
