// Times PluginTable::LoadSwitches in the installation the prefix holds: all nine switches built,
// every host looked for, the records numbered and grouped. The first load is the one Startdeck pays
// at start-up (nothing cached by the system yet for this process); the later ones show the steady
// cost of a reload after "PLUGINSWITCHED".
//   LoadSwitchesBench.exe [RUNS | breakdown] [LANGUAGE-LIBRARY]
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "switches/PluginTable.h"
#include "win/ComScope.h"
#include "win/Resources.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Where a fresh process spends its first load: each switch's own steps, in the table's order.
void PrintBreakdown() {
  std::wprintf(L"per switch, fresh switches (ms: collect, package, host info + records):\n");
  for (auto& [key, created] : switches::MakeSuiteSwitches()) {
    LARGE_INTEGER t0, t1, t2, t3;
    ::QueryPerformanceCounter(&t0);
    const int found = created->CollectPlugins();
    ::QueryPerformanceCounter(&t1);
    const bool present = found > 0 && created->IsPackagePresent();
    ::QueryPerformanceCounter(&t2);
    switches::PluginList found_records;
    if (present) {
      (void)created->GetHostInfo();
      created->GetPlugins(found_records);
    }
    ::QueryPerformanceCounter(&t3);
    std::wprintf(L"  %-12ls %6.2f %6.2f %6.2f  (%d hosts, %zu records)\n", key.c_str(), Milliseconds(t0, t1),
                 Milliseconds(t1, t2), Milliseconds(t2, t3), found, found_records.size());
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool breakdown = argc > 1 && std::wcscmp(argv[1], L"breakdown") == 0;
  const int runs = argc > 1 ? std::max(2, _wtoi(argv[1])) : 21;
  if (argc > 2) {
    win::UniqueModule module(
        ::LoadLibraryExW(argv[2], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module.valid()) {
      std::fwprintf(stderr, L"cannot load %ls\n", argv[2]);
      return 2;
    }
    win::AdoptResourceModule(std::move(module));
  }

  // As in Startdeck's main thread: the ED add-in's installer is a COM object.
  const win::ComApartment com;
  if (breakdown) {
    PrintBreakdown();
    return 0;
  }

  std::vector<double> times;
  size_t records = 0;
  size_t groups = 0;
  size_t active = 0;
  size_t missing = 0;
  for (int run = 0; run < runs; ++run) {
    switches::PluginTable table;
    LARGE_INTEGER start;
    LARGE_INTEGER stop;
    ::QueryPerformanceCounter(&start);
    table.LoadSwitches();
    ::QueryPerformanceCounter(&stop);
    times.push_back(Milliseconds(start, stop));
    records = 0;
    for (const auto& group : table.Groups()) records += group.records.size();
    groups = table.Groups().size();
    active = table.Active().size();
    missing = table.MissingKeys().size();
  }

  const double first = times.front();
  std::vector<double> later(times.begin() + 1, times.end());
  std::sort(later.begin(), later.end());
  std::wprintf(L"LoadSwitches: %zu switches with hosts, %zu without, %zu records in %zu products\n", active,
               missing, records, groups);
  std::wprintf(L"  first load %.2f ms; later loads median %.2f ms, min %.2f ms, max %.2f ms (%d runs)\n",
               first, later[later.size() / 2], later.front(), later.back(), runs - 1);
  return 0;
}
