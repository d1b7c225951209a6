#include "KernelState.h"
#include "vanto/Kernel.h"

#include "Config.h"
#include "DirectionTable.h"
#include "KernelResources.h"
#include "Lexicon.h"
#include "Module.h"
#include "Translator.h"
#include "WordLists.h"

namespace vanto {
namespace {

std::wstring GeneralName(int direction) {
  const wchar_t* text = nullptr;
  const int length = ::LoadStringW(ThisModule(), IDS_GENERAL_DICTIONARY, reinterpret_cast<LPWSTR>(&text), 0);
  std::wstring name = length > 0 ? std::wstring(text, static_cast<size_t>(length)) : L"General (%1)";
  const size_t at = name.find(L"%1");
  if (at != std::wstring::npos) name.replace(at, 2, Directions()[static_cast<size_t>(direction)].name);
  return name;
}

long IdOf(int direction) {
  return Directions()[static_cast<size_t>(direction)].id;
}

}  // namespace

KernelState::KernelState(std::filesystem::path dataFolder) : store_(std::move(dataFolder)) {
  for (size_t i = 0; i < Directions().size(); ++i) currentProfiles_.emplace_back(ProfileNames().front());
  store_.Refresh();
}

bool KernelState::ValidDirection(long index) noexcept {
  return index >= 0 && static_cast<size_t>(index) < Directions().size();
}

int KernelState::CurrentDirection() const {
  std::lock_guard lock(mutex_);
  return currentDirection_;
}

void KernelState::SetCurrentDirection(int direction) {
  std::lock_guard lock(mutex_);
  currentDirection_ = direction;
}

std::wstring KernelState::CurrentProfile(int direction) const {
  std::lock_guard lock(mutex_);
  return currentProfiles_[static_cast<size_t>(direction)];
}

HRESULT KernelState::SetCurrentProfile(int direction, const std::wstring& name) {
  for (std::wstring_view profile : ProfileNames()) {
    if (profile == name) {
      std::lock_guard lock(mutex_);
      currentProfiles_[static_cast<size_t>(direction)] = name;
      return S_OK;
    }
  }
  return E_INVALIDARG;
}

std::wstring KernelState::GeneralKey(int direction) const {
  return L"general:" + std::to_wstring(direction);
}

std::vector<DictionaryInfo> KernelState::DictionariesLocked(int direction) const {
  std::vector<DictionaryInfo> list{{L"", GeneralName(direction), kVantoDictionaryKindGeneral, direction}};
  for (const StoredDictionary& d : store_.Dictionaries()) {
    if (d.document.directionId == IdOf(direction))
      list.push_back({d.key, d.document.name, kVantoDictionaryKindUser, direction});
  }
  return list;
}

std::vector<DictionaryInfo> KernelState::Dictionaries(int direction) {
  std::lock_guard lock(mutex_);
  store_.Refresh();
  return DictionariesLocked(direction);
}

HRESULT KernelState::SelectDictionary(int direction, size_t index, bool on) {
  std::lock_guard lock(mutex_);
  const std::vector<DictionaryInfo> list = DictionariesLocked(direction);
  if (index >= list.size()) return E_INVALIDARG;
  const std::wstring key = index == 0 ? GeneralKey(direction) : list[index].key;
  if (on) {
    switchedOff_.erase(key);
  } else {
    switchedOff_.insert(key);
  }
  return S_OK;
}

bool KernelState::HasDictionaryNamed(int direction, const std::wstring& name) {
  for (const DictionaryInfo& d : Dictionaries(direction))
    if (d.name == name) return true;
  return false;
}

HRESULT KernelState::CreateDictionary(int direction, const std::wstring& name, DictionaryInfo* created) {
  std::lock_guard lock(mutex_);
  store_.Refresh();
  for (const DictionaryInfo& d : DictionariesLocked(direction))
    if (d.name == name) return HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS);
  std::wstring key;
  const HRESULT hr = store_.CreateDictionary(IdOf(direction), name, &key);
  if (FAILED(hr)) return hr;
  *created = {key, name, kVantoDictionaryKindUser, direction};
  return S_OK;
}

