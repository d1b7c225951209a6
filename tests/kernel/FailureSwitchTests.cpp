// The switches that make one kernel call fail: the call fails with the value's HRESULT and hands
// out nothing (the profile editor shows no dialog), and runs again once the value is removed.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "KernelTestSupport.h"
#include "vanto/KernelDialogs.h"

namespace kerneltest {
namespace {

class KernelFailureSwitches : public KernelTest {};

HRESULT GetDirections(IVantoKernel* kernel) {
  ComPtr<IVantoDirections> directions;
  const HRESULT result = kernel->GetDirections(&directions);
  EXPECT_EQ(directions != nullptr, SUCCEEDED(result));
  return result;
}

HRESULT GetProfiles(IVantoKernel* kernel) {
  ComPtr<IVantoDirections> directions;
  EXPECT_EQ(kernel->GetDirections(&directions), S_OK);
  if (!directions) return E_UNEXPECTED;
  ComPtr<IVantoProfiles> profiles;
  const HRESULT result = directions->GetProfiles(0, &profiles);
  EXPECT_EQ(profiles != nullptr, SUCCEEDED(result));
  return result;
}

HRESULT GetDictionaries(IVantoKernel* kernel) {
  ComPtr<IVantoDirections> directions;
  EXPECT_EQ(kernel->GetDirections(&directions), S_OK);
  if (!directions) return E_UNEXPECTED;
  ComPtr<IVantoDictionaries> dictionaries;
  const HRESULT result = directions->GetDictionaries(0, &dictionaries);
  EXPECT_EQ(dictionaries != nullptr, SUCCEEDED(result));
  return result;
}

HRESULT GetMemories(IVantoKernel* kernel) {
  ComPtr<IVantoDirections> directions;
  EXPECT_EQ(kernel->GetDirections(&directions), S_OK);
  if (!directions) return E_UNEXPECTED;
  ComPtr<IVantoMemories> memories;
  const HRESULT result = directions->GetMemories(0, &memories);
  EXPECT_EQ(memories != nullptr, SUCCEEDED(result));
  return result;
}

// The dialog is cancelled whenever it shows; it has to show exactly when the call succeeds.
HRESULT ShowProfileEditor(IVantoKernel* kernel) {
  ComPtr<IVantoProfileEditor> editor;
  EXPECT_EQ(kernel->GetProfileEditor(&editor), S_OK);
  if (!editor) return E_UNEXPECTED;
  VARIANT none{};  // VT_EMPTY: no owner, no optional arguments
  VARIANT flag{};
  V_VT(&flag) = VT_I4;
  V_I4(&flag) = 1;
  DialogDriver driver(kVantoProfilesTitle, [](HWND dialog) { Press(dialog, IDCANCEL); });
  const HRESULT result = editor->ShowModal(none, &flag, none, none);
  EXPECT_EQ(static_cast<bool>(driver.Finish()), SUCCEEDED(result));
  return result;
}

struct FailureSwitch {
  const wchar_t* name;
  HRESULT failure;
  HRESULT (*call)(IVantoKernel* kernel);
};

const FailureSwitch kSwitches[] = {
    {L"DirectionsError", RPC_E_DISCONNECTED, &GetDirections},
    {L"ProfilesError", E_ACCESSDENIED, &GetProfiles},
    {L"ProfileEditorError", VANTO_E_TRANSLATION_LIMIT, &ShowProfileEditor},
    {L"DictionariesError", E_OUTOFMEMORY, &GetDictionaries},
    {L"MemoriesError", STG_E_FILENOTFOUND, &GetMemories},
};

TEST_F(KernelFailureSwitches, EachCallFailsWithItsValueUntilTheValueIsRemoved) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ASSERT_TRUE(kernel);
  for (const FailureSwitch& s : kSwitches) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(s.name)));
    SetSetting(s.name, static_cast<DWORD>(s.failure));
    EXPECT_EQ(s.call(kernel.Get()), s.failure);
    SetSetting(s.name, 1);  // a success code still fails the call
    EXPECT_EQ(s.call(kernel.Get()), E_FAIL);
    RemoveSetting(s.name);
    EXPECT_EQ(s.call(kernel.Get()), S_OK);
  }
}

}  // namespace
}  // namespace kerneltest
