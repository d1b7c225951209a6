#include "tasks/HostTable.h"

#include <utility>

namespace tasks {
HostTable::HostTable(std::wstring_view programFilesFolder, std::wstring_view skypePath)
    : programFilesFolder_(programFilesFolder), skypePath_(skypePath) {}

std::optional<HostTarget> HostTable::TargetOfKind(int kind, int officeApplication) const {
  const suite::HostDescriptor* host = suite::HostOfKind(kind);
  if (!host) return std::nullopt;
  const suite::HostProgram* program = suite::ProgramOfHost(*host, officeApplication);
  if (!program) return std::nullopt;
  std::wstring executable;
  switch (program->path) {
    case suite::HostPath::kFileName: executable = program->executable; break;
    case suite::HostPath::kUnderProgramFiles:
      executable = programFilesFolder_ + std::wstring(program->executable);
      break;
    case suite::HostPath::kSkypeRecord: executable = skypePath_; break;
  }
  return HostTarget{std::move(executable), std::wstring(program->runningValue), std::wstring(program->verb)};
}

TokenKinds KindsOfToken(std::wstring_view token) {
  const suite::HostProgram* program = suite::HostProgramOfToken(token);
  if (!program) return {};
  return {suite::OfferedKindsOfToken(token), program->officeApplication};
}

}  // namespace tasks
