// Where the hand-off leaves its record: the per-user Running key, or for a host whose row says so
// (Internet Explorer) from Windows Vista on the copy of it that protected mode lets the browser see
// as its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/RegistryKey.h"

namespace tasks {

// Under HKEY_USERS: "<SID>\Software\Microsoft\Internet Explorer\InternetRegistry\REGISTRY\USER\"
// followed by "<SID>\Software\Korvelsoft\VNTO9\Running".
[[nodiscard]] std::wstring ProtectedModeRunningPath(std::wstring_view userSid);

// The key for a host started as `executable`, opened (or else created) with full access; nullopt
// when neither works.
[[nodiscard]] std::optional<app::RegistryKey> OpenHandOffKey(std::wstring_view executable);

}  // namespace tasks
