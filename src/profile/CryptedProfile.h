#pragma once
// CXCryptedProfileW: an encrypted profile (.inf) file, loaded and parsed: sections by name, each a
// CCryptedSectionW of typed entries. Read-only once loaded.
//
// A section that appears twice in the file is replaced as a whole by the later one. A body that
// verifies but whose item stream is malformed still loads: every section and entry read whole
// before the fault is kept (LastLoad() says where it stopped).

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "profile/CryptedSection.h"
#include "profile/ProfileDecode.h"

class CXCryptedProfileW {
 public:
  // Reads and parses the file at `path`. When it cannot be opened and `createIfMissing` is set, an
  // empty file is created (only where nothing exists yet) and the profile stays empty. On failure
  // the profile is empty and false is returned.
  [[nodiscard]] bool Load(const std::filesystem::path& path, bool createIfMissing) noexcept;
  // The same for file contents already in memory; Path() becomes empty.
  [[nodiscard]] bool LoadFromBytes(std::span<const std::uint8_t> file) noexcept;

  const std::filesystem::path& Path() const noexcept { return path_; }
  // The number of distinct sections held.
  std::size_t SectionCount() const noexcept { return sections_.size(); }
  const CCryptedSectionW* FindSection(std::wstring_view name) const noexcept;

  // 0 when the section does not exist.
  std::size_t SectionEntryCount(std::wstring_view section) const noexcept;
  // The key of the index-th entry in file order; empty when out of range or no such section.
  std::wstring KeyAt(std::wstring_view section, std::size_t index) const;
  // Empty when the section or the key does not exist.
  std::wstring GetString(std::wstring_view section, std::wstring_view key) const;
  // The entry's first 32 bits; `defaultValue` when the section or key does not exist or the
  // entry has no value bytes.
  std::int32_t GetInt(std::wstring_view section, std::wstring_view key,
                      std::int32_t defaultValue) const noexcept;

  // Why the last load failed, or where a malformed stream made it stop.
  const inf::DecodeResult& LastLoad() const noexcept { return lastLoad_; }

 private:
  class Builder;  // the stream sink that fills sections_

  bool Finish(const inf::DecodeResult& result) noexcept;
  void Clear() noexcept;
  const CCryptedSectionW::Entry* FindEntry(std::wstring_view section, std::wstring_view key) const noexcept;

  std::filesystem::path path_;
  std::unordered_map<std::wstring, CCryptedSectionW, inf::WStringHash, std::equal_to<>> sections_;
  inf::DecodeResult lastLoad_;
};
