#include "Json.h"

#include <cstdint>

namespace json {
namespace {

// Deeper nesting is certainly a mistake here, and the limit keeps recursion bounded.
constexpr int kMaxDepth = 64;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendUnits(std::wstring& out, std::uint32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<wchar_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
  }
}

class Reader {
 public:
  explicit Reader(std::string_view doc) : doc_(doc) {}

  Value Document() {
    if (doc_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
    SkipSpace();
    Value root = ParseValue(0);
    SkipSpace();
    if (pos_ < doc_.size()) Fail(pos_, "unexpected " + Describe(pos_) + " after the top-level value");
    return root;
  }

 private:
  [[noreturn]] void Fail(std::size_t at, const std::string& message) const { throw Error(at, message); }

  std::string Describe(std::size_t at) const {
    if (at >= doc_.size()) return "end of input";
    const auto c = static_cast<unsigned char>(doc_[at]);
    if (c >= 0x21 && c < 0x7F) return std::string("character '") + static_cast<char>(c) + "'";
    const char* hex = "0123456789abcdef";
    return std::string("byte 0x") + hex[c >> 4] + hex[c & 15];
  }

  void SkipSpace() {
    while (pos_ < doc_.size() &&
           (doc_[pos_] == ' ' || doc_[pos_] == '\t' || doc_[pos_] == '\n' || doc_[pos_] == '\r'))
      ++pos_;
  }

  void Expect(char c, const char* what) {
    SkipSpace();
    if (pos_ >= doc_.size() || doc_[pos_] != c)
      Fail(pos_, std::string("expected ") + what + ", found " + Describe(pos_));
    ++pos_;
  }

  Value ParseValue(int depth) {
    SkipSpace();
    Value v;
    v.offset = pos_;
    if (pos_ >= doc_.size()) Fail(pos_, "expected a value, found end of input");
    const char c = doc_[pos_];
    if (c == '{' || c == '[') {
      if (depth >= kMaxDepth) Fail(pos_, "nesting deeper than 64 levels");
      if (c == '{')
        ParseObject(v, depth + 1);
      else
        ParseArray(v, depth + 1);
    } else if (c == '"') {
      v.kind = Kind::String;
      v.text = ParseString();
    } else if (c == '-' || IsDigit(c)) {
      v.kind = Kind::Number;
      v.number = ParseNumber();
    } else if (Literal("true")) {
      v.kind = Kind::Bool;
      v.boolean = true;
    } else if (Literal("false")) {
      v.kind = Kind::Bool;
    } else if (!Literal("null")) {
      Fail(pos_, "expected a value, found " + Describe(pos_));
    }
    return v;
  }

  bool Literal(std::string_view word) {
    if (doc_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }

  void ParseObject(Value& v, int depth) {
    v.kind = Kind::Object;
    ++pos_;
    SkipSpace();
    if (pos_ < doc_.size() && doc_[pos_] == '}') {
      ++pos_;
      return;
    }
    for (;;) {
      SkipSpace();
      Member& m = v.members.emplace_back();
      m.offset = pos_;
      if (pos_ >= doc_.size() || doc_[pos_] != '"')
        Fail(pos_, "expected a member name in double quotes, found " + Describe(pos_));
      m.name = ParseString();
      Expect(':', "':' after the member name");
      m.value = ParseValue(depth);
      SkipSpace();
      if (pos_ < doc_.size() && doc_[pos_] == ',') {
        ++pos_;
        continue;
      }
      Expect('}', "',' or '}' after an object member");
      return;
    }
  }

  void ParseArray(Value& v, int depth) {
    v.kind = Kind::Array;
    ++pos_;
    SkipSpace();
    if (pos_ < doc_.size() && doc_[pos_] == ']') {
      ++pos_;
      return;
    }
    for (;;) {
      v.items.push_back(ParseValue(depth));
      SkipSpace();
      if (pos_ < doc_.size() && doc_[pos_] == ',') {
        ++pos_;
        continue;
      }
      Expect(']', "',' or ']' after an array element");
      return;
    }
  }

  std::string ParseNumber() {
    const std::size_t start = pos_;
    auto digits = [&] {
      const std::size_t from = pos_;
      while (pos_ < doc_.size() && IsDigit(doc_[pos_])) ++pos_;
      if (pos_ == from) Fail(pos_, "invalid number: expected a digit, found " + Describe(pos_));
    };
    if (doc_[pos_] == '-') ++pos_;
    if (pos_ < doc_.size() && doc_[pos_] == '0') {
      ++pos_;
      if (pos_ < doc_.size() && IsDigit(doc_[pos_])) Fail(start, "invalid number: leading zero");
    } else {
      digits();
    }
    if (pos_ < doc_.size() && doc_[pos_] == '.') {
      ++pos_;
      digits();
    }
    if (pos_ < doc_.size() && (doc_[pos_] == 'e' || doc_[pos_] == 'E')) {
      ++pos_;
      if (pos_ < doc_.size() && (doc_[pos_] == '+' || doc_[pos_] == '-')) ++pos_;
      digits();
    }
    return std::string(doc_.substr(start, pos_ - start));
  }

  std::wstring ParseString() {
    const std::size_t start = pos_;
    ++pos_;
    std::wstring out;
    for (;;) {
      if (pos_ >= doc_.size()) Fail(start, "unterminated string");
      const auto c = static_cast<unsigned char>(doc_[pos_]);
      if (c == '"') {
        ++pos_;
        return out;
      }
      if (c < 0x20) Fail(pos_, "control character in a string (write it as an escape)");
      if (c == '\\') {
        ParseEscape(out);
      } else if (c < 0x80) {
        out.push_back(static_cast<wchar_t>(c));
        ++pos_;
      } else {
        AppendUnits(out, DecodeUtf8());
      }
    }
  }

  void ParseEscape(std::wstring& out) {
    const std::size_t at = pos_;
    ++pos_;
    if (pos_ >= doc_.size()) Fail(at, "unterminated string");
    const char c = doc_[pos_++];
    switch (c) {
      case '"': out.push_back(L'"'); return;
      case '\\': out.push_back(L'\\'); return;
      case '/': out.push_back(L'/'); return;
      case 'b': out.push_back(L'\b'); return;
      case 'f': out.push_back(L'\f'); return;
      case 'n': out.push_back(L'\n'); return;
      case 'r': out.push_back(L'\r'); return;
      case 't': out.push_back(L'\t'); return;
      case 'u': {
        unsigned unit = 0;
        for (int i = 0; i < 4; ++i) {
          const int h = pos_ < doc_.size() ? HexValue(doc_[pos_]) : -1;
          if (h < 0) Fail(at, "invalid \\u escape: expected 4 hex digits");
          unit = unit * 16 + static_cast<unsigned>(h);
          ++pos_;
        }
        out.push_back(static_cast<wchar_t>(unit));
        return;
      }
      default: Fail(at, "invalid escape \\" + std::string(1, c));
    }
  }

  // One UTF-8 sequence (strict: no overlong forms, no surrogates, nothing above U+10FFFF).
  std::uint32_t DecodeUtf8() {
    const std::size_t at = pos_;
    const auto lead = static_cast<unsigned char>(doc_[pos_]);
    int extra = 0;
    std::uint32_t cp = 0;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1;
      cp = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2;
      cp = lead & 0x0Fu;
      if (lead == 0xE0) lo = 0xA0;
      if (lead == 0xED) hi = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3;
      cp = lead & 0x07u;
      if (lead == 0xF0) lo = 0x90;
      if (lead == 0xF4) hi = 0x8F;
    } else {
      Fail(at, "invalid UTF-8");
    }
    ++pos_;
    for (int i = 0; i < extra; ++i, ++pos_) {
      const auto c = pos_ < doc_.size() ? static_cast<unsigned char>(doc_[pos_]) : 0u;
      if (c < lo || c > hi) Fail(at, "invalid UTF-8");
      lo = 0x80;
      hi = 0xBF;
      cp = (cp << 6) | (c & 0x3Fu);
    }
    return cp;
  }

  std::string_view doc_;
  std::size_t pos_ = 0;
};

}  // namespace

Position Locate(std::string_view document, std::size_t offset) noexcept {
  Position p;
  if (offset > document.size()) offset = document.size();
  const std::size_t start = document.starts_with("\xEF\xBB\xBF") && offset >= 3 ? 3 : 0;
  for (std::size_t i = start; i < offset; ++i) {
    const auto c = static_cast<unsigned char>(document[i]);
    if (c == '\n') {
      ++p.line;
      p.column = 1;
    } else if ((c & 0xC0) != 0x80) {
      ++p.column;  // UTF-8 continuation bytes belong to the character before
    }
  }
  return p;
}

Value Parse(std::string_view document) {
  return Reader(document).Document();
}

}  // namespace json
