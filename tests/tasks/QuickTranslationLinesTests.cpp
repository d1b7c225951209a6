// The quick translation's lines: where the source is cut, what the kernel is given for each line
// and how the translations are joined again.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tasks/QuickTranslationLines.h"

namespace {

struct LinesCase {
  const wchar_t* source;
  std::vector<std::wstring> lines;  // what the kernel is given, in order
  const wchar_t* result;            // each line translated as "[line]"
};

const LinesCase kCases[] = {
    {L"", {}, L""},
    {L"one", {L"one"}, L"[one]"},
    {L"one\r\ntwo\r\nthree", {L"one", L"two", L"three"}, L"[one]\r\n[two]\r\n[three]"},
    {L"one\r\n", {L"one"}, L"[one]\r\n"},
    {L"one\r\n\r\nthree", {L"one", L"", L"three"}, L"[one]\r\n[]\r\n[three]"},
    {L"\r\n", {L""}, L"[]\r\n"},
    {L"\r\n\r\n", {L"", L""}, L"[]\r\n[]\r\n"},
    // A bare line feed keeps the letter before it, and one at the very start cuts an empty line.
    {L"one\ntwo", {L"one", L"two"}, L"[one]\r\n[two]"},
    {L"\ntwo", {L"", L"two"}, L"[]\r\n[two]"},
    {L"\n\n", {L"", L""}, L"[]\r\n[]\r\n"},
    {L"one\r\r\ntwo", {L"one\r", L"two"}, L"[one\r]\r\n[two]"},
    // A carriage return without a line feed is no line break.
    {L"one\r", {L"one\r"}, L"[one\r]"},
    {L"\r", {L"\r"}, L"[\r]"},
    {L"a\tb\r\nc", {L"a\tb", L"c"}, L"[a\tb]\r\n[c]"},
    {L"Дом\r\n\U0001F600 ok", {L"Дом", L"\U0001F600 ok"}, L"[Дом]\r\n[\U0001F600 ok]"},
};

TEST(QuickTranslationLines, EachLineIsTranslatedAndTheBreaksComeBackAsCrLf) {
  for (const LinesCase& c : kCases) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(c.source)));
    std::vector<std::wstring> given;
    const std::wstring result = tasks::TranslateLines(c.source, [&](const std::wstring& line) {
      given.push_back(line);
      return L"[" + line + L"]";
    });
    EXPECT_EQ(given, c.lines);
    EXPECT_EQ(result, c.result);
  }
}

TEST(QuickTranslationLines, SplitMarksTheLinesThatEndInALineFeed) {
  const std::vector<tasks::TextLine> lines = tasks::SplitLines(L"a\r\nb\nc");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, L"a");
  EXPECT_TRUE(lines[0].endsWithLineFeed);
  EXPECT_EQ(lines[1].text, L"b");
  EXPECT_TRUE(lines[1].endsWithLineFeed);
  EXPECT_EQ(lines[2].text, L"c");
  EXPECT_FALSE(lines[2].endsWithLineFeed);
}

TEST(QuickTranslationLines, AFailingLineStopsTheTranslation) {
  int calls = 0;
  EXPECT_THROW((void)tasks::TranslateLines(L"one\r\ntwo\r\nthree\r\nfour",
                                           [&](const std::wstring& line) {
                                             if (++calls == 3) throw std::runtime_error("kernel");
                                             return line;
                                           }),
               std::runtime_error);
  EXPECT_EQ(calls, 3);
}

}  // namespace
