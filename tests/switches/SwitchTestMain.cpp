// The switch test program: registers the ED template installer substitute, then runs the tests in a
// single-threaded apartment, as the start centre runs its switches.
#include <windows.h>

#include <memory>

#include <gtest/gtest.h>

#include "OfficeTestSupport.h"
#include "support/StateCheck.h"

namespace {

class Apartment {
 public:
  Apartment() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~Apartment() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;

 private:
  HRESULT result_;
};

}  // namespace

int main(int argc, char** argv) {
  Apartment apartment;
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(std::make_unique<officetest::EdSetupRegistration>().release());
  test::CheckProcessStateAroundEveryTest();
  return RUN_ALL_TESTS();
}
