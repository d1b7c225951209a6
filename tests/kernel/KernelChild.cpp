// The second process of the persistence tests: a kernel of its own on the data folder it is given.
//   translate <data folder> <direction> <output file> <text>   writes the translation (UTF-8)
//   add-segment <data folder> <direction> <memory> <source> <target>
#include "KernelTestSupport.h"

namespace kerneltest {
namespace {

std::string Utf8(const std::wstring& text) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
  return bytes;
}

int TranslateCommand(IVantoKernel* kernel, wchar_t** argv) {
  const int direction = DirectionIndex(kernel, argv[0]);
  if (direction < 0) return 3;
  HRESULT hr = S_OK;
  const std::wstring translated = Translate(kernel, direction, argv[2], &hr);
  if (FAILED(hr)) return 4;
  test::WriteFile(argv[1], Utf8(translated));
  return 0;
}

int AddSegmentCommand(IVantoKernel* kernel, wchar_t** argv) {
  const int direction = DirectionIndex(kernel, argv[0]);
  if (direction < 0) return 3;
  ComPtr<IVantoMemories> memories = MemoriesOf(kernel, direction);
  LONG count = 0;
  if (!memories || FAILED(memories->GetCount(&count))) return 4;
  for (LONG i = 0; i < count; ++i) {
    ComPtr<IVantoMemory> memory;
    if (FAILED(memories->GetItem(i, &memory)) || Property(memory.Get(), kVantoMemoryName) != argv[1])
      continue;
    Bstr source(argv[2]);
    Bstr target(argv[3]);
    return memory->AddSegment(source.get(), target.get()) == S_OK ? 0 : 5;
  }
  return 6;
}

}  // namespace

int ChildMain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::wstring command = argv[0];
  try {
    test::RegistrySandbox registry;
    test::SetString(HKEY_CURRENT_USER, kSettingsKey, L"DataFolder", argv[1]);
    ComPtr<IVantoKernel> kernel = NewKernel();
    if (!kernel) return 7;
    if (command == L"translate" && argc == 5) return TranslateCommand(kernel.Get(), argv + 2);
    if (command == L"add-segment" && argc == 6) return AddSegmentCommand(kernel.Get(), argv + 2);
    return 2;
  } catch (...) {
    return 8;
  }
}

}  // namespace kerneltest
