#include "profile/CryptedProfile.h"

#include <array>
#include <fstream>
#include <system_error>
#include <vector>

namespace {

// The file is read in blocks of this size.
constexpr std::size_t kReadBlock = 4096;

}  // namespace

class CXCryptedProfileW::Builder final : public inf::ProfileStreamSink {
 public:
  explicit Builder(CXCryptedProfileW& profile) : profile_(profile) {}

  void BeginSection(std::wstring name, std::size_t entryHint) override {
    // A section listed again replaces the earlier one as a whole.
    auto [it, inserted] = profile_.sections_.insert_or_assign(std::move(name), CCryptedSectionW{});
    current_ = &it->second;
    current_->Reserve(entryHint);
  }

  void AddEntry(std::wstring key, std::int32_t type, std::span<const std::uint8_t> value) override {
    CCryptedSectionW::Entry entry;
    entry.type = type;
    // An 'S' text keeps a terminating zero unit in memory.
    const std::size_t terminator = type == inf::kTypeText ? 2 : 0;
    entry.value.reserve(value.size() + terminator);
    entry.value.assign(value.begin(), value.end());
    entry.value.resize(value.size() + terminator, 0);
    current_->Set(std::move(key), std::move(entry));
  }

 private:
  CXCryptedProfileW& profile_;
  CCryptedSectionW* current_ = nullptr;
};

void CXCryptedProfileW::Clear() noexcept {
  path_.clear();
  sections_.clear();
  lastLoad_ = {};
}

bool CXCryptedProfileW::Finish(const inf::DecodeResult& result) noexcept {
  lastLoad_ = result;
  if (result.Verified()) return true;
  sections_.clear();
  path_.clear();
  return false;
}

bool CXCryptedProfileW::Load(const std::filesystem::path& path, bool createIfMissing) noexcept {
  Clear();
  try {
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
      std::error_code ec;
      // Create only where nothing exists: a file we merely cannot read must not be truncated.
      if (!createIfMissing || std::filesystem::exists(path, ec) || ec)
        return Finish({inf::FileStatus::CannotOpen, {}});
      std::ofstream created(path, std::ios::binary);
      if (!created.is_open()) return Finish({inf::FileStatus::CannotOpen, {}});
      path_ = path;
      return true;
    }

    std::array<std::uint8_t, inf::kHeaderSize> header{};
    file.read(reinterpret_cast<char*>(header.data()), static_cast<std::streamsize>(header.size()));
    if (file.bad()) return Finish({inf::FileStatus::ReadError, {}});
    inf::StreamParams params;
    const auto headerRead = static_cast<std::size_t>(file.gcount());
    if (const auto status = inf::ReadHeader(std::span(header).first(headerRead), params);
        status != inf::FileStatus::Ok)
      return Finish({status, {}});

    std::vector<std::uint8_t> body;
    while (file) {
      const std::size_t at = body.size();
      body.resize(at + kReadBlock);
      file.read(reinterpret_cast<char*>(body.data() + at), static_cast<std::streamsize>(kReadBlock));
      body.resize(at + static_cast<std::size_t>(file.gcount()));
    }
    if (file.bad()) return Finish({inf::FileStatus::ReadError, {}});

    Builder builder(*this);
    if (!Finish(inf::DecodeBody(std::move(body), params, builder))) return false;
    path_ = path;
    return true;
  } catch (const std::exception&) {
    // Out of memory, or a path the library cannot convert.
    return Finish({inf::FileStatus::ReadError, {}});
  }
}

bool CXCryptedProfileW::LoadFromBytes(std::span<const std::uint8_t> file) noexcept {
  Clear();
  try {
    Builder builder(*this);
    return Finish(inf::DecodeFile(file, builder));
  } catch (const std::exception&) {
    return Finish({inf::FileStatus::ReadError, {}});
  }
}

const CCryptedSectionW* CXCryptedProfileW::FindSection(std::wstring_view name) const noexcept {
  const auto it = sections_.find(name);
  return it == sections_.end() ? nullptr : &it->second;
}

const CCryptedSectionW::Entry* CXCryptedProfileW::FindEntry(std::wstring_view section,
                                                            std::wstring_view key) const noexcept {
  const CCryptedSectionW* s = FindSection(section);
  return s ? s->Find(key) : nullptr;
}

std::size_t CXCryptedProfileW::SectionEntryCount(std::wstring_view section) const noexcept {
  const CCryptedSectionW* s = FindSection(section);
  return s ? s->EntryCount() : 0;
}

std::wstring CXCryptedProfileW::KeyAt(std::wstring_view section, std::size_t index) const {
  const CCryptedSectionW* s = FindSection(section);
  const std::wstring* key = s ? s->KeyAt(index) : nullptr;
  return key ? *key : std::wstring();
}

std::wstring CXCryptedProfileW::GetString(std::wstring_view section, std::wstring_view key) const {
  const CCryptedSectionW::Entry* entry = FindEntry(section, key);
  return entry ? entry->AsText() : std::wstring();
}

std::int32_t CXCryptedProfileW::GetInt(std::wstring_view section, std::wstring_view key,
                                       std::int32_t defaultValue) const noexcept {
  const CCryptedSectionW::Entry* entry = FindEntry(section, key);
  return entry ? entry->AsInt(defaultValue) : defaultValue;
}
