#include "InProcServer.h"

#include <atomic>

namespace substitute {
namespace {

HMODULE g_module = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

}  // namespace

void SetThisModule(HMODULE module) noexcept {
  g_module = module;
}

HMODULE ThisModule() noexcept {
  return g_module;
}

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

void ObjectCreated() noexcept {
  ++g_objects;
}
void ObjectDestroyed() noexcept {
  --g_objects;
}
void LockModule(bool lock) noexcept {
  lock ? ++g_locks : --g_locks;
}
bool CanUnload() noexcept {
  return g_objects == 0 && g_locks == 0;
}

}  // namespace substitute
