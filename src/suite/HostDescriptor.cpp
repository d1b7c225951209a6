#include "suite/HostDescriptor.h"

#include "suite/AppId.h"
#include "suite/NameCompare.h"

namespace suite {

const HostDescriptor* HostOfKind(int kind) noexcept {
  for (const HostDescriptor& host : kHosts)
    if (host.kind == kind) return &host;
  return nullptr;
}

const HostDescriptor* HostOfFamily(SwitchFamily family, AddinVariant variant) noexcept {
  for (const HostDescriptor& host : kHosts)
    if (host.family == family && host.variant == variant) return &host;
  return nullptr;
}

std::vector<int> KindsOfFamily(SwitchFamily family) {
  std::vector<int> kinds;
  for (const AddinVariant variant : {AddinVariant::kFull, AddinVariant::kLite, AddinVariant::kEd})
    for (const HostDescriptor& host : kHosts)
      if (host.family == family && host.variant == variant) kinds.push_back(host.kind);
  return kinds;
}

const HostProgram* HostProgramOfExecutable(std::wstring_view executable) noexcept {
  for (const HostDescriptor& host : kHosts)
    for (const HostProgram& program : host.programs)
      if (program.path == HostPath::kFileName && !program.executable.empty() &&
          SameName(program.executable, executable))
        return &program;
  return nullptr;
}

const HostProgram* HostProgramOfToken(std::wstring_view token) noexcept {
  for (const HostDescriptor& host : kHosts)
    for (const HostProgram& program : host.programs)
      if (SameAppId(program.token, token)) return &program;
  return nullptr;
}

const HostProgram* ProgramOfHost(const HostDescriptor& host, int officeApplication) noexcept {
  for (const HostProgram& program : host.programs)
    if (program.officeApplication == kNoOfficeApplication || program.officeApplication == officeApplication)
      return &program;
  return nullptr;
}

const HostProgram* OfficeProgram(int officeApplication) noexcept {
  if (officeApplication == kNoOfficeApplication) return nullptr;
  for (const HostDescriptor& host : kHosts)
    for (const HostProgram& program : host.programs)
      if (program.officeApplication == officeApplication) return &program;
  return nullptr;
}

std::vector<int> OfferedKindsOfToken(std::wstring_view token) {
  std::vector<int> kinds;
  for (const HostDescriptor& host : kHosts) {
    if (!host.offered) continue;
    for (const HostProgram& program : host.programs)
      if (SameAppId(program.token, token)) {
        kinds.push_back(host.kind);
        break;
      }
  }
  return kinds;
}

}  // namespace suite
