// What the task dialogs tell about the chosen "Translate in:" entry: the outcome text (what happens
// after Launch) and, for some hosts, the steps to take. Portable: answers string-table IDs.
#pragma once

#include <string_view>

namespace tasks {

// String IDs; 0 means no outcome text (empty) or, for the steps, leave the steps text as it is.
struct HelpTextIds {
  unsigned outcome = 0;
  unsigned steps = 0;
};

// An entry that holds an add-in record, by the record's kind; the Office kinds tell Outlook (by
// the list's Office sub-application) from the other Office hosts.
[[nodiscard]] HelpTextIds HelpTextsOfKind(int kind, int officeApplication) noexcept;
// An entry that holds a suite application (compared without regard to case).
[[nodiscard]] HelpTextIds HelpTextsOfApplication(std::wstring_view appId) noexcept;

}  // namespace tasks
