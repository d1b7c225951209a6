#include <span>
#include <string>
#include <vector>

#include "FuzzBodies.h"
#include "profile/CryptedBuffer.h"
#include "profile/CryptedProfile.h"
#include "profile/ItemStream.h"

namespace {

class CountingSink final : public inf::ProfileStreamSink {
 public:
  void BeginSection(std::wstring name, std::size_t) override { units_ += name.size(); }
  void AddEntry(std::wstring key, std::int32_t, std::span<const std::uint8_t> value) override {
    units_ += key.size() + value.size();
  }

 private:
  std::size_t units_ = 0;
};

}  // namespace

void FuzzInfReader(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  CXCryptedProfileW profile;
  (void)profile.LoadFromBytes(bytes);

  // Random bytes rarely pass the body's check, so the parser also gets them as a body directly.
  CXCryptedBufferW body(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  CountingSink sink;
  (void)inf::ParseProfileStream(body, sink);
}
