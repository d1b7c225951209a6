#include "DataFiles.h"

#include <cwchar>

#include "Lexicon.h"
#include "Records.h"

namespace vanto {
namespace {

// Decimal digits only, within range; anything else is not a number here.
std::optional<long> ParseNumber(const std::wstring& text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  long value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + (c - L'0');
  }
  return value;
}

// The header records both kinds share; true when the record was one of them.
template <class Document>
bool ReadHeader(const Record& r, Document& document) {
  if (r.size() != 2) return false;
  if (r[0] == L"name") {
    if (!NormaliseWords(r[1]).empty()) document.name = r[1];
    return true;
  }
  if (r[0] == L"direction") {
    if (auto id = ParseNumber(r[1])) document.directionId = *id;
    return true;
  }
  return false;
}

template <class Document>
std::string FormatHeader(const Document& document, const wchar_t* comment) {
  return FormatRecord({comment}) + FormatRecord({L"name", document.name}) +
         FormatRecord({L"direction", std::to_wstring(document.directionId)});
}

template <class Document>
bool Usable(const Document& document) {
  return !document.name.empty() && document.directionId > 0;
}

}  // namespace

std::optional<DictionaryDocument> ParseDictionary(std::string_view utf8) {
  DictionaryDocument document;
  for (const Record& r : ParseRecords(utf8)) {
    if (ReadHeader(r, document)) continue;
    if ((r.size() == 3 || r.size() == 4) && r[0] == L"entry" && !NormaliseWords(r[1]).empty()) {
      const std::optional<long> kind = r.size() == 4 ? ParseNumber(r[3]) : std::optional<long>(0);
      document.entries.push_back({r[1], r[2], static_cast<int>(kind.value_or(0))});
    }
  }
  if (!Usable(document)) return std::nullopt;
  return document;
}

std::string FormatDictionary(const DictionaryDocument& document) {
  std::string text = FormatHeader(document, L"# VANTO kernel user dictionary");
  for (const DictionaryEntry& e : document.entries)
    text += FormatRecord({L"entry", e.source, e.target, std::to_wstring(e.kind)});
  return text;
}

std::optional<MemoryDocument> ParseMemory(std::string_view utf8) {
  MemoryDocument document;
  for (const Record& r : ParseRecords(utf8)) {
    if (ReadHeader(r, document)) continue;
    if (r.size() == 3 && r[0] == L"segment" && !r[1].empty()) document.segments.push_back({r[1], r[2]});
  }
  if (!Usable(document)) return std::nullopt;
  return document;
}

std::string FormatMemory(const MemoryDocument& document) {
  std::string text = FormatHeader(document, L"# VANTO kernel translation memory");
  for (const Segment& s : document.segments) text += FormatRecord({L"segment", s.source, s.target});
  return text;
}

}  // namespace vanto
