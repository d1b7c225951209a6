// The jump list where the shell keeps none (Wine creates the object but refuses to begin a list): the
// program goes on, and its log says so once however many documents are handed over.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/LogSink.h"
#include "suite/RecentDocuments.h"
#include "support/ProgramLog.h"
#include "support/RegistrySandbox.h"
#include "support/SavedState.h"
#include "tasks/JumpList.h"
#include "win/ComScope.h"

namespace {

TEST(JumpList, AShellWithoutJumpListsIsToldOnceAndNothingFails) {
  const win::ComApartment com;
  ASSERT_TRUE(com.ok());
  const test::Restorer savedLog = test::SavedLog();
  const test::RegistrySandbox registry;
  const test::ProgramLog log(L"JumpListTests.log");
  app::ConfigureLogFromRegistry();
  const std::vector<suite::RecentDocument> recent = {
      {L"C:\\Docs\\Letter.docx", 2, L"Microsoft Word", 0x0907, L"General", {}}};
  for (int handOff = 0; handOff < 3; ++handOff)
    EXPECT_FALSE(tasks::UpdateJumpList(recent, L"Recent documents", L"Quick Translation"));
  const std::vector<std::wstring> lines = log.Lines();
  EXPECT_EQ(std::ranges::count_if(lines,
                                  [](const std::wstring& line) {
                                    return line.find(L"The shell keeps no jump list") != std::wstring::npos;
                                  }),
            1)
      << ::testing::PrintToString(lines);
}

}  // namespace
