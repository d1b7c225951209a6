// Loading the product's encrypted resource file (.inf). A file whose item stream stops early still
// loads with what was read before the fault (a file cut by a few bytes can still pass its check
// bytes), but the loss is written to the diagnostic log, so a missing menu entry can be traced.
#pragma once

#include <string>

#include "core/LogSink.h"
#include "profile/CryptedProfile.h"

namespace app {

// False when the file cannot be loaded at all (the caller tells the user).
[[nodiscard]] bool LoadResourceProfile(CXCryptedProfileW& profile, const std::wstring& path, LogSink& log);

}  // namespace app
