#include "tasks/KernelDirections.h"

#include "core/Bstr.h"
#include "core/ComError.h"

namespace tasks {

using app::ThrowIfFailed;
using app::ThrowIfNull;
using Microsoft::WRL::ComPtr;

bool KernelDirections::Load(IVantoKernel* kernel) {
  kernel_ = kernel;
  list_.Reset();
  items_.clear();
  if (!kernel) return false;
  try {
    ComPtr<IVantoDirections> list;
    ThrowIfFailed(kernel->GetDirections(&list));
    LONG count = 0;
    ThrowIfFailed(ThrowIfNull(list.Get())->GetCount(&count));
    std::vector<app::TranslationDirection> items;
    for (LONG i = 0; i < count; ++i) {
      LONG id = 0;
      app::Bstr name;
      ThrowIfFailed(list->GetItem(i, &id, name.put()));
      items.push_back({static_cast<int>(id), name.str()});
    }
    list_ = std::move(list);
    items_ = std::move(items);
    return true;
  } catch (const app::ComError&) {
    return false;
  }
}

int KernelDirections::IdAt(int index) const noexcept {
  return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)].id : 0;
}

std::wstring KernelDirections::NameAt(int index) const {
  return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)].name : std::wstring();
}

bool KernelDirections::ProfilesOf(int index, std::vector<std::wstring>& names) const {
  names.clear();
  if (!list_ || index < 0 || index >= Count()) return false;
  try {
    ComPtr<IVantoProfiles> profiles;
    ThrowIfFailed(list_->GetProfiles(index, &profiles));
    LONG count = 0;
    ThrowIfFailed(ThrowIfNull(profiles.Get())->GetCount(&count));
    for (LONG i = 0; i < count; ++i) {
      app::Bstr name;
      ThrowIfFailed(profiles->GetName(i, name.put()));
      names.push_back(name.str());
    }
    return true;
  } catch (const app::ComError&) {
    return false;
  }
}

}  // namespace tasks
