// The switch of one host family: finds which versions of the host are installed, which of the
// suite's add-ins for it are on disk and whether each is enabled, and enables or disables them by
// writing the host's own registration.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/CaughtFailure.h"
#include "switches/PluginRecord.h"

class CExceptSW;

class CSwitch {
 public:
  // `family`: the host table's family whose kinds the switch serves.
  CSwitch(std::wstring name, suite::SwitchFamily family) : name_(std::move(name)), family_(family) {}
  CSwitch(const CSwitch&) = delete;
  CSwitch& operator=(const CSwitch&) = delete;
  virtual ~CSwitch() = default;

  // Whether the suite's add-in files for this host family are installed. Never throws.
  [[nodiscard]] virtual bool IsPackagePresent() = 0;
  // Detects the installed hosts and fills the stored list; its size (0 without a host). Called
  // once per switch; never throws.
  virtual int CollectPlugins() = 0;
  // Brings each record's add-in to the record's state. A record that fails comes back with its
  // state inverted; with `quiet` 0 its message is shown. Never throws.
  virtual int ApplyStates(switches::PluginList& records, int quiet) = 0;
  // {host family name, kind} (the Office switches give their edition instead of a kind).
  [[nodiscard]] virtual CPlugSt GetHostInfo() const = 0;

  // Appends the kinds this switch serves: those of its family's rows, in suite::KindsOfFamily's order.
  void GetKinds(std::vector<int>& kinds) const;
  // Whether `kind` is the kind of a row of this switch's family.
  [[nodiscard]] bool Serves(int kind) const noexcept;

  // The stored list becomes a copy of `records`.
  void SetPlugins(const switches::PluginList& records) { stored_ = records; }
  // `records` becomes a copy of the stored list; its size.
  int GetPlugins(switches::PluginList& records) const;
  // True when the stored record with the same id has another state; false when no stored record
  // has that id.
  [[nodiscard]] bool IsChanged(const switches::PluginRecord& record) const;

  [[nodiscard]] const std::wstring& Name() const noexcept { return name_; }

  // The window that owns this switch's message boxes (the main window); null until it is set.
  void SetMessageOwner(HWND owner) noexcept { messageOwner_ = owner; }
  [[nodiscard]] HWND MessageOwner() const noexcept { return messageOwner_; }

 protected:
  [[nodiscard]] switches::PluginList& Stored() noexcept { return stored_; }
  [[nodiscard]] const switches::PluginList& Stored() const noexcept { return stored_; }

  // Applies one record through `apply`, the common failure rule of every switch: a CExceptSW or
  // any other error inverts the record's state in place and, unless `quiet`, shows the exception's
  // message (for other errors one built from `hostName`, the record's product name and reason 4),
  // owned by MessageOwner(). True when `apply` returned normally.
  bool ApplyOne(switches::PluginRecord& record, int quiet, std::wstring_view hostName,
                const std::function<void(switches::PluginRecord&)>& apply) const noexcept;

 private:
  switches::PluginList stored_;
  std::wstring name_;
  suite::SwitchFamily family_;
  HWND messageOwner_ = nullptr;
};

namespace switches {

// Writes the failure record of a switch ("%s#%s#%s": display name, product name, text) under the
// unit's source tag and throws CExceptSW(display name, product name, reason, 0).
[[noreturn]] void Fail(const wchar_t* sourceTag, int line, const PluginRecord& record, std::wstring_view text,
                       int reason);

// Call only inside the catch-all of an operation that answers any failure with `answer` (detection:
// absent, no records): the failure goes to the log under the unit's tag first, as "<operation>
// failed: <the exception's text>".
template <class T>
[[nodiscard]] T Caught(const wchar_t* sourceTag, int line, std::wstring_view operation, T answer) noexcept {
  app::LogCaughtException(sourceTag, line, operation);
  return answer;
}

// A value of HKLM "SOFTWARE\Korvelsoft\VNTO9\Folders" (at most 260 characters); empty when the key
// or the value is missing. Stored folders end with a separator: callers append file names directly.
[[nodiscard]] std::wstring SuiteFolder(std::wstring_view name);

// The name under which this process writes the new content of `path` before it replaces it: in the
// same folder, so that putting it in place is a rename.
[[nodiscard]] std::wstring TemporaryBeside(const std::wstring& path);

}  // namespace switches
