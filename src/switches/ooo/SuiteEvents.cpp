#include "switches/ooo/SuiteEvents.h"

namespace ooo {
namespace {

std::size_t Count(std::string_view text, std::string_view what) noexcept {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + what.size()))
    ++count;
  return count;
}

}  // namespace

bool BindsOnlySuiteMacros(std::string_view file) noexcept {
  // Each binding is one BindingURL property; its value names the script.
  const std::size_t bindings = Count(file, R"(oor:name="BindingURL")");
  return bindings > 0 && Count(file, kSuiteEventScript) == bindings &&
         Count(file, "vnd.sun.star.script:") == bindings;
}

}  // namespace ooo
