#include "HandOffTestContext.h"

namespace tasktest {

Entries Keys(std::initializer_list<const wchar_t*> keys) {
  Entries entries;
  for (const wchar_t* key : keys) entries.emplace_back(key, L"1");
  return entries;
}

HandOffTestContext::HandOffTestContext(const Sections& sections)
    : launch_({}), configuration_(MakeConfiguration(sections)) {}

std::wstring HandOffTestContext::KernelServerName() const {
  if (onServerName_) onServerName_();
  return launch_.KernelServerName();
}

}  // namespace tasktest
