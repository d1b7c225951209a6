#include "Switches.h"

#include <string_view>

#include "Identity.h"

namespace suiteapp {
namespace {

constexpr std::wstring_view kExitAfter = L"/exitafter:";
constexpr std::wstring_view kWaitForServerExit = L"/WaitForServerExit";

// The digits of N; nullopt when the text is not a plain decimal number that fits.
std::optional<unsigned> Milliseconds(std::wstring_view digits) {
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  unsigned value = 0;
  for (wchar_t c : digits) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - L'0');
  }
  return value;
}

}  // namespace

Switches ParseSwitches(const std::vector<std::wstring>& arguments) {
  Switches switches;
  for (const std::wstring& argument : arguments) {
    const std::wstring_view text = argument;
    if (SameId(text, kWaitForServerExit)) {
      switches.waitForServerExit = true;
    } else if (text.size() > kExitAfter.size() && SameId(text.substr(0, kExitAfter.size()), kExitAfter)) {
      if (auto ms = Milliseconds(text.substr(kExitAfter.size()))) switches.exitAfterMs = ms;
    }
  }
  return switches;
}

}  // namespace suiteapp
