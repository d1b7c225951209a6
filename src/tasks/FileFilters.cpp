#include "tasks/FileFilters.h"

#include "StringIds.h"
#include "menu/TaskTable.h"

namespace tasks {

std::vector<unsigned> FileFilterParts(int taskCode, FilterHost host) {
  std::vector<unsigned> parts;
  if (const ui::TaskRow* task = ui::FindTask(taskCode)) {
    const ui::FileFilterIds& filter = task->filter;
    const std::array<unsigned, 2>& chosen = host.office2007        ? filter.office2007
                                            : host.batchTranslator ? filter.batchTranslator
                                                                   : filter.other;
    for (unsigned id : chosen)
      if (id != 0) parts.push_back(id);
  }
  parts.push_back(IDS_FILTER_ALL_FILES);
  return parts;
}

}  // namespace tasks
