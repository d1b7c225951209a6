#include "TextCase.h"

namespace vanto {
namespace {

// Latin Extended-A pairs upper/lower as even/odd, except between U+0138 and U+0149 (odd/even)
// and at U+0178..U+017E.
bool PairedOddUpper(wchar_t c) noexcept {
  return (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
}

}  // namespace

bool IsLetter(wchar_t c) noexcept {
  if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z')) return true;
  if (c >= 0x00C0 && c <= 0x024F) return c != 0x00D7 && c != 0x00F7;
  if (c >= 0x0386 && c <= 0x03FF) return true;  // Greek, for names
  if (c >= 0x0400 && c <= 0x04FF) return true;
  return c == 0x00AA || c == 0x00B5 || c == 0x00BA;
}

bool IsUpper(wchar_t c) noexcept {
  return IsLetter(c) && ToLower(c) != c;
}

wchar_t ToLower(wchar_t c) noexcept {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
  if (c < 0x00C0) return c;
  if (c <= 0x00DE) return c == 0x00D7 ? c : static_cast<wchar_t>(c + 32);
  if (c >= 0x0100 && c <= 0x017F) {
    if (c == 0x0130) return L'i';
    if (c == 0x0178) return 0x00FF;
    if (PairedOddUpper(c)) return (c % 2 == 1) ? static_cast<wchar_t>(c + 1) : c;
    if (c >= 0x0138 && c <= 0x0149) return c;
    if (c == 0x017F) return c;
    return (c % 2 == 0) ? static_cast<wchar_t>(c + 1) : c;
  }
  if (c >= 0x0410 && c <= 0x042F) return static_cast<wchar_t>(c + 32);
  if (c >= 0x0400 && c <= 0x040F) return static_cast<wchar_t>(c + 80);
  if (c >= 0x0391 && c <= 0x03AB && c != 0x03A2) return static_cast<wchar_t>(c + 32);
  return c;
}

wchar_t ToUpper(wchar_t c) noexcept {
  if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 32);
  if (c < 0x00DF) return c;
  if (c <= 0x00FF) {
    if (c == 0x00DF || c == 0x00F7) return c;  // ß has no single upper letter
    if (c == 0x00FF) return 0x0178;
    return static_cast<wchar_t>(c - 32);
  }
  if (c >= 0x0100 && c <= 0x017F) {
    if (c == 0x0131) return L'I';
    if (PairedOddUpper(static_cast<wchar_t>(c - 1)) && c % 2 == 0) return static_cast<wchar_t>(c - 1);
    if ((c >= 0x0138 && c <= 0x0149) || c >= 0x0178) return c;
    return (c % 2 == 1) ? static_cast<wchar_t>(c - 1) : c;
  }
  if (c >= 0x0430 && c <= 0x044F) return static_cast<wchar_t>(c - 32);
  if (c >= 0x0450 && c <= 0x045F) return static_cast<wchar_t>(c - 80);
  if (c >= 0x03B1 && c <= 0x03CB && c != 0x03C2) return static_cast<wchar_t>(c - 32);
  return c;
}

std::wstring Lower(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) c = ToLower(c);
  return out;
}

std::wstring Upper(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) c = ToUpper(c);
  return out;
}

CasePattern ClassifyCase(std::wstring_view text) noexcept {
  int letters = 0;
  bool allUpper = true;
  bool firstUpper = false;
  for (wchar_t c : text) {
    if (!IsLetter(c)) continue;
    const bool upper = IsUpper(c);
    if (letters == 0) firstUpper = upper;
    // A letter without case (ß) does not break an UPPER word.
    if (!upper && ToUpper(c) != c) allUpper = false;
    ++letters;
  }
  if (letters >= 2 && allUpper && firstUpper) return CasePattern::kUpper;
  return firstUpper ? CasePattern::kCapitalised : CasePattern::kLower;
}

std::wstring Capitalise(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) {
    if (IsLetter(c)) {
      c = ToUpper(c);
      break;
    }
  }
  return out;
}

}  // namespace vanto
