#include "Lexicon.h"

#include <algorithm>

#include "Records.h"
#include "TextCase.h"

namespace vanto {
namespace {

bool IsBlank(wchar_t c) noexcept {
  return c == L' ' || c == L'\t' || c == 0x00A0;
}

}  // namespace

std::wstring NormaliseWords(std::wstring_view words) {
  std::wstring out;
  bool blank = false;
  for (wchar_t c : words) {
    if (IsBlank(c)) {
      blank = !out.empty();
      continue;
    }
    if (blank) out.push_back(L' ');
    blank = false;
    out.push_back(c);
  }
  return out;
}

void Lexicon::Add(std::wstring_view source, std::wstring_view target, Duplicate duplicate) {
  std::wstring natural = NormaliseWords(source);
  if (natural.empty()) return;
  std::wstring folded = Lower(natural);
  LexiconEntry entry{natural, NormaliseWords(target)};
  const size_t words = 1 + static_cast<size_t>(std::count(natural.begin(), natural.end(), L' '));

  auto found = folded_.find(folded);
  if (found != folded_.end()) {
    if (duplicate == Duplicate::kKeepFirst) {
      // A second casing of the same words still counts where the text uses exactly that casing.
      if (exact_.find(natural) == exact_.end()) {
        exact_.emplace(natural, entries_.size());
        entries_.push_back(std::move(entry));
      }
      return;
    }
    entries_[found->second] = entry;
    exact_[natural] = found->second;
    return;
  }
  exact_.emplace(std::move(natural), entries_.size());
  folded_.emplace(std::move(folded), entries_.size());
  entries_.push_back(std::move(entry));
  maxWords_ = std::max(maxWords_, words);
}

const LexiconEntry* Lexicon::Find(std::wstring_view words) const {
  const std::wstring key = NormaliseWords(words);
  if (auto exact = exact_.find(key); exact != exact_.end()) return &entries_[exact->second];
  if (auto folded = folded_.find(Lower(key)); folded != folded_.end()) return &entries_[folded->second];
  return nullptr;
}

Lexicon ParseWordList(std::string_view utf8, bool reverse) {
  Lexicon lexicon;
  for (const Record& r : ParseRecords(utf8)) {
    if (r.size() < 2 || r.size() > 3) continue;
    const std::wstring flag = r.size() == 3 ? NormaliseWords(r[2]) : std::wstring();
    if (!flag.empty() && flag != L">" && flag != L"<") continue;
    if (!reverse) {
      if (flag != L"<") lexicon.Add(r[0], r[1], Lexicon::Duplicate::kKeepFirst);
    } else if (flag != L">" && !NormaliseWords(r[1]).empty()) {
      lexicon.Add(r[1], r[0], Lexicon::Duplicate::kKeepFirst);
    }
  }
  return lexicon;
}

}  // namespace vanto
