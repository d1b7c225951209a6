// The host applications the document hand-off opens, as this machine places them, and which add-in
// kinds an application token stands for; the task table of the applications that can serve each
// task. The facts of each host come from the host table. Portable: no windows.h.
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

// The task codes that hand documents over, and the task-table row each uses (code - 10).
inline constexpr int kTaskWebPage = 10;
inline constexpr int kTaskWord = 11;
inline constexpr int kTaskExcel = 12;
inline constexpr int kTaskEmail = 13;
inline constexpr int kTaskMessages = 14;
inline constexpr int kTaskPowerPoint = 15;
inline constexpr int kTaskPdf = 16;
inline constexpr int kTaskOpenOffice = 17;

// The applications that can serve the task of a task-table row ("|"-separated); empty outside 0..7.
[[nodiscard]] std::wstring_view TaskApplications(int taskRow) noexcept;

}  // namespace tasks
