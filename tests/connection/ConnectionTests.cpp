// KernelConnection against the real kernel substitute: local and network connections, a network
// client whose server does not answer, the server's name as it is now, a refused connection, the
// direction list that the settings store names directions from, and the error
// convention of kernel calls.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "core/ComError.h"
#include "core/KernelConnection.h"
#include "core/SettingsStore.h"
#include "support/RegistrySandbox.h"
#include "support/ScratchDir.h"
#include "support/TestPaths.h"
#include "win/ComScope.h"
#include "win/Handle.h"

namespace {

constexpr wchar_t kSubstituteKey[] = L"Software\\Korvelsoft\\VNTO9\\KernelSubstitute";

// The kernel registered the way its installer does, once for the program.
class KernelRegistration : public ::testing::Environment {
 public:
  void SetUp() override {
    module_.reset(::LoadLibraryW((test::BinFolder() / L"VantoKernel.dll").c_str()));
    ASSERT_TRUE(module_);
    using RegisterFn = HRESULT(STDAPICALLTYPE*)();
    auto registerServer = reinterpret_cast<RegisterFn>(
        reinterpret_cast<void*>(::GetProcAddress(module_.get(), "DllRegisterServer")));
    ASSERT_NE(registerServer, nullptr);
    ASSERT_EQ(registerServer(), S_OK);
  }

 private:
  win::UniqueModule module_;
};

class ConnectionTest : public test::SandboxedTest {
 protected:
  ConnectionTest() {
    test::SetString(HKEY_CURRENT_USER, kSubstituteKey, L"DataFolder", data_.path().wstring());
  }
  ~ConnectionTest() override { connection_.Disconnect(); }

