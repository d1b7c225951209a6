#include "win/Resources.h"

namespace win {
namespace {

struct ResourceState {
  UniqueModule adopted;
  HMODULE current = nullptr;
};

ResourceState& State() noexcept {
  static ResourceState state;
  return state;
}

}  // namespace

HMODULE ResourceModule() noexcept {
  HMODULE current = State().current;
  return current ? current : ::GetModuleHandleW(nullptr);
}

void AdoptResourceModule(UniqueModule library) noexcept {
  ResourceState& state = State();
  // Switch first, then free the old library, so no lookup ever sees a freed module.
  state.current = library.get();
  state.adopted = std::move(library);
}

void ResetResourceModule() noexcept {
  ResourceState& state = State();
  state.current = nullptr;
  state.adopted.reset();
}

std::wstring LoadString(UINT id) {
  return LoadStringFrom(ResourceModule(), id);
}

std::wstring LoadStringFrom(HMODULE module, UINT id) {
  const wchar_t* text = nullptr;
  const int length = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr) return {};
  return std::wstring(text, static_cast<size_t>(length));
}

}  // namespace win
