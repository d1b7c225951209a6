// One switchable add-in of the suite in one host application, and the small name/number pair the
// switches and the hand-off use to describe hosts and commands. No windows.h here.
#pragma once

#include <string>
#include <vector>

#include "suite/HostDescriptor.h"

namespace switches {

// The add-in kinds, named here as the switches use them; the host table defines them.
using suite::Kind;
using enum suite::Kind;

// Record states.
inline constexpr int kDisabled = 0;
inline constexpr int kEnabled = 1;
inline constexpr int kNotSwitchable = -1;  // the Windows Live Messenger record

struct PluginRecord {
  int application = 0;  // the host application's index inside its switch (Office: 0 Word ... 4 FrontPage)
  std::wstring displayName;  // host and version as shown to the user
  int state = kDisabled;
  int kind = 0;
  std::wstring productName;  // the suite product the add-in belongs to; named in failure messages
  int id = 0;                // 0 until the plug-in table numbers the records 1, 2, 3, ...
  int reserved1 = 0;
  int reserved2 = 0;

  friend bool operator==(const PluginRecord&, const PluginRecord&) = default;
};

using PluginList = std::vector<PluginRecord>;

}  // namespace switches

// {name, number}: a host family and its kind (the Office switches give their edition), or a menu
// command name and the kind it stands for.
struct CPlugSt {
  std::wstring name;
  int number = 0;

  friend bool operator==(const CPlugSt&, const CPlugSt&) = default;
};
