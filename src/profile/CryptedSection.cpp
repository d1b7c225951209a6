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

std::size_t CCryptedSectionW::Probe(std::wstring_view key) const noexcept {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = inf::WStringHash{}(key)&mask;
  while (slots_[slot] != 0 && entries_[slots_[slot] - 1].first != key) slot = (slot + 1) & mask;
  return slot;
}

void CCryptedSectionW::Rehash(std::size_t slotCount) {
  std::vector<std::uint32_t> slots(slotCount, 0);
  slots_.swap(slots);
  for (std::size_t i = 0; i < entries_.size(); ++i)
    slots_[Probe(entries_[i].first)] = static_cast<std::uint32_t>(i + 1);
}

const CCryptedSectionW::Entry* CCryptedSectionW::Find(std::wstring_view key) const noexcept {
  if (slots_.empty()) return nullptr;
  const std::uint32_t at = slots_[Probe(key)];
  return at == 0 ? nullptr : &entries_[at - 1].second;
}

const std::wstring* CCryptedSectionW::KeyAt(std::size_t index) const noexcept {
  return index < entries_.size() ? &entries_[index].first : nullptr;
}

void CCryptedSectionW::Set(std::wstring key, Entry entry) {
  GrowIndex(entries_.size() + 1);
  const std::size_t slot = Probe(key);
  if (slots_[slot] != 0) {
    entries_[slots_[slot] - 1].second = std::move(entry);
    return;
  }
  entries_.emplace_back(std::move(key), std::move(entry));
  slots_[slot] = static_cast<std::uint32_t>(entries_.size());
}

void CCryptedSectionW::GrowIndex(std::size_t entries) {
  std::size_t slotCount = slots_.empty() ? 8 : slots_.size();
  while (entries * 4 > slotCount * 3) slotCount *= 2;
  if (slotCount != slots_.size()) Rehash(slotCount);
}

void CCryptedSectionW::Reserve(std::size_t entries) {
  GrowIndex(entries);
  entries_.reserve(entries);
}
