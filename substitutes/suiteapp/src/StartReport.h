// Everything one start of the substitute finds out about itself: who it is, how it was started,
// the Running record it found and where its journal line went.
#pragma once

#include <windows.h>

#include <string>

#include "Identity.h"
#include "JournalLine.h"
#include "RunningRecord.h"
#include "Switches.h"

namespace suiteapp {

struct StartReport {
  Identity identity;
  std::wstring executablePath;
  JournalEntry entry;  // the journal line's fields
  RunningRecord record;
  Switches switches;
  std::wstring journalPath;
  DWORD journalResult = ERROR_SUCCESS;
  // Named by the ExitAtOnce setting: journals its start without reading its record, then ends.
  bool exitAtOnce = false;
};

// Looks at this process and the registry; writes nothing.
[[nodiscard]] StartReport GatherStartReport();

// Appends the report's line to the journal and remembers the outcome in the report.
void WriteJournal(StartReport& report);

}  // namespace suiteapp
