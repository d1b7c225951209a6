#include "ChmWriter.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>

namespace chm {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kChunkSize = 0x1000;
constexpr std::uint32_t kChunkHeaderSize = 0x14;
constexpr std::uint32_t kQuickRefDensity = 2;  // a quick reference every 1 + (1 << 2) entries

void Put16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void Put32(Bytes& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}
void Put64(Bytes& out, std::uint64_t value) {
  for (int shift = 0; shift < 64; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}
void PutText(Bytes& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
}
void PutBytes(Bytes& out, const Bytes& bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

// A GUID as it lies in the file: the first three fields little-endian, the rest as written.
void PutGuid(Bytes& out, std::uint32_t a, std::uint16_t b, std::uint16_t c, std::array<std::uint8_t, 8> d) {
  Put32(out, a);
  Put16(out, b);
  Put16(out, c);
  out.insert(out.end(), d.begin(), d.end());
}

// The directory's numbers: seven bits a byte, the most significant first, the high bit marking
// that more follow.
void PutEncoded(Bytes& out, std::uint64_t value) {
  std::array<std::uint8_t, 10> digits{};
  size_t count = 0;
  do {
    digits[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value);
  while (count > 1) out.push_back(static_cast<std::uint8_t>(digits[--count] | 0x80));
  out.push_back(digits[0]);
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// #SYSTEM: its version, then records of code, length and data: 2 the default topic, 3 the title,
// 4 the language and flags.
Bytes SystemStream(const HelpFile& help) {
  Bytes out;
  Put32(out, 3);
  const auto record = [&out](std::uint16_t code, const Bytes& data) {
    Put16(out, code);
    Put16(out, static_cast<std::uint32_t>(data.size()));
    PutBytes(out, data);
  };
  const auto text = [](const std::string& value) {
    Bytes data(value.begin(), value.end());
    data.push_back(0);
    return data;
  };
  record(2, text(help.defaultPage));
  record(3, text(help.title));
  Bytes language;
  Put32(language, help.language);
  for (int i = 0; i < 7; ++i) Put32(language, 0);  // no DBCS, no full-text search, no keyword links
  record(4, language);
  return out;
}

// The names of the storage sections: only the uncompressed one.
Bytes NameList() {
  const std::string name = "Uncompressed";
  Bytes out;
  Put16(out, static_cast<std::uint32_t>(2 + 1 + name.size() + 1));  // length in 16-bit words
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(name.size()));
  for (char c : name) Put16(out, static_cast<unsigned char>(c));
  Put16(out, 0);
  return out;
}

struct Entry {
  std::string name;
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
};

}  // namespace

std::vector<std::uint8_t> Write(const HelpFile& help, std::string& error) {
  error.clear();
  std::set<std::string> pageNames;
  for (const Page& page : help.pages)
    if (page.name.empty() || page.name[0] == '/' || !pageNames.insert(Lower(page.name)).second) {
      error = "page named twice or badly: \"" + page.name + "\"";
      return {};
    }
  if (!pageNames.count(Lower(help.defaultPage))) {
    error = "the default topic \"" + help.defaultPage + "\" is no page";
    return {};
  }

  // The context map: #STRINGS holds the topics' page names (offset 0 is the empty string), #IVB
  // the byte count of its pairs and then each context with the offset of its page's name.
  Bytes strings{0};
  Bytes pairs;
  std::set<std::uint32_t> contexts;
  for (const Topic& topic : help.topics) {
    if (!pageNames.count(Lower(topic.page)) || !contexts.insert(topic.context).second) {
      error = "topic " + std::to_string(topic.context) + " names no page or comes twice";
      return {};
    }
    Put32(pairs, topic.context);
    Put32(pairs, static_cast<std::uint32_t>(strings.size()));
    PutText(strings, topic.page);
    strings.push_back(0);
  }
  Bytes ivb;
  Put32(ivb, static_cast<std::uint32_t>(pairs.size()));
  PutBytes(ivb, pairs);

  // Every stream in content section 0, one after the other.
  std::vector<std::pair<std::string, Bytes>> streams;
  streams.emplace_back("/#SYSTEM", SystemStream(help));
  streams.emplace_back("/#IVB", ivb);
  streams.emplace_back("/#STRINGS", strings);
  streams.emplace_back("::DataSpace/NameList", NameList());
  for (const Page& page : help.pages)
    streams.emplace_back("/" + page.name, Bytes(page.text.begin(), page.text.end()));

  Bytes content;
  std::vector<Entry> entries{{"/", 0, 0}};
  for (const auto& [name, data] : streams) {
    entries.push_back({name, content.size(), data.size()});
    PutBytes(content, data);
  }
  // Readers search a chunk by its names compared without regard to case.
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return Lower(a.name) < Lower(b.name); });

  // One listing chunk: the entries, then from the chunk's end backwards the entry count and the
  // quick references (the offset, from the first entry, of every fifth entry after the first).
  constexpr std::uint32_t kEvery = 1 + (1u << kQuickRefDensity);
  Bytes listing;
  std::vector<std::uint32_t> quickRefs;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (i > 0 && i % kEvery == 0) quickRefs.push_back(static_cast<std::uint32_t>(listing.size()));
    PutEncoded(listing, entries[i].name.size());
    PutText(listing, entries[i].name);
    PutEncoded(listing, 0);  // content section 0
    PutEncoded(listing, entries[i].offset);
    PutEncoded(listing, entries[i].length);
  }
  const size_t tail = 2 + 2 * quickRefs.size();
  if (kChunkHeaderSize + listing.size() + tail > kChunkSize) {
    error = "the names do not fit in one directory chunk";
    return {};
  }
  Bytes chunk;
  PutText(chunk, "PMGL");
  Put32(chunk,
        static_cast<std::uint32_t>(kChunkSize - kChunkHeaderSize - listing.size()));  // free and quick refs
  Put32(chunk, 0);
  Put32(chunk, 0xFFFFFFFF);  // no previous chunk
  Put32(chunk, 0xFFFFFFFF);  // no next chunk
  PutBytes(chunk, listing);
  chunk.resize(kChunkSize - tail, 0);
  for (size_t i = quickRefs.size(); i > 0; --i) Put16(chunk, quickRefs[i - 1]);
  Put16(chunk, static_cast<std::uint32_t>(entries.size()));

