// The network kernel and the message component's start-up handshake.
#include <gtest/gtest.h>

#include "KernelTestSupport.h"

namespace kerneltest {
namespace {

class KernelNetwork : public KernelTest {
 protected:
  ComPtr<IVantoNetworkKernel> NetworkKernel() {
    ComPtr<IVantoNetworkKernel> network;
    EXPECT_EQ(
        ::CoCreateInstance(CLSID_VantoNetworkKernel, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&network)),
        S_OK);
    return network;
  }
};

TEST_F(KernelNetwork, WithoutTheNetworkClientTheClassCannotBeCreated) {
  ComPtr<IVantoNetworkKernel> network;
  EXPECT_EQ(
      ::CoCreateInstance(CLSID_VantoNetworkKernel, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&network)),
      CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(network, nullptr);
}

TEST_F(KernelNetwork, WhenNoServerAnswersConnectFailsAndHandsOutNothing) {
  SetSetting(L"NetworkServer", L"");
  ComPtr<IVantoNetworkKernel> network = NetworkKernel();
  ASSERT_TRUE(network);
  ComPtr<IVantoKernel> kernel;
  Bstr name;
  VARIANT_BOOL isLocal = VARIANT_FALSE;
  Bstr client(L"Startdeck");
  EXPECT_EQ(network->Connect(client.get(), &kernel, name.put(), &isLocal), VANTO_E_NO_SERVER);
  EXPECT_EQ(kernel, nullptr);
  EXPECT_TRUE(name.get() == nullptr);
  EXPECT_EQ(network->GetServerName(name.put()), VANTO_E_NO_SERVER);
  EXPECT_TRUE(name.get() == nullptr);
}

TEST_F(KernelNetwork, WithAServerConnectGivesAWorkingRemoteKernel) {
  SetSetting(L"NetworkServer", L"SRV1");
  ComPtr<IVantoNetworkKernel> network = NetworkKernel();
  ComPtr<IVantoKernel> kernel;
  Bstr name;
  VARIANT_BOOL isLocal = VARIANT_TRUE;
  Bstr client(L"Startdeck");
  ASSERT_EQ(network->Connect(client.get(), &kernel, name.put(), &isLocal), S_OK);
  EXPECT_EQ(name.str(), L"SRV1");
  EXPECT_EQ(isLocal, VARIANT_FALSE);
  ASSERT_TRUE(kernel);
  ComPtr<IVantoDirections> directions;
  ASSERT_EQ(kernel->GetDirections(&directions), S_OK);
  LONG count = 0;
  ASSERT_EQ(directions->GetCount(&count), S_OK);
  EXPECT_EQ(count, 10);
  EXPECT_EQ(Translate(kernel.Get(), 0, L"Good night!"), L"Gute Nacht!");
  EXPECT_EQ(network->Connect(client.get(), nullptr, name.put(), &isLocal), E_POINTER);
}

TEST_F(KernelNetwork, TheServerNameIsTheOneInUseAtEachCall) {
  SetSetting(L"NetworkServer", L"SRV1");
  ComPtr<IVantoNetworkKernel> network = NetworkKernel();
  ASSERT_TRUE(network);
  Bstr name;
  ASSERT_EQ(network->GetServerName(name.put()), S_OK);
  EXPECT_EQ(name.str(), L"SRV1");
  SetSetting(L"NetworkServer", L"SRV2");
  ASSERT_EQ(network->GetServerName(name.put()), S_OK);
  EXPECT_EQ(name.str(), L"SRV2");
  EXPECT_EQ(network->GetServerName(nullptr), E_POINTER);
}

TEST_F(KernelNetwork, TheErrorReporterIsReachableFromTheNetworkKernel) {
  SetSetting(L"NetworkServer", L"");
  ComPtr<IVantoMessages> reporter;
  ASSERT_EQ(NetworkKernel()->GetErrorReporter(&reporter), S_OK);
  EXPECT_TRUE(reporter);
}

class KernelMessages : public KernelTest {};

TEST_F(KernelMessages, TheConnectionIsAcceptedOnlyBetweenSetupAndFinish) {
  struct Step {
    const char* what;
    HRESULT (*act)(IVantoMessages*);
    VARIANT_BOOL accepted;
  };
  const Step steps[] = {
      {"before setup", [](IVantoMessages*) { return S_OK; }, VARIANT_FALSE},
      {"after setup", [](IVantoMessages* m) { return m->Setup(3, 0); }, VARIANT_TRUE},
      {"after start",
       [](IVantoMessages* m) {
         Bstr product(L"VANTO Home");
         return m->Start(product.get());
       },
       VARIANT_TRUE},
      {"after finish", [](IVantoMessages* m) { return m->Finish(); }, VARIANT_FALSE},
      {"after a second finish", [](IVantoMessages* m) { return m->Finish(); }, VARIANT_FALSE},
  };
  ComPtr<IVantoMessages> messages;
  ASSERT_EQ(::CoCreateInstance(CLSID_VantoMessages, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&messages)),
            S_OK);
  for (const Step& step : steps) {
    EXPECT_EQ(step.act(messages.Get()), S_OK) << step.what;
    VARIANT_BOOL accepted = 7;
    Bstr server(L"local");
    ASSERT_EQ(messages->ReportConnection(VARIANT_TRUE, server.get(), &accepted), S_OK);
    EXPECT_EQ(accepted, step.accepted) << step.what;
  }
}

TEST_F(KernelMessages, TheRefusalSwitchRefusesEveryConnection) {
  SetSetting(L"RefuseConnection", 1);
  ComPtr<IVantoMessages> messages;
  ASSERT_EQ(::CoCreateInstance(CLSID_VantoMessages, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&messages)),
            S_OK);
  ASSERT_EQ(messages->Setup(3, 0), S_OK);
  VARIANT_BOOL accepted = VARIANT_TRUE;
  ASSERT_EQ(messages->ReportConnection(VARIANT_FALSE, nullptr, &accepted), S_OK);
  EXPECT_EQ(accepted, VARIANT_FALSE);
}

}  // namespace
}  // namespace kerneltest
