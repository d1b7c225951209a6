#include "KernelTestSupport.h"

#include "support/TestPaths.h"
#include "win/Handle.h"

namespace kerneltest {

std::filesystem::path KernelDllPath() {
  return test::BinFolder() / L"VantoKernel.dll";
}

HRESULT CallKernelExport(const char* name) {
  // Load (or find) the DLL and keep it: COM uses the same module.
  static HMODULE module = ::LoadLibraryW(KernelDllPath().c_str());
  if (!module) return HRESULT_FROM_WIN32(::GetLastError());
  auto function =
      reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
  return function ? function() : E_NOTIMPL;
}

HRESULT KernelCanUnloadNow() {
  return CallKernelExport("DllCanUnloadNow");
}

void KernelRegistration::SetUp() {
  ASSERT_EQ(CallKernelExport("DllRegisterServer"), S_OK);
}

ComPtr<IVantoKernel> NewKernel() {
  ComPtr<IVantoLocalKernel> local;
  EXPECT_EQ(::CoCreateInstance(CLSID_VantoLocalKernel, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&local)),
            S_OK);
  ComPtr<IVantoKernel> kernel;
  if (!local) return kernel;
  Bstr client(L"KernelTests");
  EXPECT_EQ(local->Initialize(client.get()), S_OK);
  EXPECT_EQ(local.As(&kernel), S_OK);
  return kernel;
}

int DirectionIndex(IVantoKernel* kernel, const std::wstring& name) {
  ComPtr<IVantoDirections> directions;
  if (FAILED(kernel->GetDirections(&directions))) return -1;
  LONG count = 0;
  (void)directions->GetCount(&count);
  for (LONG i = 0; i < count; ++i) {
    Bstr text;
    if (SUCCEEDED(directions->GetItem(i, nullptr, text.put())) && text.str() == name) return i;
  }
  ADD_FAILURE() << "no direction named " << ::testing::PrintToString(name);
  return -1;
}

std::wstring Translate(IVantoKernel* kernel, int direction, const std::wstring& text, HRESULT* result) {
  HRESULT hr = kernel->SetCurrentDirection(static_cast<SHORT>(direction));
  ComPtr<IVantoSettings> settings;
  if (SUCCEEDED(hr)) hr = kernel->GetSettings(&settings);
  Bstr source(text);
  Bstr translated;
  if (SUCCEEDED(hr)) hr = settings->Translate(source.get(), translated.put());
  if (result) {
    *result = hr;
  } else {
    EXPECT_EQ(hr, S_OK) << "translating " << ::testing::PrintToString(text);
  }
  return translated.str();
}

ComPtr<IVantoDictionaries> DictionariesOf(IVantoKernel* kernel, int direction) {
  ComPtr<IVantoDirections> directions;
  ComPtr<IVantoDictionaries> dictionaries;
  EXPECT_EQ(kernel->GetDirections(&directions), S_OK);
  if (directions) {
    EXPECT_EQ(directions->GetDictionaries(direction, &dictionaries), S_OK);
  }
  return dictionaries;
}

ComPtr<IVantoMemories> MemoriesOf(IVantoKernel* kernel, int direction) {
  ComPtr<IVantoDirections> directions;
  ComPtr<IVantoMemories> memories;
  EXPECT_EQ(kernel->GetDirections(&directions), S_OK);
  if (directions) {
    EXPECT_EQ(directions->GetMemories(direction, &memories), S_OK);
  }
  return memories;
}

std::wstring NameOf(IVantoDictionary* dictionary) {
  Bstr name;
  EXPECT_EQ(dictionary->GetName(name.put()), S_OK);
  return name.str();
}

LONG KindOf(IVantoDictionary* dictionary) {
  LONG kind = 0;
  EXPECT_EQ(dictionary->GetKind(&kind), S_OK);
  return kind;
}

std::wstring Property(IVantoMemory* memory, LONG number) {
  Bstr value;
  EXPECT_EQ(memory->GetProperty(number, value.put()), S_OK) << "property " << number;
  return value.str();
}

KernelTest::KernelTest() {
  SetSetting(L"DataFolder", data_.path().wstring());
}

void KernelTest::SetSetting(const std::wstring& name, const std::wstring& value) {
  test::SetString(HKEY_CURRENT_USER, kSettingsKey, name, value);
}

void KernelTest::SetSetting(const std::wstring& name, DWORD value) {
  test::SetDword(HKEY_CURRENT_USER, kSettingsKey, name, value);
}

void KernelTest::RemoveSetting(const std::wstring& name) {
  EXPECT_EQ(::RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name.c_str()), ERROR_SUCCESS)
      << "removing " << ::testing::PrintToString(name);
}

DWORD RunChild(const std::wstring& arguments) {
  wchar_t self[32768] = {};  // the longest path Windows allows
  ::GetModuleFileNameW(nullptr, self, static_cast<DWORD>(std::size(self)));
  std::wstring command = L"\"" + std::wstring(self) + L"\" " + kChildSwitch + L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
    return ~0u;
  win::UniqueHandle processHandle(process.hProcess);
  win::UniqueHandle threadHandle(process.hThread);
  // A watchdog, not a measurement: a child that hangs must not hang the test.
  if (::WaitForSingleObject(processHandle.get(), 60000) != WAIT_OBJECT_0) {
    ::TerminateProcess(processHandle.get(), ~0u);
    return ~0u;
  }
  DWORD code = ~0u;
  ::GetExitCodeProcess(processHandle.get(), &code);
  return code;
}

}  // namespace kerneltest
