#include "profile/CryptedSection.h"

#include <span>

#include "profile/Utf16.h"

std::int32_t CCryptedSectionW::Entry::AsInt(std::int32_t defaultValue) const noexcept {
  if (value.empty()) return defaultValue;
  std::uint32_t bits = 0;
  const std::size_t n = value.size() < 4 ? value.size() : 4;
  for (std::size_t i = 0; i < n; ++i) bits |= static_cast<std::uint32_t>(value[i]) << (8 * i);
  return static_cast<std::int32_t>(bits);
}

std::wstring CCryptedSectionW::Entry::AsText() const {
  return inf::DecodeUtf16LeToNul(std::span<const std::uint8_t>(value));
}

const CCryptedSectionW::Entry* CCryptedSectionW::Find(std::wstring_view key) const noexcept {
  const auto it = index_.find(key);
  return it == index_.end() ? nullptr : &entries_[it->second].second;
}

const std::wstring* CCryptedSectionW::KeyAt(std::size_t index) const noexcept {
  return index < entries_.size() ? &entries_[index].first : nullptr;
}

void CCryptedSectionW::Set(std::wstring key, Entry entry) {
  const auto [it, inserted] = index_.try_emplace(key, entries_.size());
  if (inserted) {
    try {
      entries_.emplace_back(std::move(key), std::move(entry));
    } catch (...) {
      index_.erase(it);  // never leave an index that points past the entries
      throw;
    }
  } else {
    entries_[it->second].second = std::move(entry);
  }
}

void CCryptedSectionW::Reserve(std::size_t entries) {
  entries_.reserve(entries);
  index_.reserve(entries);
}
