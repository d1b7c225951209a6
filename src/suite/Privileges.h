// Who the user is: administrator or not, and the user's security identifier.
#pragma once

#include <string>

namespace suite {

// True when the effective token is a member of BUILTIN\Administrators. A filtered token (an
// administrator who has not elevated) is not. Tests may decide the answer through
// win::OverrideSystemFacts, since Wine always runs as an administrator.
[[nodiscard]] bool IsAdministrator() noexcept;

// The current user's SID in its string form ("S-1-5-21-..."); empty when the token cannot be read.
[[nodiscard]] std::wstring CurrentUserSid();

}  // namespace suite
