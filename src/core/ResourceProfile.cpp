#include "core/ResourceProfile.h"

#include <string>

#include "profile/ItemStream.h"

namespace app {

bool LoadResourceProfile(CXCryptedProfileW& profile, const std::wstring& path, LogSink& log) {
  if (!profile.Load(path, false)) return false;
  const inf::StreamError& stream = profile.LastLoad().stream;
  if (!stream.Complete()) {
    const std::string reason = inf::Describe(stream);  // ASCII
    const std::wstring text =
        path + L": item stream broken off, later entries lost: " + std::wstring(reason.begin(), reason.end());
    log.Line(L"%s", text.c_str());
  }
  return true;
}

}  // namespace app
