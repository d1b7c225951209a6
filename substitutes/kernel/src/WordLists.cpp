#include "WordLists.h"

#include <windows.h>

#include <mutex>
#include <string_view>

#include "DirectionTable.h"
#include "Module.h"

namespace vanto {
namespace {

constexpr size_t kSlots = 16;

std::string_view ResourceBytes(int id) noexcept {
  HMODULE module = ThisModule();
  HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
  if (!resource) return {};
  HGLOBAL loaded = ::LoadResource(module, resource);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) return {};
  return {static_cast<const char*>(data), ::SizeofResource(module, resource)};
}

struct Slot {
  std::once_flag once;
  Lexicon lexicon;
};

}  // namespace

const Lexicon& BundledLexicon(int index) {
  static Slot slots[kSlots];
  static const Lexicon empty;
  const auto directions = Directions();
  if (index < 0 || static_cast<size_t>(index) >= directions.size() || static_cast<size_t>(index) >= kSlots)
    return empty;
  Slot& slot = slots[index];
  std::call_once(slot.once, [&] {
    const DirectionInfo& d = directions[static_cast<size_t>(index)];
    slot.lexicon = ParseWordList(ResourceBytes(d.wordList), d.reversed);
  });
  return slot.lexicon;
}

}  // namespace vanto
