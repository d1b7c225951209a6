#include "suite/RunningRecords.h"

namespace suite {
namespace {

std::wstring Field(wchar_t letter, std::wstring_view text) {
  std::wstring field{letter, L'='};
  field += text;
  return field;
}

std::wstring ServerField(const KernelLocation& kernel) {
  return Field(L'S', kernel.server);
}

}  // namespace

std::wstring ListLaunchRecord(const KernelLocation& kernel) {
  return kernel.local ? Field(L'S', L"local") : ServerField(kernel);
}

std::optional<std::wstring> CommandLaunchRecord(const KernelLocation& kernel) {
  if (kernel.local) return std::nullopt;
  return ServerField(kernel);
}

std::wstring TmManagerRecord(std::wstring_view database, const KernelLocation& kernel) {
  std::wstring record = Field(L'G', database);
  if (!kernel.local) record += L';' + ServerField(kernel);
  return record;
}

std::wstring TmEditingRecord(const KernelLocation& kernel) {
  return ListLaunchRecord(kernel);
}

std::wstring DictionaryInstallRecord(const KernelLocation& kernel) {
  return kernel.local ? Field(L'S', {}) : ServerField(kernel);
}

std::wstring HandOffRecord(int directionId, std::wstring_view profile, std::wstring_view parameter,
                           const KernelLocation& kernel) {
  std::wstring record =
      Field(L'D', std::to_wstring(directionId)) + L';' + Field(L'T', profile) + L';' + Field(L'U', parameter);
  if (!kernel.local) record += L';' + ServerField(kernel);
  return record;
}

}  // namespace suite
