// The host applications the document hand-off opens, as this machine places them, and which add-in
// kinds an application token stands for. The facts of each host come from the host table.
// Portable: no windows.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "suite/HostDescriptor.h"

namespace tasks {

// Where the hand-off sends a document: the executable, the Running value's name, the shell verb
// (empty for none).
struct HostTarget {
  std::wstring executable;
  std::wstring key;
  std::wstring verb;
};

// The Office sub-applications: the host table's positions of the Office programs.
using suite::OfficeApplication;
using enum suite::OfficeApplication;

class HostTable {
 public:
  // The two texts that depend on the machine: the Program Files folder (QIP Infium's path) and the
  // Skype path the suite's installer recorded (may be empty).
  HostTable(std::wstring_view programFilesFolder, std::wstring_view skypePath);

  // The host of an add-in kind; for the Office kinds the program at `officeApplication`'s position.
  // nullopt when the host table has no such kind or no program for that position.
  [[nodiscard]] std::optional<HostTarget> TargetOfKind(int kind, int officeApplication) const;

 private:
  std::wstring programFilesFolder_;
  std::wstring skypePath_;
};

// What an application token of a task stands for: the add-in kinds it wants, and the Office
// sub-application it names (kNoOfficeApplication for the other tokens). Tokens that are suite
// application IDs ("Vnto", "Batcher"...) want no kind.
struct TokenKinds {
  std::vector<int> kinds;
  int officeApplication = kNoOfficeApplication;
};
[[nodiscard]] TokenKinds KindsOfToken(std::wstring_view token);

}  // namespace tasks
