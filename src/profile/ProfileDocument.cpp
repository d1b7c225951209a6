#include "profile/ProfileDocument.h"

#include "profile/Utf16.h"

namespace inf {
namespace {

class DocumentBuilder final : public ProfileStreamSink {
 public:
  explicit DocumentBuilder(ProfileDocument& document) : document_(document) {}

  void BeginSection(std::wstring name, std::size_t entryHint) override {
    DocumentSection& section = document_.sections.emplace_back();
    section.name = std::move(name);
    section.entries.reserve(entryHint);
  }

  void AddEntry(std::wstring key, std::int32_t type, std::span<const std::uint8_t> value) override {
    DocumentEntry& entry = document_.sections.back().entries.emplace_back();
    entry.key = std::move(key);
    entry.type = type;
    switch (type) {
      case kTypeText: entry.text = DecodeUtf16Le(value); break;
      case kTypeInt:
      case kTypeDword: entry.number = LoadLe32(value.data()); break;
      case kTypeBlock: entry.block.assign(value.begin(), value.end()); break;
      default: break;
    }
  }

 private:
  ProfileDocument& document_;
};

}  // namespace

DocumentReadResult ReadDocument(std::span<const std::uint8_t> file) {
  DocumentReadResult result;
  DocumentBuilder builder(result.document);
  result.decode = DecodeFile(file, builder);
  return result;
}

}  // namespace inf
