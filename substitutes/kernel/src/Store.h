// The user's dictionaries and translation memories in the data folder (Dictionaries\*.vdic,
// Memories\*.vtm), kept in memory and re-read when a file changes on disk, so that what another
// program of the suite writes is seen at the next call. Not thread-safe: KernelState locks.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "DataFiles.h"
#include "FileIo.h"
#include "Lexicon.h"

namespace vanto {

struct StoredDictionary {
  std::wstring key;  // the file's full path
  DictionaryDocument document;
  Lexicon lexicon;
  FileStamp stamp;
};

struct StoredMemory {
  std::wstring key;  // the file's full path: the identifier handed to the TM manager
  MemoryDocument document;
  std::unordered_map<std::wstring, size_t> index;  // source -> segment
  FileStamp stamp;
};

class Store {
 public:
  explicit Store(std::filesystem::path folder);

  void Refresh();
  [[nodiscard]] const std::filesystem::path& Folder() const noexcept { return folder_; }
  [[nodiscard]] const std::vector<StoredDictionary>& Dictionaries() const noexcept { return dictionaries_; }
  [[nodiscard]] const std::vector<StoredMemory>& Memories() const noexcept { return memories_; }
  [[nodiscard]] StoredDictionary* FindDictionary(const std::wstring& key) noexcept;
  [[nodiscard]] StoredMemory* FindMemory(const std::wstring& key) noexcept;

  [[nodiscard]] HRESULT CreateDictionary(long directionId, const std::wstring& name, std::wstring* key);
  [[nodiscard]] HRESULT CreateMemory(long directionId, const std::wstring& name, std::wstring* key);
  // Adds, or replaces the entry (segment) with the same source, and saves the file.
  [[nodiscard]] HRESULT AddEntry(StoredDictionary& dictionary, DictionaryEntry entry);
  [[nodiscard]] HRESULT AddSegment(StoredMemory& memory, Segment segment);

 private:
  std::filesystem::path folder_;
  std::vector<StoredDictionary> dictionaries_;
  std::vector<StoredMemory> memories_;
};

}  // namespace vanto
