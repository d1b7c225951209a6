#include "suite/DisplayNames.h"

#include "win/Resources.h"

namespace suite {

std::wstring DisplayName(std::wstring_view appId, bool hostFlag) {
  const DisplayNameSource source = LookUpDisplayName(appId, hostFlag);
  if (source.stringId != 0) return win::LoadString(source.stringId);
  return std::wstring(source.fixedText);
}

}  // namespace suite
