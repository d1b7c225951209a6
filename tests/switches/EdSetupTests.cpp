// The ED Word template installer substitute as its clients meet it: registration, object lifetime,
// the template put into and taken out of Word's start-up folder, the presence checks, and the same
// members through IDispatch.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "OfficeTestSupport.h"
#include "core/Variant.h"
#include "support/RegistrySandbox.h"
#include "support/ScratchDir.h"
#include "support/TestPaths.h"

namespace officetest {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kClassKey[] = L"SOFTWARE\\Classes\\CLSID\\{D2E4F608-1A3B-4C5D-8E7F-9A0B1C2D3E4F}";

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(::towlower(c));
  return text;
}

// Every test: a sandboxed registry whose per-user StartupFolder points into a scratch folder, and a
// private copy of the installer with the template beside it.
class EdSetupTest : public ::testing::Test {
 protected:
  EdSetupTest() : installer_(InstallerFolder()) {
    test::SetString(HKEY_CURRENT_USER, kEdSettingsKey, L"StartupFolder", Startup().wstring());
  }
  fs::path InstallerFolder() const { return scratch_.path() / L"VNTOED"; }
  fs::path Startup() const { return scratch_.path() / L"Word" / L"STARTUP"; }
  fs::path Installed() const { return Startup() / L"vntoed8.dot"; }
  void PutTemplateBesideInstaller() const {
    fs::copy_file(EdSetupDll().parent_path() / L"vntoed8.dot", InstallerFolder() / L"vntoed8.dot",
                  fs::copy_options::overwrite_existing);
  }
  static LONG State(IVantoEdSetup* setup) {
    LONG state = -1;
    EXPECT_EQ(setup->get_State(&state), S_OK);
    return state;
  }

  test::RegistrySandbox registry_;
  test::ScratchDir scratch_;
  PrivateInstaller installer_;
};

TEST_F(EdSetupTest, RegistrationWritesTheMachineWideClassAndRemovesIt) {
  ASSERT_TRUE(installer_.Loaded());
  ASSERT_EQ(installer_.Call("DllRegisterServer"), S_OK);  // into the sandboxed HKLM
  bool found = false;
  EXPECT_FALSE(test::GetString(HKEY_LOCAL_MACHINE, kClassKey, L"", &found).empty());
  EXPECT_TRUE(found);
  const std::wstring server = std::wstring(kClassKey) + L"\\InprocServer32";
  EXPECT_EQ(Lower(test::GetString(HKEY_LOCAL_MACHINE, server, L"")),
            Lower((InstallerFolder() / L"edsetup.dll").wstring()));
  EXPECT_EQ(test::GetString(HKEY_LOCAL_MACHINE, server, L"ThreadingModel"), L"Both");
  ASSERT_EQ(installer_.Call("DllUnregisterServer"), S_OK);
  EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kClassKey));
  EXPECT_EQ(installer_.Call("DllUnregisterServer"), S_OK);  // nothing left to remove is no error
}

TEST_F(EdSetupTest, ReferencesAreCountedAndTheDllUnloadsWhenTheLastGoes) {
  ASSERT_TRUE(installer_.Loaded());
  EXPECT_EQ(installer_.CanUnloadNow(), S_OK);
  IVantoEdSetup* setup = installer_.Create().Detach();
  ASSERT_NE(setup, nullptr);
  EXPECT_EQ(installer_.CanUnloadNow(), S_FALSE);
  EXPECT_EQ(setup->AddRef(), 2u);
  IDispatch* dispatch = nullptr;
  ASSERT_EQ(setup->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
  EXPECT_EQ(static_cast<IUnknown*>(dispatch), static_cast<IUnknown*>(setup));  // one dual interface
  EXPECT_EQ(dispatch->Release(), 2u);
  IUnknown* foreign = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(setup->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&foreign)), E_NOINTERFACE);
  EXPECT_EQ(foreign, nullptr);
  EXPECT_EQ(setup->Release(), 1u);
  EXPECT_EQ(setup->Release(), 0u);
  EXPECT_EQ(installer_.CanUnloadNow(), S_OK);
}

