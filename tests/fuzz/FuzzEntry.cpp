// The libFuzzer entry of one target; FUZZ_BODY names its body (FuzzBodies.h).
#include "FuzzBodies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FUZZ_BODY(data, size);
  return 0;
}
