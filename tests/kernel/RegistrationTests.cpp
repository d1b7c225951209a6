// The DLL's self-registration and the lifetime rules of its objects.
#include <gtest/gtest.h>

#include "KernelTestSupport.h"

namespace kerneltest {
namespace {

struct ClassCase {
  const CLSID* clsid;
  const wchar_t* key;
  const wchar_t* keyDefault;  // nullptr: any description
};

constexpr ClassCase kClasses[] = {
    {&CLSID_VantoMessages, L"SOFTWARE\\Classes\\CLSID\\{B9C7589A-463E-490E-8ACC-E9BB65DDB50D}", nullptr},
    {&CLSID_VantoNetworkKernel, L"SOFTWARE\\Classes\\CLSID\\{DEF33D5F-398E-41DC-8271-024CED2B60AB}", nullptr},
    // The start centre reads this default as the add-word dialog's entry: a number, not a name.
    {&CLSID_VantoLocalKernel, L"SOFTWARE\\Classes\\CLSID\\{5A3C7E10-2B4D-4F61-9C8A-0D1E2F3A4B5C}", L"1"},
    {&CLSID_VantoText, L"SOFTWARE\\Classes\\CLSID\\{23A33311-5B98-430C-BE9A-38DC1BE4E42E}", nullptr},
};

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(::towlower(c));
  return text;
}

TEST(KernelRegistration, WritesEveryClassAndRemovesItAgain) {
  test::RegistrySandbox registry;  // the sandboxed HKLM, not the prefix's real classes
  ASSERT_EQ(CallKernelExport("DllRegisterServer"), S_OK);
  for (const ClassCase& c : kClasses) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(c.key)));
    bool found = false;
    const std::wstring keyDefault = test::GetString(HKEY_LOCAL_MACHINE, c.key, L"", &found);
    EXPECT_TRUE(found);
    if (c.keyDefault) {
      EXPECT_EQ(keyDefault, c.keyDefault);
    }
    const std::wstring server = std::wstring(c.key) + L"\\InprocServer32";
    EXPECT_EQ(Lower(test::GetString(HKEY_LOCAL_MACHINE, server, L"")), Lower(KernelDllPath().wstring()));
    EXPECT_EQ(test::GetString(HKEY_LOCAL_MACHINE, server, L"ThreadingModel"), L"Both");
  }
  ASSERT_EQ(CallKernelExport("DllUnregisterServer"), S_OK);
  for (const ClassCase& c : kClasses) EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, c.key)) << c.key;
  // Unregistering what is not registered is no error.
  EXPECT_EQ(CallKernelExport("DllUnregisterServer"), S_OK);
}

TEST(KernelRegistration, ThePrefixHasTheLocalKernelWithANumberAsDefault) {
  // Outside any sandbox: what the start centre finds on a real machine.
  EXPECT_EQ(test::GetString(HKEY_LOCAL_MACHINE, kClasses[2].key, L""), L"1");
}

TEST(KernelLifetime, EveryClassHasCountedReferencesAndTheFreeThreadedMarshaler) {
  // A network client, so that the network kernel is there to be made.
  test::RegistrySandbox registry;
  test::SetString(HKEY_CURRENT_USER, kSettingsKey, L"NetworkServer", L"");
  for (const ClassCase& c : kClasses) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(c.key)));
    IUnknown* object = nullptr;
    ASSERT_EQ(::CoCreateInstance(
                  *c.clsid, nullptr,
                  CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER,
                  IID_IUnknown, reinterpret_cast<void**>(&object)),
              S_OK);
    EXPECT_EQ(object->AddRef(), 2u);
    EXPECT_EQ(KernelCanUnloadNow(), S_FALSE);
    IUnknown* marshaler = nullptr;
    EXPECT_EQ(object->QueryInterface(IID_IMarshal, reinterpret_cast<void**>(&marshaler)), S_OK);
    if (marshaler) marshaler->Release();
    IUnknown* foreign = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&foreign)), E_NOINTERFACE);
    EXPECT_EQ(foreign, nullptr);
    EXPECT_EQ(object->Release(), 1u);
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(KernelCanUnloadNow(), S_OK);
  }
}

TEST(KernelLifetime, AggregationIsRefusedAndLockServerHoldsTheDll) {
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(::CoGetClassObject(CLSID_VantoLocalKernel, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&factory)),
            S_OK);
  ComPtr<IUnknown> outer;
  ASSERT_EQ(::CoCreateInstance(CLSID_VantoText, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&outer)), S_OK);
  IUnknown* inner = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(factory->CreateInstance(outer.Get(), IID_IUnknown, reinterpret_cast<void**>(&inner)),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(inner, nullptr);
  outer.Reset();
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  factory.Reset();
  EXPECT_EQ(KernelCanUnloadNow(), S_FALSE);
  ASSERT_EQ(::CoGetClassObject(CLSID_VantoLocalKernel, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&factory)),
            S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory.Reset();
  EXPECT_EQ(KernelCanUnloadNow(), S_OK);
}

