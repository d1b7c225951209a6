#include "tasks/FileFilters.h"

#include "StringIds.h"
#include "tasks/HostTable.h"

namespace tasks {

std::vector<unsigned> FileFilterParts(int taskCode, FilterHost host) {
  std::vector<unsigned> parts;
  const auto choose = [&](std::initializer_list<unsigned> office2007, std::initializer_list<unsigned> batch,
                          std::initializer_list<unsigned> other) {
    if (host.office2007)
      parts = office2007;
    else if (host.batchTranslator)
      parts = batch;
    else
      parts = other;
  };
  switch (taskCode) {
    case kTaskWord:
      choose({IDS_FILTER_WORD2007, IDS_FILTER_WORD2007_ALL}, {IDS_FILTER_WORD2007},
             {IDS_FILTER_WORD, IDS_FILTER_WORD_ALL});
      break;
    case kTaskExcel:
      choose({IDS_FILTER_EXCEL, IDS_FILTER_EXCEL2007_ALL}, {IDS_FILTER_EXCEL2007_XLSX},
             {IDS_FILTER_EXCEL, IDS_FILTER_EXCEL_ALL});
      break;
    case kTaskPowerPoint:
      choose({IDS_FILTER_POWERPOINT2007, IDS_FILTER_POWERPOINT2007_ALL}, {IDS_FILTER_POWERPOINT2007},
             {IDS_FILTER_POWERPOINT, IDS_FILTER_POWERPOINT_ALL});
      break;
    case kTaskPdf: parts = {IDS_FILTER_PDF}; break;
    default: break;
  }
  parts.push_back(IDS_FILTER_ALL_FILES);
  return parts;
}

}  // namespace tasks
