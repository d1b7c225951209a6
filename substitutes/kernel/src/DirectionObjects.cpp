// The direction list and the profile lists.
#include "ComObject.h"
#include "Config.h"
#include "DirectionTable.h"
#include "KernelState.h"
#include "Objects.h"

namespace vanto {
namespace {

class DirectionList final : public ComObject<DirectionList, IVantoDirections> {
 public:
  explicit DirectionList(StatePtr state) noexcept : state_(std::move(state)) {}
  static const QITAB* Table() noexcept {
    static const QITAB table[] = {InterfaceRow<DirectionList, IVantoDirections>(), {}};
    return table;
  }

  HRESULT STDMETHODCALLTYPE GetCount(LONG* count) noexcept override {
    if (!count) return E_POINTER;
    *count = static_cast<LONG>(vanto::Directions().size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetItem(LONG index, LONG* id, BSTR* name) noexcept override {
    if (id) *id = 0;
    if (name) *name = nullptr;
    if (!KernelState::ValidDirection(index)) return E_INVALIDARG;
    const DirectionInfo& d = vanto::Directions()[static_cast<size_t>(index)];
    if (id) *id = d.id;
    return name ? ToBstr(d.name, name) : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetProfiles(LONG index, IVantoProfiles** profiles) noexcept override {
    if (!profiles) return E_POINTER;
    *profiles = nullptr;
    if (!KernelState::ValidDirection(index)) return E_INVALIDARG;
    if (const HRESULT failure = ProfilesError(); failure != S_OK) return failure;
    return MakeProfiles(profiles);
  }
  HRESULT STDMETHODCALLTYPE GetDictionaries(LONG index, IVantoDictionaries** dictionaries) noexcept override {
    if (!dictionaries) return E_POINTER;
    *dictionaries = nullptr;
    if (!KernelState::ValidDirection(index)) return E_INVALIDARG;
    if (const HRESULT failure = DictionariesError(); failure != S_OK) return failure;
    return MakeDictionaries(state_, static_cast<int>(index), dictionaries);
  }
  HRESULT STDMETHODCALLTYPE GetMemories(LONG index, IVantoMemories** memories) noexcept override {
    if (!memories) return E_POINTER;
    *memories = nullptr;
    if (!KernelState::ValidDirection(index)) return E_INVALIDARG;
    if (const HRESULT failure = MemoriesError(); failure != S_OK) return failure;
    return MakeMemories(state_, static_cast<int>(index), memories);
  }

 private:
  const StatePtr state_;
};

// Every direction has the same profiles; the list still belongs to one direction.
class Profiles final : public ComObject<Profiles, IVantoProfiles> {
 public:
  static const QITAB* Table() noexcept {
    static const QITAB table[] = {InterfaceRow<Profiles, IVantoProfiles>(), {}};
    return table;
  }

  HRESULT STDMETHODCALLTYPE GetCount(LONG* count) noexcept override {
    if (!count) return E_POINTER;
    *count = static_cast<LONG>(ProfileNames().size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetName(LONG index, BSTR* name) noexcept override {
    if (!name) return E_POINTER;
    *name = nullptr;
    if (index < 0 || static_cast<size_t>(index) >= ProfileNames().size()) return E_INVALIDARG;
    return ToBstr(ProfileNames()[static_cast<size_t>(index)], name);
  }
};

}  // namespace

HRESULT MakeDirections(StatePtr state, IVantoDirections** out) noexcept {
  return MakeObject<DirectionList>(out, std::move(state));
}

HRESULT MakeProfiles(IVantoProfiles** out) noexcept {
  return MakeObject<Profiles>(out);
}

}  // namespace vanto
