// The settings of a direction (with text-object translation) and the add-word interface.
#include <windows.h>
#include <oleauto.h>

#include <atomic>

#include "ComObject.h"
#include "Config.h"
#include "Dialogs.h"
#include "KernelState.h"
#include "Objects.h"
#include "core/Bstr.h"

namespace vanto {
namespace {

class Settings final : public ComObject<Settings, IVantoSettings, IVantoTextTranslator> {
 public:
  Settings(StatePtr state, int direction) noexcept : state_(std::move(state)), direction_(direction) {}
  static const QITAB* Table() noexcept {
    static const QITAB table[] = {
        InterfaceRow<Settings, IVantoSettings>(), InterfaceRow<Settings, IVantoTextTranslator>(), {}};
    return table;
  }

  HRESULT STDMETHODCALLTYPE GetProfiles(IVantoProfiles** profiles) noexcept override {
    if (!profiles) return E_POINTER;
    *profiles = nullptr;
    return MakeProfiles(profiles);
  }
  HRESULT STDMETHODCALLTYPE SetCurrentProfile(BSTR name) noexcept override {
    return Guarded([&] { return state_->SetCurrentProfile(direction_, FromBstr(name)); });
  }
  HRESULT STDMETHODCALLTYPE Translate(BSTR text, BSTR* result) noexcept override {
    if (!result) return E_POINTER;
    *result = nullptr;
    return Guarded([&] {
      std::wstring translated;
      const HRESULT hr = state_->Translate(direction_, FromBstr(text), &translated);
      return FAILED(hr) ? hr : ToBstr(translated, result);
    });
  }
  HRESULT STDMETHODCALLTYPE GetTextTranslator(IVantoTextTranslator** translator) noexcept override {
    if (!translator) return E_POINTER;
    *translator = nullptr;
    if (NoTextTranslator()) return S_FALSE;
    *translator = this;
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetAddWord(IVantoAddWord** addWord) noexcept override;

  HRESULT STDMETHODCALLTYPE TranslateText(IVantoText* source, IVantoText* result) noexcept override {
    if (!source || !result) return E_POINTER;
    return Guarded([&] {
      app::Bstr text;
      HRESULT hr = source->GetText(text.put());
      if (FAILED(hr)) return hr;
      const std::wstring input = FromBstr(text.get());
      std::wstring translated;
      if (FAILED(hr = state_->Translate(direction_, input, &translated))) return hr;
      app::Bstr output;
      if (FAILED(hr = ToBstr(translated, output.put()))) return hr;
      return result->SetText(output.get());
    });
  }

 private:
  const StatePtr state_;
  const int direction_;
};

class AddWord final : public ComObject<AddWord, IVantoAddWord> {
 public:
  explicit AddWord(StatePtr state) noexcept : state_(std::move(state)) {}
  static const QITAB* Table() noexcept {
    static const QITAB table[] = {InterfaceRow<AddWord, IVantoAddWord>(), {}};
    return table;
  }

  HRESULT STDMETHODCALLTYPE SetDialogEntry(LONG entry) noexcept override {
    entry_ = entry;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDialogEntry(LONG* entry) noexcept override {
    if (!entry) return E_POINTER;
    *entry = entry_;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE ShowDialog(VARIANT_BOOL entryView, IVantoDictionary* dictionary,
                                       BSTR word) noexcept override {
    if (!dictionary) return E_POINTER;
    return Guarded([&] {
      ComPtr<IVantoDictionaryKey> identity;
      if (FAILED(dictionary->QueryInterface(IID_PPV_ARGS(&identity)))) return E_INVALIDARG;
      app::Bstr keyText;
      HRESULT hr = identity->GetKey(keyText.put());
      if (FAILED(hr)) return hr;
      const std::wstring key = FromBstr(keyText.get());
      if (key.empty()) return E_ACCESSDENIED;  // the general dictionary is read-only
      const std::optional<DictionaryInfo> info = state_->FindDictionary(key);
      if (!info) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);

      int kind = static_cast<int>(entry_);
      // The dialog is modal to whatever window the caller is active in.
      const std::optional<WordEntry> entry =
          AskWord(::GetActiveWindow(), entryView != VARIANT_FALSE, FromBstr(word), info->name, &kind);
      entry_ = kind;
      if (!entry) return S_FALSE;
      return state_->AddEntry(key, entry->source, entry->target, entry->kind);
    });
  }

 private:
  const StatePtr state_;
  std::atomic<LONG> entry_{1};
};

HRESULT STDMETHODCALLTYPE Settings::GetAddWord(IVantoAddWord** addWord) noexcept {
  return MakeObject<AddWord>(addWord, state_);
}

}  // namespace

HRESULT MakeSettings(StatePtr state, int direction, IVantoSettings** out) noexcept {
  return MakeObject<Settings>(out, std::move(state), direction);
}

}  // namespace vanto
