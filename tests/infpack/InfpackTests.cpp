// infpack run as a real process on real files: JSON to .inf and back, against hand-assembled
// bytes, every rejected input, and an output file that is replaced whole or not at all.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "StreamBytes.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int exit = -1;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

Bytes ReadBytes(const fs::path& path) {
  const std::string text = ReadText(path);
  return Bytes(text.begin(), text.end());
}

class Infpack : public testing::Test {
 protected:
  // Runs infpack inside the work folder, so messages name files as given.
  Outcome Run(const std::vector<std::string>& args) {
    std::string command = "cd " + Quote(work_.Path().string()) + " && " + Quote(INFPACK_PATH);
    for (const std::string& a : args) command += " " + Quote(a);
    const fs::path out = capture_.Path() / "out";
    const fs::path err = capture_.Path() / "err";
    command += " >" + Quote(out.string()) + " 2>" + Quote(err.string());
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(out), ReadText(err)};
  }

  fs::path Put(const std::string& name, const std::string& text) {
    return work_.Write(name, Bytes(text.begin(), text.end()));
  }
  fs::path Path(const std::string& name) const { return work_.Path() / name; }
  std::size_t FilesInWork() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(work_.Path()), {}));
  }

  TempDir work_;
  TempDir capture_;
};

// Every value shape, duplicate sections and keys, empty sections, names and texts, escapes,
// Cyrillic, a character outside the BMP and a lone surrogate, exactly as dump prints them.
const std::string kCanonical = R"({
  "settings": {
    "Title": "Переводчик 😀",
    "": "",
    "Quote\"Back\\slash": "line\nbreak\ttab\u0001 lone \ud800 end",
    "Lang": -1049,
    "Big": -1,
    "Flags": {"B": 4294967295},
    "Zero": {"B": 0},
    "Icon": {"G": "00ff10ab"},
    "NoBytes": {"G": ""},
    "Separator": {"?": 88},
    "Negative": {"?": -3},
    "Title": "again"
  },
  "empty": {},
  "settings": {
    "Only": 1
  }
}
)";

TEST_F(Infpack, PackDumpPackGivesTheSameBytes) {
  Put("in.json", kCanonical);
  ASSERT_EQ(Run({"pack", "in.json", "a.inf", "0x1234", "999", "65535"}).exit, 0);
  const Outcome dump = Run({"dump", "a.inf"});
  ASSERT_EQ(dump.exit, 0) << dump.err;
  EXPECT_EQ(dump.out, kCanonical);
  EXPECT_EQ(dump.err, "");

  Put("again.json", dump.out);
  ASSERT_EQ(Run({"pack", "again.json", "b.inf", "4660", "0x3E7", "0xFFFF"}).exit, 0);
  EXPECT_EQ(ReadBytes(Path("b.inf")), ReadBytes(Path("a.inf")));

  // Other parameters scramble differently; the defaults are the documented ones.
  ASSERT_EQ(Run({"pack", "in.json", "c.inf"}).exit, 0);
  ASSERT_EQ(Run({"pack", "in.json", "d.inf", "0x0A45", "0x1C33", "0x5A17"}).exit, 0);
  EXPECT_NE(ReadBytes(Path("c.inf")), ReadBytes(Path("a.inf")));
  EXPECT_EQ(ReadBytes(Path("c.inf")), ReadBytes(Path("d.inf")));
}

// Numbers and hex in any accepted spelling come back in the one canonical form.
TEST_F(Infpack, InputSpellingsDumpCanonically) {
  Put("in.json",
      "\xEF\xBB\xBF{\"s\":{\"h\":4294967295,\"b\":{\"B\":-1},\"g\":{\"G\":\"ABcd\"},"
      "\"t\":\"\\u00e9\\/\\uD83D\\uDE00\"},\"\u0416\":{}}");
  ASSERT_EQ(Run({"pack", "in.json", "x.inf"}).exit, 0);
  EXPECT_EQ(Run({"dump", "x.inf"}).out,
            "{\n  \"s\": {\n    \"h\": -1,\n    \"b\": {\"B\": 4294967295},\n"
            "    \"g\": {\"G\": \"abcd\"},\n    \"t\": \"é/😀\"\n  },\n  \"Ж\": {}\n}\n");
}

