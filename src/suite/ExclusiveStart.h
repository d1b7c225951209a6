// The steps of a start that involve the person: the question about administrator rights, the
// elevated start that falls back to a normal one, the message about a failed start, and the whole
// start of a program that may only run alone (the backup, the dictionary installers): the start
// centre asks to quit, starts it with "/WaitForServerExit" and closes itself once it runs.
#pragma once

#include <windows.h>

#include <string_view>

#include "suite/LaunchContext.h"
#include "suite/RunningKey.h"

namespace suite {

// The reason (367, 368 or 374, each ending in a line break) joined with the question 365; Yes/No
// without an icon. True on Yes.
[[nodiscard]] bool UserWantsElevation(LaunchContext& context, UINT reasonId);
// Elevated, and if that fails (a declined prompt), normally.
[[nodiscard]] INT_PTR StartElevatedElseNormally(std::wstring_view path, std::wstring_view arguments);
// Message 156: the installation's records cannot be used (no Apps key, or a value refused as damaged).
void ReportDamagedRegistry(LaunchContext& context);
// Message 157 naming the program.
void ReportFailedStart(LaunchContext& context, std::wstring_view displayName);
// The program's record could not be written, so it was not started; the message names it.
void ReportRecordNotLeft(LaunchContext& context, std::wstring_view displayName);

struct AloneStart {
  std::wstring_view path;
  UINT rightsReason = 0;            // asked of a person who is no administrator (367 or 368)
  bool startWithoutRights = false;  // on No to the rights: a normal start, else none at all
  std::wstring_view displayName;    // named when the start fails
};

// Asks the person to let the start centre quit (345 with the product name); on No the record is
// withdrawn and nothing starts. Then leaves the record (if it has not been left yet; one that cannot
// be written is reported, and nothing starts) and starts the program with "/WaitForServerExit":
// directly for an administrator, otherwise after the rights question. A program that started keeps
// its record and the start centre closes; a failed start withdraws the record and says so.
void StartAlone(LaunchContext& context, const AloneStart& start, StartRecord& record);

}  // namespace suite
