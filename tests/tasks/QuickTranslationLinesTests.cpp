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

TEST(QuickTranslationLines, LinesTranslatedOneAtATimeGiveWholeLinesWithTheirBreaksAtEveryStep) {
  tasks::LineTranslation translation(L"one\r\n\r\nthree\nfour");
  const auto bracket = [](const std::wstring& line) { return L"[" + line + L"]"; };
  const wchar_t* const kAfter[] = {L"", L"[one]\r\n", L"[one]\r\n[]\r\n", L"[one]\r\n[]\r\n[three]\r\n",
                                   L"[one]\r\n[]\r\n[three]\r\n[four]"};
  EXPECT_EQ(translation.LineCount(), 4u);
  for (size_t done = 0; done <= 4; ++done) {
    SCOPED_TRACE(done);
    EXPECT_EQ(translation.LinesDone(), done);
    EXPECT_EQ(translation.Done(), done == 4);
    EXPECT_EQ(translation.Result(), kAfter[done]);
    translation.TranslateNext(bracket);
  }
  // Past the end nothing more is asked for.
  translation.TranslateNext([](const std::wstring&) -> std::wstring { throw std::runtime_error("asked"); });
  EXPECT_EQ(translation.Result(), kAfter[4]);
}

TEST(QuickTranslationLines, ALineThatFailsIsNotDoneAndTheLinesBeforeItStayAsTheyWere) {
  tasks::LineTranslation translation(L"one\r\ntwo\r\n");
  translation.TranslateNext([](const std::wstring& line) { return line + L"!"; });
  EXPECT_THROW(translation.TranslateNext(
                   [](const std::wstring&) -> std::wstring { throw std::runtime_error("kernel"); }),
               std::runtime_error);
  EXPECT_EQ(translation.LinesDone(), 1u);
  EXPECT_EQ(translation.Result(), L"one!\r\n");
  // Asked again, the same line goes on.
  translation.TranslateNext([](const std::wstring& line) { return line + L"?"; });
  EXPECT_TRUE(translation.Done());
  EXPECT_EQ(translation.Result(), L"one!\r\ntwo?\r\n");
}

TEST(QuickTranslationLines, AShortTextKeptInTheTranslationOutlivesTheCallersCopy) {
  std::wstring source = L"a\nb";
  tasks::LineTranslation translation(source);
  source.assign(L"zzzz");
  while (!translation.Done()) translation.TranslateNext([](const std::wstring& line) { return line; });
  EXPECT_EQ(translation.Result(), L"a\r\nb");
}

struct ProgressCase {
  const wchar_t* pattern;
  size_t done, total;
  const wchar_t* text;
};

const ProgressCase kProgressCases[] = {
    {L"Translating: %1 of %2 lines done.", 120, 10000, L"Translating: 120 of 10000 lines done."},
    {L"%1 lignes sur %2", 0, 3, L"0 lignes sur 3"},
    {L"%2 / %1", 7, 9, L"9 / 7"},
    {L"100 % %3 %", 1, 2, L"100 % %3 %"},
    {L"%1%2%", 4, 5, L"45%"},
    {L"", 1, 2, L""},
};

TEST(QuickTranslationLines, TheProgressTextPutsTheCountsWhereTheLanguageHasThem) {
  for (const ProgressCase& c : kProgressCases) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(c.pattern)));
    EXPECT_EQ(tasks::ProgressText(c.pattern, c.done, c.total), c.text);
  }
}

}  // namespace
