// The task table and what is built from it: each task reachable from exactly one menu command and
// served by a panel, the dispatcher's answer for every command of the two task tabs, the dropped
// files and filters it declares, and every text it names in each of the five language libraries.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "MenuFixture.h"
#include "menu/CommandTable.h"
#include "menu/MenuCommands.h"
#include "menu/TaskTable.h"
#include "suite/AppId.h"
#include "support/LanguageStrings.h"

namespace {

using ui::MenuTab;
using ui::TaskRow;

std::string NameOf(const TaskRow& task) {
  return std::to_string(task.taskCode) + " " + ::testing::PrintToString(std::wstring(task.command.name));
}

TEST(TaskTableTest, CodesCommandsAndPlacesAreDistinct) {
  std::set<int> codes;
  std::set<std::pair<MenuTab, int>> places;
  std::set<std::wstring> names;
  for (const TaskRow& task : ui::Tasks()) {
    SCOPED_TRACE(NameOf(task));
    EXPECT_NE(task.taskCode, ui::kNoTask);
    EXPECT_TRUE(codes.insert(task.taskCode).second);
    EXPECT_TRUE(places.insert({task.tab, task.command.index}).second);
    EXPECT_TRUE(names.insert(std::wstring(task.command.name)).second);
    EXPECT_EQ(ui::FindTask(task.taskCode), &task);
  }
  EXPECT_EQ(ui::FindTask(ui::kNoTask), nullptr);
  EXPECT_EQ(ui::TaskApplications(ui::kNoTask), L"");
}

// A task is opened by a command of its tab's group under its own name and index; it opens its panel,
// and a task opened for an application names the applications that can carry it out.
TEST(TaskTableTest, EveryTaskHasItsCommandAndAPanelOrApplications) {
  for (const TaskRow& task : ui::Tasks()) {
    SCOPED_TRACE(NameOf(task));
    const ui::MenuCommand* command = ui::FindCommand(task.tab, task.command.name);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->index, task.command.index);
    EXPECT_TRUE(command->appChecks[0].empty());
    EXPECT_EQ(ui::FindCommandRow(task.tab, task.command.index), &task);
    EXPECT_NE(task.action, ui::CommandAction::kStartApplication);
    const bool forApplication = task.action == ui::CommandAction::kOpenPanelForApplication;
    EXPECT_EQ(forApplication, !task.applications.empty());
    for (std::wstring_view token : suite::SplitAppIds(task.applications)) EXPECT_FALSE(token.empty());
  }
}

// Every other command of the two task tabs starts its application.
TEST(TaskTableTest, TheOtherCommandsStartTheirApplications) {
  for (MenuTab tab : {MenuTab::kTranslation, MenuTab::kCustomisation}) {
    for (const ui::MenuCommand& command : ui::CommandGroup(tab)) {
      if (ui::FindTaskOfCommand(tab, command.index)) continue;
      SCOPED_TRACE(::testing::PrintToString(std::wstring(command.name)));
      const ui::CommandRow* row = ui::FindCommandRow(tab, command.index);
      ASSERT_NE(row, nullptr);
      EXPECT_EQ(row->action, ui::CommandAction::kStartApplication);
      EXPECT_EQ(row->taskCode, ui::kNoTask);
      EXPECT_FALSE(command.appChecks[0].empty());
    }
  }
  EXPECT_EQ(ui::FindCommandRow(MenuTab::kNetwork, 0), nullptr);  // that tab opens no task
  EXPECT_EQ(ui::FindCommandRow(MenuTab::kTranslation, 99), nullptr);
}

// No extension belongs to two tasks, and the kinds of the tasks that take dropped files fill the
// places of the message once each.
TEST(TaskTableTest, DroppedFilesAndTheirKinds) {
  std::set<std::wstring_view> extensions;
  std::set<int> positions;
  std::size_t kinds = 0;
  for (const TaskRow& task : ui::Tasks()) {
    SCOPED_TRACE(NameOf(task));
    EXPECT_EQ(docs::ExtensionsOf(task.drop.documents).empty(), task.drop.kindId == 0);
    if (task.drop.kindId == 0) continue;
    ++kinds;
    EXPECT_TRUE(positions.insert(task.drop.position).second);
    for (std::wstring_view extension : suite::SplitAppIds(docs::ExtensionsOf(task.drop.documents)))
      EXPECT_TRUE(extensions.insert(extension).second) << ::testing::PrintToString(std::wstring(extension));
  }
  ASSERT_FALSE(positions.empty());
  EXPECT_EQ(*positions.begin(), 0);
  EXPECT_EQ(*positions.rbegin(), static_cast<int>(kinds) - 1);
}

std::set<unsigned> TaskTextIds() {
  std::set<unsigned> ids;
  for (const TaskRow& task : ui::Tasks()) {
    const ui::FileFilterIds& filter = task.filter;
    for (unsigned id : {task.command.titleId, task.command.descriptionId, task.drop.kindId, task.texts.title,
                        task.texts.steps, task.texts.help})
      ids.insert(id);
    for (const auto& parts : {filter.office2007, filter.batchTranslator, filter.other})
      for (unsigned id : parts) ids.insert(id);
  }
  ids.erase(0);
  return ids;
}

// Every panel has its title and steps; every string the table names has a text in every language
// library (a wrong ID loads nothing).
TEST(TaskTableTest, EveryTextExistsInEveryLanguage) {
  for (const TaskRow& task : ui::Tasks()) {
    EXPECT_NE(task.texts.title, 0u) << NameOf(task);
    EXPECT_NE(task.texts.steps, 0u) << NameOf(task);
  }
  const std::set<unsigned> ids = TaskTextIds();
  EXPECT_EQ(test::StringsMissingInSomeLanguage(ids), std::vector<std::wstring>{});
}

}  // namespace
