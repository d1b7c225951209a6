#pragma once
// Whether an Events.xcu is the suite's own: what switching off may take away. The suite's file binds
// an application event to a macro of its Basic module and to nothing else; a file with any binding
// of the user's, or with none of the suite's, is the user's.

#include <string_view>

namespace ooo {

// The suite's Basic module as event bindings name it.
inline constexpr std::string_view kSuiteEventScript = "vnd.sun.star.script:Vanto.Module1.";

// True when `file` binds at least one event and every binding it holds names the suite's module.
[[nodiscard]] bool BindsOnlySuiteMacros(std::string_view file) noexcept;

}  // namespace ooo