TEST_F(EdSetupTest, TheFactoryRefusesAggregationAndOtherClassesAndLockServerHoldsTheDll) {
  ASSERT_TRUE(installer_.Loaded());
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(installer_.ClassObject(IID_PPV_ARGS(&factory)), S_OK);
  ComPtr<IUnknown> outer = installer_.Create();
  IUnknown* inner = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(factory->CreateInstance(outer.Get(), IID_IUnknown, reinterpret_cast<void**>(&inner)),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(inner, nullptr);
  outer.Reset();
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  factory.Reset();
  EXPECT_EQ(installer_.CanUnloadNow(), S_FALSE);
  ASSERT_EQ(installer_.ClassObject(IID_PPV_ARGS(&factory)), S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory.Reset();
  EXPECT_EQ(installer_.CanUnloadNow(), S_OK);
  IClassFactory* other = reinterpret_cast<IClassFactory*>(1);
  EXPECT_EQ(installer_.ClassObject(IID_IDispatch, IID_IClassFactory, reinterpret_cast<void**>(&other)),
            CLASS_E_CLASSNOTAVAILABLE);  // any CLSID but the installer's
  EXPECT_EQ(other, nullptr);
}

TEST_F(EdSetupTest, InstallCopiesTheTemplateIntoWordsStartupFolderAndUninstallRemovesIt) {
  PutTemplateBesideInstaller();
  ComPtr<IVantoEdSetup> setup = installer_.Create();
  ASSERT_TRUE(setup);
  Bstr folder;
  ASSERT_EQ(setup->get_StartupFolder(folder.put()), S_OK);
  EXPECT_EQ(folder.str(), Startup().wstring());
  Bstr installedPath;
  ASSERT_EQ(setup->get_InstalledTemplate(installedPath.put()), S_OK);
  EXPECT_EQ(installedPath.str(), Installed().wstring());

  EXPECT_EQ(State(setup.Get()), 0);
  EXPECT_EQ(setup->Uninstall(), S_FALSE);  // nothing to remove
  ASSERT_EQ(setup->Install(), S_OK);       // the start-up folder did not exist yet
  EXPECT_EQ(State(setup.Get()), 1);
  EXPECT_EQ(test::ReadFile(Installed()), test::ReadFile(InstallerFolder() / L"vntoed8.dot"));
  // Installing again replaces the template; the temporary file never stays.
  test::WriteFile(Installed(), "an older template");
  ASSERT_EQ(setup->Install(), S_OK);
  EXPECT_EQ(test::ReadFile(Installed()), test::ReadFile(InstallerFolder() / L"vntoed8.dot"));
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(Startup())) {
    ++files;
    EXPECT_EQ(entry.path().filename(), L"vntoed8.dot");
  }
  EXPECT_EQ(files, 1u);

  ASSERT_EQ(setup->Uninstall(), S_OK);
  EXPECT_FALSE(fs::exists(Installed()));
  EXPECT_EQ(State(setup.Get()), 0);
  EXPECT_EQ(setup->Uninstall(), S_FALSE);
}

TEST_F(EdSetupTest, InstallWithoutTheTemplateBesideItFailsAndWritesNothing) {
  ComPtr<IVantoEdSetup> setup = installer_.Create();
  ASSERT_TRUE(setup);
  EXPECT_EQ(setup->Install(), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(fs::exists(Startup()));
  EXPECT_EQ(State(setup.Get()), 0);
}

TEST_F(EdSetupTest, ItNamesItsVersionTemplateAndSourceFolder) {
  ComPtr<IVantoEdSetup> setup = installer_.Create();
  ASSERT_TRUE(setup);
  Bstr text;
  ASSERT_EQ(setup->get_Version(text.put()), S_OK);
  EXPECT_EQ(text.str().rfind(L"8.0.", 0), 0u) << text.str();
  ASSERT_EQ(setup->get_TemplateName(text.put()), S_OK);
  EXPECT_EQ(text.str(), L"vntoed8.dot");
  ASSERT_EQ(setup->get_SourceFolder(text.put()), S_OK);
  EXPECT_EQ(Lower(text.str()), Lower(InstallerFolder().wstring()));
  EXPECT_EQ(setup->get_Version(nullptr), E_POINTER);
  EXPECT_EQ(setup->get_State(nullptr), E_POINTER);
}

struct PresenceCase {
  const char* label;
  SHORT mode;
  const wchar_t* text;
  bool templateBeside;
  const wchar_t* wordVersion;  // the Word InstallRoot present in HKLM, or null
  HRESULT expected;
};

constexpr PresenceCase kPresenceCases[] = {
    {"TemplateBeside", 2, L"vntoed8.dot", true, nullptr, S_OK},
    {"TemplateBesideOtherCase", 2, L"VNTOED8.DOT", true, nullptr, S_OK},
    {"TemplateMissing", 2, L"vntoed8.dot", false, nullptr, S_FALSE},
    {"OtherTemplate", 2, L"other.dot", true, nullptr, S_FALSE},
    {"NotAPlainName", 2, L"..\\VNTOED\\vntoed8.dot", true, nullptr, S_FALSE},
    {"EmptyName", 2, L"", true, nullptr, E_INVALIDARG},
    {"Word2007", 3, L"", true, L"12.0", S_OK},
    {"Word2010", 3, L"", true, L"14.0", S_OK},
    {"Word2007NamedTemplate", 3, L"vntoed8.dot", true, L"12.0", S_OK},
    {"Word2007TemplateMissing", 3, L"", false, L"12.0", S_FALSE},
    {"OnlyWord2003", 3, L"", true, L"11.0", S_FALSE},
    {"NoWord", 3, L"", true, nullptr, S_FALSE},
    {"UnknownMode", 1, L"vntoed8.dot", true, L"12.0", E_INVALIDARG},
};

void PrintTo(const PresenceCase& c, std::ostream* out) {
  *out << c.label;
}

class EdSetupPresence : public EdSetupTest, public ::testing::WithParamInterface<PresenceCase> {};

TEST_P(EdSetupPresence, AnswersAsTheCaseSays) {
  const PresenceCase& c = GetParam();
  if (c.templateBeside) PutTemplateBesideInstaller();
  if (c.wordVersion)
    test::CreateKey(HKEY_LOCAL_MACHINE,
                    std::wstring(L"Software\\Microsoft\\Office\\") + c.wordVersion + L"\\Word\\InstallRoot");
  ComPtr<IVantoEdSetup> setup = installer_.Create();
  ASSERT_TRUE(setup);
  Bstr text(c.text);
  EXPECT_EQ(setup->CheckPresence(c.mode, text.get()), c.expected);
}

std::string PresenceCaseName(const ::testing::TestParamInfo<PresenceCase>& param) {
  return param.param.label;
}

INSTANTIATE_TEST_SUITE_P(Cases, EdSetupPresence, ::testing::ValuesIn(kPresenceCases), PresenceCaseName);

// The positions that callers of the dual interface rely on: custom method n sits in the vtable
// right after the seven IUnknown and IDispatch methods (slot 6 + n).
TEST_F(EdSetupTest, TheCustomMethodsSitAtTheirFixedPositions) {
  PutTemplateBesideInstaller();
  ComPtr<IVantoEdSetup> setup = installer_.Create();
  ASSERT_TRUE(setup);
  void** vtable = *reinterpret_cast<void***>(setup.Get());
  using NoArguments = HRESULT(STDMETHODCALLTYPE*)(IVantoEdSetup*);
  using StateQuery = HRESULT(STDMETHODCALLTYPE*)(IVantoEdSetup*, LONG*);
  using Presence = HRESULT(STDMETHODCALLTYPE*)(IVantoEdSetup*, SHORT, BSTR);
  auto method = [&](int n) { return vtable[6 + n]; };
  Bstr name(L"vntoed8.dot");
  EXPECT_EQ(reinterpret_cast<Presence>(method(9))(setup.Get(), 2, name.get()), S_OK);
  ASSERT_EQ(reinterpret_cast<NoArguments>(method(3))(setup.Get()), S_OK);
  LONG state = 0;
  ASSERT_EQ(reinterpret_cast<StateQuery>(method(5))(setup.Get(), &state), S_OK);
  EXPECT_NE(state, 0);
  ASSERT_EQ(reinterpret_cast<NoArguments>(method(4))(setup.Get()), S_OK);
  ASSERT_EQ(reinterpret_cast<StateQuery>(method(5))(setup.Get(), &state), S_OK);
  EXPECT_EQ(state, 0);
}

TEST_F(EdSetupTest, LateBoundCallersReachTheSameMembersByName) {
  PutTemplateBesideInstaller();
  ComPtr<IDispatch> dispatch;
  ASSERT_EQ(installer_.Create().As(&dispatch), S_OK);
  UINT typeInfos = 1;
  EXPECT_EQ(dispatch->GetTypeInfoCount(&typeInfos), S_OK);
  EXPECT_EQ(typeInfos, 0u);

  const struct {
    const wchar_t* name;
    DISPID id;
  } names[] = {{L"Version", 1},      {L"StartupFolder", 2}, {L"Install", 3},      {L"Uninstall", 4},
               {L"state", 5},        {L"SourceFolder", 6},  {L"TemplateName", 7}, {L"InstalledTemplate", 8},
               {L"CheckPresence", 9}};
  for (const auto& row : names) {
    LPOLESTR name = const_cast<LPOLESTR>(row.name);
    DISPID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK) << row.name;
    EXPECT_EQ(id, row.id) << row.name;
  }
  LPOLESTR unknown = const_cast<LPOLESTR>(L"Repair");
  DISPID id = 0;
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, &unknown, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);

  // CheckPresence(2, "vntoed8.dot"): arguments travel last first.
  VARIANT arguments[2];
  arguments[0].vt = VT_BSTR;
  const app::Bstr templateName(L"vntoed8.dot");
  arguments[0].bstrVal = templateName.get();  // lent: the owner frees it
  arguments[1].vt = VT_I4;                    // coerced to the 16-bit mode
  arguments[1].lVal = 2;
  DISPPARAMS params{arguments, nullptr, 2, 0};
  app::Variant result;  // each call clears what the one before left in it
  EXPECT_EQ(dispatch->Invoke(kVantoEdDispCheckPresence, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                             &params, result.put(), nullptr, nullptr),
            S_OK);
  EXPECT_EQ(result.value().vt, VT_I4);
  EXPECT_EQ(result.value().lVal, S_OK);

  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(dispatch->Invoke(kVantoEdDispInstall, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                             result.put(), nullptr, nullptr),
            S_OK);
  EXPECT_TRUE(fs::exists(Installed()));
  EXPECT_EQ(dispatch->Invoke(kVantoEdDispState, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                             result.put(), nullptr, nullptr),
            S_OK);
  EXPECT_EQ(result.value().vt, VT_I4);
  EXPECT_EQ(result.value().lVal, 1);
  EXPECT_EQ(dispatch->Invoke(kVantoEdDispTemplateName, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                             &none, result.put(), nullptr, nullptr),
            S_OK);
  ASSERT_EQ(result.value().vt, VT_BSTR);
  EXPECT_STREQ(result.value().bstrVal, L"vntoed8.dot");
  // Uninstall twice: the second has nothing to remove and answers 1 (S_FALSE).
  for (LONG expected : {0L, 1L}) {
    EXPECT_EQ(dispatch->Invoke(kVantoEdDispUninstall, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                               result.put(), nullptr, nullptr),
              S_OK);
    EXPECT_EQ(result.value().lVal, expected);
  }
  EXPECT_FALSE(fs::exists(Installed()));

  EXPECT_EQ(dispatch->Invoke(kVantoEdDispCheckPresence, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                             result.put(), nullptr, nullptr),
            DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(dispatch->Invoke(42, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, result.put(), nullptr,
                             nullptr),
            DISP_E_MEMBERNOTFOUND);
}

// Outside the sandbox: what an installation meets.
TEST(EdSetupRegistered, CreatedThroughComWithEveryClassContextItPointsAtWordsOwnStartupFolder) {
  ComPtr<IVantoEdSetup> setup;
  ASSERT_EQ(::CoCreateInstance(CLSID_VantoEdSetup, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&setup)), S_OK);
  EXPECT_EQ(
      test::GetString(HKEY_LOCAL_MACHINE, std::wstring(kClassKey) + L"\\InprocServer32", L"ThreadingModel"),
      L"Both");
  Bstr folder;
  ASSERT_EQ(setup->get_StartupFolder(folder.put()), S_OK);
  const std::wstring suffix = L"\\Microsoft\\Word\\STARTUP";
  ASSERT_GT(folder.str().size(), suffix.size());
  EXPECT_EQ(folder.str().substr(folder.str().size() - suffix.size()), suffix);
  Bstr name(L"vntoed8.dot");
  EXPECT_EQ(setup->CheckPresence(kVantoEdCheckTemplate, name.get()), S_OK);  // beside the built DLL
}

}  // namespace
}  // namespace officetest
