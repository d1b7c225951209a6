#include "suite/ProductLists.h"

#include "profile/CryptedProfile.h"
#include "suite/AppId.h"

namespace suite {

bool IsListedIn(const CXCryptedProfileW& configuration, std::wstring_view list, std::wstring_view appId) {
  const std::size_t count = configuration.SectionEntryCount(list);
  for (std::size_t i = 0; i < count; ++i)
    if (SameAppId(configuration.KeyAt(list, i), appId)) return true;
  return false;
}

bool IsListedInApps(const CXCryptedProfileW& configuration, std::wstring_view appId) {
  return IsListedIn(configuration, kAppsList, appId);
}

}  // namespace suite
