// CDictAndTMMUtils: the kernel work behind the user-dictionary and translation-memory panels, and the
// editing of profiles. It lists a direction's user dictionaries, has the kernel create one and add a
// word through its own dialog; it keeps the catalogue of the kernel's translation memories, has the
// kernel create a database and opens one in the TM manager. One object for the whole run, owned by
// the application; the lists it fills are the panels' combo boxes, and what it maps for them holds
// for the lists it filled last.
#pragma once

#include <windows.h>
#include <wrl/client.h>

#include <string>
#include <string_view>
#include <vector>

#include "menu/TaskTable.h"
#include "vanto/Kernel.h"

namespace ui::skin {
class CCustomComboBox;
}

namespace tasks {

class TaskContext;

using ui::kDictionaryTask;
using ui::kMemoryTask;

// One translation-memory database as the kernel describes it.
struct TmRecord {
  std::wstring name;        // property 1: what the lists show
  std::wstring identifier;  // property 6: what the TM manager is given
  std::wstring direction;   // property 4
  std::wstring segments;    // property 5
  int directionIndex = 0;   // into the catalogue's direction names
};

// The entry the kernel's add-word dialog starts with: the remembered one read as a number (0 when it
// is not one); without one, the number in the default value of the kernel's class key (0 when it is
// not one), or 1 when that key cannot be opened.
[[nodiscard]] int AddWordDialogEntry(std::wstring_view remembered);

class CDictAndTMMUtils {
 public:
  explicit CDictAndTMMUtils(TaskContext& context) noexcept : context_(context) {}
  CDictAndTMMUtils(const CDictAndTMMUtils&) = delete;
  CDictAndTMMUtils& operator=(const CDictAndTMMUtils&) = delete;

  // ---- User dictionaries; a direction is its index in the kernel's direction list ----

  // Fills `list` with the direction's user dictionaries, each switched on for translation, and
  // selects the first. A kernel error beeps; the list keeps what was read.
  void ListDictionaries(ui::skin::CCustomComboBox& list, int directionIndex);
  // The kernel's dialog makes a user dictionary for the direction; null when it made none (an error
  // beeps).
  [[nodiscard]] Microsoft::WRL::ComPtr<IVantoDictionary> NewDictionary(int directionIndex, HWND owner);
  // Opens the kernel's add-word dialog for `word` and the dictionary selected in `list`, starting at
  // the remembered dialog entry and remembering the one it ends with. An empty list first offers to
  // create a dictionary. False when the dialog was not shown.
  bool AddWord(ui::skin::CCustomComboBox& list, int directionIndex, const std::wstring& word, HWND owner);

  // ---- Translation memories; a direction is its index in the catalogue's direction names ----

  // Reads every database of every direction anew. An error beeps; the catalogue keeps what was read.
  void BuildTmCatalogue();
  // Fills `list` with the direction names; their number.
  int ListTmDirections(ui::skin::CCustomComboBox& list) const;
  // Fills `list` with the direction's databases (nothing selected yet); their number.
  int ListTmDatabases(ui::skin::CCustomComboBox& list, int directionIndex);
  // The kernel's dialog, owned by `owner`, makes a database for the direction; true with its name and
  // its direction's name when one was made.
  bool CreateTmDatabase(HWND owner, int directionIndex, std::wstring& name, std::wstring& directionName);
  // CreateTmDatabase for the direction selected in `directions`, then both lists filled anew with the
  // new database's direction and the database selected (each the first entry when it is not found).
  bool CreateAndSelectTmDatabase(HWND owner, ui::skin::CCustomComboBox& directions,
                                 ui::skin::CCustomComboBox& databases);
  // Starts the TM manager for the database selected in `databases`; an empty list first offers to
  // create one. False when it did not start.
  bool OpenTmDatabase(ui::skin::CCustomComboBox& databases, HWND owner,
                      ui::skin::CCustomComboBox& directions);

  [[nodiscard]] const std::vector<std::wstring>& TmDirectionNames() const noexcept { return tmDirections_; }
  // The kernel's ID of catalogue direction `index`; 0 outside the names.
  [[nodiscard]] int TmDirectionId(int index) const noexcept;
  [[nodiscard]] const std::vector<TmRecord>& TmRecords() const noexcept { return tmRecords_; }

  // ---- Profiles ----

  // Opens the kernel's profile editor modally over `owner` for kernel direction `directionIndex`,
  // then tells every running suite program to reload profiles. While it is open the Running key
  // holds the "TMD" record, so that suite programs the editor starts work with the same kernel; the
  // record is removed again whatever the editor did. A kernel that fails before its editor opens is
  // answered with a beep.
  void EditProfiles(int directionIndex, HWND owner);

 private:
  // Appends a record for `memory` of catalogue direction `directionIndex`.
  void AddTmRecord(IVantoMemory& memory, int directionIndex);
  // The catalogue direction named `name`, appended when it is new.
  int TmDirectionOf(const std::wstring& name, int id, int kernelIndex);

  TaskContext& context_;
  // Entry of the dictionary list filled last -> index in the direction's dictionary collection.
  std::vector<SHORT> dictionaryIndex_;
  // Direction names in kernel order, with the kernel's ID and index of each.
  std::vector<std::wstring> tmDirections_;
  std::vector<int> tmDirectionIds_;
  std::vector<int> tmDirectionKernelIndex_;
  std::vector<TmRecord> tmRecords_;
  // Entry of the database list filled last -> the database's identifier.
  std::vector<std::wstring> tmListIdentifiers_;
};

}  // namespace tasks
