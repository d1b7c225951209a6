#include "ProfileJson.h"

#include <cstdint>

namespace {

using inf::DocumentEntry;

constexpr std::int64_t kMin32 = -2147483648LL;
constexpr std::int64_t kMaxSigned32 = 2147483647LL;
constexpr std::int64_t kMaxUnsigned32 = 4294967295LL;

std::string Narrow(const std::wstring& units);

// ---- JSON to document ----

std::int64_t Integer(const json::Value& v, std::int64_t lo, std::int64_t hi, const char* what) {
  if (v.kind != json::Kind::Number) throw json::Error(v.offset, std::string(what) + " must be a number");
  const std::string& s = v.number;
  if (s.find_first_of(".eE") != std::string::npos)
    throw json::Error(v.offset, std::string(what) + " must be an integer, not " + s);
  const bool negative = s[0] == '-';
  const std::string digits = negative ? s.substr(1) : s;
  std::int64_t magnitude = 0;
  bool inRange = digits.size() <= 12;  // anything longer is far outside every range used here
  for (std::size_t i = 0; inRange && i < digits.size(); ++i) magnitude = magnitude * 10 + (digits[i] - '0');
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (!inRange || value < lo || value > hi)
    throw json::Error(v.offset, std::string(what) + " " + s + " is out of range (" + std::to_string(lo) +
                                    " to " + std::to_string(hi) + ")");
  return value;
}

std::vector<std::uint8_t> HexBytes(const json::Value& v) {
  if (v.kind != json::Kind::String) throw json::Error(v.offset, "a 'G' value must be a string of hex digits");
  if (v.text.size() % 2 != 0) throw json::Error(v.offset, "bad hex in a 'G' value: odd number of digits");
  auto digit = [&](wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    throw json::Error(v.offset, "bad hex in a 'G' value: \"" + Narrow(v.text) +
                                    "\" has a character other than 0-9, a-f, A-F");
  };
  std::vector<std::uint8_t> bytes(v.text.size() / 2);
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<std::uint8_t>(digit(v.text[2 * i]) * 16 + digit(v.text[2 * i + 1]));
  return bytes;
}

DocumentEntry Entry(const json::Member& m) {
  DocumentEntry e;
  e.key = m.name;
  const json::Value& v = m.value;
  switch (v.kind) {
    case json::Kind::String:
      e.type = inf::kTypeText;
      e.text = v.text;
      return e;
    case json::Kind::Number:
      e.type = inf::kTypeInt;
      e.number = static_cast<std::uint32_t>(Integer(v, kMin32, kMaxUnsigned32, "an 'H' number"));
      return e;
    case json::Kind::Object:
      if (v.members.size() == 1) break;
      [[fallthrough]];
    default:
      throw json::Error(v.offset, "entry \"" + Narrow(m.name) +
                                      "\": expected a string, a number, {\"B\": n}, "
                                      "{\"G\": \"hex\"} or {\"?\": code}");
  }
  const json::Member& inner = v.members.front();
  if (inner.name == L"B") {
    e.type = inf::kTypeDword;
    e.number = static_cast<std::uint32_t>(Integer(inner.value, kMin32, kMaxUnsigned32, "a 'B' value"));
  } else if (inner.name == L"G") {
    e.type = inf::kTypeBlock;
    e.block = HexBytes(inner.value);
  } else if (inner.name == L"?") {
    e.type = static_cast<std::int32_t>(Integer(inner.value, kMin32, kMaxSigned32, "a type code"));
    if (e.type == inf::kTypeText || e.type == inf::kTypeInt || e.type == inf::kTypeDword ||
        e.type == inf::kTypeBlock)
      throw json::Error(inner.value.offset,
                        "type code " + std::to_string(e.type) +
                            " carries a value; write it as a string, a number, {\"B\": n} or "
                            "{\"G\": \"hex\"}");
  } else {
    throw json::Error(inner.offset,
                      "unknown value kind \"" + Narrow(inner.name) + "\" (expected \"B\", \"G\" or \"?\")");
  }
  return e;
}

// ---- document to JSON ----

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

void AppendEscape(std::string& out, std::uint32_t unit) {
  const char* hex = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out.push_back(hex[(unit >> shift) & 15]);
}

void AppendQuoted(std::string& out, const std::wstring& units) {
  out.push_back('"');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto u = static_cast<std::uint32_t>(units[i]) & 0xFFFF;
    switch (u) {
      case '"': out += "\\\""; continue;
      case '\\': out += "\\\\"; continue;
      case '\b': out += "\\b"; continue;
      case '\f': out += "\\f"; continue;
      case '\n': out += "\\n"; continue;
      case '\r': out += "\\r"; continue;
      case '\t': out += "\\t"; continue;
      default: break;
    }
    if (u < 0x20) {
      AppendEscape(out, u);
    } else if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() &&
               (static_cast<std::uint32_t>(units[i + 1]) & 0xFC00) == 0xDC00) {
      const auto low = static_cast<std::uint32_t>(units[++i]) & 0x3FF;
      AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + low);
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      AppendEscape(out, u);  // a lone surrogate has no UTF-8 form
    } else {
      AppendUtf8(out, u);
    }
  }
  out.push_back('"');
}

std::string Narrow(const std::wstring& units) {
  std::string quoted;
  AppendQuoted(quoted, units);
  return quoted.substr(1, quoted.size() - 2);
}

void AppendValue(std::string& out, const DocumentEntry& e) {
  switch (e.type) {
    case inf::kTypeText: AppendQuoted(out, e.text); return;
    case inf::kTypeInt: out += std::to_string(static_cast<std::int32_t>(e.number)); return;
    case inf::kTypeDword: out += "{\"B\": " + std::to_string(e.number) + "}"; return;
    case inf::kTypeBlock: {
      const char* hex = "0123456789abcdef";
      out += "{\"G\": \"";
      for (std::uint8_t b : e.block) {
        out.push_back(hex[b >> 4]);
        out.push_back(hex[b & 15]);
      }
      out += "\"}";
      return;
    }
    default: out += "{\"?\": " + std::to_string(e.type) + "}"; return;
  }
}

}  // namespace

inf::ProfileDocument DocumentFromJson(const json::Value& root) {
  if (root.kind != json::Kind::Object)
    throw json::Error(root.offset, "the top level must be an object of sections");
  inf::ProfileDocument document;
  document.sections.reserve(root.members.size());
  for (const json::Member& s : root.members) {
    if (s.value.kind != json::Kind::Object)
      throw json::Error(s.value.offset, "section \"" + Narrow(s.name) + "\" must be an object of entries");
    inf::DocumentSection& section = document.sections.emplace_back();
    section.name = s.name;
    section.entries.reserve(s.value.members.size());
    for (const json::Member& m : s.value.members) section.entries.push_back(Entry(m));
  }
  return document;
}

std::string DocumentToJson(const inf::ProfileDocument& document) {
  if (document.sections.empty()) return "{}\n";
  std::string out = "{\n";
  for (std::size_t s = 0; s < document.sections.size(); ++s) {
    const inf::DocumentSection& section = document.sections[s];
    out += "  ";
    AppendQuoted(out, section.name);
    out += ": {";
    for (std::size_t e = 0; e < section.entries.size(); ++e) {
      out += e == 0 ? "\n    " : ",\n    ";
      AppendQuoted(out, section.entries[e].key);
      out += ": ";
      AppendValue(out, section.entries[e]);
    }
    out += section.entries.empty() ? "}" : "\n  }";
    out += s + 1 < document.sections.size() ? ",\n" : "\n";
  }
  out += "}\n";
  return out;
}
