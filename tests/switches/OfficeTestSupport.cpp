#include "OfficeTestSupport.h"

#include <fstream>
#include <iterator>

#include "support/ScratchDir.h"
#include "support/TestPaths.h"
#include "win/Resources.h"

namespace officetest {

std::filesystem::path EdSetupDll() {
  return test::BinFolder() / L"edsetup.dll";
}

void EdSetupRegistration::SetUp() {
  // Loaded here and kept: COM finds the same module when it creates the class.
  static HMODULE module = ::LoadLibraryW(EdSetupDll().c_str());
  ASSERT_NE(module, nullptr);
  auto registerServer = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
      reinterpret_cast<void*>(::GetProcAddress(module, "DllRegisterServer")));
  ASSERT_NE(registerServer, nullptr);
  ASSERT_EQ(registerServer(), S_OK);
}

PrivateInstaller::PrivateInstaller(const std::filesystem::path& folder) {
  const std::filesystem::path copy = folder / L"edsetup.dll";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::filesystem::copy_file(EdSetupDll(), copy, std::filesystem::copy_options::overwrite_existing, ec);
  if (!ec) module_.reset(::LoadLibraryW(copy.c_str()));
}

PrivateInstaller::~PrivateInstaller() = default;

HRESULT PrivateInstaller::ClassObject(REFIID riid, void** ppv) const {
  return ClassObject(CLSID_VantoEdSetup, riid, ppv);
}

HRESULT PrivateInstaller::ClassObject(REFCLSID clsid, REFIID riid, void** ppv) const {
  using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto get = reinterpret_cast<GetClassObjectFn>(
      reinterpret_cast<void*>(::GetProcAddress(module_.get(), "DllGetClassObject")));
  return get ? get(clsid, riid, ppv) : E_NOTIMPL;
}

HRESULT PrivateInstaller::Call(const char* exportName) const {
  auto function = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
      reinterpret_cast<void*>(::GetProcAddress(module_.get(), exportName)));
  return function ? function() : E_NOTIMPL;
}

HRESULT PrivateInstaller::CanUnloadNow() const {
  return Call("DllCanUnloadNow");
}

ComPtr<IVantoEdSetup> PrivateInstaller::Create() const {
  ComPtr<IClassFactory> factory;
  ComPtr<IVantoEdSetup> installer;
  EXPECT_EQ(ClassObject(IID_PPV_ARGS(&factory)), S_OK);
  if (factory) {
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_PPV_ARGS(&installer)), S_OK);
  }
  return installer;
}

EnglishStrings::EnglishStrings() {
  const std::wstring path = (test::BinFolder() / L"StartdeckResENU.dll").wstring();
  win::UniqueModule module(
      ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  EXPECT_TRUE(module.valid()) << "cannot load " << test::BinFolder() / L"StartdeckResENU.dll";
  win::AdoptResourceModule(std::move(module));
}

EnglishStrings::~EnglishStrings() {
  win::ResetResourceModule();
}

BoxRecorder::BoxRecorder() {
  win::SetMessageBoxAnswerer([this](const win::MessageBoxRequest& request) {
    boxes_.push_back(request);
    return IDOK;
  });
}

BoxRecorder::~BoxRecorder() {
  win::SetMessageBoxAnswerer({});
}

std::wstring ReadUtf16File(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::wstring text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                 (static_cast<unsigned char>(bytes[i + 1]) << 8));
  if (!text.empty() && text.front() == L'\xFEFF') text.erase(0, 1);
  return text;
}

void Touch(const std::filesystem::path& file) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << "placeholder";
}

std::map<std::wstring, std::string> Snapshot(const std::filesystem::path& folder) {
  std::map<std::wstring, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    files[std::filesystem::relative(entry.path(), folder).wstring()] =
        entry.is_regular_file() ? test::ReadFile(entry.path()) : "<dir>";
  return files;
}

std::wstring PluginName(const std::filesystem::path& plugin) {
  const win::UniqueModule module(::LoadLibraryW(plugin.c_str()));
  if (!module) return L"<not loaded>";
  using NameFunction = int(WINAPI*)(wchar_t*, int);
  const auto name = reinterpret_cast<NameFunction>(
      reinterpret_cast<void*>(::GetProcAddress(module.get(), "VantoQipPluginName")));
  if (!name) return L"<no export>";
  wchar_t buffer[128] = {};
  return std::wstring(buffer, static_cast<size_t>(name(buffer, 128)));
}

}  // namespace officetest
