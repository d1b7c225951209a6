// The dictionary collection of a direction and its dictionaries.
#include "ComObject.h"
#include "DirectionTable.h"
#include "Dialog.h"
#include "Dialogs.h"
#include "KernelState.h"
#include "Objects.h"
#include "vanto/KernelDialogs.h"

namespace vanto {
namespace {

class Dictionary final : public ComObject<Dictionary, IVantoDictionary, IVantoDictionaryKey> {
 public:
  Dictionary(StatePtr state, std::wstring key, std::wstring name, LONG kind) noexcept
      : state_(std::move(state)), key_(std::move(key)), name_(std::move(name)), kind_(kind) {}
  static const QITAB* Table() noexcept {
    static const QITAB table[] = {
        InterfaceRow<Dictionary, IVantoDictionary>(), InterfaceRow<Dictionary, IVantoDictionaryKey>(), {}};
    return table;
  }

  HRESULT STDMETHODCALLTYPE GetKind(LONG* kind) noexcept override {
    if (!kind) return E_POINTER;
    *kind = kind_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetName(BSTR* name) noexcept override { return ToBstr(name_, name); }
  HRESULT STDMETHODCALLTYPE AddEntry(BSTR source, BSTR target) noexcept override {
    if (key_.empty()) return E_ACCESSDENIED;
    return Guarded([&] { return state_->AddEntry(key_, FromBstr(source), FromBstr(target), 0); });
  }
  HRESULT STDMETHODCALLTYPE GetKey(BSTR* key) noexcept override { return ToBstr(key_, key); }

 private:
  const StatePtr state_;
  const std::wstring key_;
  const std::wstring name_;
  const LONG kind_;
};

class Dictionaries final : public ComObject<Dictionaries, IVantoDictionaries> {
 public:
  Dictionaries(StatePtr state, int direction) noexcept : state_(std::move(state)), direction_(direction) {}
  static const QITAB* Table() noexcept {
    static const QITAB table[] = {InterfaceRow<Dictionaries, IVantoDictionaries>(), {}};
    return table;
  }

  HRESULT STDMETHODCALLTYPE GetCount(LONG* count) noexcept override {
    if (!count) return E_POINTER;
    *count = 0;
    return Guarded([&] {
      *count = static_cast<LONG>(state_->Dictionaries(direction_).size());
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE GetItem(LONG index, IVantoDictionary** dictionary) noexcept override {
    if (!dictionary) return E_POINTER;
    *dictionary = nullptr;
    return Guarded([&] {
      const std::vector<DictionaryInfo> list = state_->Dictionaries(direction_);
      if (index < 0 || static_cast<size_t>(index) >= list.size()) return E_INVALIDARG;
      const DictionaryInfo& d = list[static_cast<size_t>(index)];
      return MakeDictionary(state_, d.key, d.name, d.kind, dictionary);
    });
  }
  HRESULT STDMETHODCALLTYPE Select(SHORT index, VARIANT_BOOL on) noexcept override {
    if (index < 0) return E_INVALIDARG;
    return Guarded([&] {
      return state_->SelectDictionary(direction_, static_cast<size_t>(index), on != VARIANT_FALSE);
    });
  }
  HRESULT STDMETHODCALLTYPE CreateNew(LONGLONG ownerHwnd, IVantoDictionary** created) noexcept override {
    if (!created) return E_POINTER;
    *created = nullptr;
    return Guarded([&] {
      const std::optional<std::wstring> name = AskName(
          OwnerWindow(ownerHwnd), IDD_VANTO_NEWDICTIONARY,
          std::wstring(Directions()[static_cast<size_t>(direction_)].name),
          [&](const std::wstring& candidate) { return state_->HasDictionaryNamed(direction_, candidate); });
      if (!name) return S_FALSE;
      DictionaryInfo info;
      const HRESULT hr = state_->CreateDictionary(direction_, *name, &info);
      return FAILED(hr) ? hr : MakeDictionary(state_, info.key, info.name, info.kind, created);
    });
  }

 private:
  const StatePtr state_;
  const int direction_;
};

}  // namespace

HRESULT MakeDictionaries(StatePtr state, int direction, IVantoDictionaries** out) noexcept {
  return MakeObject<Dictionaries>(out, std::move(state), direction);
}

HRESULT MakeDictionary(StatePtr state, std::wstring key, std::wstring name, LONG kind,
                       IVantoDictionary** out) noexcept {
  return MakeObject<Dictionary>(out, std::move(state), std::move(key), std::move(name), kind);
}

}  // namespace vanto
