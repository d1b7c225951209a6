#include "InProcServer.h"

#include <atomic>

#include "win/Module.h"

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
  return win::ModulePath(g_module);
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
