// The web-service component's own cost at start-up, as the start centre's exchange meets it: COM
// starting the component's process and handing back its interface, then Initialise without a
// kernel. Each run is a fresh process of the component (the previous one ends when released).
//   ComponentStartBench.exe [RUNS]
#include <windows.h>
#include <objbase.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "vanto/VantoWebService.h"

namespace {

double Since(LARGE_INTEGER from) {
  LARGE_INTEGER now;
  LARGE_INTEGER frequency;
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 7;
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  std::vector<double> create;
  std::vector<double> initialise;
  for (int run = 0; run < runs; ++run) {
    Microsoft::WRL::ComPtr<IVantoWebService> service;
    LARGE_INTEGER start;
    ::QueryPerformanceCounter(&start);
    if (FAILED(::CoCreateInstance(CLSID_VantoWebService, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&service)))) {
      std::fwprintf(stderr, L"the web-service component is not registered\n");
      return 1;
    }
    create.push_back(Since(start));
    ::QueryPerformanceCounter(&start);
    BSTR client = ::SysAllocString(L"Startdeck");
    LONG status = 0;
    (void)service->Initialise(client, nullptr, -1, &status);
    ::SysFreeString(client);
    initialise.push_back(Since(start));
    service.Reset();
    ::Sleep(200);  // the released component's process ends before the next start
  }
  std::wprintf(
      L"web-service component, median of %d: process start and interface %.1f ms, Initialise %.1f ms\n", runs,
      Median(create), Median(initialise));
  ::CoUninitialize();
  return 0;
}
