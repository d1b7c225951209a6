// A word and phrase list of one translation direction: the bundled list, or one user dictionary.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vanto {

struct LexiconEntry {
  std::wstring source;  // as written in the list: its casing decides how the target is cased
  std::wstring target;  // empty: the word is dropped (an article the target language does without)
};

class Lexicon {
 public:
  enum class Duplicate { kKeepFirst, kReplace };

  void Add(std::wstring_view source, std::wstring_view target, Duplicate duplicate);
  // The entry for a run of words (blanks between them count as one space): the one written with
  // exactly this casing if there is one, else the one equal ignoring case.
  [[nodiscard]] const LexiconEntry* Find(std::wstring_view words) const;
  [[nodiscard]] size_t MaxWords() const noexcept { return maxWords_; }
  [[nodiscard]] size_t Size() const noexcept { return entries_.size(); }
  [[nodiscard]] const std::vector<LexiconEntry>& Entries() const noexcept { return entries_; }

 private:
  std::vector<LexiconEntry> entries_;
  std::unordered_map<std::wstring, size_t> exact_;
  std::unordered_map<std::wstring, size_t> folded_;
  size_t maxWords_ = 0;
};

// Blank runs made one space, no blanks at either end.
[[nodiscard]] std::wstring NormaliseWords(std::wstring_view words);

// A bundled word list ("source<TAB>target[<TAB>flag]" records, flag ">" for one-way entries and
// "<" for entries only the reverse direction uses). The reverse direction is derived from the same
// list; where a word has several translations the first line wins.
[[nodiscard]] Lexicon ParseWordList(std::string_view utf8, bool reverse);

}  // namespace vanto