std::optional<DictionaryInfo> KernelState::FindDictionary(const std::wstring& key) {
  std::lock_guard lock(mutex_);
  store_.Refresh();
  const StoredDictionary* d = store_.FindDictionary(key);
  if (!d) return std::nullopt;
  return DictionaryInfo{d->key, d->document.name, kVantoDictionaryKindUser,
                        DirectionIndexOf(d->document.directionId)};
}

HRESULT KernelState::AddEntry(const std::wstring& key, const std::wstring& source, const std::wstring& target,
                              int kind) {
  if (NormaliseWords(source).empty()) return E_INVALIDARG;
  std::lock_guard lock(mutex_);
  store_.Refresh();
  StoredDictionary* d = store_.FindDictionary(key);
  if (!d) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  return store_.AddEntry(*d, {NormaliseWords(source), NormaliseWords(target), kind});
}

std::vector<MemoryInfo> KernelState::Memories(int direction) {
  std::lock_guard lock(mutex_);
  store_.Refresh();
  std::vector<MemoryInfo> list;
  for (const StoredMemory& m : store_.Memories()) {
    if (m.document.directionId == IdOf(direction))
      list.push_back({m.key, m.document.name, direction, m.document.segments.size()});
  }
  return list;
}

bool KernelState::HasMemoryNamed(int direction, const std::wstring& name) {
  for (const MemoryInfo& m : Memories(direction))
    if (m.name == name) return true;
  return false;
}

HRESULT KernelState::CreateMemory(int direction, const std::wstring& name, MemoryInfo* created) {
  std::lock_guard lock(mutex_);
  store_.Refresh();
  for (const StoredMemory& m : store_.Memories()) {
    if (m.document.directionId == IdOf(direction) && m.document.name == name)
      return HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS);
  }
  std::wstring key;
  const HRESULT hr = store_.CreateMemory(IdOf(direction), name, &key);
  if (FAILED(hr)) return hr;
  *created = {key, name, direction, 0};
  return S_OK;
}

std::optional<MemoryInfo> KernelState::FindMemory(const std::wstring& key) {
  std::lock_guard lock(mutex_);
  store_.Refresh();
  const StoredMemory* m = store_.FindMemory(key);
  if (!m) return std::nullopt;
  return MemoryInfo{m->key, m->document.name, DirectionIndexOf(m->document.directionId),
                    m->document.segments.size()};
}

HRESULT KernelState::AddSegment(const std::wstring& key, const std::wstring& source,
                                const std::wstring& target) {
  if (source.empty()) return E_INVALIDARG;
  std::lock_guard lock(mutex_);
  store_.Refresh();
  StoredMemory* m = store_.FindMemory(key);
  if (!m) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  return store_.AddSegment(*m, {source, target});
}

HRESULT KernelState::Translate(int direction, const std::wstring& text, std::wstring* result) {
  if (const HRESULT refused = TranslationFailure(); FAILED(refused)) return refused;
  std::lock_guard lock(mutex_);
  store_.Refresh();
  const long id = IdOf(direction);
  for (const StoredMemory& m : store_.Memories()) {
    if (m.document.directionId != id) continue;
    if (auto hit = m.index.find(text); hit != m.index.end()) {
      *result = m.document.segments[hit->second].target;
      return S_OK;
    }
  }
  std::vector<const Lexicon*> lexicons;
  for (const StoredDictionary& d : store_.Dictionaries()) {
    if (d.document.directionId == id && !switchedOff_.count(d.key)) lexicons.push_back(&d.lexicon);
  }
  if (!switchedOff_.count(GeneralKey(direction))) lexicons.push_back(&BundledLexicon(direction));
  *result = TranslateWords(text, lexicons);
  return S_OK;
}

}  // namespace vanto