// A small profile assembled byte by byte: pack must produce exactly this file, and dump must read
// a file assembled by hand.
TEST_F(Infpack, MatchesHandAssembledBytes) {
  StreamBytes s;
  s.Int(2);
  s.Text(u"Menu").Int(3);
  s.Key(u"Name", 'S').Text(u"Я");
  s.Key(u"Id", 'H').Int(-2);
  s.Key(u"Raw", 'G').Block({0xC0, 0x01});
  s.Text(u"Opt").Int(2).Key(u"On", 'B').Dword(7).Key(u"Sep", 'Z');
  const Bytes file = ReferenceFile(s.bytes, 0x0311, 0x0522, 0x0733);
  const std::string json =
      "{\n  \"Menu\": {\n    \"Name\": \"Я\",\n    \"Id\": -2,\n    \"Raw\": {\"G\": \"c001\"}\n"
      "  },\n  \"Opt\": {\n    \"On\": {\"B\": 7},\n    \"Sep\": {\"?\": 90}\n  }\n}\n";

  Put("p.json", json);
  ASSERT_EQ(Run({"pack", "p.json", "p.inf", "0x0311", "0x0522", "0x0733"}).exit, 0);
  EXPECT_EQ(ReadBytes(Path("p.inf")), file);

  work_.Write("hand.inf", file);
  const Outcome dump = Run({"dump", "hand.inf"});
  EXPECT_EQ(dump.exit, 0);
  EXPECT_EQ(dump.out, json);
}

// A body that verifies but breaks off: dump prints what it read and says why it stopped.
TEST_F(Infpack, DumpOfADamagedStreamPrintsWhatWasRead) {
  StreamBytes s;
  s.Int(2).Text(u"A").Int(2).Key(u"k", 'H').Int(5).Key(u"t", 'S').Int(6);
  work_.Write("bad.inf", ReferenceFile(s));
  const Outcome dump = Run({"dump", "bad.inf"});
  EXPECT_EQ(dump.exit, 3);
  EXPECT_EQ(dump.out, "{\n  \"A\": {\n    \"k\": 5\n  }\n}\n");
  EXPECT_EQ(dump.err,
            "infpack: bad.inf: damaged item stream, printed what was read: expected a text item "
            "(tag 1), found tag 2 at body offset 50\n");
}

struct BadInput {
  const char* json;  // written to c.json
  const char* message;
};

