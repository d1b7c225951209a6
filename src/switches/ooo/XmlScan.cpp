#include "switches/ooo/XmlScan.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace ooo::xml {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(char c) noexcept {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsNameStart(char c) noexcept {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 0x80;
}
bool IsNameChar(char c) noexcept {
  return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}
// XML allows no control character but tab, line feed and carriage return.
bool HasControlBytes(std::string_view text) noexcept {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 && c != '\t' && c != '\n' && c != '\r';
  });
}

// One name, an attribute's name and value: what a start tag holds after the element's name.
struct Attribute {
  std::string_view name, value;
};

// Reads a document left to right. Every member function that reads markup leaves `at_` after it
// and returns false when the text is not well-formed there.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  std::optional<std::vector<Element>> Run() {
    if (HasControlBytes(text_)) return std::nullopt;
    if (text_.substr(0, kBom.size()) == kBom) at_ = kBom.size();
    // The declaration comes first if at all; a processing instruction named "xml" anywhere else is
    // an error, which Instruction tells by the position.
    bool doctype = false;
    bool root = false;
    while (at_ < text_.size()) {
      if (!open_.empty()) {
        if (!Content()) return std::nullopt;
        continue;
      }
      if (IsBlank(text_[at_])) {
        ++at_;
        continue;
      }
      bool ok = false;
      if (Starts("<!--")) {
        ok = Comment();
      } else if (Starts("<?")) {
        ok = Instruction();
      } else if (Starts("<!DOCTYPE")) {
        ok = !doctype && !root && Doctype();
        doctype = true;
      } else if (Starts("<") && !root) {
        ok = StartTag();
        root = true;
      }
      if (!ok) return std::nullopt;
    }
    if (!root || !open_.empty()) return std::nullopt;
    return std::move(elements_);
  }

 private:
  bool Starts(std::string_view s) const noexcept { return text_.substr(at_, s.size()) == s; }

  bool Name(std::string_view& name) {
    const std::size_t from = at_;
    if (at_ >= text_.size() || !IsNameStart(text_[at_])) return false;
    while (at_ < text_.size() && IsNameChar(text_[at_])) ++at_;
    name = text_.substr(from, at_ - from);
    return true;
  }

  bool SkipBlanks() noexcept {
    const std::size_t from = at_;
    while (at_ < text_.size() && IsBlank(text_[at_])) ++at_;
    return at_ != from;
  }

  // "&name;", "&#digits;" or "&#xhex;" at `at`: its length, 0 when it is no reference.
  static std::size_t Reference(std::string_view s, std::size_t at) noexcept {
    std::size_t p = at + 1;
    auto digits = [&](bool hex) {
      const std::size_t from = p;
      while (p < s.size() && (std::isdigit(static_cast<unsigned char>(s[p])) ||
                              (hex && std::isxdigit(static_cast<unsigned char>(s[p])))))
        ++p;
      return p != from;
    };
    bool ok = false;
    if (p < s.size() && s[p] == '#') {
      ++p;
      const bool hex = p < s.size() && s[p] == 'x';
      if (hex) ++p;
      ok = digits(hex);
    } else if (p < s.size() && IsNameStart(s[p])) {
      while (p < s.size() && IsNameChar(s[p])) ++p;
      ok = true;
    }
    return ok && p < s.size() && s[p] == ';' ? p + 1 - at : 0;
  }

  // Character data: no "<" (the caller stops there), "&" only as a reference, no "]]>".
  static bool IsText(std::string_view s) noexcept {
    if (s.find("]]>") != std::string_view::npos) return false;
    for (std::size_t p = s.find('&'); p != std::string_view::npos; p = s.find('&', p + 1))
      if (Reference(s, p) == 0) return false;
    return true;
  }

  bool Until(std::string_view end) {
    const std::size_t found = text_.find(end, at_);
    if (found == std::string_view::npos) return false;
    at_ = found + end.size();
    return true;
  }

  bool Comment() {
    const std::size_t found = text_.find("--", at_ + 4);
    if (found == std::string_view::npos || text_.substr(found, 3) != "-->") return false;
    at_ = found + 3;
    return true;
  }

  bool Instruction() {
    const std::size_t from = at_;
    at_ += 2;
    std::string_view target;
    if (!Name(target)) return false;
    std::string lower(target);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return c | 0x20; });
    if (lower == "xml" && from != (text_.substr(0, kBom.size()) == kBom ? kBom.size() : 0)) return false;
    if (!Starts("?>") && !SkipBlanks()) return false;
    return Until("?>");
  }

  // <!DOCTYPE name ...>, quoted literals skipped; an internal subset ("[") is refused.
  bool Doctype() {
    at_ += 9;
    std::string_view name;
    if (!SkipBlanks() || !Name(name)) return false;
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '>') {
        ++at_;
        return true;
      }
      if (c == '"' || c == '\'') {
        const std::size_t close = text_.find(c, at_ + 1);
        if (close == std::string_view::npos) return false;
        at_ = close + 1;
      } else if (c == '[' || c == '<') {
        return false;
      } else {
        ++at_;
      }
    }
    return false;
  }

  bool StartTag() {
    Element e;
    e.begin = at_++;
    if (!Name(e.name)) return false;
    std::vector<std::string_view> names;
    while (true) {
      const bool blank = SkipBlanks();
      if (Starts(">") || Starts("/>")) break;
      std::string_view name;
      if (!blank || !Name(name)) return false;
      if (std::find(names.begin(), names.end(), name) != names.end()) return false;
      names.push_back(name);
      SkipBlanks();
      if (!Starts("=")) return false;
      ++at_;
      SkipBlanks();
      if (at_ >= text_.size() || (text_[at_] != '"' && text_[at_] != '\'')) return false;
      const std::size_t close = text_.find(text_[at_], at_ + 1);
      if (close == std::string_view::npos) return false;
      const std::string_view value = text_.substr(at_ + 1, close - at_ - 1);
      if (value.find('<') != std::string_view::npos || !IsText(value)) return false;
      at_ = close + 1;
    }
    e.empty = Starts("/>");
    at_ += e.empty ? 2 : 1;
    e.tag = text_.substr(e.begin, at_ - e.begin);
    e.contentBegin = e.contentEnd = e.end = at_;
    e.parent = open_.empty() ? -1 : static_cast<std::ptrdiff_t>(open_.back());
    elements_.push_back(e);
    if (!e.empty) open_.push_back(elements_.size() - 1);
    return true;
  }

  bool EndTag() {
    Element& e = elements_[open_.back()];
    e.contentEnd = at_;
    at_ += 2;
    std::string_view name;
    if (!Name(name) || name != e.name) return false;
    SkipBlanks();
    if (!Starts(">")) return false;
    e.end = ++at_;
    open_.pop_back();
    return true;
  }

  // What may stand inside an element, one piece of it.
  bool Content() {
    if (text_[at_] != '<') {
      const std::size_t next = std::min(text_.find('<', at_), text_.size());
      const std::string_view text = text_.substr(at_, next - at_);
      at_ = next;
      return IsText(text);
    }
    if (Starts("<!--")) return Comment();
    if (Starts("<![CDATA[")) return Until("]]>");
    if (Starts("<?")) return Instruction();
    if (Starts("</")) return EndTag();
    if (Starts("<!")) return false;
    return StartTag();
  }

  std::string_view text_;
  std::size_t at_ = 0;
  std::vector<Element> elements_;
  std::vector<std::size_t> open_;  // the elements whose end tag has not come yet
};

