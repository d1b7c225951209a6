#include "Translator.h"

#include <algorithm>

#include "TextCase.h"

namespace vanto {
namespace {

struct Token {
  size_t begin = 0;
  size_t end = 0;
  bool word = false;
};

bool IsWordChar(wchar_t c) noexcept {
  return IsLetter(c) || (c >= L'0' && c <= L'9');
}
// Joins two word parts: "don't", "e-mail", "l'eau".
bool IsJoiner(wchar_t c) noexcept {
  return c == L'\'' || c == 0x2019 || c == L'-';
}
bool IsTextBlank(wchar_t c) noexcept {
  return c == L' ' || c == L'\t' || c == 0x00A0;
}

std::vector<Token> Tokenize(std::wstring_view text) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < text.size()) {
    size_t j = i + 1;
    const bool word = IsWordChar(text[i]);
    if (word) {
      while (j < text.size()) {
        if (IsWordChar(text[j])) {
          ++j;
        } else if (IsJoiner(text[j]) && j + 1 < text.size() && IsWordChar(text[j + 1])) {
          j += 2;
        } else {
          break;
        }
      }
    } else {
      while (j < text.size() && !IsWordChar(text[j])) ++j;
    }
    tokens.push_back({i, j, word});
    i = j;
  }
  return tokens;
}

bool AllBlank(std::wstring_view s) {
  return std::all_of(s.begin(), s.end(), IsTextBlank);
}

// The target in the casing of the source words: UPPER stays UPPER; a Capitalised source capitalises
// the target unless the list writes the source capitalised itself (a German noun, a weekday).
std::wstring Cased(const LexiconEntry& entry, std::wstring_view source) {
  switch (ClassifyCase(source)) {
    case CasePattern::kUpper: return Upper(entry.target);
    case CasePattern::kCapitalised:
      return ClassifyCase(entry.source) == CasePattern::kLower ? Capitalise(entry.target) : entry.target;
    case CasePattern::kLower: break;
  }
  return entry.target;
}

}  // namespace

std::wstring TranslateWords(std::wstring_view text, const std::vector<const Lexicon*>& lexicons) {
  size_t maxWords = 1;
  for (const Lexicon* lexicon : lexicons) maxWords = std::max(maxWords, lexicon->MaxWords());

  const std::vector<Token> tokens = Tokenize(text);
  auto view = [&](size_t begin, size_t end) { return text.substr(begin, end - begin); };
  std::wstring out;
  bool capitaliseNext = false;  // a dropped capitalised word hands its capital on
  size_t t = 0;
  while (t < tokens.size()) {
    if (!tokens[t].word) {
      out += view(tokens[t].begin, tokens[t].end);
      ++t;
      continue;
    }
    // The run of words from here that only blanks separate: the phrase candidates.
    std::vector<size_t> run{t};
    while (run.size() < maxWords && run.back() + 2 < tokens.size() && tokens[run.back() + 2].word &&
           AllBlank(view(tokens[run.back() + 1].begin, tokens[run.back() + 1].end))) {
      run.push_back(run.back() + 2);
    }
    const LexiconEntry* entry = nullptr;
    size_t length = run.size();
    for (; length > 0 && !entry; --length) {
      const std::wstring_view words = view(tokens[t].begin, tokens[run[length - 1]].end);
      for (const Lexicon* lexicon : lexicons) {
        if ((entry = lexicon->Find(words)) != nullptr) break;
      }
      if (entry) break;
    }
    if (!entry) {
      std::wstring word(view(tokens[t].begin, tokens[t].end));
      out += capitaliseNext ? Capitalise(word) : word;
      capitaliseNext = false;
      ++t;
      continue;
    }
    const size_t last = run[length - 1];
    const std::wstring_view source = view(tokens[t].begin, tokens[last].end);
    t = last + 1;
    if (entry->target.empty()) {
      if (ClassifyCase(source) != CasePattern::kLower) capitaliseNext = true;
      // The blank after a dropped word goes with it.
      if (t < tokens.size() && AllBlank(view(tokens[t].begin, tokens[t].end))) ++t;
      continue;
    }
    std::wstring target = Cased(*entry, source);
    out += capitaliseNext ? Capitalise(target) : target;
    capitaliseNext = false;
  }
  return out;
}

}  // namespace vanto
