// The kernel interface marshalled to a second single-threaded apartment, as the start centre hands
// it to its web-service thread, and the kernel used from several threads at once.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "KernelTestSupport.h"
#include "win/ComScope.h"

namespace kerneltest {
namespace {

class KernelThreads : public KernelTest {};

TEST_F(KernelThreads, TheKernelMarshalledToAnotherApartmentIsTheSameObjectAndWorks) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  ComPtr<IUnknown> identity;
  ASSERT_EQ(kernel.As(&identity), S_OK);
  IStream* stream = nullptr;
  ASSERT_EQ(::CoMarshalInterThreadInterfaceInStream(__uuidof(IVantoKernel), kernel.Get(), &stream), S_OK);

  HRESULT apartment = E_FAIL, unmarshalled = E_FAIL;
  IUnknown* seen = nullptr;
  LONG count = 0;
  std::wstring translated;
  std::thread worker([&] {
    const win::ComApartment com;
    apartment = com.result();
    ComPtr<IVantoKernel> remote;
    unmarshalled = ::CoGetInterfaceAndReleaseStream(stream, IID_PPV_ARGS(&remote));
    if (FAILED(unmarshalled)) return;
    ComPtr<IUnknown> remoteIdentity;
    if (SUCCEEDED(remote.As(&remoteIdentity))) seen = remoteIdentity.Get();
    ComPtr<IVantoDirections> directions;
    if (SUCCEEDED(remote->GetDirections(&directions))) (void)directions->GetCount(&count);
    HRESULT hr = S_OK;
    translated = Translate(remote.Get(), 3, L"Спасибо!", &hr);
  });
  worker.join();
  EXPECT_EQ(apartment, S_OK);
  ASSERT_EQ(unmarshalled, S_OK);
  EXPECT_EQ(seen, identity.Get());  // the free-threaded marshaler hands over the object itself
  EXPECT_EQ(count, 10);
  EXPECT_EQ(translated, L"Thank you!");
}

TEST_F(KernelThreads, TranslationsOnSeveralThreadsWhileWordsAreAdded) {
  ComPtr<IVantoKernel> kernel = NewKernel();
  test::WriteFile(data_.Folder(L"Dictionaries") / L"busy.vdic", "name\tBusy\ndirection\t2311\n");
  ComPtr<IVantoDictionary> busy;
  ASSERT_EQ(DictionariesOf(kernel.Get(), 0)->GetItem(1, &busy), S_OK);
  ASSERT_EQ(kernel->SetCurrentDirection(0), S_OK);
  ComPtr<IVantoSettings> settings;
  ASSERT_EQ(kernel->GetSettings(&settings), S_OK);

  constexpr int kThreads = 3;
  constexpr int kRounds = 40;
  std::vector<std::wstring> unexpected(kThreads);
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t) {
    workers.emplace_back([&, t] {
      const win::ComApartment com;
      Bstr text(L"My dog and my cat.");
      for (int i = 0; i < kRounds; ++i) {
        Bstr result;
        if (FAILED(settings->Translate(text.get(), result.put()))) {
          unexpected[t] = L"failed";
          return;
        }
        // Before or after the word arrives, never anything in between.
        if (result.str() != L"Mein Hund und mein Katze." && result.str() != L"Mein Köter und mein Katze.")
          unexpected[t] = result.str();
      }
    });
  }
  Bstr dog(L"dog"), koeter(L"Köter");
  const HRESULT added = busy->AddEntry(dog.get(), koeter.get());
  for (std::thread& worker : workers) worker.join();
  EXPECT_EQ(added, S_OK);
  for (const std::wstring& u : unexpected) EXPECT_EQ(u, L"");
  EXPECT_EQ(Translate(kernel.Get(), 0, L"My dog and my cat."), L"Mein Köter und mein Katze.");
}

}  // namespace
}  // namespace kerneltest