// The attributes of a start tag that Scan read, so well-formed.
std::vector<Attribute> Attributes(std::string_view tag) {
  std::vector<Attribute> out;
  std::size_t p = tag.find_first_of(" \t\r\n/>");
  while (p < tag.size()) {
    while (p < tag.size() && IsBlank(tag[p])) ++p;
    if (p >= tag.size() || tag[p] == '/' || tag[p] == '>') break;
    const std::size_t eq = tag.find('=', p);
    std::size_t nameEnd = eq;
    while (nameEnd > p && IsBlank(tag[nameEnd - 1])) --nameEnd;
    const std::size_t open = tag.find_first_of("\"'", eq);
    const std::size_t close = tag.find(tag[open], open + 1);
    out.push_back({tag.substr(p, nameEnd - p), tag.substr(open + 1, close - open - 1)});
    p = close + 1;
  }
  return out;
}

}  // namespace

std::optional<std::vector<Element>> Scan(std::string_view text) {
  return Scanner(text).Run();
}

std::optional<std::string_view> AttributeValue(std::string_view tag, std::string_view name) {
  for (const Attribute& a : Attributes(tag))
    if (a.name == name) return a.value;
  return std::nullopt;
}

std::vector<std::string_view> AttributeValues(std::string_view tag) {
  std::vector<std::string_view> values;
  for (const Attribute& a : Attributes(tag)) values.push_back(a.value);
  return values;
}

}  // namespace ooo::xml
