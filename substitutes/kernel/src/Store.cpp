#include "Store.h"

#include <algorithm>

#include "TextCase.h"

namespace vanto {
namespace {

constexpr wchar_t kDictionaryFolder[] = L"Dictionaries";
constexpr wchar_t kMemoryFolder[] = L"Memories";

StoredDictionary MakeStored(std::wstring key, DictionaryDocument document, FileStamp stamp) {
  StoredDictionary stored{std::move(key), std::move(document), {}, stamp};
  // Later lines win, as a later AddEntry would.
  for (const DictionaryEntry& e : stored.document.entries)
    stored.lexicon.Add(e.source, e.target, Lexicon::Duplicate::kReplace);
  return stored;
}

StoredMemory MakeStored(std::wstring key, MemoryDocument document, FileStamp stamp) {
  StoredMemory stored{std::move(key), std::move(document), {}, stamp};
  for (size_t i = 0; i < stored.document.segments.size(); ++i)
    stored.index[stored.document.segments[i].source] = i;
  return stored;
}

std::optional<DictionaryDocument> Parse(std::string_view bytes, const StoredDictionary*) {
  return ParseDictionary(bytes);
}
std::optional<MemoryDocument> Parse(std::string_view bytes, const StoredMemory*) {
  return ParseMemory(bytes);
}

// Keeps what has not changed on disk, reads what is new or changed, drops what is gone or unusable.
template <class Stored>
void RefreshKind(const std::filesystem::path& folder, const wchar_t* pattern, std::vector<Stored>& items) {
  std::vector<Stored> fresh;
  for (FolderEntry& file : ListFiles(folder, pattern)) {
    std::wstring key = file.path.wstring();
    auto known = std::find_if(items.begin(), items.end(), [&](const Stored& s) { return s.key == key; });
    if (known != items.end() && known->stamp == file.stamp) {
      fresh.push_back(std::move(*known));
      continue;
    }
    const std::optional<std::string> bytes = ReadWholeFile(file.path);
    if (!bytes) continue;
    auto document = Parse(*bytes, static_cast<const Stored*>(nullptr));
    if (document) fresh.push_back(MakeStored(std::move(key), std::move(*document), file.stamp));
  }
  items = std::move(fresh);
}

// A new file of the kind: the first free "<prefix>-NNNN<extension>", claimed without replacing
// one that another process creates at the same moment.
template <class Document>
HRESULT CreateFileFor(const std::filesystem::path& folder, const wchar_t* prefix, const wchar_t* extension,
                      const Document& document, std::string (*format)(const Document&), std::wstring* key) {
  const std::string bytes = format(document);
  for (int n = 1; n < 100000; ++n) {
    wchar_t name[32] = {};
    swprintf(name, std::size(name), L"%ls-%04d%ls", prefix, n, extension);
    const std::filesystem::path file = folder / name;
    if (StampOf(file)) continue;
    const HRESULT hr = WriteFileAtomically(file, bytes, false);
    if (hr == HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS)) continue;
    if (SUCCEEDED(hr)) *key = file.wstring();
    return hr;
  }
  return HRESULT_FROM_WIN32(ERROR_CANNOT_MAKE);
}

std::wstring Folded(const std::wstring& words) {
  return Lower(NormaliseWords(words));
}

}  // namespace

Store::Store(std::filesystem::path folder) : folder_(std::move(folder)) {}

void Store::Refresh() {
  if (folder_.empty()) return;
  RefreshKind(folder_ / kDictionaryFolder, L"*.vdic", dictionaries_);
  RefreshKind(folder_ / kMemoryFolder, L"*.vtm", memories_);
}

StoredDictionary* Store::FindDictionary(const std::wstring& key) noexcept {
  for (StoredDictionary& d : dictionaries_)
    if (d.key == key) return &d;
  return nullptr;
}

StoredMemory* Store::FindMemory(const std::wstring& key) noexcept {
  for (StoredMemory& m : memories_)
    if (m.key == key) return &m;
  return nullptr;
}

HRESULT Store::CreateDictionary(long directionId, const std::wstring& name, std::wstring* key) {
  if (folder_.empty()) return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
  DictionaryDocument document{name, directionId, {}};
  const HRESULT hr =
      CreateFileFor(folder_ / kDictionaryFolder, L"dict", L".vdic", document, &FormatDictionary, key);
  if (SUCCEEDED(hr)) Refresh();
  return hr;
}

HRESULT Store::CreateMemory(long directionId, const std::wstring& name, std::wstring* key) {
  if (folder_.empty()) return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
  MemoryDocument document{name, directionId, {}};
  const HRESULT hr = CreateFileFor(folder_ / kMemoryFolder, L"tm", L".vtm", document, &FormatMemory, key);
  if (SUCCEEDED(hr)) Refresh();
  return hr;
}

HRESULT Store::AddEntry(StoredDictionary& dictionary, DictionaryEntry entry) {
  DictionaryDocument document = dictionary.document;
  const std::wstring folded = Folded(entry.source);
  auto same = std::find_if(document.entries.begin(), document.entries.end(),
                           [&](const DictionaryEntry& e) { return Folded(e.source) == folded; });
  if (same != document.entries.end()) {
    *same = entry;
  } else {
    document.entries.push_back(entry);
  }
  const HRESULT hr = WriteFileAtomically(dictionary.key, FormatDictionary(document), true);
  if (FAILED(hr)) return hr;
  // Our own write need not be read back.
  dictionary.document = std::move(document);
  dictionary.lexicon.Add(entry.source, entry.target, Lexicon::Duplicate::kReplace);
  if (auto stamp = StampOf(dictionary.key)) dictionary.stamp = *stamp;
  return S_OK;
}

HRESULT Store::AddSegment(StoredMemory& memory, Segment segment) {
  MemoryDocument document = memory.document;
  auto same = memory.index.find(segment.source);
  if (same != memory.index.end()) {
    document.segments[same->second] = segment;
  } else {
    document.segments.push_back(segment);
  }
  const HRESULT hr = WriteFileAtomically(memory.key, FormatMemory(document), true);
  if (FAILED(hr)) return hr;
  memory.index[segment.source] = same != memory.index.end() ? same->second : document.segments.size() - 1;
  memory.document = std::move(document);
  if (auto stamp = StampOf(memory.key)) memory.stamp = *stamp;
  return S_OK;
}

}  // namespace vanto