  win::ComApartment apartment_;  // first in, last out: it outlives the connection
  test::ScratchDir data_;
  app::KernelConnection connection_;
};

TEST_F(ConnectionTest, ALocalKernelServesAMachineWithoutTheNetworkClient) {
  ASSERT_EQ(connection_.Connect(L"Startdeck", L"user", L"VANTO Translator Home"), S_OK);
  EXPECT_TRUE(connection_.IsConnected());
  EXPECT_TRUE(connection_.IsLocal());
  EXPECT_EQ(connection_.ServerName(), L"");
  EXPECT_NE(connection_.Kernel(), nullptr);
  EXPECT_NE(connection_.Messages(), nullptr);
  EXPECT_EQ(connection_.Network(), nullptr);
}

TEST_F(ConnectionTest, AServerTakesOverWhenOneAnswers) {
  test::SetString(HKEY_CURRENT_USER, kSubstituteKey, L"NetworkServer", L"SRV1");
  ASSERT_EQ(connection_.Connect(L"Startdeck", L"user", L"VANTO Translator Home"), S_OK);
  EXPECT_FALSE(connection_.IsLocal());
  EXPECT_EQ(connection_.ServerName(), L"SRV1");
  EXPECT_NE(connection_.Network(), nullptr);
  EXPECT_FALSE(connection_.Directions().empty());
}

TEST_F(ConnectionTest, ANetworkClientWhoseServerDoesNotAnswerHasNoKernelAtAll) {
  // The network kernel is there, but no server answers: start-up must end, not go on with a local
  // kernel that has none of the server's dictionaries.
  test::SetString(HKEY_CURRENT_USER, kSubstituteKey, L"NetworkServer", L"");
  EXPECT_EQ(connection_.Connect(L"Startdeck", L"user", L"VANTO Translator Home"), VANTO_E_NO_SERVER);
  EXPECT_FALSE(connection_.IsConnected());
  EXPECT_EQ(connection_.Network(), nullptr);
  EXPECT_EQ(connection_.ServerName(), L"");
  EXPECT_TRUE(connection_.Directions().empty());
  // The message component heard of the failure and still serves the shutdown.
  EXPECT_NE(connection_.Messages(), nullptr);
}

TEST_F(ConnectionTest, TheServerNameIsAskedOfTheServerEachTime) {
  test::SetString(HKEY_CURRENT_USER, kSubstituteKey, L"NetworkServer", L"SRV1");
  ASSERT_EQ(connection_.Connect(L"Startdeck", L"user", L"VANTO Translator Home"), S_OK);
  EXPECT_EQ(connection_.ServerName(), L"SRV1");
  test::SetString(HKEY_CURRENT_USER, kSubstituteKey, L"NetworkServer", L"SRV2");
  EXPECT_EQ(connection_.ServerName(), L"SRV2");
  // A server that cannot say leaves the name it gave last.
  test::SetString(HKEY_CURRENT_USER, kSubstituteKey, L"NetworkServer", L"");
  EXPECT_EQ(connection_.ServerName(), L"SRV2");
  EXPECT_FALSE(connection_.IsLocal());
}

TEST_F(ConnectionTest, ARefusedConnectionLeavesNoKernel) {
  test::SetDword(HKEY_CURRENT_USER, kSubstituteKey, L"RefuseConnection", 1);
  EXPECT_NE(connection_.Connect(L"Startdeck", L"user", L"VANTO Translator Home"), S_OK);
  EXPECT_FALSE(connection_.IsConnected());
  EXPECT_TRUE(connection_.Directions().empty());
}

TEST_F(ConnectionTest, DisconnectReleasesEverythingAndMayBeRepeated) {
  ASSERT_EQ(connection_.Connect(L"Startdeck", L"user", L"VANTO Translator Home"), S_OK);
  connection_.StartSession(L"VANTO Translator Home");
  connection_.EndStartUp();
  connection_.Disconnect();
  EXPECT_FALSE(connection_.IsConnected());
  EXPECT_EQ(connection_.Messages(), nullptr);
  connection_.Disconnect();
  // A new connection after a disconnect works as the first did.
  EXPECT_EQ(connection_.Connect(L"Startdeck", L"user", L"VANTO Translator Home"), S_OK);
}

TEST_F(ConnectionTest, DirectionsCarryDistinctIdsAndNames) {
  ASSERT_EQ(connection_.Connect(L"Startdeck", L"user", L"VANTO Translator Home"), S_OK);
  const std::vector<app::TranslationDirection> directions = connection_.Directions();
  ASSERT_GE(directions.size(), 10u);
  std::set<int> ids;
  std::set<std::wstring> names;
  for (const app::TranslationDirection& direction : directions) {
    EXPECT_TRUE(ids.insert(direction.id).second) << direction.id;
    EXPECT_TRUE(names.insert(direction.name).second);
  }
  EXPECT_TRUE(names.count(L"English-German"));
  EXPECT_TRUE(names.count(L"German-Russian"));
}

TEST_F(ConnectionTest, TheSettingsStoreNamesADirectionByTheKernelsList) {
  ASSERT_EQ(connection_.Connect(L"Startdeck", L"user", L"VANTO Translator Home"), S_OK);
  const std::vector<app::TranslationDirection> directions = connection_.Directions();
  ASSERT_FALSE(directions.empty());
  app::SettingsStore store;
  store.SetDirectionSource(&connection_);
  store.SetDirection(11, app::SettingsStore::kDirId, directions.back().id);
  EXPECT_EQ(store.Get(11, app::SettingsStore::kDirId), directions.back().name);
}

TEST_F(ConnectionTest, AFailingKernelCallEndsTheOperationWithoutEscaping) {
  ASSERT_EQ(connection_.Connect(L"Startdeck", L"user", L"VANTO Translator Home"), S_OK);
  bool reachedTheEnd = false;
  const bool completed = app::RunKernelOperation(L"ConnectionTests", __LINE__, L"Choosing a direction", [&] {
    app::ThrowIfFailed(connection_.Kernel()->SetCurrentDirection(999));  // no such direction
    reachedTheEnd = true;
  });
  EXPECT_FALSE(completed);
  EXPECT_FALSE(reachedTheEnd);
  EXPECT_TRUE(app::RunKernelOperation(L"ConnectionTests", __LINE__, L"Choosing a direction", [&] {
    app::ThrowIfFailed(connection_.Kernel()->SetCurrentDirection(0));
  }));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new KernelRegistration);  // owned by GoogleTest
  return RUN_ALL_TESTS();
}
