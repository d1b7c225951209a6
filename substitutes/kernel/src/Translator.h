// Word-list translation of one text: at every word the longest phrase any lexicon knows wins,
// lexicons earlier in the list before later ones at the same length; unknown words, punctuation
// and blanks stay as they are, and each translation takes the casing of the words it replaces.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Lexicon.h"

namespace vanto {

[[nodiscard]] std::wstring TranslateWords(std::wstring_view text,
                                          const std::vector<const Lexicon*>& lexicons);

}  // namespace vanto