TEST_F(Infpack, RejectsBadJsonWithLineAndColumn) {
  const BadInput cases[] = {
      {"{\"a\": {\"k\": 1,}}", "c.json:1:15: expected a member name in double quotes, found character '}'"},
      {"{\"a\": {}}\n// note", "c.json:2:1: unexpected character '/' after the top-level value"},
      {"{'a': {}}", "c.json:1:2: expected a member name in double quotes, found character '''"},
      {"{\"a\": {\"k\": \"x}}", "c.json:1:13: unterminated string"},
      {"{\"a\": {\"k\": \"\\x\"}}", "c.json:1:14: invalid escape \\x"},
      {"{\"a\": {\"k\": \"\\u12G4\"}}", "c.json:1:14: invalid \\u escape: expected 4 hex digits"},
      {"{\"a\": {\"k\": \"tab\there\"}}",
       "c.json:1:17: control character in a string (write it as an escape)"},
      {"{\"a\": {\"k\": \"\xC3\"}}", "c.json:1:14: invalid UTF-8"},
      {"{\"a\": {\"k\": \"\xED\xA0\x80\"}}", "c.json:1:14: invalid UTF-8"},
      {"{\"a\": {\"k\": 01}}", "c.json:1:13: invalid number: leading zero"},
      {"{\"a\"\n  {}}", "c.json:2:3: expected ':' after the member name, found character '{'"},
      {"", "c.json:1:1: expected a value, found end of input"},
      {"[]", "c.json:1:1: the top level must be an object of sections"},
      {"{\"a\": 1}", "c.json:1:7: section \"a\" must be an object of entries"},
      {"{\"a\": {\"k\": true}}",
       "c.json:1:13: entry \"k\": expected a string, a number, {\"B\": n}, {\"G\": \"hex\"} or {\"?\": "
       "code}"},
      {"{\"a\": {\"k\": {\"B\": 1, \"G\": \"\"}}}",
       "c.json:1:13: entry \"k\": expected a string, a number, {\"B\": n}, {\"G\": \"hex\"} or {\"?\": "
       "code}"},
      {"{\"a\": {\"k\": {\"Z\": 1}}}",
       "c.json:1:14: unknown value kind \"Z\" (expected \"B\", \"G\" or \"?\")"},
      {"{\"a\": {\"k\": 4294967296}}",
       "c.json:1:13: an 'H' number 4294967296 is out of range (-2147483648 to 4294967295)"},
      {"{\"a\": {\"k\": -2147483649}}",
       "c.json:1:13: an 'H' number -2147483649 is out of range (-2147483648 to 4294967295)"},
      {"{\"a\": {\"k\": 1.5}}", "c.json:1:13: an 'H' number must be an integer, not 1.5"},
      {"{\"a\": {\"k\": 1e3}}", "c.json:1:13: an 'H' number must be an integer, not 1e3"},
      {"{\"a\": {\"k\": {\"B\": 99999999999999}}}",
       "c.json:1:19: a 'B' value 99999999999999 is out of range (-2147483648 to 4294967295)"},
      {"{\"a\": {\"k\": {\"B\": \"7\"}}}", "c.json:1:19: a 'B' value must be a number"},
      {"{\"a\": {\"k\": {\"?\": 83}}}",
       "c.json:1:19: type code 83 carries a value; write it as a string, a number, {\"B\": n} or {\"G\": "
       "\"hex\"}"},
      {"{\"a\": {\"k\": {\"?\": 2147483648}}}",
       "c.json:1:19: a type code 2147483648 is out of range (-2147483648 to 2147483647)"},
      {"{\"a\": {\"k\": {\"G\": \"abc\"}}}", "c.json:1:19: bad hex in a 'G' value: odd number of digits"},
      {"{\"a\": {\"k\": {\"G\": \"0g\"}}}",
       "c.json:1:19: bad hex in a 'G' value: \"0g\" has a character other than 0-9, a-f, A-F"},
  };
  for (const BadInput& c : cases) {
    SCOPED_TRACE(c.json);
    Put("c.json", c.json);
    const Outcome r = Run({"pack", "c.json", "out.inf"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.err, std::string("infpack: ") + c.message + "\n");
    EXPECT_FALSE(fs::exists(Path("out.inf")));
  }
  for (int code : {72, 66, 71}) {
    Put("c.json", "{\"a\": {\"k\": {\"?\": " + std::to_string(code) + "}}}");
    EXPECT_EQ(Run({"pack", "c.json", "out.inf"}).exit, 1) << code;
  }
}

TEST_F(Infpack, RejectsBadArgumentsAndFiles) {
  Put("ok.json", "{}");
  const Bytes good = ReferenceFile(StreamBytes().Int(0));
  work_.Write("good.inf", good);
  Bytes badSum = good;
  ++badSum[17];
  work_.Write("badsum.inf", badSum);
  Bytes badMagic = good;
  badMagic[0] = 'P';
  work_.Write("magic.inf", badMagic);
  work_.Write("short.inf", Bytes(good.begin(), good.begin() + 10));

  struct Case {
    std::vector<std::string> args;
    int exit;
    const char* message;  // the first line of stderr
  };
  const Case cases[] = {
      {{"pack", "ok.json"}, 2, "pack takes CONFIG.json OUT.inf and optionally A B C (all three)"},
      {{"pack", "ok.json", "o.inf", "1"},
       2,
       "pack takes CONFIG.json OUT.inf and optionally A B C (all three)"},
      {{"pack", "ok.json", "o.inf", "1", "2", "65536"},
       2,
       "stream parameter C \"65536\" must be a number 0..65535 (decimal or 0x hex)"},
      {{"pack", "ok.json", "o.inf", "0x1G", "2", "3"},
       2,
       "stream parameter A \"0x1G\" must be a number 0..65535 (decimal or 0x hex)"},
      {{"pack", "ok.json", "o.inf", "1", "-1", "3"},
       2,
       "stream parameter B \"-1\" must be a number 0..65535 (decimal or 0x hex)"},
      {{"pack", "missing.json", "o.inf"}, 1, "missing.json: file not found"},
      {{"pack", "ok.json", "no/such/folder/o.inf"}, 1, "cannot create a file in 'no/such/folder'"},
      {{"dump"}, 2, "dump takes exactly one FILE.inf"},
      {{"dump", "a", "b"}, 2, "dump takes exactly one FILE.inf"},
      {{"dump", "missing.inf"}, 1, "missing.inf: file not found"},
      {{"dump", "magic.inf"}, 1, "magic.inf: bad magic (not a profile file)"},
      {{"dump", "short.inf"}, 1, "short.inf: file shorter than the 16-byte header"},
      {{"dump", "badsum.inf"}, 1, "badsum.inf: checksum failure (body sum does not match)"},
      {{"dump", "."}, 1, ".: is a folder, not a file"},
      {{"unpack", "x"}, 2, "unknown command \"unpack\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front() + " " + c.message);
    const Outcome r = Run(c.args);
    EXPECT_EQ(r.exit, c.exit);
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), std::string("infpack: ") + c.message);
    EXPECT_EQ(r.out, "");
  }
  EXPECT_FALSE(fs::exists(Path("o.inf")));

  const Outcome none = Run({});
  EXPECT_EQ(none.exit, 2);
  EXPECT_NE(none.err.find("infpack pack CONFIG.json OUT.inf [A B C]"), std::string::npos);
  const Outcome help = Run({"--help"});
  EXPECT_EQ(help.exit, 0);
  EXPECT_EQ(help.out, none.err);
}

