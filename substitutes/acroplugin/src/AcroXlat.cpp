// The suite's plug-in for Adobe Acrobat and Adobe Reader, as a stand-in: a real DLL that a host can
// load, whose entry point declines to join the host, so nothing of the host changes while it runs.
#include <windows.h>

extern "C" {

// The host's entry point for a plug-in. The stand-in takes part in no handshake: it answers 0
// ("not loaded") and leaves every argument as it is.
__declspec(dllexport) int __cdecl PlugInMain(int hostVersion, int* pluginVersion, void* handshake,
                                             void* data) {
  (void)hostVersion;
  (void)pluginVersion;
  (void)handshake;
  (void)data;
  return 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) ::DisableThreadLibraryCalls(instance);
  return TRUE;
}

}  // extern "C"