  Bytes directory;
  PutText(directory, "ITSP");
  for (std::uint32_t value : {1u, 0x54u, 0x0Au, kChunkSize, kQuickRefDensity, 1u, 0xFFFFFFFFu, 0u, 0u,
                              0xFFFFFFFFu, 1u, help.language})
    Put32(directory, value);
  PutGuid(directory, 0x5D02926A, 0x212E, 0x11D0, {0x9D, 0xF9, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC});
  for (std::uint32_t value : {0x54u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu}) Put32(directory, value);
  PutBytes(directory, chunk);

  constexpr std::uint64_t kHeaderSize = 0x60;
  constexpr std::uint64_t kSection0Size = 0x18;
  const std::uint64_t directoryOffset = kHeaderSize + kSection0Size;
  const std::uint64_t contentOffset = directoryOffset + directory.size();
  const std::uint64_t total = contentOffset + content.size();

  Bytes file;
  PutText(file, "ITSF");
  for (std::uint32_t value : {3u, static_cast<std::uint32_t>(kHeaderSize), 1u, 0u, help.language})
    Put32(file, value);
  PutGuid(file, 0x7C01FD10, 0x7BAA, 0x11D0, {0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC});
  PutGuid(file, 0x7C01FD11, 0x7BAA, 0x11D0, {0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC});
  for (std::uint64_t value : {kHeaderSize, kSection0Size, directoryOffset,
                              static_cast<std::uint64_t>(directory.size()), contentOffset})
    Put64(file, value);
  Put32(file, 0x01FE);
  Put32(file, 0);
  Put64(file, total);
  Put32(file, 0);
  Put32(file, 0);
  PutBytes(file, directory);
  PutBytes(file, content);
  return file;
}

}  // namespace chm
