// The host applications the document hand-off opens: which executable, Running value and shell
// verb belong to each host, which row an add-in kind uses and which kinds an application token
// stands for. Portable: no windows.h.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tasks {

// One row of the host table. A row may describe several hosts (the Office row): its texts are then
// "|"-separated lists addressed by position. "NULL" in a verb list means no verb.
struct HostRow {
  std::wstring executable;
  std::wstring key;  // also the name of the Running value the hand-off writes
  std::wstring verb;
};

// Where the hand-off sends a document: the executable, the Running value's name, the shell verb
// (empty for none).
struct HostTarget {
  std::wstring executable;
  std::wstring key;
  std::wstring verb;
};

// The Office sub-applications, in the order of the Office row's lists.
enum OfficeApplication : int {
  kNoOfficeApplication = -1,
  kWord = 0,
  kOutlook = 1,
  kExcel = 2,
  kPowerPoint = 3,
};

// The row of the host table that serves an add-in kind: from b = floor(log2(kind)), b = 0 gives
// row 0 (Acrobat), 1..6 row 1 (Office), anything above row b - 6. nullopt for a kind that is not
// positive or whose row lies beyond the table.
[[nodiscard]] std::optional<std::size_t> HostRowOfKind(int kind) noexcept;

inline constexpr std::size_t kHostRowCount = 8;
inline constexpr std::size_t kOfficeRow = 1;

class HostTable {
 public:
  // The two texts that depend on the machine: the Program Files folder (QIP Infium's row) and the
  // Skype path the suite's installer recorded (may be empty).
  HostTable(std::wstring_view programFilesFolder, std::wstring_view skypePath);

  [[nodiscard]] const HostRow& Row(std::size_t row) const { return rows_.at(row); }
  [[nodiscard]] std::size_t Size() const noexcept { return rows_.size(); }

  // The host of an add-in kind. For the Office row the texts at `officeApplication`'s position;
  // nullopt when the kind has no row or the Office row has no entry at that position.
  [[nodiscard]] std::optional<HostTarget> TargetOfKind(int kind, int officeApplication) const;

 private:
  std::array<HostRow, kHostRowCount> rows_;
};

// The "|"-separated field at `position`; nullopt when there is none (a negative position included).
[[nodiscard]] std::optional<std::wstring_view> FieldAt(std::wstring_view list, int position) noexcept;

// What an application token of a task stands for: the add-in kinds it wants, and the Office
// sub-application it names (kNoOfficeApplication for the other tokens). Tokens that are suite
// application IDs ("Vnto", "Batcher"...) want no kind.
struct TokenKinds {
  std::span<const int> kinds;
  int officeApplication = kNoOfficeApplication;
};
[[nodiscard]] TokenKinds KindsOfToken(std::wstring_view token) noexcept;

}  // namespace tasks
