// The taskbar's jump list of Startdeck (Windows 7 and later): the user's recent documents, each
// opening its translation panel again (Startdeck.exe /translate "document"), and the Quick
// Translation task (Startdeck.exe /quick). Where the shell has no jump lists the program goes on
// without one, and says so in its log once.
#pragma once

#include <string>
#include <vector>

#include "suite/RecentDocuments.h"

namespace tasks {

// Builds the jump list anew from `recent` (newest first) under `category`; `quickTitle` names the
// task. False when the shell has none or refused it.
bool UpdateJumpList(const std::vector<suite::RecentDocument>& recent, const std::wstring& category,
                    const std::wstring& quickTitle);

}  // namespace tasks