class KernelObjects : public KernelTest {};

TEST_F(KernelObjects, EveryObjectAKernelHandsOutIsReleasedWithIt) {
  {
    ComPtr<IVantoKernel> kernel = NewKernel();
    ASSERT_TRUE(kernel);
    ComPtr<IVantoDirections> directions;
    ComPtr<IVantoProfiles> profiles;
    ComPtr<IVantoSettings> settings;
    ComPtr<IVantoTextTranslator> translator;
    ComPtr<IVantoAddWord> addWord;
    ComPtr<IVantoDictionary> dictionary;
    ComPtr<IVantoProfileEditor> editor;
    ASSERT_EQ(kernel->GetDirections(&directions), S_OK);
    ASSERT_EQ(directions->GetProfiles(0, &profiles), S_OK);
    ComPtr<IVantoDictionaries> dictionaries = DictionariesOf(kernel.Get(), 0);
    ComPtr<IVantoMemories> memories = MemoriesOf(kernel.Get(), 0);
    ASSERT_TRUE(dictionaries && memories);
    ASSERT_EQ(dictionaries->GetItem(0, &dictionary), S_OK);
    ASSERT_EQ(kernel->GetSettings(&settings), S_OK);
    ASSERT_EQ(settings->GetTextTranslator(&translator), S_OK);
    ASSERT_EQ(settings->GetAddWord(&addWord), S_OK);
    ASSERT_EQ(kernel->GetProfileEditor(&editor), S_OK);
    // Every object is a reference count of its own: one more and one less leaves it as it was.
    for (IUnknown* object : std::initializer_list<IUnknown*>{
             kernel.Get(), directions.Get(), profiles.Get(), settings.Get(), translator.Get(), addWord.Get(),
             dictionaries.Get(), dictionary.Get(), memories.Get(), editor.Get()}) {
      const ULONG added = object->AddRef();
      EXPECT_EQ(object->Release(), added - 1);
    }
    EXPECT_EQ(KernelCanUnloadNow(), S_FALSE);
  }
  EXPECT_EQ(KernelCanUnloadNow(), S_OK);
}

TEST_F(KernelObjects, AKernelIsUsableOnlyAfterOneInitialize) {
  ComPtr<IVantoLocalKernel> local;
  ASSERT_EQ(::CoCreateInstance(CLSID_VantoLocalKernel, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&local)),
            S_OK);
  ComPtr<IVantoKernel> kernel;
  ASSERT_EQ(local.As(&kernel), S_OK);
  ComPtr<IVantoDirections> directions;
  EXPECT_EQ(kernel->GetDirections(&directions), CO_E_NOTINITIALIZED);
  LONG status = -1;
  EXPECT_EQ(kernel->CommitSettings(&status), CO_E_NOTINITIALIZED);
  Bstr client(L"KernelTests");
  EXPECT_EQ(local->Initialize(client.get()), S_OK);
  EXPECT_TRUE(FAILED(local->Initialize(client.get())));
  EXPECT_EQ(kernel->GetDirections(&directions), S_OK);
  EXPECT_EQ(kernel->CommitSettings(&status), S_OK);
  EXPECT_EQ(status, 0);
}

TEST(KernelText, TextObjectsKeepTheirTextAndReadNullAsEmpty) {
  ComPtr<IVantoText> text;
  ASSERT_EQ(::CoCreateInstance(
                CLSID_VantoText, nullptr,
                CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER,
                IID_PPV_ARGS(&text)),
            S_OK);
  for (const wchar_t* value : {L"Hello, world", L"", L"Grüße\r\nПривет"}) {
    Bstr in(value);
    Bstr out;
    ASSERT_EQ(text->SetText(in.get()), S_OK);
    ASSERT_EQ(text->GetText(out.put()), S_OK);
    EXPECT_EQ(out.str(), value);
  }
  Bstr out;
  EXPECT_EQ(text->SetText(nullptr), S_OK);
  EXPECT_EQ(text->GetText(out.put()), S_OK);
  EXPECT_EQ(out.str(), L"");
  EXPECT_EQ(text->GetText(nullptr), E_POINTER);
}

}  // namespace
}  // namespace kerneltest
