// What the kernel tests share: the registered DLL, a kernel on a scratch data folder inside a
// registry sandbox, BSTR handling, and a second process of this test program.
#pragma once

#include <windows.h>
#include <wrl/client.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "core/Bstr.h"
#include "support/RegistrySandbox.h"
#include "support/ScratchDir.h"
#include "vanto/Kernel.h"

namespace kerneltest {

using Microsoft::WRL::ComPtr;

inline constexpr wchar_t kSettingsKey[] = L"Software\\Korvelsoft\\VNTO9\\KernelSubstitute";
inline constexpr wchar_t kChildSwitch[] = L"--kernel-child";

// Owns one BSTR.
using Bstr = app::Bstr;

// The DLL as this process loaded it, for its exports.
[[nodiscard]] std::filesystem::path KernelDllPath();
[[nodiscard]] HRESULT KernelCanUnloadNow();
[[nodiscard]] HRESULT CallKernelExport(const char* name);

// Registers the DLL in the prefix's machine-wide classes once per test program.
class KernelRegistration : public ::testing::Environment {
 public:
  void SetUp() override;
};

// A kernel created through COM, initialised, on the data folder `data`.
[[nodiscard]] ComPtr<IVantoKernel> NewKernel();
[[nodiscard]] int DirectionIndex(IVantoKernel* kernel, const std::wstring& name);
// Translation the way the start centre does it: make the direction current, then its settings.
[[nodiscard]] std::wstring Translate(IVantoKernel* kernel, int direction, const std::wstring& text,
                                     HRESULT* result = nullptr);
[[nodiscard]] ComPtr<IVantoDictionaries> DictionariesOf(IVantoKernel* kernel, int direction);
[[nodiscard]] ComPtr<IVantoMemories> MemoriesOf(IVantoKernel* kernel, int direction);
[[nodiscard]] std::wstring NameOf(IVantoDictionary* dictionary);
[[nodiscard]] LONG KindOf(IVantoDictionary* dictionary);
[[nodiscard]] std::wstring Property(IVantoMemory* memory, LONG number);

// Every test: an empty registry with the data folder pointing at a scratch folder.
class KernelTest : public ::testing::Test {
 protected:
  KernelTest();
  void SetSetting(const std::wstring& name, const std::wstring& value);
  void SetSetting(const std::wstring& name, DWORD value);
  void RemoveSetting(const std::wstring& name);
  [[nodiscard]] const std::filesystem::path& DataFolder() const noexcept { return data_.path(); }

  test::RegistrySandbox registry_;
  test::ScratchDir data_;
};

// Runs this test program again with kChildSwitch and `arguments`; its exit code, or ~0u when it
// could not be started or did not end within a minute (then it is ended).
[[nodiscard]] DWORD RunChild(const std::wstring& arguments);
// The child side: runs one command and returns the exit code.
[[nodiscard]] int ChildMain(int argc, wchar_t** argv);

}  // namespace kerneltest
