#include "Infpack.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "FileIo.h"
#include "Json.h"
#include "ProfileJson.h"
#include "profile/ProfileDocument.h"
#include "profile/ProfileWriter.h"

namespace {

// Default stream parameters. Their low bytes give the full 256-byte keystream cycle
// (A mod 4 = 1 and B odd), so no byte position repeats its key early.
constexpr inf::StreamParams kDefaultParams{0x0A45, 0x1C33, 0x5A17};

constexpr std::string_view kUsage =
    "infpack: writes and inspects Startdeck encrypted profile (.inf) files.\n"
    "\n"
    "Usage:\n"
    "  infpack pack CONFIG.json OUT.inf [A B C]\n"
    "      Write OUT.inf from the JSON description CONFIG.json. A, B and C are the\n"
    "      keystream parameters, each 0..65535, decimal or 0x hex (all three or none;\n"
    "      default 0x0A45 0x1C33 0x5A17). OUT.inf is replaced only once it is complete.\n"
    "  infpack dump FILE.inf\n"
    "      Print FILE.inf as JSON (UTF-8) in the form pack reads: sections and entries\n"
    "      in file order, duplicates included.\n"
    "  infpack --help\n"
    "\n"
    "JSON form: one object of sections, each an object of entries. An entry's value:\n"
    "  \"text\"          type 'S'\n"
    "  123             type 'H', an integer in -2147483648..4294967295 (dumped signed)\n"
    "  {\"B\": 123}      type 'B', an integer in -2147483648..4294967295 (dumped unsigned)\n"
    "  {\"G\": \"00ff\"}   type 'G', bytes in hex\n"
    "  {\"?\": 88}       any other type code (no value)\n"
    "\n"
    "Exit status: 0 done, 1 failure, 2 wrong usage, 3 dump of a damaged item stream\n"
    "(what could be read is printed, the problem is reported on stderr).\n";

std::string Utf8(const std::filesystem::path& arg) {
  return DisplayPath(arg);
}

class UsageError : public ToolError {
 public:
  using ToolError::ToolError;
};

std::uint16_t StreamParam(const std::filesystem::path& arg, char name) {
  const std::string text = Utf8(arg);
  std::string_view digits = text;
  unsigned base = 10;
  if (digits.starts_with("0x") || digits.starts_with("0X")) {
    digits.remove_prefix(2);
    base = 16;
  }
  unsigned long value = 0;
  bool ok = !digits.empty() && digits.size() <= 6;
  for (char c : digits) {
    unsigned d = 16;
    if (c >= '0' && c <= '9')
      d = static_cast<unsigned>(c - '0');
    else if (c >= 'a' && c <= 'f')
      d = static_cast<unsigned>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F')
      d = static_cast<unsigned>(c - 'A' + 10);
    if (d >= base) ok = false;
    value = value * base + d;
  }
  if (!ok || value > 0xFFFF)
    throw UsageError(std::string("stream parameter ") + name + " \"" + text +
                     "\" must be a number 0..65535 (decimal or 0x hex)");
  return static_cast<std::uint16_t>(value);
}

void Write(std::FILE* stream, std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), stream) != text.size() || std::fflush(stream) != 0)
    throw ToolError("cannot write the output");
}

int Pack(const std::vector<std::filesystem::path>& args) {
  if (args.size() != 3 && args.size() != 6)
    throw UsageError("pack takes CONFIG.json OUT.inf and optionally A B C (all three)");
  inf::StreamParams params = kDefaultParams;
  if (args.size() == 6) {
    params.a = StreamParam(args[3], 'A');
    params.b = StreamParam(args[4], 'B');
    params.c = StreamParam(args[5], 'C');
  }
  const std::vector<std::uint8_t> bytes = ReadWholeFile(args[1]);
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  inf::ProfileDocument document;
  try {
    document = DocumentFromJson(json::Parse(text));
  } catch (const json::Error& e) {
    const json::Position at = json::Locate(text, e.Offset());
    throw ToolError(DisplayPath(args[1]) + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) +
                    ": " + e.what());
  }
  ReplaceFile(args[2], inf::WriteProfileFile(document, params));
  return kExitOk;
}

int Dump(const std::vector<std::filesystem::path>& args, std::FILE* out, std::FILE* err) {
  if (args.size() != 2) throw UsageError("dump takes exactly one FILE.inf");
  const std::vector<std::uint8_t> bytes = ReadWholeFile(args[1]);
  const inf::DocumentReadResult read = inf::ReadDocument(bytes);
  const std::string name = DisplayPath(args[1]);
  if (!read.decode.Verified()) throw ToolError(name + ": " + std::string(inf::Describe(read.decode.status)));
  Write(out, DocumentToJson(read.document));
  if (read.decode.stream.fault == inf::StreamFault::None) return kExitOk;
  Write(err, "infpack: " + name +
                 ": damaged item stream, printed what was read: " + inf::Describe(read.decode.stream) + "\n");
  return kExitDamagedStream;
}

}  // namespace

int RunInfpack(const std::vector<std::filesystem::path>& args, std::FILE* out, std::FILE* err) {
  try {
    if (args.empty()) {
      Write(err, kUsage);
      return kExitUsage;
    }
    const std::string command = Utf8(args[0]);
    if (command == "--help" || command == "-h" || command == "/?") {
      Write(out, kUsage);
      return kExitOk;
    }
    if (command == "pack") return Pack(args);
    if (command == "dump") return Dump(args, out, err);
    throw UsageError("unknown command \"" + command + "\"");
  } catch (const UsageError& e) {
    std::fprintf(err, "infpack: %s\nRun 'infpack --help' for usage.\n", e.what());
    return kExitUsage;
  } catch (const ToolError& e) {
    std::fprintf(err, "infpack: %s\n", e.what());
    return kExitFailure;
  } catch (const std::exception& e) {
    std::fprintf(err, "infpack: %s\n", e.what());
    return kExitFailure;
  }
}
