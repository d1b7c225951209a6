// The entry the kernel's add-word dialog starts with: the remembered number, else the number in the
// kernel's class key, else 1; text that is no number reads as 0.
#include <gtest/gtest.h>

#include <string>

#include "support/RegistrySandbox.h"
#include "tasks/DictAndTMMUtils.h"

namespace {

constexpr wchar_t kClassKey[] = L"SOFTWARE\\Classes\\CLSID\\{5A3C7E10-2B4D-4F61-9C8A-0D1E2F3A4B5C}";

enum class ClassKey { kMissing, kNoDefault, kDefault };

class AddWordDialogEntry : public test::SandboxedTest {};

TEST_F(AddWordDialogEntry, RemembersFirstThenTheKernelsClassKey) {
  const struct Case {
    const wchar_t* remembered;
    ClassKey classKey;
    const wchar_t* defaultValue;
    int expected;
  } cases[] = {
      {L"3", ClassKey::kDefault, L"7", 3},      {L" 12", ClassKey::kMissing, nullptr, 12},
      {L"-2", ClassKey::kMissing, nullptr, -2}, {L"4 nouns", ClassKey::kDefault, L"7", 4},
      {L"noun", ClassKey::kDefault, L"7", 0},   {L"99999999999", ClassKey::kDefault, L"7", 0},
      {L"", ClassKey::kDefault, L"5", 5},       {L"", ClassKey::kDefault, L"kind", 0},
      {L"", ClassKey::kNoDefault, nullptr, 0},  {L"", ClassKey::kMissing, nullptr, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(c.remembered)) + " " +
                 std::to_string(static_cast<int>(c.classKey)));
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kClassKey);
    if (c.classKey == ClassKey::kNoDefault) test::CreateKey(HKEY_LOCAL_MACHINE, kClassKey);
    if (c.classKey == ClassKey::kDefault) test::SetString(HKEY_LOCAL_MACHINE, kClassKey, L"", c.defaultValue);
    EXPECT_EQ(tasks::AddWordDialogEntry(c.remembered), c.expected);
  }
}

}  // namespace