// A failing pack leaves the old output exactly as it was, and no temporary file behind.
TEST_F(Infpack, OutputIsReplacedWholeOrNotAtAll) {
  const Bytes old = {'o', 'l', 'd'};
  work_.Write("out.inf", old);
  Put("bad.json", "{\"a\": {\"k\": {\"G\": \"xyz\"}}}");
  Put("good.json", "{\"a\": {\"k\": \"v\"}}");
  const std::size_t files = FilesInWork();

  EXPECT_EQ(Run({"pack", "bad.json", "out.inf"}).exit, 1);
  EXPECT_EQ(ReadBytes(Path("out.inf")), old);
  EXPECT_EQ(FilesInWork(), files);

  // The target is a folder: the rename fails after the temporary file was written.
  fs::create_directory(Path("folder.inf"));
  const Outcome r = Run({"pack", "good.json", "folder.inf"});
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(r.err.rfind("infpack: cannot replace 'folder.inf': ", 0), 0u) << r.err;
  EXPECT_TRUE(fs::is_directory(Path("folder.inf")));
  EXPECT_EQ(FilesInWork(), files + 1);

  ASSERT_EQ(Run({"pack", "good.json", "out.inf"}).exit, 0);
  EXPECT_NE(ReadBytes(Path("out.inf")), old);
  EXPECT_EQ(FilesInWork(), files + 1);
  EXPECT_EQ(Run({"dump", "out.inf"}).out, "{\n  \"a\": {\n    \"k\": \"v\"\n  }\n}\n");
}

}  // namespace
